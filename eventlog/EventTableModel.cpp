#include "eventlog/EventTableModel.h"

#include "eventlog/CEventLog.h"
#include "net/CSignalTypeStr.h"
#include "net/WireProtocol.h"

#include <QCoreApplication>
#include <QHash>
#include <QSettings>

#include <algorithm>
#include <bitset>
#include <cstring>

namespace {

// The window's texts belong to the log window's translation context.
const char *const kHeaders[EventTableModel::ColumnCount] = {
    QT_TRANSLATE_NOOP("CLogWindow", "Date/Time"),    QT_TRANSLATE_NOOP("CLogWindow", "Duration"),
    QT_TRANSLATE_NOOP("CLogWindow", "Module"),       QT_TRANSLATE_NOOP("CLogWindow", "Signal Type"),
    QT_TRANSLATE_NOOP("CLogWindow", "Signal Level"), QT_TRANSLATE_NOOP("CLogWindow", "Exceeding"),
    QT_TRANSLATE_NOOP("CLogWindow", "Freq. (MHz)"),
};

QString dbmText(int value)
{
    return QCoreApplication::translate("CLogWindow", "%1 dBm").arg(value, 4);
}

// Identifies rows of equal text in a column without making the text.
qint64 textClass(const EVENT &e, int column)
{
    const bool traffic = CSignalTypeStr::isTraffic(e.nType);
    switch (column) {
    case EventTableModel::DurationColumn: {
        if (e.bInProgress)
            return -1;
        const qint64 d = e.tEndTime - e.tStartTime;
        return (d < 0 ? -d : d) % 86400;
    }
    case EventTableModel::ModuleColumn:
        return e.nModule;
    case EventTableModel::SignalTypeColumn:
        return e.nType;
    case EventTableModel::SignalLevelColumn:
        return (qint64(traffic) << 32) | quint16(e.nPeakLevel);
    case EventTableModel::ExceedingColumn:
        return (qint64(traffic) << 32) | (int(e.nPeakLevel) - int(e.nThresholdLevel) + 100000);
    case EventTableModel::FrequencyColumn: {
        if (!(e.dFreqMHz > 0))
            return -1;
        qint64 bits;
        std::memcpy(&bits, &e.dFreqMHz, sizeof bits);
        return bits;
    }
    default:
        return e.tStartTime;
    }
}

} // namespace

EventTableModel::EventTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

QString EventTableModel::headerText(int column)
{
    if (column < 0 || column >= ColumnCount)
        return QString();
    return QCoreApplication::translate("CLogWindow", kHeaders[column]);
}

QString EventTableModel::durationText(const EVENT &e)
{
    if (e.bInProgress)
        return QCoreApplication::translate("CLogWindow", "In progress");
    qint64 d = e.tEndTime - e.tStartTime;
    if (d < 0)
        d = -d;
    d %= 86400; // a clock time: 24 hours start again from 0:00:00
    return QStringLiteral("%1:%2:%3")
        .arg(d / 3600)
        .arg(d / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(d % 60, 2, 10, QLatin1Char('0'));
}

QString EventTableModel::levelText(const EVENT &e)
{
    if (CSignalTypeStr::isTraffic(e.nType))
        return QString::number(e.nPeakLevel + Wire::LevelOffset) + QLatin1Char('%');
    return dbmText(e.nPeakLevel);
}

QString EventTableModel::exceedingText(const EVENT &e)
{
    const int exceeding = e.nPeakLevel - e.nThresholdLevel;
    if (CSignalTypeStr::isTraffic(e.nType))
        return QString::number(exceeding) + QLatin1Char('%');
    return dbmText(exceeding);
}

QString EventTableModel::frequencyText(const EVENT &e)
{
    if (!(e.dFreqMHz > 0))
        return QString();
    return QStringLiteral("%1").arg(e.dFreqMHz, 4, 'g', 6);
}

void EventTableModel::loadModuleNames()
{
    std::bitset<256> present;
    for (const EVENT &e : std::as_const(m_events))
        present.set(e.nModule);
    const QSettings settings;
    for (int m = 0; m < 256; ++m)
        m_moduleNames[m] =
            present.test(size_t(m)) ? CEventLog::ModuleName(quint8(m), settings) : QString();
}

QString EventTableModel::moduleText(quint8 module) const
{
    return m_moduleNames[module];
}

QString EventTableModel::text(int row, int column) const
{
    const EVENT &e = event(row);
    switch (column) {
    case DateTimeColumn:
        return m_localTime.text(e.tStartTime);
    case DurationColumn:
        return durationText(e);
    case ModuleColumn:
        return moduleText(e.nModule);
    case SignalTypeColumn:
        return CSignalTypeStr::name(e.nType);
    case SignalLevelColumn:
        return levelText(e);
    case ExceedingColumn:
        return exceedingText(e);
    case FrequencyColumn:
        return frequencyText(e);
    default:
        return QString();
    }
}

QList<EVENT> EventTableModel::setEvents(QList<EVENT> events)
{
    beginResetModel();
    m_events.swap(events);
    m_localTime = LocalTimeCache(); // the zone may have changed since
    m_order.resize(size_t(m_events.size()));
    for (size_t i = 0; i < m_order.size(); ++i)
        m_order[i] = quint32(i);
    loadModuleNames();
    if (m_sortColumn >= 0)
        sortRows(m_sortColumn, m_sortOrder);
    endResetModel();
    return events;
}

void EventTableModel::retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (!m_order.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int EventTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_order.size());
}

int EventTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EventTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        if (index.column() == SignalTypeColumn || index.column() == SignalLevelColumn)
            return int(Qt::AlignCenter);
        return QVariant();
    case Qt::UserRole:
        if (index.column() == SignalTypeColumn)
            return event(index.row()).nType;
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant EventTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return headerText(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags EventTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void EventTableModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList persistent = persistentIndexList();
    const std::vector<quint32> oldOrder = m_order;
    sortRows(column, order);

    // Persistent indexes (current row, selection) follow their events.
    std::vector<int> newRowOf(m_events.size());
    for (size_t row = 0; row < m_order.size(); ++row)
        newRowOf[size_t(m_order[row])] = int(row);
    QModelIndexList to;
    to.reserve(persistent.size());
    for (const QModelIndex &from : persistent)
        to.append(index(newRowOf[size_t(oldOrder[size_t(from.row())])], from.column()));
    changePersistentIndexList(persistent, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

bool EventTableModel::timeKeys(std::vector<quint64> &keys) const
{
    for (size_t row = 0; row < m_order.size(); ++row) {
        if (!m_localTime.sortKey(m_events.at(m_order[row]).tStartTime, keys[row]))
            return false;
    }
    return true;
}

void EventTableModel::textRankKeys(int column, std::vector<quint64> &keys) const
{
    // One text per distinct class, ranked by plain text comparison; equal
    // texts share a rank.
    QHash<qint64, int> slotOf;
    QList<QString> texts;
    std::vector<int> slot(m_order.size());
    for (size_t row = 0; row < m_order.size(); ++row) {
        const EVENT &e = m_events.at(m_order[row]);
        const qint64 cls = textClass(e, column);
        auto it = slotOf.constFind(cls);
        if (it == slotOf.constEnd()) {
            it = slotOf.insert(cls, int(texts.size()));
            texts.append(text(int(row), column));
        }
        slot[row] = it.value();
    }
    std::vector<int> byText(size_t(texts.size()));
    for (size_t i = 0; i < byText.size(); ++i)
        byText[i] = int(i);
    std::sort(byText.begin(), byText.end(),
              [&texts](int a, int b) { return texts.at(a).compare(texts.at(b)) < 0; });
    std::vector<quint64> rank(byText.size());
    quint64 r = 0;
    for (size_t i = 0; i < byText.size(); ++i) {
        if (i > 0 && texts.at(byText[i]) != texts.at(byText[i - 1]))
            ++r;
        rank[size_t(byText[i])] = r;
    }
    for (size_t row = 0; row < m_order.size(); ++row)
        keys[row] = rank[size_t(slot[row])];
}

void EventTableModel::sortRows(int column, Qt::SortOrder order)
{
    m_sortColumn = column;
    m_sortOrder = order;
    const size_t n = m_order.size();
    if (n < 2)
        return;
    m_keys.resize(n);
    if (column != DateTimeColumn || !timeKeys(m_keys))
        textRankKeys(column, m_keys);

    quint64 maxKey = *std::max_element(m_keys.cbegin(), m_keys.cend());
    if (order == Qt::DescendingOrder) {
        // Ascending on the mirrored key is descending with ties kept in order.
        for (quint64 &key : m_keys)
            key = maxKey - key;
        maxKey = *std::max_element(m_keys.cbegin(), m_keys.cend());
    }
    int keyBits = 0;
    while (keyBits < 64 && (maxKey >> keyBits) != 0)
        ++keyBits;
    int rowBits = 0;
    while ((quint64(n - 1) >> rowBits) != 0)
        ++rowBits;

    m_sorted.resize(n);
    if (keyBits + rowBits > 64) {
        // Not reached by event times or text ranks; kept for safety.
        std::vector<quint32> rows(n);
        for (size_t i = 0; i < n; ++i)
            rows[i] = quint32(i);
        std::stable_sort(rows.begin(), rows.end(),
                         [this](quint32 a, quint32 b) { return m_keys[a] < m_keys[b]; });
        for (size_t i = 0; i < n; ++i)
            m_sorted[i] = m_order[rows[i]];
        m_order.swap(m_sorted);
        return;
    }

    // Key above the current row in one word; an LSD radix sort on the key
    // bits is stable, so rows of equal text keep their current order.
    for (size_t row = 0; row < n; ++row)
        m_keys[row] = (m_keys[row] << rowBits) | row;
    m_scratch.resize(n);
    constexpr int DigitBits = 11;
    constexpr quint64 DigitMask = (quint64(1) << DigitBits) - 1;
    std::vector<size_t> count(size_t(DigitMask) + 1);
    for (int shift = rowBits; shift < rowBits + keyBits; shift += DigitBits) {
        std::fill(count.begin(), count.end(), 0);
        for (const quint64 entry : m_keys)
            ++count[(entry >> shift) & DigitMask];
        size_t sum = 0;
        for (size_t &c : count) {
            const size_t here = c;
            c = sum;
            sum += here;
        }
        for (const quint64 entry : m_keys)
            m_scratch[count[(entry >> shift) & DigitMask]++] = entry;
        m_keys.swap(m_scratch);
    }

    const quint64 rowMask = rowBits == 0 ? 0 : (~quint64(0) >> (64 - rowBits));
    for (size_t i = 0; i < n; ++i)
        m_sorted[i] = m_order[size_t(m_keys[i] & rowMask)];
    m_order.swap(m_sorted);
}
