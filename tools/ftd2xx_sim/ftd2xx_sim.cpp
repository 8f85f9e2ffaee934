// A stand-in for the FTDI D2XX driver library with simulated devices behind
// it, so that the station's USB configuration can be tried and tested without
// a bridge. It exports the entry points the station resolves, written from
// their documented behaviour, and a few FTSim_* functions for tests.
//
// Behind the bridge sits one of three devices:
//   - a Wi-Fi board answering the AT commands between 'Q' and '}',
//   - an Ethernet board answering "jIP" (set) and "jIR" (read),
//   - a jammer-suppression unit answering the 0x1D tuning request.
// Each answers a request it does not know with "ATNO" / "IPNO" (wrong device).
//
// As the documented driver does: a device opens once at a time; a closed
// handle is invalid; FT_Read waits up to the read time-out set with
// FT_SetTimeouts (without one, until the bytes are there); the queues keep
// their bytes across a close and a reopen until FT_Purge clears them. The
// suppression unit acknowledges a saved pattern in the answer after the one
// to the save request, as a unit that saves while it answers would.
//
// Defaults come from the environment when the library is loaded:
//   HARRIER_FTD2XX_SIM_DEVICE  wifi | ethernet | tuning (default tuning)
//   HARRIER_FTD2XX_SIM_BRIDGE  ft220x | ft245r | both   (default ft220x)
//   HARRIER_FTD2XX_SIM_HOLD_MS each answer is held back this long (default 0)

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#ifdef _WIN32
#define SIM_EXPORT extern "C" __declspec(dllexport)
#define SIM_API __stdcall
#else
#define SIM_EXPORT extern "C" __attribute__((visibility("default")))
#define SIM_API
#endif

using Status = std::uint32_t;
using Dword = std::uint32_t;
using Handle = void *;
using Clock = std::chrono::steady_clock;

namespace {

// Status values of the documented interface.
constexpr Status kOk = 0;
constexpr Status kInvalidHandle = 1;
constexpr Status kDeviceNotFound = 2;
constexpr Status kDeviceNotOpened = 3;
constexpr Status kInvalidParameter = 6;
constexpr Status kOtherError = 4;
constexpr Dword kOpenByDescription = 2;
constexpr Dword kListNumberOnly = 0x80000000u;

constexpr int kBlock = 320;
constexpr int kBins = 264;
const char kFt1248[] = "FT220X 4-BIT FT1248";
const char kFifo[] = "FT245R USB FIFO";

enum Device { None = 0, WiFi = 1, Ethernet = 2, Tuning = 3 };
enum Bridges { Ft1248 = 1, Fifo = 2 };

struct Chunk
{
    std::vector<std::uint8_t> bytes;
    Clock::time_point ready;
};

struct Sim
{
    int device = Tuning;
    int bridges = Ft1248;
    int holdMs = 0;
    int shortBy = 0;
    // From request faultFrom on (counted since the reset), answers are
    // shortened by faultShort bytes and held back faultHoldMs.
    int faultFrom = -1, faultShort = 0, faultHoldMs = 0;
    int openHandles = 0;
    int purges = 0;
    int opens = 0;      // successful opens since the last reset
    int openedKind = 0; // bridge of the last handle opened
    // Per bridge kind: the handle that is open now (0 when closed), the
    // read time-out set on it (0: none).
    std::uintptr_t openHandle[3] = { 0, 0, 0 };
    std::uintptr_t nextHandle = 0;
    Dword readTimeoutMs[3] = { 0, 0, 0 };

    // Input not yet a whole request, and answers on their way.
    std::vector<std::uint8_t> pending;
    std::deque<Chunk> rx;
    std::vector<std::vector<std::uint8_t>> written;  // as on the wire
    std::vector<std::vector<std::uint8_t>> requests; // joined 320-byte blocks
    std::vector<std::string> commands;               // AT texts of the Wi-Fi board

