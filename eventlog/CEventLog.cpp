#include "eventlog/CEventLog.h"

#include "eventlog/EventJournal.h"
#include "eventlog/SyslogForwarder.h"
#include "settings/SettingsKeys.h"

#include <QDateTime>
#include <QMutexLocker>
#include <QSettings>

CEventLog::CEventLog()
    : m_clock([] { return QDateTime::currentSecsSinceEpoch(); })
{
}

CEventLog::~CEventLog()
{
    QSettings settings;
    settings.setValue(SettingsKeys::Limit, m_limit);
}

void CEventLog::LoadSettings()
{
    // A value that is no number would read as 0, "no limit", and let the
    // store grow without bound; one below 1 would drop every finished event
    // at once. Neither is a limit the log window sets: both count as absent.
    QSettings settings;
    bool ok = false;
    const int limit = settings.value(SettingsKeys::Limit, DefaultLimit).toInt(&ok);
    m_limit = ok && limit >= 1 ? limit : DefaultLimit;
}

void CEventLog::AddData(const DATA &data)
{
    QMutexLocker lock(&m_mutex);
    MODULELOG &log = m_map[data.nID];
    log.limit = m_limit;
    // One clock reading per record: the channels differ by nothing measurable.
    const qint64 now = m_clock();

    for (int i = 0; i < DATA::ChannelCount; ++i) {
        const CHANNEL &ch = data.channel[i];
        EVENT *open = log.open[i];
        if (open) {
            if (ch.nState != 0 && open->nType == ch.nType) {
                open->tEndTime = now;
                open->nPeakLevel = qMax<qint16>(open->nPeakLevel, qint16(ch.nLevel));
                open->nThresholdLevel = qMax<qint16>(open->nThresholdLevel, qint16(ch.nThreshold));
                open->dFreqMHz = ch.dFreqMHz;
                if (m_journal)
                    m_journal->record(log.openId[i], *open);
                continue;
            }
            open->tEndTime = now;
            open->bInProgress = false;
            if (m_journal)
                m_journal->record(log.openId[i], *open);
            if (m_forwarder)
                m_forwarder->post({ SyslogEntry::EventEnd, *open, now });
            log.open[i] = nullptr;
        }
        if (ch.nState == 0)
            continue;

        EVENT e;
        e.bInProgress = true;
        e.tStartTime = e.tEndTime = now;
        e.nPeakLevel = qint16(ch.nLevel);
        e.nThresholdLevel = qint16(ch.nThreshold);
        e.dFreqMHz = ch.dFreqMHz;
        e.nType = ch.nType;
        e.nModule = data.nID;
        if (e.nThresholdLevel > e.nPeakLevel)
            continue; // below its threshold: not a detection yet

        log.events.push_back(e);
        log.open[i] = &log.events.back();
        log.openId[i] = ++m_lastId;
        if (m_journal)
            m_journal->record(m_lastId, e);
        if (m_forwarder)
            m_forwarder->post({ SyslogEntry::EventStart, e, now });
        trim(log);
    }
}

void CEventLog::trim(MODULELOG &log)
{
    if (log.limit == 0)
        return;
    // Events in progress are never removed. Once only those remain above the
    // limit, stop.
    std::size_t inProgress = 0;
    for (const EVENT *open : log.open)
        inProgress += open ? 1 : 0;

    std::deque<EVENT> &events = log.events;
    const std::size_t limit = log.limit < 0 ? 0 : std::size_t(log.limit);
    while (events.size() > limit && events.size() > inProgress) {
        if (events.front().bInProgress) {
            // Behind the newest events; whoever extends it follows it there.
            events.push_back(events.front());
            for (EVENT *&open : log.open)
                if (open == &events.front())
                    open = &events.back();
        }
        events.pop_front();
    }
}

void CEventLog::GetEvents(QList<EVENT> &out, int mode)
{
    QMutexLocker lock(&m_mutex);
    if (mode == 0) {
        // Sized once and copied by index: a log window takes all of a full
        // store (255 modules x 1000 events) on every refresh.
        qsizetype total = 0;
        for (const auto &bucket : m_map)
            total += qsizetype(bucket.second.events.size());
        qsizetype at = out.size();
        out.resize(at + total);
        EVENT *dst = out.data();
        for (const auto &bucket : m_map) {
            for (const EVENT &e : bucket.second.events)
                dst[at++] = e;
        }
        return;
    }
    for (const auto &bucket : m_map) {
        for (const EVENT &e : bucket.second.events) {
            if ((mode == 1 && !e.bInProgress) || (mode == 2 && e.bInProgress))
                out.append(e);
        }
    }
}

void CEventLog::Clear()
{
    QMutexLocker lock(&m_mutex);
    m_map.clear();
    if (m_journal)
        m_journal->clear();
}

void CEventLog::Restore(const QList<EVENT> &events)
{
    QMutexLocker lock(&m_mutex);
    for (const EVENT &e : events) {
        MODULELOG &log = m_map[e.nModule];
        log.events.push_back(e);
        log.events.back().bInProgress = false;
    }
}

QString CEventLog::ModuleName(const EVENT &e)
{
    QSettings settings;
    return ModuleName(e.nModule, settings);
}

QString CEventLog::ModuleName(quint8 module, const QSettings &settings)
{
    const QString number = QString::number(module);
    return QStringLiteral("%1 %2").arg(number, 2).arg(
        settings.value(SettingsKeys::moduleName(module), number).toString());
}
