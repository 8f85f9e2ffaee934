#pragma once
// Plays the module side of a capture back against a station: one connection
// per captured connection, each frame at its captured time (scaled by the
// speed), and compares every reply with the captured one.

#include "net/PcapNg.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTcpSocket>

#include <map>
#include <memory>

class Replayer : public QObject
{
    Q_OBJECT

public:
    struct Difference
    {
        quint8 module = 0;
        int reply = 0;     // 1-based, per connection
        int byte = 0;      // reply byte; settings byte = byte - 1
        int captured = -1; // -1: no such reply
        int now = -1;
    };

    explicit Replayer(QObject *parent = nullptr);
    ~Replayer() override;

    // Plays `packets`; finished() comes when every frame was sent and every
    // reply came, or when a reply has been waited for `timeoutMs`.
    void start(const QVector<PcapNg::Packet> &packets, const QString &host, quint16 port,
               double speed, int timeoutMs = 5000);
    const QList<Difference> &differences() const { return m_differences; }
    int framesSent() const { return m_sent; }
    int repliesCompared() const { return m_compared; }
    // False when the station stopped answering or could not be reached.
    bool stationAnswered() const { return m_answered; }
    static QString describe(const Difference &d);

signals:
    void finished();

private:
    struct Stream;
    void sendDue();
    void onReadyRead(Stream &stream);
    void checkDone();
    void finish(bool answered);

    std::map<quint32, std::unique_ptr<Stream>> m_streams;
    QVector<PcapNg::Packet> m_frames; // received by the station, in time order
    int m_next = 0;
    qint64 m_firstUs = 0;
    double m_speed = 1;
    int m_timeoutMs = 5000;
    QElapsedTimer m_clock;
    qint64 m_lastProgressMs = 0;
    QList<Difference> m_differences;
    int m_sent = 0;
    int m_compared = 0;
    bool m_answered = true;
    bool m_done = false;
};
