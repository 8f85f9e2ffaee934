#pragma once
// Forwards event openings and closings and lost or returning modules to the
// site's syslog collector (RFC 5424 over TCP, TLS or UDP). The record path
// only queues; a worker thread formats and sends. Follows the "Syslog/..."
// options as they change.

#include "eventlog/SyslogSender.h"

#include <QObject>
#include <QThread>
#include <QTimer>

class StationOptions;

class SyslogForwarder : public QObject
{
    Q_OBJECT

public:
    using Config = SyslogSender::Config;
    using Transport = SyslogSender::Transport;
    // Entries kept while the collector cannot be reached.
    static constexpr int DefaultCapacity = 10000;
    static constexpr quint16 DefaultPort = 514;
    static constexpr quint16 DefaultTlsPort = 6514;

    explicit SyslogForwarder(int capacity = DefaultCapacity, QObject *parent = nullptr);
    ~SyslogForwarder() override;

    // The settings as stored; absent keys read as forwarding off.
    static Config configFrom(const StationOptions &options);
    static QString transportKey(Transport transport);
    static Transport transportFromKey(const QString &key);
    // Configures from the options now and whenever a "Syslog/..." one changes.
    void follow(StationOptions &options);
    void configure(const Config &config);

    // Record path, any thread: queues and returns.
    void post(const SyslogEntry &entry) { m_sender->enqueue(entry); }
    quint64 dropped() const { return m_sender->dropped(); }
    int waiting() const { return m_sender->waiting(); }
    bool isConnected() const { return m_sender->isConnected(); }

    // Before the first configure(): tests use their own names and delays.
    void setModuleNames(SyslogSender::ModuleNames names);
    void setRetryDelays(int firstMs, int maxMs) { m_sender->setRetryDelays(firstMs, maxMs); }

signals:
    // At most once a second, when entries were dropped since the last report.
    void droppedChanged(quint64 total);
    void stateChanged(bool connected, const QString &reason);

private:
    void checkDropped();

    QThread m_thread;
    SyslogSender *m_sender;
    QTimer m_dropWatch;
    quint64 m_droppedReported = 0;
};
