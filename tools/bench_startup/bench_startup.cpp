// Measures the station's start-up time: from starting the process to the
// moment its module server accepts a connection. Runs the station several
// times with a throw-away settings store and reports each time and the median.
//
// Usage: bench_startup [runs=10]   (set QT_QPA_PLATFORM for the station as needed)

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>

namespace {

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::AnyIPv4, 0);
    return probe.serverPort();
}

// Milliseconds until the port accepts, or -1.
double startOnce(const QString &settingsHome)
{
    const quint16 port = freePort();
    QProcess station;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", settingsHome + "/config");
    env.insert("XDG_DATA_HOME", settingsHome + "/data");
    if (!env.contains("QT_QPA_PLATFORM"))
        env.insert("QT_QPA_PLATFORM", "offscreen");
    station.setProcessEnvironment(env);

    QElapsedTimer clock;
    clock.start();
    station.start(HARRIER_STATION, { "--port", QString::number(port) });
    if (!station.waitForStarted(5000)) {
        std::fprintf(stderr, "cannot start %s: %s\n", HARRIER_STATION,
                     qPrintable(station.errorString()));
        return -1;
    }
    double elapsed = -1;
    while (clock.elapsed() < 10000 && station.state() == QProcess::Running) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port);
        if (probe.waitForConnected(50)) {
            elapsed = clock.nsecsElapsed() / 1e6;
            break;
        }
        QThread::msleep(1);
    }
    station.terminate();
    if (!station.waitForFinished(5000))
        station.kill();
    return elapsed;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        const double t = startOnce(home.path());
        if (t < 0) {
            std::fprintf(stderr, "run %d: the server never listened\n", i + 1);
            return 1;
        }
        std::printf("run %d: %.1f ms%s\n", i + 1, t,
                    i == 0 ? " (first start: writes the defaults)" : "");
        times << t;
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "median start-up to a listening server: %.1f ms over %d runs (min %.1f, max %.1f)\n",
        times[times.size() / 2], runs, times.first(), times.last());
    return 0;
}
