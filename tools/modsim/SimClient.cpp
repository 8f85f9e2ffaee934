#include "tools/modsim/SimClient.h"

#include "net/WireProtocol.h"

SimClient::SimClient(quint8 module, const Scenario &scenario, const QString &host, quint16 port,
                     double framesPerSecond, const QElapsedTimer &clock, Counts &counts,
                     QObject *parent)
    : QObject(parent)
    , m_sim(module)
    , m_scenario(scenario)
    , m_host(host)
    , m_port(port)
    , m_clock(clock)
    , m_counts(counts)
{
    m_timer.setInterval(qMax(1, int(1000.0 / framesPerSecond)));
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SimClient::tick);
    connect(&m_socket, &QTcpSocket::readyRead, this, &SimClient::onReadyRead);
    connect(&m_socket, &QTcpSocket::disconnected, this, [this] {
        // Frames the station did not answer before closing are not waited for.
        m_sentAtNs.clear();
        m_pending.clear();
    });
    m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
}

void SimClient::start(int phaseMs)
{
    QTimer::singleShot(phaseMs, this, [this] {
        tick();
        m_timer.start();
    });
}

void SimClient::stop()
{
    m_timer.stop();
    m_socket.abort();
}

qint64 SimClient::waitingMs() const
{
    if (!m_sentAtNs.empty())
        return (m_clock.nsecsElapsed() - m_sentAtNs.front()) / 1000000;
    if (m_connectingSinceMs >= 0)
        return m_clock.elapsed() - m_connectingSinceMs;
    return 0;
}

void SimClient::tick()
{
    const Scenario::State state = m_scenario.stateAt(m_sim.module(), m_clock.elapsed() / 1000.0);
    if (state.offline) {
        if (m_socket.state() != QAbstractSocket::UnconnectedState)
            m_socket.abort();
        m_connectingSinceMs = -1;
        m_sentAtNs.clear();
        return;
    }
    if (m_socket.state() == QAbstractSocket::UnconnectedState) {
        if (m_connectingSinceMs < 0)
            m_connectingSinceMs = m_clock.elapsed();
        m_socket.connectToHost(m_host, m_port);
        return;
    }
    if (!isConnected())
        return;
    m_connectingSinceMs = -1;
    if (state.silent)
        return;
    m_sim.setHeard(state.heard());
    m_sim.setLinkLevel(state.linkLevel);
    const QByteArray frame = m_sim.nextFrame();
    if (m_socket.write(frame) != frame.size()) {
        m_socket.abort();
        return;
    }
    m_socket.flush();
    m_sentAtNs.push_back(m_clock.nsecsElapsed());
    ++m_counts.sent;
}

void SimClient::onReadyRead()
{
    m_pending += m_socket.readAll();
    int at = 0;
    while (m_pending.size() - at >= Wire::ReplyLength) {
        const QByteArray reply = m_pending.mid(at, Wire::ReplyLength);
        at += Wire::ReplyLength;
        if (!m_sentAtNs.empty()) {
            m_counts.latenciesMs.push_back((m_clock.nsecsElapsed() - m_sentAtNs.front()) / 1e6);
            m_sentAtNs.pop_front();
        }
        ++m_counts.replies;
        if (m_sim.takeReply(reply) == SimModule::Reply::Bad)
            ++m_counts.badReplies;
    }
    m_pending.remove(0, at);
}
