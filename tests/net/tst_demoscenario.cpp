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

    // Names and settings bytes of the catalogue, as the link's description tables them.
    void signalCatalogue_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("threshold"); // settings byte; -1: the type has none
        QTest::addColumn<int>("enable");
        const struct { int type; const char *name; int threshold, enable; } table[] = {
            {0, "CDMA450", 10, 28}, {1, "GSM 900", 1, 19}, {2, "GSM 1800", 2, 20}, {3, "DECT", 14, 32},
            {4, "3G-2100", 11, 29}, {5, "3G-900", 12, 30}, {6, "3G SMS", 12, 30}, {7, "WLAN 2.4", 5, 23},
            {8, "WLAN 5", 8, 26}, {9, "Bluetooth", 6, 24}, {10, "Traffic 2.4", 7, 25}, {11, "Traffic 5", 9, 27},
            {12, "4G-2600", 13, 31}, {13, "Unknown", 3, 21}, {14, "Unknown", 4, 22}, {15, "Unknown", 15, 33},
            {16, "Jammer GSM", -1, -1}, {17, "Jammer GPS", -1, -1}, {18, "SCAN", -1, -1},
            {-1, "Unknown", -1, -1}, {19, "Unknown", -1, -1}, {255, "Unknown", -1, -1},
        };
        for (const auto &t : table)
            QTest::addRow("%d", t.type) << t.type << QString::fromLatin1(t.name) << t.threshold << t.enable;
    }

    void signalCatalogue()
    {
        QFETCH(int, type);
        QFETCH(QString, name);
        QFETCH(int, threshold);
        QFETCH(int, enable);
        QCOMPARE(CSignalTypeStr::name(type), name);
        if (threshold >= 0)
            QCOMPARE(QList<int>({CSignalTypeStr::thresholdByte(type), CSignalTypeStr::enableByte(type)}),
                     QList<int>({threshold, enable}));
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
