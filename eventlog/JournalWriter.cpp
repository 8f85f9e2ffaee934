#include "eventlog/JournalWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace {

// SQLite's primary result codes for a file that is damaged or no database.
constexpr int SqliteCorrupt = 11;
constexpr int SqliteNotADatabase = 26;

const char *const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS events("
    " id INTEGER PRIMARY KEY, start_time INTEGER NOT NULL, end_time INTEGER NOT NULL,"
    " peak_level INTEGER NOT NULL, threshold_level INTEGER NOT NULL, freq_mhz REAL NOT NULL,"
    " type INTEGER NOT NULL, in_progress INTEGER NOT NULL, module INTEGER NOT NULL)",
    "CREATE INDEX IF NOT EXISTS events_by_module ON events(module, id)",
    "CREATE INDEX IF NOT EXISTS events_by_end ON events(end_time)",
    "CREATE TABLE IF NOT EXISTS journal_state(name TEXT PRIMARY KEY, value INTEGER NOT NULL)",
};

QString describe(const QSqlError &error)
{
    return error.text().trimmed();
}

} // namespace

JournalWriter::JournalWriter(const QString &path, int retentionDays)
    : m_path(path)
    , m_connection(QStringLiteral("journal-%1").arg(quintptr(this), 0, 16))
    , m_retentionDays(retentionDays)
{
}

JournalWriter::~JournalWriter()
{
    closeDatabase();
}

void JournalWriter::enqueue(qint64 id, const EVENT &e)
{
    bool early = false;
    {
        QMutexLocker lock(&m_mutex);
        if (m_batches.isEmpty() || m_batches.last().clearAfter)
            m_batches.append(Batch());
        QHash<qint64, EVENT> &changes = m_batches.last().changes;
        const auto it = changes.find(id);
        if (it != changes.end()) {
            *it = e;
        } else if (m_waiting.load() < m_maxWaiting) {
            changes.insert(id, e);
            early = ++m_waiting >= EarlyCommitCount;
        } else {
            ++m_keptOut;
        }
    }
    if (early && !m_earlyCommitDue.exchange(true))
        QMetaObject::invokeMethod(this, &JournalWriter::commit, Qt::QueuedConnection);
}

void JournalWriter::enqueueClear()
{
    QMutexLocker lock(&m_mutex);
    if (m_batches.isEmpty())
        m_batches.append(Batch());
    m_batches.last().clearAfter = true;
}

bool JournalWriter::isDamage(const QSqlError &error)
{
    const int code = error.nativeErrorCode().toInt() & 0xFF;
    return code == SqliteCorrupt || code == SqliteNotADatabase;
}

bool JournalWriter::openOnce(QString *error, bool *damaged)
{
    *damaged = false;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        *error = tr("The SQLite driver of Qt is not installed.");
        return false;
    }
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder)) {
        *error = tr("Cannot create the folder %1.").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    QSqlDatabase db = QSqlDatabase::contains(m_connection)
        ? QSqlDatabase::database(m_connection, false)
        : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    if (!db.open()) {
        *error = describe(db.lastError());
        *damaged = isDamage(db.lastError());
        return false;
    }
    QSqlQuery query(db);
    // Write-ahead log, synced at every commit: a crash of the station loses
    // nothing committed, a power cut at most the batch being written.
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !query.next()
        || query.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
        *error = query.lastError().isValid() ? describe(query.lastError())
                                             : tr("The write-ahead log cannot be used.");
        *damaged = isDamage(query.lastError());
        return false;
    }
    // A page cache and a mapping large enough for a full network's events:
    // index updates and the read-back at start-up then rarely read the file.
    for (const char *statement : { "PRAGMA synchronous=FULL", "PRAGMA busy_timeout=2000",
                                   "PRAGMA cache_size=-16384", "PRAGMA mmap_size=268435456" }) {
        if (!query.exec(QString::fromLatin1(statement))) {
            *error = describe(query.lastError());
            *damaged = isDamage(query.lastError());
            return false;
        }
    }
    // Damage that opening does not notice (a page used twice, a broken free
    // list) is found before anything is written into the file.
    if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next()) {
        *error = describe(query.lastError());
        *damaged = isDamage(query.lastError());
        return false;
    }
    if (const QString verdict = query.value(0).toString(); verdict != QLatin1String("ok")) {
        *error = verdict;
        *damaged = true;
        return false;
    }
    query.finish();
    for (const char *statement : kSchema) {
        if (!query.exec(QString::fromLatin1(statement))) {
            *error = describe(query.lastError());
            *damaged = isDamage(query.lastError());
            return false;
        }
    }
    return true;
}

