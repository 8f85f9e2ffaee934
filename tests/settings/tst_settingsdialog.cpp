// "Settings of the module #N" driven headless: which control writes which
// byte, which check drives which "For all" row and interlock, and the bypass
// buttons; the rules behind them are ModuleRecords' own.

#include "settings/CSettingsDialog.h"
#include "FakePrompts.h"
#include "Fixtures.h"
#include "TestSettings.h"
#include "net/Acknowledgements.h"
#include "net/CMasterDevice.h"
#include "net/StationGlobals.h"
#include "settings/CXmlValueStore.h"

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

#include <functional>
#include <memory>

using namespace SettingsBlock;

namespace {

class Dialog : public CSettingsDialog
{
public:
    using CSettingsDialog::CSettingsDialog;
    QList<int> bypassFlags;
    std::function<void()> whileBypassOpen;

protected:
    void execBypassDialog(unsigned char flags) override
    {
        bypassFlags << flags;
        if (whileBypassOpen)
            whileBypassOpen();
    }
};

QByteArray bytes(const Block &b, int from, int to)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()) + from, to - from + 1).toHex();
}

} // namespace

class TestSettingsDialog : public QObject
{
    Q_OBJECT

    FakePrompts m_prompts;
    std::unique_ptr<CMasterDevice> m_device;

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init()
    {
        TestSettings::freshStation();
        m_device = std::make_unique<CMasterDevice>();
        m_prompts.shown.clear();
        m_prompts.answer = true;
    }

    void controlsToBytes()
    {
        ModuleRecord &r = m_device->record(2);
        r.settings[G1800Threshold] = 0; // -102 dBm: below the slider
        r.settings[LedHigh] = 1;
        Dialog d(2, m_device.get());
        CHILD(QComboBox, led, &d, "m_pLEDComboBox");
        CHILD(QSlider, g1800, &d, "m_pG1800Slider");
        CHILD(QLabel, scanLabel, &d, "m_pScanLabel");
        QCOMPARE(QList<int>({ led->currentIndex(), g1800->value() }), QList<int>({ 2, -80 }));
        CHILD(QSlider, g900Slider, &d, "m_pG900Slider");
        g900Slider->setValue(-5);
        CHILD(QSlider, scanSlider, &d, "m_pScanSlider");
        scanSlider->setValue(5);
        CHILD(QSlider, scanBeginRangeSlider, &d, "m_pScanBeginRangeSlider");
        scanBeginRangeSlider->setValue(510); // in 25 MHz units
        led->setCurrentIndex(1);
        CHILD(QCheckBox, offlineModeCheck, &d, "m_pOfflineModeCheck");
        offlineModeCheck->setChecked(true);
        CHILD(QLineEdit, numberFreqMatchingEdit, &d, "m_pNumberFreqMatchingEdit");
        numberFreqMatchingEdit->setText("x");
        CHILD(QLineEdit, manualPauseFreqEdit, &d, "m_pManualPauseFreqEdit");
        manualPauseFreqEdit->setText("433");
        CHILD(QComboBox, lpfComboBox, &d, "m_pLpfComboBox");
        lpfComboBox->setCurrentIndex(5);
        QCOMPARE(scanLabel->text(), QStringLiteral("05 dB"));
        // Edits reach the record, and with it the module's next reply, within a second.
        QTRY_COMPARE_WITH_TIMEOUT(r.settings[G900Threshold], quint8(0x61), 1500);
        QCOMPARE(r.settings[G1800Threshold], quint8(0x16));
        QCOMPARE(bytes(r.settings, ScanSquelch, ScanBegin), QByteArray("0514"));
        QCOMPARE(bytes(r.settings, LedHigh, OfflineMode), QByteArray("00000101"));
        QCOMPARE(r.settings[FreqMatches], quint8(0));
        QCOMPARE(QList<int>({ r.manualPauseFreq, r.lpfSelection }), QList<int>({ 433, 5 }));
        // What was applied is stored; Cancel undoes nothing.
        CHILD(QPushButton, cancel, &d, "m_pCancelButton");
        cancel->click();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(QSettings().value("2_SettingsLpfComboBox").toInt(), 5);
    }

