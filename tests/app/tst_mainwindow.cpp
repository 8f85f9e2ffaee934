// The main window wired to its server, event log, module windows and status
// bar: what each edition offers, the journal seen from the window, the menus
// from mouse and keyboard, and every open window following the language.

#include "FakePrompts.h"
#include "Fixtures.h"
#include "TestSettings.h"
#include "app/CLanguageSwitcher.h"
#include "app/CMainWindow.h"
#include "app/CManualWindow.h"
#include "app/COptionsDialog.h"
#include "app/CStationStatus.h"
#include "display/CModuleWindow.h"
#include "eventlog/CLogFilterDialog.h"
#include "eventlog/CLogWindow.h"
#include "net/ModuleFrame.h"
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
#include <QTcpSocket>
#include <QTest>

namespace {

using F = Fixtures;

// The visible entries of every menu: "View: Event Log..., ...".
QStringList offered(const QMainWindow &w)
{
    QStringList out;
    for (QAction *menuAction : w.menuBar()->actions()) {
        QStringList texts;
        for (QAction *a : menuAction->menu()->actions())
            if (a->isVisible() && !a->isSeparator())
                texts << QString(a->text()).remove('&');
        out << QString(menuAction->text()).remove('&') + ": " + texts.join(", ");
    }
    return out;
}

// "menu: entry" for every visible entry without a mnemonic of its own.
QStringList mnemonicFaults(const QString &menu, const QList<QAction *> &actions)
{
    QStringList faults;
    QList<QKeySequence> seen;
    for (const QAction *a : actions) {
        const QKeySequence key = QKeySequence::mnemonic(a->text());
        if (!a->isVisible() || a->isSeparator())
            continue;
        if (key.isEmpty() || seen.contains(key))
            faults << menu + ": " + a->text();
        seen << key;
    }
    return faults;
}

// What the operator reads in every open window, joined in one line: module 1
// reports, module 2 has been silent for 10 s.
QString shownTexts(CMainWindow &w, QWidget &filterDialog)
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
    return texts.join(" | ");
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
        TestSettings::isolate();
    }
    void init()
    {
        TestSettings::freshStation();
        StationOptions::instance().setValue(SettingsKeys::Language, QStringLiteral("en_US"));
        QDir(dataFolder()).removeRecursively();
        m_prompts.shown.clear();
    }
    void cleanup() { CLanguageSwitcher::instance().SetLanguage(QStringLiteral("en_US")); }

    void eachEditionOffersItsActions_data()
    {
        QTest::addColumn<bool>("full");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("menus");
        QTest::addColumn<QString>("journal");
        QTest::newRow("demo") << false << "HARRIER Tablet DEMO - Version 1.2.01"
                              << QStringList{ "View: Rearrange Modules, test",
                                              "Settings: Options..., Configuration..., Default",
                                              "Help: Manual, About..." }
                              << "";
        QTest::newRow("full")
            << true << "HARRIER Tablet - Version 1.2.01"
            << QStringList{ "View: Event Log..., Rearrange Modules, test",
                            "Settings: Options..., Configuration..., Localization, Default",
                            "Help: Manual, About..." }
            << "Journal: writing";
    }
    void eachEditionOffersItsActions()
    {
        QFETCH(bool, full);
        QFETCH(QString, title);
        QFETCH(QStringList, menus);
        QFETCH(QString, journal);
        CMainWindow w(0, false, full ? Edition::full() : Edition::demo());
        QCOMPARE(w.windowTitle(), title);
        QCOMPARE(offered(w), menus);
        QCOMPARE(w.edition().demoFeed, !full);
        QTRY_COMPARE(w.stationStatus()->text(CStationStatus::Journal), journal);
        w.OnDisplayData(F::status(4));
        CHILD(QPushButton, settings, w.moduleWindow(4), "m_pSettingsButton");
        QCOMPARE(settings->isVisibleTo(w.moduleWindow(4)), full);
        QCOMPARE(m_prompts.shown, QStringList());
    }

    void demoFeedShowsSixModules()
    {
        CMainWindow w(0, false);
        w.server()->OnTimer();
        QCOMPARE(w.statusText(1) + w.statusText(2), QString("Total: 6Correct: 6"));
        for (quint8 m = 1; m <= 6; ++m)
            QVERIFY(w.moduleWindow(m) && w.server()->device.hasRecord(m));
        // Every record is counted for the status bar's rate.
        w.stationStatus()->OnTimer();
        QVERIFY2(w.stationStatus()->text(CStationStatus::Rate) != "0 frames/s",
                 qPrintable(w.stationStatus()->text(CStationStatus::Rate)));
        // From the second step on detections reach the event log.
        w.server()->OnTimer();
        QList<EVENT> events;
        w.eventLog().GetEvents(events, 0);
        QVERIFY(!events.isEmpty());
    }

    void silentWindowClosesAndComesBack()
    {
        CMainWindow w(0, false);
        w.OnDisplayData(F::status(3));
        DATA bypass = F::status(4, 0, 0, 0);
        bypass.nFormat = 0;
        w.OnDisplayData(bypass);
        QCOMPARE(w.statusText(1) + w.statusText(2), QString("Total: 2Correct: 1"));
        for (int i = 0; i < 30; ++i)
            w.moduleWindow(3)->OnTimer();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w.moduleWindow(3));
        // Counted out at once: a broadcast now awaits no acknowledgement from it.
        QCOMPARE(w.statusText(1) + w.statusText(2), QString("Total: 1Correct: 0"));
        QCOMPARE(StationGlobals::correctModules, 0);
        w.OnDisplayData(F::status(3));
        QVERIFY(w.moduleWindow(3));
        QCOMPARE(w.statusText(1), QString("Total: 2"));
    }

    // Once, when the last awaited acknowledgement arrives, and from the event
    // loop: no modal loop may run inside the delivery of a record.
    void acknowledgementsAreAnnouncedOnceAfterTheRecord()
    {
        CMainWindow w(0, false);
        StationGlobals::expectedAcks = 3;
        QList<int> announced;
        for (int acks : { 2, 3, 4 }) {
            StationGlobals::ackCounter = acks;
            w.OnDisplayData(Fixtures::status(1));
            announced << m_prompts.shown.size();
            QCoreApplication::processEvents();
            announced << m_prompts.shown.size();
        }
        QCOMPARE(announced, QList<int>({ 0, 0, 0, 1, 1, 1 }));
        QCOMPARE(m_prompts.shown.first(), QString("Success: The operation completed successfully"));
        QCOMPARE(StationGlobals::expectedAcks, 0);
    }

    // The window is created before the reply is built, so a new module's very
    // first reply carries its settings block.
    void firstReplyCarriesTheNewModulesSettings()
    {
        CMainWindow w(0, false);
        QTcpSocket module;
        module.connectToHost(QHostAddress::LocalHost, w.server()->serverPort());
        QVERIFY(QTest::qWaitFor([&] { return module.state() == QAbstractSocket::ConnectedState; }));
        module.write(ModuleFrame::shortFrame(ModuleFrame::measurementBody(F::status(42))));
        QVERIFY(QTest::qWaitFor([&] { return module.bytesAvailable() >= 71; }));
        QCOMPARE(module.read(3).toHex(), QByteArray("4f9e25"));
        QVERIFY(w.moduleWindow(42));
    }

    void defaultResetsTheOptionsOnYesOnly()
    {
        CMainWindow w(0, false);
        for (bool yes : { false, true }) {
            StationOptions::instance().setValue(SettingsKeys::SensCombo, 4);
            m_prompts.answer = yes;
            w.OnSettingsDefaultAction();
            QCOMPARE(StationOptions::instance().sensCombo(), yes ? 2 : 4);
        }
        QCOMPARE(m_prompts.shown.first(),
                 QString("?HARRIER Tablet DEMO: Do you want to reset all settings to defaults?"));
    }

    void fullEditionGetsItsEventsBackAfterARestart()
    {
        QList<EVENT> before;
        {
            CMainWindow w(0, false, Edition::full());
            w.OnDisplayData(F::record(3, F::detection(1, -60, -80, 945)));
            w.OnDisplayData(F::record(5, F::detection(2, -50)));
            w.OnDisplayData(F::record(5, {}));
            w.eventLog().GetEvents(before, 0);
            QCOMPARE(before.size(), 2);
        }
        CMainWindow again(0, false, Edition::full());
        QList<EVENT> after;
        again.eventLog().GetEvents(after, 0);
        before[0].bInProgress = false; // in progress when the station stopped
        QCOMPARE(F::dump(after), F::dump(before));
    }

    // A file where the data folder should be cannot be written into, even by root.
    void unwritableDataFolderLeavesTheStationRunningWithAWarning()
    {
        const QString folder = dataFolder();
        QVERIFY(QDir().mkpath(QFileInfo(folder).path()));
        QVERIFY(QFile(folder).open(QIODevice::WriteOnly));
        CMainWindow w(0, false, Edition::full());
        QFile::remove(folder);
        QTRY_COMPARE(m_prompts.shown.size(), 1); // told once the window is up
        QVERIFY2(m_prompts.shown.at(0).startsWith("Warning: The event journal "),
                 qPrintable(m_prompts.shown.at(0)));
        QCOMPARE(w.statusText(0),
                 QString("Event journal unavailable: events are kept in memory only"));
        // Records are still taken and kept in memory.
        w.OnDisplayData(F::record(2, F::detection(1, -60)));
        QList<EVENT> events;
        w.eventLog().GetEvents(events, 0);
        QCOMPARE(events.size(), 1);
        // Said once only.
        w.OnJournalFailed("disk full");
        QTest::qWait(0);
        QCOMPARE(m_prompts.shown.size(), 1);
    }

    // The server is a hidden widget of its own: nothing covers the menu bar.
    void nothingCoversTheMenuTitles()
    {
        CMainWindow w(0, false);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (QAction *title : w.menuBar()->actions()) {
            const QRect at = w.menuBar()->actionGeometry(title);
            QVERIFY2(w.childAt(w.menuBar()->mapTo(&w, at.center())) == w.menuBar(),
                     qPrintable(title->text()));
        }
    }

    void everyMenuEntryHasItsOwnMnemonic_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "en_US";
        QTest::newRow("Russian") << "ru_RU";
    }
    void everyMenuEntryHasItsOwnMnemonic()
    {
        QFETCH(QString, language);
        CMainWindow w(0, false, Edition::full());
        CLanguageSwitcher::instance().SetLanguage(language);
        QCoreApplication::processEvents();
        QStringList faults = mnemonicFaults("menu bar", w.menuBar()->actions());
        for (QAction *title : w.menuBar()->actions())
            faults << mnemonicFaults(title->text(), title->menu()->actions());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    }

    // Alt+V opens the View menu, F1 the manual; an open manual does not keep
    // the station running: Ctrl+Q ends the event loop before the watchdog.
    void standardKeysReachTheirActions()
    {
        CMainWindow w(0, false);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_V, Qt::AltModifier);
        QMenu *view = w.menuBar()->actions().constFirst()->menu();
        QTRY_VERIFY(view->isVisible());
        QTest::keyClick(view, Qt::Key_Escape);
        QTest::keyClick(view, Qt::Key_Escape);
        QTRY_VERIFY(!view->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_F1);
        QVERIFY(w.manualWindow()->isVisible());
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTimer::singleShot(0, &w, [&w] { QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier); });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, qApp, &QCoreApplication::quit);
        watchdog.start(5000);
        QApplication::exec();
        QVERIFY(watchdog.isActive());
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
        const QStringList texts{
            "HARRIER Tablet DEMO - Version 1.2.01 | View | Settings | Help | Total: 2 "
            "| USB connection status: NO DEVICE | Module 1 1 | SUPPRESSION OK = 0% "
            "| Module 2 2 | No data for 10 s... | Event Log #1 | Event Log Filter | Manual | Cancel",
            "HARRIER Tablet DEMO - Версия 1.2.01 | Вид | Настройки | Справка | Всего: 2 "
            "| Состояние USB-подключения: НЕТ УСТРОЙСТВА | Модуль 1 1 | ПОДАВЛЕНИЕ В НОРМЕ = 0% "
            "| Модуль 2 2 | Нет данных 10 с... | Журнал событий №1 | Фильтр журнала событий "
            "| Руководство | Отмена"
        };
        QTRY_COMPARE(shownTexts(w, filterDialog), texts[0]);
        for (int language : { 1, 0 }) {
            bool driven = false;
            QTimer::singleShot(0, &w, [&] {
                auto *dialog = qobject_cast<COptionsDialog *>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                CHILD(QComboBox, combo, dialog, "m_pLanguageCombo");
                CHILD(QPushButton, ok, dialog, "m_pOkButton");
                combo->setCurrentIndex(language);
                ok->click();
                driven = true;
            });
            w.findChild<QAction *>("m_pSettingsOptionsAction")->trigger();
            QVERIFY(driven);
            QCOMPARE(QSettings().value(SettingsKeys::Language).toString(),
                     language ? "ru_RU" : "en_US");
            // The main window's own texts change before the dialog's slot returns.
            QCOMPARE(w.windowTitle(), texts[language].section(" | ", 0, 0));
            QTRY_COMPARE(shownTexts(w, filterDialog), texts[language]);
        }
        // A language without a translation of the station's own is only stored.
        CLanguageSwitcher::instance().SetLanguage(QStringLiteral("de_DE"));
        QCOMPARE(QSettings().value(SettingsKeys::Language).toString(), QString("de_DE"));
        QTest::qWait(0);
        QCOMPARE(shownTexts(w, filterDialog).section(" | ", 0, -2), texts[0].section(" | ", 0, -2));
    }

    void firstStartStoresTheSystemLocale()
    {
        TestSettings::clear();
        CMainWindow w(0, false);
        QCOMPARE(QSettings().value(SettingsKeys::Language).toString(), QLocale::system().name());
    }

    void logWindowsAreNumberedReusedAndPlaced()
    {
        {
            QSettings s;
            s.setValue(SettingsKeys::logWindowPos(1), QPoint(60, 90));
            s.setValue(SettingsKeys::logWindowSize(1), QSize(700, 240));
        }
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
