#include "app/CMainWindow.h"

#include "app/CLanguageSwitcher.h"
#include "app/CManualWindow.h"
#include "app/COptionsDialog.h"
#include "app/CStationStatus.h"
#include "app/CQMdiArea.h"
#include "app/OptionDefaults.h"
#include "display/CDebugWindow.h"
#include "display/CModuleWindow.h"
#include "display/CShapedCircle.h"
#include "eventlog/CLogWindow.h"
#include "eventlog/EventJournal.h"
#include "eventlog/SyslogForwarder.h"
#include "net/Acknowledgements.h"
#include "net/MyServer.h"
#include "net/Prompts.h"
#include "net/StationGlobals.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"
#include "settings/WindowPlacement.h"
#include "ui_CMainWindow.h"
#include "usb/CConfigurationDialog.h"

#include <QApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const char *const kOrganization = "Norvane LLC";
const char *const kOrganizationDomain = "norvane.example";

const QPoint kDefaultPos(10, 10);
const QSize kDefaultSize(1024, 768);

// The hidden sequence that shows the debug window.
const int kDebugKeys[3] = { Qt::Key_7, Qt::Key_3, Qt::Key_9 };

// What the debug window prints of the localization.
LocalizationSnapshot debugSnapshot(const EmitterLocalization::State &s)
{
    LocalizationSnapshot d;
    for (int k = 0; k < LocalizationSnapshot::PrintedCandidates; ++k) {
        const EmitterLocalization::Candidate &from = s.candidates[k];
        LocalizationSnapshot::Candidate &to = d.candidates[k];
        to.num = from.num;
        std::copy(from.modules, from.modules + 3, to.modules);
        std::copy(from.channels, from.channels + 3, to.channels);
        std::copy(from.levels, from.levels + 3, to.levels);
        to.type = from.type;
        to.freqMHz = from.freqMHz;
    }
    d.candidateCount = s.candidateCount;
    d.chosenType = s.chosenType;
    std::copy(s.chosenModules, s.chosenModules + 3, d.chosenModules);
    std::copy(s.chosenLevels, s.chosenLevels + 3, d.chosenLevels);
    return d;
}

void greyMaximize(QWidget *window)
{
#ifdef Q_OS_WIN
    if (HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(window->winId()), FALSE))
        EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
#else
    Q_UNUSED(window);
#endif
}

} // namespace

