// Decodes a sequence of frame bodies with one device model whose modules 0 .. 31
// and 250 .. 255 have records, so measurement, bypass block and bulk map
// paths all store into a record, and builds the reply after each, as the
// server does.
//
// Input: frames, each a control byte and then its body bytes (missing bytes
// are zero). Control bits:
//   0-1  0: short frame (0x8C04, 51 bytes)   1: bulk frame (0x5419, 6156 bytes)
//        2: short kind, length from the next byte   3: kind from the next two bytes, 51 bytes
//   2    set the checksum byte right, so that the fuzzer gets past it
//   3    reopen every record's bypass transfer (a finished map takes no more blocks)
//   4    start a bypass upload of (bits 5-7) + 1 entries on every record
//
// Checked after each frame: the result is one of the four, a decoded
// measurement has format 4, a bypass result names the module the body names,
// a rejected frame leaves the record alone, no record is created, every
// bypass map keeps its 6144 entries, and the reply is 71 bytes: 0x4F, the
// settings and their sum for a known module, all zero for an unknown one.

#include "FuzzEnvironment.h"

#include "net/CMasterDevice.h"
#include "net/PacketDecoder.h"
#include "net/StationGlobals.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

constexpr quint16 Short = 0x8C04;
constexpr quint16 Bulk = 0x5419;

quint8 sum(const std::vector<quint8> &bytes, size_t count)
{
    unsigned s = 0;
    for (size_t i = 0; i < count; ++i)
        s += bytes[i];
    return quint8(s);
}

class Input
{
public:
    Input(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}
    bool atEnd() const { return m_pos >= m_size; }
    quint8 byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    // Exactly `length` bytes on the heap, so that reading past the body is caught.
    std::vector<quint8> body(size_t length)
    {
        std::vector<quint8> b(length, 0);
        for (size_t i = 0; i < length && !atEnd(); ++i)
            b[i] = byte();
        return b;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// The known modules with their default records, made once: filling 38 fresh
// bypass maps for every input would take most of the fuzzer's time.
const QMap<quint8, ModuleRecord> &knownModules()
{
    static const QMap<quint8, ModuleRecord> records = [] {
        CMasterDevice device;
        for (int m = 0; m < 32; ++m)
            device.SetDefaultSettings(quint8(m));
        for (int m = 250; m < 256; ++m)
            device.SetDefaultSettings(quint8(m));
        return device.records();
    }();
    return records;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzEnvironment::isolate();
    knownModules();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    StationGlobals::reset();
    CMasterDevice device;
    device.records() = knownModules();
    const int recordCount = device.records().size();
    device.bypassBeginList = { 925, 2400, 5000 };
    device.bypassEndList = { 935 }; // shorter on purpose: a list may end early
    device.bypassKind = 4;

    Input in(data, size);
    DATA record;
    for (int frames = 0; !in.atEnd() && frames < 64; ++frames) {
        const quint8 control = in.byte();
        quint16 kind = Short;
        size_t length = 51;
        switch (control & 3) {
        case 1:
            kind = Bulk;
            length = 6156;
            break;
        case 2:
            length = in.byte();
            break;
        case 3:
        {
            const quint8 high = in.byte();
            kind = quint16((high << 8) | in.byte());
            break;
        }
        }
        std::vector<quint8> body = in.body(length);
        if (control & 4) {
            if (length == 51)
                body[49] = sum(body, 49);
            else if (length == 6156)
                body[6154] = sum(body, 6154);
        }
        if (control & 8) {
            for (ModuleRecord &r : device.records())
                r.bypassMapComplete = 0;
        }
        if (control & 16) {
            for (ModuleRecord &r : device.records()) {
                r.settings[SettingsBlock::UploadIndex] = 0;
                r.settings[SettingsBlock::UploadCount] = quint8((control >> 5) + 1);
            }
        }

        const quint8 previousId = record.nID;
        const int result = PacketDecoder::Decode(device, reinterpret_cast<const char *>(body.data()),
                                                 quint16(length), record, kind);
        FUZZ_CHECK(result >= Wire::DecodeInvalid && result <= Wire::DecodeTag350);
        const bool shortFrame = kind == Short && length == 51;
        const bool bulkFrame = kind == Bulk && length == 6156;
        if (result == Wire::DecodeMeasurement)
            FUZZ_CHECK(record.nFormat == 4);
        if (result == Wire::DecodeBypass)
            FUZZ_CHECK(record.nID == (shortFrame ? body[4] : body[0]));
        if (!shortFrame && !bulkFrame)
            FUZZ_CHECK(result == Wire::DecodeInvalid && record.nID == previousId);

        device.BuildReply(record);
        const QByteArray &reply = device.reply();
        FUZZ_CHECK(reply.size() == 71);
        if (device.hasRecord(record.nID)) {
            FUZZ_CHECK(quint8(reply[0]) == 0x4F);
            unsigned s = 0;
            for (int i = 1; i <= 69; ++i)
                s += quint8(reply[i]);
            FUZZ_CHECK(quint8(reply[70]) == quint8(s));
        } else {
            FUZZ_CHECK(reply == QByteArray(71, '\0'));
        }

        FUZZ_CHECK(device.records().size() == recordCount);
        for (const ModuleRecord &r : device.records())
            FUZZ_CHECK(r.bypassMap.size() == 6144);
    }
    return 0;
}
