// "Settings of the module #N" and its "List of bypass frequencies" driven
// headless: which control writes which byte, which check drives which "For all"
// row and interlock, the bypass buttons and the list's rows; the rules behind
// them are ModuleRecords' and BypassFile's own.

#include "settings/CSettingsDialog.h"
#include "settings/CBypassDialog.h"
#include "Controls.h"
#include "FakePrompts.h"
#include "Fixtures.h"
#include "TestSettings.h"
#include "net/Acknowledgements.h"
#include "net/CMasterDevice.h"
#include "net/StationGlobals.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <memory>

using namespace Controls;
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

// The rows, cells joined by "|".
QString shown(const QTreeWidget *tree)
{
    QStringList rows;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < 5; ++c)
            cells << tree->topLevelItem(i)->text(c);
        rows << cells.join('|');
    }
    return rows.join('\n');
}

const QString kWaiting = QStringLiteral("Waiting|may take up to|30 sec...||");

} // namespace

class TestSettingsDialog : public QObject
{
    Q_OBJECT

    FakePrompts m_prompts;
    std::unique_ptr<CMasterDevice> m_device;

private slots:
    void init()
    {
        TestSettings::freshStation();
        m_device = std::make_unique<CMasterDevice>();
        m_prompts.shown.clear();
    }

    void controlsToBytes()
    {
        ModuleRecord &r = m_device->record(2);
        r.settings[G1800Threshold] = 0; // -102 dBm: below the slider
        r.settings[LedHigh] = 1;
        Dialog d(2, m_device.get());
        QCOMPARE(read(d, { "m_pLEDComboBox" }, "currentIndex"), "2");
        QCOMPARE(read(d, { "m_pG1800Slider" }, "value"), "-80");
        put(d, "m_pG900Slider", "value", -5);
        put(d, "m_pScanSlider", "value", 5);
        put(d, "m_pScanBeginRangeSlider", "value", 510); // in 25 MHz units
        put(d, "m_pLEDComboBox", "currentIndex", 1);
        put(d, "m_pOfflineModeCheck", "checked", true);
        put(d, "m_pManualPauseFreqEdit", "text", "433");
        put(d, "m_pLpfComboBox", "currentIndex", 5);
        // Edits reach the record, and with it the module's next reply, within a second.
        QTRY_COMPARE_WITH_TIMEOUT(r.settings[G900Threshold], quint8(0x61), 1500);
        QCOMPARE(r.settings[G1800Threshold], quint8(0x16));
        QCOMPARE(bytes(r.settings, ScanSquelch, ScanBegin), QByteArray("0514"));
        QCOMPARE(bytes(r.settings, LedHigh, OfflineMode), QByteArray("00000101"));
        QCOMPARE(QList<int>({ r.manualPauseFreq, r.lpfSelection }), QList<int>({ 433, 5 }));
        // What was applied is stored; Cancel undoes nothing.
        click(d, "m_pCancelButton");
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(QSettings().value("2_SettingsLpfComboBox").toInt(), 5);
    }

    // Each check drives its own row.
    void forAllChecks()
    {
        // Each check with one byte of its row.
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
        Dialog d(1, m_device.get());
        ModuleRecord &other = m_device->record(2);
        QString copied;
        for (const auto &[check, byte] : checks) {
            CHILD(QCheckBox, box, &d, check);
            other.settings.fill(0xEE);
            box->setChecked(true);
            d.OnTimer();
            box->setChecked(false);
            copied += other.settings[byte] == m_device->record(1).settings[byte] ? u'1' : u'0';
        }
        QCOMPARE(copied, QString(21, u'1'));
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

        CHILD(QLineEdit, freq, &d, "m_pManualPauseFreqEdit");
        // A frequency out of range is refused when the edit ends.
        freq->setText("24");
        d.OnTimer();
        emit freq->editingFinished();
        QCOMPARE(freq->text(), QStringLiteral("500"));
        const QString range = "Error: The value in the field 'Freq' must be in range 25 - 6000 MHz";
        QCOMPARE(m_prompts.shown, QStringList({ range }));
        click(d, "m_pScanAutoPauseCheck");
        QCOMPARE(read(d, { "m_pScanCheck", "m_pScanAutoPauseCheck", "m_pScanManualPauseCheck" },
                      "checked"),
                 "true|true|false");
        d.OnTimer(); // AUTO fill takes the frequency the module scans
        QCOMPARE(m_device->record(3).manualPauseFreq, 433);
        QCOMPARE(freq->text(), QStringLiteral("433"));
    }

