#pragma once
// The in-memory event log: turns the stream of module records into detection
// events per module and channel, and keeps at most "limit" events per module.

#include "eventlog/Event.h"
#include "net/Data.h"

#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>

#include <functional>
#include <deque>
#include <map>

class EventJournal;
class QSettings;
class SyslogForwarder;

// The store's bucket for one module. A deque keeps the events in chunks (fast
// to copy for a refresh) and its elements in place when the ends change, so the
// open references stay valid; trimming re-points the one event it moves.
struct MODULELOG
{
    std::deque<EVENT> events;                                        // oldest first
    qint32 limit = 0;                                                // 0: no limit
    EVENT *open[DATA::ChannelCount] = { nullptr, nullptr, nullptr }; // per channel
    qint64 openId[DATA::ChannelCount] = { 0, 0, 0 }; // their numbers for the journal
};

class CEventLog : public QObject
{
public:
    // Source of the current time in whole seconds since 1970 UTC.
    using Clock = std::function<qint64()>;
    static constexpr qint32 DefaultLimit = 1000;

    CEventLog();
    ~CEventLog() override;

    void LoadSettings();
    void AddData(const DATA &data);
    // Appends copies; mode 0: all, 1: ready only, 2: in progress only.
    void GetEvents(QList<EVENT> &out, int mode);
    void Clear();
    void SetLimit(int n) { m_limit = n; }
    int GetLimit() const { return m_limit; }

    // "%2d name": the module number padded to two characters and its stored name.
    static QString ModuleName(const EVENT &e);
    static QString ModuleName(quint8 module, const QSettings &settings);

    // Every change of an event is also handed to the journal (none: memory only).
    void SetJournal(EventJournal *journal) { m_journal = journal; }
    // Every event that opens or closes is also queued for the site's collector.
    void SetForwarder(SyslogForwarder *forwarder) { m_forwarder = forwarder; }
    // Fills the store from the journal at start-up: ready events, each
    // module's oldest first. The limit applies from the next new event on.
    void Restore(const QList<EVENT> &events);

    // Tests and benchmarks replace the wall clock.
    void setClock(Clock clock) { m_clock = std::move(clock); }

private:
    static void trim(MODULELOG &log);

    std::map<quint8, MODULELOG> m_map;
    qint32 m_limit = DefaultLimit;
    QMutex m_mutex;
    Clock m_clock;
    EventJournal *m_journal = nullptr;
    SyslogForwarder *m_forwarder = nullptr;
    qint64 m_lastId = 0; // events numbered in the order they open
};
