// The suppression unit's blocks, the spectrum smoothing and the graph's geometry.

#include "usb/SpectrumGraph.h"
#include "usb/TuningState.h"

#include <QTest>

namespace {

QByteArray bytes(const UsbBlocks::Block &b, int from, int count)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()) + from, count);
}

} // namespace

class TestTuning : public QObject
{
    Q_OBJECT

private slots:
    void requestLayout()
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
        TuningState::Controls c;
        c.averageFactor = 2;
        c.led = 3;
        c.alarmSound = true;
        c.offline = true;
        const UsbBlocks::Block b = s.request(c);
        QCOMPARE(bytes(b, 0, 3), QByteArray::fromHex("1d5b5a"));
        QCOMPARE(bytes(b, 264, 17),
                 QByteArray::fromHex("2c"
                                     "aa"
                                     "0c"
                                     "61"
                                     "1234"
                                     "fffb"
                                     "07"
                                     "012c"
                                     "06"
                                     "00"
                                     "01"
                                     "01"
                                     "01"
                                     "01"));
        QCOMPARE(bytes(b, 281, 39), QByteArray(39, '\0'));

        // The two LED bytes: alarm for items 2 and 3, diagnostic for 1 and 3.
        const int leds[4][2] = { { 0, 0 }, { 0, 1 }, { 1, 0 }, { 1, 1 } };
        for (int i = 0; i < 4; ++i) {
            c.led = i;
            const UsbBlocks::Block r = s.request(c);
            QCOMPARE(int(r[277]), leds[i][0]);
            QCOMPARE(int(r[279]), leds[i][1]);
        }
    }

    void answerLayout()
    {
        UsbBlocks::Block b{};
        b[0] = 200;
        b[263] = 7;
        const QByteArray tail = QByteArray::fromHex("ee"
                                                    "05"
                                                    "0e"
                                                    "4f"
                                                    "0102"
                                                    "fffe");
        std::copy(tail.begin(), tail.end(), b.begin() + 264);
        const TuningState::Answer a = TuningState::parseAnswer(b);
        QCOMPARE(int(a.levels[0]), 200);
        QCOMPARE(int(a.levels[263]), 7);
        QCOMPARE(int(a.sequence), 0x05);
        QCOMPARE(int(a.flags), 0x0E);
        QCOMPARE(a.quality, 79);
        QCOMPARE(a.surplus, 258);
        QCOMPARE(a.lack, 65534);
    }

    void spectrumUpdate()
    {
        TuningState s;
        s.current[0] = 100;
        s.current[1] = 200;
        s.current[2] = 50;
        s.receivedQuality = 88;
        s.receivedSurplus = 4;
        s.receivedLack = 9;
        std::array<quint8, TuningState::Bins> levels{};
        levels[0] = 200;
        levels[1] = 100;
        levels[2] = 50;
        s.updateSpectrum(levels, false);
        QCOMPARE(s.current[0], 200.0);
        QCOMPARE(s.current[1], 193.75);
        QCOMPARE(s.current[2], 50.0);
        QCOMPARE(s.shownQuality, 0);
        s.updateSpectrum(levels, true);
        QCOMPARE(s.shownQuality, 88);
        QCOMPARE(s.shownSurplus, 4);
        QCOMPARE(s.shownLack, 9);
    }

    void grabCheck()
    {
        TuningState s;
        const QList<QPair<int, TuningState::Grab>> rows = {
            { 0, TuningState::GrabRefused },     { 49, TuningState::GrabRefused },
            { 50, TuningState::GrabWithNotice }, { 94, TuningState::GrabWithNotice },
            { 95, TuningState::GrabFine },       { 100, TuningState::GrabFine }
        };
        for (const auto &row : rows) {
            s.shownQuality = row.first;
            QCOMPARE(s.grabCheck(), row.second);
        }
    }

    void graphGeometry()
    {
        std::array<double, 264> current{};
        std::array<double, 264> base{};
        current.fill(10.0); // under the offset: no bar
        current[1] = 110.0; // up to the top
        current[2] = 40.5;  // 190 - 2 * 25.5 = 139
        base.fill(90.0);
        base[1] = 5.0;
        const SpectrumGraph g = SpectrumGraph::compute(current, base, 10);
        QCOMPARE(g.bars.size(), 528);
        QCOMPARE(g.bars[0], QLine(0, 190, 0, 190));
        QCOMPARE(g.bars[2], QLine(2, 190, 2, 0));
        QCOMPARE(g.bars[3], QLine(3, 190, 3, 0));
        QCOMPARE(g.bars[4], QLine(4, 190, 4, 139));

        // Base curve: two points for bin 0, then a line and a point per bin.
        QCOMPARE(g.base.points.size(), 265);
        QCOMPARE(g.base.points[0], QPoint(0, 40));
        QCOMPARE(g.base.points[1], QPoint(1, 40));
        QCOMPARE(g.base.lines.size(), 263);
        QCOMPARE(g.base.lines[0], QLine(1, 40, 2, 190));
        QCOMPARE(g.base.points[2], QPoint(3, 190));
        QCOMPARE(g.base.lines[1], QLine(3, 190, 4, 40));
        // The threshold adds the factor after the offset is removed.
        QCOMPARE(g.threshold.points[0], QPoint(0, 20));
        QCOMPARE(g.threshold.points[2], QPoint(3, 170));

        const QVector<QLine> separators = { QLine(8, 0, 8, 190), QLine(78, 0, 78, 190),
                                            QLine(228, 0, 228, 190), QLine(348, 0, 348, 190) };
        QCOMPARE(g.separators, separators);
    }
};

QTEST_GUILESS_MAIN(TestTuning)
#include "tst_tuning.moc"
