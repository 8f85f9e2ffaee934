#include "ScriptedModule.h"

#include <QTest>

namespace {

quint8 sum(const QByteArray &bytes, int from, int to)
{
    quint8 s = 0;
    for (int i = from; i <= to; ++i)
        s = quint8(s + quint8(bytes.at(i)));
    return s;
}

QByteArray be16(int value)
{
    QByteArray b(2, '\0');
    b[0] = char((value >> 8) & 0xFF);
    b[1] = char(value & 0xFF);
    return b;
}

} // namespace

ScriptedModule::ScriptedModule(quint8 module, QObject *parent)
    : QObject(parent)
    , m_module(module)
{
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

QByteArray ScriptedModule::measurementFrame()
{
    // Short frame: 8C 04, length 00 33, then the 51-byte body.
    QByteArray body(51, '\0');
    body[0] = '2';
    body[1] = '5';
    body[2] = '0';
    body[3] = char(31); // link level
    body[4] = char(4);  // format
    body[5] = char(m_module);
    body[6] = char(m_linkSeq++);
    // Channel 0 at 7: GSM 900 quiet at -90 dBm, threshold -65, noise -95.
    body[7 + 1] = char(1);
    body[7 + 2] = char(-90 + 102);
    body[7 + 3] = char(-65 + 102);
    body[7 + 4] = char(-95 + 102);
    if (m_detection.on) {
        // Type at +1, level +2, threshold +3, frequency in kHz big-endian at
        // +5 .. +8, state at +9.
        body[7 + 1] = char(m_detection.type);
        body[7 + 2] = char(m_detection.level + 102);
        body[7 + 3] = char(m_detection.threshold + 102);
        const quint32 f = quint32(m_detection.freqKHz);
        body[7 + 5] = char(f >> 24);
        body[7 + 6] = char(f >> 16);
        body[7 + 7] = char(f >> 8);
        body[7 + 8] = char(f);
        body[7 + 9] = char(1);
    }
    body[7 + 13] = char(m_sequence); // command sequence byte
    body[49] = char(sum(body, 0, 48));
    return QByteArray::fromHex("8c040033") + body;
}

QByteArray ScriptedModule::blockFrame(quint8 block, const QList<QByteArray> &runs)
{
    QByteArray body(51, '\0');
    body[0] = '1';
    body[1] = '5';
    body[2] = '0';
    body[3] = '8';
    body[4] = char(m_module);
    body[5] = char(block);
    for (int r = 0; r < runs.size() && r < 10; ++r)
        body.replace(9 + 4 * r, 4, runs.at(r));
    body[49] = char(sum(body, 0, 48));
    return QByteArray::fromHex("8c040033") + body;
}

QByteArray ScriptedModule::bulkFrame() const
{
    // Bulk frame: 54 19, length 18 0C (6156), module, 9 spare bytes, the map
    // XOR 0x55, the checksum of everything before it, one spare byte.
    QByteArray body(6156, '\0');
    body[0] = char(m_module);
    for (int i = 0; i < 6144; ++i)
        body[10 + i] = char(m_map.value(i) ^ 0x55);
    body[6154] = char(sum(body, 0, 6153));
    return QByteArray::fromHex("5419180c") + body;
}

QList<QByteArray> ScriptedModule::mapRuns() const
{
    // Runs of equal non-zero marks: start (16 bits), then mark << 12 | count.
    QList<QByteArray> runs;
    int i = 1; // entry 0 cannot be sent: a start of 0 ends the map
    while (i < m_map.size()) {
        const quint8 mark = m_map.at(i);
        if (mark == 0) {
            ++i;
            continue;
        }
        int n = 1;
        while (i + n < m_map.size() && m_map.at(i + n) == mark && n < 0xFFF)
            ++n;
        runs.append(be16(i) + be16((mark & 0x0F) << 12 | n));
        i += n;
    }
    runs.append(QByteArray(4, '\0')); // the end of the map
    return runs;
}

void ScriptedModule::sendNext()
{
    if (!isConnected())
        return;
    QByteArray frame;
    if (m_bulkDue) {
        m_bulkDue = false;
        frame = bulkFrame();
        ++m_bulkSent;
    } else if (m_blockDue && !m_runsToSend.isEmpty()) {
        m_blockDue = false;
        const QList<QByteArray> runs = m_runsToSend.mid(0, 10);
        m_runsToSend = m_runsToSend.mid(runs.size());
        frame = blockFrame(m_nextBlock++, runs);
        ++m_blocksSent;
    } else {
        frame = measurementFrame();
    }
    m_socket.write(frame);
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
        // 'O', settings bytes 0 .. 68, the sum of bytes 1 .. 69.
        if (quint8(reply.at(0)) != 0x4F || quint8(reply.at(70)) != sum(reply, 1, 69)) {
            ++m_badReplies;
            continue;
        }
        handleReply(reply.mid(1, 69));
    }
    if (m_pending.isEmpty() && !m_interval.isActive()) {
        m_noReply.stop();
        m_interval.start();
    }
}

void ScriptedModule::handleReply(const QByteArray &s)
{
    const auto at = [&s](int i) { return quint8(s.at(i)); };
    m_replies.append(s);

    // Settings bytes 37 .. 41: a bypass range or an upload entry, one reply only.
    const OneShot shot{ quint16(at(37) << 8 | at(38)), quint16(at(39) << 8 | at(40)), at(41) };
    const bool hasShot = shot.begin != 0 || shot.end != 0 || shot.kind != 0;
    if (hasShot && (m_oneShots.isEmpty() || !(m_oneShots.last() == shot)))
        m_oneShots.append(shot);

    const quint8 command = at(42);
    const bool newCommand = command != 0 && command != m_lastCommand;
    m_lastCommand = command;
    if (newCommand)
        m_commands.append(command);

    if (at(50) != 0 || (at(49) != 0 && hasShot)) {
        // An upload runs: confirm the entry by echoing its index.
        m_sequence = at(49);
    } else if (hasShot || newCommand) {
        ++m_sequence;
    }

    // A request for the map: a new command 8, or 8 beside a range just deleted.
    if (command == 8 && (newCommand || hasShot)) {
        if (m_mapMode == MapMode::Bulk) {
            m_bulkDue = true;
        } else {
            m_runsToSend = mapRuns();
            m_nextBlock = 0;
            m_blockDue = true;
        }
    } else if (newCommand && (command == 9 || command == 10)) {
        m_blockDue = true;
    }
    emit replied();
}
