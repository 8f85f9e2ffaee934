// A log window and its filter dialog driven headless: the store it shows, its
// export, log files and their failures, the limit edit and the bypass actions;
// which filter control shows and sets which field, the stored "Logfilter",
// the date check and Cancel.

#include "eventlog/CEventLog.h"
#include "eventlog/CLogFilterDialog.h"
#include "eventlog/CLogWindow.h"
#include "eventlog/EventTableModel.h"
#include "eventlog/LogFile.h"
#include "net/Acknowledgements.h"
#include "net/CMasterDevice.h"
#include "net/StationGlobals.h"
#include "settings/SettingsKeys.h"
#include "Controls.h"
#include "FakePrompts.h"
#include "Fixtures.h"
#include "TestSettings.h"

#include <QLineEdit>
#include <QProgressDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <functional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

using F = Fixtures;
using namespace Controls;

// The filter dialog driven by the test.
class Window : public CLogWindow
{
public:
    explicit Window(CEventLog *log, CMasterDevice *device = nullptr)
        : CLogWindow(1, device, nullptr)
    {
        SetEventLog(log);
    }

    std::function<void(CLogFilterDialog &)> onFilterDialog;

    // The title, whether Save, Refresh and automatic refresh are enabled, the row count;
    // the rows' texts are the table model's.
    QStringList state() const
    {
        return { windowTitle(),
                 F::enabled(*this, { "m_pSaveButton", "m_pRefreshButton", "m_pRefreshCheck" }),
                 QString::number(tableModel()->rowCount()) };
    }

protected:
    bool execFilterDialog(CLogFilterDialog &dialog) override
    {
        onFilterDialog(dialog);
        return dialog.result() == QDialog::Accepted;
    }
};

// A stored filter, typed from its layout: on, period, length, merge; ten type
// groups; ten modules; only ready and padding; gap 3 s; length 10 s; padding;
// from Fixtures::Dec2026; to 5 h later.
const QByteArray kImage = QByteArray::fromHex(
    "00000000" "01010101010101010101" "01010101010101010101" "00000000"
    "03000000" "0a000000" "00000000" "f3b6136b00000000" "43fd136b00000000");

// The check box of each image byte from 1 to 24.
const QList<const char *> kBoxes = {
    "m_pPeriodCheck", "m_pLenCheck",    "m_pMergeCheck", "m_pCdmaCheck",      "m_pGsmCheck",
    "m_p3GCheck",     "m_pDectCheck",   "m_pWlanCheck",  "m_pBluetoothCheck", "m_pTrafficCheck",
    "m_p4GCheck",     "m_pJammerCheck", "m_pScanCheck",  "m_pCh1Check",       "m_pCh2Check",
    "m_pCh3Check",    "m_pCh4Check",    "m_pCh5Check",   "m_pCh6Check",       "m_pCh7Check",
    "m_pCh8Check",    "m_pCh9Check",    "m_pCh10Check",  "m_pOnlyReadyCheck",
};

QByteArray stored()
{
    return QSettings().value(SettingsKeys::LogFilter).toByteArray();
}

} // namespace

class TestLogWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FakePrompts m_prompts;
    qint64 m_now = 0;
    CEventLog *m_log = nullptr;

