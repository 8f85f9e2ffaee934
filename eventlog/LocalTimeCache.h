#pragma once
// Local date and time of event times without a time-zone lookup per event:
// the offset from UTC is looked up once per hour, the calendar fields are
// derived arithmetically. Gives the "dd.MM.yyyy hh:mm:ss" text of the log and
// a sort key whose order equals the order of that text.

#include <QHash>
#include <QString>

class LocalTimeCache
{
public:
    struct Fields
    {
        int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    };

    // False when the local year lies outside 1 .. 9999 or the time is invalid.
    bool fields(qint64 t, Fields &f);
    // "dd.MM.yyyy hh:mm:ss" in local time.
    QString text(qint64 t);
    // Key ordered like text(); false where fields() is false.
    bool sortKey(qint64 t, quint64 &key);

private:
    static constexpr int Varies = -1000000; // offset changes inside the hour
    int hourOffset(qint64 hour);

    QHash<qint64, int> m_offsets;
    qint64 m_lastHour = 0;
    int m_lastOffset = Varies;
    bool m_haveLast = false;
};