    // Wi-Fi board.
    std::string ssid = "Station", security = "WPA2", password = "secret";
    std::string server = "192.168.1.64", address; // empty address: automatic
    std::string probe = "[OK]\r\n";
    int wifiNumber = 5;
    // Ethernet board.
    std::uint8_t ethNumber = 3;
    std::uint8_t ethAddress[4] = { 192, 168, 1, 64 };
    // Suppression unit.
    int quality = 97, surplus = 12, lack = 3, flags = 0, level = 60;
    std::uint8_t sequence = 1;
    bool savePending = false;

    Sim()
    {
        if (const char *d = std::getenv("HARRIER_FTD2XX_SIM_DEVICE")) {
            const std::string s(d);
            device = s == "wifi" ? WiFi : s == "ethernet" ? Ethernet : Tuning;
        }
        if (const char *b = std::getenv("HARRIER_FTD2XX_SIM_BRIDGE")) {
            const std::string s(b);
            bridges = s == "ft245r" ? Fifo : s == "both" ? Ft1248 | Fifo : Ft1248;
        }
        if (const char *h = std::getenv("HARRIER_FTD2XX_SIM_HOLD_MS"))
            holdMs = std::atoi(h);
    }
};

Sim &sim()
{
    static Sim s;
    return s;
}

std::mutex &simMutex()
{
    static std::mutex m;
    return m;
}

std::condition_variable &arrived()
{
    static std::condition_variable c;
    return c;
}

// A handle is a number never used before, valid while its device stays open.
int kindOf(Handle h)
{
    const auto value = reinterpret_cast<std::uintptr_t>(h);
    const Sim &s = sim();
    for (int kind = 1; kind <= 2; ++kind)
        if (value && s.openHandle[kind] == value)
            return kind;
    return 0;
}

Status openKind(Sim &s, int kind, Handle *handle)
{
    if (s.openHandle[kind])
        return kDeviceNotOpened; // opened already, by this process or another
    s.nextHandle += 0x10;
    s.openHandle[kind] = s.nextHandle;
    s.readTimeoutMs[kind] = 0;
    *handle = reinterpret_cast<Handle>(s.nextHandle);
    ++s.openHandles;
    ++s.opens;
    s.openedKind = kind;
    return kOk;
}

std::vector<std::uint8_t> text(const std::string &s)
{
    return std::vector<std::uint8_t>(s.begin(), s.end());
}

std::vector<std::uint8_t> wifiAnswer(Sim &s, const std::string &cmd)
{
    s.commands.push_back(cmd);
    const std::string ok = "[OK]\r\n";
    auto after = [&](const char *prefix) { return cmd.substr(std::strlen(prefix)); };
    auto starts = [&](const char *prefix) { return cmd.rfind(prefix, 0) == 0; };
    if (cmd == "AT")
        return text(s.probe);
    if (cmd == "AT+WSET=?")
        return text("0," + s.ssid + ok);
    if (cmd == "AT+WSEC=?")
        return text("0," + s.security + "," + s.password + ok);
    if (cmd == "AT+SCON=?")
        return text("S,TCN," + s.server + ",2323,2323,1" + ok);
    if (cmd == "AT+WNET=?")
        return text(s.address.empty() ? "0,," + ok : "1," + s.address + "," + ok);
    if (cmd == "AN?")
        return { std::uint8_t(s.wifiNumber), '~', 12, 3 };
    if (starts("AT+WSEC=0,")) {
        const std::string rest = after("AT+WSEC=0,");
        const size_t comma = rest.find(',');
        s.security = rest.substr(0, comma);
        s.password = comma == std::string::npos ? "" : rest.substr(comma + 1);
    } else if (starts("AT+WSET=0,")) {
        s.ssid = after("AT+WSET=0,");
    } else if (starts("AT+SCON=S,TCN,")) {
        const std::string rest = after("AT+SCON=S,TCN,");
        s.server = rest.substr(0, rest.find(','));
    } else if (starts("AT+WNET=1,")) {
        const std::string rest = after("AT+WNET=1,");
        s.address = rest.substr(0, rest.find(','));
    } else if (cmd == "AT+WNET=0") {
        s.address.clear();
    } else if (starts("AN=")) {
        s.wifiNumber = std::atoi(after("AN=").c_str());
    } else if (!starts("AT")) {
        return text("ERROR\r\n");
    }
    return text(ok);
}

std::vector<std::uint8_t> answerTo(Sim &s, const std::vector<std::uint8_t> &req)
{
    std::vector<std::uint8_t> answer;
    const bool at = req[0] == 'Q';
    const bool eth = req[0] == 'j' && req[1] == 'I';
    if (s.device == WiFi) {
        if (!at)
            answer = text("IPNO");
        else {
            const auto end = std::find(req.begin() + 1, req.end(), std::uint8_t('}'));
            answer = wifiAnswer(s, std::string(req.begin() + 1, end));
        }
        answer.push_back('}');
    } else if (s.device == Ethernet) {
        if (eth && req[2] == 'P') {
            s.ethNumber = req[3];
            std::copy(req.begin() + 4, req.begin() + 8, s.ethAddress);
            answer = text("IPOK");
        } else if (eth && req[2] == 'R') {
            answer = { 'I',
                       'R',
                       s.ethNumber,
                       s.ethAddress[0],
                       s.ethAddress[1],
                       s.ethAddress[2],
                       s.ethAddress[3],
                       12,
                       3 };
        } else {
            answer = text("ATNO");
        }
    } else if (s.device == Tuning) {
        if (req[0] != 0x1D) {
            answer = text(at ? "ATNO}" : "IPNO");
            answer.resize(kBlock, 0);
            return answer;
        }
        answer.assign(kBlock, 0);
        // A pattern saved meanwhile shows in the sequence byte of this answer.
        if (s.savePending)
            ++s.sequence;
        s.savePending = req[265] == 170;
        // A quiet floor with the bands' base stations and a jammer bump.
        for (int i = 0; i < kBins; ++i) {
            int v = 20 + (i * 7) % 11;
            if ((i >= 40 && i < 60) || (i >= 120 && i < 150) || (i >= 200 && i < 230))
                v = s.level;
            answer[i] = std::uint8_t(std::min(v, 255));
        }
        answer[265] = s.sequence;
        answer[266] = std::uint8_t(s.flags);
        answer[267] = std::uint8_t(s.quality);
        answer[268] = std::uint8_t(s.surplus >> 8);
        answer[269] = std::uint8_t(s.surplus);
        answer[270] = std::uint8_t(s.lack >> 8);
        answer[271] = std::uint8_t(s.lack);
    }
    answer.resize(kBlock, 0);
    return answer;
}

// A whole request arrived: answer it, on the wire of the bridge it came through.
void process(Sim &s, int kind)
{
    const size_t need = kind == 2 ? 2 * kBlock : kBlock;
    while (s.pending.size() >= need) {
        std::vector<std::uint8_t> wire(s.pending.begin(), s.pending.begin() + long(need));
        s.pending.erase(s.pending.begin(), s.pending.begin() + long(need));
        s.written.push_back(wire);
        std::vector<std::uint8_t> req(kBlock);
        for (int i = 0; i < kBlock; ++i)
            req[i] = kind == 2 ? std::uint8_t(wire[2 * i] * 16 + (wire[2 * i + 1] & 15)) : wire[i];
        s.requests.push_back(req);
        if (s.device == None)
            continue;
        const std::vector<std::uint8_t> answer = answerTo(s, req);
        Chunk c;
        for (std::uint8_t b : answer) {
            if (kind == 2) {
                c.bytes.push_back(std::uint8_t(b >> 4));
                c.bytes.push_back(std::uint8_t(b & 15));
            } else {
                c.bytes.push_back(b);
            }
        }
        const bool fault = s.faultFrom >= 0 && int(s.requests.size()) > s.faultFrom;
        const int shortBy = fault ? s.faultShort : s.shortBy;
        c.bytes.resize(c.bytes.size() - size_t(std::min<int>(shortBy, int(c.bytes.size()))));
        c.ready = Clock::now() + std::chrono::milliseconds(fault ? s.faultHoldMs : s.holdMs);
        s.rx.push_back(std::move(c));
    }
    arrived().notify_all();
}

Dword available(Sim &s)
{
    const auto now = Clock::now();
    Dword n = 0;
    for (const Chunk &c : s.rx) {
        if (c.ready > now)
            break;
        n += Dword(c.bytes.size());
    }
    return n;
}

} // namespace

