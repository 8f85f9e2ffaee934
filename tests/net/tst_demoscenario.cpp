#include "TestSettings.h"
#include "net/CMasterDevice.h"
#include "net/DemoScenario.h"
#include "net/StationGlobals.h"

#include <QTest>

class TestDemoScenario : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init() { StationGlobals::reset(); }

    void tableShapeTypesAndLevels()
    {
        const QList<int> types = { 0, 1, 2, 3, 4, 5, 6, 7, 8, 15 };
        for (int s = 0; s < DemoScenario::Steps; ++s)
            for (int m = 0; m < DemoScenario::Modules; ++m)
                for (int n = 0; n < 3; ++n) {
                    const DemoScenario::Entry e = DemoScenario::entry(s, m, n);
                    if (e.type == 0 && e.level == -102)
                        continue;
                    QVERIFY2(types.contains(e.type), qPrintable(QString("step %1").arg(s)));
                    QVERIFY(e.level >= -70 && e.level <= -25);
                }
        const DemoScenario::Entry r1 = DemoScenario::entry(1, 3, 2);
        QCOMPARE(r1.type, 4);
        QCOMPARE(r1.level, -65);
        const DemoScenario::Entry r12 = DemoScenario::entry(12, 2, 0);
        QCOMPARE(r12.type, 15);
        QCOMPARE(r12.level, -55);
        QCOMPARE(DemoScenario::entry(0, 5, 2).type, 3);
    }

    // Without a record every band counts as disabled at -102 dBm.
    void moduleWithoutRecord()
    {
        CMasterDevice device;
        DATA rec;
        DemoScenario::BuildRecord(device, 0, 6, rec);
        QCOMPARE(rec.nID, quint8(6));
        QCOMPARE(rec.nFormat, quint8(4));
        QCOMPARE(rec.nRSSI, qint8(56));
        for (const CHANNEL &c : rec.channel) {
            QCOMPARE(c.nThreshold, -102);
            QCOMPARE(c.nState, 0);
            QCOMPARE(c.nNoise, -60);
        }
        QVERIFY(!device.hasRecord(6));
        QCOMPARE(StationGlobals::debugStats[6].active, quint8(0));
    }

    void moduleWithRecord()
    {
        CMasterDevice device;
        device.LoadModuleSettings(6);
        DATA rec;
        // Step 0, module 6: (2, -30), (2, -45), (3, -45); GSM 1800 threshold -65, DECT -45.
        DemoScenario::BuildRecord(device, 0, 6, rec);
        QCOMPARE(rec.channel[0].nThreshold, -65);
        QCOMPARE(rec.channel[0].nState, 1);
        QCOMPARE(rec.channel[1].nState, 1);
        QCOMPARE(rec.channel[2].nThreshold, -45);
        QCOMPARE(rec.channel[2].nState, 0);            // -45 is not above -45
        QCOMPARE(device.record(6).lastChannels[0].nLevel, -30);
        QCOMPARE(StationGlobals::debugStats[6].nCyc, 1);

        // Step 12, module 1: type 15 uses the scan squelch and the scan enable (off).
        device.LoadModuleSettings(1);
        DemoScenario::BuildRecord(device, 12, 1, rec);
        QCOMPARE(rec.channel[0].nType, 15);
        QCOMPARE(rec.channel[0].nThreshold, 20 - 102);
        QCOMPARE(rec.channel[0].nState, 0);
        device.record(1).settings[SettingsBlock::ScanEnable] = 1;
        DemoScenario::BuildRecord(device, 12, 1, rec);
        QCOMPARE(rec.channel[0].nState, 1);
    }
};

QTEST_GUILESS_MAIN(TestDemoScenario)
#include "tst_demoscenario.moc"
