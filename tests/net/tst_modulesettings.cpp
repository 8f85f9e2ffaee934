// A module's settings block in the device model and the settings store.

#include "TestSettings.h"
#include "net/CMasterDevice.h"
#include "settings/SettingsKeys.h"

#include <QSettings>
#include <QTest>

using namespace SettingsBlock;

namespace {

QByteArray blockBytes(const Block &b) { return QByteArray(reinterpret_cast<const char *>(b.data()), Size); }

} // namespace

class TestModuleSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init() { TestSettings::clear(); }

    void defaultBlockIsTheFactoryTable()
    {
        CMasterDevice device;
        device.LoadModuleSettings(7);
        QCOMPARE(blockBytes(device.record(7).settings).toHex(),
                 QByteArray("9e2525202039392d392d25202a2a391401f0140101000001000100010101000101000201000000000000000000"
                            "00270000000000000000000000000436000000000000000000"));
        QCOMPARE(device.record(7).bypassMap.size(), 6144);
    }

    // One-shot commands and station-refreshed bytes never come back from the store.
    void saveAndLoadRoundTrip()
    {
        CMasterDevice a;
        a.SetDefaultSettings(3);
        ModuleRecord &r = a.record(3);
        r.settings[G900Threshold] = 97;
        r.settings[OfflineMode] = 1;
        for (int i = BypassBeginHi; i <= IdentOff; ++i)
            r.settings[i] = 9;
        r.settings[LpfSelection] = 3;
        r.settings[PauseFlags] = 2;
        r.settings[PauseFreqHi] = 1;
        r.manualPauseFreq = 915;
        r.manualPause = r.autoPause = true;
        r.lpfSelection = 5;
        a.SaveModuleSettings(3);
        QCOMPARE(QSettings().value("3_Settings").toByteArray().size(), 70);
        QCOMPARE(QSettings().value("3_SettingsManualPauseFreq").toInt(), 915);

        CMasterDevice b;
        b.LoadModuleSettings(3);
        const ModuleRecord &l = b.record(3);
        QCOMPARE(QList<int>({l.settings[G900Threshold], l.settings[OfflineMode], l.settings[LpfSelection],
                             l.settings[PauseFlags], l.settings[PauseFreqHi]}),
                 QList<int>({97, 1, 0, 0, 1}));
        for (int i = BypassBeginHi; i <= IdentOff; ++i)
            QCOMPARE(l.settings[i], quint8(0));
        QVERIFY(l.manualPauseFreq == 915 && l.manualPause && l.autoPause && l.lpfSelection == 5);
    }

    void incompleteStoreFallsBackToDefaults_data()
    {
        QTest::addColumn<QString>("dropKey");
        QTest::addColumn<int>("blockSize");
        QTest::newRow("69-byte block") << QString() << 69;
        QTest::newRow("71-byte block") << QString() << 71;
        QTest::newRow("no lpf key") << SettingsKeys::moduleLpfComboBox(5) << 70;
        QTest::newRow("no auto pause key") << SettingsKeys::moduleAutoPauseCheck(5) << 70;
    }
    void incompleteStoreFallsBackToDefaults()
    {
        QFETCH(QString, dropKey);
        QFETCH(int, blockSize);
        QSettings s;
        s.setValue(SettingsKeys::moduleSettings(5), QByteArray(blockSize, char(1)));
        s.setValue(SettingsKeys::moduleManualPauseFreq(5), 777);
        s.setValue(SettingsKeys::moduleManualPauseCheck(5), true);
        s.setValue(SettingsKeys::moduleAutoPauseCheck(5), true);
        s.setValue(SettingsKeys::moduleLpfComboBox(5), 6);
        if (!dropKey.isEmpty()) // an empty key would clear the whole store
            s.remove(dropKey);

        CMasterDevice d;
        d.LoadModuleSettings(5);
        const ModuleRecord &r = d.record(5);
        QCOMPARE(blockBytes(r.settings), blockBytes(defaults()));
        QVERIFY(r.manualPauseFreq == 500 && !r.manualPause && !r.autoPause && r.lpfSelection == 2);
    }

    void loadForgetsRunTimeState()
    {
        CMasterDevice d;
        ModuleRecord &r = d.record(6);
        r.scanFrequency = 433;
        r.bypassMapComplete = 2;
        r.bypassMap[100] = 3;
        r.lastChannels[1].nState = 1;
        d.LoadModuleSettings(6);
        QCOMPARE(QList<int>({r.scanFrequency, r.bypassMapComplete, r.bypassMap[100], r.lastChannels[1].nState}),
                 QList<int>({0, 0, 0, 0}));
    }

    void pauseBytes()
    {
        ModuleRecord r;
        const auto bytes = [&r] {
            CMasterDevice::RefreshPauseBytes(r);
            return QList<int>({r.settings[PauseFlags], r.settings[PauseFreqHi], r.settings[PauseFreqLo], r.settings[LpfSelection]});
        };
        r.manualPause = true;
        r.manualPauseFreq = 0x0395;
        r.lpfSelection = 4;
        QCOMPARE(bytes(), QList<int>({2, 0x03, 0x95, 4}));
        r.manualPauseFreq = 0; // leaves bytes 51 and 52 as they were
        QCOMPARE(bytes(), QList<int>({2, 0x03, 0x95, 0}));
        r.manualPause = false;
        r.manualPauseFreq = 100;
        QCOMPARE(bytes(), QList<int>({0, 0x03, 0x95, 0}));
    }
};

QTEST_GUILESS_MAIN(TestModuleSettings)
#include "tst_modulesettings.moc"
