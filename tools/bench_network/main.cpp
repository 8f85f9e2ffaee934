// The full-network benchmark: the real main window (every module window shown,
// offscreen) against modules on the loopback, beside a bare responder that
// only frames and answers, measured in the same run.
//
// Usage: bench_network [--only=bare|station] [--localization | --localization-reports]
//                      [--settings-dialog] [--journal] [--syslog] [--event-reports]
//                      [seconds=10] [modules:rate ...]
//   --journal runs the station with its event journal on (in a throw-away
//   data folder).
//   --syslog runs the station forwarding events to a syslog collector over
//   TCP that is down (a local port nobody listens on): queued, retried, dropped.
//   --event-reports has every frame close one event and open another.
//   rate is frames per second per module; 0 means flat out (next frame when
//   the reply came). Default scenarios: 255:2 8:0.
//   --localization turns "Options/Localization" on for the station and has the
//   modules report signals that the localization finds in threes;
//   --localization-reports sends those reports with the option left off.
//   --settings-dialog keeps module 1's settings dialog open (its apply cycle
//   running) through the station runs.
//   --capture runs every station scenario again with the link captured to a
//   pcapng file and compares the CPU time spent.

#include "BareResponder.h"
#include "LoadGenerator.h"

#include "app/CMainWindow.h"
#include "app/CQMdiArea.h"
#include "app/EmitterLocalization.h"
#include "app/StyleSheet.h"
#include "display/CShapedCircle.h"
#include "eventlog/EventJournal.h"
#include "eventlog/SyslogForwarder.h"
#include "net/CaptureWriter.h"
#include "net/Data.h"
#include "net/StationGlobals.h"
#include "settings/CSettingsDialog.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <memory>

namespace {

struct Scenario
{
    int modules;
    double rate;
};

void runEventLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

QString procStatus(const char *field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    const QRegularExpression re(QString::fromLatin1(field) + QStringLiteral(":\\s*(\\d+) kB"));
    const auto m = re.match(QString::fromLatin1(f.readAll()));
    return m.hasMatch() ? QString::number(m.captured(1).toLongLong() / 1024.0, 'f', 1) + " MB"
                        : QStringLiteral("?");
}

QString cpuModel()
{
    QFile f(QStringLiteral("/proc/cpuinfo"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    const auto m = QRegularExpression(QStringLiteral("model name\\s*:\\s*(.*)"))
                       .match(QString::fromLatin1(f.readAll()));
    return m.hasMatch() ? m.captured(1).trimmed() : QStringLiteral("?");
}

LoadGenerator::Reports reports = LoadGenerator::Reports::Steady;

double cpuSeconds(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

// CPU time while measuring: of the GUI thread, and of the station (the whole
// process but the load generator's thread: the GUI thread and a capture writer).
struct Cpu
{
    double gui = 0;
    double station = 0;
};

Cpu run(const char *target, quint16 port, const Scenario &s, int seconds)
{
    LoadGenerator load;
    const int connected = load.start(port, s.modules, s.rate, reports);
    // Measured once every module window exists and what piled up meanwhile is answered.
    QElapsedTimer settle;
    settle.start();
    runEventLoop(1000);
    while (load.outstanding() > s.modules && settle.elapsed() < 60000)
        runEventLoop(200);
    const double settledS = settle.elapsed() / 1e3;

    load.beginMeasuring();
    QElapsedTimer clock;
    clock.start();
    const double guiStart = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    const double processStart = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    runEventLoop(seconds * 1000);
    const double gui = cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - guiStart;
    const double process = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processStart;
    const double elapsed = clock.nsecsElapsed() / 1e9;
    LoadGenerator::Result r = load.stop();
    const Cpu cpu{ gui, process - r.generatorCpu };
    const QString rate = s.rate > 0 ? QString::number(s.rate) + "/s" : QStringLiteral("flat out");
    std::printf(
        "%-8s %3d modules x %-8s connected %3d  settled in %.1f s  sent %7lld  answered %7lld"
        " (%.0f frames/s)  latency p50 %.2f ms  p99 %.2f ms  max %.2f ms"
        "  cpu gui %.2f s station %.2f s\n",
        target, s.modules, qPrintable(rate), connected, settledS, qlonglong(r.sent),
        qlonglong(r.answered), r.answered / elapsed, r.percentile(50), r.percentile(99), r.maxMs(),
        cpu.gui, cpu.station);
    std::fflush(stdout);
    runEventLoop(300); // the station sees the modules go
    return cpu;
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    // Nothing of the benchmark lands in the user's settings or data folders.
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath("data").toLocal8Bit());
    qputenv("HOME", home.path().toLocal8Bit()); // the data folder in test mode
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setStyleSheet(applicationStyleSheet()); // as the station does
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());

    QStringList args = QCoreApplication::arguments().mid(1);
    QString only;
    bool localization = false;
    bool settingsDialog = false;
    bool capture = false;
    Edition edition = Edition::demo();
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option.startsWith(QLatin1String("--only="))) {
            only = option.mid(7);
        } else if (option == QLatin1String("--localization")) {
            localization = true;
            reports = LoadGenerator::Reports::Localization;
        } else if (option == QLatin1String("--journal")) {
            edition.journal = true;
        } else if (option == QLatin1String("--syslog")) {
            edition.syslog = true;
        } else if (option == QLatin1String("--event-reports")) {
            reports = LoadGenerator::Reports::Events;
        } else if (option == QLatin1String("--capture")) {
            capture = true;
        } else if (option == QLatin1String("--settings-dialog")) {
            settingsDialog = true;
        } else if (option == QLatin1String("--localization-reports")) {
            reports = LoadGenerator::Reports::Localization;
        } else {
            std::fprintf(stderr, "unknown option %s\n", qPrintable(option));
            return 2;
        }
    }
    const int seconds = args.isEmpty() ? 10 : qMax(1, args.takeFirst().toInt());
    QList<Scenario> scenarios;
    for (const QString &arg : args) {
        const QStringList parts = arg.split(QLatin1Char(':'));
        scenarios.append(Scenario{ parts.value(0).toInt(), parts.value(1).toDouble() });
    }
    if (scenarios.isEmpty())
        scenarios = { { 255, 2 }, { 8, 0 } };

