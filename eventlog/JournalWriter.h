#pragma once
// The journal's worker: lives on a thread of its own with its own SQLite
// connection, takes the changed events the store hands over and commits them
// in one transaction about every second (sooner when many wait), trims old
// events, and keeps retrying while the database cannot be used.

#include "eventlog/Event.h"

#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>

class JournalWriter : public QObject
{
    Q_OBJECT

public:
    static constexpr int CommitIntervalMs = 1000;
    // Waiting changes that bring the next commit forward.
    static constexpr int EarlyCommitCount = 20000;
    // Ticks between attempts to reopen a journal that failed.
    static constexpr int RetryTicks = 10;
    // Ticks between trims of events older than the retention.
    static constexpr int TrimTicks = 3600;
    // The queue's bound. The record path never waits, so beyond this many
    // waiting events (a journal failing for long, or a burst far faster than
    // the disk) new ones are kept in memory only, while changes to waiting
    // ones still fold into them; the journal then reports itself failed, so
    // that no event is left out of it unnoticed.
    static constexpr int MaxWaiting = 1000000;
    // A commit taking at least this many changes gives the memory of the burst back.
    static constexpr int BurstCommitCount = EarlyCommitCount;

    JournalWriter(const QString &path, int retentionDays);
    ~JournalWriter() override;

    // Any thread: the latest state of event `id` (the store's own number for
    // it), to be written with the next commit.
    void enqueue(qint64 id, const EVENT &e);
    // Any thread: the store was cleared; what was handed over before stays in
    // the journal but is not read back.
    void enqueueClear();
    int waiting() const { return m_waiting.load(); }
    // Before the opening; tests wait less.
    void setRetryTicks(int ticks) { m_retryTicks = ticks; }
    // Before the first change; tests use a smaller bound.
    void setMaxWaiting(int events) { m_maxWaiting = events; }
    // Events left out of the journal at the bound since the last commit.
    int keptOut() const { return m_keptOut.load(); }

    // Worker thread. Opens the database (setting a damaged file aside), closes
    // events left in progress and reads back per module the newest `limit`
    // events (0: all), oldest first. False, with `error`, when it cannot.
    bool openAndRestore(int limit, QList<EVENT> *restored, QString *error);
    // Writes what waits; on failure keeps it for the next attempt.
    void commit();
    void startTimer();
    // A last commit, then the connection closes.
    void shutdown();

signals:
    // Working or not, with the reason when not.
    void stateChanged(bool working, const QString &reason);
    // A damaged database file was renamed to `setAside`.
    void fileSetAside(const QString &setAside);

private:
    struct Batch
    {
        QHash<qint64, EVENT> changes;
        bool clearAfter = false;
    };

    bool openDatabase(QString *error);
    bool openOnce(QString *error, bool *damaged);
    void closeDatabase();
    bool restore(int limit, QList<EVENT> *restored, QString *error, bool *damaged);
    bool writeBatches(const QList<Batch> &batches, QString *error, bool *damaged);
    void trimOld();
    void tick();
    void fail(const QString &reason, bool damaged);
    bool setAside();
    static bool isDamage(const class QSqlError &error);

    const QString m_path;
    const QString m_connection;
    const int m_retentionDays;
    QTimer *m_timer = nullptr;
    bool m_open = false;
    bool m_working = true; // as last reported
    int m_ticks = 0;
    int m_retryTicks = RetryTicks;
    // The store's numbers of events in progress -> their rows.
    QHash<qint64, qint64> m_rows;

    mutable QMutex m_mutex;
    QList<Batch> m_batches; // oldest first; the last one takes new changes
    std::atomic<int> m_waiting{ 0 };
    int m_maxWaiting = MaxWaiting;
    std::atomic<int> m_keptOut{ 0 };
    std::atomic<bool> m_earlyCommitDue{ false };
};