CMainWindow::CMainWindow(quint16 port, bool demoFeed, const Edition &edition, QWidget *parent)
    : QMainWindow(parent)
    , m_ui(std::make_unique<Ui::CMainWindow>())
    , m_edition(edition)
{
    QCoreApplication::setOrganizationName(QString::fromLatin1(kOrganization));
    QCoreApplication::setOrganizationDomain(QString::fromLatin1(kOrganizationDomain));
    // The edition's own name: its own settings store and data folder.
    QCoreApplication::setApplicationName(m_edition.applicationName);
    QCoreApplication::setApplicationVersion(Edition::version());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/FALCONMaster.ico")));

    m_eventLog.LoadSettings();
    QSettings settings;
    StationOptions &options = StationOptions::instance();
    options.reload();
    CLanguageSwitcher::instance().SetLanguage(
        options.value(SettingsKeys::Language, QLocale::system().name()).toString());
    if (OptionDefaults::ensure(settings))
        options.reload();

    // Other parts keep their files there; a failure only shows up when they do.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));

    m_ui->setupUi(this);
    retranslate();
    connect(m_ui->m_pModuleExitAction, &QAction::triggered, this, &QWidget::close);
    connect(m_ui->m_pViewEventLogAction, &QAction::triggered, this,
            &CMainWindow::OnViewEventLogAction);
    connect(m_ui->m_pViewRearrangeModulesAction, &QAction::triggered, this,
            &CMainWindow::OnViewRearrangeModulesAction);
    connect(m_ui->m_pViewRenameAction, &QAction::triggered, this, &CMainWindow::OnViewRenameAction);
    connect(m_ui->m_pSettingsLocalizationAction, &QAction::triggered, this,
            &CMainWindow::OnSettingsLocalizationAction);
    connect(m_ui->m_pSettingsDefaultAction, &QAction::triggered, this,
            &CMainWindow::OnSettingsDefaultAction);
    connect(m_ui->m_pHelpAboutAction, &QAction::triggered, this, &CMainWindow::OnHelpAboutAction);
    connect(m_ui->m_pSettingsOptionsAction, &QAction::triggered, this,
            &CMainWindow::OnSettingsOptionsAction);
    connect(m_ui->m_pHelpManualAction, &QAction::triggered, this, &CMainWindow::OnHelpManualAction);
    connect(m_ui->m_pViewConfiguration, &QAction::triggered, this,
            &CMainWindow::OnViewConfiguration);

    // The platform's own keys; Exit is in no menu, so the window carries it.
    m_ui->m_pHelpManualAction->setShortcut(QKeySequence::HelpContents);
    // Some platforms name no key for quitting; the operator expects Ctrl+Q.
    const QKeySequence quit(QKeySequence::Quit);
    m_ui->m_pModuleExitAction->setShortcut(quit.isEmpty() ? QKeySequence(Qt::CTRL | Qt::Key_Q)
                                                          : quit);
    m_ui->m_pViewEventLogAction->setShortcut(QKeySequence::New);
    m_ui->m_pSettingsOptionsAction->setShortcut(QKeySequence::Preferences);
    addAction(m_ui->m_pModuleExitAction);

    m_ui->m_pSettingsLocalizationAction->setChecked(
        options.value(SettingsKeys::Localization, false).toBool());
    // The action is hidden: the stored option is what switches localization.
    connect(&options, &StationOptions::changed, this, [this](const QString &key) {
        if (key.isEmpty() || key == SettingsKeys::Localization)
            m_ui->m_pSettingsLocalizationAction->setChecked(
                StationOptions::instance().value(SettingsKeys::Localization, false).toBool());
    });
    restoreWindowGeometry();

    m_ui->m_pViewRenameAction->setIcon(QIcon(QStringLiteral(":/Rename.ico")));
    m_ui->m_pViewEventLogAction->setIcon(QIcon(QStringLiteral(":/eventlog.gif")));
    m_ui->m_pSettingsCommonDeviceSettingsAction->setIcon(QIcon(QStringLiteral(":/settings.ico")));
    m_ui->m_pToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_ui->m_pViewEventLogAction->setVisible(m_edition.offersEventLog);
    m_ui->m_pSettingsLocalizationAction->setVisible(m_edition.offersLocalization);
    m_ui->m_pToolBar->addAction(m_ui->m_pViewConfiguration);
    m_ui->m_pViewRenameAction->setEnabled(false);

    m_pFreeLabel = new QLabel(this);
    m_pTotalLabel = new QLabel(tr("Total: %1").arg(0), this);
    m_pCorrectLabel = new QLabel(tr("Correct: %1").arg(0), this);
    m_pConnectionLabel = new QLabel(tr("USB connection status: "), this);
    statusBar()->addPermanentWidget(m_pFreeLabel, 1);
    statusBar()->addPermanentWidget(m_pTotalLabel);
    statusBar()->addPermanentWidget(m_pCorrectLabel);
    statusBar()->addPermanentWidget(m_pConnectionLabel);
    // An empty "USB connection status: " says nothing until a status arrives.
    m_pConnectionLabel->hide();

    m_pManualWindow = std::make_unique<CManualWindow>();
    // Before the server: the store is filled back before the first record.
    if (m_edition.journal)
        openJournal();
    if (m_edition.syslog)
        startSyslog();

    // The server is a widget only to show its error box; it is never shown.
    m_pServer = std::make_unique<MyServer>(port, nullptr, demoFeed && m_edition.demoFeed);
    connect(m_pServer.get(), &MyServer::dataUpdated, this, &CMainWindow::OnDisplayData);
    connect(m_pServer.get(), &MyServer::connectionStatus, this, &CMainWindow::OnConnectionStatus);
    // Beside the free-text label, before the module counts.
    m_pStationStatus = new CStationStatus(statusBar(), 1, m_pServer.get(), m_journal.get(), this);

    m_pMarker = std::make_unique<CShapedCircle>();
    // Shown on a record, never to take the keyboard from the main window.
    m_pMarker->setAttribute(Qt::WA_ShowWithoutActivating);
    m_pMarker->move(0, 0);
    m_pMarker->resize(EmitterLocalization::StartSize, EmitterLocalization::StartSize);
    m_markerTimer.setSingleShot(true);
    connect(&m_markerTimer, &QTimer::timeout, this, &CMainWindow::applyMarker);

    m_pDebugWindow = std::make_unique<CDebugWindow>();
    m_keyState = 0;

    Acknowledgements::reset();
    StationGlobals::externalReceiverAttached = false;
    StationGlobals::externalReceiverFreq = 0;
    StationGlobals::externalReceiverType = -1;

    connect(&m_timer, &QTimer::timeout, this, &CMainWindow::OnTimer);
    m_timer.start(500);
}

