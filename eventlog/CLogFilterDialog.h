#pragma once
// The "Event Log Filter" dialog: edits a log window's filter record in place
// and remembers the last confirmed filter in the settings store.

#include "eventlog/LogFilter.h"
#include "ui_CLogFilterDialog.h"

#include <QDialog>

class CLogFilterDialog : public QDialog, private Ui::CLogFilterDialog
{
    Q_OBJECT

public:
    CLogFilterDialog(LOGFILTER *filter, QWidget *parent);

public slots:
    void OnAllDataRadio();
    void OnMatchDataRadio();
    void OnOkButton();

protected:
    // Tests replace the modal warning.
    virtual void showWarning(const QString &text);

private:
    QList<QWidget *> conditionControls() const;
    void setConditionsEnabled(bool on);

    LOGFILTER *m_pFilter;
};
