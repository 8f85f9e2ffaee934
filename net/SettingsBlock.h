#pragma once
// Byte positions of the 70-byte module settings block and their factory defaults.

#include <array>
#include <QtGlobal>

namespace SettingsBlock {

constexpr int Size = 70;

// clang-format off
enum Byte : int {
    Marker = 0,
    G900Threshold = 1, G1800Threshold = 2, JammerGsmThreshold = 3, JammerGpsThreshold = 4,
    Wlan24Threshold = 5, BluetoothThreshold = 6, Traffic24Threshold = 7, Wlan5Threshold = 8,
    Traffic5Threshold = 9, Cdma450Threshold = 10, G3Threshold = 11, G3AddThreshold = 12,
    G4Threshold = 13, DectThreshold = 14, ScanSquelch = 15, ScanBegin = 16, ScanEnd = 17,
    ScanStep = 18,
    G900Enable = 19, G1800Enable = 20, JammerGsmEnable = 21, JammerGpsEnable = 22,
    Wlan24Enable = 23, BluetoothEnable = 24, Traffic24Enable = 25, Wlan5Enable = 26,
    Traffic5Enable = 27, Cdma450Enable = 28, G3Enable = 29, G3AddEnable = 30, G4Enable = 31,
    DectEnable = 32, ScanEnable = 33,
    FreqMatches = 34, BypassScanAuto = 35, BypassScanManual = 36,
    BypassBeginHi = 37, BypassBeginLo = 38, BypassEndHi = 39, BypassEndLo = 40, BypassKind = 41,
    Command = 42, IdentOff = 43, BypassScanPattern1 = 44, BypassScanPattern2 = 45,
    Fixed46 = 46, ModuleEcho = 47, LinkSeqEcho = 48, UploadIndex = 49, UploadCount = 50,
    PauseFreqHi = 51, PauseFreqLo = 52, LpfSelection = 53, LedHigh = 54, AlarmSound = 55,
    LedLow = 56, OfflineMode = 57, PauseFlags = 58, Fixed59 = 59, Fixed60 = 60,
};
// clang-format on

constexpr quint8 MarkerValue = 158;
constexpr quint8 ManualPauseFlag = 2;  // bit value in PauseFlags
constexpr quint8 ManualBypassKind = 8; // BypassKind of a single manual range

// Command byte values.
constexpr quint8 CommandNone = 0;
constexpr quint8 CommandEraseManualBypass = 2;
constexpr quint8 CommandSendBypassMap = 8;

// Scan range, bypass and pause frequencies a module accepts, in MHz.
constexpr int MinFrequencyMHz = 25;
constexpr int MaxFrequencyMHz = 6000;
constexpr bool isModuleFrequency(int mhz)
{
    return mhz >= MinFrequencyMHz && mhz <= MaxFrequencyMHz;
}
// Scan begin and end bytes count in this many MHz.
constexpr int ScanUnitMHz = 25;
// Upload index and count are single bytes.
constexpr int MaxUploadEntries = 255;

using Block = std::array<quint8, Size>;

constexpr Block defaults()
{
    return Block{ {
        158, 37, 37, 32, 32, 57, 57, 45,  57, 45, //  0 ..  9
        37,  32, 42, 42, 57, 20, 1,  240, 20, 1,  // 10 .. 19
        1,   0,  0,  1,  0,  1,  0,  1,   1,  1,  // 20 .. 29
        0,   1,  1,  0,  2,  1,  0,  0,   0,  0,  // 30 .. 39
        0,   0,  0,  0,  0,  0,  39, 0,   0,  0,  // 40 .. 49
        0,   0,  0,  0,  0,  0,  0,  0,   0,  4,  // 50 .. 59
        54,  0,  0,  0,  0,  0,  0,  0,   0,  0,  // 60 .. 69
    } };
}

// Station-side defaults kept beside the block in a ModuleRecord.
constexpr qint32 DefaultManualPauseFreq = 500;
constexpr qint32 DefaultLpfSelection = 2;

} // namespace SettingsBlock
