// Segmented level bar and the round localization marker.

#include "display/CQLevelBar.h"
#include "display/CShapedCircle.h"

#include <QTest>

class TestIndicators : public QObject
{
    Q_OBJECT

private slots:
    // Lit below the level, red from the threshold on; SetLevel raises both to the lowest.
    void levelBar()
    {
        using Bar = CQLevelBar;
        const auto colours = [](int minimum, int value, int threshold) {
            QList<QRgb> out; // 32 segments in a bar 100 wide
            for (const Bar::Segment &seg :
                 Bar::barLayout(100, 18, minimum, -5, value, threshold).segments)
                out << seg.colour.rgba();
            return out;
        };
        QCOMPARE(colours(-95, -50, -80),
                 QList<QRgb>(5, Bar::NormalColour) + QList<QRgb>(11, Bar::OverColour)
                     + QList<QRgb>(16, Bar::IdleColour));
        QCOMPARE(colours(-5, -5, -5), QList<QRgb>(32, Bar::IdleColour)); // empty range
        CQLevelBar bar;
        bar.setRange(-95, -5);
        bar.SetLevel(-120, -130);
        QCOMPARE(QList<int>({ bar.value(), bar.threshold() }), QList<int>({ -95, -95 }));
    }

    // The marker's window: a disc, or a ring that keeps its edge and the
    // name's strip and shows what lies below.
    void shape_data()
    {
        QTest::addColumn<bool>("ring");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("covered");
        // 200 x 200: band 20; the name strip runs from x 66 to the edge, y 68 to 109.
        QTest::newRow("disc, centre") << false << QPoint(100, 60) << true;
        QTest::newRow("ring, inside") << true << QPoint(100, 60) << false;
        QTest::newRow("ring, band") << true << QPoint(100, 10) << true;
        QTest::newRow("ring, name") << true << QPoint(100, 95) << true;
        QTest::newRow("ring, below the name") << true << QPoint(100, 140) << false;
    }

    void shape()
    {
        QFETCH(bool, ring);
        QFETCH(QPoint, at);
        QFETCH(bool, covered);
        CShapedCircle circle;
        circle.setRing(ring);
        circle.show(); // a hidden window gets its resize event only when shown
        circle.resize(200, 200);
        QCOMPARE(circle.mask().contains(at), covered);
    }
};

QTEST_MAIN(TestIndicators)
#include "tst_indicators.moc"
