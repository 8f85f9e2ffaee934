// The demonstration feed's records, and the settings bytes each signal type reads.

#include "TestSettings.h"
#include "net/CMasterDevice.h"
#include "net/CSignalTypeStr.h"
#include "net/DemoScenario.h"
#include "net/StationGlobals.h"

#include <QSet>
#include <QTest>

class TestDemoScenario : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init() { StationGlobals::reset(); }

    // Each type's enable byte pairs with its threshold byte, and the types
    // cover all 15 bands (3G SMS shares 3G-900's bytes).
    void typeSettingsBytes()
    {
        QSet<int> bands;
        for (int t = 0; t <= CSignalTypeStr::LastSettingsType; ++t) {
            QCOMPARE(CSignalTypeStr::enableByte(t) - CSignalTypeStr::thresholdByte(t), SettingsBlock::G900Enable - SettingsBlock::G900Threshold);
            bands.insert(CSignalTypeStr::thresholdByte(t));
        }
        QCOMPARE(bands.size(), 15);
    }

    void recordsFollowTheModuleSettings()
    {
        CMasterDevice device;
        DATA rec;
        // Without a record every band counts as disabled at -102 dBm, and none is made.
        DemoScenario::BuildRecord(device, 0, 6, rec);
        QCOMPARE(QList<int>({rec.channel[0].nThreshold, rec.channel[0].nState, device.hasRecord(6)}), QList<int>({-102, 0, 0}));

        // Step 0, module 6: (2, -30), (2, -45), (3, -45); GSM 1800 threshold -65, DECT -45.
        device.LoadModuleSettings(6);
        DemoScenario::BuildRecord(device, 0, 6, rec);
        QCOMPARE(QList<int>({rec.channel[0].nThreshold, rec.channel[2].nThreshold}), QList<int>({-65, -45}));
        QCOMPARE(QList<int>({rec.channel[0].nState, rec.channel[1].nState, rec.channel[2].nState}),
                 QList<int>({1, 1, 0})); // -45 is not above -45
        QCOMPARE(device.record(6).lastChannels[0].nLevel, -30);

        // Step 12, module 1: type 15 uses the scan squelch and the scan enable (off).
        device.LoadModuleSettings(1);
        DemoScenario::BuildRecord(device, 12, 1, rec);
        QCOMPARE(QList<int>({rec.channel[0].nType, rec.channel[0].nThreshold, rec.channel[0].nState}), QList<int>({15, 20 - 102, 0}));
        device.record(1).settings[SettingsBlock::ScanEnable] = 1;
        DemoScenario::BuildRecord(device, 12, 1, rec);
        QCOMPARE(rec.channel[0].nState, 1);
    }
};

QTEST_GUILESS_MAIN(TestDemoScenario)
#include "tst_demoscenario.moc"
