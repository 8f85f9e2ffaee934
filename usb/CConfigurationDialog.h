#pragma once
// "Device Configuration Dialog": writes and reads back a module's Wi-Fi board
// settings with AT commands, sets and reads its Ethernet board, and tunes a
// jammer-suppression unit in four steps, all over the USB link.

#include <QDialog>
#include <QMessageBox>
#include <QTimer>

#include <memory>

namespace Ui {
class CConfigurationDialog;
}
class CFTDI;

class CConfigurationDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int EthernetTab = 0;
    static constexpr int WiFiTab = 1;
    static constexpr int TuningTab = 2;
    // Sequence states: the Wi-Fi write runs 0-8, the tuning poll is 10, the read-back 11-16.
    static constexpr int WriteFirst = 0;
    static constexpr int WriteEnd = 9;
    static constexpr int TuningPoll = 10;
    static constexpr int ReadFirst = 11;
    static constexpr int ReadEnd = 18;

    // `link` is the station's one link unless a test passes its own.
    explicit CConfigurationDialog(QWidget *parent = nullptr, CFTDI *link = nullptr);
    ~CConfigurationDialog() override;

    // The status word for the unit's flags (the lowest set bit wins).
    static QString StatusText(quint8 flags);
    int sequenceState() const { return m_state; }

public slots:
    void OnTimer();
    bool OnSendButton();
    void OnApplyButton();
    void OnApply2Button();
    void OnRequestButton();
    void OnRequest2Button();
    void OnTimer2();
    void OnOkButton();
    void OnResetBaseLevelButton();
    void OnGetBaseLevelButton();
    void OnGetSuppressionButton();
    void OnSavePatternButton();
    void OnModuleAddressCheckBox();

protected:
    // Message boxes; tests record them instead.
    virtual void message(QMessageBox::Icon icon, const QString &title, const QString &text);

private:
    bool probeCheck();
    void tuningPoll();
    void readEditsIntoState();
    void setParameterControlsEnabled(bool enabled);
    bool openLink();

    std::unique_ptr<Ui::CConfigurationDialog> m_ui;
    CFTDI &m_link;
    QTimer m_timer1;
    QTimer m_timer2;
    int m_state = 0;
    QString m_ssid, m_security, m_serverAddress, m_moduleAddress, m_moduleNumber, m_firmware;
};
