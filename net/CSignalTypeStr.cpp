#include "net/CSignalTypeStr.h"

#include "net/SettingsBlock.h"

namespace {

const char *const kNames[CSignalTypeStr::LastType + 1] = {
    QT_TRANSLATE_NOOP("CSignalTypeStr", "CDMA450"),
    QT_TRANSLATE_NOOP("CSignalTypeStr", "GSM 900"),
    QT_TRANSLATE_NOOP("CSignalTypeStr", "GSM 1800"),
    QT_TRANSLATE_NOOP("CSignalTypeStr", "DECT"),
    QT_TRANSLATE_NOOP("CSignalTypeStr", "3G-2100"),
    QT_TRANSLATE_NOOP("CSignalTypeStr", "3G-900"),
    QT_TRANSLATE_NOOP("CSignalTypeStr", "3G SMS"),
    QT_TRANSLATE_NOOP("CSignalTypeStr", "WLAN 2.4"),
    QT_TRANSLATE_NOOP("CSignalTypeStr", "WLAN 5"),
    QT_TRANSLATE_NOOP("CSignalTypeStr", "Bluetooth"),
    QT_TRANSLATE_NOOP("CSignalTypeStr", "Traffic 2.4"),
    QT_TRANSLATE_NOOP("CSignalTypeStr", "Traffic 5"),
    QT_TRANSLATE_NOOP("CSignalTypeStr", "4G-2600"),
    QT_TRANSLATE_NOOP("CSignalTypeStr", "Unknown"),
    QT_TRANSLATE_NOOP("CSignalTypeStr", "Unknown"),
    QT_TRANSLATE_NOOP("CSignalTypeStr", "Unknown"),
    QT_TRANSLATE_NOOP("CSignalTypeStr", "Jammer GSM"),
    QT_TRANSLATE_NOOP("CSignalTypeStr", "Jammer GPS"),
    QT_TRANSLATE_NOOP("CSignalTypeStr", "SCAN"),
};

using namespace SettingsBlock;

// Threshold and enable byte of types 0 .. 15.
const int kThreshold[CSignalTypeStr::LastSettingsType + 1] = {
    Cdma450Threshold, G900Threshold,      G1800Threshold,     DectThreshold,
    G3Threshold,      G3AddThreshold,     G3AddThreshold,     Wlan24Threshold,
    Wlan5Threshold,   BluetoothThreshold, Traffic24Threshold, Traffic5Threshold,
    G4Threshold,      JammerGsmThreshold, JammerGpsThreshold, ScanSquelch,
};
const int kEnable[CSignalTypeStr::LastSettingsType + 1] = {
    Cdma450Enable, G900Enable,      G1800Enable,     DectEnable,
    G3Enable,      G3AddEnable,     G3AddEnable,     Wlan24Enable,
    Wlan5Enable,   BluetoothEnable, Traffic24Enable, Traffic5Enable,
    G4Enable,      JammerGsmEnable, JammerGpsEnable, ScanEnable,
};

} // namespace

const char *CSignalTypeStr::sourceName(int nType)
{
    if (nType < 0 || nType > LastType)
        return kNames[13];
    return kNames[nType];
}

QString CSignalTypeStr::name(int nType)
{
    return tr(sourceName(nType));
}

int CSignalTypeStr::thresholdByte(int nType)
{
    Q_ASSERT(nType >= 0 && nType <= LastSettingsType);
    return kThreshold[nType];
}

int CSignalTypeStr::enableByte(int nType)
{
    Q_ASSERT(nType >= 0 && nType <= LastSettingsType);
    return kEnable[nType];
}
