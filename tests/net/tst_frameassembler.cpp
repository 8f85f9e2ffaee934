// Cutting one connection's byte stream into frames.

#include "net/FrameAssembler.h"

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
};

QTEST_GUILESS_MAIN(TestFrameAssembler)
#include "tst_frameassembler.moc"
