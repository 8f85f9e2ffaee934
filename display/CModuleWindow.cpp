#include "display/CModuleWindow.h"

#include "ui_CModuleWindow.h"

#include "display/CAlarmSound.h"
#include "net/CMasterDevice.h"
#include "net/SettingsBlock.h"
#include "net/StationGlobals.h"
#include "net/WireProtocol.h"
#include "settings/CSettingsDialog.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QInputDialog>
#include <QMenu>
#include <QPainter>
#include <QSettings>
#include <QSpacerItem>

#include <utility>

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
    addPads();

    disableMaximize();
    m_name =
        QSettings().value(SettingsKeys::moduleName(m_module), QString::number(m_module)).toString();
    updateTitle();

    m_ui->m_pModeLabel->setText(QString());

    connect(&m_timer, &QTimer::timeout, this, &CModuleWindow::OnTimer);
    m_timer.start(1000);
    m_applyTimer.setSingleShot(true);
    connect(&m_applyTimer, &QTimer::timeout, this, &CModuleWindow::applyTexts);
    connect(m_ui->m_pSettingsButton, &QPushButton::clicked, this, &CModuleWindow::OnSettingsButton);

    if (m_device)
        m_device->LoadModuleSettings(m_module);

    m_ui->m_pModuleWidget->setStyleSheet(
        QStringLiteral("QWidget {background: gray; color: white}"));
    m_ui->m_pSettingsButton->hide();

    // The alarm bar's mode may have changed.
    connect(&StationOptions::instance(), &StationOptions::changed, this, [this] { update(); });

    // The window has one size, so the grey panel has one too. Fixed, it keeps
    // a changing text from re-laying out the window and its MDI frame (title
    // bar included) on every record.
    m_ui->m_pModuleWidget->setFixedSize(panelSize());
}

CModuleWindow::~CModuleWindow() = default;

namespace {

// A size that is the same for every window while the application's font and
// style sheet stay: worked out for the first window, again after a change.
class StyleBoundSize
{
public:
    template <typename Compute> QSize get(Compute compute)
    {
        if (!m_size.isValid() || m_sheet != qApp->styleSheet() || m_font != QApplication::font()) {
            m_sheet = qApp->styleSheet();
            m_font = QApplication::font();
            m_size = compute();
        }
        return m_size;
    }

private:
    QString m_sheet;
    QFont m_font;
    QSize m_size;
};

// What an empty label of the form takes in a layout.
QSize emptyLabelSize()
{
    static StyleBoundSize size;
    return size.get([] {
        QLabel label;
        label.ensurePolished();
        return label.sizeHint();
    });
}

// Stands in for an empty label: the same room in its row, and the same
// share of the room to spare (a plain spacer would get none).
class LabelPad : public QSpacerItem
{
public:
    explicit LabelPad(const QSize &size)
        : QSpacerItem(size.width(), size.height(), QSizePolicy::Minimum, QSizePolicy::Minimum)
    {
    }
    bool isEmpty() const override { return false; }
};

} // namespace

QSize CModuleWindow::panelSize()
{
    // Laid out once, not for each window.
    static StyleBoundSize size;
    return size.get([this] {
        layout()->activate();
        return m_ui->m_pModuleWidget->size();
    });
}

void CModuleWindow::addPads()
{
    // The form's labels that nothing ever writes: stand-ins keep the window
    // as it looks and lays out with them, without making, polishing and
    // keeping some twenty widgets per window.
    const QSize label = emptyLabelSize();
    const std::pair<QBoxLayout *, int> rows[] = {
        { m_ui->m_pRow1Layout, 4 },    { m_ui->m_pRow1BarLayout, 1 }, { m_ui->m_pRow2Layout, 5 },
        { m_ui->m_pRow2BarLayout, 1 }, { m_ui->m_pRow3Layout, 5 },    { m_ui->m_pRow3BarLayout, 1 },
    };
    for (const auto &[row, labels] : rows) {
        for (int i = 0; i < labels; ++i)
            row->addItem(new LabelPad(label));
    }
}

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

namespace {

// Setting a text costs layout and shaping; most records change nothing.
void setText(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}

} // namespace

void CModuleWindow::updateTitle()
{
    const QString title = ModuleStatus::title(m_module, m_name);
    if (windowTitle() != title)
        setWindowTitle(title);
}

