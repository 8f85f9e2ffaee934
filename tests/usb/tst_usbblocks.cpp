// What the USB link carries, without I/O: both carriages, the Wi-Fi board's AT
// sequences, the Ethernet board, and the suppression unit's blocks and tuning steps.

#include "usb/EthernetBoard.h"
#include "usb/TuningSteps.h"
#include "usb/WifiAtSequence.h"

#include <QTest>

using namespace UsbBlocks;
using Seq = WifiAtSequence;

namespace {

QByteArray bytes(const Block &b, int from = 0, int count = BlockSize)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()) + from, count);
}

Block block(const QByteArray &hex)
{
    Block b{};
    const QByteArray raw = QByteArray::fromHex(hex);
    std::copy(raw.begin(), raw.end(), b.begin());
    return b;
}

// "SSID|security|password|server|module address|off"; the box is checked for a
// module address unless "off".
Seq::Settings settings(const QString &fields)
{
    const QStringList f = fields.split(QLatin1Char('|'));
    Seq::Settings s;
    s.ssid = f[0];
    s.securityType = f.value(1).toInt();
    s.password = f.value(2);
    s.serverAddress = f.value(3);
    s.moduleAddressOn = f.size() > 4 && f.value(5) != QLatin1String("off");
    s.moduleAddress = f.value(4);
    return s;
}

} // namespace

class TestUsbBlocks : public QObject
{
    Q_OBJECT

private slots:
    void halfBytes()
    {
        const QByteArray wire = splitHalfBytes(block("51" + QByteArray(636, '0') + "fe"));
        QCOMPARE(wire.size(), 640);
        QCOMPARE(wire.left(4) + wire.right(2), QByteArray::fromHex("05010000 0f0e"));
        // Received pairs join as first*16 + (second & 15), low 8 bits kept.
        const QByteArray in = QByteArray::fromHex("070d13f2").leftJustified(640, '\0');
        QCOMPARE(bytes(joinHalfBytes(in), 0, 3), QByteArray::fromHex("7d3200"));
    }

    void atRequestAndAnswer()
    {
        QCOMPARE(bytes(atRequest(QStringLiteral("AT+MECHO=0")), 0, 13),
                 QByteArray::fromHex("51 41542b4d4543484f3d30 7d 00"));
        // Longer texts are cut to 318 characters, so '}' still fits in the block.
        QCOMPARE(bytes(atRequest(QString(400, QLatin1Char('x'))), 318, 2), QByteArray("x}"));
        // The answer overwrites the command from its first character on; a
        // shorter one leaves the command's tail behind it.
        const Block ok = block("5b4f4b5d0d0a7d414243");
        QCOMPARE(atResult(QStringLiteral("AT+MRESET"), ok), QStringLiteral("[OK]\r\nSET"));
        // Each byte is one character: the server's rejection byte stays U+00D6.
        QCOMPARE(atResult(QStringLiteral("AT"), block("d67d")).at(0).unicode(), ushort(0xD6));
        QVERIFY(beginsWith(block("41544e4f7d"), "ATNO") && !beginsWith(block("41544e7d"), "ATNO"));
    }

    void ethernetAnswers_data()
    {
        QTest::addColumn<bool>("read");
        QTest::addColumn<QByteArray>("answer"); // hex
        QTest::addColumn<QString>("found");     // outcome address number firmware
        QTest::newRow("set, other device") << false << QByteArray("49504e4f") << "1 0.0.0.0 0 ";
        QTest::newRow("read, no firmware")
            << true << QByteArray("4952 10 0a000007 7d03") << "3 10.0.0.7 16 N/A";
        QTest::newRow("read, other device") << true << QByteArray("49504e4f") << "1 0.0.0.0 0 ";
        QTest::newRow("read, set's answer") << true << QByteArray("49504f4b") << "0 0.0.0.0 0 ";
    }

