// The event store: opening, extending, closing and trimming of events.

#include "eventlog/CEventLog.h"
#include "settings/SettingsKeys.h"
#include "Fixtures.h"
#include "TestSettings.h"

#include <QSettings>
#include <QTest>

namespace {

CHANNEL det(int type, int level, int threshold = -80, double freq = 0.0)
{
    return Fixtures::detection(type, level, threshold, freq);
}

DATA rec(quint8 module, const CHANNEL &c0 = {}, const CHANNEL &c1 = {}, const CHANNEL &c2 = {})
{
    return Fixtures::record(module, c0, c1, c2);
}

const auto ev = Fixtures::event;

} // namespace

class TestEventLogStore : public QObject
{
    Q_OBJECT

    qint64 m_now = 1000;
    CEventLog *m_log = nullptr;

    QList<EVENT> events(int mode = 0)
    {
        QList<EVENT> out;
        m_log->GetEvents(out, mode);
        return out;
    }

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init()
    {
        m_now = 1000;
        m_log = new CEventLog;
        m_log->setClock([this] { return m_now; });
    }
    void cleanup() { delete m_log; }

    void openExtendClose()
    {
        m_log->AddData(rec(5, det(1, -90)));       // below its threshold: nothing
        QVERIFY(events().isEmpty());
        m_log->AddData(rec(5, det(1, -60, -80, 945.2)));
        QCOMPARE(Fixtures::dump(events()), Fixtures::dump({ev(1000, 1000, 1, -60, -80, 945.2, 5, true)}));

        // Below the threshold but the same type: extended; the peak stays, the
        // highest threshold and the latest frequency are taken.
        m_now = 1007;
        m_log->AddData(rec(5, det(1, -90, -75, 946.0)));
        QCOMPARE(Fixtures::dump(events()), Fixtures::dump({ev(1000, 1007, 1, -60, -75, 946.0, 5, true)}));

        m_now = 1010;
        m_log->AddData(rec(5));
        QCOMPARE(Fixtures::dump(events()), Fixtures::dump({ev(1000, 1010, 1, -60, -75, 946.0, 5, false)}));
        m_log->AddData(rec(5, det(1, -80, -80))); // a level equal to the threshold opens
        QCOMPARE(events(2).size(), 1);
        QCOMPARE(events(1).size(), 1);
    }

    void typeChange()
    {
        m_log->AddData(rec(2, det(1, -60)));
        m_now = 1020;
        m_log->AddData(rec(2, det(2, -50, -70)));
        QCOMPARE(Fixtures::dump(events()), Fixtures::dump({ev(1000, 1020, 1, -60, -80, 0, 2, false),
                                                           ev(1020, 1020, 2, -50, -70, 0, 2, true)}));

        // A change to a type below its threshold only closes.
        m_log->AddData(rec(2, det(3, -95, -70)));
        QCOMPARE(events().size(), 2);
        QVERIFY(events(2).isEmpty());
    }

    void channelsModulesAndBypassBlock()
    {
        m_log->AddData(rec(9, det(7, -60), det(7, -61), det(8, -62)));
        m_log->AddData(rec(3, det(1, -63)));
        QList<EVENT> all = events(); // ascending module number first
        QCOMPARE(QList<int>({int(all.size()), all[0].nPeakLevel, all[1].nPeakLevel, all[3].nPeakLevel}),
                 QList<int>({4, -63, -60, -62}));

        // The record of a bypass block has nState 0 everywhere: module 9's events end.
        m_now = 1005;
        m_log->AddData(rec(9));
        QCOMPARE(events(2).size(), 1);
        QCOMPARE(events(2)[0].nModule, quint8(3));
        for (const EVENT &e : events(1))
            QCOMPARE(e.tEndTime, 1005);

        // Copies: changing them leaves the store alone; GetEvents appends.
        QList<EVENT> out(2);
        m_log->GetEvents(out, 0);
        QCOMPARE(out.size(), 6);
        out[2].nPeakLevel = 0;
        QCOMPARE(events()[0].nPeakLevel, qint16(-63));
    }

    void trimmingMovesEventInProgressBack()
    {
        m_log->SetLimit(10);
        m_log->AddData(rec(1, det(1, -60))); // channel 0 stays open throughout
        for (int i = 0; i < 10; ++i) {       // channel 1 changes type every record
            ++m_now;
            m_log->AddData(rec(1, det(1, -60), det(i % 2 ? 2 : 4, -60 - i)));
        }
        // The oldest ready one went; the open one moved to the back.
        QList<EVENT> all = events();
        QCOMPARE(QList<int>({int(all.size()), all[0].nPeakLevel}), QList<int>({10, -61}));
        QCOMPARE(Fixtures::dump({all.last()}), Fixtures::dump({ev(1000, 1010, 1, -60, -80, 0, 1, true)}));

        m_now = 2000; // and its channel still extends it
        m_log->AddData(rec(1, det(1, -50)));
        all = events();
        QCOMPARE(all.size(), 10);
        QCOMPARE(Fixtures::dump({all.last()}), Fixtures::dump({ev(1000, 2000, 1, -50, -80, 0, 1, true)}));
    }

    void limits()
    {
        m_log->SetLimit(0);
        for (int i = 0; i < 1500; ++i)
            m_log->AddData(rec(1, det(i % 2 ? 1 : 2, -60)));
        QCOMPARE(events().size(), 1500);
        m_log->SetLimit(12); // reaches the list with the next new event
        QCOMPARE(events().size(), 1500);
        m_log->AddData(rec(1, det(5, -60)));
        QCOMPARE(events().size(), 12);

        // Below the events in progress: trimming stops at them.
        m_log->SetLimit(-5);
        m_log->AddData(rec(1, det(5, -60), det(2, -60), det(3, -60)));
        QCOMPARE(events().size(), 3);
        QCOMPARE(events(2).size(), 3);
    }

    void limitIsStoredAndSurvivesClear()
    {
        TestSettings::clear();
        {
            CEventLog log;
            log.LoadSettings();
            QCOMPARE(log.GetLimit(), 1000);
            log.SetLimit(250);
        }
        QCOMPARE(QSettings().value(SettingsKeys::Limit).toInt(), 250);
        m_log->LoadSettings();
        m_log->AddData(rec(1, det(1, -60)));
        m_log->Clear();
        QVERIFY(events().isEmpty());
        QCOMPARE(m_log->GetLimit(), 250);
    }
};

QTEST_GUILESS_MAIN(TestEventLogStore)
#include "tst_eventlogstore.moc"
