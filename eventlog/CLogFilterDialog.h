#pragma once
// The "Event Log Filter" dialog: edits a log window's filter record in place
// and remembers the last confirmed filter in the settings store.

#include "eventlog/LogFilter.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CLogFilterDialog;
}
class CLogFilterDialog : public QDialog
{
    Q_OBJECT

public:
    CLogFilterDialog(LOGFILTER *filter, QWidget *parent);
    ~CLogFilterDialog() override;

public slots:
    void OnAllDataRadio();
    void OnMatchDataRadio();
    void OnOkButton();

protected:
    void changeEvent(QEvent *event) override;

private:
    QList<QWidget *> conditionControls() const;
    void setConditionsEnabled(bool on);

    LOGFILTER *m_pFilter;
    std::unique_ptr<Ui::CLogFilterDialog> m_ui;
};
