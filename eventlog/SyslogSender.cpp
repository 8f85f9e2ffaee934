#include "eventlog/SyslogSender.h"

#include <QDateTime>
#include <QFile>
#include <QMutexLocker>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

SyslogSender::SyslogSender(int capacity)
    : m_capacity(qMax(1, capacity))
{
}

SyslogSender::~SyslogSender() = default;

void SyslogSender::setRetryDelays(int firstMs, int maxMs)
{
    m_firstDelayMs = firstMs;
    m_maxDelayMs = maxMs;
}

void SyslogSender::enqueue(const SyslogEntry &entry)
{
    if (!m_accepting.load(std::memory_order_relaxed))
        return;
    {
        QMutexLocker lock(&m_mutex);
        m_queue.push_back(entry);
        if (int(m_queue.size()) > m_capacity) {
            m_queue.pop_front();
            ++m_dropped;
        }
    }
    // Without a connection the worker has nothing to do with it: onConnected()
    // drains what waits. Otherwise one wake-up at a time.
    if (m_connected.load() && !m_drainPosted.exchange(true))
        QMetaObject::invokeMethod(this, &SyslogSender::drain, Qt::QueuedConnection);
}

void SyslogSender::setAccepting(bool accepting)
{
    m_accepting = accepting;
    if (!accepting) {
        QMutexLocker lock(&m_mutex);
        m_queue.clear();
    }
}

int SyslogSender::waiting() const
{
    QMutexLocker lock(&m_mutex);
    return int(m_queue.size());
}

void SyslogSender::applyConfig(const Config &config)
{
    if (!m_retry) {
        m_retry = new QTimer(this);
        m_retry->setSingleShot(true);
        connect(m_retry, &QTimer::timeout, this, &SyslogSender::connectNow);
        m_connectTimeout = new QTimer(this);
        m_connectTimeout->setSingleShot(true);
        connect(m_connectTimeout, &QTimer::timeout, this, [this] {
            onFailure(tr("no connection within %1 s").arg(ConnectTimeoutMs / 1000));
        });
    }
    if (config == m_config && (m_socket || m_retry->isActive()))
        return;
    m_config = config;
    closeSocket();
    m_retry->stop();
    m_delayMs = m_firstDelayMs;
    if (!config.enabled) {
        m_resend.clear();
        return;
    }
    connectNow();
}

void SyslogSender::connectNow()
{
    closeSocket();
    if (!m_config.enabled)
        return;
    if (m_config.host.isEmpty() || m_config.port == 0) {
        onFailure(tr("no collector address"));
        return;
    }
    switch (m_config.transport) {
    case Transport::Udp:
        m_socket = new QUdpSocket(this);
        break;
    case Transport::Tcp:
        m_socket = new QTcpSocket(this);
        break;
    case Transport::Tls: {
        auto *ssl = new QSslSocket(this);
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        if (!m_config.caFile.isEmpty()) {
            QFile file(m_config.caFile);
            QList<QSslCertificate> cas;
            if (file.open(QIODevice::ReadOnly))
                cas = QSslCertificate::fromData(file.readAll(), QSsl::Pem);
            if (cas.isEmpty()) {
                delete ssl;
                onFailure(tr("no CA certificate in %1").arg(m_config.caFile));
                return;
            }
            tls.setCaCertificates(cas);
        }
        tls.setPeerVerifyMode(QSslSocket::VerifyPeer);
        ssl->setSslConfiguration(tls);
        connect(ssl, &QSslSocket::encrypted, this, &SyslogSender::onConnected);
        connect(ssl, &QSslSocket::sslErrors, this, [this](const QList<QSslError> &errors) {
            // Not ignored: the connection fails and is retried later.
            if (!errors.isEmpty())
                onFailure(errors.first().errorString());
        });
        m_socket = ssl;
        break;
    }
    }
    QAbstractSocket *socket = m_socket;
    if (m_config.transport != Transport::Tls)
        connect(socket, &QAbstractSocket::connected, this, &SyslogSender::onConnected);
    connect(socket, &QAbstractSocket::errorOccurred, this, [this, socket] {
        if (socket == m_socket)
            onFailure(socket->errorString());
    });
    connect(socket, &QAbstractSocket::disconnected, this, [this, socket] {
        if (socket == m_socket)
            onFailure(tr("the collector closed the connection"));
    });
    connect(socket, &QIODevice::bytesWritten, this, &SyslogSender::onBytesWritten);
    // The collector has nothing to say; what it sends is read and forgotten.
    connect(socket, &QIODevice::readyRead, this, [socket] { socket->readAll(); });
    m_connectTimeout->start(ConnectTimeoutMs);
    if (auto *ssl = qobject_cast<QSslSocket *>(socket))
        ssl->connectToHostEncrypted(m_config.host, m_config.port);
    else
        socket->connectToHost(m_config.host, m_config.port);
}