CMainWindow::~CMainWindow()
{
    mdiArea()->SavePositions();
    saveWindowGeometry();
}

CQMdiArea *CMainWindow::mdiArea() const
{
    return m_ui->m_pMdiArea;
}

CModuleWindow *CMainWindow::moduleWindow(quint8 module) const
{
    return m_moduleWindows[module];
}

QString CMainWindow::statusText(int index) const
{
    const QLabel *labels[] = { m_pFreeLabel, m_pTotalLabel, m_pCorrectLabel, m_pConnectionLabel };
    return index >= 0 && index < 4 ? labels[index]->text() : QString();
}

int CMainWindow::SensitivityScale(int combo)
{
    switch (combo) {
    case 0:
        return 5;
    case 1:
        return 10;
    case 2:
        return 20;
    default:
        return 40;
    }
}

int CMainWindow::NextKeyState(int state, int key, bool &show)
{
    show = false;
    if (state < 0 || state > 2 || key != kDebugKeys[state])
        return state;
    if (state == 2) {
        show = true;
        return state;
    }
    return state + 1;
}

CModuleWindow *CMainWindow::createModuleWindow(quint8 module)
{
    // The window loads the module's record, so the reply to this record
    // already carries the module's settings.
    const Qt::WindowFlags flags = Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    auto *window =
        new CModuleWindow(module, &m_pServer->device, mdiArea()->NewSubWindow(flags));
    m_moduleWindows[module] = window;
    connect(window, &CModuleWindow::closeNeeded, this, [this, window] { OnCloseModule(window); });
    mdiArea()->AddSubWindow(window, flags, QSize(window->width() + 10, window->height() + 30));
    greyMaximize(this);
    if (m_lostModules[module] && m_syslog) {
        SyslogEntry back{ SyslogEntry::ModuleBack, {}, QDateTime::currentSecsSinceEpoch() };
        back.event.nModule = module;
        m_syslog->post(back);
    }
    m_lostModules[module] = false;
    window->SetSettingsOffered(m_edition.offersModuleSettings);
    mdiArea()->showAdded(window);
    return window;
}

void CMainWindow::OnDisplayData(DATA data)
{
    CModuleWindow *window = moduleWindow(data.nID);
    const bool created = !window;
    if (created)
        window = createModuleWindow(data.nID);
    const bool wasCorrect = window->IsCorrect();
    m_pStationStatus->countRecord();
    window->DisplayData(data);
    m_eventLog.AddData(data);
    if (created || wasCorrect != window->IsCorrect())
        refreshCounts();

    ModuleRecord &record = m_pServer->device.record(data.nID);
    const QRect frame = window->frameGeometry();
    const QRect marker = m_pMarker->frameGeometry();
    record.windowAnchor = window->mapToGlobal(QPoint(
        frame.width() / 2 - marker.width() / 2, int(frame.height() / 2.5 - marker.height() / 2)));
    record.windowOrigin = window->mapToGlobal(QPoint(0, 0));

    StationGlobals::sensitivityScale = SensitivityScale(StationOptions::instance().sensCombo());
    CMasterDevice::RefreshPauseBytes(record);
    updateMarker(data.nID);
    m_pDebugWindow->settingsCopy = record.settings;
    m_pDebugWindow->localization = debugSnapshot(m_localization.state());
    m_pDebugWindow->update();

    if (Acknowledgements::takeCompletion())
        inform(tr("Success"), tr("The operation completed successfully"));
}

