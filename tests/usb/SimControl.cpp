#include "SimControl.h"

QLibrary &SimControl::library()
{
    static QLibrary lib(SimControl::path());
    return lib;
}

bool SimControl::load()
{
    for (const char *name :
         { "FTSim_Reset", "FTSim_HoldAnswers", "FTSim_ProbeAnswer", "FTSim_ShortAnswers",
           "FTSim_FaultFrom", "FTSim_SetTuning", "FTSim_OpenHandles", "FTSim_OpenCount",
           "FTSim_PurgeCount", "FTSim_RequestCount", "FTSim_Request", "FTSim_Wire",
           "FTSim_Commands" })
        if (!library().load() || !library().resolve(name))
            return false;
    return true;
}

QByteArray SimControl::request(int i)
{
    QByteArray out(320, '\0');
    const int n = call<int>("FTSim_Request", i, reinterpret_cast<unsigned char *>(out.data()));
    return n == 320 ? out : QByteArray();
}

QByteArray SimControl::wire(int i)
{
    QByteArray out(640, '\0');
    out.resize(qMin(640,
                    call<int>("FTSim_Wire", i, reinterpret_cast<unsigned char *>(out.data()),
                              int(out.size()))));
    return out;
}

QString SimControl::commands()
{
    QByteArray out(call<int>("FTSim_Commands", static_cast<char *>(nullptr), 0) + 1, '\0');
    out.resize(call<int>("FTSim_Commands", out.data(), int(out.size())));
    return QString::fromLatin1(out);
}
