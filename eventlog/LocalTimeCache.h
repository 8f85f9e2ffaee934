#pragma once
// Local date and time of event times without a time-zone lookup per event:
// the offset from UTC is looked up once per hour, the calendar fields are
// derived arithmetically. Gives the "dd.MM.yyyy hh:mm:ss" text of the log, a
// sort key whose order equals the order of that text, and reads such a text back.

#include <QHash>
#include <QString>
#include <QStringView>

class LocalTimeCache
{
public:
    static constexpr const char *Format = "dd.MM.yyyy hh:mm:ss";

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
    // Reads Format as local time, as QDateTime::fromString does; false when
    // the text is no valid local time.
    bool parse(QStringView text, qint64 &t);

private:
    static constexpr int Varies = -1000000; // offset changes inside the hour
    int hourOffset(qint64 hour);

    static constexpr qint64 Irregular = -1000000000000LL; // the hour is skipped or repeated
    QHash<qint64, int> m_offsets;
    QHash<qint64, qint64> m_hourStart; // local hour -> UTC seconds, or Irregular
    qint64 m_lastHour = 0;
    int m_lastOffset = Varies;
    bool m_haveLast = false;
};