    void forAllCheck_data()
    {
        QTest::addColumn<QString>("check");
        QTest::addColumn<int>("byte"); // one byte of its row
        QTest::addColumn<bool>("global"); // set by the global check
        const std::pair<const char *, int> checks[] = {
            { "m_pForAllG900Check", 1 },          { "m_pForAllG1800Check", 20 },
            { "m_pForAllJammer_GSM_Check", 3 },   { "m_pForAllJammer_GPS_Check", 22 },
            { "m_pForAllWlan2_4_Check", 5 },      { "m_pForAllBluetoothCheck", 24 },
            { "m_pForAllTraffic2_4_Check", 7 },   { "m_pForAllWlan5_Check", 26 },
            { "m_pForAllTraffic5_Check", 9 },     { "m_pForAllCdma450Check", 28 },
            { "m_pForAll3GCheck", 11 },           { "m_pForAll3G_ADD_Check", 30 },
            { "m_pForAll4GCheck", 13 },           { "m_pForAllDectCheck", 32 },
            { "m_pForAllScanCheck", 16 },         { "m_pForAllBypassScanAutoCheck", 35 },
            { "m_pForAllBypassScanPattern1Check", 44 }, { "m_pForAllBypassScanPattern2Check", 45 },
            { "m_pForAllBypassScanManualCheck", 36 },   { "m_pForAllIdentOff_Check", 43 },
            { "m_pForAllDeviceIndicationCheck", 56 }
        };
        for (int i = 0; i < 21; ++i)
            QTest::newRow(checks[i].first) << checks[i].first << checks[i].second << (i < 15);
    }
    // The check drives its own row alone; the global check sets the bands' and Scan's.
    void forAllCheck()
    {
        QFETCH(QString, check);
        QFETCH(int, byte);
        QFETCH(bool, global);
        Dialog d(1, m_device.get());
        ModuleRecord &other = m_device->record(2);
        other.settings.fill(0xEE);
        CHILD(QCheckBox, box, &d, qPrintable(check));
        box->setChecked(true);
        d.OnTimer();
        QCOMPARE(other.settings[byte], m_device->record(1).settings[byte]);
        box->setChecked(false);
        CHILD(QCheckBox, all, &d, "m_pForAllGlobalCheck");
        all->click();
        QCOMPARE(box->isChecked(), global);
    }

    // Frames and pause checks reach their rules; refusals are said.
    void framesAndPauseChecks()
    {
        m_device->record(3).scanFrequency = 433;
        Dialog d(3, m_device.get());
        CHILD(QGroupBox, cellular, &d, "m_pCellularGroupCheck");
        CHILD(QGroupBox, band2400, &d, "m_p2400GroupCheck");
        CHILD(QGroupBox, jammers, &d, "m_pJammerGroupCheck");
        for (QGroupBox *frame : { jammers, cellular, band2400 }) {
            frame->setChecked(frame == jammers);
            emit frame->clicked(frame == jammers);
        }
        d.OnTimer();
        QCOMPARE(bytes(m_device->record(3).settings, 19, 33), "00000101" + QByteArray(22, '0'));

        CHILD(QCheckBox, scan, &d, "m_pScanCheck");
        CHILD(QCheckBox, autoFill, &d, "m_pScanAutoPauseCheck");
        CHILD(QCheckBox, pause, &d, "m_pScanManualPauseCheck");
        const auto pauseChecks = [&] {
            return QString::number(scan->isChecked()) + QString::number(autoFill->isChecked())
                + QString::number(pause->isChecked());
        };
        CHILD(QLineEdit, freq, &d, "m_pManualPauseFreqEdit");
        pause->click(); // the factory 500 MHz
        QCOMPARE(pauseChecks(), QStringLiteral("101"));
        scan->click();
        QCOMPARE(pauseChecks(), QStringLiteral("000"));
        // A frequency out of range is refused when the edit ends.
        freq->setText("24");
        d.OnTimer();
        emit freq->editingFinished();
        QCOMPARE(freq->text(), QStringLiteral("500"));
        const QString range = "Error: The value in the field 'Freq' must be in range 25 - 6000 MHz";
        QCOMPARE(m_prompts.shown, QStringList({ range }));
        autoFill->click();
        QCOMPARE(pauseChecks(), QStringLiteral("110"));
        d.OnTimer(); // AUTO fill takes the frequency the module scans
        QCOMPARE(m_device->record(3).manualPauseFreq, 433);
        QCOMPARE(freq->text(), QStringLiteral("433"));
    }

