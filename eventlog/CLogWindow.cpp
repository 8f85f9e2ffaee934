#include "eventlog/CLogWindow.h"

#include "ui_CLogWindow.h"

#include "eventlog/CEventLog.h"
#include "eventlog/CLogFilterDialog.h"
#include "eventlog/EventTableModel.h"
#include "eventlog/LogFile.h"
#include "eventlog/LogDataExporter.h"
#include "eventlog/LogHtmlExporter.h"
#include "net/CMasterDevice.h"
#include "net/Acknowledgements.h"
#include "net/CSignalTypeStr.h"
#include "net/ModuleRecords.h"
#include "net/Prompts.h"
#include "net/SettingsBlock.h"
#include "net/StationGlobals.h"
#include "settings/CXmlValueStore.h"
#include "settings/SettingsKeys.h"
#include "settings/WindowPlacement.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QHash>
#include <QHeaderView>
#include <QMenu>
#include <QMutexLocker>
#include <QProgressDialog>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>

#include <atomic>

namespace {
constexpr int RefreshIntervalMs = 10000;
constexpr int MinimumLimit = 10;
// A load that takes longer shows its progress.
constexpr int ProgressAfterMs = 500;
const QPoint kDefaultPos(10, 10);
const QSize kDefaultSize(670, 200);
const QPoint kCascadeStep(30, 30);
} // namespace

CLogWindow::CLogWindow(int number, CMasterDevice *device, QWidget *parent)
    : QDockWidget(parent)
    , m_pDevice(device)
    , m_filter(LOGFILTER::defaults(QDateTime::currentSecsSinceEpoch()))
    , m_number(number)
    , m_pRefreshTimer(new QTimer(this))
    , m_pModel(new EventTableModel(this))
    , m_ui(std::make_unique<Ui::CLogWindowClass>())
{
    m_pRefreshTimer->setObjectName(QStringLiteral("refreshTimer"));
    m_ui->setupUi(this);
    setWindowTitle(tr("Event Log #%1").arg(m_number));
    setAllowedAreas(Qt::NoDockWidgetArea);
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    setFloating(true);

    m_ui->m_pTreeWidget->setModel(m_pModel);

    const QSettings settings;
    PlaceAsStored();
    // A stored width wins; a column never stored fits its header and values.
    for (int column = 0; column < EventTableModel::ColumnCount; ++column) {
        const QVariant stored = settings.value(SettingsKeys::logWindowColumn(m_number, column));
        m_ui->m_pTreeWidget->header()->resizeSection(
            column, stored.isValid() ? stored.toInt() : FittingWidth(column));
    }
    m_ui->m_pTreeWidget->sortByColumn(EventTableModel::DateTimeColumn, Qt::AscendingOrder);
    hide();

    connect(m_ui->m_pTreeWidget, &QWidget::customContextMenuRequested, this,
            &CLogWindow::OnTreeContextMenu);
    connect(m_ui->m_pMaxEventsEdit, &QLineEdit::returnPressed, this,
            &CLogWindow::OnMaxEventsEditReturnPressed);
    connect(m_ui->m_pRefreshButton, &QPushButton::clicked, this, &CLogWindow::OnRefreshButton);
    connect(m_ui->m_pRefreshCheck, &QCheckBox::clicked, this, &CLogWindow::OnRefreshCheck);
    connect(m_pRefreshTimer, &QTimer::timeout, this, &CLogWindow::OnRefreshTimer);
    connect(m_ui->m_pLoadButton, &QPushButton::clicked, this, &CLogWindow::OnLoadButton);
    connect(m_ui->m_pSaveButton, &QPushButton::clicked, this, &CLogWindow::OnSaveButton);
    connect(m_ui->m_pExportButton, &QPushButton::clicked, this, &CLogWindow::OnExportButton);
    connect(m_ui->m_pClearButton, &QPushButton::clicked, this, &CLogWindow::OnClearButton);
    connect(m_ui->m_pFilterButton, &QPushButton::clicked, this, &CLogWindow::OnFilterButton);
    connect(m_ui->m_pCloseButton, &QPushButton::clicked, this, &QWidget::hide);
    OnRefreshCheck(true);
}

CLogWindow::~CLogWindow()
{
    QSettings settings;
    settings.setValue(SettingsKeys::logWindowPos(m_number), pos());
    settings.setValue(SettingsKeys::logWindowSize(m_number), size());
    for (int column = 0; column < EventTableModel::ColumnCount; ++column) {
        settings.setValue(SettingsKeys::logWindowColumn(m_number, column),
                          m_ui->m_pTreeWidget->header()->sectionSize(column));
    }
}