void JournalWriter::closeDatabase()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    m_open = false;
}

bool JournalWriter::setAside()
{
    // Kept for inspection, never deleted: the next free name beside it.
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString target = QStringLiteral("%1.damaged-%2").arg(m_path, stamp);
    for (int n = 2; QFile::exists(target); ++n)
        target = QStringLiteral("%1.damaged-%2-%3").arg(m_path, stamp).arg(n);
    if (!QFile::rename(m_path, target))
        return false;
    for (const char *suffix : { "-wal", "-shm" }) {
        const QString side = m_path + QLatin1String(suffix);
        if (QFile::exists(side))
            QFile::rename(side, target + QLatin1String(suffix));
    }
    m_rows.clear(); // they were rows of the old file
    emit fileSetAside(target);
    return true;
}

bool JournalWriter::openDatabase(QString *error)
{
    bool damaged = false;
    if (openOnce(error, &damaged))
        return true;
    closeDatabase();
    if (!damaged || !setAside())
        return false;
    if (openOnce(error, &damaged))
        return true;
    closeDatabase();
    return false;
}

bool JournalWriter::restore(int limit, QList<EVENT> *restored, QString *error, bool *damaged)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    const auto failed = [&](const QSqlQuery &q) {
        *error = describe(q.lastError());
        *damaged = isDamage(q.lastError());
        return false;
    };
    qint64 cleared = 0;
    if (!query.exec(QStringLiteral("SELECT value FROM journal_state WHERE name='cleared_through'")))
        return failed(query);
    if (query.next())
        cleared = query.value(0).toLongLong();
    // The store never trims an event in progress, however old: those the
    // station stopped with are given back whatever the limit, like the store
    // held them, and fill the limit before older ready ones.
    QHash<int, QList<qint64>> openRows;
    if (!query.exec(QStringLiteral("SELECT module, id FROM events WHERE in_progress<>0 AND id>%1")
                        .arg(cleared)))
        return failed(query);
    while (query.next())
        openRows[query.value(0).toInt()].append(query.value(1).toLongLong());
    // Events in progress when the station stopped end at their last update.
    if (!query.exec(QStringLiteral("UPDATE events SET in_progress=0 WHERE in_progress<>0")))
        return failed(query);

    QList<int> modules;
    if (!query.exec(QStringLiteral("SELECT DISTINCT module FROM events WHERE id>%1 ORDER BY module")
                        .arg(cleared)))
        return failed(query);
    while (query.next())
        modules.append(query.value(0).toInt());

    QSqlQuery select(db);
    select.setForwardOnly(true);
    if (!select.prepare(QStringLiteral(
            "SELECT start_time, end_time, peak_level, threshold_level, freq_mhz, type, module, id"
            " FROM events WHERE module=? AND id>? ORDER BY id DESC LIMIT ?")))
        return failed(select);
    QSqlQuery one(db);
    one.setForwardOnly(true);
    if (!one.prepare(QStringLiteral(
            "SELECT start_time, end_time, peak_level, threshold_level, freq_mhz, type, module, id"
            " FROM events WHERE id=?")))
        return failed(one);
    const auto eventOf = [](const QSqlQuery &q) {
        EVENT e;
        e.tStartTime = q.value(0).toLongLong();
        e.tEndTime = q.value(1).toLongLong();
        e.nPeakLevel = qint16(q.value(2).toInt());
        e.nThresholdLevel = qint16(q.value(3).toInt());
        e.dFreqMHz = q.value(4).toDouble();
        e.nType = q.value(5).toInt();
        e.nModule = quint8(q.value(6).toInt());
        return std::make_pair(q.value(7).toLongLong(), e);
    };
    std::vector<std::pair<qint64, EVENT>> rows; // one module's, with their ids
    for (int module : modules) {
        // The newest events in progress at the stop first, then the newest
        // others up to the limit.
        QList<qint64> open = openRows.value(module);
        std::sort(open.begin(), open.end(), std::greater<qint64>());
        if (limit > 0 && open.size() > limit)
            open.resize(limit);
        rows.clear();
        for (const qint64 id : std::as_const(open)) {
            one.bindValue(0, id);
            if (!one.exec())
                return failed(one);
            if (one.next())
                rows.push_back(eventOf(one));
            else if (one.lastError().isValid())
                return failed(one);
        }
        select.bindValue(0, module);
        select.bindValue(1, cleared);
        select.bindValue(2, limit > 0 ? limit : -1);
        if (!select.exec())
            return failed(select);
        while ((limit <= 0 || qsizetype(rows.size()) < limit) && select.next()) {
            if (!open.contains(select.value(7).toLongLong()))
                rows.push_back(eventOf(select));
        }
        if (select.lastError().isValid())
            return failed(select);
        std::sort(rows.begin(), rows.end(),
                  [](const auto &a, const auto &b) { return a.first < b.first; }); // oldest first
        for (const auto &row : rows)
            restored->append(row.second);
    }
    return true;
}

