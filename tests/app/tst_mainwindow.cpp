// The main window wired to its server, event log, module windows and status
// bar: editions, the journal, the menus and keys, the language switch.

#include "FakePrompts.h"
#include "Fixtures.h"
#include "TestSettings.h"
#include "app/CLanguageSwitcher.h"
#include "app/CMainWindow.h"
#include "app/CManualWindow.h"
#include "app/CStationStatus.h"
#include "display/CModuleWindow.h"
#include "eventlog/CLogFilterDialog.h"
#include "eventlog/CLogWindow.h"
#include "net/Acknowledgements.h"
#include "net/StationGlobals.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

namespace {

using F = Fixtures;

// Every title or entry of the menus without a mnemonic of its own.
QStringList mnemonicFaults(const QMainWindow &w)
{
    QStringList faults;
    QList<QList<QAction *>> menus{ w.menuBar()->actions() };
    for (QAction *title : w.menuBar()->actions())
        menus << title->menu()->actions();
    for (const QList<QAction *> &actions : menus) {
        QList<QKeySequence> seen;
        for (const QAction *a : actions) {
            if (!a->isVisible() || a->isSeparator())
                continue;
            const QKeySequence key = QKeySequence::mnemonic(a->text());
            if (key.isEmpty() || seen.contains(key))
                faults << a->text();
            seen << key;
        }
    }
    return faults;
}

// What the operator reads in every open window: module 1 reports, module 2
// has been silent for 10 s.
QStringList shownTexts(CMainWindow &w, QWidget &filterDialog)
{
    QStringList texts{ w.windowTitle() };
    for (QAction *menu : w.menuBar()->actions())
        texts << QString(menu->text()).remove('&');
    texts << w.statusText(1) << w.statusText(3);
    for (quint8 m : { 1, 2 }) {
        CModuleWindow *module = w.moduleWindow(m);
        texts << module->parentWidget()->windowTitle()
              << module->findChild<QLabel *>(m == 1 ? "m_pLabel1" : "m_pModeLabel")->text();
    }
    texts << w.logWindows().value(0)->windowTitle() << filterDialog.windowTitle()
          << w.manualWindow()->windowTitle();
    // The Qt library's own texts, as its standard buttons show them.
    texts << QCoreApplication::translate("QPlatformTheme", "Cancel");
    return texts;
}

int differing(const QStringList &a, const QStringList &b)
{
    int n = 0;
    for (int i = 0; i < a.size(); ++i)
        n += a[i] != b.value(i);
    return n;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    FakePrompts m_prompts;

    // The full edition's data folder; the application name stays the demonstration's.
    static QString dataFolder()
    {
        QCoreApplication::setApplicationName(Edition::full().applicationName);
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QCoreApplication::setApplicationName(Edition::demo().applicationName);
        return folder;
    }

private slots:
    void initTestCase()
    {
        // The full edition's journal lives in the data folder under the home folder.
        QVERIFY(m_home.isValid());
        qputenv("HOME", m_home.path().toLocal8Bit());
    }
    void init()
    {
        TestSettings::freshStation();
        StationOptions::instance().setValue(SettingsKeys::Language, QStringLiteral("en_US"));
        QDir(dataFolder()).removeRecursively();
        m_prompts.shown.clear();
    }
    void cleanup() { CLanguageSwitcher::instance().SetLanguage(QStringLiteral("en_US")); }

    // Each edition's title; the event log, localization and module settings and
    // the journal in the full edition only; a mnemonic of its own on every menu
    // and entry in both languages.
    void eachEditionOffersItsActions()
    {
        for (bool full : { false, true }) {
            CMainWindow w(0, false, full ? Edition::full() : Edition::demo());
            QCOMPARE(w.windowTitle(),
                     QString(full ? "HARRIER Tablet" : "HARRIER Tablet DEMO")
                         + " - Version 1.2.01");
            CHILD(QAction, log, &w, "m_pViewEventLogAction");
            CHILD(QAction, localization, &w, "m_pSettingsLocalizationAction");
            w.OnDisplayData(F::status(4));
            CHILD(QPushButton, settings, w.moduleWindow(4), "m_pSettingsButton");
            QCOMPARE(QList<bool>({ log->isVisible(), localization->isVisible(),
                                   settings->isVisibleTo(w.moduleWindow(4)) }),
                     QList<bool>({ full, full, full }));
            QTRY_COMPARE(w.stationStatus()->text(CStationStatus::Journal),
                         QString(full ? "Journal: writing" : ""));
            QStringList faults = mnemonicFaults(w);
            CLanguageSwitcher::instance().SetLanguage(QStringLiteral("ru_RU"));
            QCoreApplication::processEvents();
            faults << mnemonicFaults(w);
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
            CLanguageSwitcher::instance().SetLanguage(QStringLiteral("en_US"));
        }
        QCOMPARE(m_prompts.shown, QStringList());
    }

    // The demonstration feed shows modules 1 to 6, counted for the rate, and
    // detections in the log. A silent window closes, is counted out at once (a
    // broadcast awaits no acknowledgement from it) and comes back with a record.
    void demoFeedAndSilentWindows()
    {
        CMainWindow w(0, false);
        w.server()->OnTimer();
        DATA bypass = F::status(7, 0, 0, 0);
        bypass.nFormat = 0;
        w.OnDisplayData(bypass);
        QCOMPARE(w.statusText(1) + ", " + w.statusText(2), QString("Total: 7, Correct: 6"));
        for (quint8 m = 1; m <= 6; ++m)
            QVERIFY(w.moduleWindow(m) && w.server()->device.hasRecord(m));
        w.stationStatus()->OnTimer();
        QVERIFY2(w.stationStatus()->text(CStationStatus::Rate) != "0 frames/s",
                 qPrintable(w.stationStatus()->text(CStationStatus::Rate)));
        w.server()->OnTimer();
        QList<EVENT> events;
        w.eventLog().GetEvents(events, 0);
        QVERIFY(!events.isEmpty());
        for (int i = 0; i < 30; ++i)
            w.moduleWindow(3)->OnTimer();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w.moduleWindow(3));
        QCOMPARE(w.statusText(1) + ", " + w.statusText(2), QString("Total: 6, Correct: 5"));
        QCOMPARE(StationGlobals::correctModules, 5);
        w.OnDisplayData(F::status(3));
        QCOMPARE(w.statusText(1), QString("Total: 7"));
    }