void CModuleWindow::DisplayData(DATA sData)
{
    // Only state changes here; what looks different is repainted later by Qt.
    m_silenceSeconds = 0;
    m_correct = sData.nFormat == Wire::MeasurementFormat;

    const StationOptions &options = StationOptions::instance();
    const bool linkIndication = options.linkIndication();
    if (linkIndication && m_device)
        m_device->record(m_module).settings[SettingsBlock::LinkSeqEcho] = sData.nLinkSeq;
    ModuleStatus::advanceLink(m_link, linkIndication);
    m_texts.mode = m_link.text;
    m_texts.level = ModuleStatus::linkLevelText(sData);
    m_lastState = sData.channel[0].nState;
    m_texts.status = ModuleStatus::statusText(m_lastState, StationGlobals::suppressionQuality);
    requestTexts();

    setAlarm(ModuleStatus::isAlarm(sData));
    if (m_alarm) {
        const ModuleStatus::AlarmSound sound = ModuleStatus::alarmSound(
            options.audioAlarm(), options.audioAlarmType(), options.alarmFile());
        if (sound != ModuleStatus::AlarmSound::None)
            playAlarm(sound, options.alarmFile());
    }
}

void CModuleWindow::requestTexts()
{
    // However fast records come, the labels change at most once per interval:
    // the first record of a quiet window shows at once, later ones together.
    if (m_applyTimer.isActive())
        return;
    const qint64 since = m_lastApplied.isValid() ? m_lastApplied.elapsed() : RefreshIntervalMs;
    if (since >= RefreshIntervalMs)
        applyTexts();
    else
        m_applyTimer.start(int(RefreshIntervalMs - since));
}

void CModuleWindow::applyTexts()
{
    m_applyTimer.stop();
    m_lastApplied.start();
    setText(m_ui->m_pModeLabel, m_texts.mode);
    setText(m_ui->m_pModeLabel2, m_texts.level);
    setText(m_ui->m_pLabel1, m_texts.status);
}

void CModuleWindow::setAlarm(bool alarm)
{
    const ModuleStatus::AlarmBar before = alarmBar();
    m_alarm = alarm;
    updateAlarmBar(before);
}

void CModuleWindow::updateAlarmBar(const ModuleStatus::AlarmBar &before)
{
    const ModuleStatus::AlarmBar after = alarmBar();
    if (after.drawn != before.drawn)
        update(before.rect.united(after.rect));
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
    const ModuleStatus::AlarmBar before = alarmBar();
    m_blinkPhase = !m_blinkPhase;
    updateAlarmBar(before);

    ++m_silenceSeconds;
    if (m_silenceSeconds > ModuleStatus::SilenceShownAfter) {
        m_texts.mode = ModuleStatus::silenceText(m_silenceSeconds);
        m_texts.level = QStringLiteral("0%");
        applyTexts();
    }
    if (m_silenceSeconds == ModuleStatus::SilenceCloseAt) {
        m_timer.stop();
        emit closeNeeded();
    }
}

QString CModuleWindow::askName(const QString &proposal)
{
    QInputDialog dialog(this);
    dialog.setWindowTitle(tr("Rename module"));
    dialog.setLabelText(tr("New module name"));
    dialog.setTextValue(proposal);
    // Wide enough that the title bar, with its buttons, is not elided; the
    // dialog's layout would reset a minimum width.
    const QSize hint = dialog.sizeHint();
    dialog.resize(
        qMax(hint.width(), dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) + 160),
        hint.height());
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
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
    m_name = name;
    updateTitle();
    QSettings().setValue(SettingsKeys::moduleName(m_module), name);
}

void CModuleWindow::SetSettingsOffered(bool offered)
{
    m_ui->m_pSettingsButton->setVisible(offered);
}

void CModuleWindow::OnSettingsButton()
{
    // Offered by the full edition; the demonstration keeps the button hidden.
    if (!m_device)
        return;
    CSettingsDialog dialog(m_module, m_device, nullptr);
    dialog.exec();
}

ModuleStatus::AlarmBar CModuleWindow::alarmBar() const
{
    return ModuleStatus::alarmBar(width(), height(), StationOptions::instance().alarmCombo(),
                                  m_alarm, m_blinkPhase);
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
    if (event->type() == QEvent::LanguageChange) {
        // The form's texts include the title and the empty labels: put back
        // the window's own, worded in the new language.
        m_ui->retranslateUi(this);
        updateTitle();
        m_texts.status = ModuleStatus::statusText(m_lastState, StationGlobals::suppressionQuality);
        if (m_silenceSeconds > ModuleStatus::SilenceShownAfter)
            m_texts.mode = ModuleStatus::silenceText(m_silenceSeconds);
        applyTexts();
    }
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
