#pragma once
// The durable event journal: every event of the store also kept in an SQLite
// database (write-ahead log) in the data folder. The store hands changes over
// on the record path; a worker thread commits them about once a second. At
// start-up the journal gives back what the store keeps; while it cannot be
// written the station works in memory and the journal keeps retrying.

#include "eventlog/Event.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QThread>

class JournalWriter;

class EventJournal : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultRetentionDays = 90;
    static QString fileName() { return QStringLiteral("journal.sqlite"); }
    // The per-user data folder of the application.
    static QString defaultFolder();

    // retentionDays 0 or less keeps events for ever.
    explicit EventJournal(const QString &folder, int retentionDays = DefaultRetentionDays,
                          QObject *parent = nullptr);
    ~EventJournal() override;

    // Opens the journal (a damaged file is set aside and a fresh one begun),
    // closes events left in progress at their last update and gives back per
    // module the newest `limit` events (0: all), oldest first. False, with
    // `error`, when the journal cannot be used now; it retries by itself.
    bool open(int limit, QList<EVENT> &restored, QString *error = nullptr);

    // The latest state of the store's event `id`; cheap, any thread.
    void record(qint64 id, const EVENT &e);
    // The store was cleared: nothing written so far is read back again.
    void clear();
    // Commits what waits now and returns when it is written (or failed).
    void flush();

    // Seconds between attempts while the journal cannot be used (before open()).
    void setRetrySeconds(int seconds);

    QString path() const { return m_path; }
    bool isWorking() const { return m_working; }
    int waiting() const;

signals:
    void failed(const QString &reason);
    void recovered();
    void fileSetAside(const QString &setAside);

private:
    void onStateChanged(bool working, const QString &reason);

    const QString m_path;
    QThread m_thread;
    JournalWriter *m_writer;
    bool m_working = false;
};
