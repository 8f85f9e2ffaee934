// Forwarding to a real collector: rsyslogd, started by the test on a free
// local port with its own configuration, writes every message it parsed as
// one line of fields. Skipped where rsyslogd is not installed.

#include "Fixtures.h"
#include "ScriptedModule.h"
#include "TestSettings.h"
#include "app/CMainWindow.h"
#include "display/CModuleWindow.h"
#include "eventlog/SyslogForwarder.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QSslSocket>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

namespace {

using Transport = SyslogForwarder::Transport;

QString rsyslogd()
{
    return QStandardPaths::findExecutable(QStringLiteral("rsyslogd"),
                                          { QStringLiteral("/usr/sbin"), QStringLiteral("/sbin") });
}

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

bool udpBound(quint16 port)
{
    // Local address column of /proc/net/udp: 0100007F:PORT in hex.
    QFile table(QStringLiteral("/proc/net/udp"));
    return table.open(QIODevice::ReadOnly)
        && table.readAll().contains(
            QStringLiteral(":%1 ").arg(port, 4, 16, QLatin1Char('0')).toUpper().toLatin1());
}

// One rsyslogd listening on 127.0.0.1 with one transport; its output file keeps
// what it received across restarts.
class Collector
{
public:
    Collector(const QString &dir, Transport transport)
        : m_dir(dir)
        , m_transport(transport)
        , m_port(freePort())
    {
        const QString tls = transport != Transport::Tls
            ? QString()
            : QStringLiteral("global(DefaultNetstreamDriverCAFile=\"%1/cert.pem\" "
                             "DefaultNetstreamDriverCertFile=\"%1/cert.pem\" "
                             "DefaultNetstreamDriverKeyFile=\"%1/key.pem\")\n")
                  .arg(dir);
        const QString input = transport == Transport::Udp
            ? QStringLiteral("module(load=\"imudp\")\ninput(type=\"imudp\" address=\"127.0.0.1\" "
                             "port=\"%1\")\n")
            : transport == Transport::Tls
            ? QStringLiteral("module(load=\"imtcp\" streamDriver.name=\"gtls\" "
                             "streamDriver.mode=\"1\" streamDriver.authMode=\"anon\")\n"
                             "input(type=\"imtcp\" address=\"127.0.0.1\" port=\"%1\")\n")
            : QStringLiteral("module(load=\"imtcp\")\ninput(type=\"imtcp\" address=\"127.0.0.1\" "
                             "port=\"%1\")\n");
        QFile conf(m_dir + QStringLiteral("/rsyslog.conf"));
        if (!conf.open(QIODevice::WriteOnly))
            return;
        conf.write(
            (QStringLiteral("global(workDirectory=\"%1\")\n").arg(dir) + tls + input.arg(m_port)
             + QStringLiteral("template(name=\"fields\" type=\"list\") {\n"
                              " property(name=\"syslogfacility-text\") constant(value=\"|\")\n"
                              " property(name=\"syslogseverity\") constant(value=\"|\")\n"
                              " property(name=\"timereported\" dateFormat=\"rfc3339\") "
                              "constant(value=\"|\")\n"
                              " property(name=\"hostname\") constant(value=\"|\")\n"
                              " property(name=\"app-name\") constant(value=\"|\")\n"
                              " property(name=\"procid\") constant(value=\"|\")\n"
                              " property(name=\"msgid\") constant(value=\"|\")\n"
                              " property(name=\"structured-data\") constant(value=\"|\")\n"
                              " property(name=\"msg\") constant(value=\"\\n\")\n"
                              "}\n"
                              "action(type=\"omfile\" file=\"%1/out.log\" template=\"fields\")\n")
                   .arg(dir))
                .toUtf8());
    }
    ~Collector() { stop(); }
    quint16 port() const { return m_port; }

    bool start()
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(rsyslogd(),
                        { QStringLiteral("-n"), QStringLiteral("-f"), m_dir + "/rsyslog.conf",
                          QStringLiteral("-i"), m_dir + "/rsyslogd.pid" });
        if (!m_process.waitForStarted(5000))
            return false;
        // Listening once a connection is taken (TCP) or the port is bound (UDP).
        for (int i = 0; i < 100; ++i) {
            if (m_transport == Transport::Udp) {
                if (udpBound(m_port))
                    return true;
            } else {
                QTcpSocket probe;
                probe.connectToHost(QHostAddress::LocalHost, m_port);
                if (probe.waitForConnected(100))
                    return true;
            }
            if (m_process.state() != QProcess::Running)
                return false;
            QTest::qWait(50);
        }
        return false;
    }
    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(1000);
    }
    // Fields of every message written so far.
    QList<QStringList> messages() const
    {
        QFile out(m_dir + QStringLiteral("/out.log"));
        QList<QStringList> fields;
        if (!out.open(QIODevice::ReadOnly))
            return fields;
        for (const QByteArray &line : out.readAll().split('\n'))
            if (!line.isEmpty())
                fields << QString::fromUtf8(line).split(QLatin1Char('|'));
        return fields;
    }
    bool waitFor(int count, int ms = 5000) const
    {
        return QTest::qWaitFor([&] { return messages().size() >= count; }, ms);
    }

