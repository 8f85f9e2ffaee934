#pragma once
// A module as the station sees it on the wire, for tests and tools: connects
// to the station over the loopback, sends measurement frames (one at a time,
// each after the reply to the last), checks and keeps every reply, changes its
// command sequence byte on each command it sees, and answers a bypass-map
// request with map blocks or with one bulk frame. Its byte layouts are written
// out here by hand from the wire description, independently of the station's
// own encoder and decoder.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>
#include <QVector>

class ScriptedModule : public QObject
{
    Q_OBJECT

public:
    enum class MapMode { Blocks, Bulk };

    // One bypass range or upload entry carried by a reply (settings bytes 37 .. 41).
    struct OneShot
    {
        quint16 begin = 0;
        quint16 end = 0;
        quint8 kind = 0;
        bool operator==(const OneShot &o) const
        {
            return begin == o.begin && end == o.end && kind == o.kind;
        }
    };

    explicit ScriptedModule(quint8 module, QObject *parent = nullptr);

    // Connects and starts sending; false if no connection came within timeoutMs.
    bool connectTo(quint16 port, int timeoutMs = 5000);
    void disconnectFromStation();
    bool isConnected() const;

    // Pause between a reply and the next frame.
    void setInterval(int ms) { m_interval.setInterval(ms); }
    // The module's bypass map (6144 entries of marks, entry i = i MHz).
    void setBypassMap(const QVector<quint8> &map) { m_map = map; }
    void setMapMode(MapMode mode) { m_mapMode = mode; }
    // Channel 0 reports a detection from the next frame on; `on` false: quiet again.
    void setDetection(bool on, quint8 type = 1, int levelDbm = -60, int thresholdDbm = -80,
                      qint32 freqKHz = 0)
    {
        m_detection = { on, type, levelDbm, thresholdDbm, freqKHz };
    }

    quint8 module() const { return m_module; }
    quint8 sequence() const { return m_sequence; }
    int framesSent() const { return m_framesSent; }
    int badReplies() const { return m_badReplies; }
    // Settings bytes 0 .. 68 of every good reply, oldest first.
    const QList<QByteArray> &replies() const { return m_replies; }
    QByteArray lastSettings() const
    {
        return m_replies.isEmpty() ? QByteArray() : m_replies.last();
    }
    // Every changed non-zero value of the command byte (42), in order.
    const QList<quint8> &commands() const { return m_commands; }
    // Bypass ranges and upload entries, consecutive repeats folded into one.
    const QList<OneShot> &oneShots() const { return m_oneShots; }
    // Bypass blocks and bulk frames sent.
    int blocksSent() const { return m_blocksSent; }
    int bulkFramesSent() const { return m_bulkSent; }

    // Frames as this module writes them (header included).
    QByteArray measurementFrame();
    // Fewer than ten runs end the map: the rest read as start 0.
    QByteArray blockFrame(quint8 block, const QList<QByteArray> &runs);
    QByteArray bulkFrame() const;

signals:
    void replied();

private:
    void sendNext();
    void onReadyRead();
    void handleReply(const QByteArray &settings);
    QList<QByteArray> mapRuns() const;

    struct Detection
    {
        bool on = false;
        quint8 type = 1;
        int level = -60;
        int threshold = -80;
        qint32 freqKHz = 0;
    };

    quint8 m_module;
    Detection m_detection;
    QTcpSocket m_socket;
    QTimer m_interval;
    QTimer m_noReply;
    QByteArray m_pending;
    quint8 m_linkSeq = 0;
    quint8 m_sequence = 0x10;
    quint8 m_lastCommand = 0;
    int m_framesSent = 0;
    int m_badReplies = 0;
    QList<QByteArray> m_replies;
    QList<quint8> m_commands;
    QList<OneShot> m_oneShots;

    QVector<quint8> m_map = QVector<quint8>(6144, 0);
    MapMode m_mapMode = MapMode::Blocks;
    // Runs still to send for the request being answered, and the next block number.
    QList<QByteArray> m_runsToSend;
    quint8 m_nextBlock = 0;
    bool m_blockDue = false;
    bool m_bulkDue = false;
    int m_blocksSent = 0;
    int m_bulkSent = 0;
};