    // Rounded to the nearest; a tick without elapsed time shows no rate.
    void framesPerSecond()
    {
        const QList<std::pair<int, int>> ticks{ { 510, 1000 }, { 510, 1020 }, { 6, 500 },
                                                { 2, 3000 },   { 4, 3000 },   { 5, 0 } };
        QList<int> rates;
        for (auto [frames, ms] : ticks)
            rates << CStationStatus::FramesPerSecond(quint64(frames), ms);
        QCOMPARE(rates, QList<int>({ 510, 500, 12, 1, 1, 0 }));
    }

    // Once, when the last awaited acknowledgement arrives, and from the event
    // loop: no modal loop may run inside the delivery of a record.
    void acknowledgementsAreAnnouncedOnceAfterTheRecord()
    {
        CMainWindow w(0, false);
        Acknowledgements::expect(3);
        Acknowledgements::note();
        QList<int> announced;
        for (int i = 0; i < 3; ++i) { // the 2nd, 3rd and a 4th acknowledgement
            Acknowledgements::note();
            w.OnDisplayData(Fixtures::status(1));
            announced << m_prompts.shown.size();
            QCoreApplication::processEvents();
            announced << m_prompts.shown.size();
        }
        QCOMPARE(announced, QList<int>({ 0, 0, 0, 1, 1, 1 }));
        QCOMPARE(m_prompts.shown.first(), QString("Success: The operation completed successfully"));
        QCOMPARE(Acknowledgements::expected(), 0);
    }

    // The full edition's events are back after a restart; a file where the data
    // folder should be keeps them in memory, said in the status bar and warned once.
    void fullEditionJournal()
    {
        QList<EVENT> before, after;
        {
            CMainWindow w(0, false, Edition::full());
            w.OnDisplayData(F::record(3, F::detection(1, -60, -80, 945)));
            w.eventLog().GetEvents(before, 0);
            QCOMPARE(before.size(), 1);
            before[0].bInProgress = false; // in progress when the station stopped
        }
        {
            CMainWindow again(0, false, Edition::full());
            again.eventLog().GetEvents(after, 0);
            QCOMPARE(F::dump(after), F::dump(before));
        }
        const QString folder = dataFolder();
        QVERIFY(QDir(folder).removeRecursively() && QFile(folder).open(QIODevice::WriteOnly));
        CMainWindow w(0, false, Edition::full());
        QFile::remove(folder);
        QTRY_COMPARE(m_prompts.shown.size(), 1); // told once the window is up
        QVERIFY2(m_prompts.shown.at(0).startsWith("Warning: The event journal "),
                 qPrintable(m_prompts.shown.at(0)));
        QCOMPARE(w.statusText(0),
                 QString("Event journal unavailable: events are kept in memory only"));
        w.OnJournalFailed("disk full");
        QTest::qWait(0);
        QCOMPARE(m_prompts.shown.size(), 1);
    }

