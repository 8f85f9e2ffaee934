// The demonstration feed: its table and the records built from it.

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

    // Without a record every band counts as disabled at -102 dBm.
    void moduleWithoutRecord()
    {
        CMasterDevice device;
        DATA rec;
        DemoScenario::BuildRecord(device, 0, 6, rec);
        QVERIFY(rec.nID == 6 && rec.nFormat == 4 && rec.nRSSI == 56);
        for (const CHANNEL &c : rec.channel)
            QVERIFY(c.nThreshold == -102 && c.nState == 0 && c.nNoise == -60);
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
        QCOMPARE(QList<int>({rec.channel[0].nThreshold, rec.channel[2].nThreshold}), QList<int>({-65, -45}));
        QCOMPARE(QList<int>({rec.channel[0].nState, rec.channel[1].nState, rec.channel[2].nState}),
                 QList<int>({1, 1, 0})); // -45 is not above -45
        QCOMPARE(device.record(6).lastChannels[0].nLevel, -30);
        QCOMPARE(StationGlobals::debugStats[6].nCyc, 1);

        // Step 12, module 1: type 15 uses the scan squelch and the scan enable (off).
        device.LoadModuleSettings(1);
        DemoScenario::BuildRecord(device, 12, 1, rec);
        QCOMPARE(QList<int>({rec.channel[0].nType, rec.channel[0].nThreshold, rec.channel[0].nState}),
                 QList<int>({15, 20 - 102, 0}));
        device.record(1).settings[SettingsBlock::ScanEnable] = 1;
        DemoScenario::BuildRecord(device, 12, 1, rec);
        QCOMPARE(rec.channel[0].nState, 1);
    }
};

QTEST_GUILESS_MAIN(TestDemoScenario)
#include "tst_demoscenario.moc"
