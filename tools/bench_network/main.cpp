// The full-network benchmark: the real main window (every module window shown,
// offscreen) against modules on the loopback, beside a bare responder that
// only frames and answers, measured in the same run.
//
// Usage: bench_network [--only=bare|station] [--localization | --localization-reports]
//                      [--settings-dialog] [--journal] [--syslog] [--event-reports]
//                      [--storm[=rate]] [--windows] [seconds=10]
//                      [modules:rate[+modules:rate] ...]
//   --journal runs the station with its event journal on (in a throw-away
//   data folder).
//   --syslog runs the station forwarding events to a syslog collector over
//   TCP that is down (a local port nobody listens on): queued, retried, dropped.
//   --event-reports has every frame close one event and open another.
//   rate is frames per second per module; 0 means flat out (next frame when
//   the reply came). Default scenarios: 255:2 8:0. Groups joined by '+' run
//   at once, each measured on its own (255:2+8:0: eight modules flat out
//   beside a reporting network; module numbers go on from the group before,
//   after 255 from 1 again).
//   --storm first connects 255 modules within 100 ms (2 frames/s each unless
//   a rate is given) to a station that has no module window yet, and tells
//   how long after the last connect replies still took over 5 ms.
//   --windows runs no network: it times 255 module windows created on the
//   record path (and the event loop's pass after each), on the clock and in
//   thread CPU time, beside a record for a window that exists, then goes on
//   to the memory figures.
//   --localization turns "Options/Localization" on for the station and has the
//   modules report signals that the localization finds in threes;
//   --localization-reports sends those reports with the option left off.
//   --settings-dialog keeps module 1's settings dialog open (its apply cycle
//   running) through the station runs.
//   --capture runs every station scenario again with the link captured to a
//   pcapng file and compares the CPU time spent.
//
// The runs the station is held to:
//   bench_network --storm 10 255:2                      connect storm, first start
//   bench_network --localization --journal 10 255:10    10 frames/s, every frame answered
//   bench_network --localization --journal 10 255:2+8:0 8:0   mixed, and flat out alone
//   bench_network --windows --journal                   window creation, memory

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

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>

namespace {

struct Group
{
    int modules;
    double rate;
};

// Groups of modules that run at once.
using Scenario = QList<Group>;

QString rateText(double rate)
{
    return rate > 0 ? QString::number(rate) + "/s" : QStringLiteral("flat out");
}

QString scenarioText(const Scenario &s)
{
    QStringList groups;
    for (const Group &g : s)
        groups << QString::number(g.modules) + " x " + rateText(g.rate);
    return groups.join(QLatin1String(" + "));
}

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
    std::vector<std::unique_ptr<LoadGenerator>> loads;
    QList<int> connected;
    int first = 1;
    for (const Group &g : s) {
        loads.push_back(std::make_unique<LoadGenerator>());
        connected << loads.back()->start(port, g.modules, g.rate, reports, first);
        first = 1 + (first - 1 + g.modules) % 255;
    }
    // Measured once every module window exists and what piled up meanwhile is answered.
    const auto piledUp = [&] {
        for (size_t i = 0; i < loads.size(); ++i) {
            if (loads[i]->outstanding() > s[int(i)].modules)
                return true;
        }
        return false;
    };
    QElapsedTimer settle;
    settle.start();
    runEventLoop(1000);
    while (piledUp() && settle.elapsed() < 60000)
        runEventLoop(200);
    const double settledS = settle.elapsed() / 1e3;

    for (const auto &load : loads)
        load->beginMeasuring();
    QElapsedTimer clock;
    clock.start();
    const double guiStart = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    const double processStart = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    runEventLoop(seconds * 1000);
    const double gui = cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - guiStart;
    const double process = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processStart;
    const double elapsed = clock.nsecsElapsed() / 1e9;
    Cpu cpu{ gui, process };
    for (size_t i = 0; i < loads.size(); ++i) {
        const Group &g = s[int(i)];
        const LoadGenerator::Result r = loads[i]->stop();
        cpu.station -= r.generatorCpu;
        std::printf(
            "%-8s %3d modules x %-8s connected %3d  settled in %.1f s  sent %7lld  answered %7lld"
            " (%.0f frames/s)  unanswered %lld  latency p50 %.2f ms  p99 %.2f ms  max %.2f ms",
            target, g.modules, qPrintable(rateText(g.rate)), connected[int(i)], settledS,
            qlonglong(r.sent), qlonglong(r.answered), r.answered / elapsed, qlonglong(r.unanswered),
            r.percentile(50), r.percentile(99), r.maxMs());
        if (s.size() > 1)
            std::printf("  (of %s)\n", qPrintable(scenarioText(s)));
        else
            std::printf("  cpu gui %.2f s station %.2f s\n", cpu.gui, cpu.station);
    }
    if (s.size() > 1)
        std::printf("%-8s cpu gui %.2f s station %.2f s\n", target, cpu.gui, cpu.station);
    std::fflush(stdout);
    loads.clear();
    runEventLoop(300); // the station sees the modules go
    return cpu;
}