void CMainWindow::updateMarker(quint8 module)
{
    // Only this module's channels changed since the last update.
    if (!m_localization.Update(m_pServer->device.records(), module, StationGlobals::correctModules,
                               StationGlobals::sensitivityScale,
                               m_ui->m_pSettingsLocalizationAction->isChecked())) {
        m_markerTimer.stop();
        if (m_pMarker->isVisible())
            m_pMarker->hide();
        return;
    }
    // The state glides a step with every record; the window follows at most
    // every MarkerIntervalMs, as moving, resizing and re-masking a top-level
    // window per record would cost more than the record itself.
    if (!m_pMarker->isVisible() || m_markerApplied.hasExpired(MarkerIntervalMs))
        applyMarker();
    else if (!m_markerTimer.isActive())
        m_markerTimer.start(int(MarkerIntervalMs - m_markerApplied.elapsed()));
}

void CMainWindow::applyMarker()
{
    m_markerTimer.stop();
    m_markerApplied.start();
    const EmitterLocalization::State &s = m_localization.state();
    m_pMarker->move(s.markerPos);
    m_pMarker->resize(s.markerSize, s.markerSize);
    // The window keeps its opacity in 1/255 steps; anything finer is no change.
    if (qRound(m_pMarker->windowOpacity() * 255) != qRound(s.markerOpacity * 255))
        m_pMarker->setWindowOpacity(s.markerOpacity);
    m_pMarker->setBackgroundColour(s.flags == EmitterLocalization::ShowScan ? Qt::red
                                                                            : Qt::magenta);
    // A new size or colour repaints by itself, a move needs none; only a new
    // signal name does.
    if (m_pMarker->signalType() != s.chosenType) {
        m_pMarker->setSignalType(s.chosenType);
        m_pMarker->update();
    }
    m_pMarker->show();
}

void CMainWindow::refreshCounts()
{
    // Only when a window comes or goes or its record turns correct or not.
    const int total = mdiArea()->SubWindowCount();
    m_ui->m_pViewRenameAction->setEnabled(total > 0);
    m_pTotalLabel->setText(tr("Total: %1").arg(total));
    StationGlobals::correctModules = mdiArea()->CorrectModuleCount();
    m_pCorrectLabel->setText(tr("Correct: %1").arg(StationGlobals::correctModules));
}

void CMainWindow::OnCloseModule(CModuleWindow *window)
{
    // The module's record stays; its next record opens a new window.
    const quint8 module = window->moduleNumber();
    m_lostModules[module] = true;
    if (m_syslog) {
        SyslogEntry lost{ SyslogEntry::ModuleLost, {}, QDateTime::currentSecsSinceEpoch() };
        lost.event.nModule = module;
        m_syslog->post(lost);
    }
    if (m_moduleWindows[module] == window)
        m_moduleWindows[module] = nullptr;
    auto *sub = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    if (sub) {
        mdiArea()->removeSubWindow(sub);
        sub->deleteLater();
    } else {
        window->deleteLater();
    }

    // The module is no longer there: it neither counts, nor is awaited by a
    // broadcast, nor pulls the marker with what it last heard.
    if (ModuleRecord *record = m_pServer->device.find(module))
        for (CHANNEL &c : record->lastChannels)
            c.nState = 0;
    refreshCounts();
    updateMarker(module);
}

void CMainWindow::OnConnectionStatus(int status)
{
    static const char *const texts[] = {
        QT_TR_NOOP("USB connection status: OK"),
        QT_TR_NOOP("USB connection status: NO DEVICE"),
        QT_TR_NOOP("USB connection status: DATA ERROR"),
        QT_TR_NOOP("USB connection status: PACKAGE DATA ERROR"),
        QT_TR_NOOP("USB connection status: SEARCHING MODUL"),
    };
    if (status < 0 || status >= 5)
        return;
    m_connectionStatus = status;
    m_pConnectionLabel->setText(tr(texts[status]));
    m_pConnectionLabel->show();
}