bool JournalWriter::openAndRestore(int limit, QList<EVENT> *restored, QString *error)
{
    restored->clear();
    bool damaged = false;
    if (openDatabase(error)) {
        if (restore(limit, restored, error, &damaged)) {
            m_open = true; // trimmed at the first tick, not during start-up
            return true;
        }
        restored->clear();
        closeDatabase();
        // Damage found while reading: a fresh journal, the old one kept aside.
        if (damaged && setAside() && openDatabase(error)) {
            m_open = true;
            return true;
        }
    }
    m_working = false;
    return false;
}

void JournalWriter::startTimer()
{
    if (!m_timer) {
        m_timer = new QTimer(this);
        connect(m_timer, &QTimer::timeout, this, &JournalWriter::tick);
    }
    m_timer->start(CommitIntervalMs);
}

void JournalWriter::tick()
{
    ++m_ticks;
    if (!m_open) {
        if (m_ticks % qMax(1, m_retryTicks) != 0)
            return;
        QString error;
        if (!openDatabase(&error))
            return;
        m_open = true;
    }
    commit();
    if (m_open && (m_ticks == 1 || m_ticks % TrimTicks == 0))
        trimOld();
}

void JournalWriter::commit()
{
    // While the journal is closed the early-commit request stays pending, so
    // the record path does not post one per change.
    if (!m_open)
        return;
    m_earlyCommitDue = false;
    QList<Batch> batches;
    int taken = 0;
    {
        // They count as waiting until they are committed.
        QMutexLocker lock(&m_mutex);
        batches.swap(m_batches);
        taken = m_waiting.load();
    }
    if (!batches.isEmpty()) {
        const QHash<qint64, qint64> rowsBefore = m_rows;
        QString error;
        bool damaged = false;
        if (!writeBatches(batches, &error, &damaged)) {
            m_rows = rowsBefore;
            // Back in front of what came meanwhile, merged so that a journal
            // failing for long holds each event once.
            QMutexLocker lock(&m_mutex);
            for (Batch &later : m_batches) {
                if (batches.last().clearAfter) {
                    batches.append(std::move(later));
                    continue;
                }
                for (auto it = later.changes.cbegin(); it != later.changes.cend(); ++it)
                    batches.last().changes.insert(it.key(), it.value());
                batches.last().clearAfter = later.clearAfter;
            }
            int waiting = 0;
            for (const Batch &b : batches)
                waiting += int(b.changes.size());
            m_batches = std::move(batches);
            m_waiting = waiting;
            lock.unlock();
            fail(error, damaged);
            return;
        }
        m_waiting -= taken;
        if (taken >= BurstCommitCount) {
            // The allocator would keep the burst's queue for good.
            batches = QList<Batch>();
#ifdef __GLIBC__
            malloc_trim(0);
#endif
        }
    }
    if (const int out = m_keptOut.exchange(0); out > 0) {
        // Reported once per commit that finds some; the next commit without
        // any reports the journal working again.
        m_working = false;
        emit stateChanged(false,
                          tr("%1 events came faster than the journal could take them; "
                             "they are kept in memory only.")
                              .arg(out));
        return;
    }
    if (!m_working) {
        m_working = true;
        emit stateChanged(true, QString());
    }
}