// ---- D2XX entry points ----

SIM_EXPORT Status SIM_API FT_ListDevices(void *arg1, void *arg2, Dword flags)
{
    (void)arg2;
    Sim &s = sim();
    std::lock_guard<std::mutex> lock(simMutex());
    if (!(flags & kListNumberOnly) || !arg1)
        return kInvalidParameter;
    *static_cast<Dword *>(arg1) =
        Dword(((s.bridges & Ft1248) ? 1 : 0) + ((s.bridges & Fifo) ? 1 : 0));
    return kOk;
}

#ifndef FTSIM_WITHOUT_OPENEX
SIM_EXPORT Status SIM_API FT_OpenEx(void *arg, Dword flags, Handle *handle)
{
    Sim &s = sim();
    std::lock_guard<std::mutex> lock(simMutex());
    if (!handle || !arg || flags != kOpenByDescription)
        return kInvalidParameter;
    const char *description = static_cast<const char *>(arg);
    int kind = 0;
    if ((s.bridges & Ft1248) && std::strcmp(description, kFt1248) == 0)
        kind = 1;
    else if ((s.bridges & Fifo) && std::strcmp(description, kFifo) == 0)
        kind = 2;
    if (!kind)
        return kDeviceNotFound;
    return openKind(s, kind, handle);
}
#endif