void CMainWindow::retranslate()
{
    m_ui->retranslateUi(this);
    setWindowTitle(
        tr("%1 - Version %2")
            .arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion()));
    if (!m_pTotalLabel)
        return; // still being built
    if (m_pStationStatus)
        m_pStationStatus->OnTimer();
    refreshCounts();
    if (m_connectionStatus < 0)
        m_pConnectionLabel->setText(tr("USB connection status: "));
    else
        OnConnectionStatus(m_connectionStatus);
}

void CMainWindow::changeEvent(QEvent *event)
{
    // Sent when a translation is installed or removed.
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
}

void CMainWindow::OnTimer()
{
    m_localization.setMainWindowMinimized(isMinimized());
}

void CMainWindow::openJournal()
{
    const int days =
        QSettings()
            .value(SettingsKeys::JournalRetentionDays, EventJournal::DefaultRetentionDays)
            .toInt();
    m_journal = std::make_unique<EventJournal>(EventJournal::defaultFolder(), days);
    connect(m_journal.get(), &EventJournal::failed, this, &CMainWindow::OnJournalFailed);
    connect(m_journal.get(), &EventJournal::recovered, this, &CMainWindow::OnJournalRecovered);
    connect(m_journal.get(), &EventJournal::fileSetAside, this,
            &CMainWindow::OnJournalFileSetAside);
    QList<EVENT> restored;
    QString error;
    if (m_journal->open(m_eventLog.GetLimit(), restored, &error)) {
        m_eventLog.Restore(restored);
    } else {
        // Once the window is built, not from inside its construction.
        QMetaObject::invokeMethod(
            this, [this, error] { OnJournalFailed(error); }, Qt::QueuedConnection);
    }
    m_eventLog.SetJournal(m_journal.get());
}

void CMainWindow::startSyslog()
{
    m_syslog = std::make_unique<SyslogForwarder>();
    connect(m_syslog.get(), &SyslogForwarder::droppedChanged, this, [this](quint64 total) {
        const QString text =
            tr("Syslog: %1 events dropped while the collector was unreachable").arg(total);
        m_pFreeLabel->setText(text);
        qWarning("%s", qUtf8Printable(text));
    });
    connect(m_syslog.get(), &SyslogForwarder::stateChanged, this,
            [](bool connected, const QString &reason) {
        if (connected)
            qInfo("Syslog collector connected");
        else
            qWarning("Syslog collector unreachable: %s", qUtf8Printable(reason));
    });
    m_syslog->follow(StationOptions::instance());
    m_eventLog.SetForwarder(m_syslog.get());
}

void CMainWindow::OnJournalFailed(const QString &reason)
{
    m_pFreeLabel->setText(tr("Event journal unavailable: events are kept in memory only"));
    if (m_journalWarned)
        return;
    m_journalWarned = true;
    warn(tr("Warning"),
         tr("The event journal %1 cannot be written:\n%2\n\nThe station goes on keeping events "
            "in memory and tries the journal again later.")
             .arg(QDir::toNativeSeparators(m_journal ? m_journal->path() : QString()), reason));
}

void CMainWindow::OnJournalRecovered()
{
    m_pFreeLabel->setText(tr("Event journal writing again"));
}

void CMainWindow::OnJournalFileSetAside(const QString &setAside)
{
    m_pFreeLabel->setText(tr("Damaged event journal set aside"));
    warn(tr("Warning"),
         tr("The event journal was damaged. It has been kept as %1 and a new journal has been "
            "started.")
             .arg(QDir::toNativeSeparators(setAside)));
}

void CMainWindow::OnViewConfiguration()
{
    m_timer.stop();
    CConfigurationDialog dialog(this);
    dialog.exec();
    m_timer.start(1000);
}

