#include "display/CModuleWindow.h"

#include "ui_CModuleWindow.h"

#include "display/CAlarmSound.h"
#include "net/CMasterDevice.h"
#include "net/SettingsBlock.h"
#include "net/StationGlobals.h"
#include "net/WireProtocol.h"
#include "settings/SettingsKeys.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QInputDialog>
#include <QMenu>
#include <QPainter>
#include <QSettings>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

CModuleWindow::CModuleWindow(quint8 module, CMasterDevice *device, QWidget *parent)
    : QWidget(parent)
    , m_module(module)
    , m_device(device)
    , m_ui(std::make_unique<Ui::CModuleWindow>())
{
    m_ui->setupUi(this);
    for (CQLevelBar *bar : { m_ui->m_pProgress1, m_ui->m_pProgress2, m_ui->m_pProgress3 })
        bar->SetLevel(-80, -1);

    disableMaximize();
    updateTitle();

    // Other parts keep their files there; a failure only shows up when they do.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));

    m_ui->m_pModeLabel->setText(QString());
    m_ui->m_pProgress1->hide();
    m_ui->m_pProgress2->hide();
    m_ui->m_pProgress3->hide();

    connect(&m_timer, &QTimer::timeout, this, &CModuleWindow::OnTimer);
    m_timer.start(1000);
    connect(m_ui->m_pSettingsButton, &QPushButton::clicked, this,
            &CModuleWindow::OnSettingsButton);

    if (m_device)
        m_device->LoadModuleSettings(m_module);

    m_ui->m_pModuleWidget->setStyleSheet(QStringLiteral("QWidget {background: gray; color: white}"));
    m_ui->m_pSettingsButton->hide();
}

CModuleWindow::~CModuleWindow() = default;

void CModuleWindow::disableMaximize()
{
#ifdef Q_OS_WIN
    // Only a window that already has a native handle has a system menu; asking
    // for one here would turn the future MDI child into a native window.
    if (const WId id = internalWinId()) {
        if (HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(id), FALSE))
            EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
    }
#endif
    if (isWindow()) {
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                       | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                       | Qt::WindowCloseButtonHint);
    }
}

void CModuleWindow::updateTitle()
{
    const QString number = QString::number(m_module);
    const QString name = QSettings().value(SettingsKeys::moduleName(m_module), number).toString();
    setWindowTitle(ModuleStatus::title(m_module, name));
}

void CModuleWindow::DisplayData(DATA sData)
{
    updateTitle();

    m_silenceSeconds = 0;
    m_correct = sData.nFormat == Wire::MeasurementFormat;

    QSettings settings;
    const bool linkIndication = settings.value(SettingsKeys::LinkIndication, false).toBool();
    if (linkIndication && m_device)
        m_device->record(m_module).settings[SettingsBlock::LinkSeqEcho] = sData.nLinkSeq;
    ModuleStatus::advanceLink(m_link, linkIndication);
    m_ui->m_pModeLabel->setText(m_link.text);

    m_ui->m_pModeLabel2->setText(ModuleStatus::linkLevelText(sData));

    m_ui->m_pLabel1->setText(
        ModuleStatus::statusText(sData.channel[0].nState, StationGlobals::suppressionQuality));

    m_alarm = ModuleStatus::isAlarm(sData);
    if (m_alarm) {
        const QString file = settings.value(SettingsKeys::AlarmFile, QString()).toString();
        const ModuleStatus::AlarmSound sound = ModuleStatus::alarmSound(
            settings.value(SettingsKeys::AudioAlarm, false).toBool(),
            settings.value(SettingsKeys::AudioAlarmType, 0).toInt(), file);
        if (sound != ModuleStatus::AlarmSound::None)
            playAlarm(sound, file);
    }
}

void CModuleWindow::playAlarm(ModuleStatus::AlarmSound sound, const QString &alarmFile)
{
    if (sound == ModuleStatus::AlarmSound::File)
        CAlarmSound::instance()->playFile(alarmFile);
    else if (sound == ModuleStatus::AlarmSound::Beep)
        CAlarmSound::instance()->beep();
}

void CModuleWindow::OnTimer()
{
    m_blinkPhase = !m_blinkPhase;
    repaint();

    ++m_silenceSeconds;
    if (m_silenceSeconds > ModuleStatus::SilenceShownAfter) {
        m_ui->m_pModeLabel->setText(ModuleStatus::silenceText(m_silenceSeconds));
        m_ui->m_pModeLabel2->setText(QStringLiteral("0%"));
    }
    if (m_silenceSeconds == ModuleStatus::SilenceCloseAt) {
        m_timer.stop();
        emit closeNeeded();
    }
}

QString CModuleWindow::askName(const QString &proposal)
{
    return QInputDialog::getText(this, tr("Rename module"), tr("New module name"),
                                 QLineEdit::Normal, proposal);
}

void CModuleWindow::OnRenameAction()
{
    const QStringList parts = windowTitle().split(QLatin1Char(' '), Qt::KeepEmptyParts);
    Rename(askName(parts.value(1)));
}

void CModuleWindow::Rename(const QString &name)
{
    if (name.isEmpty())
        return;
    setWindowTitle(ModuleStatus::title(m_module, name));
    QSettings().setValue(SettingsKeys::moduleName(m_module), name);
}

void CModuleWindow::OnSettingsButton()
{
    // Intentionally empty: the module settings dialog is not part of this edition yet,
    // and the button that calls this stays hidden.
}

ModuleStatus::AlarmBar CModuleWindow::alarmBar() const
{
    const int mode = QSettings().value(SettingsKeys::AlarmCombo, 0).toInt();
    return ModuleStatus::alarmBar(width(), height(), mode, m_alarm, m_blinkPhase);
}

void CModuleWindow::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *rename = menu.addAction(tr("Rename..."));
    connect(rename, &QAction::triggered, this, &CModuleWindow::OnRenameAction);
    menu.exec(event->globalPos());
}

void CModuleWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    else
        QWidget::changeEvent(event);
}

void CModuleWindow::paintEvent(QPaintEvent *)
{
    const ModuleStatus::AlarmBar bar = alarmBar();
    if (!bar.drawn)
        return;
    QPainter p(this);
    p.fillRect(bar.rect, Qt::red);
}