    void setManualBypass()
    {
        m_device->record(8);
        Dialog d(7, m_device.get());
        const auto set = [&d](const char *start, const char *stop) {
            put(d, "m_pFreq1Edit", "text", start);
            put(d, "m_pFreq2Edit", "text", stop);
            click(d, "m_pSetBypassManualButton");
        };
        Acknowledgements::note();
        set("x", "900"); // no number: 0, so a single frequency
        QCOMPARE(bytes(m_device->record(7).settings, 37, 41), QByteArray("0384038408"));
        QCOMPARE(QList<int>({ Acknowledgements::expected(), Acknowledgements::noted() }),
                 QList<int>({ 1, 0 }));
        // For all: every record, and an acknowledgement from each correct module.
        StationGlobals::correctModules = 4;
        put(d, "m_pForAllSetBypassManualCheck", "checked", true);
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
        m_prompts.answer = false; // both ask first; "No" leaves the record
        d.OnDefaultsButton();
        d.OnEraseBypassButton();
        QCOMPARE(m_device->record(8).settings[DectThreshold], quint8(80));
        QCOMPARE(m_device->record(8).settings[Command], quint8(0));
        m_prompts.answer = true;
        d.OnDefaultsButton();
        QCOMPARE(read(d, { "m_pDectSlider" }, "value"), "-45");
        QCOMPARE(m_device->record(9).settings[DectThreshold], quint8(80));
        put(d, "m_pForAllSetDefaultCheck", "checked", true);
        d.OnDefaultsButton();
        QCOMPARE(m_device->record(9).settings, defaults());
        d.OnEraseBypassButton();
        QCOMPARE(QList<int>({ m_device->record(8).settings[Command],
                              m_device->record(9).settings[Command] }),
                 QList<int>({ 2, 2 }));
        QCOMPARE(m_prompts.shown.first(),
                 "?HARRIER Tablet DEMO: Do you want to reset all settings to defaults?");
        QCOMPARE(m_prompts.shown.at(1), "?HARRIER Tablet DEMO: Do you want to erase all "
                                        "manual bypass frequencies?");

        // "Get bypass" asks for the map while the list is open, with the marks checked.
        ModuleRecord &r = m_device->record(8);
        quint8 commandWhileOpen = 0;
        d.whileBypassOpen = [&] { commandWhileOpen = r.settings[Command]; };
        put(d, "m_pBypassScanAutoCheck", "checked", true);
        put(d, "m_pBypassScanPattern1Check", "checked", false);
        put(d, "m_pBypassScanPattern2Check", "checked", true);
        put(d, "m_pBypassScanManualCheck", "checked", false);
        click(d, "m_pGetBypassButton");
        QCOMPARE(commandWhileOpen, CommandSendBypassMap);
        QCOMPARE(r.settings[Command], quint8(0)); // asked no more once the list closes
        QCOMPARE(d.bypassFlags, QList<int>({ 1 | 4 }));
    }

