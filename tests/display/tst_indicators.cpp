// Segmented level bar and round localization marker.

#include "TestSettings.h"
#include "display/CQLevelBar.h"
#include "display/CShapedCircle.h"
#include "net/CSignalTypeStr.h"

#include <QImage>
#include <QTest>

class TestIndicators : public QObject
{
    Q_OBJECT

private:
    static QString colours(const CQLevelBar::Layout &l)
    {
        // One letter per segment: b(lue), r(ed), g(rey).
        QString s;
        for (const CQLevelBar::Segment &seg : l.segments) {
            if (seg.colour == QColor(CQLevelBar::NormalColour))
                s += QLatin1Char('b');
            else if (seg.colour == QColor(CQLevelBar::OverColour))
                s += QLatin1Char('r');
            else if (seg.colour == QColor(CQLevelBar::IdleColour))
                s += QLatin1Char('g');
            else
                s += QLatin1Char('?');
        }
        return s;
    }

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
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<QString>("expected");
        QTest::newRow("-50 / -80") << -50 << -80
                                   << QString(5, 'b') + QString(11, 'r') + QString(16, 'g');
        QTest::newRow("form threshold never red") << -5 << -1 << QString(32, 'b');
        QTest::newRow("bottom: nothing lit") << -95 << -80 << QString(32, 'g');
        QTest::newRow("top: all lit") << -5 << -95 << QString(32, 'r');
        QTest::newRow("threshold at the level") << -50 << -50
                                                << QString(16, 'b') + QString(16, 'g');
    }
    void segmentColours()
    {
        QFETCH(int, value);
        QFETCH(int, threshold);
        QFETCH(QString, expected);
        QCOMPARE(colours(CQLevelBar::layout(100, 18, -95, -5, value, threshold)), expected);
    }

    void emptyRangeLightsNothing()
    {
        QCOMPARE(colours(CQLevelBar::layout(100, 18, 0, 0, 0, 0)), QString(32, 'g'));
    }

    void setLevel()
    {
        CQLevelBar bar;
        bar.setRange(-95, -5);
        bar.SetLevel(-80, -1);
        QCOMPARE(bar.value(), -80);
        QCOMPARE(bar.threshold(), -1);

        bar.SetLevel(-120, -130); // both raised to -95
        QCOMPARE(bar.value(), -95);
        QCOMPARE(bar.threshold(), -95);

        bar.SetLevel(-40, -60);
        bar.SetLevel(0, -70); // outside the range: value kept, threshold taken
        QCOMPARE(bar.value(), -40);
        QCOMPARE(bar.threshold(), -70);
    }

    void paintsTheLayout()
    {
        CQLevelBar bar;
        bar.setRange(-95, -5);
        bar.resize(100, 18);
        bar.SetLevel(-50, -80);
        const QImage img = bar.grab().toImage();
        QCOMPARE(img.pixelColor(3, 9), QColor(CQLevelBar::NormalColour));
        QCOMPARE(img.pixelColor(4, 9), QColor(CQLevelBar::NormalColour));
        QCOMPARE(img.pixelColor(3 + 5 * 3, 9), QColor(CQLevelBar::OverColour));
        QCOMPARE(img.pixelColor(3 + 15 * 3, 9), QColor(CQLevelBar::OverColour));
        QCOMPARE(img.pixelColor(3 + 16 * 3, 9), QColor(CQLevelBar::IdleColour));
        QCOMPARE(img.pixelColor(3 + 31 * 3, 9), QColor(CQLevelBar::IdleColour));
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

    void circleWindow()
    {
        CShapedCircle circle;
        QVERIFY(circle.isWindow());
        QCOMPARE(circle.windowType(), Qt::SplashScreen);
        QVERIFY(circle.windowFlags() & Qt::WindowStaysOnTopHint);

        circle.show(); // a hidden window gets its resize event only when shown
        circle.resize(80, 50);
        // The ellipse region may lose an edge row to rasterising.
        const QRect bounds = circle.mask().boundingRect();
        QVERIFY(QRect(15, 0, 50, 50).contains(bounds));
        QVERIFY(bounds.width() >= 49 && bounds.height() >= 49);
        QVERIFY(circle.mask().contains(QPoint(40, 25)));
        QVERIFY(!circle.mask().contains(QPoint(16, 1)));  // corner of the square
        QVERIFY(!circle.mask().contains(QPoint(5, 25)));  // beside the circle
    }

    void circleDrawsName()
    {
        CShapedCircle circle;
        circle.setSignalType(CSignalTypeStr::Gsm900);
        circle.resize(300, 300);
        const QImage img = circle.grab().toImage();
        int blue = 0;
        int leftOfOrigin = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c.blue() > 150 && c.red() < 100 && c.green() < 100) {
                    ++blue;
                    if (x < 100 - 2)
                        ++leftOfOrigin;
                }
            }
        }
        QVERIFY2(blue > 20, "the signal name was not drawn");
        QCOMPARE(leftOfOrigin, 0);
    }
};

QTEST_MAIN(TestIndicators)
#include "tst_indicators.moc"
