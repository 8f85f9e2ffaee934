#pragma once
// Plays a network of modules against a server on the loopback, from a thread
// of its own: each module sends one measurement frame at a steady pace, or its
// next frame as soon as the previous reply came (flat out), and times every
// 71-byte reply.
// Replies slower than SlowReplyMs are counted from the start on, so that a
// connect storm shows when the last slow reply came.

#include <QObject>
#include <QThread>

#include <vector>

class LoadGenerator : public QObject
{
    Q_OBJECT

public:
    struct Result
    {
        int connected = 0;
        qint64 sent = 0;
        qint64 answered = 0;
        double seconds = 0;
        std::vector<double> latenciesMs; // of the replies that came while measuring
        double generatorCpu = 0;         // CPU seconds of the generator's thread while measuring
        qint64 unanswered = 0;           // frames without a reply a second after sending stopped
        // In ms since start(): when the last module connected, and when the
        // last slow reply came (-1: none); slow replies in all.
        double lastConnectMs = 0;
        double lastSlowReplyMs = -1;
        qint64 slowReplies = 0;
        double percentile(double p) const;
        double maxMs() const;
    };

    static constexpr double SlowReplyMs = 5;

    LoadGenerator();
    ~LoadGenerator() override;

    // What the modules report: one GSM 900 detection at -60 dBm each, or
    // signals that the emitter localization finds in threes (GSM 900 at
    // levels that differ by module and swap from frame to frame, and the
    // scanning receiver a few MHz apart), or a detection that turns from GSM
    // 900 to GSM 1800 and back every frame (an event closes and one opens).
    enum class Reports { Steady, Localization, Events };

    // Connects `modules` modules numbered from `firstModule` (after 255 comes
    // 1 again) and starts sending; a rate of 0 frames per second means flat
    // out. The connects are spread evenly over `connectWithinMs`. Returns the
    // number connected.
    int start(quint16 port, int modules, double framesPerSecond, Reports reports = Reports::Steady,
              int firstModule = 1, int connectWithinMs = 0);
    // Frames sent and not yet answered, over all modules.
    qint64 outstanding();
    // Counts from now on.
    void beginMeasuring();
    // Stops sending, waits up to a second for the replies still due, closes
    // the connections and returns what was measured.
    Result stop();

private:
    class Module;
    static double threadCpuSeconds();
    double m_cpuStart = 0;
    qint64 m_startNs = 0;
    QThread m_thread;
    QObject *m_root = nullptr;
};
