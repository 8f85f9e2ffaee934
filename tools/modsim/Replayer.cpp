#include "tools/modsim/Replayer.h"

#include "net/WireProtocol.h"

#include <QTimer>

struct Replayer::Stream
{
    QTcpSocket socket;
    quint8 module = 0;
    QList<QByteArray> expected; // captured replies, in order
    int replies = 0;
    int awaited = 0; // frames sent
    QByteArray pending;
};

Replayer::Replayer(QObject *parent)
    : QObject(parent)
{
}

Replayer::~Replayer() = default;

QString Replayer::describe(const Difference &d)
{
    if (d.captured < 0 || d.now < 0)
        return QStringLiteral("module %1 reply %2: %3")
            .arg(d.module)
            .arg(d.reply)
            .arg(d.captured < 0 ? QStringLiteral("not in the capture") : QStringLiteral("missing"));
    return QStringLiteral("module %1 reply %2 byte %3 (settings byte %4): captured %5, now %6")
        .arg(d.module)
        .arg(d.reply)
        .arg(d.byte)
        .arg(d.byte - 1)
        .arg(d.captured)
        .arg(d.now);
}

void Replayer::start(const QVector<PcapNg::Packet> &packets, const QString &host, quint16 port,
                     double speed, int timeoutMs)
{
    m_speed = speed > 0 ? speed : 1;
    m_timeoutMs = timeoutMs;
    for (const PcapNg::Packet &p : packets) {
        auto &stream = m_streams[p.connection];
        if (!stream) {
            stream = std::make_unique<Stream>();
            Stream *s = stream.get();
            connect(&s->socket, &QTcpSocket::readyRead, this, [this, s] { onReadyRead(*s); });
        }
        if (p.direction == PcapNg::Direction::Received) {
            m_frames.append(p);
            if (stream->module == 0)
                stream->module = p.module;
        } else {
            stream->expected.append(p.data);
        }
    }
    for (auto &entry : m_streams)
        entry.second->socket.connectToHost(host, port);
    m_firstUs = m_frames.isEmpty() ? 0 : m_frames.first().timeUs;
    m_clock.start();
    auto *poll = new QTimer(this);
    poll->setTimerType(Qt::PreciseTimer);
    poll->setInterval(1);
    connect(poll, &QTimer::timeout, this, &Replayer::sendDue);
    poll->start();
}

void Replayer::sendDue()
{
    if (m_done)
        return;
    const double nowUs = m_clock.nsecsElapsed() / 1000.0 * m_speed;
    while (m_next < m_frames.size() && m_frames[m_next].timeUs - m_firstUs <= nowUs) {
        Stream &s = *m_streams[m_frames[m_next].connection];
        if (s.socket.state() != QAbstractSocket::ConnectedState) {
            if (m_clock.elapsed() - m_lastProgressMs > m_timeoutMs)
                finish(false);
            return; // keeps the order: wait for the connection
        }
        s.socket.write(m_frames[m_next].data);
        s.socket.flush();
        ++s.awaited;
        ++m_sent;
        ++m_next;
        m_lastProgressMs = m_clock.elapsed();
    }
    checkDone();
}

void Replayer::onReadyRead(Stream &s)
{
    s.pending += s.socket.readAll();
    while (s.pending.size() >= Wire::ReplyLength) {
        const QByteArray reply = s.pending.left(Wire::ReplyLength);
        s.pending.remove(0, Wire::ReplyLength);
        ++s.replies;
        m_lastProgressMs = m_clock.elapsed();
        if (s.replies > s.expected.size()) {
            m_differences.append({ s.module, s.replies, 0, -1, 0 });
            continue;
        }
        ++m_compared;
        const QByteArray &want = s.expected.at(s.replies - 1);
        for (int i = 0; i < Wire::ReplyLength; ++i)
            if (want.at(i) != reply.at(i))
                m_differences.append(
                    { s.module, s.replies, i, quint8(want.at(i)), quint8(reply.at(i)) });
    }
    checkDone();
}

void Replayer::checkDone()
{
    if (m_done || m_next < m_frames.size())
        return;
    bool waiting = false;
    for (const auto &entry : m_streams)
        waiting |= entry.second->replies < entry.second->awaited;
    if (!waiting) {
        finish(true);
    } else if (m_clock.elapsed() - m_lastProgressMs > m_timeoutMs) {
        finish(false);
    }
}

void Replayer::finish(bool answered)
{
    m_done = true;
    m_answered = answered;
    for (auto &entry : m_streams) {
        Stream &s = *entry.second;
        for (int r = s.replies; r < s.expected.size(); ++r)
            m_differences.append({ s.module, r + 1, 0, 0, -1 });
        s.socket.disconnectFromHost();
    }
    emit finished();
}