    std::printf("machine: %d cores, %s; Qt %s; platform %s\n", QThread::idealThreadCount(),
                qPrintable(cpuModel()), qVersion(), qPrintable(QGuiApplication::platformName()));
    std::printf("reports: %s; localization %s\n",
                reports == LoadGenerator::Reports::Localization ? "found in threes"
                    : reports == LoadGenerator::Reports::Events ? "a new event every frame"
                                                                : "steady",
                localization ? "on" : "off");

    BareResponder bare;
    if (!bare.listen())
        return 1;
    if (only != QLatin1String("station"))
        for (const Scenario &s : scenarios)
            run("bare", bare.serverPort(), s, seconds);
    if (only == QLatin1String("bare"))
        return 0;

    CMainWindow window(0, false, edition);
    if (edition.journal)
        std::printf("journal: %s\n",
                    window.journal() && window.journal()->isWorking()
                        ? qPrintable(window.journal()->path())
                        : "not working");
    window.resize(1024, 768); // the station's default size
    window.show();
    if (!window.server()->isListening())
        return 1;
    // After the window's start-up, which writes the option defaults into the empty store.
    if (localization)
        StationOptions::instance().setValue(SettingsKeys::Localization, true);
    quint16 downPort = 0;
    if (edition.syslog) {
        {
            QTcpServer probe; // a port that was free a moment ago: nobody listens there
            probe.listen(QHostAddress::LocalHost);
            downPort = probe.serverPort();
        }
        StationOptions &options = StationOptions::instance();
        options.setValue(SettingsKeys::SyslogHost, QStringLiteral("127.0.0.1"));
        options.setValue(SettingsKeys::SyslogPort, downPort);
        options.setValue(SettingsKeys::SyslogEnabled, true);
        std::printf("syslog: forwarding to 127.0.0.1:%d, where no collector listens\n", downPort);
    }
    runEventLoop(300);
    std::printf("station started: resident %s\n", qPrintable(procStatus("VmRSS")));
    std::unique_ptr<CSettingsDialog> dialog;
    if (settingsDialog) {
        // Shown without blocking; its one-second apply cycle runs as under exec().
        dialog = std::make_unique<CSettingsDialog>(1, &window.server()->device, nullptr);
        dialog->show();
        std::printf("settings dialog of module 1 open\n");
    }
    // First as the windows were placed when their modules appeared (Qt's own
    // placement stacks a full network deep), then as a grid after "Rearrange
    // modules" (or remembered positions).
    QList<Cpu> plain;
    for (const Scenario &s : scenarios)
        plain.append(run("station", window.server()->serverPort(), s, seconds));
    if (capture) {
        // The same runs with every frame and reply captured; the writer thread's
        // CPU counts as the station's.
        for (int i = 0; i < scenarios.size(); ++i) {
            CaptureWriter writer;
            const QString path = home.filePath(QStringLiteral("bench.pcapng"));
            if (!writer.open(path)) {
                std::fprintf(stderr, "capture: %s\n", qPrintable(writer.errorString()));
                return 1;
            }
            window.server()->link().setCapture(&writer);
            const Cpu cpu = run("capture", window.server()->serverPort(), scenarios[i], seconds);
            window.server()->link().setCapture(nullptr);
            const bool ok = writer.close();
            const double extra = (cpu.station - plain[i].station) / plain[i].station * 100;
            std::printf("capture: %llu packets written, %llu dropped, %.1f MB%s; station CPU "
                        "%+.2f s = %+.1f %% of the station's CPU without capture\n",
                        static_cast<unsigned long long>(writer.written()),
                        static_cast<unsigned long long>(writer.dropped()),
                        QFileInfo(path).size() / 1e6, ok ? "" : " (write failed)",
                        cpu.station - plain[i].station, extra);
        }
    }
    window.mdiArea()->RearrangeModules();
    for (const Scenario &s : scenarios)
        run("grid", window.server()->serverPort(), s, seconds);
    if (localization) {
        // What the last record left, and the search alone over the records the runs left.
        const EmitterLocalization::State &last = window.localization().state();
        // Per record, one module's level changes; from scratch, every module is indexed anew.
        QMap<quint8, ModuleRecord> records = window.server()->device.records();
        const QList<quint8> modules = records.keys();
        EmitterLocalization probe;
        probe.setMainWindowMinimized(false);
        const int updates = 2000;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < updates && !modules.isEmpty(); ++i) {
            const quint8 m = modules.at(i % modules.size());
            records[m].lastChannels[0].nLevel ^= 1;
            probe.Update(records, StationGlobals::correctModules, StationGlobals::sensitivityScale,
                         true);
        }
        const double perRecord = clock.nsecsElapsed() / 1e3 / updates;
        clock.start();
        for (int i = 0; i < updates / 10; ++i) {
            EmitterLocalization fresh;
            fresh.setMainWindowMinimized(false);
            fresh.Update(records, StationGlobals::correctModules, StationGlobals::sensitivityScale,
                         true);
        }
        std::printf(
            "localization: flags 0x%x, %d candidates, marker %s; over %d module records one "
            "record's update takes %.1f us, a search from scratch %.1f us\n",
            last.flags, last.candidateCount, window.marker()->isVisible() ? "shown" : "hidden",
            int(records.size()), perRecord, clock.nsecsElapsed() / 1e3 / (updates / 10));
    }

    // Memory: a module window for each of 255 modules and a full event log.
    for (int m = 1; m <= 255; ++m) {
        DATA d;
        d.nID = quint8(m);
        d.nFormat = 4;
        d.nRSSI = 31;
        window.OnDisplayData(d);
    }
    runEventLoop(500);
    std::printf("station with %d module windows: resident %s\n", window.mdiArea()->SubWindowCount(),
                qPrintable(procStatus("VmRSS")));
    QElapsedTimer fill;
    fill.start();
    for (int k = 0; k < 1002; ++k) {
        for (int m = 1; m <= 255; ++m) {
            DATA d;
            d.nID = quint8(m);
            d.nFormat = 4;
            d.channel[0] = CHANNEL{ 1, 1 + (k & 1), -50, -80, -90, 0, 0, 900.0 };
            window.eventLog().AddData(d);
        }
    }
    std::printf("event log filled with 255 x 1002 records, each closing and opening an event: "
                "%.2f us per record\n",
                fill.nsecsElapsed() / 1e3 / (255.0 * 1002));
    if (window.syslog())
        std::printf("syslog: %d waiting, %llu dropped\n", window.syslog()->waiting(),
                    qulonglong(window.syslog()->dropped()));
    QList<EVENT> events;
    window.eventLog().GetEvents(events, 0);
    const qsizetype count = events.size();
    events = QList<EVENT>();
    runEventLoop(500);
    std::printf("with %lld events: resident %s (peak %s)\n", qlonglong(count),
                qPrintable(procStatus("VmRSS")), qPrintable(procStatus("VmHWM")));
    return 0;
}
