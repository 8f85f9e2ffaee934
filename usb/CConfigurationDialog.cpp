#include "usb/CConfigurationDialog.h"

#include "net/Prompts.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"
#include "usb/CFTDI.h"
#include "usb/EthernetBoard.h"
#include "usb/TuningState.h"
#include "usb/UsbBlocks.h"
#include "ui_CConfigurationDialog.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>

using namespace UsbBlocks;

namespace {

constexpr int kModuleNumbers = 16;
constexpr int kStepMs = 100;
constexpr int kPollMs = 500;

// The band caption's blanks place the names under the graph's separators.
// A platform font wider than the one it was spaced for would cut the last
// names off, so the caption's font shrinks until the caption spans the graph.
void fitToWidth(QLabel *label, int width)
{
    label->ensurePolished();
    QFont font = label->font();
    qreal size = font.pointSizeF();
    if (size <= 0)
        return; // a pixel-sized font: left as it is
    while (size > 5 && QFontMetricsF(font).horizontalAdvance(label->text()) > width) {
        size -= 0.5;
        font.setPointSizeF(size);
    }
    label->setFont(font);
}

} // namespace

CConfigurationDialog::CConfigurationDialog(QWidget *parent, CFTDI *link)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CConfigurationDialog>())
    , m_link(link ? *link : CFTDI::instance())
    , m_steps(TuningState::instance())
{
    m_ui->setupUi(this);
    fitToWidth(m_ui->m_pBandCaption, m_ui->m_pGraphLabel->maximumWidth());
    for (int i = 1; i <= kModuleNumbers; ++i) {
        m_ui->m_pModuleNumberComboBox->addItem(QString::number(i));
        m_ui->m_pModuleNumber2ComboBox->addItem(QString::number(i));
    }

    connect(&m_timer1, &QTimer::timeout, this, &CConfigurationDialog::OnTimer);
    connect(&m_timer2, &QTimer::timeout, this, &CConfigurationDialog::OnTimer2);
    connect(m_ui->m_pSendButton, &QPushButton::clicked, this, &CConfigurationDialog::OnSendButton);
    connect(m_ui->m_pApplyButton, &QPushButton::clicked, this,
            &CConfigurationDialog::OnApplyButton);
    connect(m_ui->m_pApply2Button, &QPushButton::clicked, this,
            &CConfigurationDialog::OnApply2Button);
    connect(m_ui->m_pRequestButton, &QPushButton::clicked, this,
            &CConfigurationDialog::OnRequestButton);
    connect(m_ui->m_pRequest2Button, &QPushButton::clicked, this,
            &CConfigurationDialog::OnRequest2Button);
    connect(m_ui->m_pModuleAddressCheckBox, &QCheckBox::clicked, this,
            &CConfigurationDialog::OnModuleAddressCheckBox);
    connect(m_ui->m_pOkButton, &QPushButton::clicked, this, &CConfigurationDialog::OnOkButton);
    connect(m_ui->m_pResetBaseLevelButton, &QPushButton::clicked, this,
            &CConfigurationDialog::OnResetBaseLevelButton);
    connect(m_ui->m_pGetBaseLevelButton, &QPushButton::clicked, this,
            &CConfigurationDialog::OnGetBaseLevelButton);
    connect(m_ui->m_pGetSuppressionButton, &QPushButton::clicked, this,
            &CConfigurationDialog::OnGetSuppressionButton);
    connect(m_ui->m_pSavePatternButton, &QPushButton::clicked, this,
            &CConfigurationDialog::OnSavePatternButton);

    using namespace SettingsKeys;
    const StationOptions &o = StationOptions::instance();
    m_ui->m_pSSIDEdit->setText(o.option(SSID).toString());
    m_ui->m_pPasswordEdit->setText(o.option(Password).toString());
    m_ui->m_pSecurityTypeComboBox->setCurrentIndex(o.option(SecurityType).toInt());
    m_ui->m_pServerAddressEdit->setText(o.option(ServerAddress1).toString());
    m_ui->m_pServerAddress2Edit->setText(o.option(ServerAddress2).toString());
    m_ui->m_pModuleAddressCheckBox->setChecked(o.option(ModuleAddress1CheckBox).toBool());
    m_ui->m_pModuleAddressEdit->setText(o.option(ModuleAddress1).toString());
    m_ui->m_pModuleNumberComboBox->setCurrentIndex(o.option(ModuleNumber1).toInt());
    m_ui->m_pModuleNumber2ComboBox->setCurrentIndex(o.option(ModuleNumber2).toInt());
    m_ui->m_pSuppressionFactorEdit->setText(o.option(SuppressionFactor).toString());
    m_ui->m_pErrorSuppressionQualityEdit->setText(o.option(MaxSuppressionQualityError).toString());
    m_ui->m_pErrorAddQualityEdit->setText(o.option(MaxAddQualityError).toString());
    m_ui->m_pAverageFactorComboBox->setCurrentIndex(o.option(AverageFactor).toInt());
    m_ui->m_pLEDComboBox->setCurrentIndex(o.option(DeviceLED).toInt());
    m_ui->m_pAlarmSoundCheck->setChecked(o.option(DeviceSound).toBool());
    m_ui->m_pOfflineModeCheck->setChecked(o.option(DeviceOffline).toBool());
    OnModuleAddressCheckBox();

    readEditsIntoState();
    showEnabledSteps();
    m_ui->m_pLabelStatus->setText(tr("Status: Message 1"));

    m_timer2.start(kPollMs);
    m_ui->m_pTabWidget->setCurrentIndex(TuningTab);
}