private slots:
    void initTestCase()
    {
        F::setZone("UTC");
        QVERIFY(m_dir.isValid());
    }

    // Module 1: GSM on 945 for 80 s, then 3G on 2412.35 in progress; module 3:
    // WLAN on 2412 closed by a bypass-block record; module 12: traffic in progress.
    void init()
    {
        TestSettings::freshStation();
        m_log = new CEventLog;
        m_log->setClock([this] { return m_now; });
        m_now = F::Dec2026;
        m_log->AddData(F::record(1, F::detection(1, -60, -80, 945.0)));
        m_log->AddData(F::record(3, F::detection(7, -50, -75, 2412.0)));
        m_now += 75;
        m_log->AddData(F::record(1, F::detection(1, -55, -80, 945.0)));
        m_log->AddData(F::record(12, F::detection(11, -52, -70)));
        m_now += 5;
        m_log->AddData(F::record(1, {}, F::detection(4, -70, -90, 2412.35)));
        m_log->AddData(F::record(3));
    }
    void cleanup()
    {
        delete m_log;
        m_prompts.shown.clear();
        m_prompts.icons.clear();
    }

    // Sorted by another heading, every export follows the table as shown; the
    // type is the file's suffix, or the chosen filter's when it names none.
    void exportAndFiles()
    {
        QSettings().setValue(SettingsKeys::moduleName(12), "Yard");
        Window w(m_log);
        CHILD(QTreeView, view, &w, "m_pTreeWidget");
        view->sortByColumn(EventTableModel::SignalTypeColumn, Qt::DescendingOrder);
        QVERIFY(w.exportTo(m_dir.filePath("shown.htm")));
        QVERIFY(F::readFile(m_dir.filePath("shown.htm"))
                    .contains("<tr><td align=middle>05.12.2026 07:02:11</td><td align=middle>"
                              "0:01:20</td><td align=middle> 3 3</td><td align=middle>WLAN 2.4"));
        m_prompts.selectedFilter = QStringLiteral("CSV file (*.csv)");
        m_prompts.fileName = m_dir.filePath("typed.txt");
        w.OnExportButton();
        const QList<QByteArray> csv = F::readFile(m_dir.filePath("typed.txt.csv")).split('\n');
        QCOMPARE(csv.size(), 1 + 4 + 1);
        QVERIFY(csv[2].contains(",12,Yard,11,Traffic 5,"));
        m_prompts.selectedFilter.clear();

        // Failures name the file and leave the window as it was, also for a file
        // cut short; a saved file shows instead of the store until "New".
        const QStringList live = w.state();
        QCOMPARE(live, QStringList({ "Event Log #1", "111", "4" }));
        const QString cut = m_dir.filePath("cut.xml");
        QVERIFY(LogFile::writeFile(cut, "<Log>\n <Item Module=\"3\"/>\n <Item Sta"));
        QVERIFY(!w.saveTo(m_dir.filePath("nowhere/log.xml")));
        QVERIFY(!w.exportTo(m_dir.filePath("nowhere/page.htm")));
        QVERIFY(!w.loadFrom(cut));
        // After the export's file dialog, one box each.
        const QStringList names = { "log.xml", "page.htm", "cut.xml" };
        QCOMPARE(m_prompts.shown.size(), 1 + names.size());
        for (int i = 0; i < names.size(); ++i)
            QVERIFY2(m_prompts.shown[i + 1].startsWith("Error: ")
                         && m_prompts.shown[i + 1].contains(names[i]),
                     qPrintable(m_prompts.shown[i + 1]));
        QCOMPARE(w.state(), live);

        const QString path = m_dir.filePath("saved.xml");
        QVERIFY(w.saveTo(path));
        m_log->Clear();
        QVERIFY(w.loadFrom(path));
        QCOMPARE(w.state(), QStringList({ "Event Log from file: " + path, "000", "4" }));
        m_log->AddData(F::record(2, F::detection(1, -60)));
        w.OnClearButton();
        QCOMPARE(w.state(), QStringList({ "Event Log #1", "111", "0" }));
    }

    // A log file is read beside the event loop (modules are answered
    // meanwhile), and a read that lasts shows its progress: here the file is
    // a pipe that the test fills slowly.
    void loadLeavesTheEventLoopRunning()
    {
#ifndef Q_OS_UNIX
        QSKIP("uses a named pipe");
#else
        const QString pipe = m_dir.filePath("slow.xml");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        Window w(m_log);
        bool progressShown = false;
        QTimer::singleShot(0, this, [&] {
            QFile writer(pipe); // opens once the window's reader has
            QVERIFY(writer.open(QIODevice::WriteOnly));
            writer.write("<Log");
            writer.flush();
            QTest::qWait(800);
            const auto *progress = w.findChild<QProgressDialog *>();
            progressShown = progress && progress->isVisible();
            writer.write("/>");
        });
        QVERIFY(w.loadFrom(pipe));
        QVERIFY(progressShown);
        QCOMPARE(w.state(), QStringList({ "Event Log from file: " + pipe, "000", "0" }));
#endif
    }

    // OK refreshes through the edited filter; the limit is at least ten.
    void filterAndLimit()
    {
        Window w(m_log);
        CHILD(QLineEdit, edit, &w, "m_pMaxEventsEdit");
        edit->setText("5");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(QList<int>({ edit->text().toInt(), m_log->GetLimit() }), QList<int>({ 10, 10 }));
        w.onFilterDialog = [](CLogFilterDialog &d) {
            click(d, "m_pMatchDataRadio");
            click(d, "m_pCh1Check");
            click(d, "m_pOkButton");
        };
        w.OnFilterButton(); // module 1 unchecked; 12 is above the ten the filter knows
        QCOMPARE(w.state(), QStringList({ "Event Log #1 [filtered]", "111", "1" }));
    }

    void bypass()
    {
        m_log->AddData(F::record(123, F::detection(1, -60, -80, 1877.0)));
        CMasterDevice device;
        device.record(9);
        StationGlobals::correctModules = 4;
        Window w(m_log, &device);
        CHILD(QTreeView, view, &w, "m_pTreeWidget");
        const auto selectRow = [view](int column, const QString &text) {
            const QAbstractItemModel *m = view->model();
            view->setCurrentIndex(
                m->match(m->index(0, column), Qt::DisplayRole, text, 1, Qt::MatchExactly).value(0));
        };
        // Bypass begin and end (big-endian MHz).
        const auto bytes = [&device](quint8 m) {
            const SettingsBlock::Block &b = device.record(m).settings;
            return QList<int>({ b[37], b[38], b[39], b[40] });
        };
        // The whole module number, not its first two digits.
        Acknowledgements::note();
        selectRow(EventTableModel::ModuleColumn, "123 123");
        w.OnBypassThisFreq();
        QCOMPARE(bytes(123), QList<int>({ 7, 85, 7, 85 }));
        QCOMPARE(QList<int>({ Acknowledgements::expected(), Acknowledgements::noted() }),
                 QList<int>({ 1, 0 }));

        // For all: every record of the device model takes module 3's range.
        selectRow(EventTableModel::FrequencyColumn, "2412");
        w.OnBypassThisFreqForAll();
        QCOMPARE(device.records().keys(), QList<quint8>({ 3, 9, 123 }));
        for (quint8 m : { 3, 9, 123 })
            QCOMPARE(bytes(m), QList<int>({ 9, 108, 9, 108 }));
        QCOMPARE(Acknowledgements::expected(), 4);
    }

    void checkBoxes_data()
    {
        QTest::addColumn<int>("offset");
        for (int offset = 1; offset <= 24; ++offset)
            QTest::newRow(kBoxes[offset - 1]) << offset;
    }

    // With one byte of the stored filter flipped, only its box shows it, and OK
    // stores the same filter back.
    void checkBoxes()
    {
        QFETCH(int, offset);
        QByteArray image = kImage;
        image[offset] = char(!image[offset]);
        QSettings().setValue(SettingsKeys::LogFilter, image);
        LOGFILTER filter = LOGFILTER::defaults(0);
        CLogFilterDialog d(&filter, nullptr);
        QStringList expected;
        for (int i = 1; i <= 24; ++i)
            expected << (image[i] ? "true" : "false");
        QCOMPARE(read(d, kBoxes, "checked"), expected.join(u'|'));
        click(d, "m_pOkButton");
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(stored().toHex(), image.toHex());
    }

    void conditionsDatesAndCancel()
    {
        LOGFILTER filter = LOGFILTER::defaults(0);
        filter.bOn = true;
        CLogFilterDialog d(&filter, nullptr);
        QVERIFY(!filter.bOn); // the window's filter is off from the moment the dialog opens
        const auto at = [](qint64 s) { return QDateTime::fromSecsSinceEpoch(F::Dec2026 + s); };
        // One digit per condition control: the boxes, the dates, length and gap.
        const QList<const char *> conditions = kBoxes
            + QList<const char *>({ "m_pStartDateEdit", "m_pEndDateEdit", "m_pLenEdit",
                                    "m_pGapEdit" });
        QCOMPARE(read(d, { "m_pAllDataRadio" }, "checked"), "true");
        QCOMPARE(F::enabled(d, conditions), QString(24, u'0') + "1100");
        click(d, "m_pMatchDataRadio");
        QCOMPARE(F::enabled(d, conditions), QString(28, u'1'));

        // A start on a later day is refused and changes nothing.
        const QByteArray opened = filter.toImage();
        put(d, "m_pStartDateEdit", "dateTime", at(86400));
        put(d, "m_pEndDateEdit", "dateTime", at(7200));
        click(d, "m_pOkButton");
        QCOMPARE(
            m_prompts.shown,
            QStringList({ "HARRIER Tablet DEMO: Start date cannot be greater than end one!" }));
        QCOMPARE(QList<int>({ d.result(), int(stored().size()) }),
                 QList<int>({ QDialog::Rejected, 0 }));
        QCOMPARE(filter.toImage(), opened);

        // A later time on the same day passes.
        put(d, "m_pStartDateEdit", "dateTime", at(9000));
        put(d, "m_pLenEdit", "text", "25");
        click(d, "m_pOkButton");
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(QList<qint64>({ filter.bOn, filter.tFrom, filter.tTo, filter.nLengthSec }),
                 QList<qint64>({ 1, F::Dec2026 + 9000, F::Dec2026 + 7200, 25 }));
        QCOMPARE(stored(), filter.toImage());

        // The next dialog starts from the stored filter, switched off; Cancel stores nothing.
        LOGFILTER next = LOGFILTER::defaults(0);
        CLogFilterDialog again(&next, nullptr);
        click(again, "m_pCancelButton");
        QCOMPARE(again.result(), int(QDialog::Rejected));
        QCOMPARE(next.toImage(), '\0' + stored().mid(1));
        QCOMPARE(stored(), filter.toImage());
    }
};

QTEST_MAIN(TestLogWindow)
#include "tst_logwindow.moc"
