#include "eventlog/CLogFilterDialog.h"

#include "ui_CLogFilterDialog.h"

#include "net/Prompts.h"
#include "settings/SettingsKeys.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSettings>

CLogFilterDialog::CLogFilterDialog(LOGFILTER *filter, QWidget *parent)
    : QDialog(parent)
    , m_pFilter(filter)
    , m_ui(std::make_unique<Ui::CLogFilterDialog>())
{
    m_ui->setupUi(this);

    // The last confirmed filter of any window is where the dialog starts.
    QSettings settings;
    if (settings.contains(SettingsKeys::LogFilter))
        m_pFilter->overlayImage(settings.value(SettingsKeys::LogFilter).toByteArray());
    m_pFilter->bOn = false;

    m_ui->m_pMatchDataRadio->setChecked(m_pFilter->bOn);
    m_ui->m_pPeriodCheck->setChecked(m_pFilter->bPeriod);
    m_ui->m_pLenCheck->setChecked(m_pFilter->bLength);
    m_ui->m_pMergeCheck->setChecked(m_pFilter->bMerge);
    m_ui->m_pCdmaCheck->setChecked(m_pFilter->bType[0]);
    m_ui->m_pGsmCheck->setChecked(m_pFilter->bType[1]);
    m_ui->m_p3GCheck->setChecked(m_pFilter->bType[2]);
    m_ui->m_pDectCheck->setChecked(m_pFilter->bType[3]);
    m_ui->m_pWlanCheck->setChecked(m_pFilter->bType[4]);
    m_ui->m_pBluetoothCheck->setChecked(m_pFilter->bType[5]);
    m_ui->m_pTrafficCheck->setChecked(m_pFilter->bType[6]);
    m_ui->m_p4GCheck->setChecked(m_pFilter->bType[7]);
    m_ui->m_pJammerCheck->setChecked(m_pFilter->bType[8]);
    m_ui->m_pScanCheck->setChecked(m_pFilter->bType[9]);
    QCheckBox *const modules[LOGFILTER::Modules] = {
        m_ui->m_pCh1Check, m_ui->m_pCh2Check,  m_ui->m_pCh3Check, m_ui->m_pCh4Check,
        m_ui->m_pCh5Check, m_ui->m_pCh6Check,  m_ui->m_pCh7Check, m_ui->m_pCh8Check,
        m_ui->m_pCh9Check, m_ui->m_pCh10Check,
    };
    for (int i = 0; i < LOGFILTER::Modules; ++i)
        modules[i]->setChecked(m_pFilter->bModule[i]);
    m_ui->m_pOnlyReadyCheck->setChecked(m_pFilter->bOnlyReady);
    m_ui->m_pStartDateEdit->setDateTime(QDateTime::fromSecsSinceEpoch(m_pFilter->tFrom));
    m_ui->m_pEndDateEdit->setDateTime(QDateTime::fromSecsSinceEpoch(m_pFilter->tTo));
    m_ui->m_pLenEdit->setText(QString::number(m_pFilter->nLengthSec));
    m_ui->m_pGapEdit->setText(QString::number(m_pFilter->nGapSec));

    connect(m_ui->m_pAllDataRadio, &QRadioButton::clicked, this, &CLogFilterDialog::OnAllDataRadio);
    connect(m_ui->m_pMatchDataRadio, &QRadioButton::clicked, this,
            &CLogFilterDialog::OnMatchDataRadio);
    connect(m_ui->m_pOkButton, &QPushButton::clicked, this, &CLogFilterDialog::OnOkButton);
    connect(m_ui->m_pCancelButton, &QPushButton::clicked, this, &CLogFilterDialog::reject);
}

