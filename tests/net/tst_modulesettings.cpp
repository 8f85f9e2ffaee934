#include "TestSettings.h"
#include "net/CMasterDevice.h"
#include "settings/SettingsKeys.h"

#include <QSettings>
#include <QTest>

using namespace SettingsBlock;

class TestModuleSettings : public QObject
{
    Q_OBJECT

private:
    static QByteArray blockBytes(const Block &b)
    {
        return QByteArray(reinterpret_cast<const char *>(b.data()), Size);
    }

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init() { TestSettings::clear(); }

    void defaultBlockIsTheFactoryTable()
    {
        const QByteArray expected = QByteArray::fromHex(
            "9e2525202039392d392d25202a2a391401f0140101000001000100010101000101000201000000000000000000"
            "00270000000000000000000000000436000000000000000000");
        CMasterDevice device;
        device.LoadModuleSettings(7);
        const ModuleRecord &r = device.record(7);
        QCOMPARE(blockBytes(r.settings), expected);
        QCOMPARE(r.manualPauseFreq, 500);
        QCOMPARE(r.lpfSelection, 2);
        QCOMPARE(r.manualPause, false);
        QCOMPARE(r.autoPause, false);
        QCOMPARE(r.bypassMap.size(), 6144);
    }

    void saveAndLoadRoundTrip()
    {
        CMasterDevice a;
        a.SetDefaultSettings(3);
        ModuleRecord &r = a.record(3);
        r.settings[G900Threshold] = 97;
        r.settings[OfflineMode] = 1;
        r.manualPauseFreq = 915;
        r.manualPause = true;
        r.autoPause = true;
        r.lpfSelection = 5;
        a.SaveModuleSettings(3);

        QSettings s;
        QCOMPARE(s.value("3_Settings").toByteArray().size(), 70);
        QCOMPARE(s.value("3_SettingsManualPauseFreq").toInt(), 915);

        CMasterDevice b;
        b.LoadModuleSettings(3);
        const ModuleRecord &l = b.record(3);
        QCOMPARE(l.settings[G900Threshold], quint8(97));
        QCOMPARE(l.settings[OfflineMode], quint8(1));
        QCOMPARE(l.manualPauseFreq, 915);
        QCOMPARE(l.manualPause, true);
        QCOMPARE(l.autoPause, true);
        QCOMPARE(l.lpfSelection, 5);
    }

    // One-shot commands and station-refreshed bytes never come back from the store.
    void loadClearsOneShotBytes()
    {
        CMasterDevice a;
        a.SetDefaultSettings(4);
        ModuleRecord &r = a.record(4);
        for (int i = BypassBeginHi; i <= IdentOff; ++i)
            r.settings[i] = 9;
        r.settings[LpfSelection] = 3;
        r.settings[PauseFlags] = 2;
        r.settings[PauseFreqHi] = 1;
        a.SaveModuleSettings(4);

        CMasterDevice b;
        b.LoadModuleSettings(4);
        const ModuleRecord &l = b.record(4);
        for (int i = BypassBeginHi; i <= IdentOff; ++i)
            QCOMPARE(l.settings[i], quint8(0));
        QCOMPARE(l.settings[LpfSelection], quint8(0));
        QCOMPARE(l.settings[PauseFlags], quint8(0));
        QCOMPARE(l.settings[PauseFreqHi], quint8(1));
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
        if (!dropKey.isEmpty())
            s.remove(dropKey);

        CMasterDevice d;
        d.LoadModuleSettings(5);
        const ModuleRecord &r = d.record(5);
        QCOMPARE(blockBytes(r.settings), blockBytes(defaults()));
        QCOMPARE(r.manualPauseFreq, 500);
        QCOMPARE(r.manualPause, false);
        QCOMPARE(r.lpfSelection, 2);
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
        QCOMPARE(r.scanFrequency, 0);
        QCOMPARE(r.bypassMapComplete, 0);
        QCOMPARE(r.bypassMap[100], quint8(0));
        QCOMPARE(r.lastChannels[1].nState, 0);
    }

    void pauseBytes()
    {
        ModuleRecord r;
        r.manualPause = true;
        r.manualPauseFreq = 0x0395;
        r.lpfSelection = 4;
        CMasterDevice::RefreshPauseBytes(r);
        QCOMPARE(r.settings[PauseFlags], quint8(2));
        QCOMPARE(r.settings[PauseFreqHi], quint8(0x03));
        QCOMPARE(r.settings[PauseFreqLo], quint8(0x95));
        QCOMPARE(r.settings[LpfSelection], quint8(4));

        // A frequency of 0 leaves bytes 51 and 52 as they were.
        r.manualPauseFreq = 0;
        CMasterDevice::RefreshPauseBytes(r);
        QCOMPARE(r.settings[PauseFlags], quint8(2));
        QCOMPARE(r.settings[PauseFreqHi], quint8(0x03));
        QCOMPARE(r.settings[LpfSelection], quint8(0));

        r.manualPause = false;
        r.manualPauseFreq = 100;
        CMasterDevice::RefreshPauseBytes(r);
        QCOMPARE(r.settings[PauseFlags], quint8(0));
        QCOMPARE(r.settings[PauseFreqLo], quint8(0x95));
    }
};

QTEST_GUILESS_MAIN(TestModuleSettings)
#include "tst_modulesettings.moc"
