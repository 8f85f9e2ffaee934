// The pcapng capture of the module link: its blocks byte for byte, reading
// back, and the writer's bounded queue.

#include "net/CaptureWriter.h"
#include "net/PcapNg.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// clang-format off
const QByteArray kHeader = QByteArray::fromHex(
    "0a0d0d0a" "1c000000" "4d3c2b1a" "0100" "0000" "ffffffff" "ffffffff" "1c000000"
    "01000000" "14000000" "9300" "0000" "00000000" "14000000");
// 05.12.2026 07:02:11.25 UTC, reply bytes 4F 01 02 of module 7 on connection 3.
const QByteArray kPacket = QByteArray::fromHex(
    "06000000" "50000000" "00000000" "dd610600" "50335992" "03000000" "03000000" "4f010200"
    "0200" "0400" "02000000"
    "0100" "1a00" "6d6f64756c65203720636f6e6e656374696f6e20332073656e74" "0000"
    "00000000" "50000000");
// clang-format on

} // namespace

class TestCapture : public QObject
{
    Q_OBJECT

private slots:
    void blocks()
    {
        QCOMPARE(PcapNg::fileHeader().toHex(), kHeader.toHex());
        const PcapNg::Packet p{ 1796454131250000, PcapNg::Direction::Sent, 7, 3,
                                QByteArray::fromHex("4f0102") };
        QCOMPARE(PcapNg::enhancedPacket(p).toHex(), kPacket.toHex());
        QVector<PcapNg::Packet> read;
        QString error;
        QVERIFY2(PcapNg::read(kHeader + kPacket + kPacket, read, &error), qPrintable(error));
        QCOMPARE(read, QVector<PcapNg::Packet>({ p, p }));
    }

    void rejects_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("packet before section") << kPacket;
        QTest::newRow("truncated") << kHeader + kPacket.left(40);
        const auto changed = [](int at, char value) {
            QByteArray b = kHeader + kPacket;
            b[at] = value;
            return b;
        };
        QTest::newRow("trailing length differs") << changed(kHeader.size() + 76, 0x4C);
        QTest::newRow("other link type") << changed(36, 0x01); // Ethernet
        QTest::newRow("comment names no module") << changed(kHeader.size() + 44, 'M');
    }
    void rejects()
    {
        QFETCH(QByteArray, bytes);
        QVector<PcapNg::Packet> read;
        QString error;
        QVERIFY(!PcapNg::read(bytes, read, &error));
        QVERIFY(!error.isEmpty());
    }

    // A packet that does not fit the queue, one after closing and one without a
    // file are dropped and counted: the link never waits for the disk. What the
    // writer keeps is read back by the simulator's replay and dissector tests.
    void writerDrops()
    {
        QTemporaryDir dir;
        CaptureWriter::Limits limits;
        limits.maxBytes = 100; // a bulk frame never fits, a reply does
        CaptureWriter writer(limits);
        QVERIFY(writer.open(dir.filePath("small.pcapng")));
        writer.record(PcapNg::Direction::Received, 9, 1, QByteArray(6160, 'b'));
        writer.record(PcapNg::Direction::Sent, 9, 1, QByteArray(71, 'O'));
        QVERIFY(writer.close());
        writer.record(PcapNg::Direction::Sent, 9, 1, QByteArray(71, 'O'));
        QCOMPARE(QList<quint64>({ writer.written(), writer.dropped() }), QList<quint64>({ 1, 2 }));
        CaptureWriter nowhere;
        QVERIFY(!nowhere.open(dir.path())); // a folder
        QVERIFY(!nowhere.errorString().isEmpty());
        nowhere.record(PcapNg::Direction::Sent, 9, 1, QByteArray(71, 'O'));
        QCOMPARE(nowhere.dropped(), quint64(1));
    }
};

QTEST_GUILESS_MAIN(TestCapture)
#include "tst_capture.moc"