CConfigurationDialog::~CConfigurationDialog()
{
    m_timer1.stop();
    m_timer2.stop();
    StationOptions &o = StationOptions::instance();
    o.setValue(SettingsKeys::SSID, m_ui->m_pSSIDEdit->text());
    o.setValue(SettingsKeys::Password, m_ui->m_pPasswordEdit->text());
    o.setValue(SettingsKeys::SecurityType, m_ui->m_pSecurityTypeComboBox->currentIndex());
    o.setValue(SettingsKeys::ServerAddress1, m_ui->m_pServerAddressEdit->text());
    o.setValue(SettingsKeys::ServerAddress2, m_ui->m_pServerAddress2Edit->text());
    o.setValue(SettingsKeys::ModuleAddress1CheckBox, m_ui->m_pModuleAddressCheckBox->isChecked());
    o.setValue(SettingsKeys::ModuleAddress1, m_ui->m_pModuleAddressEdit->text());
    o.setValue(SettingsKeys::ModuleNumber1, m_ui->m_pModuleNumberComboBox->currentIndex());
    o.setValue(SettingsKeys::ModuleNumber2, m_ui->m_pModuleNumber2ComboBox->currentIndex());
    o.setValue(SettingsKeys::SuppressionFactor, m_ui->m_pSuppressionFactorEdit->text());
    o.setValue(SettingsKeys::MaxSuppressionQualityError,
               m_ui->m_pErrorSuppressionQualityEdit->text());
    o.setValue(SettingsKeys::MaxAddQualityError, m_ui->m_pErrorAddQualityEdit->text());
    o.setValue(SettingsKeys::AverageFactor, m_ui->m_pAverageFactorComboBox->currentIndex());
    o.setValue(SettingsKeys::DeviceLED, m_ui->m_pLEDComboBox->currentIndex());
    o.setValue(SettingsKeys::DeviceSound, m_ui->m_pAlarmSoundCheck->isChecked());
    o.setValue(SettingsKeys::DeviceOffline, m_ui->m_pOfflineModeCheck->isChecked());
}

void CConfigurationDialog::message(QMessageBox::Icon icon, const QString &title,
                                   const QString &text)
{
    Prompts::current().message(this, icon, title, text);
}

bool CConfigurationDialog::transact(const Block &request, Block &answer)
{
    // An exchange blocks the window for up to a few seconds: show that it is busy.
    struct BusyCursor
    {
        BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
        ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    } busy;
    return m_link.Transact(request, answer);
}

bool CConfigurationDialog::openLink()
{
    if (!m_link.isOpen())
        m_link.Open();
    return m_link.isOpen();
}

bool CConfigurationDialog::OnSendButton()
{
    const QString command = m_ui->m_pTxEdit->text();
    if (!WifiAtSequence::isSafeText(command)) {
        message(QMessageBox::Critical, tr("Error"),
                tr("'%1' must not contain '}', control characters or characters the device "
                   "cannot receive")
                    .arg(tr("Sending string")));
        return false;
    }
    if (!openLink()) {
        message(QMessageBox::Critical, tr("Error"), tr("Connection status: USB ERROR"));
        return false;
    }
    Block answer{};
    if (!transact(atRequest(command), answer)) {
        message(QMessageBox::Critical, tr("Error"), tr("Connection status: USB OK. DATA ERROR"));
        return false;
    }
    if (beginsWith(answer, "ATNO")) {
        message(QMessageBox::Warning, tr("Error"), tr("Connection status: WRONG DEVICE"));
        return false;
    }
    m_ui->m_pRxEdit->setText(atResult(command, answer));
    return true;
}