void SyslogSender::onConnected()
{
    m_connectTimeout->stop();
    m_socketUp = true;
    m_delayMs = m_firstDelayMs;
    m_connected = true;
    m_reported = 1;
    emit stateChanged(true, QString());
    drain();
}

void SyslogSender::onFailure(const QString &reason)
{
    closeSocket();
    // Once per outage, not at every attempt.
    if (m_reported != 0) {
        m_reported = 0;
        emit stateChanged(false, reason);
    }
    scheduleRetry();
}

void SyslogSender::scheduleRetry()
{
    if (!m_config.enabled || m_retry->isActive())
        return;
    m_retry->start(m_delayMs);
    m_delayMs = qMin(m_delayMs * 2, m_maxDelayMs);
}

void SyslogSender::closeSocket()
{
    if (m_connectTimeout)
        m_connectTimeout->stop();
    m_socketUp = false;
    m_connected = false;
    // What the socket had not written goes out again, first, on the next
    // connection; what it wrote is never sent twice.
    for (auto it = m_inFlight.rbegin(); it != m_inFlight.rend(); ++it)
        m_resend.push_front(*it);
    m_inFlight.clear();
    m_inFlightWritten = 0;
    if (!m_socket)
        return;
    QAbstractSocket *socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void SyslogSender::onBytesWritten(qint64 bytes)
{
    m_inFlightWritten += bytes;
    while (!m_inFlight.empty() && m_inFlightWritten >= m_inFlight.front().size()) {
        m_inFlightWritten -= m_inFlight.front().size();
        m_inFlight.pop_front();
    }
    drain();
}

bool SyslogSender::takeNext(QByteArray &message)
{
    if (!m_resend.empty()) {
        message = m_resend.front();
        m_resend.pop_front();
        return true;
    }
    SyslogEntry entry;
    {
        QMutexLocker lock(&m_mutex);
        if (m_queue.empty())
            return false;
        entry = m_queue.front();
        m_queue.pop_front();
    }
    const quint8 module = entry.event.nModule;
    const QString name = m_names ? m_names(module) : QString::number(module);
    const int offset = QDateTime::fromSecsSinceEpoch(SyslogMessage::timeOf(entry)).offsetFromUtc();
    const QByteArray text = SyslogMessage::format(entry, name, m_origin, offset);
    message = m_config.transport == Transport::Udp ? text : SyslogMessage::frame(text);
    return true;
}

void SyslogSender::drain()
{
    m_drainPosted = false;
    if (!m_socketUp) {
        if (m_config.enabled && !m_socket && m_retry && !m_retry->isActive())
            connectNow();
        return;
    }
    QByteArray message;
    while (m_socket->bytesToWrite() < MaxUnwritten && takeNext(message)) {
        if (m_config.transport == Transport::Udp) {
            if (m_socket->write(message) != message.size()) {
                // No collector listening (refused): the datagram waits for the next attempt.
                m_resend.push_front(message);
                onFailure(m_socket->errorString());
                return;
            }
            continue;
        }
        m_inFlight.push_back(message);
        m_socket->write(message);
    }
}

void SyslogSender::shutdown()
{
    // Written before the thread ends, as far as the socket takes it at once.
    if (m_socketUp && m_socket) {
        drain();
        m_socket->waitForBytesWritten(1000);
    }
    closeSocket();
    m_config.enabled = false;
    if (m_retry)
        m_retry->stop();
}
