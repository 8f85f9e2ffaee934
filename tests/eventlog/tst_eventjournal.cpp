// The durable journal beside the store: what it saw comes back at the next
// start, closed; a clear, a damaged file, the retention, the queue's bound.

#include "eventlog/CEventLog.h"
#include "eventlog/EventJournal.h"
#include "eventlog/JournalWriter.h"
#include "eventlog/LogFile.h"
#include "Fixtures.h"
#include "TestSettings.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

using F = Fixtures;

// A store writing to a journal in `folder`, on a clock the test moves.
struct Station
{
    explicit Station(const QString &folder, int limit = 0, int days = 0)
        : journal(folder, days)
    {
        ok = journal.open(limit, restored, &error);
        log.Restore(restored);
        log.SetJournal(&journal);
        log.setClock([this] { return now; });
    }
    EventJournal journal;
    CEventLog log;
    QList<EVENT> restored;
    QString error;
    bool ok = false;
    qint64 now = F::Dec2026;
};

} // namespace

class TestEventJournal : public QObject
{
    Q_OBJECT

private slots:

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // What was cleared is not read back; what the store holds is, closed, and
    // the journal says so too.
    void storeComesBackWithInProgressClosed()
    {
        QList<EVENT> before;
        {
            Station s(m_dir->path());
            s.log.AddData(F::record(4, F::detection(1, -60)));
            s.journal.flush();
            s.log.Clear();
            // Module 2 channel 0: opened, extended, closed; channel 1 stays open.
            s.log.AddData(
                F::record(2, F::detection(1, -60, -80, 945.2), F::detection(4, -50, -70, 2412)));
            s.now += 5;
            s.log.AddData(
                F::record(2, F::detection(1, -55, -75, 945.4), F::detection(4, -52, -70, 2412)));
            s.now += 3;
            s.log.AddData(F::record(2, {}, F::detection(4, -49, -70, 2413)));
            s.log.AddData(F::record(1, F::detection(3, -30, -90, 1800.5)));
            s.log.GetEvents(before, 0);
        } // destruction commits what waits
        for (EVENT &e : before)
            e.bInProgress = false;
        Station again(m_dir->path());
        QCOMPARE(F::dump(again.restored), F::dump(before));
        QCOMPARE(F::query(again.journal.path(), "SELECT SUM(in_progress) FROM events"),
                 QStringList({ "0" }));
    }

    // Per module the newest within the limit; older than the retention goes.
    void refillKeepsTheNewestWithinTheLimit()
    {
        const qint64 today = QDateTime::currentSecsSinceEpoch();
        {
            Station s(m_dir->path());
            for (int k = 0; k < 6; ++k) {
                s.now += 10;
                s.log.AddData(F::record(3, F::detection(1 + k % 2, -60 + k)));
                s.log.AddData(F::record(9, F::detection(2, -60 + k)));
                s.log.AddData(F::record(9, {}));
            }
            s.now = today - 91 * 86400;
            s.log.AddData(F::record(5, F::detection(1, -60)));
            s.log.AddData(F::record(5, {}));
            s.now = today - 89 * 86400;
            s.log.AddData(F::record(5, F::detection(2, -60)));
            s.log.AddData(F::record(5, {}));
        }
        Station limited(m_dir->path(), 2, 90);
        QCOMPARE(
            F::dump(limited.restored),
            F::dump({ F::event(F::Dec2026 + 50, F::Dec2026 + 60, 1, -56, -80, 0, 3, false),
                      F::event(F::Dec2026 + 60, F::Dec2026 + 60, 2, -55, -80, 0, 3, false),
                      F::event(today - 91 * 86400, today - 91 * 86400, 1, -60, -80, 0, 5, false),
                      F::event(today - 89 * 86400, today - 89 * 86400, 2, -60, -80, 0, 5, false),
                      F::event(F::Dec2026 + 50, F::Dec2026 + 50, 2, -56, -80, 0, 9, false),
                      F::event(F::Dec2026 + 60, F::Dec2026 + 60, 2, -55, -80, 0, 9, false) }));
        // The retention trims in the background, soon after the start.
        QTRY_COMPARE(F::query(limited.journal.path(), "SELECT type FROM events WHERE module = 5"),
                     QStringList({ "2" }));
    }

    // Damage only the check at opening finds (two index cells on one place):
    // the file is set aside whole, with the signal the window warns on.
    void damageOnlyTheCheckFindsIsSetAside()
    {
        const QString path = m_dir->filePath(EventJournal::fileName());
        {
            Station s(m_dir->path());
            for (int i = 0; i < 40; ++i, s.now += 10)
                s.log.AddData(F::record(1, F::detection(1 + i % 2, -60)));
        }
        const QString root = "SELECT rootpage FROM sqlite_master WHERE name='events_by_end'";
        const qint64 at = (F::query(path, root).value(0).toLongLong() - 1)
            * F::query(path, "PRAGMA page_size").value(0).toLongLong();
        QByteArray damaged = F::readFile(path);
        QCOMPARE(int(damaged[at]), 0x0A); // a leaf page of the index, 8-byte header
        damaged.replace(at + 10, 2, damaged.mid(at + 8, 2)); // the second cell on the first
        QVERIFY(LogFile::writeFile(path, damaged));
        Station s(m_dir->path());
        QSignalSpy setAside(&s.journal, &EventJournal::fileSetAside);
        QVERIFY2(s.ok && s.restored.isEmpty(), qPrintable(s.error));
        QTRY_COMPARE(setAside.count(), 1);
        QCOMPARE(F::readFile(setAside.at(0).at(0).toString()), damaged);
    }

    // A burst beyond the queue's bound: new events stay out and the journal
    // says so, changes to waiting ones still fold in, a commit empties it.
    void queueStaysBoundedUnderABurst()
    {
        const QString path = m_dir->filePath("burst.db");
        {
            JournalWriter writer(path, 0);
            writer.setMaxWaiting(100);
            QSignalSpy state(&writer, &JournalWriter::stateChanged);
            EVENT e = F::event(F::Dec2026, F::Dec2026, 1, -60, -80, 0, 6, true);
            for (int id = 1; id <= 250; ++id)
                writer.enqueue(id, e);
            e.nPeakLevel = -40;
            e.bInProgress = false;
            writer.enqueue(7, e);
            QCOMPARE(QList<int>({ writer.waiting(), writer.keptOut() }), QList<int>({ 100, 150 }));
            QList<EVENT> restored;
            QString error;
            QVERIFY2(writer.openAndRestore(0, &restored, &error), qPrintable(error));
            writer.commit();
            QCOMPARE(writer.waiting(), 0);
            QCOMPARE(state.count(), 1);
            QVERIFY(!state[0][0].toBool());
            QVERIFY2(state[0][1].toString().startsWith("150 "), qPrintable(state[0][1].toString()));
            writer.enqueue(300, e);
            writer.commit();
            QCOMPARE(state.count(), 2);
            QCOMPARE(state[1][0].toBool(), true);
            writer.shutdown();
        }
        QCOMPARE(F::query(path, "SELECT COUNT(*) || '/' || SUM(peak_level = -40) FROM events"),
                 QStringList({ "101/2" }));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestEventJournal)
#include "tst_eventjournal.moc"