    void loadBypassFile()
    {
        QTemporaryDir dir;
        const auto write = [&dir](const char *name, const QByteArray &content) {
            QFile f(dir.filePath(name));
            return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
        };
        QVERIFY(write("zero.xml", "<Bypass><Item BeginFreq=\"5\" EndFreq=\"0\"/></Bypass>"));
        QVERIFY(write("list.xml",
                      "<B><I BeginFreq=\"925\" EndFreq=\"935\"/><I BeginFreq=\"2400\" "
                      "EndFreq=\"2483\"/><I BeginFreq=\"433\" EndFreq=\"434\"/></B>"));
        m_device->record(11);
        Dialog d(10, m_device.get());
        // Each refusal names the file and says why.
        const QStringList bad = { "zero.xml", "missing.xml" };
        const QStringList why = { "entry 1", "Cannot open" };
        for (int i = 0; i < bad.size(); ++i) {
            m_prompts.shown.clear();
            m_prompts.fileName = dir.filePath(bad[i]);
            d.OnLoadBypassButton();
            const QString box = m_prompts.shown.value(1);
            QVERIFY2(box.startsWith("Error: ") && box.contains(bad[i]) && box.contains(why[i]),
                     qPrintable(box));
        }
        QCOMPARE(m_device->record(10).settings[UploadCount], quint8(0));

        // PATTERN 2, for all: each module uploads the three entries.
        m_prompts.fileName = dir.filePath("list.xml");
        put(d, "m_pBypassScanPattern2Radio", "checked", true);
        put(d, "m_pForAllSetBypassManualCheck", "checked", true);
        click(d, "m_pLoadBypassButton");
        QCOMPARE(QList<int>({ m_device->bypassKind, m_device->bypassBeginList.value(2),
                              m_device->bypassEndList.value(1) }),
                 QList<int>({ 4, 433, 2483 }));
        QCOMPARE(bytes(m_device->record(11).settings, UploadIndex, UploadCount),
                 QByteArray("0003"));
        // Progress while it runs.
        m_device->record(10).settings[UploadIndex] = 1;
        d.OnTimer();
        QCOMPARE(read(d, { "m_pProgressBar" }, "value"), "66");
    }

    // The list waits for the module's map, drawn anew every 31 ticks; shows its
    // ranges with their marks; saves them as shown; deletes the current range
    // on the module, which then sends the map again.
    void bypassList()
    {
        QTemporaryDir dir;
        ModuleRecord &r = m_device->record(3);
        for (int i = 2400; i <= 2410; ++i)
            r.bypassMap[i] = 1;
        r.bypassMap[2405] = 2;
        r.bypassMap[433] = 8 | 4;
        CBypassDialog d(3, m_device.get(), 15);
        CHILD(QTreeWidget, tree, &d, "m_pBypassTreeWidget");
        d.OnTimer();
        QCOMPARE(shown(tree), kWaiting);
        tree->clear();
        for (int i = 0; i < 30; ++i)
            d.OnTimer();
        QCOMPARE(shown(tree), QString());
        d.OnTimer();
        QCOMPARE(shown(tree), kWaiting);
        r.bypassMapComplete = 1;
        d.OnTimer();
        QCOMPARE(shown(tree), "1|433|433|1|PATT2_MANUAL_\n2|2400|2410|10|DIGIT_PATT1_");
        QCOMPARE(r.bypassMapComplete, 2);

        m_prompts.fileName = dir.filePath("list.xml");
        d.OnSaveButton();
        QCOMPARE(Fixtures::readFile(m_prompts.fileName),
                 QByteArray("<Bypass>\n <Item BeginFreq=\"433\" EndFreq=\"433\"/>\n <Item "
                            "BeginFreq=\"2400\" EndFreq=\"2410\"/>\n</Bypass>\n"));
        m_prompts.fileName = dir.filePath("list.xml/inner.xml"); // a failed save says so
        d.OnSaveButton();
        QVERIFY2(m_prompts.shown.last().startsWith("Error: Cannot write the file"),
                 qPrintable(m_prompts.shown.last()));

        d.OnDeleteBypassString(); // no current row: nothing
        QCOMPARE(bytes(r.settings, 37, 42), QByteArray("000000000000"));
        tree->setCurrentItem(tree->topLevelItem(1));
        d.OnDeleteBypassString();
        QCOMPARE(bytes(r.settings, 37, 42), QByteArray("0960096a0008")); // kind 0, send the map
        QCOMPARE(r.bypassMapComplete, 0);
        QVERIFY(d.isWaiting());
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
