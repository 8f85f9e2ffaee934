#pragma once
// A module on a socket, for tests: connects to the station over the loopback,
// sends the frames of a SimModule (one at a time, each after the reply to the
// last) and keeps every good reply. What the module sends and how it answers
// commands and map requests is the simulator's module core.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>
#include <QVector>

#include "tools/modsim/SimModule.h"

class ScriptedModule : public QObject
{
    Q_OBJECT

public:
    using MapMode = SimModule::MapMode;
    using OneShot = SimModule::OneShot;

    explicit ScriptedModule(quint8 module, QObject *parent = nullptr);

    // Connects and starts sending; false if no connection came within timeoutMs.
    bool connectTo(quint16 port, int timeoutMs = 5000);
    void disconnectFromStation();
    bool isConnected() const;

    // Pause between a reply and the next frame.
    void setInterval(int ms) { m_interval.setInterval(ms); }
    // The module's bypass map (6144 entries of marks, entry i = i MHz).
    void setBypassMap(const QVector<quint8> &map);
    void setMapMode(MapMode mode) { m_sim.setMapMode(mode); }
    // Channel 0 reports a detection from the next frame on; `on` false: quiet again.
    void setDetection(bool on, quint8 type = 1, int levelDbm = -60, int thresholdDbm = -80,
                      qint32 freqKHz = 0);

    quint8 module() const { return m_sim.module(); }
    quint8 sequence() const { return m_sim.sequence(); }
    SimModule &sim() { return m_sim; }
    int framesSent() const { return m_framesSent; }
    int badReplies() const { return m_badReplies; }
    // Settings bytes 0 .. 68 of every good reply, oldest first.
    const QList<QByteArray> &replies() const { return m_replies; }
    QByteArray lastSettings() const
    {
        return m_replies.isEmpty() ? QByteArray() : m_replies.last();
    }
    // Every changed non-zero value of the command byte (42), in order.
    const QList<quint8> &commands() const { return m_sim.commands(); }
    // Bypass ranges and upload entries, consecutive repeats folded into one.
    const QList<OneShot> &oneShots() const { return m_sim.oneShots(); }
    // Bypass blocks and bulk frames sent.
    int blocksSent() const { return m_sim.blocksSent(); }
    int bulkFramesSent() const { return m_sim.bulkFramesSent(); }

signals:
    void replied();

private:
    void sendNext();
    void onReadyRead();

    SimModule m_sim;
    QTcpSocket m_socket;
    QTimer m_interval;
    QTimer m_noReply;
    QByteArray m_pending;
    int m_framesSent = 0;
    int m_badReplies = 0;
    QList<QByteArray> m_replies;
};