WifiAtSequence::Settings CConfigurationDialog::wifiSettings() const
{
    WifiAtSequence::Settings s;
    s.ssid = m_ui->m_pSSIDEdit->text();
    s.securityType = m_ui->m_pSecurityTypeComboBox->currentIndex();
    s.password = m_ui->m_pPasswordEdit->text();
    s.serverAddress = m_ui->m_pServerAddressEdit->text();
    s.moduleAddressOn = m_ui->m_pModuleAddressCheckBox->isChecked();
    s.moduleAddress = m_ui->m_pModuleAddressEdit->text();
    s.moduleNumberIndex = m_ui->m_pModuleNumberComboBox->currentIndex();
    return s;
}

QString CConfigurationDialog::fieldName(WifiAtSequence::Field field) const
{
    switch (field) {
    case WifiAtSequence::SsidField:
        return tr("SSID");
    case WifiAtSequence::PasswordField:
        return tr("Password");
    case WifiAtSequence::ServerAddressField:
        return tr("Server address");
    case WifiAtSequence::ModuleAddressField:
        return tr("Module address");
    default:
        return QString();
    }
}

// Buttons that start an exchange wait while a sequence runs: a click in the
// gap between two steps would otherwise abandon the sequence half way.
void CConfigurationDialog::setExchangeButtonsEnabled(bool enabled)
{
    for (QPushButton *button : { m_ui->m_pApplyButton, m_ui->m_pRequestButton, m_ui->m_pSendButton,
                                 m_ui->m_pApply2Button, m_ui->m_pRequest2Button })
        button->setEnabled(enabled);
}

void CConfigurationDialog::OnApplyButton()
{
    const WifiAtSequence::Settings settings = wifiSettings();
    const WifiAtSequence::Check check = WifiAtSequence::check(settings);
    switch (check.problem) {
    case WifiAtSequence::MissingSsidOrServer:
        message(QMessageBox::Warning, tr("Error"),
                tr("'SSID' and 'Server address' fields must be filled"));
        return;
    case WifiAtSequence::UnsafeText:
        message(QMessageBox::Critical, tr("Error"),
                tr("'%1' must not contain '}', control characters or characters the device "
                   "cannot receive")
                    .arg(fieldName(check.field)));
        return;
    case WifiAtSequence::BadServerAddress:
        message(QMessageBox::Warning, tr("Error"),
                tr("'Server address' must be an IPv4 address such as 192.168.1.64 or a host "
                   "name of letters, digits, dots and hyphens"));
        return;
    case WifiAtSequence::BadModuleAddress:
        message(QMessageBox::Warning, tr("Error"),
                tr("'Module address' must be four numbers from 0 to 255 separated by dots, "
                   "for example 192.168.1.64"));
        return;
    case WifiAtSequence::NoProblem:
        break;
    }
    m_sequence.startWrite(settings);
    setExchangeButtonsEnabled(false);
    m_timer1.start(kStepMs);
}

void CConfigurationDialog::OnRequestButton()
{
    m_sequence.startRead();
    setExchangeButtonsEnabled(false);
    m_timer1.start(kStepMs);
}

void CConfigurationDialog::OnTimer()
{
    m_timer1.stop();
    // A poll that comes while an exchange still waits is skipped (the next one
    // is due in 500 ms); a sequence step waits its turn, or the sequence would
    // end half way without a word.
    if (m_link.isBusy()) {
        if (m_sequence.isRunning())
            m_timer1.start(kStepMs);
        return;
    }
    if (m_sequence.isRunning()) {
        runStep();
    } else if (m_pollDue) {
        m_pollDue = false;
        tuningPoll();
    }
}

void CConfigurationDialog::runStep()
{
    m_ui->m_pTxEdit->setText(m_sequence.command());
    // A failed exchange has told the operator; the sequence ends there.
    if (!OnSendButton()) {
        m_sequence.stop();
        setExchangeButtonsEnabled(true);
        return;
    }
    const WifiAtSequence::Step step = m_sequence.reply(m_ui->m_pRxEdit->text());
    if (step == WifiAtSequence::Continue) {
        m_timer1.start(kStepMs);
        return;
    }
    setExchangeButtonsEnabled(true);
    if (step == WifiAtSequence::ProbeRejected) {
        message(QMessageBox::Critical, tr("Error"),
                tr("Connection status: ANOTHER CONNECTION IS ESTABLISHED"));
    } else if (step == WifiAtSequence::ProbeFailed) {
        message(QMessageBox::Critical, tr("Error"), tr("Connection status: USB ERROR"));
    } else if (m_sequence.state() == WifiAtSequence::ReadEnd) {
        const WifiAtSequence::ReadBack &r = m_sequence.readBack();
        message(QMessageBox::Information, tr("The data has been received successfully"),
                tr("The current WiFi Settings from the device:\n\nSSID: %1\n\nSecurity type and "
                   "Password: %2\n\nServer address: %3\n\nModule number: %4\n\nModule address: "
                   "%5\n\nFirmware version: %6")
                    .arg(r.ssid, r.security, r.serverAddress, r.moduleNumber, r.moduleAddress,
                         r.firmware));
    }
}

