// The link's bytes: one connection's stream cut into frames, and the pcapng
// capture of frames and replies, block for block, with the writer's bounded queue.

#include "net/CaptureWriter.h"
#include "net/FrameAssembler.h"
#include "net/PcapNg.h"

#include <QTemporaryDir>
#include <QTest>

using Event = FrameAssembler::Event;

namespace {

QByteArray hex(const char *h)
{
    return QByteArray::fromHex(h);
}
// A short frame: kind 8C04, length 51, the body.
QByteArray frame(char fill)
{
    return hex("8c040033") + QByteArray(51, fill);
}

// "kind:size:first body byte" for a frame, "?kind" for an unknown header.
QString describe(const QVector<Event> &events)
{
    QStringList out;
    for (const Event &e : events) {
        const QString kind = QString::number(e.kind, 16).rightJustified(4, '0');
        const QChar first = e.body.isEmpty() ? QChar('-') : QChar(e.body[0]);
        out << (e.type == Event::UnknownHeader
                    ? '?' + kind
                    : QStringLiteral("%1:%2:%3").arg(kind).arg(e.body.size()).arg(first));
    }
    return out.join(' ');
}

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

class TestFrameAssembler : public QObject
{
    Q_OBJECT

private slots:
    // Each entry of "notifications" is one feed() call.
    void feeds_data()
    {
        QTest::addColumn<QByteArrayList>("notifications");
        QTest::addColumn<QString>("events");
        QTest::addColumn<int>("buffered");
        const QByteArray k = frame('k');
        const QByteArray w(3, '0');
        QTest::newRow("implied short header")
            << QByteArrayList{ hex("0033") + QByteArray(51, 'x') } << "8c04:51:x" << 0;
        QTest::newRow("unknown header drops the rest of the notification")
            << QByteArrayList{ frame('q') + hex("abcd0033") + frame('x'), frame('r') }
            << "8c04:51:q ?abcd 8c04:51:r" << 0;
        QTest::newRow("zero length frame")
            << QByteArrayList{ hex("8c040000") + frame('m') } << "8c04:0:- 8c04:51:m" << 0;
        QTest::newRow("six waits still complete")
            << QByteArrayList{ k.mid(0, 8),  k.mid(8, 8),  k.mid(16, 8), k.mid(24, 8),
                               k.mid(32, 8), k.mid(40, 8), k.mid(48) }
            << "8c04:51:k" << 0;
        // Enough bytes would follow to complete the body; what was buffered is read as a header instead.
        QTest::newRow("seventh wait abandons the body")
            << QByteArrayList{ hex("8c040033") + "25", w, w, w, w, w, w, QByteArray(40, '0') }
            << "?3235" << 0;
        QTest::newRow("stalled long frame holds only what arrived")
            << QByteArrayList{ hex("8c04ffff") + QByteArray(100, 'x') } << "" << 100;
        // Kind 5419, length 6156.
        const QByteArray glued = frame('a') + hex("5419180c") + QByteArray(6156, 'b') + frame('c');
        for (int cut = 0; cut <= glued.size(); cut += (cut < 80 ? 1 : 97))
            QTest::addRow("glued frames cut at %d", cut)
                << QByteArrayList{ glued.left(cut), glued.mid(cut) }
                << "8c04:51:a 5419:6156:b 8c04:51:c" << 0;
    }
    void feeds()
    {
        QFETCH(QByteArrayList, notifications);
        QFETCH(QString, events);
        QFETCH(int, buffered);
        FrameAssembler a;
        QVector<Event> all;
        for (const QByteArray &n : notifications)
            all += a.feed(n);
        QCOMPARE(describe(all), events);
        QCOMPARE(a.buffered(), buffered);
    }

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
    // file are dropped and counted (what it keeps: the simulator's tests).
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

QTEST_GUILESS_MAIN(TestFrameAssembler)
#include "tst_frameassembler.moc"
