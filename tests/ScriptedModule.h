#pragma once
// A module on a socket, for tests: sends a SimModule's frames to the station over
// the loopback, each after the reply to the last, and keeps every good reply.

#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include "tools/modsim/SimModule.h"

class ScriptedModule : public QObject
{
    Q_OBJECT

public:
    using MapMode = SimModule::MapMode;
    using OneShot = SimModule::OneShot;

    explicit ScriptedModule(quint8 module, QObject *parent = nullptr)
        : QObject(parent)
        , m_sim(module)
    {
        // What a quiet module hears: GSM 900 at -90 dBm, under its threshold.
        m_sim.setHeard({ { 1, -90, 0 } });
        m_interval.setSingleShot(true);
        m_interval.setInterval(20);
        connect(&m_interval, &QTimer::timeout, this, &ScriptedModule::sendNext);
        // A frame the station did not answer (it was dropped) does not stall the module.
        m_noReply.setSingleShot(true);
        m_noReply.setInterval(1000);
        connect(&m_noReply, &QTimer::timeout, this, &ScriptedModule::sendNext);
        connect(&m_socket, &QTcpSocket::readyRead, this, &ScriptedModule::onReadyRead);
    }

    // Connects and starts sending; false if no connection came within timeoutMs.
    bool connectTo(quint16 port, int timeoutMs = 5000)
    {
        m_socket.connectToHost(QHostAddress::LocalHost, port);
        if (!QTest::qWaitFor([this] { return isConnected(); }, timeoutMs))
            return false;
        sendNext();
        return true;
    }
    void disconnectFromStation()
    {
        m_interval.stop();
        m_noReply.stop();
        m_socket.disconnectFromHost();
    }
    bool isConnected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }

    // Pause between a reply and the next frame.
    void setInterval(int ms) { m_interval.setInterval(ms); }
    // The module's bypass map (6144 entries of marks, entry i = i MHz).
    void setBypassMap(const QVector<quint8> &map)
    {
        m_sim.setBypassMap(QByteArray(reinterpret_cast<const char *>(map.constData()), map.size()));
    }
    void setMapMode(MapMode mode) { m_sim.setMapMode(mode); }
    // Channel 0 reports a detection from the next frame on; `on` false: quiet again.
    void setDetection(bool on, quint8 type = 1, int levelDbm = -60, int thresholdDbm = -80,
                      qint32 freqKHz = 0)
    {
        const SimModule::Channel c{ type, levelDbm, thresholdDbm, 1, freqKHz / 1000.0 };
        m_sim.setFixedChannels(QVector<SimModule::Channel>(on ? 1 : 0, c));
    }

    int badReplies() const { return m_badReplies; }
    // Settings bytes 0 .. 68 of every good reply, oldest first.
    const QList<QByteArray> &replies() const { return m_replies; }
    QByteArray lastSettings() const { return m_replies.value(m_replies.size() - 1); }
    // Every changed non-zero value of the command byte (42), in order.
    const QList<quint8> &commands() const { return m_sim.commands(); }
    // Bypass ranges and upload entries, consecutive repeats folded into one.
    const QList<OneShot> &oneShots() const { return m_sim.oneShots(); }
    // Bypass blocks and bulk frames sent.
    int blocksSent() const { return m_sim.blocksSent(); }
    int bulkFramesSent() const { return m_sim.bulkFramesSent(); }

private:
    void sendNext()
    {
        if (!isConnected())
            return;
        m_socket.write(m_sim.nextFrame());
        m_socket.flush();
        m_noReply.start();
    }
    void onReadyRead()
    {
        m_pending += m_socket.readAll();
        while (m_pending.size() >= 71) {
            const QByteArray reply = m_pending.left(71);
            m_pending.remove(0, 71);
            if (m_sim.takeReply(reply) == SimModule::Reply::Taken)
                m_replies.append(reply.mid(1, 69));
            else
                ++m_badReplies;
        }
        if (m_pending.isEmpty() && !m_interval.isActive()) {
            m_noReply.stop();
            m_interval.start();
        }
    }

    SimModule m_sim;
    QTcpSocket m_socket;
    QTimer m_interval;
    QTimer m_noReply;
    QByteArray m_pending;
    int m_badReplies = 0;
    QList<QByteArray> m_replies;
};
