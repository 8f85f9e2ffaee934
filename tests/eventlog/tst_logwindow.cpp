// A log window driven headless: the store it shows, its export, log files and
// their failures, the filter dialog, the limit edit and the bypass actions.

#include "eventlog/CEventLog.h"
#include "eventlog/CLogFilterDialog.h"
#include "eventlog/CLogWindow.h"
#include "eventlog/EventTableModel.h"
#include "eventlog/LogFile.h"
#include "net/Acknowledgements.h"
#include "net/CMasterDevice.h"
#include "net/StationGlobals.h"
#include "settings/SettingsKeys.h"
#include "FakePrompts.h"
#include "Fixtures.h"
#include "TestSettings.h"

#include <QAbstractButton>
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
        TestSettings::isolate();
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
    void exportsWhatItShows()
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
    }

    // Failures name the file and leave the window as it was, also for a file
    // cut short; a saved file shows instead of the store until "New".
    void files()
    {
        Window w(m_log);
        const QStringList live = w.state();
        QCOMPARE(live, QStringList({ "Event Log #1", "111", "4" }));
        const QString cut = m_dir.filePath("cut.xml");
        QVERIFY(LogFile::writeFile(cut, "<Log>\n <Item Module=\"3\"/>\n <Item Sta"));
        QVERIFY(!w.saveTo(m_dir.filePath("nowhere/log.xml")));
        QVERIFY(!w.exportTo(m_dir.filePath("nowhere/page.htm")));
        QVERIFY(!w.loadFrom(m_dir.filePath("missing.xml")));
        QVERIFY(!w.loadFrom(cut));
        const QStringList names = { "log.xml", "page.htm", "missing.xml", "cut.xml" };
        QCOMPARE(m_prompts.shown.size(), names.size());
        for (int i = 0; i < names.size(); ++i)
            QVERIFY2(m_prompts.shown[i].startsWith("Error: ")
                         && m_prompts.shown[i].contains(names[i]),
                     qPrintable(m_prompts.shown[i]));
        QCOMPARE(w.state(), live);

        const QString path = m_dir.filePath("saved.xml");
        QVERIFY(w.saveTo(path));
        m_log->Clear();
        QVERIFY(w.loadFrom(path));
        QVERIFY(!w.loadFrom(cut));
        QCOMPARE(w.state(), QStringList({ "Event Log from file: " + path, "000", "4" }));
        m_prompts.answer = false; // "New" answered No changes nothing
        w.OnClearButton();
        QVERIFY(w.isFileMode());
        m_log->AddData(F::record(2, F::detection(1, -60)));
        m_prompts.answer = true;
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
        QList<EVENT> saved;
        m_log->GetEvents(saved, 0);
        const QByteArray content = LogFile::toXml(saved);
        Window w(m_log);
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] { ++ticks; });
        ticker.start(10);
        bool progressShown = false;
        QTimer::singleShot(0, this, [&] {
            QFile writer(pipe); // opens once the window's reader has
            QVERIFY(writer.open(QIODevice::WriteOnly));
            writer.write(content.left(20));
            writer.flush();
            QTest::qWait(800);
            const auto *progress = w.findChild<QProgressDialog *>();
            progressShown = progress && progress->isVisible();
            writer.write(content.mid(20));
        });
        QVERIFY(w.loadFrom(pipe));
        QVERIFY2(ticks > 40, qPrintable(QString::number(ticks)));
        QVERIFY(progressShown);
        QCOMPARE(w.tableModel()->rowCount(), int(saved.size()));
        QVERIFY(m_prompts.shown.isEmpty());
#endif
    }

    // OK refreshes through the edited filter, also for a file shown.
    void filterDialog()
    {
        Window w(m_log);
        w.onFilterDialog = [](CLogFilterDialog &d) {
            CHILD(QAbstractButton, match, &d, "m_pMatchDataRadio");
            CHILD(QAbstractButton, module1, &d, "m_pCh1Check");
            CHILD(QAbstractButton, ok, &d, "m_pOkButton");
            match->click();
            module1->click();
            ok->click();
        };
        w.OnFilterButton(); // module 1 unchecked; 12 is above the ten the filter knows
        QCOMPARE(w.state(), QStringList({ "Event Log #1 [filtered]", "111", "1" }));
        QVERIFY(LogFile::writeFile(m_dir.filePath("none.xml"), "<Log/>"));
        QVERIFY(w.loadFrom(m_dir.filePath("none.xml")));
        QCOMPARE(w.windowTitle(), "Event Log [filtered] from file: " + m_dir.filePath("none.xml"));
    }

    void limitIsAtLeastTen()
    {
        Window w(m_log);
        CHILD(QLineEdit, edit, &w, "m_pMaxEventsEdit");
        edit->setText("5");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(QList<int>({ edit->text().toInt(), m_log->GetLimit() }), QList<int>({ 10, 10 }));
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
        w.OnSendThisFreqToExt(); // no current row
        QCOMPARE(m_prompts.shown, QStringList({ "Error: NO SEARCHING MODUL!!!" }));

        // Bypass begin and end (big-endian MHz).
        const auto bytes = [&device](quint8 m) {
            const SettingsBlock::Block &b = device.record(m).settings;
            return QList<int>({ b[37], b[38], b[39], b[40] });
        };
        Acknowledgements::note();
        selectRow(EventTableModel::FrequencyColumn, " 945");
        w.OnBypassThisFreq();
        QCOMPARE(bytes(1), QList<int>({ 3, 177, 3, 177 }));
        QCOMPARE(QList<int>({ Acknowledgements::expected(), Acknowledgements::noted() }),
                 QList<int>({ 1, 0 }));

        // The whole module number, not its first two digits.
        selectRow(EventTableModel::ModuleColumn, "123 123");
        w.OnBypassThisFreq();
        QVERIFY(!device.hasRecord(12));
        QCOMPARE(bytes(123), QList<int>({ 7, 85, 7, 85 }));

        // For all: every record of the device model takes module 3's range.
        selectRow(EventTableModel::FrequencyColumn, "2412");
        w.OnBypassThisFreqForAll();
        QCOMPARE(device.records().keys(), QList<quint8>({ 1, 3, 9, 123 }));
        for (quint8 m : { 1, 3, 9, 123 })
            QCOMPARE(bytes(m), QList<int>({ 9, 108, 9, 108 }));
        QCOMPARE(Acknowledgements::expected(), 4);
    }
};

QTEST_MAIN(TestLogWindow)
#include "tst_logwindow.moc"
