#pragma once
// The syslog forwarder's worker: lives on a thread of its own with its own
// socket (TCP, TLS or UDP), takes the entries the record path queues, formats
// them and sends each once, in order, reconnecting with back-off while the
// collector cannot be reached. The queue is bounded: the oldest entry goes
// first when it is full.

#include "eventlog/SyslogMessage.h"

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QString>

#include <atomic>
#include <deque>
#include <functional>

class QAbstractSocket;
class QTimer;

class SyslogSender : public QObject
{
    Q_OBJECT

public:
    enum class Transport { Tcp, Tls, Udp };
    struct Config
    {
        bool enabled = false;
        QString host;
        quint16 port = 514;
        Transport transport = Transport::Tcp;
        QString caFile; // empty: the system's CA store
        bool operator==(const Config &o) const
        {
            return enabled == o.enabled && host == o.host && port == o.port
                && transport == o.transport && caFile == o.caFile;
        }
    };
    // Called on the worker thread.
    using ModuleNames = std::function<QString(quint8 module)>;

    // Bytes handed to a stream socket and not yet written before more are taken.
    static constexpr qint64 MaxUnwritten = 64 * 1024;
    static constexpr int ConnectTimeoutMs = 10000;

    explicit SyslogSender(int capacity);
    ~SyslogSender() override;

    // Any thread; a short lock and no system call. Ignored while not accepting.
    void enqueue(const SyslogEntry &entry);
    // Any thread: entries are taken from now on, or dropped and no longer taken.
    void setAccepting(bool accepting);
    quint64 dropped() const { return m_dropped.load(); }
    int waiting() const;
    bool isConnected() const { return m_connected.load(); }

    // Before the thread starts.
    void setModuleNames(ModuleNames names) { m_names = std::move(names); }
    void setOrigin(const SyslogMessage::Origin &origin) { m_origin = origin; }
    void setRetryDelays(int firstMs, int maxMs);

    // Worker thread.
    void applyConfig(const Config &config);
    void drain();
    void shutdown();

signals:
    void stateChanged(bool connected, const QString &reason);

private:
    void connectNow();
    void onConnected();
    void onFailure(const QString &reason);
    void onBytesWritten(qint64 bytes);
    void closeSocket();
    void scheduleRetry();
    bool takeNext(QByteArray &message);

    const int m_capacity;
    ModuleNames m_names;
    SyslogMessage::Origin m_origin;
    int m_firstDelayMs = 1000;
    int m_maxDelayMs = 60000;

    // Worker thread only.
    Config m_config;
    QAbstractSocket *m_socket = nullptr;
    QTimer *m_retry = nullptr;
    QTimer *m_connectTimeout = nullptr;
    int m_delayMs = 0;
    bool m_socketUp = false;
    int m_reported = -1; // last state announced: -1 none, 0 down, 1 up
    // Messages handed to the socket that it has not reported written, oldest
    // first; sent again on the next connection when this one fails.
    std::deque<QByteArray> m_inFlight;
    qint64 m_inFlightWritten = 0; // bytes of the first one written
    std::deque<QByteArray> m_resend;

    mutable QMutex m_mutex;
    std::atomic<bool> m_accepting{ false };
    std::deque<SyslogEntry> m_queue;
    std::atomic<quint64> m_dropped{ 0 };
    std::atomic<bool> m_drainPosted{ false };
    std::atomic<bool> m_connected{ false };
};