QStringList CLogWindow::WidestTexts(int column)
{
    EVENT e;
    e.nModule = 255;
    e.nType = 1;
    e.nPeakLevel = -100;
    e.nThresholdLevel = -199;
    e.dFreqMHz = 2412.35;
    switch (column) {
    case EventTableModel::DateTimeColumn:
        return { QStringLiteral("28.12.2026 23:58:58") };
    case EventTableModel::DurationColumn: {
        EVENT running = e;
        running.bInProgress = true;
        return { QStringLiteral("23:58:58"), EventTableModel::durationText(running) };
    }
    case EventTableModel::ModuleColumn:
        return { CEventLog::ModuleName(e) };
    case EventTableModel::SignalTypeColumn: {
        QStringList names;
        for (int type = 0; type <= CSignalTypeStr::LastType; ++type)
            names << CSignalTypeStr::name(type);
        return names;
    }
    case EventTableModel::SignalLevelColumn:
        return { EventTableModel::levelText(e) };
    case EventTableModel::ExceedingColumn:
        return { EventTableModel::exceedingText(e) };
    case EventTableModel::FrequencyColumn:
        return { EventTableModel::frequencyText(e) };
    default:
        return {};
    }
}

int CLogWindow::FittingWidth(int column) const
{
    const QHeaderView *header = m_ui->m_pTreeWidget->header();
    // Room for the header's padding and border and its sort indicator.
    int width = header->fontMetrics().horizontalAdvance(EventTableModel::headerText(column)) + 32;
    const QFontMetrics values = m_ui->m_pTreeWidget->fontMetrics();
    for (const QString &text : WidestTexts(column))
        width = qMax(width, values.horizontalAdvance(text) + 16);
    return width;
}

void CLogWindow::PlaceAsStored()
{
    const QSettings settings;
    // A window never stored opens a step down and right of the one before it.
    const QPoint cascade = kDefaultPos + kCascadeStep * (m_number - 1);
    WindowPlacement::placeFrame(
        this, settings.value(SettingsKeys::logWindowPos(m_number), cascade).toPoint(),
        settings.value(SettingsKeys::logWindowSize(m_number), kDefaultSize).toSize(),
        QRect(cascade, kDefaultSize));
}

void CLogWindow::SetEventLog(CEventLog *log)
{
    m_pEventLog = log;
    if (m_pEventLog)
        m_ui->m_pMaxEventsEdit->setText(QString::number(m_pEventLog->GetLimit()));
    refresh();
}

void CLogWindow::ApplyFilter(QList<EVENT> &list)
{
    m_filter.apply(list);
}

void CLogWindow::refresh()
{
    if (!m_pEventLog)
        return;
    QList<EVENT> list;
    if (m_fileMode == 0) {
        // The previous list's memory serves again: a full store is 10 MB.
        list.swap(m_spareList);
        if (list.isDetached())
            list.resize(0); // keeps the capacity
        else
            list = QList<EVENT>(); // still shared with the loaded events
        m_pEventLog->GetEvents(list, 0);
    } else {
        list = m_loadedEvents;
    }
    ApplyFilter(list);
    m_spareList = m_pModel->setEvents(std::move(list));
    if (m_ui->m_pTreeWidget->header()->sortIndicatorSection() == EventTableModel::DateTimeColumn)
        m_ui->m_pTreeWidget->scrollToBottom();
    m_ui->m_pEventsLabel->setText(QString::number(m_pModel->rowCount()));

    if (m_fileMode == 0) {
        setWindowTitle(m_filter.bOn ? tr("Event Log #%1 [filtered]").arg(m_number)
                                    : tr("Event Log #%1").arg(m_number));
    } else {
        setWindowTitle(m_filter.bOn ? tr("Event Log [filtered] from file: %1").arg(m_fileName)
                                    : tr("Event Log from file: %1").arg(m_fileName));
    }
}

void CLogWindow::OnMaxEventsEditReturnPressed()
{
    int n = m_ui->m_pMaxEventsEdit->text().toInt();
    if (n < MinimumLimit) {
        n = MinimumLimit;
        m_ui->m_pMaxEventsEdit->setText(QString::number(n));
    }
    if (m_pEventLog)
        m_pEventLog->SetLimit(n);
}

void CLogWindow::OnRefreshButton()
{
    refresh();
}

void CLogWindow::OnRefreshCheck(bool on)
{
    if (on)
        m_pRefreshTimer->start(RefreshIntervalMs);
    else
        m_pRefreshTimer->stop();
}

void CLogWindow::OnRefreshTimer()
{
    // A loaded file does not change.
    if (m_fileMode == 0)
        refresh();
}

QString CLogWindow::logFolder() const
{
    return CXmlValueStore::instance().Folder(CXmlValueStore::logPathKey());
}

void CLogWindow::rememberLogFolder(const QString &fileName)
{
    CXmlValueStore::instance().RememberFolderOf(CXmlValueStore::logPathKey(), fileName);
}

