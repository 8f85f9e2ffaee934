#include "eventlog/LocalTimeCache.h"

#include <QDateTime>

namespace {

constexpr qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// Proleptic Gregorian date of a day count since 1970-01-01.
void civilFromDays(qint64 z, int &y, int &m, int &d)
{
    z += 719468;
    const qint64 era = floorDiv(z, 146097);
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

bool fromDateTime(qint64 t, LocalTimeCache::Fields &f)
{
    const QDateTime dt = QDateTime::fromSecsSinceEpoch(t);
    if (!dt.isValid())
        return false;
    const QDate date = dt.date();
    const QTime time = dt.time();
    f.year = date.year();
    f.month = date.month();
    f.day = date.day();
    f.hour = time.hour();
    f.minute = time.minute();
    f.second = time.second();
    return f.year >= 1 && f.year <= 9999;
}

bool parseSlowly(QStringView text, qint64 &t)
{
    const QDateTime dt =
        QDateTime::fromString(text.toString(), QLatin1String(LocalTimeCache::Format));
    if (!dt.isValid())
        return false;
    t = dt.toSecsSinceEpoch();
    return true;
}

// Two ASCII digits at p, or -1.
int twoDigits(const QChar *p)
{
    const char16_t a = p[0].unicode(), b = p[1].unicode();
    if (a < u'0' || a > u'9' || b < u'0' || b > u'9')
        return -1;
    return (a - u'0') * 10 + (b - u'0');
}

void putDigits(QChar *p, int value, int width)
{
    for (int i = width - 1; i >= 0; --i) {
        p[i] = QChar(u'0' + value % 10);
        value /= 10;
    }
}

} // namespace

int LocalTimeCache::hourOffset(qint64 hour)
{
    if (m_haveLast && hour == m_lastHour)
        return m_lastOffset;
    auto it = m_offsets.constFind(hour);
    int offset;
    if (it != m_offsets.constEnd()) {
        offset = it.value();
    } else {
        const QDateTime first = QDateTime::fromSecsSinceEpoch(hour * 3600);
        const QDateTime last = QDateTime::fromSecsSinceEpoch(hour * 3600 + 3599);
        offset = Varies;
        if (first.isValid() && last.isValid() && first.offsetFromUtc() == last.offsetFromUtc())
            offset = first.offsetFromUtc();
        m_offsets.insert(hour, offset);
    }
    m_haveLast = true;
    m_lastHour = hour;
    m_lastOffset = offset;
    return offset;
}

bool LocalTimeCache::fields(qint64 t, Fields &f)
{
    // Far outside the clock's range the platform's own conversion decides.
    if (t < -62135596800LL || t > 253402300799LL)
        return fromDateTime(t, f);
    const int offset = hourOffset(floorDiv(t, 3600));
    if (offset == Varies)
        return fromDateTime(t, f);
    const qint64 local = t + offset;
    const qint64 days = floorDiv(local, 86400);
    const qint64 secs = local - days * 86400;
    civilFromDays(days, f.year, f.month, f.day);
    f.hour = int(secs / 3600);
    f.minute = int(secs / 60 % 60);
    f.second = int(secs % 60);
    return f.year >= 1 && f.year <= 9999;
}

QString LocalTimeCache::text(qint64 t)
{
    Fields f;
    if (!fields(t, f))
        return QDateTime::fromSecsSinceEpoch(t).toString(QLatin1String(Format));
    QString s(19, Qt::Uninitialized);
    QChar *p = s.data();
    putDigits(p, f.day, 2);
    p[2] = u'.';
    putDigits(p + 3, f.month, 2);
    p[5] = u'.';
    putDigits(p + 6, f.year, 4);
    p[10] = u' ';
    putDigits(p + 11, f.hour, 2);
    p[13] = u':';
    putDigits(p + 14, f.minute, 2);
    p[16] = u':';
    putDigits(p + 17, f.second, 2);
    return s;
}

bool LocalTimeCache::sortKey(qint64 t, quint64 &key)
{
    Fields f;
    if (!fields(t, f))
        return false;
    // Fixed-width fields in text order: day, month, year, hour, minute, second.
    key = ((((quint64(f.day) * 13 + quint64(f.month)) * 10000 + quint64(f.year)) * 24
            + quint64(f.hour))
               * 60
           + quint64(f.minute))
            * 60
        + quint64(f.second);
    return true;
}

bool LocalTimeCache::parse(QStringView text, qint64 &t)
{
    // The platform's reader takes exactly these widths and checks these
    // ranges too: any other text is refused here at once, since reading it
    // there costs tens of microseconds (a hostile log file has a million).
    if (text.size() != 19 || text[2] != u'.' || text[5] != u'.' || text[10] != u' '
        || text[13] != u':' || text[16] != u':')
        return false;
    const QChar *p = text.constData();
    const int day = twoDigits(p), month = twoDigits(p + 3);
    const int century = twoDigits(p + 6), yearInCentury = twoDigits(p + 8);
    const int hour = twoDigits(p + 11), minute = twoDigits(p + 14), second = twoDigits(p + 17);
    if (day < 0 || month < 0 || century < 0 || yearInCentury < 0 || hour < 0 || minute < 0
        || second < 0 || hour > 23 || minute > 59 || second > 59)
        return false;
    const int year = century * 100 + yearInCentury;
    if (!QDate::isValid(year, month, day))
        return false;

    const qint64 hourKey = ((qint64(year) * 100 + month) * 100 + day) * 100 + hour;
    auto it = m_hourStart.constFind(hourKey);
    if (it == m_hourStart.constEnd()) {
        // An hour the clock skips or repeats is left to the platform.
        const QDate date(year, month, day);
        const QDateTime first(date, QTime(hour, 0, 0));
        const QDateTime last(date, QTime(hour, 59, 59));
        qint64 start = Irregular;
        if (first.isValid() && last.isValid() && first.time() == QTime(hour, 0, 0)
            && last.time() == QTime(hour, 59, 59)
            && last.toSecsSinceEpoch() - first.toSecsSinceEpoch() == 3599)
            start = first.toSecsSinceEpoch();
        it = m_hourStart.insert(hourKey, start);
    }
    if (it.value() == Irregular)
        return parseSlowly(text, t);
    t = it.value() + minute * 60 + second;
    return true;
}