void CMainWindow::OnViewEventLogAction()
{
    for (auto it = m_logWindows.begin(); it != m_logWindows.end();) {
        if (!(*it)->isVisible()) {
            delete *it;
            it = m_logWindows.erase(it);
        } else {
            ++it;
        }
    }
    auto *log = new CLogWindow(m_logWindows.size() + 1, &m_pServer->device, this);
    m_logWindows.append(log);
    log->SetEventLog(&m_eventLog);
    addDockWidget(Qt::TopDockWidgetArea, log);
    log->setFloating(true);
    log->PlaceAsStored();
    log->show();
    log->SetEventLog(&m_eventLog);
}

void CMainWindow::OnViewRenameAction()
{
    if (QMdiSubWindow *sub = mdiArea()->activeSubWindow())
        if (auto *window = qobject_cast<CModuleWindow *>(sub->widget()))
            window->OnRenameAction();
}

void CMainWindow::OnSettingsLocalizationAction()
{
    StationOptions::instance().setValue(SettingsKeys::Localization,
                                        m_ui->m_pSettingsLocalizationAction->isChecked());
}

void CMainWindow::OnViewRearrangeModulesAction()
{
    mdiArea()->RearrangeModules();
}

void CMainWindow::OnSettingsOptionsAction()
{
    COptionsDialog dialog(nullptr, m_edition.syslog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    CLanguageSwitcher::instance().SetLanguage(
        StationOptions::instance()
            .value(SettingsKeys::Language, QLocale::system().name())
            .toString());
    // At once rather than when the language change event arrives; the same
    // title as at start-up.
    retranslate();
}

void CMainWindow::OnHelpManualAction()
{
    m_pManualWindow->setVisible(!m_pManualWindow->isVisible());
}

void CMainWindow::OnSettingsDefaultAction()
{
    if (Prompts::current().question(this, QCoreApplication::applicationName(),
                                    tr("Do you want to reset all settings to defaults?"))) {
        {
            QSettings settings;
            OptionDefaults::writeAll(settings);
        }
        StationOptions::instance().reload();
    }
}

void CMainWindow::OnHelpAboutAction()
{
    const QString name = QCoreApplication::applicationName();
    QMessageBox::about(this, tr("About ") + name,
                       QStringLiteral("<b>%1</b><br>").arg(name.toHtmlEscaped()) + tr("Version ")
                           + QCoreApplication::applicationVersion() + QStringLiteral("<br>")
                           + tr("Copyright (C) %1 %2. All rights reserved.")
                                 .arg(QDate::currentDate().year())
                                 .arg(QCoreApplication::organizationName()));
}

void CMainWindow::keyPressEvent(QKeyEvent *event)
{
    QMainWindow::keyPressEvent(event);
    bool show = false;
    m_keyState = NextKeyState(m_keyState, event->key(), show);
    if (show) {
        m_pDebugWindow->show();
        m_pDebugWindow->raise();
    }
}

void CMainWindow::inform(const QString &title, const QString &text)
{
    // Opened from the event loop rather than inside the delivery of a record:
    // no modal loop may run while the link is serving a connection.
    QTimer::singleShot(0, this, [this, title, text] {
        Prompts::current().message(this, QMessageBox::Information, title, text);
    });
}

void CMainWindow::warn(const QString &title, const QString &text)
{
    // As inform(): never a modal loop inside the delivery of a record.
    QTimer::singleShot(0, this, [this, title, text] {
        Prompts::current().message(this, QMessageBox::Warning, title, text);
    });
}

void CMainWindow::restoreWindowGeometry()
{
    QSettings s;
    if (s.value(SettingsKeys::MainWindowMaximized, false).toBool()) {
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    WindowPlacement::placeFrame(this, s.value(SettingsKeys::MainWindowPos, kDefaultPos).toPoint(),
                                s.value(SettingsKeys::MainWindowSize, kDefaultSize).toSize(),
                                QRect(kDefaultPos, kDefaultSize));
}

void CMainWindow::saveWindowGeometry()
{
    QSettings s;
    s.setValue(SettingsKeys::MainWindowMaximized, isMaximized());
    s.setValue(SettingsKeys::MainWindowPos, pos());
    s.setValue(SettingsKeys::MainWindowSize, size());
}
