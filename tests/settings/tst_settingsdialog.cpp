// "Settings of the module #N" driven headless: the form, the record <->
// controls encodings, the apply cycle with its "For all" copies and
// interlocks, the bypass actions, and - against modules on the loopback that
// answer as real modules do - edits, bypass maps and uploads reaching the
// modules through the replies.

#include "settings/CSettingsDialog.h"
#include "Fixtures.h"
#include "ScriptedModule.h"
#include "TestSettings.h"
#include "net/ModuleLink.h"
#include "net/StationGlobals.h"
#include "settings/CBypassDialog.h"
#include "settings/CXmlValueStore.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

using namespace SettingsBlock;

namespace {

class Dialog : public CSettingsDialog
{
public:
    using CSettingsDialog::CSettingsDialog;
    bool answer = true;
    QString openName;
    QStringList messages;
    QList<int> bypassFlags;
    // Runs while the bypass list would be open.
    std::function<void(unsigned char)> whileBypassOpen;

    template <typename T> T *w(const char *name) const
    {
        T *child = findChild<T *>(QLatin1String(name));
        if (!child)
            qFatal("no child %s", name);
        return child;
    }

protected:
    bool askQuestion(const QString &text) override
    {
        messages << "?" + text;
        return answer;
    }
    void showMessage(QMessageBox::Icon, const QString &title, const QString &text) override
    {
        messages << title + ": " + text;
    }
    QString askOpenFileName(const QString &, const QString &, const QString &) override
    {
        return openName;
    }
    void execBypassDialog(unsigned char flags) override
    {
        bypassFlags << flags;
        if (whileBypassOpen)
            whileBypassOpen(flags);
    }
};

// Settings bytes from..to of a block as hex, to compare a stretch in one go.
QByteArray bytes(const Block &b, int from, int to)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()) + from, to - from + 1).toHex();
}
QByteArray bytes(const QByteArray &settings, int from, int to)
{
    return settings.mid(from, to - from + 1).toHex();
}

QByteArray bypassXml(int n)
{
    QByteArray xml = "<Bypass>\n";
    for (int i = 1; i <= n; ++i)
        xml += " <Item BeginFreq=\"" + QByteArray::number(1000 + i) + "\" EndFreq=\""
            + QByteArray::number(1000 + i + 5) + "\"/>\n";
    return xml + "</Bypass>\n";
}

} // namespace

class TestSettingsDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ModuleLink> m_link;
    std::vector<std::unique_ptr<ScriptedModule>> m_modules;
    CMasterDevice *m_device = nullptr;

    // A link on a free port that creates a record for each new module, as
    // the main window does through the module window.
    void startLink()
    {
        m_link = std::make_unique<ModuleLink>(0, false);
        QVERIFY(m_link->isListening());
        m_device = &m_link->device;
        connect(m_link.get(), &ModuleLink::dataUpdated, m_link.get(), [this](DATA d) {
            if (!m_device->hasRecord(d.nID))
                m_device->LoadModuleSettings(d.nID);
        });
    }

    ScriptedModule &addModule(quint8 number)
    {
        auto m = std::make_unique<ScriptedModule>(number);
        m->setInterval(1);
        if (!m->connectTo(m_link->serverPort()))
            qFatal("module %d could not connect", number);
        m_modules.push_back(std::move(m));
        ScriptedModule &module = *m_modules.back();
        // Known to the station once its replies carry the settings; past its
        // first sequence byte, which counts as one acknowledgement.
        if (!QTest::qWaitFor(
                [&] {
            return module.replies().size() >= 3
                && module.lastSettings().startsWith(char(MarkerValue));
                },
                5000))
            qFatal("module %d got no settings", number);
        return module;
    }

    void writeFile(const QString &path, const QByteArray &content)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(content), content.size());
    }

