#include "settings/CBypassDialog.h"

#include "ui_CBypassDialog.h"

#include "net/CMasterDevice.h"
#include "net/ModuleRecords.h"
#include "net/Prompts.h"
#include "net/WireProtocol.h"
#include "settings/BypassFile.h"
#include "settings/BypassRanges.h"
#include "settings/CXmlValueStore.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>

using namespace SettingsBlock;

namespace {

// Set on the rows that list a range of the map.
constexpr int RangeRole = Qt::UserRole;

} // namespace

CBypassDialog::CBypassDialog(unsigned char module, CMasterDevice *device, unsigned char mask,
                             QWidget *parent)
    : QDialog(parent)
    , m_module(module)
    , m_device(device)
    , m_mask(mask)
    , m_ui(std::make_unique<Ui::CBypassDialog>())
{
    m_ui->setupUi(this);
    connect(m_ui->m_pBypassTreeWidget, &QTreeWidget::customContextMenuRequested, this,
            &CBypassDialog::OnTreeContextMenu);
    connect(m_ui->m_pOkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->m_pSaveButton, &QPushButton::clicked, this, &CBypassDialog::OnSaveButton);
    connect(&m_timer, &QTimer::timeout, this, &CBypassDialog::OnTimer);
    m_timer.start(RefreshIntervalMs);
    m_waitCounter = WaitTicks;
}

CBypassDialog::~CBypassDialog() = default;

void CBypassDialog::OnTimer()
{
    ModuleRecord &r = m_device->record(m_module);
    if (r.bypassMapComplete == 1) {
        r.bypassMapComplete = 2;
        m_ui->m_pBypassTreeWidget->clear();
        buildRows();
        if (m_ui->m_pBypassTreeWidget->topLevelItemCount() == 0)
            addRow({ tr("NO DATA") });
        m_timer.stop();
        return;
    }
    if (++m_waitCounter > WaitTicks) {
        m_waitCounter = 0;
        m_ui->m_pBypassTreeWidget->clear();
        addRow({ tr("Waiting"), tr("may take up to"), tr("30 sec...") });
    }
}

void CBypassDialog::buildRows()
{
    const QVector<BypassRange> ranges =
        BypassRanges::fromMap(m_device->record(m_module).bypassMap, m_mask);
    for (const BypassRange &r : ranges) {
        QString pattern;
        if (r.marks & Wire::BypassMarkDigital)
            pattern += tr("DIGIT_");
        if (r.marks & Wire::BypassMarkPattern1)
            pattern += tr("PATT1_");
        if (r.marks & Wire::BypassMarkPattern2)
            pattern += tr("PATT2_");
        if (r.marks & Wire::BypassMarkManual)
            pattern += tr("MANUAL_");
        addRow({ QString::number(r.number), QString::number(r.start), QString::number(r.end),
                 QString::number(r.band), pattern })
            ->setData(0, RangeRole, true);
    }
}

QTreeWidgetItem *CBypassDialog::addRow(const QStringList &texts)
{
    auto *item = new QTreeWidgetItem(m_ui->m_pBypassTreeWidget);
    for (int c = 0; c < texts.size(); ++c)
        item->setText(c, texts.at(c));
    return item;
}

void CBypassDialog::OnTreeContextMenu(QPoint pos)
{
    QMenu menu(this);
    menu.addAction(tr("Delete the bypass string"), this, &CBypassDialog::OnDeleteBypassString);
    execMenu(menu, m_ui->m_pBypassTreeWidget->viewport()->mapToGlobal(pos));
}

void CBypassDialog::OnDeleteBypassString()
{
    // The waiting row and "NO DATA" are no range: deleting them would send a
    // delete of 0 - 0 and ask for the map again.
    const QTreeWidgetItem *item = m_ui->m_pBypassTreeWidget->currentItem();
    if (!item || !item->data(0, RangeRole).toBool())
        return;
    const quint16 s = quint16(item->text(1).toInt());
    const quint16 t = quint16(item->text(2).toInt());
    ModuleRecord &r = m_device->record(m_module);
    r.settings[BypassBeginHi] = quint8(s >> 8);
    r.settings[BypassBeginLo] = quint8(s);
    r.settings[BypassEndHi] = quint8(t >> 8);
    r.settings[BypassEndLo] = quint8(t);
    r.settings[BypassKind] = 0; // kind 0: delete this range on the module
    ModuleRecords::requestBypassMap(r);
    m_waitCounter = WaitTicks;
    m_timer.start(RefreshIntervalMs);
}

void CBypassDialog::OnSaveButton()
{
    CXmlValueStore &store = CXmlValueStore::instance();
    const QString folder = store.Folder(CXmlValueStore::bypassPathKey());
    const QString name = Prompts::current().saveFileName(this, tr("Save Bypass As"), folder,
                                                         tr("Bypass files (*.xml)"));
    if (name.isEmpty())
        return;
    store.RememberFolderOf(CXmlValueStore::bypassPathKey(), name);

    QList<BypassFile::Row> rows;
    const QTreeWidget *tree = m_ui->m_pBypassTreeWidget;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        rows.append({ tree->topLevelItem(i)->text(1), tree->topLevelItem(i)->text(2) });
    QString error;
    if (!BypassFile::save(name, rows, &error))
        Prompts::current().message(
            this, QMessageBox::Critical, tr("Error"),
            tr("Cannot write the file %1:\n%2").arg(QDir::toNativeSeparators(name), error));
}

void CBypassDialog::execMenu(QMenu &menu, const QPoint &globalPos)
{
    menu.exec(globalPos);
}

void CBypassDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