SIM_EXPORT Status SIM_API FT_Open(int index, Handle *handle)
{
    Sim &s = sim();
    std::lock_guard<std::mutex> lock(simMutex());
    if (!handle)
        return kInvalidParameter;
    int kinds[2], n = 0;
    if (s.bridges & Ft1248)
        kinds[n++] = 1;
    if (s.bridges & Fifo)
        kinds[n++] = 2;
    if (index < 0 || index >= n)
        return kDeviceNotFound;
    return openKind(s, kinds[index], handle);
}

#ifndef FTSIM_WITHOUT_CLOSE
SIM_EXPORT Status SIM_API FT_Close(Handle handle)
{
    Sim &s = sim();
    std::lock_guard<std::mutex> lock(simMutex());
    const int kind = kindOf(handle);
    if (!kind)
        return kInvalidHandle;
    s.openHandle[kind] = 0;
    --s.openHandles;
    return kOk;
}
#endif

SIM_EXPORT Status SIM_API FT_Write(Handle handle, void *buffer, Dword count, Dword *written)
{
    Sim &s = sim();
    std::lock_guard<std::mutex> lock(simMutex());
    const int kind = kindOf(handle);
    if (!kind)
        return kInvalidHandle;
    const auto *bytes = static_cast<const std::uint8_t *>(buffer);
    s.pending.insert(s.pending.end(), bytes, bytes + count);
    if (written)
        *written = count;
    process(s, kind);
    return kOk;
}

SIM_EXPORT Status SIM_API FT_GetStatus(Handle handle, Dword *rx, Dword *tx, Dword *events)
{
    Sim &s = sim();
    std::lock_guard<std::mutex> lock(simMutex());
    if (!kindOf(handle))
        return kInvalidHandle;
    if (rx)
        *rx = available(s);
    if (tx)
        *tx = 0;
    if (events)
        *events = 0;
    return kOk;
}

