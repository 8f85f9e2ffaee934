#include "eventlog/CLogFilterDialog.h"

#include "settings/SettingsKeys.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QMessageBox>
#include <QSettings>

CLogFilterDialog::CLogFilterDialog(LOGFILTER *filter, QWidget *parent)
    : QDialog(parent)
    , m_pFilter(filter)
{
    setupUi(this);

    // The last confirmed filter of any window is where the dialog starts.
    QSettings settings;
    if (settings.contains(SettingsKeys::LogFilter))
        m_pFilter->overlayImage(settings.value(SettingsKeys::LogFilter).toByteArray());
    m_pFilter->bOn = false;

    m_pMatchDataRadio->setChecked(m_pFilter->bOn);
    m_pPeriodCheck->setChecked(m_pFilter->bPeriod);
    m_pLenCheck->setChecked(m_pFilter->bLength);
    m_pMergeCheck->setChecked(m_pFilter->bMerge);
    m_pCdmaCheck->setChecked(m_pFilter->bType[0]);
    m_pGsmCheck->setChecked(m_pFilter->bType[1]);
    m_p3GCheck->setChecked(m_pFilter->bType[2]);
    m_pDectCheck->setChecked(m_pFilter->bType[3]);
    m_pWlanCheck->setChecked(m_pFilter->bType[4]);
    m_pBluetoothCheck->setChecked(m_pFilter->bType[5]);
    m_pTrafficCheck->setChecked(m_pFilter->bType[6]);
    m_p4GCheck->setChecked(m_pFilter->bType[7]);
    m_pJammerCheck->setChecked(m_pFilter->bType[8]);
    m_pScanCheck->setChecked(m_pFilter->bType[9]);
    QCheckBox *const modules[LOGFILTER::Modules] = {
        m_pCh1Check, m_pCh2Check, m_pCh3Check, m_pCh4Check, m_pCh5Check,
        m_pCh6Check, m_pCh7Check, m_pCh8Check, m_pCh9Check, m_pCh10Check,
    };
    for (int i = 0; i < LOGFILTER::Modules; ++i)
        modules[i]->setChecked(m_pFilter->bModule[i]);
    m_pOnlyReadyCheck->setChecked(m_pFilter->bOnlyReady);
    m_pStartDateEdit->setDateTime(QDateTime::fromSecsSinceEpoch(m_pFilter->tFrom));
    m_pEndDateEdit->setDateTime(QDateTime::fromSecsSinceEpoch(m_pFilter->tTo));
    m_pLenEdit->setText(QString::number(m_pFilter->nLengthSec));
    m_pGapEdit->setText(QString::number(m_pFilter->nGapSec));

    connect(m_pAllDataRadio, &QRadioButton::clicked, this, &CLogFilterDialog::OnAllDataRadio);
    connect(m_pMatchDataRadio, &QRadioButton::clicked, this, &CLogFilterDialog::OnMatchDataRadio);
    connect(m_pOkButton, &QPushButton::clicked, this, &CLogFilterDialog::OnOkButton);
    connect(m_pCancelButton, &QPushButton::clicked, this, &CLogFilterDialog::reject);
}

QList<QWidget *> CLogFilterDialog::conditionControls() const
{
    return {
        m_pPeriodCheck, m_pStartDateEdit, m_pEndDateEdit, m_pLenCheck, m_pLenEdit,
        m_pMergeCheck, m_pGapEdit, m_pDectCheck, m_pWlanCheck, m_pCdmaCheck, m_pGsmCheck,
        m_p3GCheck, m_pBluetoothCheck, m_pTrafficCheck, m_p4GCheck, m_pScanCheck,
        m_pJammerCheck, m_pCh1Check, m_pCh2Check, m_pCh3Check, m_pCh4Check, m_pCh5Check,
        m_pCh6Check, m_pCh7Check, m_pCh8Check, m_pCh9Check, m_pCh10Check, m_pOnlyReadyCheck,
    };
}

void CLogFilterDialog::setConditionsEnabled(bool on)
{
    for (QWidget *w : conditionControls())
        w->setEnabled(on);
}

void CLogFilterDialog::OnAllDataRadio()
{
    setConditionsEnabled(false);
}

void CLogFilterDialog::OnMatchDataRadio()
{
    setConditionsEnabled(true);
}

void CLogFilterDialog::showWarning(const QString &text)
{
    QMessageBox::warning(this, QCoreApplication::applicationName(), text, QMessageBox::Ok);
}

void CLogFilterDialog::OnOkButton()
{
    if (m_pStartDateEdit->date() > m_pEndDateEdit->date()) {
        showWarning(tr("Start date cannot be greater than end one!"));
        return;
    }
    LOGFILTER &f = *m_pFilter;
    f.bOn = m_pMatchDataRadio->isChecked();
    f.tFrom = m_pStartDateEdit->dateTime().toSecsSinceEpoch();
    f.tTo = m_pEndDateEdit->dateTime().toSecsSinceEpoch();
    f.nLengthSec = m_pLenEdit->text().toInt();
    f.nGapSec = m_pGapEdit->text().toInt();
    f.bPeriod = m_pPeriodCheck->isChecked();
    f.bLength = m_pLenCheck->isChecked();
    f.bMerge = m_pMergeCheck->isChecked();
    f.bType[0] = m_pCdmaCheck->isChecked();
    f.bType[1] = m_pGsmCheck->isChecked();
    f.bType[2] = m_p3GCheck->isChecked();
    f.bType[3] = m_pDectCheck->isChecked();
    f.bType[4] = m_pWlanCheck->isChecked();
    f.bType[5] = m_pBluetoothCheck->isChecked();
    f.bType[6] = m_pTrafficCheck->isChecked();
    f.bType[7] = m_p4GCheck->isChecked();
    f.bType[8] = m_pJammerCheck->isChecked();
    f.bType[9] = m_pScanCheck->isChecked();
    const QCheckBox *const modules[LOGFILTER::Modules] = {
        m_pCh1Check, m_pCh2Check, m_pCh3Check, m_pCh4Check, m_pCh5Check,
        m_pCh6Check, m_pCh7Check, m_pCh8Check, m_pCh9Check, m_pCh10Check,
    };
    for (int i = 0; i < LOGFILTER::Modules; ++i)
        f.bModule[i] = modules[i]->isChecked();
    f.bOnlyReady = m_pOnlyReadyCheck->isChecked();

    QSettings settings;
    settings.setValue(SettingsKeys::LogFilter, f.toImage());
    accept();
}
