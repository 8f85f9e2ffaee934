#include "net/FrameAssembler.h"
#include "net/ModuleFrame.h"
#include "net/WireProtocol.h"

#include <QTest>

using Event = FrameAssembler::Event;

class TestFrameAssembler : public QObject
{
    Q_OBJECT

private:
    static QByteArray body(char fill) { return QByteArray(Wire::ShortBodyLength, fill); }

private slots:
    void impliedShortHeaderEqualsExplicitOne()
    {
        FrameAssembler a, b;
        const QVector<Event> ea = a.feed(QByteArray::fromHex("0033") + body('x'));
        const QVector<Event> eb = b.feed(QByteArray::fromHex("8c040033") + body('x'));
        QCOMPARE(ea.size(), 1);
        QCOMPARE(eb.size(), 1);
        QCOMPARE(ea[0].kind, Wire::KindShort);
        QCOMPARE(eb[0].kind, Wire::KindShort);
        QCOMPARE(ea[0].body, eb[0].body);
    }

    // Every split point of two glued frames yields the same two frames.
    void gluedFramesCutAnywhere()
    {
        const QByteArray stream = ModuleFrame::shortFrame(body('a'))
                                  + ModuleFrame::frame(Wire::KindBulk, QByteArray(6156, 'b'))
                                  + ModuleFrame::shortFrame(body('c'));
        for (int cut = 0; cut <= stream.size(); cut += (cut < 80 ? 1 : 97)) {
            FrameAssembler a;
            QVector<Event> events = a.feed(stream.left(cut));
            events += a.feed(stream.mid(cut));
            QCOMPARE(events.size(), 3);
            QCOMPARE(events[0].body, body('a'));
            QCOMPARE(events[1].kind, Wire::KindBulk);
            QCOMPARE(events[1].body.size(), 6156);
            QCOMPARE(events[2].body, body('c'));
            QCOMPARE(a.buffered(), 0);
        }
    }

    void headerSplitAfterKindWord()
    {
        FrameAssembler a;
        QVERIFY(a.feed(QByteArray::fromHex("8c04")).isEmpty());
        QVERIFY(!a.assembling());
        const QVector<Event> e = a.feed(QByteArray::fromHex("0033") + body('z'));
        QCOMPARE(e.size(), 1);
        QCOMPARE(e[0].body, body('z'));
    }

    void unknownHeaderDropsTheNotification()
    {
        FrameAssembler a;
        const QVector<Event> e = a.feed(QByteArray::fromHex("1234ffffffff") + ModuleFrame::shortFrame(body('q')));
        QCOMPARE(e.size(), 1);
        QCOMPARE(e[0].type, Event::UnknownHeader);
        QCOMPARE(a.buffered(), 0);
        // The next notification starts afresh.
        QCOMPARE(a.feed(ModuleFrame::shortFrame(body('r'))).size(), 1);
    }

    void frameBeforeUnknownHeaderIsAnswered()
    {
        FrameAssembler a;
        const QVector<Event> e = a.feed(ModuleFrame::shortFrame(body('q')) + QByteArray::fromHex("abcd0102"));
        QCOMPARE(e.size(), 2);
        QCOMPARE(e[0].type, Event::Frame);
        QCOMPARE(e[1].type, Event::UnknownHeader);
    }

    // Seven incomplete notifications abandon the body; what was buffered is then
    // read as a header.
    void bodyAbandonedAfterSevenWaits()
    {
        FrameAssembler a;
        QVERIFY(a.feed(QByteArray::fromHex("8c040033") + QByteArray("25", 2)).isEmpty());
        for (int i = 0; i < 5; ++i)
            QVERIFY(a.feed(QByteArray(3, '0')).isEmpty());
        QVERIFY(a.assembling());
        QVERIFY(a.feed(QByteArray(3, '0')).isEmpty());   // seventh incomplete notification
        QVERIFY(!a.assembling());
        const QVector<Event> e = a.feed(QByteArray(30, '0'));
        QCOMPARE(e.size(), 1);
        QCOMPARE(e[0].type, Event::UnknownHeader);
        QCOMPARE(e[0].kind, quint16(0x3235));
    }

    void sixWaitsStillComplete()
    {
        FrameAssembler a;
        QByteArray frame = ModuleFrame::shortFrame(body('k'));
        QVector<Event> events;
        for (int i = 0; i < 7; ++i) {
            events += a.feed(frame.left(8));
            frame.remove(0, qMin(8, int(frame.size())));
        }
        QCOMPARE(events.size(), 1);
        QCOMPARE(events[0].body, body('k'));
    }

    void zeroLengthFrameIsComplete()
    {
        FrameAssembler a;
        const QVector<Event> e = a.feed(QByteArray::fromHex("8c040000") + ModuleFrame::shortFrame(body('m')));
        QCOMPARE(e.size(), 2);
        QVERIFY(e[0].body.isEmpty());
        QCOMPARE(e[1].body, body('m'));
    }

    void stalledLongFrameHoldsOnlyWhatArrived()
    {
        FrameAssembler a;
        QVERIFY(a.feed(QByteArray::fromHex("8c04ffff") + QByteArray(100, 'x')).isEmpty());
        QCOMPARE(a.buffered(), 100);
    }
};

QTEST_GUILESS_MAIN(TestFrameAssembler)
#include "tst_frameassembler.moc"
