#pragma once
// The station's end of the module link, without any window: listens for module
// connections, cuts each connection's stream into frames, decodes them, emits
// the records and answers every complete frame with the module's 71-byte
// reply. Also runs the demonstration feed for modules 1 to 6.
//
// No peer can take it down: each connection is served a bounded slice of
// frames at a time, a connection whose replies pile up is not read until they
// drain, silent connections are closed, the number of connections is capped,
// and a failing accept pauses the listener instead of spinning on it.

#include "net/CMasterDevice.h"
#include "net/Data.h"
#include "net/FrameAssembler.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <memory>
#include <unordered_map>

class CaptureWriter;
class QSocketNotifier;
class QTcpServer;
class QTcpSocket;

class ModuleLink : public QObject
{
    Q_OBJECT

public:
    struct Limits
    {
        // Connections beyond this are closed as soon as they are accepted.
        int maxConnections = 512;
        // A connection that delivers no complete frame for this long is closed.
        int idleTimeoutMs = 60000;
        // Above this many unsent reply bytes a connection is not read until they drain.
        qint64 maxUnsentBytes = 64 * 1024;
        // Frames decoded for one connection before the others get their turn.
        int framesPerSlice = 32;
        // Bytes a connection may hold unread; beyond it TCP slows the module down.
        qint64 readBufferBytes = 64 * 1024;
        int listenBacklog = 1024;
        // Pause after a failed accept (descriptors used up) before trying again.
        int acceptRetryMs = 250;
    };

    // Port 0 picks a free port (tests); the station uses Wire::DefaultPort.
    // The demonstration feed starts only when listening succeeded.
    ModuleLink(quint16 port, bool demoFeed, const Limits &limits, QObject *parent = nullptr);
    ModuleLink(quint16 port, bool demoFeed, QObject *parent = nullptr);
    ~ModuleLink() override;

    bool isListening() const;
    quint16 serverPort() const;
    // Why listening failed.
    QString errorString() const { return m_listenError; }

    int connectionCount() const { return int(m_connections.size()); }
    // Connections closed at once because the cap was reached.
    quint64 refusedConnections() const { return m_refused; }
    // Connections closed because they stayed silent too long.
    quint64 idleClosures() const { return m_idleClosed; }
    // Accept failures (each pauses accepting for a moment).
    quint64 acceptFailures() const { return m_acceptFailures; }
    bool isAcceptingPaused() const { return m_acceptPaused; }
    // Connections not read until their replies drain.
    int throttledConnections() const;
    const Limits &limits() const { return m_limits; }

    // Hands every frame received and every reply sent to the writer (nullptr: none).
    // The writer must outlive the link or be unset first.
    void setCapture(CaptureWriter *writer) { m_capture = writer; }

    // One step of the demonstration feed (every 500 ms while it runs).
    void OnTimer();

    // The device model; module windows, dialogs and log windows write its records.
    CMasterDevice device;

signals:
    void dataUpdated(DATA data);

private:
    // Framing state and last record of one connection.
    struct Connection
    {
        QPointer<QTcpSocket> socket;
        quint32 id = 0; // numbers the connections of a capture
        FrameAssembler assembler;
        DATA record;
        QElapsedTimer sinceFrame;
        bool queued = false;    // waits in the round for its next slice
        bool throttled = false; // replies piled up: not read until they drain
        bool closed = false;    // the module went away; what it sent is still served
    };
    using ConnectionPtr = std::shared_ptr<Connection>;

    void onNewConnection();
    void onAcceptError();
    void onListenerReadable();
    void pauseAccepting();
    void resumeAccepting();
    void serve(const ConnectionPtr &connection);
    void enqueue(const ConnectionPtr &connection);
    void serveRound();
    void closeIdle();
    void forget(QTcpSocket *socket);
    bool hasWork(const Connection &connection) const;
    QByteArray handleFrame(Connection &connection, const FrameAssembler::Event &frame,
                           const QPointer<QTcpSocket> &socket);
    void send(QTcpSocket *socket, const QByteArray &bytes);

    Limits m_limits;
    QTcpServer *m_pTcpServer = nullptr;
    QString m_listenError;
    std::unordered_map<QTcpSocket *, ConnectionPtr> m_connections;
    std::deque<std::weak_ptr<Connection>> m_round;
    QTimer m_roundTimer;
    QTimer m_idleTimer;
    QTimer m_acceptRetryTimer;
    // Watches the listener beside Qt (through a second descriptor of it: one
    // notifier per descriptor and kind). Qt reports a failing accept only when
    // it is the first error its socket engine sees, and otherwise tries again
    // at every pass of the event loop.
    QSocketNotifier *m_pListenWatch = nullptr;
    int m_listenWatchFd = -1;
    quint64 m_accepted = 0;       // connections taken from the listener
    quint64 m_acceptedAtWake = 0; // ... when the watch last woke
    int m_fruitlessWakes = 0;     // wakes in a row with a connection waiting and none taken
    bool m_acceptPaused = false;
    quint64 m_refused = 0;
    quint64 m_idleClosed = 0;
    quint64 m_acceptFailures = 0;
    quint32 m_nextConnectionId = 0;
    CaptureWriter *m_capture = nullptr;

    int m_demoStep = 0;
    DATA m_demoRecord;
    QTimer m_demoTimer;
};