void CConfigurationDialog::OnApply2Button()
{
    const QString address = m_ui->m_pServerAddress2Edit->text();
    switch (EthernetBoard::check(address)) {
    case EthernetBoard::MissingAddress:
        message(QMessageBox::Warning, tr("Error"), tr("'Server address' field must be filled"));
        return;
    case EthernetBoard::BadAddress:
        message(QMessageBox::Warning, tr("Error"),
                tr("'Server address' must be four numbers from 0 to 255 separated by dots or "
                   "commas, for example 192.168.1.64"));
        return;
    case EthernetBoard::NoProblem:
        break;
    }
    if (!openLink()) {
        message(QMessageBox::Critical, tr("Error"), tr("Connection status: USB ERROR"));
        return;
    }
    Block answer{};
    const Block request =
        EthernetBoard::setRequest(m_ui->m_pModuleNumber2ComboBox->currentIndex(), address);
    if (!transact(request, answer))
        message(QMessageBox::Critical, tr("Error"), tr("Connection status: USB OK. DATA ERROR"));
    else
        showEthernetAnswer(EthernetBoard::setAnswer(answer));
    m_link.Close();
}

void CConfigurationDialog::OnRequest2Button()
{
    if (!openLink()) {
        message(QMessageBox::Critical, tr("Error"), tr("Connection status: USB ERROR"));
        return;
    }
    Block answer{};
    if (!transact(EthernetBoard::readRequest(), answer))
        message(QMessageBox::Critical, tr("Error"), tr("Connection status: USB OK. DATA ERROR"));
    else
        showEthernetAnswer(EthernetBoard::readAnswer(answer));
    m_link.Close();
}

void CConfigurationDialog::showEthernetAnswer(const EthernetBoard::Answer &a)
{
    switch (a.outcome) {
    case EthernetBoard::Sent:
        message(QMessageBox::Information, tr("Success"),
                tr("Connection status: DATA SENT SUCCESSFULLY"));
        break;
    case EthernetBoard::Received:
        message(QMessageBox::Information, tr("The data has been received successfully"),
                tr("Server address: %1.%2.%3.%4\n\n Module number: %5\n\n Firmware version: %6")
                    .arg(a.serverAddress[0])
                    .arg(a.serverAddress[1])
                    .arg(a.serverAddress[2])
                    .arg(a.serverAddress[3])
                    .arg(a.moduleNumber)
                    .arg(a.firmware));
        break;
    case EthernetBoard::WrongDevice:
        message(QMessageBox::Warning, tr("Error"), tr("Connection status: WRONG DEVICE"));
        break;
    case EthernetBoard::DataError:
        message(QMessageBox::Critical, tr("Error"), tr("Connection status: DATA ERROR"));
        break;
    }
}

void CConfigurationDialog::OnModuleAddressCheckBox()
{
    m_ui->m_pModuleAddressEdit->setEnabled(m_ui->m_pModuleAddressCheckBox->isChecked());
}

void CConfigurationDialog::OnTimer2()
{
    if (m_ui->m_pTabWidget->currentIndex() != TuningTab) {
        m_ui->m_pOkButton->setText(tr("OK"));
        return;
    }
    m_ui->m_pOkButton->setText(tr("OK - RESTART"));
    // The poll never takes the place of a pending step: it waits for the
    // sequence to end.
    if (m_link.isBusy() || m_sequence.isRunning())
        return;
    m_pollDue = true;
    m_timer1.start(kStepMs);
}

void CConfigurationDialog::OnOkButton()
{
    if (m_ui->m_pTabWidget->currentIndex() == TuningTab && m_link.isOpen())
        TuningState::instance().command = TuningState::CommandRestart;
    else
        accept();
}

QString CConfigurationDialog::StatusText(quint8 flags)
{
    if (flags & TuningState::FlagNoJammer)
        return tr("NO JAMMER!!! ");
    if (flags & TuningState::FlagBadSuppression)
        return tr("BAD SUPPRESSION!!!");
    if (flags & TuningState::FlagChanged)
        return tr("SUPPRESSION CHANGED!!!");
    if (flags & TuningState::FlagChanged2)
        return tr("SUPPRESSION CHANGED !!!");
    return tr("ALL RIGHT");
}