// Waits until count bytes are there or the read time-out passes, then takes
// what there is. Without a time-out a real driver would wait for ever; the
// simulator stops waiting once nothing more is on its way, so a test fails
// instead of hanging.
SIM_EXPORT Status SIM_API FT_Read(Handle handle, void *buffer, Dword count, Dword *returned)
{
    Sim &s = sim();
    std::unique_lock<std::mutex> lock(simMutex());
    const int kind = kindOf(handle);
    if (!kind)
        return kInvalidHandle;
    const Dword timeoutMs = s.readTimeoutMs[kind];
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (!kindOf(handle))
            return kInvalidHandle; // closed meanwhile
        const auto now = Clock::now();
        if (available(s) >= count || (timeoutMs && now >= deadline))
            break;
        // The next held answer, if any, is the next thing that can change.
        auto wake = timeoutMs ? deadline : Clock::time_point::max();
        bool onItsWay = false;
        for (const Chunk &c : s.rx)
            if (c.ready > now) {
                wake = std::min(wake, c.ready);
                onItsWay = true;
                break;
            }
        if (!timeoutMs && !onItsWay)
            break;
        arrived().wait_until(lock, wake);
    }
    auto *out = static_cast<std::uint8_t *>(buffer);
    Dword n = 0;
    const auto now = Clock::now();
    while (n < count && !s.rx.empty() && s.rx.front().ready <= now) {
        Chunk &c = s.rx.front();
        const size_t take = std::min<size_t>(count - n, c.bytes.size());
        std::memcpy(out + n, c.bytes.data(), take);
        c.bytes.erase(c.bytes.begin(), c.bytes.begin() + long(take));
        n += Dword(take);
        if (c.bytes.empty())
            s.rx.pop_front();
    }
    if (returned)
        *returned = n;
    return kOk;
}

SIM_EXPORT Status SIM_API FT_SetTimeouts(Handle handle, Dword readTimeoutMs, Dword writeTimeoutMs)
{
    (void)writeTimeoutMs; // writes never wait here
    std::lock_guard<std::mutex> lock(simMutex());
    const int kind = kindOf(handle);
    if (!kind)
        return kInvalidHandle;
    sim().readTimeoutMs[kind] = readTimeoutMs;
    return kOk;
}

SIM_EXPORT Status SIM_API FT_EE_Read(Handle handle, void *data)
{
    std::lock_guard<std::mutex> lock(simMutex());
    return kindOf(handle) && data ? kOtherError : kInvalidHandle; // no EEPROM simulated
}

SIM_EXPORT Status SIM_API FT_EE_Program(Handle handle, void *data)
{
    std::lock_guard<std::mutex> lock(simMutex());
    return kindOf(handle) && data ? kOtherError : kInvalidHandle;
}

SIM_EXPORT Status SIM_API FT_Purge(Handle handle, std::uint32_t mask)
{
    Sim &s = sim();
    std::lock_guard<std::mutex> lock(simMutex());
    if (!kindOf(handle))
        return kInvalidHandle;
    // Only what has reached the driver goes; an answer the device still
    // holds back comes later.
    if (mask & 1) {
        const auto now = Clock::now();
        while (!s.rx.empty() && s.rx.front().ready <= now)
            s.rx.pop_front();
    }
    if (mask & 2)
        s.pending.clear();
    ++s.purges;
    return kOk;
}

// ---- Control for tests ----

