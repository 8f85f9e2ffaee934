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

    static QString path() { return QStringLiteral(HARRIER_FTD2XX_SIM); }
    static QLibrary &library();
    // False when the library or a control function is missing.
    static bool load();
    // Any function of the library, the driver's entry points included.
    template <typename R, typename... A> static R call(const char *name, A... args)
    {
        return reinterpret_cast<R (*)(A...)>(library().resolve(name))(args...);
    }

    static void reset(int bridges, int device) { call<void>("FTSim_Reset", bridges, device); }
    static void holdAnswers(int ms) { call<void>("FTSim_HoldAnswers", ms); }
    static void shortAnswers(int bytes) { call<void>("FTSim_ShortAnswers", bytes); }
    // From request `from` on (0 = the first after the reset), answers lack
    // `shortBy` bytes and are held back `holdMs`.
    static void faultFrom(int from, int shortBy, int holdMs)
    {
        call<void>("FTSim_FaultFrom", from, shortBy, holdMs);
    }
    // What the Wi-Fi board answers to "AT" (before its '}').
    static void probeAnswer(const QByteArray &answer)
    {
        call<void>("FTSim_ProbeAnswer", answer.constData());
    }
    static void setTuning(int quality, int surplus, int lack, int flags, int level)
    {
        call<void>("FTSim_SetTuning", quality, surplus, lack, flags, level);
    }
    static int openHandles() { return call<int>("FTSim_OpenHandles"); }
    // Successful opens and purges since the last reset.
    static int openCount() { return call<int>("FTSim_OpenCount"); }
    static int purgeCount() { return call<int>("FTSim_PurgeCount"); }
    static int requestCount() { return call<int>("FTSim_RequestCount"); }
    // Request i as the device understood it (320 bytes) and as it was on the wire.
    static QByteArray request(int i);
    static QByteArray wire(int i);
    // The AT commands the Wi-Fi board received, one per line.
    static QString commands();
};
