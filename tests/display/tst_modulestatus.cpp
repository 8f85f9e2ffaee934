// Texts and decisions of the module window, without a window.

#include "Fixtures.h"
#include "TestSettings.h"
#include "display/ModuleStatus.h"

#include <QTest>

class TestModuleStatus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }

    void statusText_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("quality");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << 0 << 50 << QString();
        QTest::newRow("0x40 wins over 0x01") << 0x41 << 50 << "WRONG CONFIGURATION!!!";
        QTest::newRow("0x10 wins over 0x01") << 0x11 << 50 << "SPECTRUM CHANGED!!!";
        QTest::newRow("0x01 wins over 0x20") << 0x21 << 50 << "NO JAMMER!!! ";
        QTest::newRow("0x02") << 0x22 << 50 << "BAD SUPPRESSION!!!";
        QTest::newRow("0x04 wins over 0x08") << 0x0C << 50 << "SUPPRESSION CHANGED!!!";
        QTest::newRow("0x08") << 0x08 << 50 << "SUPPRESSION CHANGED !!!";
        QTest::newRow("ok, quality 101") << 0x20 << 101 << "SUPPRESSION OK";
        QTest::newRow("ok, quality 100") << 0x20 << 100 << "SUPPRESSION OK = 100%";
    }
    void statusText()
    {
        QFETCH(int, state);
        QFETCH(int, quality);
        QFETCH(QString, text);
        QCOMPARE(ModuleStatus::statusText(state, quality), text);
    }

    void linkLevelText_data()
    {
        QTest::addColumn<int>("rssi");
        QTest::addColumn<QString>("text");
        QTest::newRow("no figure") << 56 << QString();
        QTest::newRow("31") << 31 << "62%3-0"; // also in the module window's labels
        QTest::newRow("negative") << -5 << "-10%3-0";
    }
    void linkLevelText()
    {
        QFETCH(int, rssi);
        QFETCH(QString, text);
        DATA d;
        d.nRSSI = qint8(rssi);
        d.channel[0].cntDis = 3;
        d.channel[1].cntDis = 99; // only channel 0 counts
        QCOMPARE(ModuleStatus::linkLevelText(d), text);
    }

    void linkIndicatorCycle()
    {
        ModuleStatus::LinkIndicator link;
        for (int i = 1; i <= 17; ++i)
            ModuleStatus::advanceLink(link, true);
        QCOMPARE(link.text, QLatin1Char(' ') + QString(17, QLatin1Char('>')));
        ModuleStatus::advanceLink(link, true); // 18th record restarts
        QCOMPARE(link.text, QStringLiteral(">"));
        QCOMPARE(link.count, 0);
        for (int i = 0; i < 17; ++i)
            ModuleStatus::advanceLink(link, true);
        QCOMPARE(link.text, QString(18, QLatin1Char('>')));
        ModuleStatus::advanceLink(link, true); // and every 18 records from then on
        QCOMPARE(link.text, QStringLiteral(">"));

        ModuleStatus::advanceLink(link, true);
        ModuleStatus::advanceLink(link, false); // off: a space, the count survives
        QCOMPARE(link.text, QStringLiteral(" "));
        QCOMPARE(link.count, 1);
    }

    // The alarm needs 0x20 missing in any channel; other bits do not count.
    void alarmAndSound()
    {
        QVERIFY(!ModuleStatus::isAlarm(Fixtures::status(1, 0x21, 0x60, 0x3F)));
        QVERIFY(ModuleStatus::isAlarm(Fixtures::status(1, 0x20, 0x20, 0)));
        QVERIFY(ModuleStatus::isAlarm(Fixtures::status(1, 0x01, 0x20, 0x20)));

        using S = ModuleStatus::AlarmSound;
        const QString file = QStringLiteral("/tmp/x.wav");
        QCOMPARE(ModuleStatus::alarmSound(false, 1, file), S::None);
        QCOMPARE(ModuleStatus::alarmSound(true, 1, QString()), S::Beep);
        QCOMPARE(ModuleStatus::alarmSound(true, 2, file), S::File);
    }

    void alarmBar_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("alarm");
        QTest::addColumn<bool>("blink");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("blinking, on phase") << 0 << true << true << true;
        QTest::newRow("blinking, off phase") << 0 << true << false << false;
        QTest::newRow("steady, off phase") << 1 << true << false << true;
        QTest::newRow("steady, no alarm") << 1 << false << true << false;
        QTest::newRow("none") << 2 << true << true << false;
    }
    void alarmBar()
    {
        QFETCH(int, mode);
        QFETCH(bool, alarm);
        QFETCH(bool, blink);
        QFETCH(bool, drawn);
        const ModuleStatus::AlarmBar bar = ModuleStatus::alarmBar(240, 153, mode, alarm, blink);
        QCOMPARE(bar.drawn, drawn);
        QCOMPARE(bar.rect, QRect(8, 115, 226, 30));
    }
};

QTEST_GUILESS_MAIN(TestModuleStatus)
#include "tst_modulestatus.moc"