void CLogWindow::setLiveControlsEnabled(bool on)
{
    m_ui->m_pSaveButton->setEnabled(on);
    m_ui->m_pRefreshButton->setEnabled(on);
    m_ui->m_pRefreshCheck->setEnabled(on);
}

void CLogWindow::reportFileError(const QString &text, const QString &path, const QString &error)
{
    Prompts::current().message(this, QMessageBox::Critical, tr("Error"),
                               text.arg(QDir::toNativeSeparators(path), error));
}

void CLogWindow::OnSaveButton()
{
    const QString name = Prompts::current().saveFileName(this, tr("Save Log As"), logFolder(),
                                                         tr("Log files (*.xml)"));
    if (name.isEmpty())
        return;
    rememberLogFolder(name);
    saveTo(name);
}

bool CLogWindow::saveTo(const QString &path)
{
    // Always the whole store, whatever the window shows.
    QList<EVENT> events;
    if (m_pEventLog)
        m_pEventLog->GetEvents(events, 0);
    QString error;
    if (!LogFile::save(path, events, &error)) {
        reportFileError(tr("Cannot write the file %1:\n%2"), path, error);
        return false;
    }
    return true;
}

void CLogWindow::OnLoadButton()
{
    const QString name =
        Prompts::current().openFileName(this, tr("Load Log"), logFolder(), tr("Log files (*.xml)"));
    if (name.isEmpty())
        return;
    rememberLogFolder(name);
    loadFrom(name);
}

bool CLogWindow::loadFrom(const QString &path)
{
    // Read on a worker thread while the event loop runs on: modules keep
    // being answered, and a read that takes a while shows how far it got.
    if (m_loading)
        return false;
    m_loading = true;
    m_ui->m_pContents->setEnabled(false);
    QList<EVENT> events;
    QString error;
    bool ok = false;
    std::atomic<qint64> done{ 0 }, total{ 0 };
    std::atomic<bool> cancelled{ false };
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        ok = LogFile::load(path, events, &error, [&](qint64 read, qint64 size) {
            done = read;
            total = size;
            return !cancelled.load();
        });
    }));
    QProgressDialog progress(tr("Loading %1...").arg(QDir::toNativeSeparators(path)), tr("Cancel"),
                             0, 0, this);
    progress.setWindowTitle(tr("Load Log"));
    progress.setMinimumDuration(ProgressAfterMs);
    progress.setValue(0); // starts the clock that shows it
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    connect(&progress, &QProgressDialog::canceled, &progress, [&] { cancelled = true; });
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, &progress, [&] {
        if (total > 0) {
            progress.setMaximum(1000);
            progress.setValue(int(done * 1000 / total));
        }
    });
    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    ticker.start(100);
    loop.exec();
    worker->wait();
    m_ui->m_pContents->setEnabled(true);
    m_loading = false;
    if (cancelled)
        return false;
    if (!ok) {
        reportFileError(tr("Cannot open the file %1:\n%2"), path, error);
        return false;
    }
    m_fileName = path;
    m_fileMode = 1;
    m_loadedEvents = std::move(events);
    refresh();
    setLiveControlsEnabled(false);
    return true;
}

void CLogWindow::OnExportButton()
{
    const QStringList filters = { tr("Web page (*.htm)"), tr("CSV file (*.csv)"),
                                  tr("JSON Lines file (*.jsonl)") };
    QString selected = filters.value(0);
    const QString name = ExportFileName(
        Prompts::current().saveFileName(this, tr("Export Log"), QString(),
                                        filters.join(QLatin1String(";;")), &selected),
        selected);
    if (name.isEmpty())
        return;
    exportTo(name);
}

bool CLogWindow::exportTo(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    QByteArray page;
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("jsonl")) {
        QList<EVENT> rows;
        rows.reserve(m_pModel->rowCount());
        for (int row = 0; row < m_pModel->rowCount(); ++row)
            rows.append(m_pModel->event(row));
        const QSettings settings;
        QHash<quint8, QString> names;
        const auto nameOf = [&settings, &names](quint8 module) {
            auto it = names.find(module);
            if (it == names.end()) {
                it = names.insert(
                    module,
                    settings.value(SettingsKeys::moduleName(module), QString::number(module))
                        .toString());
            }
            return it.value();
        };
        page = suffix == QLatin1String("csv") ? LogDataExporter::csv(rows, nameOf)
                                              : LogDataExporter::jsonLines(rows, nameOf);
    } else {
        const QStringList headings = {
            tr("Date/Time"),    tr("Duration"),  tr("Module"),          tr("Signal Type"),
            tr("Signal Level"), tr("Exceeding"), tr("Frequency (MHz)"),
        };
        page = LogHtmlExporter::page(*m_pModel, tr("KESTREL Event Log"), headings);
    }
    QString error;
    if (!LogFile::writeFile(path, page, &error)) {
        reportFileError(tr("Cannot write the file %1:\n%2"), path, error);
        return false;
    }
    return true;
}

