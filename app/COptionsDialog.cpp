#include "app/COptionsDialog.h"

#include "ui_COptionsDialog.h"

#include "eventlog/SyslogForwarder.h"
#include "net/Prompts.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QCoreApplication>
#include <QDir>

namespace {

const QString kEnglish = QStringLiteral("en_US");
const QString kRussian = QStringLiteral("ru_RU");

// Writes an option only when it differs: every write is announced, and each
// announcement repaints every module window.
void store(const QString &key, const QVariant &value)
{
    StationOptions &options = StationOptions::instance();
    const QVariant old = options.value(key);
    if (old.isValid() && old.metaType() == value.metaType() && old == value)
        return;
    options.setValue(key, value);
}

} // namespace

COptionsDialog::COptionsDialog(QWidget *parent, bool offersSyslog)
    : QDialog(parent)
    , m_offersSyslog(offersSyslog)
    , m_ui(std::make_unique<Ui::COptionsDialog>())
{
    m_ui->setupUi(this);

    using namespace SettingsKeys;
    const StationOptions &options = StationOptions::instance();
    m_ui->m_pLanguageCombo->setCurrentIndex(options.value(Language).toString() == kRussian ? 1 : 0);
    m_ui->m_pAudioAlarmCheck->setChecked(options.audioAlarm());
    const bool speaker = options.audioAlarmType() == 0;
    m_ui->m_pSpeakerRadio->setChecked(speaker);
    m_ui->m_pFileRadio->setChecked(!speaker);
    m_ui->m_pFileEdit->setText(options.alarmFile());
    m_ui->m_pBkgImageCheck->setChecked(options.backgroundImage());
    m_ui->m_pBkgFileEdit->setText(options.backgroundImageFile());
    m_ui->m_pAlarmCombo->setCurrentIndex(options.alarmCombo());
    m_ui->m_pLinkIndicationCheck->setChecked(options.linkIndication());
    m_ui->m_pSensCombo->setCurrentIndex(options.sensCombo());
    m_ui->m_pThresholdEdit->setText(options.option(ThresholdEdit).toString());

    m_ui->m_pSyslogGroup->setVisible(m_offersSyslog);
    if (m_offersSyslog)
        loadSyslog();

    connect(m_ui->m_pOkButton, &QPushButton::clicked, this, &COptionsDialog::OnOkButton);
    connect(m_ui->m_pCancelButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->m_pBrowseButton, &QPushButton::clicked, this, &COptionsDialog::OnBrowseButton);
    connect(m_ui->m_pBkgBrowseButton, &QPushButton::clicked, this,
            &COptionsDialog::OnBkgBrowseButton);
    connect(m_ui->m_pSyslogCaBrowseButton, &QPushButton::clicked, this,
            &COptionsDialog::OnSyslogCaBrowseButton);
    // The port follows the transport while it is the other transport's usual one.
    connect(m_ui->m_pSyslogTransportCombo, &QComboBox::currentIndexChanged, this, [this](int i) {
        QSpinBox *port = m_ui->m_pSyslogPortSpin;
        const bool tls = i == int(SyslogForwarder::Transport::Tls);
        if (tls && port->value() == SyslogForwarder::DefaultPort)
            port->setValue(SyslogForwarder::DefaultTlsPort);
        else if (!tls && port->value() == SyslogForwarder::DefaultTlsPort)
            port->setValue(SyslogForwarder::DefaultPort);
    });
    connect(&m_timer, &QTimer::timeout, this, &COptionsDialog::OnTimer);
    m_timer.start(1000);

    // The sensitivity of the signal localization stays as stored.
    m_ui->m_pThresholdEdit->hide();
    m_ui->m_pAudioAlarmCheck_2->hide();
}

COptionsDialog::~COptionsDialog() = default;

