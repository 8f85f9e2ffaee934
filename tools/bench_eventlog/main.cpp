// Measures the event log under a full store: AddData in channel updates per
// second, and the refresh of a log window (collect, filter, fill, sort by
// "Date/Time", paint) over 255,000 events. Run it without arguments; it uses
// the offscreen platform and a private settings folder.

#include "eventlog/CEventLog.h"
#include "eventlog/CLogWindow.h"
#include "eventlog/EventTableModel.h"
#include "eventlog/LogFile.h"
#include "eventlog/LogHtmlExporter.h"
#include "net/CMasterDevice.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Modules = 255;
constexpr int Limit = 1000;

CHANNEL detection(int type, int level, double freq)
{
    CHANNEL c;
    c.nState = 1;
    c.nType = type;
    c.nLevel = level;
    c.nThreshold = -90;
    c.dFreqMHz = freq;
    return c;
}

// Record k of a module: channel 0 keeps extending one event, channel 1
// changes type every record (close, open, trim), channel 2 switches on and off.
DATA mixedRecord(quint8 module, quint32 k)
{
    DATA d;
    d.nID = module;
    d.nFormat = 4;
    d.channel[0] = detection(1, -60 - int(k % 20), 945.0 + (k % 7));
    d.channel[1] = detection(k % 2 ? 7 : 8, -50 - int(k % 30), 2412.0 + (k % 13) * 0.25);
    if (k % 2 == 0)
        d.channel[2] = detection(12, -70, 2600.0);
    return d;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir settingsDir;
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Norvane LLC"));
    QCoreApplication::setApplicationName(QStringLiteral("HARRIER Tablet DEMO bench"));
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());

    qint64 now = 1796454131;
    CEventLog log;
    log.setClock([&now] { return now; });
    log.SetLimit(Limit);

    // Fill: every module up to its limit.
    QElapsedTimer timer;
    timer.start();
    quint32 k = 0;
    for (; k < 2 * Limit; ++k) {
        now += 1;
        for (int m = 1; m <= Modules; ++m)
            log.AddData(mixedRecord(quint8(m), k));
    }
    QList<EVENT> all;
    log.GetEvents(all, 0);
    std::printf("store filled: %lld events in %.0f ms\n", qlonglong(all.size()),
                timer.nsecsElapsed() / 1e6);

    // AddData throughput on the full store (trimming on every new event).
    const int rounds = 8000;
    timer.restart();
    for (int r = 0; r < rounds; ++r, ++k) {
        if (r % 64 == 0)
            now += 1;
        for (int m = 1; m <= Modules; ++m)
            log.AddData(mixedRecord(quint8(m), k));
    }
    const double addSeconds = timer.nsecsElapsed() / 1e9;
    const double updates = double(rounds) * Modules * DATA::ChannelCount;
    std::printf("AddData: %.0f channel updates in %.3f s = %.2f million channel updates/s "
                "(%.0f ns per record)\n",
                updates, addSeconds, updates / addSeconds / 1e6,
                addSeconds * 1e9 / (double(rounds) * Modules));
    all.clear();
    log.GetEvents(all, 0);

    // Log window refresh.
    CMasterDevice device;
    CLogWindow window(1, &device, nullptr);
    window.resize(900, 600);
    window.show();
    QCoreApplication::processEvents();
    timer.restart();
    window.SetEventLog(&log); // the first refresh of a new window
    QCoreApplication::processEvents();
    std::printf("first refresh of a new window (fresh memory), with paint: %.1f ms\n",
                timer.nsecsElapsed() / 1e6);
    std::vector<double> refresh, refreshPainted;
    for (int i = 0; i < 15; ++i) {
        timer.restart();
        window.OnRefreshButton();
        refresh.push_back(timer.nsecsElapsed() / 1e6);
        QCoreApplication::processEvents();
        refreshPainted.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("  each refresh (ms):");
    for (double v : refresh)
        std::printf(" %.1f", v);
    std::printf("\n");
    std::printf("refresh (store of %lld events, sorted by Date/Time): median %.1f ms, max %.1f ms; "
                "with layout and paint: median %.1f ms, max %.1f ms\n",
                qlonglong(all.size()), median(refresh),
                *std::max_element(refresh.begin(), refresh.end()), median(refreshPainted),
                *std::max_element(refreshPainted.begin(), refreshPainted.end()));

    // Its parts.
    std::vector<double> collect, fill;
    EventTableModel model;
    model.sort(EventTableModel::DateTimeColumn, Qt::AscendingOrder);
    for (int i = 0; i < 7; ++i) {
        QList<EVENT> list;
        timer.restart();
        log.GetEvents(list, 0);
        collect.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        model.setEvents(std::move(list));
        fill.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("  parts: GetEvents %.1f ms, model fill + sort %.1f ms\n", median(collect),
                median(fill));

    // With a filter that merges.
    window.filter().bOn = true;
    window.filter().bMerge = true;
    window.filter().nGapSec = 3;
    std::vector<double> filtered;
    for (int i = 0; i < 7; ++i) {
        timer.restart();
        window.OnRefreshButton();
        QCoreApplication::processEvents();
        filtered.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("refresh with filter on and merging (%d rows): median %.1f ms\n",
                window.tableModel()->rowCount(), median(filtered));
    window.filter().bOn = false;
    window.OnRefreshButton();

    // Other sort columns, as a click on a heading does.
    QTreeView *view = window.findChild<QTreeView *>(QStringLiteral("m_pTreeWidget"));
    for (int column = 1; column < EventTableModel::ColumnCount; ++column) {
        timer.restart();
        view->sortByColumn(column, Qt::AscendingOrder);
        QCoreApplication::processEvents();
        std::printf("  sort by column %d: %.1f ms\n", column, timer.nsecsElapsed() / 1e6);
    }
    view->sortByColumn(0, Qt::AscendingOrder);

    timer.restart();
    const QByteArray page =
        LogHtmlExporter::page(*window.tableModel(), QStringLiteral("KESTREL Event Log"),
                              { "Date/Time", "Duration", "Module", "Signal Type", "Signal Level",
                                "Exceeding", "Frequency (MHz)" });
    std::printf("HTML page of all rows: %.1f MB in %.0f ms\n", page.size() / 1e6,
                timer.nsecsElapsed() / 1e6);

    timer.restart();
    const QByteArray xml = LogFile::toXml(all);
    std::printf("log file of the whole store: %.1f MB written in %.0f ms", xml.size() / 1e6,
                timer.nsecsElapsed() / 1e6);
    timer.restart();
    QList<EVENT> back;
    if (!LogFile::fromXml(xml, back)) {
        std::printf("\nthe log file does not read back\n");
        return 1;
    }
    std::printf(", read back (%lld events) in %.0f ms\n", qlonglong(back.size()),
                timer.nsecsElapsed() / 1e6);
    return 0;
}