    void setManualBypass()
    {
        m_device->record(8);
        Dialog d(7, m_device.get());
        const auto set = [&d](const char *start, const char *stop) {
            CHILD(QLineEdit, startEdit, &d, "m_pFreq1Edit");
            CHILD(QLineEdit, stopEdit, &d, "m_pFreq2Edit");
            CHILD(QPushButton, button, &d, "m_pSetBypassManualButton");
            startEdit->setText(start);
            stopEdit->setText(stop);
            button->click();
        };
        Acknowledgements::note();
        set("x", "900"); // no number: 0, so a single frequency
        QCOMPARE(bytes(m_device->record(7).settings, 37, 41), QByteArray("0384038408"));
        QCOMPARE(QList<int>({ Acknowledgements::expected(), Acknowledgements::noted() }),
                 QList<int>({ 1, 0 }));
        // For all: every record, and an acknowledgement from each correct module.
        StationGlobals::correctModules = 4;
        CHILD(QCheckBox, forAll, &d, "m_pForAllSetBypassManualCheck");
        forAll->setChecked(true);
        set("2400", "2483");
        QCOMPARE(bytes(m_device->record(8).settings, 37, 41), QByteArray("096009b308"));
        QCOMPARE(Acknowledgements::expected(), 4);
        set("30", "20");
        QCOMPARE(m_prompts.shown, QStringList({ "Error: Wrong frequency!" }));
    }

    void defaultsEraseAndGet()
    {
        m_device->record(9).settings[DectThreshold] = 80;
        m_device->record(8).settings[DectThreshold] = 80;
        Dialog d(8, m_device.get());
        m_prompts.answer = false;
        d.OnDefaultsButton();
        QCOMPARE(m_device->record(8).settings[DectThreshold], quint8(80));
        m_prompts.answer = true;
        d.OnDefaultsButton();
        CHILD(QSlider, dectSlider, &d, "m_pDectSlider");
        QCOMPARE(dectSlider->value(), -45);
        QCOMPARE(m_device->record(9).settings[DectThreshold], quint8(80));
        CHILD(QCheckBox, forAllSetDefaultCheck, &d, "m_pForAllSetDefaultCheck");
        forAllSetDefaultCheck->setChecked(true);
        d.OnDefaultsButton();
        QCOMPARE(m_device->record(9).settings, defaults());
        d.OnEraseBypassButton();
        QCOMPARE(QList<int>({ m_device->record(8).settings[Command],
                              m_device->record(9).settings[Command] }),
                 QList<int>({ 2, 2 }));
        const QString question =
            "?HARRIER Tablet DEMO: Do you want to reset all settings to defaults?";
        QCOMPARE(m_prompts.shown,
                 QStringList({ question, question, question,
                               "?HARRIER Tablet DEMO: Do you want to erase all manual bypass "
                               "frequencies?" }));

        // "Get bypass" asks for the map while the list is open, with the marks checked.
        ModuleRecord &r = m_device->record(8);
        quint8 commandWhileOpen = 0;
        d.whileBypassOpen = [&] { commandWhileOpen = r.settings[Command]; };
        const char *marks[] = { "m_pBypassScanAutoCheck", "m_pBypassScanPattern1Check",
                                "m_pBypassScanPattern2Check", "m_pBypassScanManualCheck" };
        for (const char *mark : marks) {
            for (const char *name : marks) {
                CHILD(QCheckBox, check, &d, name);
                check->setChecked(name == mark);
            }
            CHILD(QPushButton, getBypassButton, &d, "m_pGetBypassButton");
            getBypassButton->click();
            QCOMPARE(commandWhileOpen, CommandSendBypassMap);
            QCOMPARE(r.settings[Command], quint8(0)); // asked no more once the list closes
        }
        QCOMPARE(d.bypassFlags, QList<int>({ 1, 2, 4, 8 }));
    }