bool JournalWriter::writeBatches(const QList<Batch> &batches, QString *error, bool *damaged)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    const auto failed = [&](const QSqlError &e) {
        *error = describe(e);
        *damaged = isDamage(e);
        db.rollback();
        return false;
    };
    if (!db.transaction())
        return failed(db.lastError());
    QSqlQuery insert(db);
    QSqlQuery update(db);
    QSqlQuery other(db);
    if (!insert.prepare(QStringLiteral(
            "INSERT INTO events(start_time, end_time, peak_level, threshold_level, freq_mhz,"
            " type, in_progress, module) VALUES(?, ?, ?, ?, ?, ?, ?, ?)")))
        return failed(insert.lastError());
    if (!update.prepare(QStringLiteral(
            "UPDATE events SET end_time=?, peak_level=?, threshold_level=?, freq_mhz=?,"
            " in_progress=? WHERE id=?")))
        return failed(update.lastError());

    std::vector<qint64> ids;
    for (const Batch &batch : batches) {
        // In the order the store opened them, so that reading back by row
        // keeps each module's order.
        ids.clear();
        ids.reserve(size_t(batch.changes.size()));
        for (auto it = batch.changes.cbegin(); it != batch.changes.cend(); ++it)
            ids.push_back(it.key());
        std::sort(ids.begin(), ids.end());
        for (const qint64 id : ids) {
            const EVENT &e = batch.changes[id];
            const auto row = m_rows.find(id);
            if (row != m_rows.end()) {
                update.bindValue(0, e.tEndTime);
                update.bindValue(1, int(e.nPeakLevel));
                update.bindValue(2, int(e.nThresholdLevel));
                update.bindValue(3, e.dFreqMHz);
                update.bindValue(4, e.bInProgress ? 1 : 0);
                update.bindValue(5, row.value());
                if (!update.exec())
                    return failed(update.lastError());
                if (!e.bInProgress)
                    m_rows.erase(row); // closed: it changes no more
                continue;
            }
            insert.bindValue(0, e.tStartTime);
            insert.bindValue(1, e.tEndTime);
            insert.bindValue(2, int(e.nPeakLevel));
            insert.bindValue(3, int(e.nThresholdLevel));
            insert.bindValue(4, e.dFreqMHz);
            insert.bindValue(5, e.nType);
            insert.bindValue(6, e.bInProgress ? 1 : 0);
            insert.bindValue(7, int(e.nModule));
            if (!insert.exec())
                return failed(insert.lastError());
            if (e.bInProgress)
                m_rows.insert(id, insert.lastInsertId().toLongLong());
        }
        if (batch.clearAfter) {
            // What was there stays in the file but is not read back.
            if (!other.exec(QStringLiteral("UPDATE events SET in_progress=0 WHERE in_progress<>0"))
                || !other.exec(
                    QStringLiteral("INSERT OR REPLACE INTO journal_state(name, value)"
                                   " SELECT 'cleared_through', IFNULL(MAX(id), 0) FROM events")))
                return failed(other.lastError());
            m_rows.clear();
        }
    }
    if (!db.commit())
        return failed(db.lastError());
    return true;
}

void JournalWriter::trimOld()
{
    if (m_retentionDays <= 0 || !m_open)
        return;
    const qint64 before = QDateTime::currentSecsSinceEpoch() - qint64(m_retentionDays) * 86400;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("DELETE FROM events WHERE in_progress=0 AND end_time<?"));
    query.bindValue(0, before);
    if (!query.exec())
        fail(describe(query.lastError()), isDamage(query.lastError()));
}

void JournalWriter::fail(const QString &reason, bool damaged)
{
    closeDatabase();
    if (damaged && setAside()) {
        QString error;
        if (openDatabase(&error)) {
            m_open = true;
            commit(); // what waited goes into the fresh journal
            return;
        }
    }
    if (m_working) {
        m_working = false;
        emit stateChanged(false, reason);
    }
}

void JournalWriter::shutdown()
{
    if (m_timer)
        m_timer->stop();
    commit();
    closeDatabase();
}
