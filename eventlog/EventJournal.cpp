#include "eventlog/EventJournal.h"

#include "eventlog/JournalWriter.h"

#include <QDir>
#include <QStandardPaths>

QString EventJournal::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

EventJournal::EventJournal(const QString &folder, int retentionDays, QObject *parent)
    : QObject(parent)
    , m_path(QDir(folder).filePath(fileName()))
    , m_writer(new JournalWriter(m_path, retentionDays))
{
    m_thread.setObjectName(QStringLiteral("journal"));
    m_writer->moveToThread(&m_thread);
    connect(m_writer, &JournalWriter::stateChanged, this, &EventJournal::onStateChanged,
            Qt::QueuedConnection);
    connect(m_writer, &JournalWriter::fileSetAside, this, &EventJournal::fileSetAside,
            Qt::QueuedConnection);
    m_thread.start();
}

EventJournal::~EventJournal()
{
    QMetaObject::invokeMethod(m_writer, &JournalWriter::shutdown, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    delete m_writer;
}

bool EventJournal::open(int limit, QList<EVENT> &restored, QString *error)
{
    bool ok = false;
    QString reason;
    QMetaObject::invokeMethod(
        m_writer,
        [&] {
        ok = m_writer->openAndRestore(limit, &restored, &reason);
        m_writer->startTimer(); // commits, or retries the opening
        },
        Qt::BlockingQueuedConnection);
    m_working = ok;
    if (error)
        *error = reason;
    return ok;
}

void EventJournal::record(qint64 id, const EVENT &e)
{
    m_writer->enqueue(id, e);
}

void EventJournal::clear()
{
    m_writer->enqueueClear();
}

void EventJournal::flush()
{
    QMetaObject::invokeMethod(m_writer, &JournalWriter::commit, Qt::BlockingQueuedConnection);
}

void EventJournal::setRetrySeconds(int seconds)
{
    m_writer->setRetryTicks(seconds * 1000 / JournalWriter::CommitIntervalMs);
}

int EventJournal::waiting() const
{
    return m_writer->waiting();
}

void EventJournal::onStateChanged(bool working, const QString &reason)
{
    if (working == m_working)
        return;
    m_working = working;
    if (working)
        emit recovered();
    else
        emit failed(reason);
}
