// Switching the interface language through the options dialog re-translates
// every open window at once; a language without a translation is only stored.

#include "Fixtures.h"
#include "TestSettings.h"
#include "app/CLanguageSwitcher.h"
#include "app/CMainWindow.h"
#include "app/CManualWindow.h"
#include "app/COptionsDialog.h"
#include "display/CModuleWindow.h"
#include "eventlog/CLogFilterDialog.h"
#include "eventlog/CLogWindow.h"
#include "net/MyServer.h"
#include "net/StationGlobals.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

namespace {

// Runs the main window's "Options..." and picks a language in the dialog.
void chooseLanguage(CMainWindow &w, int index)
{
    bool driven = false;
    QTimer::singleShot(0, &w, [&driven, index] {
        auto *dialog = qobject_cast<COptionsDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->findChild<QComboBox *>("m_pLanguageCombo")->setCurrentIndex(index);
        dialog->findChild<QPushButton *>("m_pOkButton")->click();
        driven = true;
    });
    const QList<QAction *> actions = w.findChildren<QAction *>("m_pSettingsOptionsAction");
    QCOMPARE(actions.size(), 1);
    actions.first()->trigger();
    QVERIFY(driven);
}

// What the operator reads in every open window, joined in one line.
QString shownTexts(CMainWindow &w, QWidget &filterDialog)
{
    QStringList texts;
    texts << w.windowTitle();
    for (QAction *menu : w.menuBar()->actions())
        texts << QString(menu->text()).remove('&');
    texts << w.statusText(1);
    CModuleWindow *module = w.moduleWindow(1);
    texts << module->windowTitle() << module->parentWidget()->windowTitle()
          << module->findChild<QLabel *>("m_pLabel1")->text();
    texts << w.logWindows().value(0)->windowTitle();
    texts << filterDialog.windowTitle() << w.manualWindow()->windowTitle();
    // The Qt library's own texts, as its standard buttons show them.
    texts << QCoreApplication::translate("QPlatformTheme", "Cancel");
    return texts.join(" | ");
}

const QString kEnglish = "HARRIER Tablet DEMO - Version 1.2.01 | View | Settings | Help | Total: 1 "
                         "| Module 1 1 | Module 1 1 | SUPPRESSION OK = 0% | Event Log #1 "
                         "| Event Log Filter | Manual | Cancel";
const QString kRussian =
    "HARRIER Tablet DEMO - Версия 1.2.01 | Вид | Настройки | Справка | Всего: 1 "
    "| Модуль 1 1 | Модуль 1 1 | ПОДАВЛЕНИЕ В НОРМЕ = 0% | Журнал событий №1 "
    "| Фильтр журнала событий | Руководство | Отмена";

} // namespace

class TestLanguageSwitch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init()
    {
        TestSettings::freshStation();
        StationOptions::instance().setValue(SettingsKeys::Language, QStringLiteral("en_US"));
    }
    void cleanup() { CLanguageSwitcher::instance().SetLanguage(QStringLiteral("en_US")); }

    void switchingRetranslatesEveryOpenWindow()
    {
        CMainWindow w(0, false);
        w.show();
        w.OnDisplayData(Fixtures::status(1));
        w.OnViewEventLogAction();
        LOGFILTER filter = LOGFILTER::defaults(Fixtures::Dec2026);
        CLogFilterDialog filterDialog(&filter, &w);
        filterDialog.show();
        QTRY_COMPARE(shownTexts(w, filterDialog), kEnglish);

        chooseLanguage(w, 1);
        QCOMPARE(QSettings().value(SettingsKeys::Language).toString(), QString("ru_RU"));
        // The main window's own texts change before the dialog's slot returns.
        QCOMPARE(w.windowTitle(), QString("HARRIER Tablet DEMO - Версия 1.2.01"));
        QTRY_COMPARE(shownTexts(w, filterDialog), kRussian);

        chooseLanguage(w, 0);
        QCOMPARE(QSettings().value(SettingsKeys::Language).toString(), QString("en_US"));
        QTRY_COMPARE(shownTexts(w, filterDialog), kEnglish);
    }

    // A status shown before the switch is worded again, not left in the old language.
    void silenceAndConnectionTextsFollow()
    {
        CMainWindow w(0, false);
        w.OnDisplayData(Fixtures::status(2));
        CModuleWindow *module = w.moduleWindow(2);
        for (int i = 0; i < 10; ++i)
            module->OnTimer();
        w.OnConnectionStatus(1);
        CLanguageSwitcher::instance().SetLanguage(QStringLiteral("ru_RU"));
        QTRY_COMPARE(module->findChild<QLabel *>("m_pModeLabel")->text(),
                     QString("Нет данных 10 с..."));
        QCOMPARE(w.statusText(3), QString("Состояние USB-подключения: НЕТ УСТРОЙСТВА"));
    }

    void unknownLanguageIsStoredAndChangesNothing()
    {
        CMainWindow w(0, false);
        w.OnDisplayData(Fixtures::status(1));
        const QString title = w.moduleWindow(1)->windowTitle() + w.windowTitle();
        CLanguageSwitcher::instance().SetLanguage(QStringLiteral("de_DE"));
        QTest::qWait(0);
        QCoreApplication::processEvents();
        QCOMPARE(QSettings().value(SettingsKeys::Language).toString(), QString("de_DE"));
        QCOMPARE(w.moduleWindow(1)->windowTitle() + w.windowTitle(), title);
        QCOMPARE(w.menuBar()->actions().first()->text(), QString("&View"));
        QVERIFY(!CLanguageSwitcher::instance().hasApplicationTranslation());
        // The options dialog shows it as English.
        COptionsDialog dialog;
        QCOMPARE(dialog.findChild<QComboBox *>("m_pLanguageCombo")->currentIndex(), 0);
    }

    void firstStartStoresTheSystemLocale()
    {
        TestSettings::clear();
        CMainWindow w(0, false);
        QCOMPARE(QSettings().value(SettingsKeys::Language).toString(), QLocale::system().name());
    }

    void manualActionTogglesTheManual()
    {
        CMainWindow w(0, false);
        QAction *manual = w.findChild<QAction *>("m_pHelpManualAction");
        QVERIFY(!w.manualWindow()->isVisible());
        manual->trigger();
        QVERIFY(w.manualWindow()->isVisible());
        manual->trigger();
        QVERIFY(!w.manualWindow()->isVisible());

        // An open manual does not keep the station running: closing the main
        // window ends the event loop, long before the watchdog would.
        w.show();
        manual->trigger();
        QTimer::singleShot(0, &w, &QWidget::close);
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, qApp, &QCoreApplication::quit);
        watchdog.start(5000);
        QApplication::exec();
        QVERIFY(watchdog.isActive());
    }
};

QTEST_MAIN(TestLanguageSwitch)
#include "tst_languageswitch.moc"
