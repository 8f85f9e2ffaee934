#pragma once
// One simulated module on a TCP connection: follows its scenario, sends a
// frame of its SimModule at a steady rate and hands each reply back to it,
// timing the replies. Disconnects and reconnects as the scenario says, and
// reconnects when the station closed the connection.

#include "tools/modsim/Scenario.h"
#include "tools/modsim/SimModule.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>

#include <deque>
#include <vector>

class SimClient : public QObject
{
    Q_OBJECT

public:
    struct Counts
    {
        quint64 sent = 0;
        quint64 replies = 0;
        quint64 badReplies = 0;
        std::vector<double> latenciesMs;
    };

    SimClient(quint8 module, const Scenario &scenario, const QString &host, quint16 port,
              double framesPerSecond, const QElapsedTimer &clock, Counts &counts,
              QObject *parent = nullptr);

    // Starts ticking after `phaseMs` (spreads the modules over one interval).
    void start(int phaseMs);
    void stop();
    bool isConnected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    // Milliseconds the oldest unanswered frame has waited (0: none), or how long
    // the module has been trying to connect.
    qint64 waitingMs() const;
    SimModule &module() { return m_sim; }

private:
    void tick();
    void onReadyRead();

    SimModule m_sim;
    const Scenario &m_scenario;
    QString m_host;
    quint16 m_port;
    const QElapsedTimer &m_clock;
    Counts &m_counts;
    QTcpSocket m_socket;
    QTimer m_timer;
    QByteArray m_pending;
    std::deque<qint64> m_sentAtNs;
    qint64 m_connectingSinceMs = -1;
};
