#include "app/COptionsDialog.h"

#include "ui_COptionsDialog.h"

#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

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

COptionsDialog::COptionsDialog(QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::COptionsDialog>())
{
    m_ui->setupUi(this);

    using namespace SettingsKeys;
    const StationOptions &options = StationOptions::instance();
    m_ui->m_pLanguageCombo->setCurrentIndex(options.value(Language).toString() == kRussian ? 1 : 0);
    m_ui->m_pAudioAlarmCheck->setChecked(options.value(AudioAlarm, false).toBool());
    const bool speaker = options.value(AudioAlarmType, 0).toInt() == 0;
    m_ui->m_pSpeakerRadio->setChecked(speaker);
    m_ui->m_pFileRadio->setChecked(!speaker);
    m_ui->m_pFileEdit->setText(options.value(AlarmFile).toString());
    m_ui->m_pBkgImageCheck->setChecked(options.value(BackgroundImage, false).toBool());
    m_ui->m_pBkgFileEdit->setText(options.value(BackgroundImageFile).toString());
    m_ui->m_pAlarmCombo->setCurrentIndex(options.value(AlarmCombo, 0).toInt());
    m_ui->m_pLinkIndicationCheck->setChecked(options.value(LinkIndication, false).toBool());
    m_ui->m_pSensCombo->setCurrentIndex(options.value(SensCombo, 0).toInt());
    m_ui->m_pThresholdEdit->setText(options.value(ThresholdEdit).toString());

    connect(m_ui->m_pOkButton, &QPushButton::clicked, this, &COptionsDialog::OnOkButton);
    connect(m_ui->m_pCancelButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->m_pBrowseButton, &QPushButton::clicked, this, &COptionsDialog::OnBrowseButton);
    connect(m_ui->m_pBkgBrowseButton, &QPushButton::clicked, this,
            &COptionsDialog::OnBkgBrowseButton);
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
        showWarning(tr("No media file was selected!"));
        return;
    }
    if (m_ui->m_pBkgImageCheck->isChecked() && m_ui->m_pBkgFileEdit->text().isEmpty()) {
        showWarning(tr("No image file was selected!"));
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
    accept();
}

void COptionsDialog::OnBrowseButton()
{
    const QString name =
        askOpenFileName(tr("Select an audio file for alarm"), m_ui->m_pFileEdit->text(),
                        tr("Waveform audio files (*.wav)"));
    if (!name.isEmpty())
        m_ui->m_pFileEdit->setText(name);
}

void COptionsDialog::OnBkgBrowseButton()
{
    const QString name = askOpenFileName(tr("Select an image file for background"),
                                         m_ui->m_pBkgFileEdit->text(), tr("Image files (*.jpg)"));
    if (!name.isEmpty())
        m_ui->m_pBkgFileEdit->setText(name);
}

void COptionsDialog::OnTimer()
{
    // Written whatever button ends the dialog.
    store(SettingsKeys::SensCombo, m_ui->m_pSensCombo->currentIndex());
    store(SettingsKeys::ThresholdEdit, m_ui->m_pThresholdEdit->text());
}

void COptionsDialog::showWarning(const QString &text)
{
    QMessageBox::warning(this, QCoreApplication::applicationName(), text, QMessageBox::Ok);
}

QString COptionsDialog::askOpenFileName(const QString &caption, const QString &dir,
                                        const QString &filter)
{
    return QFileDialog::getOpenFileName(this, caption, dir, filter);
}

void COptionsDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
