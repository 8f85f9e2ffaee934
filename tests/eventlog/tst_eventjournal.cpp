// The durable journal beside the store: what the store saw comes back at the
// next start within the limit, in-progress events closed; a clear, a damaged
// file, an unusable folder and the retention.

#include "eventlog/CEventLog.h"
#include "eventlog/EventJournal.h"
#include "eventlog/JournalWriter.h"
#include "eventlog/LogFile.h"
#include "Fixtures.h"
#include "TestSettings.h"

#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
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

QList<EVENT> closed(QList<EVENT> events)
{
    for (EVENT &e : events)
        e.bInProgress = false;
    return events;
}

QList<EVENT> storeOf(CEventLog &log)
{
    QList<EVENT> out;
    log.GetEvents(out, 0);
    return out;
}

} // namespace

class TestEventJournal : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void storeComesBackWithInProgressClosed()
    {
        QList<EVENT> before;
        {
            Station s(m_dir->path());
            QVERIFY2(s.ok, qPrintable(s.error));
            QVERIFY(s.restored.isEmpty());
            // Module 2 channel 0: opened, extended, closed; channel 1 stays open.
            s.log.AddData(
                F::record(2, F::detection(1, -60, -80, 945.2), F::detection(4, -50, -70, 2412)));
            s.now += 5;
            s.log.AddData(
                F::record(2, F::detection(1, -55, -75, 945.4), F::detection(4, -52, -70, 2412)));
            s.now += 3;
            s.log.AddData(F::record(2, {}, F::detection(4, -49, -70, 2413)));
            s.log.AddData(F::record(7, F::detection(11, -40, -70)));
            s.now += 1;
            s.log.AddData(F::record(1, F::detection(3, -30, -90, 1800.5)));
            s.journal.flush();
            before = storeOf(s.log);
            QCOMPARE(s.journal.waiting(), 0);
        }
        Station again(m_dir->path());
        QVERIFY2(again.ok, qPrintable(again.error));
        QCOMPARE(F::dump(again.restored), F::dump(closed(before)));
        QCOMPARE(F::dump(storeOf(again.log)), F::dump(closed(before)));
        // The journal also says they are closed now.
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "check");
        db.setDatabaseName(again.journal.path());
        QVERIFY(db.open());
        QSqlQuery q("SELECT COUNT(*), SUM(in_progress) FROM events", db);
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 4);
        QCOMPARE(q.value(1).toInt(), 0);
        q = QSqlQuery();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("check");
    }

    void refillKeepsTheNewestWithinTheLimit()
    {
        {
            Station s(m_dir->path());
            for (int k = 0; k < 6; ++k) {
                s.now += 10;
                s.log.AddData(F::record(3, F::detection(1 + k % 2, -60 + k)));
                s.log.AddData(F::record(9, F::detection(2, -60 + k)));
                s.log.AddData(F::record(9, {}));
            }
        } // destruction commits what waits
        Station limited(m_dir->path(), 2);
        QList<EVENT> expected = {
            F::event(F::Dec2026 + 50, F::Dec2026 + 60, 1, -56, -80, 0, 3, false),
            F::event(F::Dec2026 + 60, F::Dec2026 + 60, 2, -55, -80, 0, 3, false),
            F::event(F::Dec2026 + 50, F::Dec2026 + 50, 2, -56, -80, 0, 9, false),
            F::event(F::Dec2026 + 60, F::Dec2026 + 60, 2, -55, -80, 0, 9, false),
        };
        QCOMPARE(F::dump(limited.restored), F::dump(expected));
    }

    void eventInProgressAtTheStopComesBackWithinTheLimit()
    {
        // Channel 0 holds one long event while channel 1 comes and goes: the
        // store keeps the long one (in progress, never trimmed) and drops the
        // oldest short one; the refill must give back the same three.
        {
            Station s(m_dir->path(), 3);
            s.log.SetLimit(3);
            for (int k = 0; k < 6; ++k) {
                s.now += 10;
                s.log.AddData(F::record(1, F::detection(16, -40),
                                        k % 2 == 0 ? F::detection(1, -50) : CHANNEL()));
            }
        }
        Station again(m_dir->path(), 3);
        const QList<EVENT> expected = {
            F::event(F::Dec2026 + 10, F::Dec2026 + 60, 16, -40, -80, 0, 1, false),
            F::event(F::Dec2026 + 30, F::Dec2026 + 40, 1, -50, -80, 0, 1, false),
            F::event(F::Dec2026 + 50, F::Dec2026 + 60, 1, -50, -80, 0, 1, false),
        };
        QCOMPARE(F::dump(again.restored), F::dump(expected));
    }

    void clearedEventsAreNotReadBack()
    {
        {
            Station s(m_dir->path());
            s.log.AddData(F::record(4, F::detection(1, -60)));
            s.journal.flush();
            s.log.Clear();
            s.now += 60;
            s.log.AddData(F::record(5, F::detection(2, -50)));
        }
        Station again(m_dir->path());
        QCOMPARE(F::dump(again.restored),
                 F::dump({ F::event(F::Dec2026 + 60, F::Dec2026 + 60, 2, -50, -80, 0, 5, false) }));
    }

    void damagedFileIsSetAsideAndAFreshOneBegun()
    {
        const QByteArray garbage = QByteArray("not a database at all ").repeated(300);
        const QString path = m_dir->filePath(EventJournal::fileName());
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(garbage);
        }
        auto s = std::make_unique<Station>(m_dir->path());
        QSignalSpy setAside(&s->journal, &EventJournal::fileSetAside);
        QVERIFY2(s->ok, qPrintable(s->error));
        QVERIFY(s->restored.isEmpty());
        QTRY_COMPARE(setAside.count(), 1);
        const QString kept = setAside.at(0).at(0).toString();
        QVERIFY2(kept.startsWith(path + ".damaged-"), qPrintable(kept));
        QCOMPARE(F::readFile(kept), garbage);
        // The fresh journal works.
        s->log.AddData(F::record(1, F::detection(1, -60)));
        s.reset();
        Station again(m_dir->path());
        QCOMPARE(again.restored.size(), 1);
    }

    // Damage that opening and reading do not report: two cells of an index
    // page on one place ("multiple uses for byte ..."). The check at opening
    // sets the file aside as well.
    void damageOnlyTheCheckFindsIsSetAside()
    {
        const QString path = m_dir->filePath(EventJournal::fileName());
        {
            Station s(m_dir->path());
            for (int i = 0; i < 40; ++i, s.now += 10)
                s.log.AddData(F::record(1, F::detection(1 + i % 2, -60)));
        }
        qint64 page = 0, pageSize = 0;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "damage");
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("SELECT rootpage FROM sqlite_master WHERE name='events_by_end'")
                    && q.next());
            page = q.value(0).toLongLong();
            QVERIFY(q.exec("PRAGMA page_size") && q.next());
            pageSize = q.value(0).toLongLong();
        }
        QSqlDatabase::removeDatabase("damage");
        QByteArray damaged = F::readFile(path);
        const qint64 at = (page - 1) * pageSize; // a leaf page of the index, 8-byte header
        QCOMPARE(int(damaged[at]), 0x0A);
        damaged.replace(at + 10, 2, damaged.mid(at + 8, 2)); // the second cell on the first
        QVERIFY(LogFile::writeFile(path, damaged));

        Station s(m_dir->path());
        QSignalSpy setAside(&s.journal, &EventJournal::fileSetAside);
        QVERIFY2(s.ok, qPrintable(s.error));
        QVERIFY(s.restored.isEmpty());
        QTRY_COMPARE(setAside.count(), 1);
        QCOMPARE(F::readFile(setAside.at(0).at(0).toString()), damaged);
    }

    void unusableFolderKeepsEventsUntilItCanBeWritten()
    {
        // A file where the folder should be: no one, root included, can create it.
        const QString folder = m_dir->filePath("data");
        {
            QFile blocker(folder);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        EventJournal journal(folder);
        journal.setRetrySeconds(1);
        QSignalSpy recovered(&journal, &EventJournal::recovered);
        QList<EVENT> restored;
        QString error;
        QVERIFY(!journal.open(1000, restored, &error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(folder)), qPrintable(error));
        QVERIFY(!journal.isWorking());

        CEventLog log;
        log.setClock([] { return F::Dec2026; });
        log.SetJournal(&journal);
        log.AddData(F::record(6, F::detection(1, -60)));
        QCOMPARE(storeOf(log).size(), 1); // the station goes on in memory

        QVERIFY(QFile::remove(folder));
        QTRY_COMPARE_WITH_TIMEOUT(recovered.count(), 1, 5000);
        QVERIFY(journal.isWorking());
        log.AddData(F::record(6, {}));
        journal.flush();

        EventJournal reader(m_dir->path() + "/data");
        QVERIFY(reader.open(0, restored));
        QCOMPARE(F::dump(restored),
                 F::dump({ F::event(F::Dec2026, F::Dec2026, 1, -60, -80, 0, 6, false) }));
    }

    void failedCommitIsKeptAndWrittenOnceTheJournalIsBack()
    {
        QList<EVENT> before;
        {
            EventJournal journal(m_dir->path(), 0);
            journal.setRetrySeconds(1);
            QList<EVENT> restored;
            QVERIFY(journal.open(0, restored));
            QSignalSpy failed(&journal, &EventJournal::failed);
            QSignalSpy recovered(&journal, &EventJournal::recovered);
            CEventLog log;
            qint64 now = F::Dec2026;
            log.setClock([&now] { return now; });
            log.SetJournal(&journal);
            log.AddData(F::record(8, F::detection(1, -60)));
            journal.flush();

            // Another program holds the database: the next commit fails.
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "blocker");
            db.setDatabaseName(journal.path());
            QVERIFY(db.open());
            QSqlQuery lock(db);
            QVERIFY(lock.exec("BEGIN EXCLUSIVE"));
            now += 30;
            log.AddData(F::record(8, F::detection(1, -50), F::detection(2, -40)));
            now += 30;
            log.AddData(F::record(8, {}, F::detection(2, -45)));
            journal.flush();
            QCOMPARE(failed.count(), 0); // reported through the event loop
            QTRY_COMPARE(failed.count(), 1);
            QVERIFY(!journal.isWorking());
            QVERIFY(journal.waiting() > 0);
            QVERIFY(lock.exec("ROLLBACK"));
            lock = QSqlQuery();
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase("blocker");

            QTRY_COMPARE_WITH_TIMEOUT(recovered.count(), 1, 5000);
            QCOMPARE(journal.waiting(), 0);
            log.GetEvents(before, 0);
        }
        Station again(m_dir->path());
        QCOMPARE(F::dump(again.restored), F::dump(closed(before)));
        QCOMPARE(again.restored.size(), 2);
    }

    void retentionTrimsOldEvents()
    {
        const qint64 today = QDateTime::currentSecsSinceEpoch();
        {
            Station s(m_dir->path());
            s.now = today - 91 * 86400;
            s.log.AddData(F::record(1, F::detection(1, -60)));
            s.log.AddData(F::record(1, {}));
            s.now = today - 89 * 86400;
            s.log.AddData(F::record(1, F::detection(2, -60)));
            s.log.AddData(F::record(1, {}));
        }
        Station again(m_dir->path(), 1000, 90);
        QCOMPARE(again.restored.size(), 2); // read back before the trim
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "check");
        db.setDatabaseName(again.journal.path());
        QVERIFY(db.open());
        const auto types = [&db] {
            QStringList out;
            QSqlQuery q("SELECT type FROM events", db);
            while (q.next())
                out << q.value(0).toString();
            return out;
        };
        QTRY_COMPARE(types(), QStringList{ "2" }); // in the background, soon after start
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("check");
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
            QCOMPARE(writer.waiting(), 100);
            QCOMPARE(writer.keptOut(), 150);
            QList<EVENT> restored;
            QString error;
            QVERIFY2(writer.openAndRestore(0, &restored, &error), qPrintable(error));
            writer.commit();
            QCOMPARE(writer.waiting(), 0);
            QCOMPARE(state.count(), 1);
            QCOMPARE(state[0][0].toBool(), false);
            QVERIFY2(state[0][1].toString().startsWith("150 "), qPrintable(state[0][1].toString()));
            writer.enqueue(300, e);
            writer.commit();
            QCOMPARE(state.count(), 2);
            QCOMPARE(state[1][0].toBool(), true);
            writer.shutdown();
        }
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "burst");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        {
            QSqlQuery q("SELECT COUNT(*), SUM(peak_level = -40) FROM events", db);
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), 101);
            QCOMPARE(q.value(1).toInt(), 2);
        }
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("burst");
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestEventJournal)
#include "tst_eventjournal.moc"
