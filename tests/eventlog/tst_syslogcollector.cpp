// Syslog lines written out by hand per kind, severity, offset and escaping;
// forwarding them to a loopback collector: TCP octet-counted (RFC 6587; two-octet
// letters in names tell octets from characters), UDP a message a datagram
// (RFC 5426), and what waits while it is away.

#include "Fixtures.h"
#include "TestSettings.h"
#include "eventlog/SyslogForwarder.h"
#include "eventlog/SyslogMessage.h"

#include <QCoreApplication>
#include <QNetworkDatagram>
#include <QSysInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUdpSocket>

Q_DECLARE_METATYPE(SyslogEntry)

namespace {

using F = Fixtures;
using Transport = SyslogForwarder::Transport;

SyslogEntry start(quint8 module)
{
    return { SyslogEntry::EventStart,
             { F::Dec2026, F::Dec2026, -55, -75, 2412.0, 7, true, module } };
}

// Events run 1700000000 .. 1700000012 (2023-11-14 22:13:20 .. 32 UTC), peak
// -60 dBm over a threshold of -80 dBm; module changes at 1700000100.
SyslogEntry entry(SyslogEntry::Kind kind, int type, quint8 module, double freq = 0.0)
{
    const qint64 end = kind == SyslogEntry::EventStart ? 1700000000 : 1700000012;
    return { kind, { 1700000000, end, -60, -80, freq, type, false, module }, 1700000100 };
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
    // The module each message names, or the message unless it is the event's line.
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
    void initTestCase() { F::setZone("UTC"); }

    void lines_data()
    {
        QTest::addColumn<SyslogEntry>("entry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("band start, +03:00")
            << entry(SyslogEntry::EventStart, 1, 7, 935.2) << "North gate"
            << "station1" << 3 * 3600
            << QByteArray(
                   "<132>1 2023-11-15T01:13:20+03:00 station1 harrier-tablet 4242 EVENT_START "
                   "[harrier@32473 module=\"7\" moduleName=\"North gate\" type=\"GSM 900\" "
                   "typeId=\"1\" level=\"-60\" threshold=\"-80\" excess=\"20\" "
                   "freqMHz=\"935.200\"] GSM 900 detected by module 7 North gate: -60 dBm, 20 dB "
                   "over the threshold of -80 dBm, 935.200 MHz");
        QTest::newRow("band end, UTC")
            << entry(SyslogEntry::EventEnd, 3, 7) << "North gate"
            << "station1" << 0
            << QByteArray("<134>1 2023-11-14T22:13:32Z station1 harrier-tablet 4242 EVENT_END "
                          "[harrier@32473 module=\"7\" moduleName=\"North gate\" type=\"DECT\" "
                          "typeId=\"3\" level=\"-60\" threshold=\"-80\" excess=\"20\" "
                          "duration=\"12\"] DECT no longer detected by module 7 North gate after "
                          "12 s: -60 dBm, 20 dB over the threshold of -80 dBm");
        QTest::newRow("jammer start, escaped name")
            << entry(SyslogEntry::EventStart, 16, 12) << "a \"b\" \\c] d"
            << "st 1" << 0
            << QByteArray("<130>1 2023-11-14T22:13:20Z st1 harrier-tablet 4242 EVENT_START "
                          "[harrier@32473 module=\"12\" moduleName=\"a \\\"b\\\" \\\\c\\] d\" "
                          "type=\"Jammer GSM\" typeId=\"16\" level=\"-60\" threshold=\"-80\" "
                          "excess=\"20\"] Jammer GSM detected by module 12 a \"b\" \\c] d: -60 "
                          "dBm, 20 dB over the threshold of -80 dBm");
        QTest::newRow("jammer end")
            << entry(SyslogEntry::EventEnd, 17, 2, 1575.42) << "2"
            << "" << 0
            << QByteArray("<133>1 2023-11-14T22:13:32Z - harrier-tablet 4242 EVENT_END "
                          "[harrier@32473 module=\"2\" moduleName=\"2\" type=\"Jammer GPS\" "
                          "typeId=\"17\" level=\"-60\" threshold=\"-80\" excess=\"20\" "
                          "freqMHz=\"1575.420\" duration=\"12\"] Jammer GPS no longer detected by "
                          "module 2 2 after 12 s: -60 dBm, 20 dB over the threshold of -80 dBm, "
                          "1575.420 MHz");
        QTest::newRow("module lost, -05:00")
            << entry(SyslogEntry::ModuleLost, 0, 3) << "Северный"
            << "station1" << -5 * 3600
            << QByteArray("<131>1 2023-11-14T17:15:00-05:00 station1 harrier-tablet 4242 "
                          "MODULE_LOST [harrier@32473 module=\"3\" moduleName=\"Северный\"] "
                          "Module 3 Северный stopped reporting");
    }
    void lines()
    {
        QFETCH(SyslogEntry, entry);
        QFETCH(QString, name);
        QFETCH(QString, host);
        QFETCH(int, offset);
        QFETCH(QByteArray, line);
        QCOMPARE(SyslogMessage::format(entry, name, { host, 4242 }, offset), line);
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