    void loadBypassFile()
    {
        QTemporaryDir dir;
        const auto write = [&dir](const char *name, const QByteArray &content) {
            QFile f(dir.filePath(name));
            return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
        };
        QVERIFY(write("zero.xml", "<Bypass><Item BeginFreq=\"5\" EndFreq=\"0\"/></Bypass>"));
        QVERIFY(write("large.xml",
                      "<B>" + QByteArray("<I BeginFreq=\"925\" EndFreq=\"935\"/>").repeated(40000)
                          + "</B>"));
        QVERIFY(write("list.xml",
                      "<B><I BeginFreq=\"925\" EndFreq=\"935\"/><I BeginFreq=\"2400\" "
                      "EndFreq=\"2483\"/><I BeginFreq=\"433\" EndFreq=\"434\"/></B>"));
        m_device->record(11);
        Dialog d(10, m_device.get());
        const QStringList bad = { "zero.xml", "missing.xml", "large.xml" };
        for (const QString &name : bad) {
            m_prompts.fileName = dir.filePath(name);
            d.OnLoadBypassButton();
        }
        QCOMPARE(m_prompts.shown.size(), 2 * bad.size());
        for (int i = 0; i < bad.size(); ++i)
            QVERIFY2(m_prompts.shown.at(2 * i + 1).startsWith("Error: ")
                         && m_prompts.shown.at(2 * i + 1).contains(bad.at(i)),
                     qPrintable(m_prompts.shown.at(2 * i + 1)));
        QVERIFY(m_prompts.shown.at(1).contains("entry 1"));
        QVERIFY(m_prompts.shown.at(5).contains("too large for a bypass file"));
        QCOMPARE(m_device->record(10).settings[UploadCount], quint8(0));

        // PATTERN 2, for all: each module uploads the three entries.
        m_prompts.shown.clear();
        m_prompts.fileName = dir.filePath("list.xml");
        CHILD(QRadioButton, bypassScanPattern2Radio, &d, "m_pBypassScanPattern2Radio");
        bypassScanPattern2Radio->click();
        CHILD(QCheckBox, forAllSetBypassManualCheck, &d, "m_pForAllSetBypassManualCheck");
        forAllSetBypassManualCheck->setChecked(true);
        CHILD(QPushButton, loadBypassButton, &d, "m_pLoadBypassButton");
        loadBypassButton->click();
        QCOMPARE(m_prompts.shown,
                 QStringList({ "<Load Bypass",
                               "HARRIER Tablet DEMO: This operation takes few "
                               "seconds depend on the size of the frequency list" }));
        QCOMPARE(CXmlValueStore::instance().GetValue("FilePaths", "BypassPath", QString()),
                 dir.path());
        QCOMPARE(QList<int>({ m_device->bypassKind, m_device->bypassBeginList.value(2),
                              m_device->bypassEndList.value(1) }),
                 QList<int>({ 4, 433, 2483 }));
        QCOMPARE(bytes(m_device->record(11).settings, UploadIndex, UploadCount),
                 QByteArray("0003"));
        // Progress while it runs, then "Success" once.
        m_device->record(10).settings[UploadIndex] = 1;
        d.OnTimer();
        CHILD(QProgressBar, progressBar, &d, "m_pProgressBar");
        QCOMPARE(progressBar->value(), 66);
        m_device->record(10).settings[UploadCount] = 0;
        d.OnTimer();
        d.OnTimer();
        QCOMPARE(m_prompts.shown.mid(2),
                 QStringList({ "Success: The operation completed successfully" }));
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
