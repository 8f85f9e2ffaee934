// harrier-modsim: simulates a network of modules against a station, following
// a scenario file, or plays the module side of a capture back.
//
//   harrier-modsim [--host H] [--port P] [--modules 1-40] [--rate R]
//                  [--duration S] [--timeout S] [--map-bulk] SCENARIO.json
//   harrier-modsim [--host H] [--port P] --replay FILE [--speed X]
//
// Prints one summary line a second; exits 1 when the station stops answering
// (or, replaying, when a reply differs), 2 on bad arguments or files.

#include "net/PcapNg.h"
#include "net/WireProtocol.h"
#include "tools/modsim/Replayer.h"
#include "tools/modsim/Scenario.h"
#include "tools/modsim/SimClient.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

int fail(const QString &text)
{
    fprintf(stderr, "harrier-modsim: %s\n", qPrintable(text));
    return 2;
}

int replay(QCoreApplication &app, const QString &path, const QString &host, quint16 port,
           double speed, int timeoutMs)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1: %2").arg(path, file.errorString()));
    QVector<PcapNg::Packet> packets;
    QString error;
    if (!PcapNg::read(file.readAll(), packets, &error))
        return fail(QStringLiteral("%1: %2").arg(path, error));
    Replayer replayer;
    QObject::connect(&replayer, &Replayer::finished, &app, &QCoreApplication::quit);
    replayer.start(packets, host, port, speed, timeoutMs);
    app.exec();
    const auto &diffs = replayer.differences();
    for (int i = 0; i < diffs.size() && i < 200; ++i)
        printf("%s\n", qPrintable(Replayer::describe(diffs[i])));
    printf("replay: %d frames sent, %d replies compared, %d differences%s\n", replayer.framesSent(),
           replayer.repliesCompared(), int(diffs.size()),
           replayer.stationAnswered() ? "" : ", the station stopped answering");
    return replayer.stationAnswered() && diffs.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("harrier-modsim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulates radio-monitoring modules."));
    parser.addHelpOption();
    const QCommandLineOption host(QStringLiteral("host"), QStringLiteral("Station address."),
                                  QStringLiteral("host"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Station port."),
                                  QStringLiteral("port"), QString::number(Wire::DefaultPort));
    const QCommandLineOption modules(QStringLiteral("modules"),
                                     QStringLiteral("Modules to simulate, e.g. 1-40 or 1,3,5 "
                                                    "(default: the scenario's)."),
                                     QStringLiteral("list"));
    const QCommandLineOption rate(QStringLiteral("rate"),
                                  QStringLiteral("Frames per second per module (default 2)."),
                                  QStringLiteral("rate"), QStringLiteral("2"));
    const QCommandLineOption duration(
        QStringLiteral("duration"),
        QStringLiteral("Stop after this many seconds (default: the scenario's end)."),
        QStringLiteral("seconds"));
    const QCommandLineOption timeout(
        QStringLiteral("timeout"),
        QStringLiteral("Seconds without an answer before giving up (default 5)."),
        QStringLiteral("seconds"), QStringLiteral("5"));
    const QCommandLineOption bulk(QStringLiteral("map-bulk"),
                                  QStringLiteral("Answer a map request with one bulk frame."));
    const QCommandLineOption replayOption(QStringLiteral("replay"),
                                          QStringLiteral("Play the module side of a capture."),
                                          QStringLiteral("file"));
    const QCommandLineOption speed(QStringLiteral("speed"),
                                   QStringLiteral("Replay speed factor (default 1)."),
                                   QStringLiteral("factor"), QStringLiteral("1"));
    parser.addOptions({ host, port, modules, rate, duration, timeout, bulk, replayOption, speed });
    parser.addPositionalArgument(QStringLiteral("scenario"),
                                 QStringLiteral("Scenario file (JSON)."));
    parser.process(app);

    bool ok = false;
    const uint portValue = parser.value(port).toUInt(&ok);
    if (!ok || portValue == 0 || portValue > 65535)
        return fail(QStringLiteral("bad port"));
    const double timeoutSeconds = parser.value(timeout).toDouble(&ok);
    if (!ok || timeoutSeconds <= 0)
        return fail(QStringLiteral("bad timeout"));
    const QString hostName = parser.value(host);

    if (parser.isSet(replayOption)) {
        const double factor = parser.value(speed).toDouble(&ok);
        if (!ok || factor <= 0)
            return fail(QStringLiteral("bad speed"));
        return replay(app, parser.value(replayOption), hostName, quint16(portValue), factor,
                      int(timeoutSeconds * 1000));
    }

    if (parser.positionalArguments().size() != 1)
        return fail(QStringLiteral("one scenario file expected (see --help)"));
    const QString path = parser.positionalArguments().first();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1: %2").arg(path, file.errorString()));
    Scenario scenario;
    QString error;
    if (!scenario.load(file.readAll(), &error))
        return fail(QStringLiteral("%1: %2").arg(path, error));
    QList<int> moduleList = scenario.modules();
    if (parser.isSet(modules) && !Scenario::parseModules(parser.value(modules), moduleList))
        return fail(QStringLiteral("bad module list (1 .. 255)"));
    const double framesPerSecond = parser.value(rate).toDouble(&ok);
    if (!ok || framesPerSecond <= 0 || framesPerSecond > 1000)
        return fail(QStringLiteral("bad rate"));
    double runSeconds = scenario.loops() ? 0 : scenario.length();
    if (parser.isSet(duration)) {
        runSeconds = parser.value(duration).toDouble(&ok);
        if (!ok || runSeconds <= 0)
            return fail(QStringLiteral("bad duration"));
    }

    QElapsedTimer clock;
    clock.start();
    SimClient::Counts counts;
    std::vector<std::unique_ptr<SimClient>> clients;
    const int intervalMs = qMax(1, int(1000 / framesPerSecond));
    for (int m : moduleList) {
        clients.push_back(std::make_unique<SimClient>(
            quint8(m), scenario, hostName, quint16(portValue), framesPerSecond, clock, counts));
        if (parser.isSet(bulk))
            clients.back()->module().setMapMode(SimModule::MapMode::Bulk);
        clients.back()->start(int(QRandomGenerator::global()->bounded(intervalMs)));
    }
    printf("%s: %d modules at %g frames/s to %s:%u\n",
           qPrintable(scenario.name().isEmpty() ? path : scenario.name()), int(clients.size()),
           framesPerSecond, qPrintable(hostName), portValue);
    fflush(stdout);

    int status = 0;
    quint64 lastSent = 0, lastReplies = 0;
    QTimer summary;
    QObject::connect(&summary, &QTimer::timeout, &app, [&] {
        const double t = clock.elapsed() / 1000.0;
        int connected = 0;
        qint64 longestWait = 0;
        for (const auto &c : clients) {
            connected += c->isConnected();
            longestWait = qMax(longestWait, c->waitingMs());
        }
        printf("%6.0f s  %d/%d connected  frames %llu (+%llu)  replies %llu (+%llu)  "
               "reply p50 %.2f ms p99 %.2f ms\n",
               t, connected, int(clients.size()), (unsigned long long)counts.sent,
               (unsigned long long)(counts.sent - lastSent), (unsigned long long)counts.replies,
               (unsigned long long)(counts.replies - lastReplies),
               percentile(counts.latenciesMs, 0.5), percentile(counts.latenciesMs, 0.99));
        fflush(stdout);
        lastSent = counts.sent;
        lastReplies = counts.replies;
        counts.latenciesMs.clear();
        if (longestWait > timeoutSeconds * 1000) {
            fprintf(stderr,
                    "harrier-modsim: the station stopped answering (%lld ms without a reply)\n",
                    (long long)longestWait);
            status = 1;
            app.quit();
        } else if (runSeconds > 0 && t >= runSeconds) {
            app.quit();
        }
    });
    summary.start(1000);
    app.exec();
    for (auto &c : clients)
        c->stop();
    if (counts.badReplies > 0)
        fprintf(stderr, "harrier-modsim: %llu replies with a wrong marker or checksum\n",
                (unsigned long long)counts.badReplies);
    return status;
}