// 255 modules connect within 100 ms: how long after the last connect do
// replies still come later than LoadGenerator::SlowReplyMs?
void storm(const char *target, quint16 port, double rate, int seconds)
{
    LoadGenerator load;
    const int connected = load.start(port, 255, rate, reports, 1, 100);
    load.beginMeasuring();
    runEventLoop(seconds * 1000);
    const LoadGenerator::Result r = load.stop();
    std::printf("%-8s connect storm: %d of 255 modules x %s connected within %.0f ms; ", target,
                connected, qPrintable(rateText(rate)), r.lastConnectMs);
    if (r.lastSlowReplyMs < 0)
        std::printf("no reply over %.0f ms", LoadGenerator::SlowReplyMs);
    else
        std::printf("last reply over %.0f ms %.0f ms after the last connect (%lld such replies)",
                    LoadGenerator::SlowReplyMs, r.lastSlowReplyMs - r.lastConnectMs,
                    qlonglong(r.slowReplies));
    std::printf("; over %d s: answered %lld, unanswered %lld, p99 %.2f ms, max %.2f ms\n", seconds,
                qlonglong(r.answered), qlonglong(r.unanswered), r.percentile(99), r.maxMs());
    std::fflush(stdout);
    runEventLoop(300);
}

DATA moduleRecord(int module)
{
    DATA d;
    d.nID = quint8(module);
    d.nFormat = 4;
    d.nRSSI = 31;
    d.channel[0] = CHANNEL{ 1, 1, -60, -80, -90, 3, 0, 0.0 };
    return d;
}

QString spread(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    const auto at = [&ms](double p) { return ms[std::min(ms.size() - 1, size_t(p * ms.size()))]; };
    return QString::asprintf("p50 %.3f ms  p99 %.3f ms  max %.3f ms", at(0.5), at(0.99), ms.back());
}

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Every module window made on the record path, timed with the event loop's
// pass that lays it out and paints it; a record for a window that exists,
// with its pass, is the reference of the same run. Beside the clock, the
// thread's CPU time, which other work on the shared machine inflates less.
void windowCreation(CMainWindow &window)
{
    struct Cost
    {
        std::vector<double> wall, cpu;
    };
    Cost created, createdPass, existing, existingPass;
    const auto timed = [](Cost &into, const std::function<void()> &f) {
        QElapsedTimer t;
        const double cpu = threadCpuMs();
        t.start();
        f();
        into.wall.push_back(t.nsecsElapsed() / 1e6);
        into.cpu.push_back(threadCpuMs() - cpu);
    };
    const auto pass = [] { QCoreApplication::processEvents(); };
    for (int m = 1; m <= 255; ++m) {
        const DATA d = moduleRecord(m);
        timed(created, [&] { window.OnDisplayData(d); });
        timed(createdPass, pass);
        runEventLoop(CModuleWindow::RefreshIntervalMs);
        timed(existing, [&] { window.OnDisplayData(d); });
        timed(existingPass, pass);
    }
    const auto print = [](const char *what, const Cost &c) {
        std::printf("%-42s %s\n", what, qPrintable(spread(c.wall)));
        std::printf("%-42s %s\n", "  thread CPU:", qPrintable(spread(c.cpu)));
    };
    print("module window created on the record path:", created);
    print("  its event loop pass:", createdPass);
    print("a record for a window that exists:", existing);
    print("  its event loop pass:", existingPass);
    std::fflush(stdout);
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
    double stormRate = -1;
    bool windows = false;
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
        } else if (option == QLatin1String("--storm")) {
            stormRate = 2;
        } else if (option.startsWith(QLatin1String("--storm="))) {
            stormRate = option.mid(8).toDouble();
        } else if (option == QLatin1String("--windows")) {
            windows = true;
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
        Scenario s;
        for (const QString &group : arg.split(QLatin1Char('+'))) {
            const QStringList parts = group.split(QLatin1Char(':'));
            s.append(Group{ parts.value(0).toInt(), parts.value(1).toDouble() });
        }
        scenarios.append(s);
    }
    if (scenarios.isEmpty())
        scenarios = { { { 255, 2 } }, { { 8, 0 } } };

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
    if (only != QLatin1String("station") && !windows) {
        if (stormRate >= 0)
            storm("bare", bare.serverPort(), stormRate, seconds);
        for (const Scenario &s : scenarios)
            run("bare", bare.serverPort(), s, seconds);
    }
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
    if (windows) {
        windowCreation(window);
        scenarios.clear();
        stormRate = -1;
    }
    // The storm first, while no module has a window.
    if (stormRate >= 0)
        storm("station", window.server()->serverPort(), stormRate, seconds);
    // First as the windows were placed when their modules appeared, then as
    // the grid of "Rearrange modules".
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
            probe.Update(records, m, StationGlobals::correctModules,
                         StationGlobals::sensitivityScale, true);
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
    if (EventJournal *journal = window.journal()) {
        const int waiting = journal->waiting();
        QElapsedTimer commit;
        commit.start();
        journal->flush();
        std::printf("journal: %d changes waiting, committed in %.1f s\n", waiting,
                    commit.nsecsElapsed() / 1e9);
    }
    QList<EVENT> events;
    window.eventLog().GetEvents(events, 0);
    const qsizetype count = events.size();
    events = QList<EVENT>();
    runEventLoop(500);
    std::printf("with %lld events: resident %s (peak %s)\n", qlonglong(count),
                qPrintable(procStatus("VmRSS")), qPrintable(procStatus("VmHWM")));
    return 0;
}
