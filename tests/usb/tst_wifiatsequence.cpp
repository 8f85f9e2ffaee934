// The Wi-Fi board's AT sequences: commands, field checks, probe and read-back.

#include "usb/WifiAtSequence.h"

#include <QTest>

using Seq = WifiAtSequence;

namespace {

// "SSID|security|password|server|module address|number index|off"; the box is
// checked for a module address unless "off".
Seq::Settings settings(const QString &fields)
{
    const QStringList f = fields.split(QLatin1Char('|'));
    Seq::Settings s;
    s.ssid = f[0];
    s.securityType = f.value(1).toInt();
    s.password = f.value(2);
    s.serverAddress = f.value(3);
    s.moduleAddressOn = f.size() > 4 && f.value(6) != QLatin1String("off");
    s.moduleAddress = f.value(4);
    s.moduleNumberIndex = f.value(5).toInt();
    return s;
}

} // namespace

class TestWifiAtSequence : public QObject
{
    Q_OBJECT

private slots:
    // Fed these answers, then "[OK]": what it sent, how it ended, what it read.
    void sequences_data()
    {
        QTest::addColumn<QString>("write"); // the fields; empty for a read-back
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("found"); // SSID|security|server|module address|number|firmware
        const QString head = "AT\nAT+MECHO=0\n", tail = "AT+MPROF=S\nAT+MRESET\n";
        const QString read = "AT\nAT+WSET=?\nAT+WSEC=?\nAT+SCON=?\nAT+WNET=?\nAN?";
        const QString ok = "[OK]\r\n", unread = "|||||", notRead = "???|???|???|???|???|";
        QTest::newRow("open, automatic address") << "Net|0||192.168.1.64" << QStringList()
                                                 << head
                + "AT+WSEC=0,OPEN,\nAT+WSET=0,Net\nAT+SCON=S,TCN,192.168.1.64,2323,2323,1\n"
                  "AT+WNET=0\n"
                + tail + "AN=1" << 1 << unread;
        QTest::newRow("read-back")
            << ""
            << QStringList{ ok,
                            "0,Station[OK]\r\n",
                            "0,WPA2,secret[OK]\r\n",
                            "S,TCN,192.168.1.64,2323,2323,1[OK]\r\n",
                            "1,192.168.1.70,[OK]\r\n",
                            "\x07~\x0c\x03" }
            << read << 1 << "Station|WPA2,secret|192.168.1.64|192.168.1.70|7|1.2.3";
        QTest::newRow("read-back: commas and brackets, automatic address")
            << ""
            << QStringList{ ok,
                            "0,Yard[OK]\r\n",
                            "0,WPAAES,pa,ss[x][OK]\r\n",
                            "S,TCN,station.local,2323,2323,1[OK]\r\n",
                            "0,,[OK]\r\n",
                            QString(QChar(16)) + "[OK]" }
            << read << 1 << "Yard|WPAAES,pa,ss[x]|station.local|AUTO|16|N/A";
        QTest::newRow("read-back: open, no address")
            << ""
            << QStringList{ ok,    "0,N[OK]\r\n",    "0,OPEN,[OK]\r\n", "S,TCN,1.2.3.4[OK]\r\n",
                            "0,x", QString(QChar(0)) }
            << read << 1 << "N|OPEN,|1.2.3.4|N/A|0|N/A";
        // The probe passes on "[OK]" and a two-character line end only.
        QTest::newRow("probe: one line-end character")
            << "N|0||1.2.3.4" << QStringList("[OK]\n") << "AT" << 3 << unread;
        QTest::newRow("probe: the server's rejection")
            << "" << QStringList("\u00d6[OK]\r\n") << "AT" << 2 << notRead;
    }

