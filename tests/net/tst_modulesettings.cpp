// A module's settings block in the device model and the settings store. The
// factory block itself is pinned by the reply in tst_packetdecoder.

#include "TestSettings.h"
#include "net/CMasterDevice.h"
#include "net/ModuleKeys.h"

#include <QSettings>
#include <QTest>

using namespace SettingsBlock;

namespace {

QByteArray hex(const Block &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), Size).toHex();
}

} // namespace

class TestModuleSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init() { TestSettings::clear(); }

    void saveAndLoad()
    {
        CMasterDevice a;
        ModuleRecord &r = a.record(3);
        for (int i = 0; i < Size; ++i)
            r.settings[i] = quint8(i + 1);
        r.manualPauseFreq = 915;
        r.manualPause = r.autoPause = true;
        r.lpfSelection = 5;
        a.SaveModuleSettings(3);

        // A record made on first access holds what loading gives, whoever asks
        // first; loading also forgets the run-time state of the record. One-shot
        // commands (37 .. 43), upload progress (49, 50) and station-refreshed
        // bytes (pause, filter) never come back from the store.
        Block expected = r.settings;
        for (int i : { 37, 38, 39, 40, 41, 42, 43, 49, 50, int(LpfSelection), int(PauseFlags) })
            expected[i] = 0;
        CMasterDevice b;
        ModuleRecord &l = b.record(3);
        const auto state = [&l] {
            return QList<int>({ l.manualPauseFreq, l.manualPause, l.autoPause, l.lpfSelection,
                                l.scanFrequency, l.bypassMapComplete, l.bypassMap[100],
                                l.lastChannels[1].nState });
        };
        QCOMPARE(hex(l.settings), hex(expected));
        QCOMPARE(state(), QList<int>({ 915, 1, 1, 5, 0, 0, 0, 0 }));
        l = ModuleRecord();
        l.scanFrequency = l.bypassMapComplete = l.bypassMap[100] = l.lastChannels[1].nState = 1;
        b.LoadModuleSettings(3);
        QCOMPARE(hex(l.settings), hex(expected));
        QCOMPARE(state(), QList<int>({ 915, 1, 1, 5, 0, 0, 0, 0 }));

        // A block cut short falls back to the defaults as a whole, pause options included.
        QSettings().setValue(ModuleKeys::settings(3), QByteArray(69, char(1)));
        b.LoadModuleSettings(3);
        QCOMPARE(hex(l.settings), hex(defaults()));
        QCOMPARE(state(), QList<int>({ 500, 0, 0, 2, 0, 0, 0, 0 }));
    }

    void pauseBytes()
    {
        ModuleRecord r;
        const auto bytes = [&r] {
            CMasterDevice::RefreshPauseBytes(r);
            return QList<int>({ r.settings[PauseFlags], r.settings[PauseFreqHi],
                                r.settings[PauseFreqLo], r.settings[LpfSelection] });
        };
        r.manualPause = true;
        r.manualPauseFreq = 0x0395;
        r.lpfSelection = 4;
        QCOMPARE(bytes(), QList<int>({ 2, 0x03, 0x95, 4 }));
        // Out of the module's range (a hand-edited store): sent as no frequency.
        for (int freq : { 0, 24, 6001, 70000, -5 }) {
            r.manualPauseFreq = freq;
            QCOMPARE(bytes(), QList<int>({ 2, 0x03, 0x95, 0 }));
        }
        r.manualPause = false;
        QCOMPARE(bytes(), QList<int>({ 0, 0x03, 0x95, 0 }));
    }
};

QTEST_GUILESS_MAIN(TestModuleSettings)
#include "tst_modulesettings.moc"
