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
    explicit COptionsDialog(QWidget *parent = nullptr);
    ~COptionsDialog() override;

public slots:
    void OnOkButton();
    void OnBrowseButton();
    void OnBkgBrowseButton();
    void OnTimer();

protected:
    // The modal boxes and file dialogs, replaced by tests.
    virtual void showWarning(const QString &text);
    virtual QString askOpenFileName(const QString &caption, const QString &dir,
                                    const QString &filter);

    void changeEvent(QEvent *event) override;

private:
    QTimer m_timer;
    std::unique_ptr<Ui::COptionsDialog> m_ui;
};
