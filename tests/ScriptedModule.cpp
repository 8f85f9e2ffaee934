#include "ScriptedModule.h"

#include <QTest>

ScriptedModule::ScriptedModule(quint8 module, QObject *parent)
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

bool ScriptedModule::connectTo(quint16 port, int timeoutMs)
{
    m_socket.connectToHost(QHostAddress::LocalHost, port);
    if (!QTest::qWaitFor([this] { return isConnected(); }, timeoutMs))
        return false;
    sendNext();
    return true;
}

void ScriptedModule::disconnectFromStation()
{
    m_interval.stop();
    m_noReply.stop();
    m_socket.disconnectFromHost();
}

bool ScriptedModule::isConnected() const
{
    return m_socket.state() == QAbstractSocket::ConnectedState;
}

void ScriptedModule::setBypassMap(const QVector<quint8> &map)
{
    QByteArray bytes(map.size(), '\0');
    for (int i = 0; i < map.size(); ++i)
        bytes[i] = char(map.at(i));
    m_sim.setBypassMap(bytes);
}

void ScriptedModule::setDetection(bool on, quint8 type, int levelDbm, int thresholdDbm,
                                  qint32 freqKHz)
{
    if (!on) {
        m_sim.setFixedChannels({});
        return;
    }
    SimModule::Channel c;
    c.type = type;
    c.level = levelDbm;
    c.threshold = thresholdDbm;
    c.state = 1;
    c.freqMHz = freqKHz / 1000.0;
    m_sim.setFixedChannels({ c });
}

void ScriptedModule::sendNext()
{
    if (!isConnected())
        return;
    m_socket.write(m_sim.nextFrame());
    m_socket.flush();
    ++m_framesSent;
    m_noReply.start();
}

void ScriptedModule::onReadyRead()
{
    m_pending += m_socket.readAll();
    while (m_pending.size() >= 71) {
        const QByteArray reply = m_pending.left(71);
        m_pending.remove(0, 71);
        if (m_sim.takeReply(reply) != SimModule::Reply::Taken) {
            ++m_badReplies;
            continue;
        }
        m_replies.append(reply.mid(1, 69));
        emit replied();
    }
    if (m_pending.isEmpty() && !m_interval.isActive()) {
        m_noReply.stop();
        m_interval.start();
    }
}
