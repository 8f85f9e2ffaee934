// Forwarding to a collector on the loopback over each transport: a TCP stream
// carries each message octet-counted (RFC 6587; names of two-octet letters tell
// octets from characters), a datagram one message (RFC 5426); what waits while
// the collector is away follows once it is back. The lines: tst_syslogmessage.

#include "Fixtures.h"
#include "TestSettings.h"
#include "eventlog/SyslogForwarder.h"

#include <QCoreApplication>
#include <QNetworkDatagram>
#include <QSysInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUdpSocket>

namespace {

using F = Fixtures;
using Transport = SyslogForwarder::Transport;

SyslogEntry start(quint8 module)
{
    return { SyslogEntry::EventStart,
             { F::Dec2026, F::Dec2026, -55, -75, 2412.0, 7, true, module } };
}

// The collector's end: a listener and a datagram socket on one port number.
struct Collector
{
    QTcpServer tcp;
    QUdpSocket udp;
    QTcpSocket *peer = nullptr;
    QByteArray stream;
    QList<QByteArray> messages;

    // Takes what arrived; true once there are `count` whole messages.
    bool received(int count, int ms = 5000)
    {
        return QTest::qWaitFor(
            [&] {
            if (tcp.hasPendingConnections())
                peer = tcp.nextPendingConnection();
            stream += peer && peer->isOpen() ? peer->readAll() : QByteArray();
            for (int space; (space = stream.indexOf(' ')) > 0
                 && stream.size() > space + stream.left(space).toInt();) {
                const int length = stream.left(space).toInt();
                messages << stream.mid(space + 1, length);
                stream.remove(0, space + 1 + length);
            }
            while (udp.state() == QAbstractSocket::BoundState && udp.hasPendingDatagrams())
                messages << udp.receiveDatagram().data();
            return messages.size() >= count;
            },
            ms);
    }
    // The module number each message names, or the message itself when it is
    // not the event's line from this host and process.
    QStringList modules() const
    {
        const QByteArray head = "<132>1 2026-12-05T07:02:11Z "
            + QSysInfo::machineHostName().toUtf8() + " harrier-tablet "
            + QByteArray::number(QCoreApplication::applicationPid())
            + " EVENT_START [harrier@32473 module=\"";
        QStringList out;
        for (const QByteArray &m : messages)
            out << (m.startsWith(head) && m.endsWith(" 2412.000 MHz")
                        ? QString::fromUtf8(m).section(QLatin1Char('"'), 1, 1)
                        : QString::fromUtf8(m));
        return out;
    }
};

} // namespace

class TestSyslogCollector : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestSettings::isolate();
        F::setZone("UTC");
    }

    void eachTransportDelivers_data()
    {
        QTest::addColumn<int>("transport");
        QTest::newRow("tcp") << int(Transport::Tcp);
        QTest::newRow("udp") << int(Transport::Udp);
    }
    void eachTransportDelivers()
    {
        QFETCH(int, transport);
        Collector c;
        QVERIFY(c.tcp.listen(QHostAddress::LocalHost));
        QVERIFY(c.udp.bind(QHostAddress::LocalHost, c.tcp.serverPort()));
        SyslogForwarder forwarder;
        forwarder.setModuleNames([](quint8 m) { return QStringLiteral("Врата %1").arg(m); });
        forwarder.configure({ true, QStringLiteral("127.0.0.1"), c.tcp.serverPort(),
                              Transport(transport), QString() });
        // A datagram needs no connection: the socket only takes its address.
        QTRY_VERIFY_WITH_TIMEOUT(forwarder.isConnected(), 5000);
        forwarder.post(start(4));
        forwarder.post(start(5));
        QVERIFY(c.received(2));
        QCOMPARE(c.modules(), QStringList({ "4", "5" }));
    }

    // Messages posted while the collector is away follow once it is back, in
    // order and none twice; beyond the bound the oldest are dropped.
    void restartLosesNothingQueued()
    {
        Collector c;
        QVERIFY(c.tcp.listen(QHostAddress::LocalHost));
        const quint16 port = c.tcp.serverPort();
        SyslogForwarder forwarder(5);
        forwarder.setRetryDelays(50, 200);
        forwarder.setModuleNames([](quint8 m) { return QString::number(m); });
        forwarder.configure({ true, QStringLiteral("127.0.0.1"), port, Transport::Tcp, QString() });
        forwarder.post(start(1));
        QVERIFY(c.received(1));
        c.tcp.close();
        c.peer->abort();
        QTRY_VERIFY_WITH_TIMEOUT(!forwarder.isConnected(), 5000);
        for (quint8 m = 2; m <= 9; ++m)
            forwarder.post(start(m));
        QCOMPARE(forwarder.dropped(), quint64(3));
        QVERIFY(c.tcp.listen(QHostAddress::LocalHost, port));
        QVERIFY(c.received(6) && !c.received(7, 300));
        QCOMPARE(c.modules(), QStringList({ "1", "5", "6", "7", "8", "9" }));
    }
};

QTEST_GUILESS_MAIN(TestSyslogCollector)
#include "tst_syslogcollector.moc"