private:
    QString m_dir;
    Transport m_transport;
    quint16 m_port;
    QProcess m_process;
};

SyslogEntry entry(SyslogEntry::Kind kind, int type, quint8 module, qint64 start, qint64 end)
{
    SyslogEntry e;
    e.kind = kind;
    e.event = { start, end, -55, -75, 2412.0, type, kind == SyslogEntry::EventStart, module };
    return e;
}

} // namespace

class TestSyslogCollector : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestSettings::isolate();
        Fixtures::setZone("<+03>-3"); // the offset each message carries
        if (rsyslogd().isEmpty())
            QSKIP("rsyslogd is not installed (Debian package rsyslog)");
    }
    void init()
    {
        TestSettings::freshStation();
        QVERIFY(m_dir.isValid());
        QFile::remove(m_dir.filePath(QStringLiteral("out.log")));
    }

    void eachTransportDelivers_data()
    {
        QTest::addColumn<int>("transport");
        QTest::newRow("tcp") << int(Transport::Tcp);
        QTest::newRow("tls") << int(Transport::Tls);
        QTest::newRow("udp") << int(Transport::Udp);
    }
    void eachTransportDelivers()
    {
        QFETCH(int, transport);
        if (Transport(transport) == Transport::Tls) {
            if (!QSslSocket::supportsSsl())
                QSKIP("no TLS backend in Qt");
            if (!QFile::exists(QStringLiteral("/usr/lib/x86_64-linux-gnu/rsyslog/lmnsd_gtls.so")))
                QSKIP("no TLS driver for rsyslog (Debian package rsyslog-gnutls)");
            if (QStandardPaths::findExecutable(QStringLiteral("openssl")).isEmpty())
                QSKIP("no openssl to make the collector's certificate");
            QVERIFY(makeCertificate());
        }
        Collector collector(m_dir.path(), Transport(transport));
        QVERIFY(collector.start());

        SyslogForwarder forwarder;
        forwarder.setModuleNames([](quint8 m) { return QStringLiteral("Gate \"%1\"").arg(m); });
        SyslogForwarder::Config config;
        config.enabled = true;
        config.host = QStringLiteral("127.0.0.1");
        config.port = collector.port();
        config.transport = Transport(transport);
        if (config.transport == Transport::Tls)
            config.caFile = m_dir.filePath(QStringLiteral("cert.pem"));
        forwarder.configure(config);
        // A datagram needs no connection: give the socket its address first.
        QTRY_VERIFY_WITH_TIMEOUT(forwarder.isConnected(), 5000);

        const qint64 t = Fixtures::Dec2026;
        forwarder.post(entry(SyslogEntry::EventStart, 7, 4, t, t));
        forwarder.post(entry(SyslogEntry::EventEnd, 17, 5, t, t + 9));
        QVERIFY(collector.waitFor(2));

        const QString host = QSysInfo::machineHostName();
        const QString pid = QString::number(QCoreApplication::applicationPid());
        const QList<QStringList> got = collector.messages();
        QCOMPARE(got.size(), 2);
        QCOMPARE(got.at(0),
                 (QStringList{ "local0", "4", "2026-12-05T10:02:11+03:00", host, "harrier-tablet",
                               pid, "EVENT_START",
                               "[harrier@32473 module=\"4\" moduleName=\"Gate \\\"4\\\"\" "
                               "type=\"WLAN 2.4\" typeId=\"7\" level=\"-55\" threshold=\"-75\" "
                               "excess=\"20\" freqMHz=\"2412.000\"]",
                               "WLAN 2.4 detected by module 4 Gate \"4\": -55 dBm, 20 dB over "
                               "the threshold of -75 dBm, 2412.000 MHz" }));
        QCOMPARE(got.at(1).mid(0, 2), (QStringList{ "local0", "5" }));
        QCOMPARE(got.at(1).at(2), QStringLiteral("2026-12-05T10:02:20+03:00"));
        QCOMPARE(got.at(1).at(6), QStringLiteral("EVENT_END"));
        QVERIFY2(got.at(1).at(7).endsWith(QStringLiteral("freqMHz=\"2412.000\" duration=\"9\"]")),
                 qPrintable(got.at(1).at(7)));
    }

    void restartLosesNothingQueued()
    {
        Collector collector(m_dir.path(), Transport::Tcp);
        QVERIFY(collector.start());
        SyslogForwarder forwarder(5);
        forwarder.setRetryDelays(50, 200);
        forwarder.setModuleNames([](quint8 m) { return QString::number(m); });
        forwarder.configure(
            { true, QStringLiteral("127.0.0.1"), collector.port(), Transport::Tcp, QString() });
        QTRY_VERIFY_WITH_TIMEOUT(forwarder.isConnected(), 5000);
        forwarder.post(entry(SyslogEntry::EventStart, 1, 1, 1, 1));
        QVERIFY(collector.waitFor(1));

        collector.stop();
        QTRY_VERIFY_WITH_TIMEOUT(!forwarder.isConnected(), 5000);
        // Eight while the collector is down, five kept: the oldest three go.
        for (quint8 m = 2; m <= 9; ++m)
            forwarder.post(entry(SyslogEntry::EventStart, 1, m, 1, 1));
        QCOMPARE(forwarder.dropped(), quint64(3));
        QVERIFY(collector.start());
        QVERIFY(collector.waitFor(6));
        QTest::qWait(300); // nothing more, nothing twice
        QStringList modules;
        for (const QStringList &m : collector.messages())
            modules << m.value(7).section(QLatin1Char('"'), 1, 1);
        QCOMPARE(modules, (QStringList{ "1", "5", "6", "7", "8", "9" }));
    }

    void moduleOverLoopbackReachesCollector()
    {
        Collector collector(m_dir.path(), Transport::Tcp);
        QVERIFY(collector.start());
        QTemporaryDir home;
        qputenv("HOME", home.path().toLocal8Bit());
        CMainWindow w(0, false, Edition::full());
        QVERIFY(w.syslog());
        QSettings().setValue(SettingsKeys::moduleName(9), QStringLiteral("East ]door["));
        // Applied as the options change, without a restart.
        StationOptions &options = StationOptions::instance();
        options.setValue(SettingsKeys::SyslogHost, QStringLiteral("127.0.0.1"));
        options.setValue(SettingsKeys::SyslogPort, collector.port());
        options.setValue(SettingsKeys::SyslogTransport, QStringLiteral("tcp"));
        options.setValue(SettingsKeys::SyslogEnabled, true);
        QTRY_VERIFY_WITH_TIMEOUT(w.syslog()->isConnected(), 5000);

        ScriptedModule module(9);
        module.setInterval(20);
        module.setDetection(true, 16, -50, -70, 935000);
        QVERIFY(module.connectTo(w.server()->serverPort()));
        QVERIFY(collector.waitFor(1));
        module.setDetection(false);
        QVERIFY(collector.waitFor(2));
        // The window closes as after 30 s of silence; the next record brings it back.
        QVERIFY(w.moduleWindow(9));
        emit w.moduleWindow(9)->closeNeeded();
        QVERIFY(collector.waitFor(4));
        module.disconnectFromStation();

        const QList<QStringList> got = collector.messages();
        QCOMPARE(got.at(0).at(1), QStringLiteral("2"));
        QCOMPARE(got.at(0).at(6), QStringLiteral("EVENT_START"));
        QCOMPARE(got.at(0).at(7),
                 QStringLiteral("[harrier@32473 module=\"9\" moduleName=\"East \\]door[\" "
                                "type=\"Jammer GSM\" typeId=\"16\" level=\"-50\" "
                                "threshold=\"-70\" excess=\"20\" freqMHz=\"935.000\"]"));
        QCOMPARE(got.at(1).at(6), QStringLiteral("EVENT_END"));
        QCOMPARE(got.at(1).at(1), QStringLiteral("5"));
        QCOMPARE(got.at(2).mid(6),
                 (QStringList{ "MODULE_LOST",
                               "[harrier@32473 module=\"9\" moduleName=\"East "
                               "\\]door[\"]",
                               "Module 9 East ]door[ stopped reporting" }));
        QCOMPARE(got.at(2).at(1), QStringLiteral("3"));
        QCOMPARE(got.at(3).at(6), QStringLiteral("MODULE_BACK"));
        QCOMPARE(got.size(), 4);
    }

private:
    bool makeCertificate()
    {
        QProcess openssl;
        openssl.setWorkingDirectory(m_dir.path());
        openssl.start(QStringLiteral("openssl"),
                      { "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                        "-nodes", "-keyout", "key.pem", "-out", "cert.pem", "-days", "2", "-subj",
                        "/CN=localhost", "-addext", "subjectAltName=DNS:localhost,IP:127.0.0.1" });
        return openssl.waitForFinished(10000) && openssl.exitCode() == 0;
    }

    QTemporaryDir m_dir;
};

QTEST_MAIN(TestSyslogCollector)
#include "tst_syslogcollector.moc"
