#include "net/ModuleLink.h"

#include "net/CaptureWriter.h"
#include "net/DemoScenario.h"
#include "net/ModuleFrame.h"
#include "net/PacketDecoder.h"
#include "net/WireProtocol.h"

#include <QEvent>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

ModuleLink::ModuleLink(quint16 port, bool demoFeed, QObject *parent)
    : ModuleLink(port, demoFeed, Limits(), parent)
{
}

ModuleLink::ModuleLink(quint16 port, bool demoFeed, const Limits &limits, QObject *parent)
    : QObject(parent)
    , m_limits(limits)
    , m_pTcpServer(new QTcpServer(this))
{
    qRegisterMetaType<DATA>("DATA");
    m_pTcpServer->setListenBacklogSize(m_limits.listenBacklog);
    if (!m_pTcpServer->listen(QHostAddress::AnyIPv4, port)) {
        m_listenError = m_pTcpServer->errorString();
        m_pTcpServer->close();
        return;
    }
    connect(m_pTcpServer, &QTcpServer::newConnection, this, &ModuleLink::onNewConnection);
    // A failing accept (no descriptor left) pauses Qt's listener and says so;
    // nothing would resume it.
    connect(m_pTcpServer, &QTcpServer::acceptError, this, &ModuleLink::onAcceptError);
#ifdef Q_OS_UNIX
    m_listenWatchFd = ::fcntl(int(m_pTcpServer->socketDescriptor()), F_DUPFD_CLOEXEC, 0);
    if (m_listenWatchFd >= 0) {
        m_pListenWatch = new QSocketNotifier(m_listenWatchFd, QSocketNotifier::Read, this);
        connect(m_pListenWatch, &QSocketNotifier::activated, this, &ModuleLink::onListenerReadable);
        // Touched once while descriptors are plentiful: the undefined-behaviour
        // sanitizer checks an object's type on its first call through a pipe,
        // which would fail at the descriptor limit where the watch is used.
        m_pListenWatch->setEnabled(true);
    }
#endif

    m_roundTimer.setSingleShot(true);
    m_roundTimer.setInterval(0);
    connect(&m_roundTimer, &QTimer::timeout, this, &ModuleLink::serveRound);

    m_idleTimer.setInterval(qBound(20, m_limits.idleTimeoutMs / 4, 1000));
    connect(&m_idleTimer, &QTimer::timeout, this, &ModuleLink::closeIdle);
    m_idleTimer.start();

    m_acceptRetryTimer.setSingleShot(true);
    m_acceptRetryTimer.setInterval(m_limits.acceptRetryMs);
    connect(&m_acceptRetryTimer, &QTimer::timeout, this, &ModuleLink::resumeAccepting);

    connect(&m_demoTimer, &QTimer::timeout, this, &ModuleLink::OnTimer);
    if (demoFeed)
        m_demoTimer.start(DemoScenario::IntervalMs);
    m_demoStep = 0;
}

ModuleLink::~ModuleLink()
{
    // The sockets die with the TCP server; none may call back into members
    // that are already gone.
    for (auto &entry : m_connections)
        if (entry.second->socket)
            entry.second->socket->disconnect(this);
    delete m_pListenWatch;
#ifdef Q_OS_UNIX
    if (m_listenWatchFd >= 0)
        ::close(m_listenWatchFd);
#endif
    delete m_pTcpServer;
}

bool ModuleLink::isListening() const
{
    return m_pTcpServer->isListening();
}

quint16 ModuleLink::serverPort() const
{
    return m_pTcpServer->serverPort();
}

int ModuleLink::throttledConnections() const
{
    return int(std::count_if(m_connections.begin(), m_connections.end(),
                             [](const auto &entry) { return entry.second->throttled; }));
}

