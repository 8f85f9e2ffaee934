#include "SimControl.h"

namespace {

QLibrary &library()
{
    static QLibrary lib(SimControl::path());
    return lib;
}

template <typename F> F fn(const char *name)
{
    return reinterpret_cast<F>(library().resolve(name));
}

} // namespace

bool SimControl::load()
{
    for (const char *name :
         { "FTSim_Reset", "FTSim_HoldAnswers", "FTSim_ProbeAnswer", "FTSim_ShortAnswers",
           "FTSim_FaultFrom", "FTSim_SetTuning", "FTSim_OpenHandles", "FTSim_OpenCount",
           "FTSim_PurgeCount", "FTSim_RequestCount", "FTSim_Request", "FTSim_Wire",
           "FTSim_Commands" })
        if (!library().load() || !resolve(name))
            return false;
    return true;
}

QFunctionPointer SimControl::resolve(const char *name)
{
    return library().resolve(name);
}

void SimControl::reset(int bridges, int device)
{
    fn<void (*)(int, int)>("FTSim_Reset")(bridges, device);
}

void SimControl::holdAnswers(int ms)
{
    fn<void (*)(int)>("FTSim_HoldAnswers")(ms);
}

void SimControl::probeAnswer(const QByteArray &answer)
{
    fn<void (*)(const char *)>("FTSim_ProbeAnswer")(answer.constData());
}

void SimControl::shortAnswers(int bytes)
{
    fn<void (*)(int)>("FTSim_ShortAnswers")(bytes);
}

void SimControl::faultFrom(int from, int shortBy, int holdMs)
{
    fn<void (*)(int, int, int)>("FTSim_FaultFrom")(from, shortBy, holdMs);
}

void SimControl::setTuning(int quality, int surplus, int lack, int flags, int level)
{
    fn<void (*)(int, int, int, int, int)>("FTSim_SetTuning")(quality, surplus, lack, flags, level);
}

int SimControl::openHandles()
{
    return fn<int (*)()>("FTSim_OpenHandles")();
}

int SimControl::openCount()
{
    return fn<int (*)()>("FTSim_OpenCount")();
}

int SimControl::purgeCount()
{
    return fn<int (*)()>("FTSim_PurgeCount")();
}

int SimControl::requestCount()
{
    return fn<int (*)()>("FTSim_RequestCount")();
}

QByteArray SimControl::request(int i)
{
    QByteArray out(320, '\0');
    if (fn<int (*)(int, unsigned char *)>("FTSim_Request")(
            i, reinterpret_cast<unsigned char *>(out.data()))
        != 320)
        return QByteArray();
    return out;
}

QByteArray SimControl::wire(int i)
{
    QByteArray out(640, '\0');
    const int n = fn<int (*)(int, unsigned char *, int)>("FTSim_Wire")(
        i, reinterpret_cast<unsigned char *>(out.data()), int(out.size()));
    out.resize(qMin(n, 640));
    return out;
}

QString SimControl::commands()
{
    const auto get = fn<int (*)(char *, int)>("FTSim_Commands");
    QByteArray out(get(nullptr, 0) + 1, '\0');
    out.resize(get(out.data(), int(out.size())));
    return QString::fromLatin1(out);
}
