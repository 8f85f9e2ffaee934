// Segmented level bar and round localization marker.

#include "TestSettings.h"
#include "display/CQLevelBar.h"
#include "display/CShapedCircle.h"
#include "net/CSignalTypeStr.h"

#include <QImage>
#include <QTest>

namespace {

// One letter per segment of a bar 100 wide: b(lue), r(ed), g(rey).
QString colours(int minimum, int value, int threshold)
{
    QString s;
    for (const CQLevelBar::Segment &seg :
         CQLevelBar::barLayout(100, 18, minimum, -5, value, threshold).segments) {
        const QRgb c = seg.colour.rgba();
        s += c == CQLevelBar::NormalColour ? 'b'
            : c == CQLevelBar::OverColour  ? 'r'
            : c == CQLevelBar::IdleColour  ? 'g'
                                           : '?';
    }
    return s;
}

} // namespace

class TestIndicators : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }

    void segmentColours()
    {
        QCOMPARE(colours(-95, -50, -80), QString(5, 'b') + QString(11, 'r') + QString(16, 'g'));
        QCOMPARE(colours(-95, -5, -1), QString(32, 'b')); // the form's threshold is never reached
        QCOMPARE(colours(-95, -5, -95), QString(32, 'r'));
        QCOMPARE(colours(-5, -5, -5), QString(32, 'g')); // empty range
    }

    void setLevelAndPaint()
    {
        CQLevelBar bar;
        bar.setRange(-95, -5);
        bar.SetLevel(-120, -130);
        QCOMPARE(QList<int>({ bar.value(), bar.threshold() }),
                 QList<int>({ -95, -95 })); // both raised to the minimum
        bar.resize(100, 18);
        bar.SetLevel(-50, -80);
        const QImage img = bar.grab().toImage();
        for (const CQLevelBar::Segment &seg :
             CQLevelBar::barLayout(100, 18, -95, -5, -50, -80).segments)
            QCOMPARE(img.pixelColor(seg.rect.center()), seg.colour);
    }

    void circle()
    {
        const CShapedCircle::Geometry g = CShapedCircle::circleGeometry(80, 50);
        QCOMPARE(QVariantList({ g.maskSquare, g.textOrigin, g.scale }),
                 QVariantList({ QRect(15, 0, 50, 50), QPoint(26, 25), 0.5 }));

        CShapedCircle circle;
        circle.show(); // a hidden window gets its resize event only when shown
        circle.resize(80, 50);
        QVERIFY(circle.mask().contains(QPoint(40, 25)));
        QVERIFY(!circle.mask().contains(QPoint(16, 1))); // corner of the square
        QVERIFY(circle.testAttribute(Qt::WA_TransparentForMouseEvents));
        QVERIFY(circle.windowFlags() & Qt::WindowTransparentForInput);
    }

    // The ring keeps its edge and the name's strip, and shows what lies below.
    void ring_data()
    {
        QTest::addColumn<bool>("ring");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("covered");
        // 200 x 200: band 20; the name strip runs from x 66 to the edge, y 68 to 109.
        QTest::newRow("disc, centre") << false << QPoint(100, 60) << true;
        QTest::newRow("ring, inside") << true << QPoint(100, 60) << false;
        QTest::newRow("ring, band") << true << QPoint(100, 10) << true;
        QTest::newRow("ring, name") << true << QPoint(100, 95) << true;
        QTest::newRow("ring, outside") << true << QPoint(2, 2) << false;
        QTest::newRow("ring, below the name") << true << QPoint(100, 140) << false;
    }

    void ring()
    {
        QFETCH(bool, ring);
        QFETCH(QPoint, at);
        QFETCH(bool, covered);
        QCOMPARE(CShapedCircle::shape(200, 200, ring).contains(at), covered);
    }
};

QTEST_MAIN(TestIndicators)
#include "tst_indicators.moc"
