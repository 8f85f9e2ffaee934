// The event store: opening, extending, closing and trimming of events, and its stored limit.

#include "eventlog/CEventLog.h"
#include "Fixtures.h"
#include "TestSettings.h"
#include "settings/SettingsKeys.h"

#include <QSettings>
#include <QTest>

using F = Fixtures;

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
    void add(quint8 module, const CHANNEL &c0 = {}, const CHANNEL &c1 = {})
    {
        m_log->AddData(F::record(module, c0, c1));
    }
    static CHANNEL det(int type, int level, int threshold = -80, double freq = 0.0)
    {
        return F::detection(type, level, threshold, freq);
    }
    static QString dump(const EVENT &e) { return F::dump({ e }); }
    static constexpr auto ev = F::event;

private slots:
    void init()
    {
        m_now = 1000;
        m_log = new CEventLog;
        m_log->setClock([this] { return m_now; });
    }
    void cleanup() { delete m_log; }

    void openExtendClose()
    {
        add(5, det(1, -90)); // below its threshold: nothing
        QVERIFY(events().isEmpty());
        add(5, det(1, -60, -80, 945.2));
        QCOMPARE(F::dump(events()), dump(ev(1000, 1000, 1, -60, -80, 945.2, 5, true)));
        // Below the threshold but the same type: extended; the peak stays, the
        // highest threshold and the latest frequency are taken.
        m_now = 1007;
        add(5, det(1, -90, -75, 946.0));
        QCOMPARE(F::dump(events()), dump(ev(1000, 1007, 1, -60, -75, 946.0, 5, true)));
        m_now = 1010; // nState 0 on every channel (also a bypass block's record) closes
        add(5);
        QCOMPARE(F::dump(events()), dump(ev(1000, 1010, 1, -60, -75, 946.0, 5, false)));
        add(5, det(1, -80, -80)); // a level equal to the threshold opens
        QCOMPARE(events(2).size(), 1);
    }

    void typeChange()
    {
        add(2, det(1, -60));
        m_now = 1020;
        add(2, det(2, -50, -70));
        const EVENT ready = ev(1000, 1020, 1, -60, -80, 0, 2, false);
        const EVENT open = ev(1020, 1020, 2, -50, -70, 0, 2, true);
        QCOMPARE(F::dump(events()), F::dump({ ready, open }));
        QCOMPARE(F::dump(events(1)) + '|' + F::dump(events(2)), dump(ready) + '|' + dump(open));
        // A change to a type below its threshold only closes.
        add(2, det(3, -95, -70));
        QCOMPARE(events().size(), 2);
        QVERIFY(events(2).isEmpty());
    }

    void trimmingMovesEventInProgressBack()
    {
        m_log->SetLimit(10);
        add(1, det(1, -60));           // channel 0 stays open throughout
        for (int i = 0; i < 10; ++i) { // channel 1 changes type every record
            ++m_now;
            add(1, det(1, -60), det(i % 2 ? 2 : 4, -60 - i));
        }
        // The oldest ready one went; the open one moved to the back.
        QList<EVENT> all = events();
        QCOMPARE(QList<int>({ int(all.size()), all[0].nPeakLevel }), QList<int>({ 10, -61 }));
        QCOMPARE(dump(all.last()), dump(ev(1000, 1010, 1, -60, -80, 0, 1, true)));
        m_now = 2000; // and its channel still extends it
        add(1, det(1, -50));
        all = events();
        QCOMPARE(all.size(), 10);
        QCOMPARE(dump(all.last()), dump(ev(1000, 2000, 1, -50, -80, 0, 1, true)));
    }

    // Read at start-up (no number or below 1: absent); written when the store goes.
    void storedLimit()
    {
        QSettings s;
        QList<int> read;
        for (const QVariant &stored : { QVariant(), QVariant("25"), QVariant(-1), QVariant(0),
                                        QVariant(1), QVariant("lots") }) {
            s.remove(SettingsKeys::Limit);
            if (stored.isValid())
                s.setValue(SettingsKeys::Limit, stored);
            m_log->LoadSettings();
            read << m_log->GetLimit();
        }
        QCOMPARE(read, QList<int>({ 1000, 25, 1000, 1000, 1, 1000 }));
        m_log->SetLimit(77);
        delete m_log;
        m_log = nullptr;
        QCOMPARE(s.value(SettingsKeys::Limit).toInt(), 77);
    }

    void limits()
    {
        m_log->SetLimit(0); // none
        for (int i = 0; i < 1500; ++i)
            add(1, det(i % 2 ? 1 : 2, -60));
        QCOMPARE(events().size(), 1500);
        // Below the events in progress: trimming stops at them.
        m_log->SetLimit(-5);
        m_log->AddData(F::record(1, det(5, -60), det(2, -60), det(3, -60)));
        QCOMPARE(QList<int>({ int(events(2).size()), int(events().size()) }), QList<int>({ 3, 3 }));
    }
};

QTEST_GUILESS_MAIN(TestEventLogStore)
#include "tst_eventlogstore.moc"