    void ethernetAnswers()
    {
        QFETCH(bool, read);
        QFETCH(QByteArray, answer);
        QFETCH(QString, found);
        const EthernetBoard::Answer a = read ? EthernetBoard::readAnswer(block(answer))
                                             : EthernetBoard::setAnswer(block(answer));
        const std::array<int, 4> &n = a.serverAddress;
        QCOMPARE(QString::asprintf("%d %d.%d.%d.%d %d ", a.outcome, n[0], n[1], n[2], n[3],
                                   a.moduleNumber)
                     + a.firmware,
                 found);
    }

    // Four numbers 0-255 with dots (the Wi-Fi board) or dots and commas (Ethernet).
    void addresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("dots");
        QTest::addColumn<int>("ethernet"); // EthernetBoard::Problem
        QTest::newRow("address") << "192.168.1.64" << true << 0;
        QTest::newRow("beyond 255") << "192.168.1.300" << false << 2;
        QTest::newRow("name") << "station" << false << 2;
        QTest::newRow("blank first") << " 192.168.1.64" << false << 2;
        QTest::newRow("other script's digit") << QString::fromUtf8("\u0661.2.3.4") << false << 2;
        QTest::newRow("commas") << "192,168.1,64" << false << 0;
        QTest::newRow("commas, beyond 255") << "192,168,1,256" << false << 2;
        QTest::newRow("empty") << "" << false << 1;
    }

    void addresses()
    {
        QFETCH(QString, text);
        QFETCH(bool, dots);
        QFETCH(int, ethernet);
        QCOMPARE(isValidAddress(text, false), dots);
        QCOMPARE(int(EthernetBoard::check(text)), ethernet);
    }

    void tuningRequest()
    {
        TuningState s;
        s.resetForDialog();
        s.base[0] = 91.9;    // truncated
        s.base[263] = 300.0; // low 8 bits
        s.command = TuningState::CommandSave;
        s.suppressionFactor = 12;
        s.shownQuality = 97;
        s.shownSurplus = 0x1234;
        s.shownLack = 5;
        s.maxQualityError = 7;
        s.maxAddQualityError = 300;
        // Letter, base levels .. base[263], command, factor, quality, surplus,
        // -lack, errors, average, LED alarm, 0, sound, LED diagnostic, offline.
        QCOMPARE(bytes(s.request({ 2, 3, true, true })),
                 bytes(block("1d 5b" + QByteArray("5a").repeated(262)
                             + "2c aa 0c 61 1234 fffb 07 012c 06 00 01 01 01 01")));
        // The two LED bytes: alarm for items 2 and 3, diagnostic for 1 and 3.
        const Block one = s.request({ 0, 1, false, false }),
                    two = s.request({ 0, 2, false, false });
        QCOMPARE(QString::asprintf("%d%d %d%d", one[277], one[279], two[277], two[279]), "01 10");
    }

    // Levels, then sequence, flags, quality, surplus and lack (high byte first).
    // Shown figures follow a live spectrum only; a save is acknowledged once
    // the sequence moves after it was asked for.
    void tuningAnswer_data()
    {
        QTest::addColumn<int>("grabState");
        QTest::addColumn<int>("saveAcknowledged");
        QTest::addColumn<QByteArray>("tail"); // hex from byte 264 on
        QTest::addColumn<QString>("after");   // saved|received|shown|flags grab ack sequence
        const QByteArray seq5("ee 05 0e 4f 0102 fffe"), seq6("ee 06 0e 4f 0102 fffe");
        QTest::newRow("live") << 0 << 1 << seq5 << "0|79 258 65534|79 258 65534|14 0 1 5";
        QTest::newRow("grabbed") << 1 << 1 << seq5 << "0|79 258 65534|0 0 0|14 1 1 5";
        QTest::newRow("saved") << 1 << 0 << seq6 << "1|79 258 65534|0 0 0|14 2 1 6";
        QTest::newRow("save not yet") << 1 << 0 << seq5 << "0|79 258 65534|0 0 0|14 1 0 5";
        QTest::newRow("no save asked") << 1 << 1 << seq6 << "0|79 258 65534|0 0 0|14 1 1 6";
    }

    void tuningAnswer()
    {
        QFETCH(int, grabState);
        QFETCH(int, saveAcknowledged);
        QFETCH(QByteArray, tail);
        QFETCH(QString, after);
        TuningState s;
        s.grabState = grabState;
        s.saveAcknowledged = quint8(saveAcknowledged);
        s.lastSequence = 5;
        s.command = TuningState::CommandSave;
        s.current.fill(150);
        const bool saved = s.takeAnswer(block("c864" + QByteArray(522, '0') + "ff" + tail));
        QCOMPARE(QString::asprintf("%d|%d %d %d|%d %d %d|%d %d %d %d", saved, s.receivedQuality,
                                   s.receivedSurplus, s.receivedLack, s.shownQuality,
                                   s.shownSurplus, s.shownLack, s.flags, s.grabState,
                                   s.saveAcknowledged, s.lastSequence),
                 after);
        QCOMPARE(s.command, TuningState::CommandNone);
        // A level rises at once and decays by a sixteenth of the way down.
        QCOMPARE(QString::asprintf("%g %g %g", s.current[0], s.current[1], s.current[263]),
                 QStringLiteral("200 146.875 255"));
    }

    // The first n steps (reset, base, grab, save); grabs refused below 50 %.
    void tuningSteps_data()
    {
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("quality");
        // Enabled (base, suppression, save, parameters), command, grab state,
        // save acknowledged, base[0]/current[0], the grab's answer.
        QTest::addColumn<QString>("after");
        QTest::newRow("reset") << 1 << 0 << "1001 160 0 1 90/0 -1";
        QTest::newRow("base level") << 2 << 0 << "0101 160 0 1 0/0 -1";
        QTest::newRow("refused at 49") << 3 << 49 << "0101 160 0 1 0/0 0";
        QTest::newRow("notice at 50") << 3 << 50 << "0010 160 1 1 0/0 1";
        QTest::newRow("fine at 95") << 3 << 95 << "0010 160 1 1 0/0 2";
        QTest::newRow("save") << 4 << 95 << "0000 170 1 0 0/0 2";
    }

    void tuningSteps()
    {
        QFETCH(int, steps);
        QFETCH(int, quality);
        QFETCH(QString, after);
        TuningState s; // a previous dialog's leftovers go
        s.grabState = TuningState::Saved;
        s.saveAcknowledged = 0;
        s.current.fill(50);
        TuningSteps t(s);
        s.shownQuality = quality;
        t.resetBaseLevel();
        if (steps > 1)
            t.getBaseLevel();
        const int grab = steps > 2 ? t.getSuppression() : -1;
        if (steps > 3)
            t.savePattern();
        const TuningSteps::Enabled &e = t.enabled();
        QCOMPARE(QString::asprintf("%d%d%d%d %d %d %d %g/%g %d", e.getBaseLevel, e.getSuppression,
                                   e.savePattern, e.parameters, s.command, s.grabState,
                                   s.saveAcknowledged, s.base[0], s.current[0], grab),
                 after);
    }

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
        QTest::newRow("} in password") << "Net|2|ab}cd" + ip << 22;
        QTest::newRow("C1 control in password") << "Net|2|\u0085" + ip << 22;
        QTest::newRow("lone surrogate in password") << "Net|2|" + QString(QChar(0xD800)) + ip << 22;
        QTest::newRow("host name") << "Net|0||my-pc.site5.local" << 0;
        QTest::newRow("number out of range") << "Net|0||192.168.1.300" << 33;
        QTest::newRow("leading hyphen") << "Net|0||-pc.local" << 33;
        QTest::newRow("module address") << "Net|0|" + ip + "|10.0.0.9" << 0;
        QTest::newRow("module host name") << "Net|0|" + ip + "|module" << 44;
        QTest::newRow("module address off") << "Net|0|" + ip + "|module|off" << 0;
    }

    void checks()
    {
        QFETCH(QString, fields);
        QFETCH(int, check);
        const Seq::Check c = Seq::check(settings(fields));
        QCOMPARE(c.problem * 10 + c.field, check);
    }
};

QTEST_GUILESS_MAIN(TestUsbBlocks)
#include "tst_usbblocks.moc"