    void sequences()
    {
        QFETCH(QString, write);
        QFETCH(QStringList, answers);
        QFETCH(QString, sent);
        QFETCH(int, step);
        QFETCH(QString, found);
        Seq seq;
        if (write.isEmpty())
            seq.startRead();
        else
            seq.startWrite(settings(write));
        QStringList commands;
        Seq::Step last = Seq::Continue;
        for (int i = 0; i < 20 && last == Seq::Continue; ++i) {
            commands << seq.command();
            last = seq.reply(answers.value(i, QStringLiteral("[OK]\r\n")));
        }
        QCOMPARE(commands.join(QLatin1Char('\n')), sent);
        QCOMPARE(int(last), step);
        QVERIFY(!seq.isRunning());
        const Seq::ReadBack &r = seq.readBack();
        QCOMPARE(QStringList({ r.ssid, r.security, r.serverAddress, r.moduleAddress, r.moduleNumber,
                               r.firmware })
                     .join(QLatin1Char('|')),
                 found);
        const bool finished = step == Seq::Finished;
        QCOMPARE(seq.state(), write.isEmpty() ? (finished ? 18 : 11) : (finished ? 9 : 0));
    }

    void securityKeywords()
    {
        QStringList sent;
        for (int i = 0; i < 7; ++i) {
            Seq seq;
            seq.startWrite(settings(QStringLiteral("N|%1|k|1.2.3.4").arg(i)));
            seq.reply(QStringLiteral("[OK]\r\n"));
            seq.reply(QStringLiteral("[OK]\r\n"));
            sent << seq.command();
        }
        QCOMPARE(sent.join(' '),
                 QStringLiteral("AT+WSEC=0,OPEN,k AT+WSEC=0,WEP,k AT+WSEC=0,WPA,k "
                                "AT+WSEC=0,WPAAES,k AT+WSEC=0,WPA2AES,k "
                                "AT+WSEC=0,WPA2TKIP,k AT+WSEC=0,WPA2,k"));
    }

    void checks_data()
    {
        QTest::addColumn<QString>("fields");
        QTest::addColumn<int>("check"); // problem * 10 + field
        const QString ip = QStringLiteral("|192.168.1.64");
        QTest::newRow("fine") << "Net|4|pa,ss [x]" + ip << 0;
        QTest::newRow("no SSID") << "|0|" + ip << 10;
        QTest::newRow("no server") << "Net|0||" << 10;
        QTest::newRow("} in SSID") << "N}t|0|" + ip << 21;
        QTest::newRow("tab in SSID") << "N\tt|0|" + ip << 21;
        QTest::newRow("} in password") << "Net|2|ab}cd" + ip << 22;
        QTest::newRow("DEL in password") << "Net|2|ab\x7f" + ip << 22;
        QTest::newRow("C1 control in password") << "Net|2|\u0085" + ip << 22;
        QTest::newRow("lone surrogate in password") << "Net|2|" + QString(QChar(0xD800)) + ip << 22;
        QTest::newRow("host name") << "Net|0||my-pc.site5.local" << 0;
        QTest::newRow("number out of range") << "Net|0||192.168.1.300" << 33;
        QTest::newRow("underscore") << "Net|0||my_pc" << 33;
        QTest::newRow("leading hyphen") << "Net|0||-pc.local" << 33;
        QTest::newRow("empty label") << "Net|0||pc..local" << 33;
        QTest::newRow("label of 64") << "Net|0||" + QString(64, 'a') << 33;
        QTest::newRow("module address") << "Net|0|" + ip + "|10.0.0.9" << 0;
        QTest::newRow("module host name") << "Net|0|" + ip + "|module" << 44;
        QTest::newRow("module address off") << "Net|0|" + ip + "|module|0|off" << 0;
    }

    void checks()
    {
        QFETCH(QString, fields);
        QFETCH(int, check);
        const Seq::Check c = Seq::check(settings(fields));
        QCOMPARE(c.problem * 10 + c.field, check);
    }
};

QTEST_GUILESS_MAIN(TestWifiAtSequence)
#include "tst_wifiatsequence.moc"
