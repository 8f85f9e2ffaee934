#pragma once
// The "Options" dialog: the station-wide alarm and display options and the
// interface language, read from and written through StationOptions so that
// module windows and the MDI area follow without reading the settings store.

#include <QDialog>
#include <QTimer>

#include <memory>

class QLineEdit;

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

    // Where browsing for the alarm sound starts: the station's own sound lives
    // inside the program, so home instead.
    static QString alarmBrowseFolder(const QString &alarmFile);

public slots:
    void OnOkButton();
    void OnBrowseButton();
    void OnBkgBrowseButton();
    void OnSyslogCaBrowseButton();
    void OnTimer();

protected:
    void changeEvent(QEvent *event) override;

private:
    void warn(const QString &text);
    // The chosen file into `edit`, unless the operator cancels.
    void browse(QLineEdit *edit, const QString &caption, const QString &dir, const QString &filter);
    void loadSyslog();
    void storeSyslog();

    bool m_offersSyslog;
    QTimer m_timer;
    std::unique_ptr<Ui::COptionsDialog> m_ui;
};
