#pragma once
// The simulated driver's control functions, resolved from the same library
// the link under test loads (one copy in the process, so one state).

#include <QByteArray>
#include <QLibrary>
#include <QString>

class SimControl
{
public:
    enum Bridges { Ft1248 = 1, Fifo = 2, Both = 3 };
    enum Device { NoDevice = 0, WiFi = 1, Ethernet = 2, Tuning = 3 };

    // False when the library or a function is missing.
    static bool load();
    static QString path() { return QStringLiteral(HARRIER_FTD2XX_SIM); }
    // Any function of the library, driver entry points included.
    static QFunctionPointer resolve(const char *name);

    static void reset(int bridges, int device);
    static void holdAnswers(int ms);
    // What the Wi-Fi board answers to "AT" (before its '}').
    static void probeAnswer(const QByteArray &answer);
    static void shortAnswers(int bytes);
    // From request `from` on (0 = the first after the reset), answers lack
    // `shortBy` bytes and are held back `holdMs`.
    static void faultFrom(int from, int shortBy, int holdMs);
    static void setTuning(int quality, int surplus, int lack, int flags, int level);
    static int openHandles();
    // Successful opens and purges since the last reset.
    static int openCount();
    static int purgeCount();
    static int requestCount();
    // Request i as the device understood it (320 bytes) and as it was on the wire.
    static QByteArray request(int i);
    static QByteArray wire(int i);
    // The AT commands the Wi-Fi board received, one per line.
    static QString commands();
};
