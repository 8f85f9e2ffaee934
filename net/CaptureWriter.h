#pragma once
// Writes the module link's traffic to a pcapng file from a thread of its own.
// The link hands each frame and reply over through a bounded queue and never
// waits for the disk: when the queue is full or the file failed, the packet
// is dropped from the capture and counted, and the station goes on.

#include "net/PcapNg.h"

#include <QFile>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

class CaptureWriter
{
public:
    struct Limits
    {
        int maxPackets = 8192;
        qint64 maxBytes = 16 * 1024 * 1024;
    };

    CaptureWriter();
    explicit CaptureWriter(const Limits &limits);
    ~CaptureWriter();
    CaptureWriter(const CaptureWriter &) = delete;
    CaptureWriter &operator=(const CaptureWriter &) = delete;

    // Creates the file, writes its header and starts the writer thread.
    bool open(const QString &path);
    bool isOpen() const { return m_thread.joinable(); }
    // Queues one packet stamped with the current time; never waits for the disk.
    void record(PcapNg::Direction direction, quint8 module, quint32 connection,
                const QByteArray &bytes);
    // Writes what is queued, stops the thread and closes the file; false if
    // any write failed.
    bool close();

    quint64 written() const { return m_written; }
    quint64 dropped() const { return m_dropped; }
    QString errorString() const;

private:
    // The writer thread writes what waits this often, or sooner once this many wait.
    static constexpr int WriteIntervalMs = 200;
    static constexpr size_t BatchPackets = 512;

    void run();

    Limits m_limits;
    QFile m_file;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<PcapNg::Packet> m_queue;
    qint64 m_queuedBytes = 0;
    bool m_stop = false;
    bool m_accepting = false; // open, not closing
    bool m_failed = false;
    QString m_error;
    std::atomic<quint64> m_written{ 0 };
    std::atomic<quint64> m_dropped{ 0 };
};
