// The USB blocks: the FT245R half-byte carriage, the AT pass-through and the
// Wi-Fi board's answers, the Ethernet commands and the address check.

#include "usb/UsbBlocks.h"

#include <QTest>

using namespace UsbBlocks;

namespace {

QByteArray bytes(const Block &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), BlockSize);
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
        Block request{};
        request[0] = 0x51;
        request[319] = 0xFE;
        const QByteArray wire = splitHalfBytes(request);
        QCOMPARE(wire.size(), 640);
        QCOMPARE(wire.left(4), QByteArray::fromHex("05010000"));
        QCOMPARE(wire.right(2), QByteArray::fromHex("0f0e"));

        // Received pairs join as first*16 + (second & 15), low 8 bits kept.
        QByteArray in(640, '\0');
        in[0] = 0x07;
        in[1] = 0x0D;
        in[2] = char(0x13); // high bits of the first beyond a half-byte drop out
        in[3] = char(0xF2); // only the low half of the second counts
        const Block joined = joinHalfBytes(in);
        QCOMPARE(int(joined[0]), 0x7D);
        QCOMPARE(int(joined[1]), 0x32);
        QCOMPARE(joinHalfBytes(wire), request);
    }

    void atRequestAndAnswer()
    {
        QCOMPARE(bytes(atRequest(QStringLiteral("AT+MECHO=0"))).left(13),
                 QByteArray::fromHex("51"
                                     "41542b4d4543484f3d30"
                                     "7d"
                                     "00"));
        // Longer texts are cut to 318 characters, so '}' still fits in the block.
        const Block longest = atRequest(QString(400, QLatin1Char('x')));
        QCOMPARE(int(longest[318]), int('x'));
        QCOMPARE(int(longest[319]), int('}'));

        const Block ok = block("5b4f4b5d0d0a7d414243");
        QCOMPARE(answerText(ok), QStringLiteral("[OK]\r\n"));
        // The answer overwrites the command from its first character on; a
        // shorter one leaves the command's tail behind it.
        QCOMPARE(atResult(QStringLiteral("AT"), ok), QStringLiteral("[OK]\r\n"));
        QCOMPARE(atResult(QStringLiteral("AT+MRESET"), ok), QStringLiteral("[OK]\r\nSET"));
        // Each byte is one character: the server's rejection byte stays U+00D6.
        QCOMPARE(atResult(QStringLiteral("AT"), block("d67d")).at(0).unicode(), ushort(0xD6));

        QVERIFY(beginsWith(block("41544e4f7d"), "ATNO"));
        QVERIFY(!beginsWith(block("41544e7d"), "ATNO"));
    }

    void ethernet()
    {
        QCOMPARE(bytes(ethernetSetRequest(16, QStringLiteral("192.168.1.64"))).left(9),
                 QByteArray::fromHex("6a4950"
                                     "10"
                                     "c0a80140"
                                     "00"));
        // Commas separate as dots do; numbers keep their low 8 bits.
        QCOMPARE(bytes(ethernetSetRequest(1, QStringLiteral("300,1,1,1"))).left(8),
                 QByteArray::fromHex("6a495001"
                                     "2c010101"));
        QCOMPARE(bytes(ethernetReadRequest()).left(4), QByteArray::fromHex("6a495200"));
        QCOMPARE(bytes(ethernetReadRequest()).count('\0'), BlockSize - 3);
    }

    void addressCheck()
    {
        QVERIFY(isValidAddress(QStringLiteral("192.168.1.64"), false));
        QVERIFY(isValidAddress(QStringLiteral("0.0.0.255"), false));
        QVERIFY(!isValidAddress(QStringLiteral("192.168.1.300"), false));
        QVERIFY(!isValidAddress(QStringLiteral("192.168.1"), false));
        QVERIFY(!isValidAddress(QStringLiteral("192.168.1.64.1"), false));
        QVERIFY(!isValidAddress(QStringLiteral("station"), false));
        QVERIFY(!isValidAddress(QStringLiteral(" 192.168.1.64"), false));
        QVERIFY(!isValidAddress(QStringLiteral("1922.168.1.6"), false));
        // Digits of other scripts are not numbers here.
        QVERIFY(!isValidAddress(QString::fromUtf8("\u0661.2.3.4"), false));
        QVERIFY(!isValidAddress(QStringLiteral("192,168,1,64"), false));
        QVERIFY(isValidAddress(QStringLiteral("192,168.1,64"), true));
        QVERIFY(!isValidAddress(QStringLiteral("192,168,1,256"), true));
    }
};

QTEST_GUILESS_MAIN(TestUsbBlocks)
#include "tst_usbblocks.moc"
