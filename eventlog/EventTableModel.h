#pragma once
// The log window's table: copies of the events, their seven column texts made
// on demand, and sorting that orders rows exactly as the texts compare
// (ties keep their previous order), without formatting every row.

#include "eventlog/Event.h"
#include "eventlog/LocalTimeCache.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>

#include <vector>

class EventTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        DateTimeColumn,
        DurationColumn,
        ModuleColumn,
        SignalTypeColumn,
        SignalLevelColumn,
        ExceedingColumn,
        FrequencyColumn,
        ColumnCount
    };

    explicit EventTableModel(QObject *parent = nullptr);

    // Replaces the rows: added in list order, then placed by the sort column.
    // Gives back the previous list, whose memory can serve the next refresh.
    QList<EVENT> setEvents(QList<EVENT> events);
    const EVENT &event(int row) const { return m_events.at(m_order[size_t(row)]); }
    QString text(int row, int column) const;

    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    // Headings and "In progress" anew after a language change.
    void retranslate();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Column texts of one event; moduleName is CEventLog::ModuleName of it.
    static QString headerText(int column);
    static QString durationText(const EVENT &e);
    static QString levelText(const EVENT &e);
    static QString exceedingText(const EVENT &e);
    static QString frequencyText(const EVENT &e);

private:
    QString moduleText(quint8 module) const;
    void loadModuleNames();
    // Reorders m_order by column; rows of equal text keep their current order.
    void sortRows(int column, Qt::SortOrder order);
    bool timeKeys(std::vector<quint64> &keys) const;
    void textRankKeys(int column, std::vector<quint64> &keys) const;

    QList<EVENT> m_events;        // working list order
    std::vector<quint32> m_order; // row -> index into m_events
    // Sorting buffers, kept between refreshes (a full store has 255,000 rows).
    std::vector<quint64> m_keys, m_scratch;
    std::vector<quint32> m_sorted;
    QString m_moduleNames[256];
    mutable LocalTimeCache m_localTime;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
