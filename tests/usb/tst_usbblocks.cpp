// What the USB link carries, without I/O: both carriages, the Ethernet board,
// the suppression unit's blocks and tuning steps, and its graph.

#include "usb/EthernetBoard.h"
#include "usb/SpectrumGraph.h"
#include "usb/TuningSteps.h"

#include <QTest>

using namespace UsbBlocks;

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
        QByteArray in = QByteArray::fromHex("070d13f2");
        in.resize(640);
        QCOMPARE(bytes(joinHalfBytes(in), 0, 3), QByteArray::fromHex("7d3200"));
        QCOMPARE(splitHalfBytes(joinHalfBytes(wire)), wire);
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

    void ethernetRequests_data()
    {
        QTest::addColumn<int>("index"); // of the module number combo; -1 reads
        QTest::addColumn<QString>("address");
        QTest::addColumn<QByteArray>("request"); // hex; the rest of the block is zero
        QTest::newRow("dots") << 15 << "192.168.1.64" << QByteArray("6a4950 10 c0a80140");
        QTest::newRow("commas") << 4 << "10,0,0,7" << QByteArray("6a4950 05 0a000007");
        QTest::newRow("low 8 bits") << 0 << "300.1.1.1" << QByteArray("6a4950 01 2c010101");
        QTest::newRow("read") << -1 << "" << QByteArray("6a4952");
    }

    void ethernetRequests()
    {
        QFETCH(int, index);
        QFETCH(QString, address);
        QFETCH(QByteArray, request);
        const Block b =
            index < 0 ? EthernetBoard::readRequest() : EthernetBoard::setRequest(index, address);
        QCOMPARE(bytes(b), bytes(block(request)));
    }

    void ethernetAnswers_data()
    {
        QTest::addColumn<bool>("read");
        QTest::addColumn<QByteArray>("answer"); // hex
        QTest::addColumn<QString>("found");     // outcome address number firmware
        QTest::newRow("set") << false << QByteArray("49504f4b7d") << "2 0.0.0.0 0 ";
        QTest::newRow("set, other device") << false << QByteArray("49504e4f") << "1 0.0.0.0 0 ";
        QTest::newRow("read") << true << QByteArray("4952 05 c0a80140 0c03")
                              << "3 192.168.1.64 5 1.2.3";
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
        QTest::newRow("three numbers") << "192.168.1" << false << 2;
        QTest::newRow("name") << "station" << false << 2;
        QTest::newRow("blank first") << " 192.168.1.64" << false << 2;
        QTest::newRow("four digits") << "1922.168.1.6" << false << 2;
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
        QString leds;
        for (int led = 0; led < 4; ++led) {
            const Block r = s.request({ 0, led, false, false });
            leds += QStringLiteral("%1%2 ").arg(r[277]).arg(r[279]);
        }
        QCOMPARE(leds, QStringLiteral("00 01 10 11 "));
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
        QTest::newRow("opened") << 0 << 0 << "0001 0 0 1 90/50 -1";
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
        void (TuningSteps::*const step[])() = { &TuningSteps::resetBaseLevel,
                                                &TuningSteps::getBaseLevel };
        for (int i = 0; i < qMin(steps, 2); ++i)
            (t.*step[i])();
        const int grab = steps > 2 ? t.getSuppression() : -1;
        if (steps > 3)
            t.savePattern();
        const TuningSteps::Enabled &e = t.enabled();
        QCOMPARE(QString::asprintf("%d%d%d%d %d %d %d %g/%g %d", e.getBaseLevel, e.getSuppression,
                                   e.savePattern, e.parameters, s.command, s.grabState,
                                   s.saveAcknowledged, s.base[0], s.current[0], grab),
                 after);
    }

    void graphGeometry()
    {
        std::array<double, 264> current, base;
        current.fill(10.0); // under the offset: no bar
        current[1] = 110.0; // up to the top
        current[2] = 40.5;  // 190 - 2 * 25.5 = 139
        base.fill(90.0);
        base[1] = 5.0;
        const SpectrumGraph g = SpectrumGraph::compute(current, base, 10);
        QCOMPARE(g.bars.size(), 528);
        QCOMPARE(
            g.bars.mid(1, 4),
            QVector<QLine>(
                { { 1, 190, 1, 190 }, { 2, 190, 2, 0 }, { 3, 190, 3, 0 }, { 4, 190, 4, 139 } }));
        // Base curve: two points for bin 0, then a line and a point per bin.
        QCOMPARE(g.base.points.size() + g.base.lines.size(), 265 + 263);
        QCOMPARE(g.base.points.mid(0, 3), QVector<QPoint>({ { 0, 40 }, { 1, 40 }, { 3, 190 } }));
        QCOMPARE(g.base.lines.mid(0, 2), QVector<QLine>({ { 1, 40, 2, 190 }, { 3, 190, 4, 40 } }));
        // The threshold adds the factor after the offset is removed.
        QCOMPARE(g.threshold.points[2], QPoint(3, 170));
        QCOMPARE(g.separators,
                 QVector<QLine>({ { 8, 0, 8, 190 },
                                  { 78, 0, 78, 190 },
                                  { 228, 0, 228, 190 },
                                  { 348, 0, 348, 190 } }));
    }
};

QTEST_GUILESS_MAIN(TestUsbBlocks)
#include "tst_usbblocks.moc"
