// The event journal benchmark, in a throw-away folder:
//  - throughput: a full network's worth of events (255 modules x 1000) opened
//    and closed through the store, from the first record until the last
//    commit has returned: events per second committed;
//  - the record path: AddData per record with and without the journal;
//  - start-up: opening the journal of 255,000 events and filling the store.
//
// Usage: bench_journal [events per module=1000]

#include "eventlog/CEventLog.h"
#include "eventlog/EventJournal.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int Modules = 255;

DATA detection(quint8 module, int type)
{
    DATA d;
    d.nID = module;
    d.nFormat = 4;
    d.channel[0] = CHANNEL{ 1, type, -50, -80, -90, 0, 0, 945.2 };
    return d;
}

// Records that open and close `perModule` events for every module; returns
// the number of records applied.
qint64 feed(CEventLog &log, int perModule)
{
    qint64 records = 0;
    for (int k = 0; k < perModule; ++k) {
        for (int m = 1; m <= Modules; ++m) {
            log.AddData(detection(quint8(m), 1 + (k & 1)));
            log.AddData(detection(quint8(m), 1 + (k & 1))); // extended
            ++records;
            ++records;
        }
    }
    DATA quiet;
    for (int m = 1; m <= Modules; ++m) {
        quiet.nID = quint8(m);
        log.AddData(quiet);
        ++records;
    }
    return records;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int perModule = argc > 1 ? qMax(1, atoi(argv[1])) : 1000;
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }
    const qint64 events = qint64(perModule) * Modules;

    // The record path without a journal, for comparison.
    {
        CEventLog log;
        log.SetLimit(perModule);
        QElapsedTimer t;
        t.start();
        const qint64 records = feed(log, perModule);
        std::printf("store alone:    %lld records in %.0f ms, %.2f us per record\n",
                    qlonglong(records), double(t.nsecsElapsed()) / 1e6,
                    double(t.nsecsElapsed()) / 1e3 / double(records));
    }

    {
        EventJournal journal(dir.path(), 0);
        QList<EVENT> restored;
        QString error;
        if (!journal.open(perModule, restored, &error)) {
            std::fprintf(stderr, "journal: %s\n", qPrintable(error));
            return 1;
        }
        CEventLog log;
        log.SetLimit(perModule);
        log.SetJournal(&journal);
        QElapsedTimer t;
        t.start();
        const qint64 records = feed(log, perModule);
        const double fedMs = double(t.nsecsElapsed()) / 1e6;
        journal.flush();
        const double committedS = double(t.nsecsElapsed()) / 1e9;
        std::printf("store+journal:  %lld records in %.0f ms, %.2f us per record\n",
                    qlonglong(records), fedMs, fedMs * 1e3 / double(records));
        std::printf("committed:      %lld events in %.2f s, %.0f events/s\n", qlonglong(events),
                    committedS, double(events) / committedS);
    }

    QElapsedTimer t;
    t.start();
    EventJournal journal(dir.path(), 0);
    QList<EVENT> restored;
    if (!journal.open(perModule, restored)) {
        std::fprintf(stderr, "journal does not open again\n");
        return 1;
    }
    CEventLog log;
    log.SetLimit(perModule);
    log.Restore(restored);
    std::printf("start-up:       %lld events read back and in the store in %.0f ms\n",
                qlonglong(restored.size()), double(t.nsecsElapsed()) / 1e6);
    return restored.size() == events ? 0 : 1;
}