// Bridges: 1 FT220X, 2 FT245R, 3 both; device: 0 none, 1 Wi-Fi, 2 Ethernet, 3 tuning.
// Forgets everything recorded and restores the devices' defaults.
SIM_EXPORT void FTSim_Reset(int bridges, int device)
{
    Sim &s = sim();
    std::lock_guard<std::mutex> lock(simMutex());
    // Handles open in the process stay open, with their time-outs.
    Sim fresh;
    fresh.bridges = bridges;
    fresh.device = device;
    fresh.holdMs = 0;
    fresh.openHandles = s.openHandles;
    std::copy(s.openHandle, s.openHandle + 3, fresh.openHandle);
    std::copy(s.readTimeoutMs, s.readTimeoutMs + 3, fresh.readTimeoutMs);
    fresh.nextHandle = s.nextHandle;
    s = fresh;
}

// Each later answer becomes readable only this long after its request.
SIM_EXPORT void FTSim_HoldAnswers(int ms)
{
    std::lock_guard<std::mutex> lock(simMutex());
    sim().holdMs = ms;
}

// What the Wi-Fi board answers to "AT" from now on.
SIM_EXPORT void FTSim_ProbeAnswer(const char *answer)
{
    std::lock_guard<std::mutex> lock(simMutex());
    sim().probe = answer ? answer : "";
}

// Later answers lack this many bytes on the wire.
SIM_EXPORT void FTSim_ShortAnswers(int bytes)
{
    std::lock_guard<std::mutex> lock(simMutex());
    sim().shortBy = bytes;
}

// From request `from` on (0 = the first after the reset), answers lack
// `shortBy` bytes on the wire and are held back `holdMs`.
SIM_EXPORT void FTSim_FaultFrom(int from, int shortBy, int holdMs)
{
    Sim &s = sim();
    std::lock_guard<std::mutex> lock(simMutex());
    s.faultFrom = from;
    s.faultShort = shortBy;
    s.faultHoldMs = holdMs;
}

SIM_EXPORT void FTSim_SetTuning(int quality, int surplus, int lack, int flags, int level)
{
    Sim &s = sim();
    std::lock_guard<std::mutex> lock(simMutex());
    s.quality = quality;
    s.surplus = surplus;
    s.lack = lack;
    s.flags = flags;
    s.level = level;
}

SIM_EXPORT int FTSim_OpenHandles()
{
    std::lock_guard<std::mutex> lock(simMutex());
    return sim().openHandles;
}

SIM_EXPORT int FTSim_PurgeCount()
{
    std::lock_guard<std::mutex> lock(simMutex());
    return sim().purges;
}

SIM_EXPORT int FTSim_OpenCount()
{
    std::lock_guard<std::mutex> lock(simMutex());
    return sim().opens;
}

SIM_EXPORT int FTSim_RequestCount()
{
    std::lock_guard<std::mutex> lock(simMutex());
    return int(sim().requests.size());
}

// Request i as joined (320 bytes), and as it was on the wire (returns its length).
SIM_EXPORT int FTSim_Request(int i, unsigned char *out320)
{
    Sim &s = sim();
    std::lock_guard<std::mutex> lock(simMutex());
    if (i < 0 || i >= int(s.requests.size()))
        return 0;
    std::memcpy(out320, s.requests[size_t(i)].data(), kBlock);
    return kBlock;
}

SIM_EXPORT int FTSim_Wire(int i, unsigned char *out, int capacity)
{
    Sim &s = sim();
    std::lock_guard<std::mutex> lock(simMutex());
    if (i < 0 || i >= int(s.written.size()))
        return 0;
    const auto &w = s.written[size_t(i)];
    const int n = std::min(capacity, int(w.size()));
    std::memcpy(out, w.data(), size_t(n));
    return int(w.size());
}

// The AT commands the Wi-Fi board received, joined by '\n'; returns the full length.
SIM_EXPORT int FTSim_Commands(char *out, int capacity)
{
    Sim &s = sim();
    std::lock_guard<std::mutex> lock(simMutex());
    std::string all;
    for (const std::string &c : s.commands)
        all += c + "\n";
    if (capacity > 0) {
        const int n = std::min(capacity - 1, int(all.size()));
        std::memcpy(out, all.data(), size_t(n));
        out[n] = '\0';
    }
    return int(all.size());
}
