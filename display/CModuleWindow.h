#pragma once
// The small fixed-size window of one module: title with its name, link
// indicator and level, status line, alarm bar, audible alarm and silence watch.

#include "display/ModuleStatus.h"
#include "net/Data.h"

#include <QElapsedTimer>
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
    // The labels follow the records at most this often.
    static constexpr int RefreshIntervalMs = 40;

    CModuleWindow(quint8 module, CMasterDevice *device, QWidget *parent = nullptr);
    ~CModuleWindow() override;

    quint8 moduleNumber() const { return m_module; }
    bool IsCorrect() const { return m_correct; }
    bool IsAlarm() const { return m_alarm; }
    int silenceSeconds() const { return m_silenceSeconds; }
    bool isTicking() const { return m_timer.isActive(); }

    // The bar that paintEvent draws for the current state and options.
    ModuleStatus::AlarmBar alarmBar() const;

    // Whether "Settings..." is offered (the full edition) or hidden.
    void SetSettingsOffered(bool offered);

    // Renames the module; an empty name changes nothing.
    void Rename(const QString &name);

public slots:
    void DisplayData(DATA sData);
    void OnTimer();
    void OnRenameAction();
    // The module's settings dialog; the button is offered in the full edition.
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
    void addPads();
    QSize panelSize();
    void setAlarm(bool alarm);
    void requestTexts();
    void applyTexts();
    // Schedules a repaint of the alarm bar when it is now drawn differently.
    void updateAlarmBar(const ModuleStatus::AlarmBar &before);

    quint8 m_module;
    QString m_name;
    CMasterDevice *m_device;
    QTimer m_timer;
    // The texts of the last record, shown by applyTexts().
    struct Texts
    {
        QString mode;
        QString level;
        QString status;
    } m_texts;
    // The status of the last record, to word it again in another language.
    qint32 m_lastState = 0;
    QTimer m_applyTimer;
    QElapsedTimer m_lastApplied;
    std::unique_ptr<Ui::CModuleWindow> m_ui;
    int m_silenceSeconds = 0;
    bool m_correct = false;
    bool m_blinkPhase = false;
    bool m_alarm = false;
    ModuleStatus::LinkIndicator m_link;
};