QList<QWidget *> CLogFilterDialog::conditionControls() const
{
    return {
        m_ui->m_pPeriodCheck,    m_ui->m_pStartDateEdit, m_ui->m_pEndDateEdit,
        m_ui->m_pLenCheck,       m_ui->m_pLenEdit,       m_ui->m_pMergeCheck,
        m_ui->m_pGapEdit,        m_ui->m_pDectCheck,     m_ui->m_pWlanCheck,
        m_ui->m_pCdmaCheck,      m_ui->m_pGsmCheck,      m_ui->m_p3GCheck,
        m_ui->m_pBluetoothCheck, m_ui->m_pTrafficCheck,  m_ui->m_p4GCheck,
        m_ui->m_pScanCheck,      m_ui->m_pJammerCheck,   m_ui->m_pCh1Check,
        m_ui->m_pCh2Check,       m_ui->m_pCh3Check,      m_ui->m_pCh4Check,
        m_ui->m_pCh5Check,       m_ui->m_pCh6Check,      m_ui->m_pCh7Check,
        m_ui->m_pCh8Check,       m_ui->m_pCh9Check,      m_ui->m_pCh10Check,
        m_ui->m_pOnlyReadyCheck,
    };
}

void CLogFilterDialog::setConditionsEnabled(bool on)
{
    for (QWidget *w : conditionControls())
        w->setEnabled(on);
}

CLogFilterDialog::~CLogFilterDialog() = default;

void CLogFilterDialog::OnAllDataRadio()
{
    setConditionsEnabled(false);
}

void CLogFilterDialog::OnMatchDataRadio()
{
    setConditionsEnabled(true);
}

void CLogFilterDialog::OnOkButton()
{
    if (m_ui->m_pStartDateEdit->date() > m_ui->m_pEndDateEdit->date()) {
        Prompts::current().message(this, QMessageBox::Warning, QCoreApplication::applicationName(),
                                   tr("Start date cannot be greater than end one!"));
        return;
    }
    LOGFILTER &f = *m_pFilter;
    f.bOn = m_ui->m_pMatchDataRadio->isChecked();
    f.tFrom = m_ui->m_pStartDateEdit->dateTime().toSecsSinceEpoch();
    f.tTo = m_ui->m_pEndDateEdit->dateTime().toSecsSinceEpoch();
    f.nLengthSec = m_ui->m_pLenEdit->text().toInt();
    f.nGapSec = m_ui->m_pGapEdit->text().toInt();
    f.bPeriod = m_ui->m_pPeriodCheck->isChecked();
    f.bLength = m_ui->m_pLenCheck->isChecked();
    f.bMerge = m_ui->m_pMergeCheck->isChecked();
    f.bType[0] = m_ui->m_pCdmaCheck->isChecked();
    f.bType[1] = m_ui->m_pGsmCheck->isChecked();
    f.bType[2] = m_ui->m_p3GCheck->isChecked();
    f.bType[3] = m_ui->m_pDectCheck->isChecked();
    f.bType[4] = m_ui->m_pWlanCheck->isChecked();
    f.bType[5] = m_ui->m_pBluetoothCheck->isChecked();
    f.bType[6] = m_ui->m_pTrafficCheck->isChecked();
    f.bType[7] = m_ui->m_p4GCheck->isChecked();
    f.bType[8] = m_ui->m_pJammerCheck->isChecked();
    f.bType[9] = m_ui->m_pScanCheck->isChecked();
    const QCheckBox *const modules[LOGFILTER::Modules] = {
        m_ui->m_pCh1Check, m_ui->m_pCh2Check,  m_ui->m_pCh3Check, m_ui->m_pCh4Check,
        m_ui->m_pCh5Check, m_ui->m_pCh6Check,  m_ui->m_pCh7Check, m_ui->m_pCh8Check,
        m_ui->m_pCh9Check, m_ui->m_pCh10Check,
    };
    for (int i = 0; i < LOGFILTER::Modules; ++i)
        f.bModule[i] = modules[i]->isChecked();
    f.bOnlyReady = m_ui->m_pOnlyReadyCheck->isChecked();

    QSettings settings;
    settings.setValue(SettingsKeys::LogFilter, f.toImage());
    accept();
}

void CLogFilterDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
