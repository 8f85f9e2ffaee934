// Segmented level bar and round localization marker.

#include "TestSettings.h"
#include "display/CQLevelBar.h"
#include "display/CShapedCircle.h"
#include "net/CSignalTypeStr.h"

#include <QImage>
#include <QTest>

namespace {

// One letter per segment: b(lue), r(ed), g(rey).
QString colours(int minimum, int maximum, int value, int threshold)
{
    QString s;
    for (const CQLevelBar::Segment &seg : CQLevelBar::layout(100, 18, minimum, maximum, value, threshold).segments) {
        const QRgb c = seg.colour.rgba();
        s += c == CQLevelBar::NormalColour ? 'b' : c == CQLevelBar::OverColour ? 'r' : c == CQLevelBar::IdleColour ? 'g' : '?';
    }
    return s;
}

} // namespace

class TestIndicators : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }

    void segmentGeometry()
    {
        const CQLevelBar::Layout l = CQLevelBar::layout(100, 18, -95, -5, -50, -80);
        QCOMPARE(l.segments.size(), 32);
        QCOMPARE(l.segments.first().rect, QRect(3, 3, 1, 11));
        QCOMPARE(l.segments.last().rect, QRect(96, 3, 1, 11));
        QCOMPARE(l.outline, QRectF(0, 0, 99, 17));
        QCOMPARE(CQLevelBar::layout(4, 18, -95, -5, -50, -80).segments.size(), 0);
        QCOMPARE(CQLevelBar::layout(7, 18, -95, -5, -50, -80).segments.size(), 1);
    }

    void segmentColours_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<QString>("expected");
        QTest::newRow("-50 / -80") << -95 << -50 << -80 << QString(5, 'b') + QString(11, 'r') + QString(16, 'g');
        QTest::newRow("form threshold never red") << -95 << -5 << -1 << QString(32, 'b');
        QTest::newRow("bottom: nothing lit") << -95 << -95 << -80 << QString(32, 'g');
        QTest::newRow("top: all lit") << -95 << -5 << -95 << QString(32, 'r');
        QTest::newRow("threshold at the level") << -95 << -50 << -50 << QString(16, 'b') + QString(16, 'g');
        QTest::newRow("empty range") << -5 << -5 << -5 << QString(32, 'g');
    }
    void segmentColours()
    {
        QFETCH(int, minimum);
        QFETCH(int, value);
        QFETCH(int, threshold);
        QFETCH(QString, expected);
        QCOMPARE(colours(minimum, -5, value, threshold), expected);
    }

    void setLevelAndPaint()
    {
        CQLevelBar bar;
        bar.setRange(-95, -5);
        bar.SetLevel(-120, -130); // both raised to -95
        QCOMPARE(QList<int>({bar.value(), bar.threshold()}), QList<int>({-95, -95}));
        bar.SetLevel(-40, -60);
        bar.SetLevel(0, -70); // outside the range: value kept, threshold taken
        QCOMPARE(QList<int>({bar.value(), bar.threshold()}), QList<int>({-40, -70}));

        bar.resize(100, 18);
        bar.SetLevel(-50, -80);
        const QImage img = bar.grab().toImage();
        for (const CQLevelBar::Segment &seg : CQLevelBar::layout(100, 18, -95, -5, -50, -80).segments)
            QCOMPARE(img.pixelColor(seg.rect.center()), seg.colour);
    }

    void circleGeometry_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("square");
        QTest::addColumn<QPoint>("origin");
        QTest::addColumn<double>("scale");
        QTest::newRow("50x50") << QSize(50, 50) << QRect(0, 0, 50, 50) << QPoint(16, 25) << 0.5;
        QTest::newRow("80x50") << QSize(80, 50) << QRect(15, 0, 50, 50) << QPoint(26, 25) << 0.5;
        QTest::newRow("odd") << QSize(81, 51) << QRect(15, 0, 51, 51) << QPoint(27, 25) << 0.51;
    }
    void circleGeometry()
    {
        QFETCH(QSize, size);
        QFETCH(QRect, square);
        QFETCH(QPoint, origin);
        QFETCH(double, scale);
        const CShapedCircle::Geometry g = CShapedCircle::geometry(size.width(), size.height());
        QCOMPARE(g.maskSquare, square);
        QCOMPARE(g.textOrigin, origin);
        QCOMPARE(g.scale, scale);
    }

    void circleMaskAndName()
    {
        CShapedCircle circle;
        circle.show(); // a hidden window gets its resize event only when shown
        circle.resize(80, 50);
        // The ellipse region may lose an edge row to rasterising.
        const QRect bounds = circle.mask().boundingRect();
        QVERIFY(QRect(15, 0, 50, 50).contains(bounds) && bounds.width() >= 49 && bounds.height() >= 49);
        QVERIFY(circle.mask().contains(QPoint(40, 25)));
        QVERIFY(!circle.mask().contains(QPoint(16, 1))); // corner of the square

        circle.setSignalType(CSignalTypeStr::Gsm900);
        circle.resize(300, 300);
        const QImage img = circle.grab().toImage();
        int blue = 0, leftOfOrigin = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c.blue() > 150 && c.red() < 100 && c.green() < 100) {
                    ++blue;
                    leftOfOrigin += x < 100 - 2;
                }
            }
        }
        QVERIFY2(blue > 20, "the signal name was not drawn");
        QCOMPARE(leftOfOrigin, 0);
    }
};

QTEST_MAIN(TestIndicators)
#include "tst_indicators.moc"
