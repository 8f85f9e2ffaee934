#pragma once
// "Device Configuration Dialog": writes and reads back a module's Wi-Fi board
// settings with AT commands, sets and reads its Ethernet board, and tunes a
// jammer-suppression unit in four steps, all over the USB link.

#include "usb/EthernetBoard.h"
#include "usb/TuningSteps.h"
#include "usb/UsbBlocks.h"
#include "usb/WifiAtSequence.h"

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

    // `link` is the station's one link unless a test passes its own.
    explicit CConfigurationDialog(QWidget *parent = nullptr, CFTDI *link = nullptr);
    ~CConfigurationDialog() override;

    // The status word for the unit's flags (the lowest set bit wins).
    static QString StatusText(quint8 flags);
    // The Wi-Fi sequence's step (WifiAtSequence numbering).
    int sequenceState() const { return m_sequence.state(); }

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

private:
    void message(QMessageBox::Icon icon, const QString &title, const QString &text);
    void runStep();
    WifiAtSequence::Settings wifiSettings() const;
    QString fieldName(WifiAtSequence::Field field) const;
    void setExchangeButtonsEnabled(bool enabled);
    void tuningPoll();
    void readEditsIntoState();
    void showEnabledSteps();
    void showEthernetAnswer(const EthernetBoard::Answer &answer);
    bool openLink();
    // The link's exchange under a busy cursor.
    bool transact(const UsbBlocks::Block &request, UsbBlocks::Block &answer);

    std::unique_ptr<Ui::CConfigurationDialog> m_ui;
    CFTDI &m_link;
    QTimer m_timer1;
    QTimer m_timer2;
    WifiAtSequence m_sequence;
    TuningSteps m_steps;
    bool m_pollDue = false;
};