    // Nothing covers the menu titles (the server is a hidden widget); F1 opens
    // the manual, which does not keep Ctrl+Q from ending the event loop.
    void standardKeysReachTheirActions()
    {
        CMainWindow w(0, false);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        for (QAction *title : w.menuBar()->actions()) {
            const QPoint at = w.menuBar()->actionGeometry(title).center();
            QVERIFY2(w.childAt(w.menuBar()->mapTo(&w, at)) == w.menuBar(),
                     qPrintable(title->text()));
        }
        QTest::keyClick(&w, Qt::Key_F1);
        QVERIFY(w.manualWindow()->isVisible());
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTimer::singleShot(0, &w, [&w] { QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier); });
        QElapsedTimer running;
        running.start();
        QTimer::singleShot(5000, &w, &QCoreApplication::quit); // the watchdog
        QApplication::exec();
        QVERIFY(running.elapsed() < 5000);
        QVERIFY(!w.isVisible());
    }

    // Picked in "Options...", a language is stored and re-translates every
    // open window at once, statuses shown before the switch included.
    void switchingRetranslatesEveryOpenWindow()
    {
        CMainWindow w(0, false);
        w.show();
        w.OnDisplayData(F::status(1));
        w.OnDisplayData(F::status(2));
        for (int i = 0; i < 10; ++i)
            w.moduleWindow(2)->OnTimer();
        w.OnConnectionStatus(1);
        w.OnViewEventLogAction();
        LOGFILTER filter = LOGFILTER::defaults(F::Dec2026);
        CLogFilterDialog filterDialog(&filter, &w);
        filterDialog.show();
        QTest::qWait(0);
        const QStringList english = shownTexts(w, filterDialog);
        for (int language : { 1, 0 }) {
            QTimer::singleShot(0, &w, [&] {
                QWidget *dialog = QApplication::activeModalWidget(); // the options dialog
                QVERIFY(dialog);
                CHILD(QComboBox, combo, dialog, "m_pLanguageCombo");
                CHILD(QPushButton, ok, dialog, "m_pOkButton");
                combo->setCurrentIndex(language);
                ok->click();
            });
            w.findChild<QAction *>("m_pSettingsOptionsAction")->trigger();
            QCOMPARE(QSettings().value(SettingsKeys::Language).toString(),
                     language ? "ru_RU" : "en_US");
            // The main window's own texts change before the dialog's slot returns.
            QCOMPARE(w.windowTitle() == english[0], !language);
            // Each text changes (the words themselves: tst_translation), and comes back.
            QTRY_VERIFY2(differing(shownTexts(w, filterDialog), english) == language * 14,
                         qPrintable(shownTexts(w, filterDialog).join(" | ")));
        }
    }

    void firstStartStoresTheSystemLocale()
    {
        TestSettings::clear();
        CMainWindow w(0, false);
        QCOMPARE(QSettings().value(SettingsKeys::Language).toString(), QLocale::system().name());
    }

    void logWindowsAreNumberedReusedAndPlaced()
    {
        QSettings().setValue(SettingsKeys::logWindowPos(1), QPoint(60, 90));
        QSettings().setValue(SettingsKeys::logWindowSize(1), QSize(700, 240));
        CMainWindow w(0, false);
        w.show();
        for (int i = 0; i < 3; ++i)
            w.OnViewEventLogAction();
        const QList<CLogWindow *> logs = w.logWindows();
        QVERIFY(QTest::qWaitForWindowExposed(logs[2]));
        QCOMPARE(logs[1]->windowTitle(), QString("Event Log #2"));
        // Where stored, new ones cascade.
        QCOMPARE(QRect(logs[0]->pos(), logs[0]->size()), QRect(60, 90, 700, 240));
        QCOMPARE(logs[1]->pos(), QPoint(40, 40));
        QCOMPARE(logs[2]->pos(), QPoint(70, 70));
        logs[0]->hide();
        w.OnViewEventLogAction(); // the hidden one comes back
        QCOMPARE(w.logWindows().size(), 3);
        QVERIFY(w.logWindows()[0]->isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
