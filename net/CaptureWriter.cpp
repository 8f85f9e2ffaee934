#include "net/CaptureWriter.h"

#include <chrono>

CaptureWriter::CaptureWriter()
    : CaptureWriter(Limits())
{
}

CaptureWriter::CaptureWriter(const Limits &limits)
    : m_limits(limits)
{
}

CaptureWriter::~CaptureWriter()
{
    close();
}

bool CaptureWriter::open(const QString &path)
{
    if (isOpen())
        return false;
    m_file.setFileName(path);
    const QByteArray header = PcapNg::fileHeader();
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || m_file.write(header) != header.size() || !m_file.flush()) {
        m_error = m_file.errorString();
        m_file.close();
        return false;
    }
    m_stop = false;
    m_failed = false;
    m_accepting = true;
    m_thread = std::thread(&CaptureWriter::run, this);
    return true;
}

void CaptureWriter::record(PcapNg::Direction direction, quint8 module, quint32 connection,
                           const QByteArray &bytes)
{
    const qint64 now = std::chrono::duration_cast<std::chrono::microseconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_accepting || m_failed || int(m_queue.size()) >= m_limits.maxPackets
            || m_queuedBytes + bytes.size() > m_limits.maxBytes) {
            ++m_dropped;
            return;
        }
        m_queue.push_back({ now, direction, module, connection, bytes });
        m_queuedBytes += bytes.size();
        // The writer wakes by itself a few times a second; waking it for every
        // packet would cost the link a system call each.
        if (m_queue.size() < BatchPackets)
            return;
    }
    m_wake.notify_one();
}

void CaptureWriter::run()
{
    std::deque<PcapNg::Packet> batch;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait_for(lock, std::chrono::milliseconds(WriteIntervalMs),
                            [this] { return m_stop || m_queue.size() >= BatchPackets; });
            if (m_queue.empty()) {
                if (m_stop)
                    return; // nothing left
                continue;
            }
            batch.swap(m_queue);
            m_queuedBytes = 0;
        }
        QByteArray bytes;
        for (const PcapNg::Packet &p : batch)
            bytes += PcapNg::enhancedPacket(p);
        const bool ok = m_file.write(bytes) == bytes.size() && m_file.flush();
        if (ok) {
            m_written += batch.size();
        } else {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_failed = true;
            m_error = m_file.errorString();
            m_dropped += batch.size() + m_queue.size();
            m_queue.clear();
            m_queuedBytes = 0;
            qWarning("Capture %s: write failed (%s); the capture stops here",
                     qPrintable(m_file.fileName()), qPrintable(m_error));
        }
        batch.clear();
    }
}

bool CaptureWriter::close()
{
    if (!isOpen())
        return !m_failed;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
        m_accepting = false;
    }
    m_wake.notify_one();
    m_thread.join();
    m_file.close();
    if (m_file.error() != QFileDevice::NoError && !m_failed) {
        m_failed = true;
        m_error = m_file.errorString();
    }
    return !m_failed;
}

QString CaptureWriter::errorString() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_error;
}
