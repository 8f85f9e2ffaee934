#include "settings/CSettingsDialog.h"

#include "ui_CSettingsDialog.h"

#include "net/Acknowledgements.h"
#include "net/CMasterDevice.h"
#include "net/Prompts.h"
#include "net/StationGlobals.h"
#include "net/WireProtocol.h"
#include "settings/BypassFile.h"
#include "settings/CBypassDialog.h"
#include "settings/CXmlValueStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QMutexLocker>

using namespace SettingsBlock;

namespace {

constexpr int LevelOffset = Wire::LevelOffset;

// Decimal text as a number; text that is no number counts as 0.
int number(const QString &text)
{
    return text.trimmed().toInt();
}

} // namespace

CSettingsDialog::CSettingsDialog(unsigned char module, CMasterDevice *device, QWidget *parent)
    : QDialog(parent)
    , m_module(module)
    , m_device(device)
    , m_ui(std::make_unique<Ui::CSettingsDialog>())
    , m_records(*device)
{
    m_ui->setupUi(this);
    Ui::CSettingsDialog &u = *m_ui;
    // clang-format off
    m_bands = { {
        { u.m_pG900Check, u.m_pG900Slider, u.m_pG900Label, G900Enable, G900Threshold, true },
        { u.m_pG1800Check, u.m_pG1800Slider, u.m_pG1800Label, G1800Enable, G1800Threshold, true },
        { u.m_pJammer_GSM_Check, u.m_pJammer_GSM_Slider, u.m_pJammer_GSM_Label, JammerGsmEnable, JammerGsmThreshold, true },
        { u.m_pJammer_GPS_Check, u.m_pJammer_GPS_Slider, u.m_pJammer_GPS_Label, JammerGpsEnable, JammerGpsThreshold, true },
        { u.m_pWlan2_4_Check, u.m_pWlan2_4_Slider, u.m_pWlan2_4_Label, Wlan24Enable, Wlan24Threshold, true },
        { u.m_pBluetoothCheck, u.m_pBluetoothSlider, u.m_pBluetoothLabel, BluetoothEnable, BluetoothThreshold, true },
        { u.m_pTraffic2_4_Check, u.m_pTraffic2_4_Slider, u.m_pTraffic2_4_Label, Traffic24Enable, Traffic24Threshold, false },
        { u.m_pWlan5_Check, u.m_pWlan5_Slider, u.m_pWlan5_Label, Wlan5Enable, Wlan5Threshold, true },
        { u.m_pTraffic5_Check, u.m_pTraffic5_Slider, u.m_pTraffic5_Label, Traffic5Enable, Traffic5Threshold, false },
        { u.m_pCdma450Check, u.m_pCdma450Slider, u.m_pCdma450Label, Cdma450Enable, Cdma450Threshold, true },
        { u.m_p3GCheck, u.m_p3GSlider, u.m_p3GLabel, G3Enable, G3Threshold, true },
        { u.m_p3G_ADD_Check, u.m_p3G_ADD_Slider, u.m_p3G_ADD_Label, G3AddEnable, G3AddThreshold, true },
        { u.m_p4GCheck, u.m_p4GSlider, u.m_p4GLabel, G4Enable, G4Threshold, true },
        { u.m_pDectCheck, u.m_pDectSlider, u.m_pDectLabel, DectEnable, DectThreshold, true },
    } };
    m_forAll = { u.m_pForAllG900Check, u.m_pForAllG1800Check, u.m_pForAllJammer_GSM_Check,
                 u.m_pForAllJammer_GPS_Check, u.m_pForAllWlan2_4_Check, u.m_pForAllBluetoothCheck,
                 u.m_pForAllTraffic2_4_Check, u.m_pForAllWlan5_Check, u.m_pForAllTraffic5_Check,
                 u.m_pForAllCdma450Check, u.m_pForAll3GCheck, u.m_pForAll3G_ADD_Check,
                 u.m_pForAll4GCheck, u.m_pForAllDectCheck, u.m_pForAllScanCheck,
                 u.m_pForAllBypassScanAutoCheck, u.m_pForAllBypassScanPattern1Check,
                 u.m_pForAllBypassScanPattern2Check, u.m_pForAllBypassScanManualCheck,
                 u.m_pForAllIdentOff_Check, u.m_pForAllDeviceIndicationCheck, nullptr };
    // clang-format on

    connect(u.m_pG900Slider, &QSlider::valueChanged, this, &CSettingsDialog::OnG900ValueChanged);
    connect(u.m_pG1800Slider, &QSlider::valueChanged, this, &CSettingsDialog::OnG1800ValueChanged);
    connect(u.m_pJammer_GSM_Slider, &QSlider::valueChanged, this,
            &CSettingsDialog::OnJammer_GSM_ValueChanged);
    connect(u.m_pJammer_GPS_Slider, &QSlider::valueChanged, this,
            &CSettingsDialog::OnJammer_GPS_ValueChanged);
    connect(u.m_pWlan2_4_Slider, &QSlider::valueChanged, this,
            &CSettingsDialog::OnWlan2_4_ValueChanged);
    connect(u.m_pBluetoothSlider, &QSlider::valueChanged, this,
            &CSettingsDialog::OnBluetoothValueChanged);
    connect(u.m_pTraffic2_4_Slider, &QSlider::valueChanged, this,
            &CSettingsDialog::OnTraffic2_4_ValueChanged);
    connect(u.m_pWlan5_Slider, &QSlider::valueChanged, this,
            &CSettingsDialog::OnWlan5_ValueChanged);
    connect(u.m_pTraffic5_Slider, &QSlider::valueChanged, this,
            &CSettingsDialog::OnTraffic5_ValueChanged);
    connect(u.m_pCdma450Slider, &QSlider::valueChanged, this,
            &CSettingsDialog::OnCdma450ValueChanged);
    connect(u.m_p3GSlider, &QSlider::valueChanged, this, &CSettingsDialog::On3GValueChanged);
    connect(u.m_p3G_ADD_Slider, &QSlider::valueChanged, this,
            &CSettingsDialog::On3G_ADD_ValueChanged);
    connect(u.m_p4GSlider, &QSlider::valueChanged, this, &CSettingsDialog::On4GValueChanged);
    connect(u.m_pDectSlider, &QSlider::valueChanged, this, &CSettingsDialog::OnDectValueChanged);
    connect(u.m_pScanSlider, &QSlider::valueChanged, this, &CSettingsDialog::OnScanValueChanged);
    connect(u.m_pScanBeginRangeSlider, &QSlider::valueChanged, this,
            &CSettingsDialog::OnScanBeginRangeValueChanged);
    connect(u.m_pScanEndRangeSlider, &QSlider::valueChanged, this,
            &CSettingsDialog::OnScanEndRangeValueChanged);
    connect(u.m_pScanBandSlider, &QSlider::valueChanged, this,
            &CSettingsDialog::OnScanBandValueChanged);

    connect(u.m_pCellularGroupCheck, &QGroupBox::clicked, this,
            &CSettingsDialog::OnCellularGroupCheck);
    connect(u.m_p2400GroupCheck, &QGroupBox::clicked, this, &CSettingsDialog::On2400GroupCheck);
    connect(u.m_pJammerGroupCheck, &QGroupBox::clicked, this, &CSettingsDialog::OnJammerGroupCheck);
    connect(u.m_pScanCheck, &QCheckBox::clicked, this, &CSettingsDialog::OnScanCheck);
    connect(u.m_pScanAutoPauseCheck, &QCheckBox::clicked, this,
            &CSettingsDialog::OnScanAutoPauseCheck);
    connect(u.m_pScanManualPauseCheck, &QCheckBox::clicked, this,
            &CSettingsDialog::OnScanManualPauseCheck);
    connect(u.m_pManualPauseFreqEdit, &QLineEdit::editingFinished, this,
            &CSettingsDialog::OnManualPauseFreqEdited);
    connect(u.m_pForAllGlobalCheck, &QCheckBox::clicked, this,
            &CSettingsDialog::OnForAllGlobalCheck);
    connect(u.m_pOkButton, &QPushButton::clicked, this, &CSettingsDialog::OnOkButton);
    connect(u.m_pCancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(u.m_pDefaultsButton, &QPushButton::clicked, this, &CSettingsDialog::OnDefaultsButton);
    connect(u.m_pGetBypassButton, &QPushButton::clicked, this, &CSettingsDialog::OnGetBypassButton);
    connect(u.m_pEraseBypassButton, &QPushButton::clicked, this,
            &CSettingsDialog::OnEraseBypassButton);
    connect(u.m_pSaveMenuEepromButton, &QPushButton::clicked, this,
            &CSettingsDialog::OnSaveMenuEepromButton);
    connect(u.m_pSetBypassManualButton, &QPushButton::clicked, this,
            &CSettingsDialog::OnSetBypassManualButton);
    connect(u.m_pLoadBypassButton, &QPushButton::clicked, this,
            &CSettingsDialog::OnLoadBypassButton);
    connect(u.m_pBypassScanPattern1Radio, &QRadioButton::clicked, this,
            &CSettingsDialog::OnBypassScanPattern1Radio);
    connect(u.m_pBypassScanPattern2Radio, &QRadioButton::clicked, this,
            &CSettingsDialog::OnBypassScanPattern2Radio);
    connect(u.m_pBypassScanManualRadio, &QRadioButton::clicked, this,
            &CSettingsDialog::OnBypassScanManualRadio);
    connect(&m_timer, &QTimer::timeout, this, &CSettingsDialog::OnTimer);

    LoadControls();
    m_records.rememberAll();

    OnG900ValueChanged(u.m_pG900Slider->value());
    OnG1800ValueChanged(u.m_pG1800Slider->value());
    OnJammer_GSM_ValueChanged(u.m_pJammer_GSM_Slider->value());
    OnJammer_GPS_ValueChanged(u.m_pJammer_GPS_Slider->value());
    OnWlan2_4_ValueChanged(u.m_pWlan2_4_Slider->value());
    OnBluetoothValueChanged(u.m_pBluetoothSlider->value());
    OnTraffic2_4_ValueChanged(u.m_pTraffic2_4_Slider->value());
    OnWlan5_ValueChanged(u.m_pWlan5_Slider->value());
    OnTraffic5_ValueChanged(u.m_pTraffic5_Slider->value());
    OnCdma450ValueChanged(u.m_pCdma450Slider->value());
    On3GValueChanged(u.m_p3GSlider->value());
    On3G_ADD_ValueChanged(u.m_p3G_ADD_Slider->value());
    On4GValueChanged(u.m_p4GSlider->value());
    OnDectValueChanged(u.m_pDectSlider->value());
    OnScanValueChanged(u.m_pScanSlider->value());
    OnScanBeginRangeValueChanged(u.m_pScanBeginRangeSlider->value());
    OnScanEndRangeValueChanged(u.m_pScanEndRangeSlider->value());
    OnScanBandValueChanged(u.m_pScanBandSlider->value());

    m_timer.start(ApplyIntervalMs);

    u.m_pBypassScanManualRadio->hide();
    u.m_pSaveMenuEepromButton->hide();
    u.m_pNumberFreqMatchingEdit->hide();
}

CSettingsDialog::~CSettingsDialog()
{
    m_timer.stop();
}

// Value labels ------------------------------------------------------------------------------

void CSettingsDialog::showValue(QLabel *label, int value, const QString &unit)
{
    label->setText(QStringLiteral("%1 %2").arg(value, 2, 10, QLatin1Char('0')).arg(unit));
}

void CSettingsDialog::OnG900ValueChanged(int nValue)
{
    showValue(m_ui->m_pG900Label, nValue, tr("dBm"));
}
void CSettingsDialog::OnG1800ValueChanged(int nValue)
{
    showValue(m_ui->m_pG1800Label, nValue, tr("dBm"));
}
void CSettingsDialog::OnJammer_GSM_ValueChanged(int nValue)
{
    showValue(m_ui->m_pJammer_GSM_Label, nValue, tr("dBm"));
}
void CSettingsDialog::OnJammer_GPS_ValueChanged(int nValue)
{
    showValue(m_ui->m_pJammer_GPS_Label, nValue, tr("dBm"));
}
void CSettingsDialog::OnWlan2_4_ValueChanged(int nValue)
{
    showValue(m_ui->m_pWlan2_4_Label, nValue, tr("dBm"));
}
void CSettingsDialog::OnBluetoothValueChanged(int nValue)
{
    showValue(m_ui->m_pBluetoothLabel, nValue, tr("dBm"));
}
void CSettingsDialog::OnTraffic2_4_ValueChanged(int nValue)
{
    showValue(m_ui->m_pTraffic2_4_Label, nValue, tr("%"));
}
void CSettingsDialog::OnWlan5_ValueChanged(int nValue)
{
    showValue(m_ui->m_pWlan5_Label, nValue, tr("dBm"));
}
void CSettingsDialog::OnTraffic5_ValueChanged(int nValue)
{
    showValue(m_ui->m_pTraffic5_Label, nValue, tr("%"));
}
void CSettingsDialog::OnCdma450ValueChanged(int nValue)
{
    showValue(m_ui->m_pCdma450Label, nValue, tr("dBm"));
}
void CSettingsDialog::On3GValueChanged(int nValue)
{
    showValue(m_ui->m_p3GLabel, nValue, tr("dBm"));
}
void CSettingsDialog::On3G_ADD_ValueChanged(int nValue)
{
    showValue(m_ui->m_p3G_ADD_Label, nValue, tr("dBm"));
}
void CSettingsDialog::On4GValueChanged(int nValue)
{
    showValue(m_ui->m_p4GLabel, nValue, tr("dBm"));
}
void CSettingsDialog::OnDectValueChanged(int nValue)
{
    showValue(m_ui->m_pDectLabel, nValue, tr("dBm"));
}
void CSettingsDialog::OnScanValueChanged(int nValue)
{
    showValue(m_ui->m_pScanLabel, nValue, tr("dB"));
}
void CSettingsDialog::OnScanBeginRangeValueChanged(int nValue)
{
    showValue(m_ui->m_pScanBeginRangeLabel, nValue, tr("MHz"));
}
void CSettingsDialog::OnScanEndRangeValueChanged(int nValue)
{
    showValue(m_ui->m_pScanEndRangeLabel, nValue, tr("MHz"));
}
void CSettingsDialog::OnScanBandValueChanged(int nValue)
{
    showValue(m_ui->m_pScanBandLabel, nValue, tr("MHz"));
}

// Record -> controls ------------------------------------------------------------------------

void CSettingsDialog::LoadControls()
{
    ModuleRecord &r = m_device->record(m_module);
    const Block &b = r.settings;
    Ui::CSettingsDialog &u = *m_ui;
    for (const Band &band : m_bands) {
        const int byte = b[band.thresholdByte];
        band.slider->setValue(band.dBm ? byte - LevelOffset : byte);
        band.enable->setChecked(b[band.enableByte] != 0);
    }
    u.m_pScanSlider->setValue(b[ScanSquelch]);
    u.m_pScanBeginRangeSlider->setValue(b[ScanBegin] * ScanUnitMHz);
    u.m_pScanEndRangeSlider->setValue(b[ScanEnd] * ScanUnitMHz);
    // The step byte is shown as it is, in MHz: the factory 20 stays 20.
    u.m_pScanBandSlider->setValue(b[ScanStep]);

    u.m_pScanCheck->setChecked(b[ScanEnable] != 0);
    u.m_pBypassScanAutoCheck->setChecked(b[BypassScanAuto] != 0);
    u.m_pBypassScanManualCheck->setChecked(b[BypassScanManual] != 0);
    u.m_pIdentOff_Check->setChecked(b[IdentOff] != 0);
    u.m_pBypassScanPattern1Check->setChecked(b[BypassScanPattern1] != 0);
    u.m_pBypassScanPattern2Check->setChecked(b[BypassScanPattern2] != 0);
    u.m_pAlarmSoundCheck->setChecked(b[AlarmSound] != 0);
    u.m_pOfflineModeCheck->setChecked(b[OfflineMode] != 0);
    u.m_pNumberFreqMatchingEdit->setText(QString::number(b[FreqMatches]));

    u.m_pLEDComboBox->setCurrentIndex(2 * (b[LedHigh] != 0) + (b[LedLow] != 0));
    u.m_pSaveMenuEepromButton->setText(b[OfflineMode] ? tr("Disable offline mode")
                                                      : tr("Enable offline mode"));
    u.m_pScanManualPauseCheck->setChecked(r.manualPause);
    u.m_pScanAutoPauseCheck->setChecked(r.autoPause);

    u.m_pBypassScanPattern1Radio->setChecked(true);
    u.m_pBypassScanPattern2Radio->setChecked(false);
    u.m_pBypassScanManualRadio->setChecked(false);

    updateGroupChecks();

    u.m_pManualPauseFreqEdit->setText(r.manualPauseFreq == 0 ? QString()
                                                             : QString::number(r.manualPauseFreq));
    u.m_pLpfComboBox->setCurrentIndex(r.lpfSelection);

    r.settings[UploadIndex] = 0;
    r.settings[UploadCount] = 0;
}

void CSettingsDialog::updateGroupChecks()
{
    using G = ModuleRecords::Group;
    const std::pair<G, QGroupBox *> frames[] = { { G::Cellular, m_ui->m_pCellularGroupCheck },
                                                 { G::Band2400, m_ui->m_p2400GroupCheck },
                                                 { G::Jammers, m_ui->m_pJammerGroupCheck } };
    for (const auto &[group, frame] : frames) {
        const QList<int> members = ModuleRecords::groupEnables(group);
        bool any = false;
        for (const Band &band : m_bands)
            any = any || (members.contains(band.enableByte) && band.enable->isChecked());
        frame->setChecked(any);
    }
}

// Apply cycle -------------------------------------------------------------------------------

void CSettingsDialog::OnTimer()
{
    Ui::CSettingsDialog &u = *m_ui;
    ModuleRecord &r = m_device->record(m_module);
    Block &b = r.settings;
    {
        QMutexLocker lock(&StationGlobals::settingsMutex());
        m_records.rememberAll();
        b[Marker] = MarkerValue;
        for (const Band &band : m_bands) {
            const int value = band.slider->value();
            b[band.thresholdByte] = quint8(band.dBm ? value + LevelOffset : value);
            b[band.enableByte] = band.enable->isChecked() ? 1 : 0;
        }
        b[ScanSquelch] = quint8(u.m_pScanSlider->value());
        b[ScanBegin] = quint8(u.m_pScanBeginRangeSlider->value() / ScanUnitMHz);
        b[ScanEnd] = quint8(u.m_pScanEndRangeSlider->value() / ScanUnitMHz);
        b[ScanStep] = quint8(u.m_pScanBandSlider->value());
        b[ScanEnable] = u.m_pScanCheck->isChecked() ? 1 : 0;
        b[FreqMatches] = quint8(number(u.m_pNumberFreqMatchingEdit->text()));
        b[BypassScanAuto] = u.m_pBypassScanAutoCheck->isChecked() ? 1 : 0;
        b[BypassScanManual] = u.m_pBypassScanManualCheck->isChecked() ? 1 : 0;
        b[IdentOff] = u.m_pIdentOff_Check->isChecked() ? 1 : 0;
        b[BypassScanPattern1] = u.m_pBypassScanPattern1Check->isChecked() ? 1 : 0;
        b[BypassScanPattern2] = u.m_pBypassScanPattern2Check->isChecked() ? 1 : 0;
        b[AlarmSound] = u.m_pAlarmSoundCheck->isChecked() ? 1 : 0;
        const int led = u.m_pLEDComboBox->currentIndex();
        b[LedHigh] = led >= 2 ? 1 : 0;
        b[LedLow] = (led == 1 || led == 3) ? 1 : 0;
        b[OfflineMode] = u.m_pOfflineModeCheck->isChecked() ? 1 : 0;

        // Checked as typed, as "Set" checks: a frequency out of range (or one
        // beyond 16 bits) is not taken; the box comes when the edit ends.
        const int pauseFreq = number(u.m_pManualPauseFreqEdit->text());
        if (pauseFreq == 0 || isModuleFrequency(pauseFreq))
            r.manualPauseFreq = pauseFreq;
        r.lpfSelection = u.m_pLpfComboBox->currentIndex();
        r.manualPause = u.m_pScanManualPauseCheck->isChecked();
        r.autoPause = u.m_pScanAutoPauseCheck->isChecked();

        if (r.autoPause && r.scanFrequency >= MinFrequencyMHz
            && r.scanFrequency <= MaxFrequencyMHz) {
            r.manualPauseFreq = r.scanFrequency;
            u.m_pManualPauseFreqEdit->setText(QString::number(r.scanFrequency));
        }

        for (int row = 0; row < ModuleRecords::ForAllRows; ++row)
            if (!m_forAll[row] || m_forAll[row]->isChecked())
                m_records.copyToAll(m_module, ModuleRecords::ForAll(row));

        if (ModuleRecords::keepOneDetection(b))
            u.m_pG900Check->setChecked(true);

        m_records.saveChanged();
    }

    setWindowTitle(tr("Settings of the module #%1").arg(m_module));
    u.m_pProgressBar->setValue(b[UploadCount] != 0 ? (b[UploadIndex] + 1) * 100 / b[UploadCount]
                                                   : 0);
    if (b[UploadCount] == 0 && b[UploadIndex] != 0) {
        b[UploadIndex] = 0;
        Prompts::current().message(this, QMessageBox::Information, tr("Success"),
                                   tr("The operation completed successfully"));
    }
}

void CSettingsDialog::ApplyForAll(int mode, int first, int second)
{
    m_records.copyToAll(m_module, mode, first, second);
    m_records.saveChanged();
}

// Interlocks --------------------------------------------------------------------------------

void CSettingsDialog::setGroup(ModuleRecords::Group group, bool on)
{
    const QList<int> members = ModuleRecords::groupEnables(group);
    for (const Band &band : m_bands)
        if (members.contains(band.enableByte))
            band.enable->setChecked(on);
}

void CSettingsDialog::OnCellularGroupCheck()
{
    setGroup(ModuleRecords::Group::Cellular, m_ui->m_pCellularGroupCheck->isChecked());
}

void CSettingsDialog::On2400GroupCheck()
{
    setGroup(ModuleRecords::Group::Band2400, m_ui->m_p2400GroupCheck->isChecked());
}

void CSettingsDialog::OnJammerGroupCheck()
{
    setGroup(ModuleRecords::Group::Jammers, m_ui->m_pJammerGroupCheck->isChecked());
}

ModuleRecords::PauseChecks CSettingsDialog::pauseChecks() const
{
    return { m_ui->m_pScanCheck->isChecked(), m_ui->m_pScanAutoPauseCheck->isChecked(),
             m_ui->m_pScanManualPauseCheck->isChecked() };
}

void CSettingsDialog::setPauseChecks(const ModuleRecords::PauseChecks &checks)
{
    m_ui->m_pScanCheck->setChecked(checks.scan);
    m_ui->m_pScanAutoPauseCheck->setChecked(checks.autoPause);
    m_ui->m_pScanManualPauseCheck->setChecked(checks.manualPause);
}

void CSettingsDialog::clickPause(ModuleRecords::PauseClick clicked)
{
    ModuleRecords::PauseChecks checks = pauseChecks();
    const bool taken =
        ModuleRecords::click(checks, clicked, m_device->record(m_module).manualPauseFreq);
    setPauseChecks(checks);
    if (!taken)
        showPauseRangeError();
}

void CSettingsDialog::OnScanCheck()
{
    clickPause(ModuleRecords::PauseClick::Scan);
}

void CSettingsDialog::OnScanAutoPauseCheck()
{
    clickPause(ModuleRecords::PauseClick::AutoPause);
}

void CSettingsDialog::OnScanManualPauseCheck()
{
    clickPause(ModuleRecords::PauseClick::ManualPause);
}

void CSettingsDialog::OnManualPauseFreqEdited()
{
    // An empty field (no pause frequency) is fine; anything else out of range
    // is refused and the field shows again what the record holds.
    const int typed = number(m_ui->m_pManualPauseFreqEdit->text());
    if (typed == 0 || isModuleFrequency(typed))
        return;
    const qint32 kept = m_device->record(m_module).manualPauseFreq;
    m_ui->m_pManualPauseFreqEdit->setText(kept == 0 ? QString() : QString::number(kept));
    showPauseRangeError();
}

void CSettingsDialog::showPauseRangeError()
{
    Prompts::current().message(this, QMessageBox::Critical, tr("Error"),
                               tr("The value in the field 'Freq' must be in range %1 - %2 MHz")
                                   .arg(MinFrequencyMHz)
                                   .arg(MaxFrequencyMHz));
}

void CSettingsDialog::OnForAllGlobalCheck()
{
    const bool on = m_ui->m_pForAllGlobalCheck->isChecked();
    for (int row = 0; row < ModuleRecords::ForAllRows; ++row)
        if (ModuleRecords::followsGlobal(ModuleRecords::ForAll(row)))
            m_forAll[row]->setChecked(on);
}

void CSettingsDialog::OnBypassScanPattern1Radio()
{
    m_ui->m_pBypassScanPattern1Radio->setChecked(true);
    m_ui->m_pBypassScanPattern2Radio->setChecked(false);
    m_ui->m_pBypassScanManualRadio->setChecked(false);
}

void CSettingsDialog::OnBypassScanPattern2Radio()
{
    m_ui->m_pBypassScanPattern1Radio->setChecked(false);
    m_ui->m_pBypassScanPattern2Radio->setChecked(true);
    m_ui->m_pBypassScanManualRadio->setChecked(false);
}

void CSettingsDialog::OnBypassScanManualRadio()
{
    m_ui->m_pBypassScanPattern1Radio->setChecked(false);
    m_ui->m_pBypassScanPattern2Radio->setChecked(false);
    m_ui->m_pBypassScanManualRadio->setChecked(true);
}

// Buttons -----------------------------------------------------------------------------------

void CSettingsDialog::OnOkButton()
{
    OnTimer();
    accept();
}

void CSettingsDialog::OnDefaultsButton()
{
    if (!Prompts::current().question(this, QCoreApplication::applicationName(),
                                     tr("Do you want to reset all settings to defaults?")))
        return;
    m_records.rememberAll();
    m_device->SetDefaultSettings(m_module);
    LoadControls();
    if (m_ui->m_pForAllSetDefaultCheck->isChecked())
        m_records.defaultsForAll();
}

void CSettingsDialog::OnEraseBypassButton()
{
    if (!Prompts::current().question(this, QCoreApplication::applicationName(),
                                     tr("Do you want to erase all manual bypass frequencies?")))
        return;
    m_device->record(m_module).settings[Command] = CommandEraseManualBypass;
    if (m_ui->m_pForAllSetDefaultCheck->isChecked())
        ApplyForAll(2, Command, 1);
}

void CSettingsDialog::OnGetBypassButton()
{
    ModuleRecords::requestBypassMap(m_device->record(m_module));
    execBypassDialog(ModuleRecords::bypassFlags({ m_ui->m_pBypassScanAutoCheck->isChecked(),
                                                  m_ui->m_pBypassScanPattern1Check->isChecked(),
                                                  m_ui->m_pBypassScanPattern2Check->isChecked(),
                                                  m_ui->m_pBypassScanManualCheck->isChecked() }));
    ModuleRecords::endBypassMapRequest(m_device->record(m_module));
}

void CSettingsDialog::OnSetBypassManualButton()
{
    const auto range = ModuleRecords::manualBypassRange(number(m_ui->m_pFreq1Edit->text()),
                                                        number(m_ui->m_pFreq2Edit->text()));
    if (!range) {
        Prompts::current().message(this, QMessageBox::Warning, tr("Error"), tr("Wrong frequency!"));
        return;
    }
    ModuleRecords::writeManualBypass(m_device->record(m_module), range->first, range->second);
    if (m_ui->m_pForAllSetBypassManualCheck->isChecked()) {
        ApplyForAll(2, BypassBeginHi, 5);
        Acknowledgements::expect(StationGlobals::correctModules);
    } else {
        Acknowledgements::expect(1);
    }
}

void CSettingsDialog::OnLoadBypassButton()
{
    CXmlValueStore &store = CXmlValueStore::instance();
    const QString folder = store.Folder(CXmlValueStore::bypassPathKey());
    const QString name = Prompts::current().openFileName(this, tr("Load Bypass"), folder,
                                                         tr("Bypass files (*.xml)"));
    if (name.isEmpty())
        return;
    store.RememberFolderOf(CXmlValueStore::bypassPathKey(), name);

    // A file that is not taken uploads nothing and says why.
    const BypassFile::Content file = BypassFile::load(name);
    QString why;
    switch (file.status) {
    case BypassFile::Status::Ok:
        break;
    case BypassFile::Status::CannotOpen:
        why = tr("Cannot open the file %1:\n%2");
        break;
    case BypassFile::Status::NotXml:
        why = tr("The file %1 is no bypass file:\n%2");
        break;
    case BypassFile::Status::Empty:
        why = tr("The file %1 holds no bypass frequencies.");
        break;
    case BypassFile::Status::BadEntry:
        why = tr("The file %1 was not loaded: entry %2 has no valid frequency.");
        break;
    case BypassFile::Status::TooLarge:
        why = tr("The file %1 is too large for a bypass file:\n%2");
        break;
    }
    if (file.status != BypassFile::Status::Ok) {
        const QString path = QDir::toNativeSeparators(name);
        Prompts::current().message(
            this, QMessageBox::Critical, tr("Error"),
            file.status == BypassFile::Status::BadEntry
                ? why.arg(path).arg(file.badEntry + 1)
                : (why.contains(QLatin1String("%2")) ? why.arg(path, file.detail) : why.arg(path)));
        return;
    }

    m_device->bypassBeginList = file.begins;
    m_device->bypassEndList = file.ends;
    if (m_ui->m_pBypassScanPattern2Radio->isChecked())
        m_device->bypassKind = Wire::BypassMarkPattern2;
    else if (m_ui->m_pBypassScanManualRadio->isChecked())
        m_device->bypassKind = Wire::BypassMarkManual;
    else
        m_device->bypassKind = Wire::BypassMarkPattern1;
    Block &b = m_device->record(m_module).settings;
    b[UploadIndex] = 0;
    b[UploadCount] = quint8(file.begins.size());
    if (m_ui->m_pForAllSetBypassManualCheck->isChecked())
        ApplyForAll(2, UploadIndex, 2);
    Prompts::current().message(
        this, QMessageBox::Information, QCoreApplication::applicationName(),
        tr("This operation takes few seconds depend on the size of the frequency list"));
}

void CSettingsDialog::OnSaveMenuEepromButton()
{
    Prompts::current().message(
        this, QMessageBox::Information, tr("Information"),
        tr("This action will be applied after restart of the remote device."));
    if (m_ui->m_pForAllDeviceIndicationCheck->isChecked())
        Prompts::current().message(
            this, QMessageBox::Warning, tr("Warning"),
            tr("Pay attention this action will be applied for ALL of the remote devices "
               "in the network."));
}

// Seams -------------------------------------------------------------------------------------

void CSettingsDialog::execBypassDialog(unsigned char flags)
{
    CBypassDialog dialog(m_module, m_device, flags, nullptr);
    dialog.exec();
}

void CSettingsDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
