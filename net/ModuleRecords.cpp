#include "net/ModuleRecords.h"

#include "net/CMasterDevice.h"
#include "net/WireProtocol.h"

#include <QSettings>

#include <array>

using namespace SettingsBlock;

namespace {

// The enable and threshold bytes of the band rows, G900 to Dect.
// clang-format off
constexpr std::array<std::pair<int, int>, 14> kBands = { {
    { G900Enable, G900Threshold }, { G1800Enable, G1800Threshold },
    { JammerGsmEnable, JammerGsmThreshold }, { JammerGpsEnable, JammerGpsThreshold },
    { Wlan24Enable, Wlan24Threshold }, { BluetoothEnable, BluetoothThreshold },
    { Traffic24Enable, Traffic24Threshold }, { Wlan5Enable, Wlan5Threshold },
    { Traffic5Enable, Traffic5Threshold }, { Cdma450Enable, Cdma450Threshold },
    { G3Enable, G3Threshold }, { G3AddEnable, G3AddThreshold }, { G4Enable, G4Threshold },
    { DectEnable, DectThreshold },
} };
// clang-format on

} // namespace

bool ModuleRecords::followsGlobal(ForAll row)
{
    return row <= ForAll::Scan;
}

QList<int> ModuleRecords::groupEnables(Group group)
{
    switch (group) {
    case Group::Cellular:
        return {
            Cdma450Enable, G900Enable, G1800Enable, DectEnable, G3Enable, G3AddEnable, G4Enable
        };
    case Group::Band2400:
        return { Wlan24Enable, BluetoothEnable, Traffic24Enable, Wlan5Enable, Traffic5Enable };
    case Group::Jammers:
        return { JammerGsmEnable, JammerGpsEnable };
    }
    return {};
}

bool ModuleRecords::click(PauseChecks &checks, PauseClick clicked, qint32 manualPauseFreq)
{
    switch (clicked) {
    case PauseClick::Scan:
        if (!checks.scan)
            checks.manualPause = false;
        break;
    case PauseClick::AutoPause:
        if (checks.autoPause) {
            checks.manualPause = false;
            checks.scan = true;
        }
        break;
    case PauseClick::ManualPause:
        if (!checks.manualPause)
            break;
        if (!isModuleFrequency(manualPauseFreq)) {
            checks.manualPause = false;
            return false;
        }
        checks.autoPause = false;
        checks.scan = true;
        break;
    }
    return true;
}

bool ModuleRecords::keepOneDetection(Block &block)
{
    for (int i = G900Enable; i <= ScanEnable; ++i)
        if (block[i] != 0)
            return false;
    block[G900Enable] = 1;
    return true;
}

std::optional<std::pair<quint16, quint16>> ModuleRecords::manualBypassRange(int start, int stop)
{
    // Checked as typed: a number beyond 16 bits is wrong, not a frequency it wraps to.
    if (start == 0 && stop == 0)
        return std::nullopt;
    if (start == 0)
        start = stop;
    else if (stop == 0)
        stop = start;
    if (start > stop || start < MinFrequencyMHz || stop > MaxFrequencyMHz)
        return std::nullopt;
    return std::make_pair(quint16(start), quint16(stop));
}

void ModuleRecords::writeManualBypass(ModuleRecord &record, quint16 begin, quint16 end)
{
    Block &b = record.settings;
    b[BypassBeginHi] = quint8(begin >> 8);
    b[BypassBeginLo] = quint8(begin);
    b[BypassEndHi] = quint8(end >> 8);
    b[BypassEndLo] = quint8(end);
    b[BypassKind] = ManualBypassKind;
}

quint8 ModuleRecords::bypassFlags(const BypassMarks &marks)
{
    quint8 flags = 0;
    if (marks.digital)
        flags |= Wire::BypassMarkDigital;
    if (marks.pattern1)
        flags |= Wire::BypassMarkPattern1;
    if (marks.pattern2)
        flags |= Wire::BypassMarkPattern2;
    if (marks.manual)
        flags |= Wire::BypassMarkManual;
    return flags;
}

void ModuleRecords::requestBypassMap(ModuleRecord &record)
{
    record.expectedBypassBlock = 0;
    record.bypassBlockToggle = 0;
    record.bypassMapComplete = 0;
    record.settings[Command] = CommandSendBypassMap;
}

void ModuleRecords::endBypassMapRequest(ModuleRecord &record)
{
    record.settings[Command] = CommandNone;
}

