#pragma once
// What the settings dialog and the log window do to the records of a device
// model beyond one module's bytes: the "For all" copies to every record, the
// one-shot manual bypass, the bypass map request, the rules that tie the
// settings checks together, and saving to the store only the records that
// changed since it was last written or read.

#include "net/ModuleRecord.h"

#include <QList>

#include <map>
#include <optional>
#include <utility>

class CMasterDevice;
class QSettings;

class ModuleRecords
{
public:
    // The rows of the settings form with a "For all" check, in the order the
    // apply cycle copies them; FreqMatches has no check and is always copied.
    // clang-format off
    enum class ForAll {
        G900, G1800, JammerGsm, JammerGps, Wlan24, Bluetooth, Traffic24, Wlan5, Traffic5,
        Cdma450, G3, G3Add, G4, Dect, Scan,
        BypassScanAuto, BypassScanPattern1, BypassScanPattern2, BypassScanManual, IdentOff,
        DeviceIndication, FreqMatches,
    };
    // clang-format on
    static constexpr int ForAllRows = int(ForAll::FreqMatches) + 1;
    // Whether the global "For all" check sets this row's check (the bands and Scan).
    static bool followsGlobal(ForAll row);

    // The group frames of band enables and the enable bytes of their members.
    enum class Group { Cellular, Band2400, Jammers };
    static QList<int> groupEnables(Group group);

    // The pause checks and what a click on one does to the others.
    struct PauseChecks
    {
        bool scan = false;
        bool autoPause = false;
        bool manualPause = false;
        bool operator==(const PauseChecks &o) const
        {
            return scan == o.scan && autoPause == o.autoPause && manualPause == o.manualPause;
        }
    };
    enum class PauseClick { Scan, AutoPause, ManualPause };
    // checks hold the states after the click; false when a checked manual pause
    // is refused because the record's pause frequency is out of range.
    static bool click(PauseChecks &checks, PauseClick clicked, qint32 manualPauseFreq);
    // A module reports at least one signal type: with every enable byte 0,
    // GSM 900 is enabled; true when it was.
    static bool keepOneDetection(SettingsBlock::Block &block);

    // The bypass range typed as start and stop in MHz; one of them 0 is a
    // single frequency. Nothing when it is no range a module takes.
    static std::optional<std::pair<quint16, quint16>> manualBypassRange(int start, int stop);
    // A one-shot manual bypass of begin .. end for the module's next reply.
    static void writeManualBypass(ModuleRecord &record, quint16 begin, quint16 end);
    // The marks of the bypass list: the "Bypass frequencies to scan" checks.
    struct BypassMarks
    {
        bool digital = false;
        bool pattern1 = false;
        bool pattern2 = false;
        bool manual = false;
    };
    static quint8 bypassFlags(const BypassMarks &marks);
    // Asks the module for its bypass map from the first block on.
    static void requestBypassMap(ModuleRecord &record);
    static void endBypassMapRequest(ModuleRecord &record);

    explicit ModuleRecords(CMasterDevice &device);

    // Every record takes the marker and the row's bytes (for Scan also the
    // pause options) of the source's record.
    void copyToAll(quint8 source, ForAll row);
    // mode 0: bytes first and second; 1: byte first and bytes second ..
    // second + 3; 2: the second bytes from first on; 3: the pause options.
    void copyToAll(quint8 source, int mode, int first, int second);

    // Notes the stored part of every record not seen before: what the store
    // holds for it (or what loading would give).
    void rememberAll();
    // Writes every record whose stored part differs from what was noted.
    void saveChanged();
    void saveChanged(QSettings &store);
    // Every record back to the factory settings, each written to the store
    // even when its record held them already.
    void defaultsForAll();

private:
    // The part of a record that the store keeps, without the bytes that
    // change with every frame or reply (echoes, one-shot commands, uploads).
    struct Stored
    {
        SettingsBlock::Block settings{};
        qint32 manualPauseFreq = 0;
        qint32 lpfSelection = 0;
        bool manualPause = false;
        bool autoPause = false;

        static Stored of(const ModuleRecord &record);
        bool operator==(const Stored &o) const;
    };

    CMasterDevice &m_device;
    std::map<quint8, Stored> m_stored;
};
