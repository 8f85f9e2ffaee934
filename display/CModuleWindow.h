#pragma once
// The small fixed-size window of one module: title with its name, link
// indicator and level, status line, alarm bar, audible alarm and silence watch.

#include "display/ModuleStatus.h"
#include "net/Data.h"

#include <QTimer>
#include <QWidget>

#include <memory>

namespace Ui {
class CModuleWindow;
}
class CMasterDevice;

class CModuleWindow : public QWidget
{
    Q_OBJECT

public:
    CModuleWindow(quint8 module, CMasterDevice *device, QWidget *parent = nullptr);
    ~CModuleWindow() override;

    quint8 moduleNumber() const { return m_module; }
    bool IsCorrect() const { return m_correct; }
    bool IsAlarm() const { return m_alarm; }
    int silenceSeconds() const { return m_silenceSeconds; }
    bool isTicking() const { return m_timer.isActive(); }

    // The bar that paintEvent draws for the current state and options.
    ModuleStatus::AlarmBar alarmBar() const;

    // Renames the module; an empty name changes nothing.
    void Rename(const QString &name);

public slots:
    void DisplayData(DATA sData);
    void OnTimer();
    void OnRenameAction();
    // The settings dialog comes later; the button is hidden meanwhile.
    void OnSettingsButton();

signals:
    void closeNeeded();

protected:
    // Asks the operator for a new name; empty when cancelled.
    virtual QString askName(const QString &proposal);
    // Sounds the audible alarm chosen for a record.
    virtual void playAlarm(ModuleStatus::AlarmSound sound, const QString &alarmFile);

    void contextMenuEvent(QContextMenuEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void updateTitle();
    void disableMaximize();

    quint8 m_module;
    CMasterDevice *m_device;
    QTimer m_timer;
    std::unique_ptr<Ui::CModuleWindow> m_ui;
    int m_silenceSeconds = 0;
    bool m_correct = false;
    bool m_blinkPhase = false;
    bool m_alarm = false;
    ModuleStatus::LinkIndicator m_link;
};
