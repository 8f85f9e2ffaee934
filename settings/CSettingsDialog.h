#pragma once
// "Settings of the module #N": edits one module's settings block in place,
// writing every control into the record once a second (so edits reach the
// module with its next replies), copies the groups marked "For all" to every
// module, and starts the bypass actions (get, set, erase, load).

#include "net/ModuleRecords.h"

#include <QDialog>
#include <QTimer>

#include <array>
#include <memory>

namespace Ui {
class CSettingsDialog;
}
class CMasterDevice;
class QCheckBox;
class QLabel;
class QSlider;

class CSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int ApplyIntervalMs = 1000;

    CSettingsDialog(unsigned char module, CMasterDevice *device, QWidget *parent = nullptr);
    ~CSettingsDialog() override;

public slots:
    void OnG900ValueChanged(int nValue);
    void OnG1800ValueChanged(int nValue);
    void OnJammer_GSM_ValueChanged(int nValue);
    void OnJammer_GPS_ValueChanged(int nValue);
    void OnWlan2_4_ValueChanged(int nValue);
    void OnBluetoothValueChanged(int nValue);
    void OnTraffic2_4_ValueChanged(int nValue);
    void OnWlan5_ValueChanged(int nValue);
    void OnTraffic5_ValueChanged(int nValue);
    void OnCdma450ValueChanged(int nValue);
    void On3GValueChanged(int nValue);
    void On3G_ADD_ValueChanged(int nValue);
    void On4GValueChanged(int nValue);
    void OnDectValueChanged(int nValue);
    void OnScanValueChanged(int nValue);
    void OnScanBeginRangeValueChanged(int nValue);
    void OnScanEndRangeValueChanged(int nValue);
    void OnScanBandValueChanged(int nValue);
    void OnCellularGroupCheck();
    void On2400GroupCheck();
    void OnJammerGroupCheck();
    void OnScanCheck();
    void OnScanAutoPauseCheck();
    void OnScanManualPauseCheck();
    void OnManualPauseFreqEdited();
    void OnForAllGlobalCheck();
    void OnOkButton();
    void OnDefaultsButton();
    void OnGetBypassButton();
    void OnEraseBypassButton();
    void OnSaveMenuEepromButton();
    void OnSetBypassManualButton();
    void OnLoadBypassButton();
    void OnBypassScanPattern1Radio();
    void OnBypassScanPattern2Radio();
    void OnBypassScanManualRadio();
    void OnTimer();

protected:
    // Runs the bypass list for this module with the marks to show; a seam,
    // so that the dialog can be driven headless.
    virtual void execBypassDialog(unsigned char flags);

    void changeEvent(QEvent *event) override;

private:
    // One band row: enable check, threshold slider, value label; its "For all"
    // check is that of the row with the same index.
    struct Band
    {
        QCheckBox *enable;
        QSlider *slider;
        QLabel *label;
        int enableByte;
        int thresholdByte;
        bool dBm; // threshold byte = dBm + 102; otherwise percent
    };

    void LoadControls();
    // Copies to every record (modes as ModuleRecords::copyToAll) and saves
    // the records that changed.
    void ApplyForAll(int mode, int first, int second);
    void showValue(QLabel *label, int value, const QString &unit);
    void setGroup(ModuleRecords::Group group, bool on);
    void updateGroupChecks();
    ModuleRecords::PauseChecks pauseChecks() const;
    void setPauseChecks(const ModuleRecords::PauseChecks &checks);
    void clickPause(ModuleRecords::PauseClick clicked);
    void showPauseRangeError();

    unsigned char m_module;
    CMasterDevice *m_device;
    QTimer m_timer;
    std::unique_ptr<Ui::CSettingsDialog> m_ui;
    std::array<Band, 14> m_bands;
    // By ModuleRecords::ForAll; none for the row that is always copied.
    std::array<QCheckBox *, ModuleRecords::ForAllRows> m_forAll{};
    // Knows what the store holds, so that a cycle writes only what it changed.
    ModuleRecords m_records;
};
