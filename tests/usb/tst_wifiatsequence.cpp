// The Wi-Fi board's AT sequences without a dialog: the commands built from
// the fields, what the fields may hold, the probe and every read-back field.

#include "usb/WifiAtSequence.h"

#include <QTest>

using Seq = WifiAtSequence;

Q_DECLARE_METATYPE(Seq::Settings)

namespace {

Seq::Settings settings(const QString &ssid, int security, const QString &password,
                       const QString &server, const QString &moduleAddress = QString(),
                       int numberIndex = 0)
{
    Seq::Settings s;
    s.ssid = ssid;
    s.securityType = security;
    s.password = password;
    s.serverAddress = server;
    s.moduleAddressOn = !moduleAddress.isNull();
    s.moduleAddress = moduleAddress;
    s.moduleNumberIndex = numberIndex;
    return s;
}

Seq::Settings noModuleAddress(Seq::Settings s)
{
    s.moduleAddressOn = false;
    return s;
}

QString text(const Seq::ReadBack &r)
{
    return QStringList{ r.ssid,          r.security,     r.serverAddress,
                        r.moduleAddress, r.moduleNumber, r.firmware }
        .join(QLatin1Char('|'));
}

} // namespace

class TestWifiAtSequence : public QObject
{
    Q_OBJECT

private slots:
    void writeCommands_data()
    {
        QTest::addColumn<Seq::Settings>("in");
        QTest::addColumn<QString>("sent");
        const QString head = QStringLiteral("AT\nAT+MECHO=0\n");
        const QString tail = QStringLiteral("AT+MPROF=S\nAT+MRESET\n");
        QTest::newRow("open, automatic address") << settings("Net", 0, "", "192.168.1.64")
                                                 << head
                + "AT+WSEC=0,OPEN,\nAT+WSET=0,Net\nAT+SCON=S,TCN,192.168.1.64,2323,2323,1\n"
                  "AT+WNET=0\n"
                + tail + "AN=1";
        QTest::newRow("comma password, fixed address, number 16")
            << settings("Field Net", 3, "pa,ss", "station.local", "10.1.2.70", 15)
            << head
                + "AT+WSEC=0,WPAAES,pa,ss\nAT+WSET=0,Field Net\n"
                  "AT+SCON=S,TCN,station.local,2323,2323,1\n"
                  "AT+WNET=1,10.1.2.70,255.255.255.0\n"
                + tail + "AN=16";
    }

    // Every command of the write, in order; the sequence is over after the ninth.
    void writeCommands()
    {
        QFETCH(Seq::Settings, in);
        QFETCH(QString, sent);
        Seq seq;
        seq.startWrite(in);
        QStringList commands;
        Seq::Step step = Seq::Continue;
        for (int i = 0; i < 20 && step == Seq::Continue; ++i) {
            commands << seq.command();
            step = seq.reply(QStringLiteral("[OK]\r\n"));
        }
        QCOMPARE(commands.join(QLatin1Char('\n')), sent);
        QCOMPARE(step, Seq::Finished);
        QCOMPARE(seq.state(), 9);
        QVERIFY(!seq.isRunning());
    }

    void securityKeywords()
    {
        const char *const keywords[] = { "OPEN",    "WEP",      "WPA", "WPAAES",
                                         "WPA2AES", "WPA2TKIP", "WPA2" };
        for (int i = 0; i < 7; ++i) {
            Seq seq;
            seq.startWrite(settings("N", i, "k", "1.2.3.4"));
            seq.reply(QStringLiteral("[OK]\r\n"));
            seq.reply(QStringLiteral("[OK]\r\n"));
            QCOMPARE(seq.command(), QStringLiteral("AT+WSEC=0,%1,k").arg(keywords[i]));
        }
    }

