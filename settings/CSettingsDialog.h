#pragma once
// "Settings of the module #N": edits one module's settings block in place,
// writing every control into the record once a second (so edits reach the
// module with its next replies), copies the groups marked "For all" to every
// module, and starts the bypass actions (get, set, erase, load).

#include <QDialog>
#include <QMessageBox>
#include <QTimer>

#include <array>
#include <map>
#include <memory>

namespace Ui {
class CSettingsDialog;
}
class CMasterDevice;
class QCheckBox;
class QLabel;
class QSettings;
class QSlider;
struct ModuleRecord;

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
    // Seams for the modal parts, so that the dialog can be driven headless.
    virtual bool askQuestion(const QString &text);
    virtual void showMessage(QMessageBox::Icon icon, const QString &title, const QString &text);
    virtual QString askOpenFileName(const QString &caption, const QString &dir,
                                    const QString &filter);
    // Runs the bypass list for this module with the marks to show.
    virtual void execBypassDialog(unsigned char flags);

    void changeEvent(QEvent *event) override;

private:
    // One band row: enable check, threshold slider, value label, "For all" check.
    struct Band
    {
        QCheckBox *enable;
        QSlider *slider;
        QLabel *label;
        QCheckBox *forAll;
        int enableByte;
        int thresholdByte;
        bool dBm; // threshold byte = dBm + 102; otherwise percent
    };

    void LoadControls();
    // mode 0: bytes first and second; 1: byte first and second .. second+3;
    // 2: second bytes from first; 3: the station-side pause options.
    void ApplyForAll(int mode, int first, int second);
    void copyToAll(int mode, int first, int second);
    void showValue(QLabel *label, int value, const QString &unit);
    void updateGroupChecks();
    void showPauseRangeError();
    // Notes the stored part of every record not seen before.
    void rememberAll();
    // Saves a module whose stored part differs from what was saved or seen last.
    void saveChanged(QSettings &store, quint8 module);

    unsigned char m_module;
    CMasterDevice *m_device;
    QTimer m_timer;
    std::unique_ptr<Ui::CSettingsDialog> m_ui;
    std::array<Band, 14> m_bands;
    // What the settings store holds per module, as far as the dialog knows,
    // so that a cycle writes the store only for a record it changed.
    struct Saved;
    std::map<quint8, std::unique_ptr<Saved>> m_saved;
};