void CConfigurationDialog::readEditsIntoState()
{
    TuningState &state = TuningState::instance();
    state.suppressionFactor = m_ui->m_pSuppressionFactorEdit->text().toInt();
    state.maxQualityError = m_ui->m_pErrorSuppressionQualityEdit->text().toInt();
    state.maxAddQualityError = m_ui->m_pErrorAddQualityEdit->text().toInt();
}

void CConfigurationDialog::tuningPoll()
{
    TuningState &state = TuningState::instance();
    if (!openLink()) {
        m_ui->m_pLabelMessage->setText(tr("Connection status: USB ERROR"));
        return;
    }
    readEditsIntoState();
    TuningState::Controls controls;
    controls.averageFactor = m_ui->m_pAverageFactorComboBox->currentIndex();
    controls.led = m_ui->m_pLEDComboBox->currentIndex();
    controls.alarmSound = m_ui->m_pAlarmSoundCheck->isChecked();
    controls.offline = m_ui->m_pOfflineModeCheck->isChecked();
    Block block{};
    const bool ok = transact(state.request(controls), block);
    const bool restart = state.command == TuningState::CommandRestart;
    if (!ok) {
        m_ui->m_pLabelMessage->setText(tr("Connection status: Data error!"));
        m_link.Close();
        if (restart)
            accept();
        return;
    }
    if (restart)
        accept();
    const bool saved = state.takeAnswer(block);
    if (state.grabState == TuningState::Grabbed)
        m_ui->m_pLabelStatus->setText(tr("Status: Message 4 %1 %2 %3 %4")
                                          .arg(StatusText(state.flags))
                                          .arg(state.receivedQuality)
                                          .arg(state.receivedSurplus)
                                          .arg(state.receivedLack));
    if (saved) {
        m_ui->m_pLabelStatus->setText(tr("Status: Message 5"));
        message(QMessageBox::Information, tr("Information"),
                tr("The pattern and settings were saved into the device successfully."));
    }

    m_ui->m_pGraphLabel->update();
    m_ui->m_pLabelMessage->setText(tr("Connection status: Data received!"));
    m_ui->m_pSuppressionQualityLabel->setText(
        tr("Suppression quality = %1%").arg(state.shownQuality));
    m_ui->m_pPosAddQualityLabel->setText(tr("Surplus of quality = %1").arg(state.shownSurplus));
    m_ui->m_pNegAddQualityLabel->setText(tr("Lack of quality = %1").arg(state.shownLack));
}

void CConfigurationDialog::showEnabledSteps()
{
    const TuningSteps::Enabled &e = m_steps.enabled();
    m_ui->m_pGetBaseLevelButton->setEnabled(e.getBaseLevel);
    m_ui->m_pGetSuppressionButton->setEnabled(e.getSuppression);
    m_ui->m_pSavePatternButton->setEnabled(e.savePattern);
    for (QWidget *w : std::initializer_list<QWidget *>{
             m_ui->m_pSuppressionFactorEdit, m_ui->m_pErrorSuppressionQualityEdit,
             m_ui->m_pErrorAddQualityEdit, m_ui->m_pAverageFactorComboBox })
        w->setEnabled(e.parameters);
}

void CConfigurationDialog::OnResetBaseLevelButton()
{
    m_steps.resetBaseLevel();
    showEnabledSteps();
    m_ui->m_pLabelStatus->setText(tr("Status: Message 2"));
}

void CConfigurationDialog::OnGetBaseLevelButton()
{
    m_steps.getBaseLevel();
    showEnabledSteps();
    m_ui->m_pLabelStatus->setText(tr("Status: Message 3"));
}

void CConfigurationDialog::OnGetSuppressionButton()
{
    const TuningState::Grab grab = m_steps.getSuppression();
    if (grab == TuningState::GrabRefused) {
        message(QMessageBox::Critical, tr("Error"),
                tr("Suppression quality is less than 50%. The operation cannot be done."));
        return;
    }
    showEnabledSteps();
    m_ui->m_pLabelStatus->setText(tr("Status: Message 4"));
    if (grab == TuningState::GrabWithNotice)
        message(QMessageBox::Information, QCoreApplication::applicationName(),
                tr("Pay attention that the suppression quality is %1% and this is less than 95%")
                    .arg(TuningState::instance().shownQuality));
}

void CConfigurationDialog::OnSavePatternButton()
{
    m_steps.savePattern();
    showEnabledSteps();
}