    void checks_data()
    {
        QTest::addColumn<Seq::Settings>("in");
        QTest::addColumn<int>("problem");
        QTest::addColumn<int>("field");
        const QString ip = QStringLiteral("192.168.1.64");
        QTest::newRow("fine") << settings("Net", 4, "pa,ss [x]", ip) << 0 << 0;
        QTest::newRow("no SSID") << settings("", 0, "", ip) << 1 << 0;
        QTest::newRow("no server") << settings("Net", 0, "", "") << 1 << 0;
        QTest::newRow("} in SSID") << settings("N}t", 0, "", ip) << 2 << 1;
        QTest::newRow("tab in SSID") << settings("N\tt", 0, "", ip) << 2 << 1;
        QTest::newRow("} in password") << settings("Net", 2, "ab}cd", ip) << 2 << 2;
        QTest::newRow("line end in password") << settings("Net", 2, "ab\r\n", ip) << 2 << 2;
        QTest::newRow("DEL in password") << settings("Net", 2, "ab\x7f", ip) << 2 << 2;
        QTest::newRow("C1 control in password")
            << settings("Net", 2, QString(QChar(0x85)), ip) << 2 << 2;
        QTest::newRow("lone surrogate in password")
            << settings("Net", 2, QString(QChar(0xD800)), ip) << 2 << 2;
        QTest::newRow("host name") << settings("Net", 0, "", "my-pc.site5.local") << 0 << 0;
        QTest::newRow("one-label host") << settings("Net", 0, "", "station") << 0 << 0;
        QTest::newRow("number out of range") << settings("Net", 0, "", "192.168.1.300") << 3 << 3;
        QTest::newRow("three numbers") << settings("Net", 0, "", "192.168.1") << 3 << 3;
        QTest::newRow("underscore") << settings("Net", 0, "", "my_pc") << 3 << 3;
        QTest::newRow("leading hyphen") << settings("Net", 0, "", "-pc.local") << 3 << 3;
        QTest::newRow("empty label") << settings("Net", 0, "", "pc..local") << 3 << 3;
        QTest::newRow("} in server") << settings("Net", 0, "", "pc}") << 3 << 3;
        QTest::newRow("label of 64") << settings("Net", 0, "", QString(64, 'a')) << 3 << 3;
        QTest::newRow("module address") << settings("Net", 0, "", ip, "10.0.0.9") << 0 << 0;
        QTest::newRow("module host name") << settings("Net", 0, "", ip, "module") << 4 << 4;
        QTest::newRow("module address off")
            << noModuleAddress(settings("Net", 0, "", ip, "module")) << 0 << 0;
    }

    void checks()
    {
        QFETCH(Seq::Settings, in);
        QFETCH(int, problem);
        QFETCH(int, field);
        const Seq::Check c = Seq::check(in);
        QCOMPARE(int(c.problem), problem);
        QCOMPARE(int(c.field), field);
    }

    // The probe passes on "[OK]" and a two-character line end only.
    void probe_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("step");
        QTest::newRow("ok") << "[OK]\r\n" << int(Seq::Continue);
        QTest::newRow("one line-end character") << "[OK]\n" << int(Seq::ProbeFailed);
        QTest::newRow("error") << "[ERR]\r\n" << int(Seq::ProbeFailed);
        QTest::newRow("nothing") << "" << int(Seq::ProbeFailed);
        QTest::newRow("server's rejection") << "\u00d6[OK]\r\n" << int(Seq::ProbeRejected);
    }

    void probe()
    {
        QFETCH(QString, answer);
        QFETCH(int, step);
        Seq seq;
        seq.startWrite(settings("N", 0, "", "1.2.3.4"));
        QCOMPARE(int(seq.reply(answer)), step);
        seq.startRead();
        QCOMPARE(int(seq.reply(answer)), step);
        QCOMPARE(seq.state(), step == Seq::Continue ? 12 : 11);
        QCOMPARE(seq.isRunning(), step == Seq::Continue);
    }

    void readBack_data()
    {
        QTest::addColumn<QStringList>("answers"); // to AT+WSET=?, WSEC, SCON, WNET, AN?
        QTest::addColumn<QString>("found");
        QTest::newRow("typical") << QStringList{ "0,Station[OK]\r\n", "0,WPA2,secret[OK]\r\n",
                                                 "S,TCN,192.168.1.64,2323,2323,1[OK]\r\n",
                                                 "1,192.168.1.70,[OK]\r\n", "\x07~\x0c\x03" }
                                 << "Station|WPA2,secret|192.168.1.64|192.168.1.70|7|1.2.3";
        QTest::newRow("commas and brackets, automatic")
            << QStringList{ "0,Yard[OK]\r\n", "0,WPAAES,pa,ss[x][OK]\r\n",
                            "S,TCN,station.local,2323,2323,1[OK]\r\n", "0,,[OK]\r\n",
                            QString(QChar(16)) + "[OK]" }
            << "Yard|WPAAES,pa,ss[x]|station.local|AUTO|16|N/A";
        QTest::newRow("open, no address")
            << QStringList{ "0,N[OK]\r\n", "0,OPEN,[OK]\r\n", "S,TCN,1.2.3.4[OK]\r\n", "0,x",
                            QString(QChar(0)) }
            << "N|OPEN,|1.2.3.4|N/A|0|N/A";
    }

    void readBack()
    {
        QFETCH(QStringList, answers);
        QFETCH(QString, found);
        Seq seq;
        seq.startRead();
        QCOMPARE(text(seq.readBack()), QStringLiteral("???|???|???|???|???|"));
        QCOMPARE(seq.reply(QStringLiteral("[OK]\r\n")), Seq::Continue);
        const QStringList commands = { "AT+WSET=?", "AT+WSEC=?", "AT+SCON=?", "AT+WNET=?", "AN?" };
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(seq.command(), commands[i]);
            QCOMPARE(seq.reply(answers[i]), i < 4 ? Seq::Continue : Seq::Finished);
        }
        QCOMPARE(seq.state(), 18);
        QCOMPARE(text(seq.readBack()), found);
    }
};

QTEST_GUILESS_MAIN(TestWifiAtSequence)
#include "tst_wifiatsequence.moc"