void ModuleLink::onNewConnection()
{
    while (QTcpSocket *socket = m_pTcpServer->nextPendingConnection()) {
        ++m_accepted;
        if (connectionCount() >= m_limits.maxConnections) {
            ++m_refused;
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto connection = std::make_shared<Connection>();
        connection->socket = socket;
        connection->id = ++m_nextConnectionId;
        connection->sinceFrame.start();
        // A full read buffer stops reading from the network, so TCP slows
        // down a module that sends faster than it is served.
        socket->setReadBufferSize(m_limits.readBufferBytes);
        m_connections.emplace(socket, connection);

        // Served from the link's own round, never from inside the socket's
        // signal: a receiver of dataUpdated may open a modal box, and the
        // socket may be deleted in its loop while Qt still works on it.
        connect(socket, &QTcpSocket::readyRead, this, [this, connection] { enqueue(connection); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, connection] {
            if (connection->throttled && connection->socket
                && connection->socket->bytesToWrite() <= m_limits.maxUnsentBytes) {
                connection->throttled = false;
                enqueue(connection);
            }
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, connection] {
            // Frames that arrived before the module went away are still shown.
            connection->closed = true;
            connection->throttled = false;
            if (hasWork(*connection))
                enqueue(connection);
            else
                forget(connection->socket);
        });
        connect(socket, &QTcpSocket::errorOccurred, this,
                [socket](QAbstractSocket::SocketError error) {
            if (error != QAbstractSocket::RemoteHostClosedError)
                qWarning("Module connection %s: %s", qPrintable(socket->peerAddress().toString()),
                         qPrintable(socket->errorString()));
        });
        if (socket->bytesAvailable() > 0)
            enqueue(connection);
    }
}

void ModuleLink::onAcceptError()
{
    pauseAccepting();
}

void ModuleLink::onListenerReadable()
{
    // Qt's listener and this watch wake on the same readiness, in either
    // order: a connection accepted now shows at the next wake at the latest.
    // A listener that stays readable while nothing is taken fails to accept.
    constexpr int FruitlessWakesToPause = 4;
    if (m_accepted != m_acceptedAtWake) {
        m_acceptedAtWake = m_accepted;
        m_fruitlessWakes = 0;
    } else if (++m_fruitlessWakes >= FruitlessWakesToPause) {
        pauseAccepting();
    }
}

void ModuleLink::pauseAccepting()
{
    // Typically the process is out of descriptors: trying again at once would
    // only spin. A closing connection or the retry timer resumes accepting.
    if (m_acceptPaused)
        return;
    ++m_acceptFailures;
    m_pTcpServer->pauseAccepting();
    if (m_pListenWatch)
        m_pListenWatch->setEnabled(false);
    m_acceptPaused = true;
    m_acceptRetryTimer.start();
}

void ModuleLink::resumeAccepting()
{
    if (!m_acceptPaused)
        return;
    m_acceptPaused = false;
    m_acceptRetryTimer.stop();
    m_fruitlessWakes = 0;
    m_acceptedAtWake = m_accepted;
    m_pTcpServer->resumeAccepting();
    if (m_pListenWatch)
        m_pListenWatch->setEnabled(true);
}

bool ModuleLink::hasWork(const Connection &connection) const
{
    return connection.assembler.hasMore()
        || (connection.socket && connection.socket->bytesAvailable() > 0);
}

void ModuleLink::enqueue(const ConnectionPtr &connection)
{
    if (connection->queued)
        return;
    connection->queued = true;
    m_round.push_back(connection);
    if (!m_roundTimer.isActive())
        m_roundTimer.start();
}

void ModuleLink::serveRound()
{
    // One slice for each connection that was waiting; those that still have
    // work go to the back, after the event loop has had its turn.
    for (size_t n = m_round.size(); n > 0 && !m_round.empty(); --n) {
        const ConnectionPtr connection = m_round.front().lock();
        m_round.pop_front();
        if (!connection)
            continue;
        connection->queued = false;
        serve(connection);
    }
    if (!m_round.empty())
        m_roundTimer.start();
}

void ModuleLink::serve(const ConnectionPtr &connection)
{
    // A receiver of dataUpdated may run a nested event loop (a message box)
    // in which the module disconnects and its socket is deleted: the
    // connection's state stays alive through `keep`, the socket is watched.
    const ConnectionPtr keep = connection;
    const QPointer<QTcpSocket> socket = connection->socket;
    if (!socket || connection->throttled)
        return;
    if (!connection->closed && socket->bytesToWrite() > m_limits.maxUnsentBytes) {
        connection->throttled = true;
        return;
    }

    FrameAssembler &assembler = connection->assembler;
    QByteArray incoming;
    if (!assembler.hasMore()) {
        incoming = socket->readAll();
        if (incoming.isEmpty())
            return;
    }
    const QVector<FrameAssembler::Event> events = assembler.feed(incoming, m_limits.framesPerSlice);

    // The answers of one slice go out in one write, in frame order.
    QByteArray answers;
    for (const FrameAssembler::Event &event : events) {
        if (event.type == FrameAssembler::Event::UnknownHeader) {
            answers.append(Wire::UnknownHeaderAnswer);
            continue;
        }
        connection->sinceFrame.restart();
        answers.append(handleFrame(*connection, event, socket));
    }
    if (!socket)
        return;
    if (!answers.isEmpty() && socket->state() == QAbstractSocket::ConnectedState)
        send(socket, answers);

    if (hasWork(*connection))
        enqueue(connection);
    else if (connection->closed)
        forget(socket);
}

QByteArray ModuleLink::handleFrame(Connection &connection, const FrameAssembler::Event &frame,
                                   const QPointer<QTcpSocket> &socket)
{
    const int result = PacketDecoder::Decode(
        device, frame.body.constData(), quint16(frame.body.size()), connection.record, frame.kind);
    if (m_capture) {
        // A bulk frame names its module itself and leaves the record alone.
        const quint8 module = frame.kind == Wire::KindBulk && !frame.body.isEmpty()
            ? quint8(frame.body.at(0))
            : connection.record.nID;
        m_capture->record(PcapNg::Direction::Received, module, connection.id,
                          ModuleFrame::frame(frame.kind, frame.body));
    }
    // The record goes out first: a new module's window creates the module's
    // record, so the reply to this very frame already carries its settings.
    if (result == Wire::DecodeMeasurement || result == Wire::DecodeBypass)
        emit dataUpdated(connection.record);
    // A reply that cannot be sent must not consume the module's one-shot
    // commands or count its acknowledgement; the next reply carries them.
    if (!socket || socket->state() != QAbstractSocket::ConnectedState)
        return QByteArray();
    device.BuildReply(connection.record);
    if (m_capture)
        m_capture->record(PcapNg::Direction::Sent, connection.record.nID, connection.id,
                          device.reply());
    return device.reply();
}

void ModuleLink::send(QTcpSocket *socket, const QByteArray &bytes)
{
    if (socket->write(bytes) != bytes.size()) {
        qWarning("Module connection %s: reply not sent: %s",
                 qPrintable(socket->peerAddress().toString()), qPrintable(socket->errorString()));
        socket->abort();
        return;
    }
    // Straight to the kernel: waiting for the write notifier would cost the
    // reply another pass of the event loop.
    socket->flush();
    if (socket->bytesToWrite() > m_limits.maxUnsentBytes) {
        // The module does not read its replies: stop reading it until they drain.
        if (auto it = m_connections.find(socket); it != m_connections.end())
            it->second->throttled = true;
    }
}

void ModuleLink::closeIdle()
{
    QList<QPointer<QTcpSocket>> silent;
    for (const auto &entry : m_connections) {
        const Connection &c = *entry.second;
        if (!c.closed && c.sinceFrame.elapsed() > m_limits.idleTimeoutMs)
            silent.append(c.socket);
    }
    for (const QPointer<QTcpSocket> &socket : silent) {
        if (!socket)
            continue;
        ++m_idleClosed;
        socket->abort();
        forget(socket);
    }
}

void ModuleLink::forget(QTcpSocket *socket)
{
    if (!socket)
        return;
    const auto it = m_connections.find(socket);
    if (it == m_connections.end())
        return;
    m_connections.erase(it);
    socket->deleteLater();
    // A descriptor is free again.
    resumeAccepting();
}

void ModuleLink::OnTimer()
{
    if (++m_demoStep >= DemoScenario::Steps)
        m_demoStep = 0;
    for (int m = 1; m <= DemoScenario::Modules; ++m) {
        DemoScenario::BuildRecord(device, m_demoStep, quint8(m), m_demoRecord);
        emit dataUpdated(m_demoRecord);
    }
}
