// The signal catalogue, and the demonstration feed's records that follow it.

#include "TestSettings.h"
#include "net/CMasterDevice.h"
#include "net/CSignalTypeStr.h"
#include "net/DemoScenario.h"
#include "net/StationGlobals.h"

#include <QTest>

class TestDemoScenario : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init() { StationGlobals::reset(); }

    // Names and settings bytes (threshold/enable) of types -1 .. 19 and 255, as the link's description tables them.
    void signalCatalogue()
    {
        QStringList seen;
        for (int type = -1; type <= 20; ++type) {
            const int t = type == 20 ? 255 : type;
            seen << CSignalTypeStr::name(t);
            if (t >= 0 && t <= 15)
                seen.last() += QStringLiteral(" %1/%2")
                                   .arg(CSignalTypeStr::thresholdByte(t))
                                   .arg(CSignalTypeStr::enableByte(t));
        }
        QCOMPARE(
            seen,
            QStringList({ "Unknown",        "CDMA450 10/28", "GSM 900 1/19",   "GSM 1800 2/20",
                          "DECT 14/32",     "3G-2100 11/29", "3G-900 12/30",   "3G SMS 12/30",
                          "WLAN 2.4 5/23",  "WLAN 5 8/26",   "Bluetooth 6/24", "Traffic 2.4 7/25",
                          "Traffic 5 9/27", "4G-2600 13/31", "Unknown 3/21",   "Unknown 4/22",
                          "Unknown 15/33",  "Jammer GSM",    "Jammer GPS",     "SCAN",
                          "Unknown",        "Unknown" }));
    }

    void recordsFollowTheModuleSettings()
    {
        CMasterDevice device;
        DATA rec;
        // Without a record every band counts as disabled at -102 dBm, and none is made.
        DemoScenario::BuildRecord(device, 0, 6, rec);
        QCOMPARE(
            QList<int>({ rec.channel[0].nThreshold, rec.channel[0].nState, device.hasRecord(6) }),
            QList<int>({ -102, 0, 0 }));

        // Step 0, module 6: (2, -30), (2, -45), (3, -45); GSM 1800 threshold -65, DECT -45; -45 is not above -45.
        device.LoadModuleSettings(6);
        DemoScenario::BuildRecord(device, 0, 6, rec);
        QCOMPARE(QList<int>({ rec.channel[0].nThreshold, rec.channel[2].nThreshold,
                              rec.channel[0].nState, rec.channel[1].nState, rec.channel[2].nState,
                              device.record(6).lastChannels[0].nLevel }),
                 QList<int>({ -65, -45, 1, 1, 0, -30 }));

        // Step 12, module 1: type 15 uses the scan squelch and the scan enable (off).
        device.LoadModuleSettings(1);
        DemoScenario::BuildRecord(device, 12, 1, rec);
        QCOMPARE(
            QList<int>({ rec.channel[0].nType, rec.channel[0].nThreshold, rec.channel[0].nState }),
            QList<int>({ 15, 20 - 102, 0 }));
        device.record(1).settings[SettingsBlock::ScanEnable] = 1;
        DemoScenario::BuildRecord(device, 12, 1, rec);
        QCOMPARE(rec.channel[0].nState, 1);
    }
};

QTEST_GUILESS_MAIN(TestDemoScenario)
#include "tst_demoscenario.moc"
