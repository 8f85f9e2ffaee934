#pragma once
// The "Options" dialog: the station-wide alarm and display options and the
// interface language, read from and written through StationOptions so that
// module windows and the MDI area follow without reading the settings store.

#include <QDialog>
#include <QTimer>

#include <memory>

namespace Ui {
class COptionsDialog;
}

class COptionsDialog : public QDialog
{
    Q_OBJECT

public:
    // The syslog forwarding group is offered by the full edition only.
    explicit COptionsDialog(QWidget *parent = nullptr, bool offersSyslog = false);
    ~COptionsDialog() override;

public slots:
    void OnOkButton();
    void OnBrowseButton();
    void OnBkgBrowseButton();
    void OnSyslogCaBrowseButton();
    void OnTimer();

protected:
    // The modal boxes and file dialogs, replaced by tests.
    virtual void showWarning(const QString &text);
    virtual QString askOpenFileName(const QString &caption, const QString &dir,
                                    const QString &filter);

    void changeEvent(QEvent *event) override;

private:
    void loadSyslog();
    void storeSyslog();

    bool m_offersSyslog;
    QTimer m_timer;
    std::unique_ptr<Ui::COptionsDialog> m_ui;
};
