// A log window driven headless: what it shows of a store fed with records,
// its buttons, its file operations, its filter dialog and its bypass actions.

#include "eventlog/CEventLog.h"
#include "eventlog/CLogFilterDialog.h"
#include "eventlog/CLogWindow.h"
#include "eventlog/EventTableModel.h"
#include "eventlog/LogFile.h"
#include "net/CMasterDevice.h"
#include "net/StationGlobals.h"
#include "settings/CXmlValueStore.h"
#include "settings/SettingsKeys.h"
#include "Fixtures.h"
#include "TestSettings.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

namespace {

using F = Fixtures;

// The window with its modal dialogs, menus and boxes replaced.
class Window : public CLogWindow
{
public:
    Window(int number, CEventLog *log, CMasterDevice *device = nullptr)
        : CLogWindow(number, device, nullptr)
    {
        if (log)
            SetEventLog(log);
    }

    QString nextFile, askedDir;
    bool answer = true;
    std::function<void(CLogFilterDialog &)> onFilterDialog;
    QStringList menu;
    QStringList messages; // "title: text"

    QTreeView *view() { return F::child<QTreeView>(this, "m_pTreeWidget"); }
    int rows() const { return tableModel()->rowCount(); }
    QStringList row(int r)
    {
        QStringList cells;
        for (int c = 0; c < 7; ++c)
            cells.append(view()->model()->index(r, c).data().toString());
        return cells;
    }
    void selectRow(int column, const QString &text)
    {
        for (int r = 0; r < view()->model()->rowCount(); ++r) {
            if (view()->model()->index(r, column).data().toString() == text)
                view()->setCurrentIndex(view()->model()->index(r, 0));
        }
    }
    bool liveControlsEnabled() { return F::child<QPushButton>(this, "m_pSaveButton")->isEnabled(); }

protected:
    QString askSaveFileName(const QString &, const QString &dir, const QString &) override
    {
        askedDir = dir;
        return nextFile;
    }
    QString askOpenFileName(const QString &caption, const QString &dir, const QString &filter) override
    {
        return askSaveFileName(caption, dir, filter);
    }
    bool askQuestion(const QString &, const QString &) override { return answer; }
    bool execFilterDialog(CLogFilterDialog &dialog) override
    {
        onFilterDialog(dialog);
        return dialog.result() == QDialog::Accepted;
    }
    void execMenu(QMenu &m, const QPoint &) override
    {
        for (QAction *a : m.actions())
            menu.append(a->text());
    }
    void showMessage(QMessageBox::Icon icon, const QString &title, const QString &text) override
    {
        QVERIFY(icon == QMessageBox::Critical);
        messages.append(title + ": " + text);
    }
};

class FilterDialog : public CLogFilterDialog
{
public:
    using CLogFilterDialog::CLogFilterDialog;
    QStringList warnings;

protected:
    void showWarning(const QString &text) override { warnings.append(text); }
};

} // namespace

class TestLogWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    qint64 m_now = 0;
    CEventLog *m_log = nullptr;

    // Module 1: GSM on 945 for 80 s, then 3G on 2412.35 in progress; module 3:
    // WLAN on 2412 closed by a bypass-block record; module 12: traffic in progress.
    void feed()
    {
        m_now = 1796454131; // 05.12.2026 07:02:11 UTC
        m_log->AddData(F::record(1, F::detection(1, -60, -80, 945.0)));
        m_log->AddData(F::record(3, F::detection(7, -50, -75, 2412.0)));
        m_now += 75;
        m_log->AddData(F::record(1, F::detection(1, -55, -80, 945.0)));
        m_log->AddData(F::record(12, F::detection(11, -52, -70, 0.0)));
        m_now += 5;
        m_log->AddData(F::record(1, {}, F::detection(4, -70, -90, 2412.35)));
        m_log->AddData(F::record(3));
    }

