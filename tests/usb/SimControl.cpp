#include "SimControl.h"

namespace {

QLibrary &library()
{
    static QLibrary lib(SimControl::path());
    return lib;
}

struct Functions
{
    void (*reset)(int, int) = nullptr;
    void (*hold)(int) = nullptr;
    void (*probe)(const char *) = nullptr;
    void (*shortBy)(int) = nullptr;
    void (*tuning)(int, int, int, int, int) = nullptr;
    int (*handles)() = nullptr;
    int (*opens)() = nullptr;
    int (*count)() = nullptr;
    int (*request)(int, unsigned char *) = nullptr;
    int (*wire)(int, unsigned char *, int) = nullptr;
    int (*commands)(char *, int) = nullptr;
} f;

template <typename T> bool resolve(T &target, const char *name)
{
    target = reinterpret_cast<T>(library().resolve(name));
    return target != nullptr;
}

} // namespace

bool SimControl::load()
{
    return library().load() && resolve(f.reset, "FTSim_Reset")
        && resolve(f.hold, "FTSim_HoldAnswers") && resolve(f.probe, "FTSim_ProbeAnswer")
        && resolve(f.shortBy, "FTSim_ShortAnswers") && resolve(f.tuning, "FTSim_SetTuning")
        && resolve(f.handles, "FTSim_OpenHandles") && resolve(f.opens, "FTSim_OpenCount")
        && resolve(f.count, "FTSim_RequestCount") && resolve(f.request, "FTSim_Request")
        && resolve(f.wire, "FTSim_Wire") && resolve(f.commands, "FTSim_Commands");
}

void SimControl::reset(int bridges, int device)
{
    f.reset(bridges, device);
}

void SimControl::holdAnswers(int ms)
{
    f.hold(ms);
}

void SimControl::probeAnswer(const QByteArray &answer)
{
    f.probe(answer.constData());
}

void SimControl::shortAnswers(int bytes)
{
    f.shortBy(bytes);
}

void SimControl::setTuning(int quality, int surplus, int lack, int flags, int level)
{
    f.tuning(quality, surplus, lack, flags, level);
}

int SimControl::openHandles()
{
    return f.handles();
}

int SimControl::openCount()
{
    return f.opens();
}

int SimControl::requestCount()
{
    return f.count();
}

QByteArray SimControl::request(int i)
{
    QByteArray out(320, '\0');
    if (f.request(i, reinterpret_cast<unsigned char *>(out.data())) != 320)
        return QByteArray();
    return out;
}

QByteArray SimControl::wire(int i)
{
    QByteArray out(640, '\0');
    const int n = f.wire(i, reinterpret_cast<unsigned char *>(out.data()), int(out.size()));
    out.resize(qMin(n, 640));
    return out;
}

QString SimControl::commands()
{
    const int n = f.commands(nullptr, 0);
    QByteArray out(n + 1, '\0');
    f.commands(out.data(), n + 1);
    out.resize(n);
    return QString::fromLatin1(out);
}