void COptionsDialog::OnOkButton()
{
    // The file is asked for even while the audio alarm is off: it is kept for
    // when the alarm is turned on.
    if (m_ui->m_pFileRadio->isChecked() && m_ui->m_pFileEdit->text().isEmpty()) {
        warn(tr("No media file was selected!"));
        return;
    }
    if (m_ui->m_pBkgImageCheck->isChecked() && m_ui->m_pBkgFileEdit->text().isEmpty()) {
        warn(tr("No image file was selected!"));
        return;
    }
    if (m_offersSyslog && m_ui->m_pSyslogGroup->isChecked()
        && m_ui->m_pSyslogHostEdit->text().trimmed().isEmpty()) {
        warn(tr("No syslog collector was given!"));
        return;
    }

    using namespace SettingsKeys;
    store(Language, m_ui->m_pLanguageCombo->currentIndex() == 1 ? kRussian : kEnglish);
    store(AudioAlarm, m_ui->m_pAudioAlarmCheck->isChecked());
    store(AudioAlarmType,
          m_ui->m_pFileRadio->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    store(AlarmFile, m_ui->m_pFileEdit->text());
    store(BackgroundImage, m_ui->m_pBkgImageCheck->isChecked());
    store(BackgroundImageFile, m_ui->m_pBkgFileEdit->text());
    store(AlarmCombo, m_ui->m_pAlarmCombo->currentIndex());
    store(LinkIndication, m_ui->m_pLinkIndicationCheck->isChecked());
    if (m_offersSyslog)
        storeSyslog();
    accept();
}

QString COptionsDialog::alarmBrowseFolder(const QString &alarmFile)
{
    return alarmFile.startsWith(QLatin1Char(':')) ? QDir::homePath() : alarmFile;
}

void COptionsDialog::OnBrowseButton()
{
    browse(m_ui->m_pFileEdit, tr("Select an audio file for alarm"),
           alarmBrowseFolder(m_ui->m_pFileEdit->text()), tr("Waveform audio files (*.wav)"));
}

void COptionsDialog::OnBkgBrowseButton()
{
    browse(m_ui->m_pBkgFileEdit, tr("Select an image file for background"),
           m_ui->m_pBkgFileEdit->text(), tr("Image files (*.jpg)"));
}

void COptionsDialog::OnSyslogCaBrowseButton()
{
    browse(m_ui->m_pSyslogCaFileEdit, tr("Select the CA certificate of the syslog collector"),
           m_ui->m_pSyslogCaFileEdit->text(), tr("PEM certificates (*.pem *.crt)"));
}

void COptionsDialog::browse(QLineEdit *edit, const QString &caption, const QString &dir,
                            const QString &filter)
{
    const QString name = Prompts::current().openFileName(this, caption, dir, filter);
    if (!name.isEmpty())
        edit->setText(name);
}

void COptionsDialog::loadSyslog()
{
    const SyslogForwarder::Config c = SyslogForwarder::configFrom(StationOptions::instance());
    m_ui->m_pSyslogGroup->setChecked(c.enabled);
    m_ui->m_pSyslogHostEdit->setText(c.host);
    // Before the port: choosing the transport may move the port.
    m_ui->m_pSyslogTransportCombo->setCurrentIndex(int(c.transport));
    if (c.port != 0)
        m_ui->m_pSyslogPortSpin->setValue(c.port);
    m_ui->m_pSyslogCaFileEdit->setText(c.caFile);
}

void COptionsDialog::storeSyslog()
{
    using namespace SettingsKeys;
    // The forwarder follows each change: the address before the switch.
    store(SyslogHost, m_ui->m_pSyslogHostEdit->text().trimmed());
    store(SyslogPort, m_ui->m_pSyslogPortSpin->value());
    store(SyslogTransport,
          SyslogForwarder::transportKey(
              SyslogForwarder::Transport(m_ui->m_pSyslogTransportCombo->currentIndex())));
    store(SyslogCaFile, m_ui->m_pSyslogCaFileEdit->text());
    store(SyslogEnabled, m_ui->m_pSyslogGroup->isChecked());
}

void COptionsDialog::OnTimer()
{
    // Written whatever button ends the dialog.
    store(SettingsKeys::SensCombo, m_ui->m_pSensCombo->currentIndex());
    store(SettingsKeys::ThresholdEdit, m_ui->m_pThresholdEdit->text());
}

void COptionsDialog::warn(const QString &text)
{
    Prompts::current().message(this, QMessageBox::Warning, QCoreApplication::applicationName(),
                               text);
}

void COptionsDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