private slots:
    void initTestCase()
    {
        F::setZone("UTC");
        TestSettings::isolate();
        QVERIFY(m_dir.isValid());
    }
    void init()
    {
        TestSettings::clear();
        StationGlobals::reset();
        m_log = new CEventLog;
        m_log->setClock([this] { return m_now; });
        feed();
    }
    void cleanup() { delete m_log; }

    void storedGeometry()
    {
        {
            Window w(2, nullptr);
            w.move(40, 50);
            w.resize(700, 300);
            w.view()->header()->resizeSection(3, 123);
        }
        Window again(2, nullptr);
        QCOMPARE(again.pos(), QPoint(40, 50));
        QCOMPARE(again.size(), QSize(700, 300));
        QCOMPARE(again.view()->header()->sectionSize(3), 123);
    }

    void showsTheStoreAndExportsWhatItShows()
    {
        QSettings().setValue(SettingsKeys::moduleName(12), "Yard");
        m_log->SetLimit(321);
        Window w(1, m_log);
        w.show();
        QCOMPARE(F::child<QLineEdit>(&w, "m_pMaxEventsEdit")->text(), QStringLiteral("321"));
        QCOMPARE(F::child<QLabel>(&w, "m_pEventsLabel")->text(), QStringLiteral("4"));
        QCOMPARE(w.row(0), QStringList({"05.12.2026 07:02:11", "0:01:20", " 1 1", "GSM 900", " -55 dBm", "  25 dBm", " 945"}));
        QCOMPARE(w.row(1), QStringList({"05.12.2026 07:02:11", "0:01:20", " 3 3", "WLAN 2.4", " -50 dBm", "  25 dBm", "2412"}));
        QCOMPARE(w.row(2), QStringList({"05.12.2026 07:03:26", "In progress", "12 Yard", "Traffic 5", "50%", "18%", ""}));
        QCOMPARE(w.row(3), QStringList({"05.12.2026 07:03:31", "In progress", " 1 1", "3G-2100", " -70 dBm", "  20 dBm", "2412.35"}));

        // Sorted by another heading, the page follows the table as shown.
        w.view()->sortByColumn(EventTableModel::SignalTypeColumn, Qt::DescendingOrder);
        QCOMPARE(w.row(0)[3], QStringLiteral("WLAN 2.4"));
        w.nextFile = m_dir.filePath("shown.htm");
        w.OnExportButton();
        const QList<QByteArray> lines = F::readFile(w.nextFile).split('\n');
        QCOMPARE(lines.size(), 9 + 4 + 2);
        for (int r = 0; r < 4; ++r)
            QCOMPARE(lines[9 + r], ("<tr><td align=middle>" + w.row(r).join("</td><td align=middle>") + "</td></tr>\r").toLocal8Bit());
        QVERIFY(w.messages.isEmpty());
    }

    void refreshLimitAndTimer()
    {
        Window w(1, nullptr);
        w.OnRefreshButton(); // no store yet: nothing
        QCOMPARE(w.rows(), 0);
        w.SetEventLog(m_log);
        m_log->AddData(F::record(5, F::detection(2, -40, -90, 1800.0)));
        w.OnRefreshTimer();
        QCOMPARE(w.rows(), 5);

        QTimer *timer = F::child<QTimer>(&w, "refreshTimer");
        QVERIFY(timer->isActive());
        F::child<QCheckBox>(&w, "m_pRefreshCheck")->click();
        QVERIFY(!timer->isActive());

        // At least 10; unreadable text keeps the limit.
        QLineEdit *edit = F::child<QLineEdit>(&w, "m_pMaxEventsEdit");
        edit->setText("5");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->text(), QStringLiteral("10"));
        QCOMPARE(m_log->GetLimit(), 10);
        edit->setText("many");
        w.OnMaxEventsEditReturnPressed();
        QCOMPARE(edit->text(), QStringLiteral("10"));

        // "New" asks; Yes clears the store for every window.
        Window other(2, m_log);
        other.answer = false;
        other.OnClearButton();
        QCOMPARE(other.rows(), 5);
        other.answer = true;
        other.OnClearButton();
        QCOMPARE(other.rows(), 0);
        w.OnRefreshTimer();
        QCOMPARE(w.rows(), 0);
    }

    void saveAndLoad()
    {
        Window w(4, m_log);
        w.filter().bOn = true;
        w.filter().bModule[0] = false;
        w.OnRefreshButton();
        QCOMPARE(w.rows(), 1); // module 1 hidden, module 12 above ten
        QCOMPARE(w.windowTitle(), QStringLiteral("Event Log #4 [filtered]"));

        // Saving writes the whole store, whatever the window shows.
        QVERIFY(QDir(m_dir.path()).mkpath("saved"));
        const QString path = m_dir.filePath("saved/log.xml");
        w.nextFile = path;
        w.OnSaveButton();
        QList<EVENT> all;
        m_log->GetEvents(all, 0);
        QCOMPARE(F::readFile(path), LogFile::toXml(all));
        QCOMPARE(CXmlValueStore::instance().GetValue("FilePaths", "LogPath", ""), m_dir.filePath("saved"));

        w.filter().bOn = false;
        w.OnLoadButton();
        QCOMPARE(w.askedDir, m_dir.filePath("saved"));
        QVERIFY(w.isFileMode());
        QCOMPARE(w.windowTitle(), QStringLiteral("Event Log from file: %1").arg(path));
        QCOMPARE(w.rows(), 4);
        QVERIFY(!w.liveControlsEnabled());
        QVERIFY(F::child<QPushButton>(&w, "m_pExportButton")->isEnabled());

        // The timer leaves a file alone; a cancelled dialog keeps it, title included.
        m_log->AddData(F::record(7, F::detection(2, -40, -90, 1800.0)));
        w.OnRefreshTimer();
        QCOMPARE(w.rows(), 4);
        w.nextFile.clear();
        w.OnLoadButton();
        w.filter().bOn = true;
        w.OnRefreshButton();
        QCOMPARE(w.windowTitle(), QStringLiteral("Event Log [filtered] from file: %1").arg(path));

        // Only "New" goes back to the live view.
        w.filter().bOn = false;
        w.OnClearButton();
        QVERIFY(!w.isFileMode() && w.liveControlsEnabled());
        QCOMPARE(w.windowTitle(), QStringLiteral("Event Log #4"));
        QCOMPARE(w.rows(), 0);
    }

    void fileFailuresAreReported()
    {
        Window w(1, m_log);
        const QString badLog = m_dir.filePath("nowhere/log.xml");
        w.nextFile = badLog;
        w.OnSaveButton();
        QVERIFY(!w.exportTo(m_dir.filePath("nowhere/page.htm")));
        QCOMPARE(w.messages.size(), 2);
        QVERIFY(w.messages[0].startsWith("Error: ") && w.messages[0].contains(QDir::toNativeSeparators(badLog)));
        QVERIFY(w.messages[1].startsWith("Error: ") && w.messages[1].contains("page.htm"));

        // A file that does not open leaves the window as it was.
        w.nextFile = m_dir.filePath("missing.xml");
        w.OnLoadButton();
        QCOMPARE(w.messages.size(), 3);
        QVERIFY(w.messages[2].startsWith("Error: ") && w.messages[2].contains("missing.xml"));
        QVERIFY(!w.isFileMode() && w.liveControlsEnabled());
        QCOMPARE(w.windowTitle(), QStringLiteral("Event Log #1"));
        QCOMPARE(w.rows(), 4);

        // One that is no XML shows as an empty log from file.
        F::writeFile(m_dir.filePath("junk.xml"), "not xml at all");
        QVERIFY(w.loadFrom(m_dir.filePath("junk.xml")));
        QVERIFY(w.isFileMode());
        QCOMPARE(w.rows(), 0);
    }

    void filterButtonAndLanguageChange()
    {
        Window w(1, m_log);
        w.onFilterDialog = [](CLogFilterDialog &dialog) {
            F::child<QRadioButton>(&dialog, "m_pMatchDataRadio")->click();
            F::child<QCheckBox>(&dialog, "m_pOnlyReadyCheck")->setChecked(true);
            F::child<QPushButton>(&dialog, "m_pOkButton")->click();
        };
        w.OnFilterButton();
        QVERIFY(w.filter().bOn && w.filter().bOnlyReady);
        QCOMPARE(w.rows(), 2);
        QCOMPARE(w.windowTitle(), QStringLiteral("Event Log #1 [filtered]"));

        // The retranslated form must not lose the built title.
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(&w, &change);
        QCOMPARE(w.windowTitle(), QStringLiteral("Event Log #1 [filtered]"));

        // Opening the dialog and cancelling: unfiltered from the next refresh.
        w.onFilterDialog = [](CLogFilterDialog &dialog) {
            F::child<QPushButton>(&dialog, "m_pCancelButton")->click();
        };
        w.OnFilterButton();
        QVERIFY(!w.filter().bOn);
        QCOMPARE(w.rows(), 2);
        w.OnRefreshButton();
        QCOMPARE(w.rows(), 4);
    }

    void filterDialog()
    {
        LOGFILTER saved = LOGFILTER::defaults(1796454131);
        saved.bOn = saved.bLength = true;
        saved.nLengthSec = 42;
        saved.bType[3] = saved.bModule[6] = false;
        QSettings().setValue(SettingsKeys::LogFilter, saved.toImage());

        LOGFILTER f = LOGFILTER::defaults(0);
        f.bOn = true;
        FilterDialog dialog(&f, nullptr);
        QVERIFY(!f.bOn); // off as soon as the dialog opens
        QCOMPARE(f.nLengthSec, 42);
        QVERIFY(F::child<QRadioButton>(&dialog, "m_pAllDataRadio")->isChecked());
        QVERIFY(F::child<QCheckBox>(&dialog, "m_pLenCheck")->isChecked());
        QCOMPARE(F::child<QLineEdit>(&dialog, "m_pLenEdit")->text(), QStringLiteral("42"));
        QVERIFY(!F::child<QCheckBox>(&dialog, "m_pDectCheck")->isChecked() && !F::child<QCheckBox>(&dialog, "m_pCh7Check")->isChecked());
        QDateTimeEdit *start = F::child<QDateTimeEdit>(&dialog, "m_pStartDateEdit");
        QDateTimeEdit *end = F::child<QDateTimeEdit>(&dialog, "m_pEndDateEdit");
        QCOMPARE(start->dateTime().toSecsSinceEpoch(), 1796454131 - 86400);
        QVERIFY(!F::child<QCheckBox>(&dialog, "m_pPeriodCheck")->isEnabled());
        F::child<QRadioButton>(&dialog, "m_pMatchDataRadio")->click();
        QVERIFY(F::child<QCheckBox>(&dialog, "m_pPeriodCheck")->isEnabled());

        // A start day after the end day is refused and changes nothing.
        start->setDateTime(QDateTime::fromSecsSinceEpoch(1796454131 + 86400));
        end->setDateTime(QDateTime::fromSecsSinceEpoch(1796454131));
        dialog.OnOkButton();
        QCOMPARE(dialog.warnings, QStringList({"Start date cannot be greater than end one!"}));
        QVERIFY(!f.bOn);

        // The same day with a later start time is accepted.
        start->setDateTime(QDateTime::fromSecsSinceEpoch(1796454131 + 3600));
        F::child<QLineEdit>(&dialog, "m_pGapEdit")->setText("soon");
        F::child<QCheckBox>(&dialog, "m_pJammerCheck")->setChecked(false);
        F::child<QCheckBox>(&dialog, "m_pCh1Check")->setChecked(false);
        dialog.OnOkButton();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(f.bOn && f.bLength);
        QCOMPARE(f.tFrom, 1796454131 + 3600);
        QCOMPARE(f.tTo, 1796454131);
        QCOMPARE(f.nGapSec, 0);
        QVERIFY(!f.bType[8] && f.bType[9] && !f.bType[3] && !f.bModule[0] && !f.bModule[6] && f.bModule[1]);
        QCOMPARE(QSettings().value(SettingsKeys::LogFilter).toByteArray(), f.toImage());
    }

    void contextMenuAndBypass()
    {
        m_log->AddData(F::record(123, F::detection(1, -60, -80, 1877.0)));
        CMasterDevice device;
        device.record(9).settings[0] = 0;
        StationGlobals::correctModules = 4;
        Window w(1, m_log, &device);

        w.OnTreeContextMenu(QPoint(5, 5));
        w.OnBypassThisFreq();
        QVERIFY(w.menu.isEmpty() && !device.hasRecord(1)); // no current row
        const QString send = QStringLiteral("Send this item to the external receiver via USB");
        w.selectRow(6, "2412");
        w.OnTreeContextMenu(QPoint(5, 5));
        QCOMPARE(w.menu, QStringList({"Bypass this frequency", "Bypass this frequency for all", send}));
        for (const char *freq : {"2412.35", ""}) {
            w.menu.clear();
            w.selectRow(6, freq);
            w.OnTreeContextMenu(QPoint(5, 5));
            QCOMPARE(w.menu, QStringList({send}));
        }
        w.OnSendThisFreqToExt();
        QCOMPARE(w.messages, QStringList({"Error: NO SEARCHING MODUL!!!"}));

        StationGlobals::ackCounter = 5;
        w.selectRow(6, " 945");
        w.OnBypassThisFreq();
        const auto bytes = [&device](quint8 m) {
            const SettingsBlock::Block &b = device.record(m).settings;
            return QList<int>({b[0], b[37], b[38], b[39], b[40], b[41]});
        };
        QCOMPARE(bytes(1), QList<int>({158, 3, 177, 3, 177, 8}));
        QCOMPARE(StationGlobals::expectedAcks, 1);
        QCOMPARE(StationGlobals::ackCounter, 0);
        QVERIFY(StationGlobals::settingsMutex().tryLock()); // released again
        StationGlobals::settingsMutex().unlock();

        // The whole module number, not its first two digits.
        w.selectRow(2, "123 123");
        w.OnBypassThisFreq();
        QVERIFY(!device.hasRecord(12));
        QCOMPARE(bytes(123), QList<int>({158, 7, 85, 7, 85, 8}));

        // For all: every record of the device model takes module 3's range.
        w.selectRow(6, "2412");
        w.OnBypassThisFreqForAll();
        QCOMPARE(device.records().keys(), QList<quint8>({1, 3, 9, 123}));
        for (quint8 m : {1, 3, 9, 123})
            QCOMPARE(bytes(m), QList<int>({158, 9, 108, 9, 108, 8}));
        QCOMPARE(StationGlobals::expectedAcks, 4);
    }
};

QTEST_MAIN(TestLogWindow)
#include "tst_logwindow.moc"
