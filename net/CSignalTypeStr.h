#pragma once
// The signal catalogue: display names of the signal types and the settings
// block bytes that hold each type's threshold and enable flag.

#include <QCoreApplication>
#include <QString>

class CSignalTypeStr
{
    Q_DECLARE_TR_FUNCTIONS(CSignalTypeStr)

public:
    enum Type {
        Cdma450 = 0,
        Gsm900 = 1,
        Gsm1800 = 2,
        Dect = 3,
        G3_2100 = 4,
        G3_900 = 5,
        G3Sms = 6,
        Wlan24 = 7,
        Wlan5 = 8,
        Bluetooth = 9,
        Traffic24 = 10,
        Traffic5 = 11,
        G4_2600 = 12,
        JammerGsm = 16,
        JammerGps = 17,
        Scan = 18,
    };
    static constexpr int LastType = 18;
    static constexpr int LastSettingsType = 15; // types with threshold and enable bytes

    // Translated display name; "Unknown" for 13 .. 15 and anything outside 0 .. 18.
    static QString name(int nType);
    // Untranslated source text of the name, for the translation context.
    static const char *sourceName(int nType);

    // Settings block positions for types 0 .. 15; callers must not pass other types.
    static int thresholdByte(int nType);
    static int enableByte(int nType);

    static bool isTraffic(int nType) { return nType == Traffic24 || nType == Traffic5; }
};