ModuleRecords::ModuleRecords(CMasterDevice &device)
    : m_device(device)
{
}

void ModuleRecords::copyToAll(quint8 source, ForAll row)
{
    if (row < ForAll::Scan) {
        const auto [enable, threshold] = kBands[size_t(row)];
        copyToAll(source, 0, enable, threshold);
        return;
    }
    switch (row) {
    case ForAll::Scan:
        copyToAll(source, 1, ScanEnable, ScanSquelch);
        copyToAll(source, 2, PauseFreqHi, 3);
        copyToAll(source, 3, 0, 0);
        break;
    case ForAll::BypassScanAuto:
        copyToAll(source, 2, BypassScanAuto, 1);
        break;
    case ForAll::BypassScanPattern1:
        copyToAll(source, 2, BypassScanPattern1, 1);
        break;
    case ForAll::BypassScanPattern2:
        copyToAll(source, 2, BypassScanPattern2, 1);
        break;
    case ForAll::BypassScanManual:
        copyToAll(source, 2, BypassScanManual, 1);
        break;
    case ForAll::IdentOff:
        copyToAll(source, 2, IdentOff, 1);
        break;
    case ForAll::DeviceIndication:
        copyToAll(source, 2, LedHigh, 4);
        break;
    case ForAll::FreqMatches:
        copyToAll(source, 2, FreqMatches, 1);
        break;
    default: // the band rows, above
        break;
    }
}

void ModuleRecords::copyToAll(quint8 source, int mode, int first, int second)
{
    rememberAll();
    const ModuleRecord from = m_device.record(source);
    for (auto it = m_device.records().begin(); it != m_device.records().end(); ++it) {
        ModuleRecord &r = it.value();
        r.settings[Marker] = MarkerValue;
        switch (mode) {
        case 0:
            r.settings[first] = from.settings[first];
            r.settings[second] = from.settings[second];
            break;
        case 1:
            r.settings[first] = from.settings[first];
            for (int i = second; i < second + 4; ++i)
                r.settings[i] = from.settings[i];
            break;
        case 2:
            for (int i = first; i < first + second; ++i)
                r.settings[i] = from.settings[i];
            break;
        case 3:
            r.manualPause = from.manualPause;
            r.autoPause = from.autoPause;
            r.lpfSelection = from.lpfSelection;
            r.manualPauseFreq = from.manualPauseFreq;
            break;
        default:
            break;
        }
    }
}

ModuleRecords::Stored ModuleRecords::Stored::of(const ModuleRecord &r)
{
    Stored s;
    s.settings = r.settings;
    for (int i = BypassBeginHi; i <= Command; ++i)
        s.settings[i] = 0;
    for (int i = ModuleEcho; i <= UploadCount; ++i)
        s.settings[i] = 0;
    s.manualPauseFreq = r.manualPauseFreq;
    s.lpfSelection = r.lpfSelection;
    s.manualPause = r.manualPause;
    s.autoPause = r.autoPause;
    return s;
}

bool ModuleRecords::Stored::operator==(const Stored &o) const
{
    return settings == o.settings && manualPauseFreq == o.manualPauseFreq
        && lpfSelection == o.lpfSelection && manualPause == o.manualPause
        && autoPause == o.autoPause;
}

void ModuleRecords::rememberAll()
{
    for (auto it = m_device.records().cbegin(); it != m_device.records().cend(); ++it)
        m_stored.try_emplace(it.key(), Stored::of(it.value()));
}

void ModuleRecords::saveChanged()
{
    // One store for all records.
    QSettings store;
    saveChanged(store);
}

void ModuleRecords::saveChanged(QSettings &store)
{
    for (auto it = m_device.records().cbegin(); it != m_device.records().cend(); ++it) {
        const Stored now = Stored::of(it.value());
        const auto last = m_stored.find(it.key());
        if (last != m_stored.end() && last->second == now)
            continue;
        m_device.SaveModuleSettings(it.key(), store);
        m_stored.insert_or_assign(it.key(), now);
    }
}

void ModuleRecords::defaultsForAll()
{
    // Written whatever was noted: a record may hold defaults already while
    // the store still holds the module's own settings.
    QSettings store;
    for (auto it = m_device.records().begin(); it != m_device.records().end(); ++it) {
        m_device.SetDefaultSettings(it.key());
        m_device.SaveModuleSettings(it.key(), store);
        m_stored.insert_or_assign(it.key(), Stored::of(it.value()));
    }
}