void CLogWindow::OnClearButton()
{
    if (!Prompts::current().question(this, QCoreApplication::applicationName(),
                                     tr("Do you want to clear the log?")))
        return;
    m_fileMode = 0;
    if (m_pEventLog)
        m_pEventLog->Clear();
    refresh();
    setLiveControlsEnabled(true);
}

void CLogWindow::OnFilterButton()
{
    CLogFilterDialog dialog(&m_filter, nullptr);
    if (execFilterDialog(dialog))
        refresh();
}

int CLogWindow::currentRow() const
{
    const QModelIndex current = m_ui->m_pTreeWidget->currentIndex();
    return current.isValid() ? current.row() : -1;
}

int CLogWindow::rowFrequency(int row) const
{
    bool ok = false;
    const int f = m_pModel->text(row, EventTableModel::FrequencyColumn).trimmed().toInt(&ok);
    return ok ? f : 0;
}

int CLogWindow::rowModule(int row) const
{
    // The whole number after the padding, up to the blank before the name.
    const QString text = m_pModel->text(row, EventTableModel::ModuleColumn);
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == u' ')
        ++start;
    qsizetype end = text.indexOf(u' ', start);
    if (end < 0)
        end = text.size();
    return text.mid(start, end - start).toInt();
}

void CLogWindow::OnTreeContextMenu(const QPoint &pos)
{
    const int row = currentRow();
    if (row < 0)
        return;
    QMenu menu(this);
    if (rowFrequency(row) != 0) {
        menu.addAction(tr("Bypass this frequency"), this, &CLogWindow::OnBypassThisFreq);
        menu.addAction(tr("Bypass this frequency for all"), this,
                       &CLogWindow::OnBypassThisFreqForAll);
    }
    menu.addAction(tr("Send this item to the external receiver via USB"), this,
                   &CLogWindow::OnSendThisFreqToExt);
    // The request comes in viewport coordinates.
    execMenu(menu, m_ui->m_pTreeWidget->viewport()->mapToGlobal(pos));
}

bool CLogWindow::writeBypass(quint8 &module)
{
    const int row = currentRow();
    if (row < 0 || !m_pDevice)
        return false;
    module = quint8(rowModule(row));
    const quint16 f = quint16(rowFrequency(row));
    ModuleRecords::writeManualBypass(m_pDevice->record(module), f, f);
    return true;
}

void CLogWindow::OnBypassThisFreq()
{
    QMutexLocker lock(&StationGlobals::settingsMutex());
    quint8 module = 0;
    if (!writeBypass(module))
        return;
    Acknowledgements::expect(1);
}

void CLogWindow::OnBypassThisFreqForAll()
{
    QMutexLocker lock(&StationGlobals::settingsMutex());
    quint8 module = 0;
    if (!writeBypass(module))
        return;
    Acknowledgements::expect(StationGlobals::correctModules);
    // Into the records only: the one-shot bytes are never stored.
    ModuleRecords(*m_pDevice).copyToAll(module, 2, SettingsBlock::BypassBeginHi, 5);
}

void CLogWindow::OnSendThisFreqToExt()
{
    if (!StationGlobals::externalReceiverAttached) {
        Prompts::current().message(this, QMessageBox::Critical, tr("Error"),
                                   tr("NO SEARCHING MODUL!!!"));
        return;
    }
    const int row = currentRow();
    if (row < 0)
        return;
    StationGlobals::externalReceiverFreq = rowFrequency(row);
    StationGlobals::externalReceiverType = m_pModel->event(row).nType;
}

void CLogWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        m_pModel->retranslate();
        refresh();
        return;
    }
    QDockWidget::changeEvent(event);
}

QString CLogWindow::ExportFileName(const QString &typed, const QString &selectedFilter)
{
    static const QStringList formats = { QStringLiteral("htm"), QStringLiteral("html"),
                                         QStringLiteral("csv"), QStringLiteral("jsonl") };
    if (typed.isEmpty() || formats.contains(QFileInfo(typed).suffix().toLower()))
        return typed;
    // "Web page (*.htm)" -> ".htm"
    const qsizetype star = selectedFilter.indexOf(QLatin1String("*."));
    return star < 0 ? typed : typed + selectedFilter.mid(star + 1).section(u')', 0, 0);
}

bool CLogWindow::execFilterDialog(CLogFilterDialog &dialog)
{
    return dialog.exec() == QDialog::Accepted;
}

void CLogWindow::execMenu(QMenu &menu, const QPoint &globalPos)
{
    menu.exec(globalPos);
}