private slots:
    void initTestCase() { TestSettings::isolate(); }

    void init()
    {
        TestSettings::freshStation();
        startLink();
    }

    void cleanup()
    {
        m_modules.clear();
        m_link.reset();
        m_device = nullptr;
    }

    void formAsDesigned()
    {
        m_device->SetDefaultSettings(1);
        Dialog d(1, m_device);
        QCOMPARE(d.size(), QSize(900, 620));
        // Everything fits: the layout does not stretch the form.
        QVERIFY(d.minimumSizeHint().boundedTo(QSize(900, 620)) == d.minimumSizeHint());
        QCOMPARE(d.windowTitle(), QStringLiteral("Settings of the module"));
        QVERIFY(d.w<QRadioButton>("m_pBypassScanManualRadio")->isHidden());
        QVERIFY(d.w<QPushButton>("m_pSaveMenuEepromButton")->isHidden());
        QVERIFY(d.w<QLineEdit>("m_pNumberFreqMatchingEdit")->isHidden());
        QCOMPARE(d.w<QGroupBox>("m_p2400GroupCheck")->title(), QStringLiteral("2.4 && 5 GHz"));
        QCOMPARE(d.w<QComboBox>("m_pLEDComboBox")->count(), 4);
        QCOMPARE(d.w<QComboBox>("m_pLpfComboBox")->itemText(7), QStringLiteral("60"));
        // The factory block as the value labels show it.
        QStringList labels;
        for (const char *name : { "m_pG900Label", "m_pCdma450Label", "m_pBluetoothLabel",
                                  "m_pTraffic2_4_Label", "m_pScanLabel", "m_pScanBeginRangeLabel",
                                  "m_pScanEndRangeLabel", "m_pScanBandLabel" })
            labels << d.w<QLabel>(name)->text();
        QCOMPARE(labels,
                 QStringList({ "-65 dBm", "-65 dBm", "-45 dBm", "45 %", "20 dB", "25 MHz",
                               "6000 MHz", "20 MHz" }));
        QCOMPARE(d.w<QComboBox>("m_pLpfComboBox")->currentIndex(), 2);
        QVERIFY(!d.w<QGroupBox>("m_pJammerGroupCheck")->isChecked());
        QVERIFY(d.w<QGroupBox>("m_pCellularGroupCheck")->isChecked());

        // Opening and applying leaves a factory block as it was (the step stays 20).
        d.OnTimer();
        QCOMPARE(m_device->record(1).settings, defaults());
        // Nothing changed, so nothing was written: a cycle costs no store write.
        QVERIFY(!QSettings().contains("1_Settings"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Settings of the module #1"));
        d.w<QSlider>("m_pScanSlider")->setValue(5);
        QCOMPARE(d.w<QLabel>("m_pScanLabel")->text(), QStringLiteral("05 dB"));
    }

    void controlsToBytes()
    {
        ModuleRecord &r = m_device->record(2);
        m_device->SetDefaultSettings(2);
        r.settings[G1800Threshold] = 0; // -102 dBm: below the slider
        r.settings[LedHigh] = 1;
        r.settings[LedLow] = 0;
        Dialog d(2, m_device);
        QCOMPARE(d.w<QComboBox>("m_pLEDComboBox")->currentIndex(), 2);
        QCOMPARE(d.w<QSlider>("m_pG1800Slider")->value(), -80);
        d.w<QSlider>("m_pG900Slider")->setValue(-5);
        d.w<QSlider>("m_pTraffic5_Slider")->setValue(99);
        d.w<QSlider>("m_pScanBeginRangeSlider")->setValue(510); // kept in 25 MHz units
        d.w<QComboBox>("m_pLEDComboBox")->setCurrentIndex(1);
        d.w<QCheckBox>("m_pOfflineModeCheck")->setChecked(true);
        d.w<QLineEdit>("m_pNumberFreqMatchingEdit")->setText("x");
        d.w<QLineEdit>("m_pManualPauseFreqEdit")->setText("433");
        d.w<QComboBox>("m_pLpfComboBox")->setCurrentIndex(5);
        d.OnTimer();
        QCOMPARE(r.settings[G900Threshold], quint8(97));
        QCOMPARE(r.settings[G1800Threshold], quint8(22));
        QCOMPARE(r.settings[Traffic5Threshold], quint8(99));
        QCOMPARE(r.settings[ScanBegin], quint8(20));
        QCOMPARE(bytes(r.settings, LedHigh, OfflineMode), QByteArray("00000101"));
        QCOMPARE(r.settings[FreqMatches], quint8(0));
        QCOMPARE(r.manualPauseFreq, 433);
        QCOMPARE(r.lpfSelection, 5);
        // What was applied is stored; Cancel undoes nothing.
        d.reject();
        QSettings s;
        QCOMPARE(quint8(s.value("2_Settings").toByteArray().at(G900Threshold)), quint8(97));
        QCOMPARE(s.value("2_SettingsLpfComboBox").toInt(), 5);
    }

    void interlocks()
    {
        m_device->SetDefaultSettings(3);
        ModuleRecord &r = m_device->record(3);
        r.scanFrequency = 433;
        Dialog d(3, m_device);
        // No band left: GSM 900 comes back.
        for (const char *g : { "m_pCellularGroupCheck", "m_p2400GroupCheck" }) {
            d.w<QGroupBox>(g)->setChecked(false);
        }
        d.OnCellularGroupCheck();
        d.On2400GroupCheck();
        d.OnTimer();
        QCOMPARE(bytes(r.settings, G900Enable, ScanEnable), QByteArray("01" + QByteArray(28, '0')));
        QVERIFY(d.w<QCheckBox>("m_pG900Check")->isChecked());

        // PAUSE needs a stored frequency.
        d.w<QLineEdit>("m_pManualPauseFreqEdit")->setText("");
        d.OnTimer();
        auto *pause = d.w<QCheckBox>("m_pScanManualPauseCheck");
        pause->setChecked(true);
        d.OnScanManualPauseCheck();
        QVERIFY(!pause->isChecked());
        QCOMPARE(
            d.messages,
            QStringList({ "Error: The value in the field 'Freq' must be in range 25 - 6000 MHz" }));
        d.w<QLineEdit>("m_pManualPauseFreqEdit")->setText("900");
        d.OnTimer();
        pause->setChecked(true);
        d.OnScanManualPauseCheck();
        QVERIFY(pause->isChecked());
        QVERIFY(d.w<QCheckBox>("m_pScanCheck")->isChecked());
        d.w<QCheckBox>("m_pScanCheck")->setChecked(false);
        d.OnScanCheck();
        QVERIFY(!pause->isChecked());

        // AUTO fill takes the frequency the module scans.
        d.w<QCheckBox>("m_pScanAutoPauseCheck")->setChecked(true);
        d.OnScanAutoPauseCheck();
        d.OnTimer();
        QCOMPARE(r.manualPauseFreq, 433);
        QCOMPARE(d.w<QLineEdit>("m_pManualPauseFreqEdit")->text(), QStringLiteral("433"));

        d.w<QCheckBox>("m_pForAllGlobalCheck")->setChecked(true);
        d.OnForAllGlobalCheck();
        QVERIFY(d.w<QCheckBox>("m_pForAllJammer_GPS_Check")->isChecked());
        QVERIFY(d.w<QCheckBox>("m_pForAllScanCheck")->isChecked());
        QVERIFY(!d.w<QCheckBox>("m_pForAllIdentOff_Check")->isChecked());
    }

    void forAllCopiesEachSecond()
    {
        for (quint8 m : { 4, 5, 6 })
            m_device->SetDefaultSettings(m);
        Dialog d(5, m_device);
        d.w<QSlider>("m_pDectSlider")->setValue(-20);
        d.w<QCheckBox>("m_pDectCheck")->setChecked(false);
        d.w<QCheckBox>("m_pForAllDectCheck")->setChecked(true);
        d.w<QCheckBox>("m_pIdentOff_Check")->setChecked(true); // not for all
        d.w<QComboBox>("m_pLEDComboBox")->setCurrentIndex(3);
        d.w<QCheckBox>("m_pForAllDeviceIndicationCheck")->setChecked(true);
        d.w<QLineEdit>("m_pNumberFreqMatchingEdit")->setText("7"); // always for all
        m_device->record(4).settings[Marker] = 0;
        d.OnTimer();
        for (quint8 m : { 4, 6 }) {
            const Block &b = m_device->record(m).settings;
            QCOMPARE(b[Marker], MarkerValue);
            QCOMPARE(b[DectThreshold], quint8(82));
            QCOMPARE(b[DectEnable], quint8(0));
            QCOMPARE(b[IdentOff], quint8(0));
            QCOMPARE(bytes(b, LedHigh, OfflineMode), QByteArray("01000100"));
            QCOMPARE(b[FreqMatches], quint8(7));
        }
        // Scan copies its bytes, the pause bytes and the station-side pause options.
        m_device->record(5).settings[PauseFreqHi] = 1;
        d.w<QCheckBox>("m_pForAllScanCheck")->setChecked(true);
        d.w<QSlider>("m_pScanSlider")->setValue(7);
        d.w<QSlider>("m_pScanBandSlider")->setValue(10);
        d.w<QLineEdit>("m_pManualPauseFreqEdit")->setText("1200");
        d.OnTimer();
        const ModuleRecord &other = m_device->record(6);
        QCOMPARE(bytes(other.settings, ScanSquelch, ScanStep), QByteArray("0701f00a"));
        QCOMPARE(other.settings[PauseFreqHi], quint8(1));
        QCOMPARE(other.manualPauseFreq, 1200);
        QCOMPARE(QSettings().value("6_SettingsManualPauseFreq").toInt(), 1200);
    }

    // Checked as typed, as "Set" checks: never cut to 16 bits on the way to bytes 51 and 52.
    void pauseFrequencyAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("taken"); // 500, the record's, when refused
        QTest::newRow("in range") << "1200" << 1200;
        QTest::newRow("lowest") << "25" << 25;
        QTest::newRow("highest") << "6000" << 6000;
        QTest::newRow("none") << "" << 0;
        QTest::newRow("below 25") << "24" << 500;
        QTest::newRow("above 6000") << "6001" << 500;
        QTest::newRow("70000") << "70000" << 500;
        QTest::newRow("negative") << "-5" << 500;
    }
    void pauseFrequencyAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(int, taken);
        m_device->SetDefaultSettings(8);
        Dialog d(8, m_device);
        auto *edit = d.w<QLineEdit>("m_pManualPauseFreqEdit");
        edit->setText(typed);
        d.OnTimer(); // while typing: not taken, and no box yet
        QCOMPARE(m_device->record(8).manualPauseFreq, taken);
        QVERIFY(d.messages.isEmpty());
        emit edit->editingFinished();
        const bool refused = taken != typed.toInt();
        QCOMPARE(edit->text(), refused ? QStringLiteral("500") : typed);
        QCOMPARE(d.messages,
                 refused ? QStringList(
                     { "Error: The value in the field 'Freq' must be in range 25 - 6000 MHz" })
                         : QStringList());
    }

    void setManualBypass_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("stop");
        QTest::addColumn<QByteArray>("sent"); // bytes 37 .. 41, empty for "Wrong frequency!"
        QTest::newRow("range") << "925"
                               << "935" << QByteArray("039d03a708");
        QTest::newRow("stop only") << "0"
                                   << "900" << QByteArray("0384038408");
        QTest::newRow("start only") << "433"
                                    << "" << QByteArray("01b101b108");
        QTest::newRow("reversed") << "30"
                                  << "20" << QByteArray();
        QTest::newRow("below 25") << "24"
                                  << "30" << QByteArray();
        QTest::newRow("above 6000") << "100"
                                    << "6001" << QByteArray();
        QTest::newRow("none") << ""
                              << "x" << QByteArray();
        // Checked before it is cut to 16 bits: not a bypass at 4464 MHz.
        QTest::newRow("70000") << "70000"
                               << "" << QByteArray();
        QTest::newRow("negative") << "-5"
                                  << "100" << QByteArray();
    }
    void setManualBypass()
    {
        QFETCH(QString, start);
        QFETCH(QString, stop);
        QFETCH(QByteArray, sent);
        m_device->SetDefaultSettings(7);
        Dialog d(7, m_device);
        d.w<QLineEdit>("m_pFreq1Edit")->setText(start);
        d.w<QLineEdit>("m_pFreq2Edit")->setText(stop);
        StationGlobals::ackCounter = 5;
        d.OnSetBypassManualButton();
        const Block &b = m_device->record(7).settings;
        if (sent.isEmpty()) {
            QCOMPARE(d.messages, QStringList({ "Error: Wrong frequency!" }));
            QCOMPARE(bytes(b, BypassBeginHi, BypassKind), QByteArray("0000000000"));
            QCOMPARE(StationGlobals::ackCounter, 5);
        } else {
            QVERIFY(d.messages.isEmpty());
            QCOMPARE(bytes(b, BypassBeginHi, BypassKind), sent);
            QCOMPARE(StationGlobals::ackCounter, 0);
            QCOMPARE(StationGlobals::expectedAcks, 1);
        }
    }

    void defaultsEraseAndGet()
    {
        m_device->SetDefaultSettings(8);
        m_device->SetDefaultSettings(9);
        m_device->record(9).settings[DectThreshold] = 80;
        m_device->record(8).settings[DectThreshold] = 80;
        Dialog d(8, m_device);
        d.answer = false;
        d.OnDefaultsButton();
        QCOMPARE(m_device->record(8).settings[DectThreshold], quint8(80));
        d.answer = true;
        d.w<QCheckBox>("m_pForAllSetDefaultCheck")->setChecked(true);
        d.OnDefaultsButton();
        QCOMPARE(d.w<QSlider>("m_pDectSlider")->value(), -45);
        QCOMPARE(m_device->record(9).settings, defaults());
        QCOMPARE(QSettings().value("9_Settings").toByteArray().at(DectThreshold), char(57));

        d.OnEraseBypassButton();
        QCOMPARE(m_device->record(8).settings[Command], CommandEraseManualBypass);
        QCOMPARE(m_device->record(9).settings[Command], CommandEraseManualBypass);
        QCOMPARE(d.messages,
                 QStringList({ "?Do you want to reset all settings to defaults?",
                               "?Do you want to reset all settings to defaults?",
                               "?Do you want to erase all manual bypass frequencies?" }));

        // "Get bypass" asks for the map while the list is open, then stops asking.
        ModuleRecord &r = m_device->record(8);
        r.bypassMapComplete = 2;
        r.expectedBypassBlock = 3;
        d.w<QCheckBox>("m_pBypassScanAutoCheck")->setChecked(false);
        d.w<QCheckBox>("m_pBypassScanPattern2Check")->setChecked(true);
        d.w<QCheckBox>("m_pBypassScanManualCheck")->setChecked(true);
        quint8 commandWhileOpen = 0;
        d.whileBypassOpen = [&](unsigned char) {
            commandWhileOpen = r.settings[Command];
            QCOMPARE(r.bypassMapComplete, 0);
            QCOMPARE(r.expectedBypassBlock, quint8(0));
        };
        d.OnGetBypassButton();
        QCOMPARE(d.bypassFlags, QList<int>({ 4 + 8 }));
        QCOMPARE(commandWhileOpen, CommandSendBypassMap);
        QCOMPARE(r.settings[Command], CommandNone);
    }

    // A record can hold defaults in memory while the store still holds the
    // module's own settings (the log window creates records on first use):
    // "Defaults" for all must still reset what the store holds.
    void defaultsForAllResetTheStore()
    {
        QByteArray stored(70, '\0');
        stored[0] = char(0x9e);
        stored[14] = char(0x50); // DECT threshold -22 dBm
        stored[32] = char(0x01);
        {
            QSettings s;
            s.setValue("20_Settings", stored);
            s.setValue("20_SettingsManualPauseFreq", 1234);
            s.setValue("20_SettingsManualPauseCheck", true);
            s.setValue("20_SettingsAutoPauseCheck", false);
            s.setValue("20_SettingsLpfComboBox", 6);
        }
        m_device->record(20); // as the log window's bypass action creates it
        m_device->SetDefaultSettings(21);
        Dialog d(21, m_device);
        d.w<QCheckBox>("m_pForAllSetDefaultCheck")->setChecked(true);
        d.OnDefaultsButton();
        QSettings s;
        QCOMPARE(s.value("20_Settings").toByteArray().toHex(),
                 QByteArray("9e2525202039392d392d" // bytes 0 .. 9
                            "25202a2a391401f01401"
                            "01000001000100010101"
                            "00010100020100000000"
                            "00000000000027000000"
                            "00000000000000000004"
                            "36000000000000000000"));
        QCOMPARE(s.value("20_SettingsManualPauseFreq").toInt(), 500);
        QCOMPARE(s.value("20_SettingsManualPauseCheck").toBool(), false);
        QCOMPARE(s.value("20_SettingsLpfComboBox").toInt(), 2);
    }

    void loadRejectsBadFilesAloud()
    {
        QTemporaryDir dir;
        m_device->SetDefaultSettings(10);
        Dialog d(10, m_device);
        writeFile(dir.filePath("zero.xml"),
                  "<Bypass><Item BeginFreq=\"5\" EndFreq=\"0\"/></Bypass>");
        writeFile(dir.filePath("empty.xml"), "");
        // Refused before it is parsed, however valid what it holds.
        writeFile(dir.filePath("large.xml"),
                  "<Bypass>"
                      + QByteArray("<Item BeginFreq=\"925\" EndFreq=\"935\"/>").repeated(30000)
                      + "</Bypass>");
        const QStringList names = { "zero.xml", "empty.xml", "missing.xml", "large.xml" };
        for (const QString &name : names) {
            d.openName = dir.filePath(name);
            d.OnLoadBypassButton();
        }
        QCOMPARE(d.messages.size(), names.size());
        for (int i = 0; i < names.size(); ++i)
            QVERIFY2(d.messages.at(i).startsWith("Error: ")
                         && d.messages.at(i).contains(names.at(i)),
                     qPrintable(d.messages.at(i)));
        QVERIFY(d.messages.at(0).contains("entry 1"));
        QVERIFY(d.messages.at(3).contains("1024 KiB"));
        QCOMPARE(m_device->record(10).settings[UploadCount], quint8(0));
        QVERIFY(m_device->bypassBeginList.isEmpty());
        QCOMPARE(CXmlValueStore::instance().GetValue("FilePaths", "BypassPath", QString()),
                 dir.path());
    }

    // --- Against modules on the loopback ---------------------------------------------------

    void editReachesTheModuleWithinASecond()
    {
        ScriptedModule &module = addModule(11);
        Dialog d(11, m_device);
        d.show();
        d.w<QSlider>("m_pG900Slider")->setValue(-30);
        d.w<QCheckBox>("m_pAlarmSoundCheck")->setChecked(true);
        QTRY_COMPARE_WITH_TIMEOUT(bytes(module.lastSettings(), G900Threshold, G900Threshold),
                                  QByteArray("48"), 2000);
        QCOMPARE(module.lastSettings().at(AlarmSound), char(1));
        QCOMPARE(module.badReplies(), 0);
    }

    void forAllReachesEveryModule()
    {
        ScriptedModule &a = addModule(12);
        ScriptedModule &b = addModule(13);
        ScriptedModule &c = addModule(14);
        Dialog d(13, m_device);
        d.w<QSlider>("m_pWlan5_Slider")->setValue(-10);
        d.w<QCheckBox>("m_pWlan5_Check")->setChecked(true);
        d.w<QCheckBox>("m_pForAllWlan5_Check")->setChecked(true);
        d.OnTimer();
        for (ScriptedModule *m : { &a, &b, &c })
            QTRY_COMPARE(bytes(m->lastSettings(), Wlan5Threshold, Wlan5Threshold) + ":"
                             + bytes(m->lastSettings(), Wlan5Enable, Wlan5Enable),
                         QByteArray("5c:01"));
    }

    void mapAsBlocksOrBulk_data()
    {
        QTest::addColumn<bool>("bulk");
        QTest::newRow("blocks") << false;
        QTest::newRow("bulk") << true;
    }
    void mapAsBlocksOrBulk()
    {
        QFETCH(bool, bulk);
        ScriptedModule &module = addModule(15);
        // 35 ranges in runs of ten a block: four blocks, the command byte
        // alternating 9 and 10 between them.
        QVector<quint8> map(6144, 0);
        QStringList expected;
        for (int k = 0; k < 34; ++k) {
            map[100 + 10 * k] = 8;
            expected << QStringLiteral("%1-%1").arg(100 + 10 * k);
        }
        for (int i = 925; i <= 935; ++i)
            map[i] = 2;
        expected << "925-935";
        module.setBypassMap(map);
        module.setMapMode(bulk ? ScriptedModule::MapMode::Bulk : ScriptedModule::MapMode::Blocks);

        Dialog d(15, m_device);
        d.w<QCheckBox>("m_pBypassScanPattern1Check")->setChecked(true);
        d.w<QCheckBox>("m_pBypassScanManualCheck")->setChecked(true);
        QString list;
        d.whileBypassOpen = [&](unsigned char flags) {
            CBypassDialog bypass(15, m_device, flags);
            auto *tree = bypass.findChild<QTreeWidget *>();
            QTRY_VERIFY(!bypass.isWaiting());
            QStringList rows;
            for (int i = 0; i < tree->topLevelItemCount(); ++i)
                rows << tree->topLevelItem(i)->text(1) + "-" + tree->topLevelItem(i)->text(2);
            list = rows.join(' ');

            // Delete 925 .. 935: the module gets the range once, then the request again.
            tree->setCurrentItem(tree->topLevelItem(34));
            bypass.OnDeleteBypassString();
            QTRY_VERIFY(std::any_of(module.replies().begin(), module.replies().end(),
                                    [](const QByteArray &s) {
                return s.mid(37, 6).toHex() == "039d03a70008";
            }));
            QTRY_VERIFY(!bypass.isWaiting());
        };
        d.OnGetBypassButton();
        QCOMPARE(list, expected.join(' '));
        if (bulk) {
            QCOMPARE(module.bulkFramesSent(), 2);
            QCOMPARE(module.commands(), QList<quint8>({ 8 }));
        } else {
            QCOMPARE(module.blocksSent(), 8);
            QCOMPARE(module.commands(), QList<quint8>({ 8, 9, 10, 9, 8, 9, 10, 9 }));
        }
        QTRY_COMPARE(module.lastSettings().at(Command), char(0));
    }

    void uploadOneEntryPerReply()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("list.xml"), bypassXml(300));
        ScriptedModule &module = addModule(16);
        Dialog d(16, m_device);
        d.openName = dir.filePath("list.xml");
        d.OnBypassScanPattern2Radio();
        d.OnLoadBypassButton();
        QCOMPARE(d.messages,
                 QStringList({ "HARRIER Tablet DEMO: This operation takes few seconds "
                               "depend on the size of the frequency list" }));
        QCOMPARE(m_device->record(16).settings[UploadCount], quint8(255));
        d.OnTimer();
        QVERIFY(d.w<QProgressBar>("m_pProgressBar")->value() < 100);
        QTRY_COMPARE_WITH_TIMEOUT(m_device->record(16).settings[UploadCount], quint8(0), 20000);
        const QList<ScriptedModule::OneShot> got = module.oneShots();
        QCOMPARE(got.size(), 255);
        for (int i = 0; i < got.size(); ++i)
            QCOMPARE(got.at(i),
                     (ScriptedModule::OneShot{ quint16(1001 + i), quint16(1006 + i), 4 }));
        d.messages.clear();
        d.OnTimer();
        QCOMPARE(d.messages, QStringList({ "Success: The operation completed successfully" }));
        d.OnTimer();
        QCOMPARE(d.messages.size(), 1);

        // The module keeps what it was sent and reports it when asked for its map.
        d.w<QCheckBox>("m_pBypassScanPattern2Check")->setChecked(true);
        QStringList rows;
        d.whileBypassOpen = [&](unsigned char flags) {
            CBypassDialog bypass(16, m_device, flags);
            QTRY_VERIFY(!bypass.isWaiting());
            auto *tree = bypass.findChild<QTreeWidget *>();
            for (int i = 0; i < tree->topLevelItemCount(); ++i)
                rows << tree->topLevelItem(i)->text(1) + "-" + tree->topLevelItem(i)->text(2);
        };
        d.OnGetBypassButton();
        QCOMPARE(rows, QStringList({ "1001-1260" }));
    }

    void setIsAcknowledged()
    {
        ScriptedModule &module = addModule(17);
        Dialog d(17, m_device);
        d.w<QLineEdit>("m_pFreq1Edit")->setText("2400");
        d.w<QLineEdit>("m_pFreq2Edit")->setText("2483");
        d.OnSetBypassManualButton();
        QTRY_COMPARE(StationGlobals::ackCounter, 1);
        QCOMPARE(StationGlobals::expectedAcks, 1);
        QCOMPARE(module.oneShots(), QList<ScriptedModule::OneShot>({ { 2400, 2483, 8 } }));

        // For all: every module gets the range once and each acknowledges it.
        ScriptedModule &other = addModule(18);
        StationGlobals::correctModules = 2;
        d.w<QCheckBox>("m_pForAllSetBypassManualCheck")->setChecked(true);
        d.w<QLineEdit>("m_pFreq1Edit")->setText("433");
        d.w<QLineEdit>("m_pFreq2Edit")->clear();
        d.OnSetBypassManualButton();
        QCOMPARE(StationGlobals::expectedAcks, 2);
        QTRY_COMPARE(StationGlobals::ackCounter, 2);
        const ScriptedModule::OneShot single{ 433, 433, 8 };
        QCOMPARE(module.oneShots().last(), single);
        QCOMPARE(other.oneShots(), QList<ScriptedModule::OneShot>({ single }));
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
