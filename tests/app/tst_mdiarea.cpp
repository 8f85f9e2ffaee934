// The MDI area: remembered places, pushing aside, rearranging, counting and
// the background image.

#include "TestSettings.h"
#include "app/CQMdiArea.h"
#include "display/CModuleWindow.h"
#include "net/CMasterDevice.h"
#include "settings/SettingsKeys.h"

#include <QImage>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QSize Window(250, 183);

QList<QPoint> points(std::initializer_list<QPoint> list) { return QList<QPoint>(list); }

} // namespace

class TestMdiArea : public QObject
{
    Q_OBJECT

private:
    CMasterDevice *m_device = nullptr;

    // Adds a module window the way the main window does.
    QMdiSubWindow *add(CQMdiArea &area, quint8 module)
    {
        auto *w = new CModuleWindow(module, m_device);
        QMdiSubWindow *sub = area.AddSubWindow(w);
        sub->setFixedSize(w->width() + 10, w->height() + 30);
        w->show();
        return sub;
    }

private slots:
    void initTestCase()
    {
        TestSettings::isolate();
        m_device = new CMasterDevice(this);
    }
    void init() { TestSettings::clear(); }

    void freePlace_data()
    {
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<int>("width");
        QTest::addColumn<QList<QPoint>>("occupied");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("next to it") << QPoint(0, 0) << 1000 << points({ { 0, 0 } }) << QPoint(250, 0);
        QTest::newRow("skips occupied")
            << QPoint(0, 0) << 1000 << points({ { 0, 0 }, { 250, 0 }, { 500, 0 } }) << QPoint(750, 0);
        QTest::newRow("wraps to the next row")
            << QPoint(750, 0) << 1000 << points({ { 750, 0 } }) << QPoint(0, 183);
        QTest::newRow("only exact matches count")
            << QPoint(0, 0) << 1000 << points({ { 0, 0 }, { 251, 0 } }) << QPoint(250, 0);
        QTest::newRow("narrower than a window")
            << QPoint(0, 0) << 100 << points({ { 0, 0 }, { 0, 183 } }) << QPoint(0, 366);
    }
    void freePlace()
    {
        QFETCH(QPoint, start);
        QFETCH(int, width);
        QFETCH(QList<QPoint>, occupied);
        QFETCH(QPoint, expected);
        QCOMPARE(CQMdiArea::FreePlace(start, Window, width, occupied), expected);
    }

    void freePlaceWithoutExtentEnds()
    {
        const QPoint p = CQMdiArea::FreePlace({ 0, 0 }, QSize(0, 0), 1000, points({ { 0, 0 } }));
        QVERIFY(p != QPoint(0, 0));
    }

    void titleOrder()
    {
        const QStringList titles{ QStringLiteral("Module 2 2"), QStringLiteral("Module 10 10"),
                                  QStringLiteral("Module 1 1") };
        QCOMPARE(CQMdiArea::TitleOrder(titles), (QList<int>{ 2, 1, 0 }));
        QCOMPARE(CQMdiArea::TitleOrder({}), QList<int>());
    }

    void grid()
    {
        const QList<QSize> five(5, Window);
        QCOMPARE(CQMdiArea::GridPositions(five, 1000),
                 points({ { 0, 0 }, { 250, 0 }, { 500, 0 }, { 750, 0 }, { 0, 183 } }));
        QCOMPARE(CQMdiArea::GridPositions(five, 999),
                 points({ { 0, 0 }, { 250, 0 }, { 500, 0 }, { 0, 183 }, { 250, 183 } }));
        QCOMPARE(CQMdiArea::GridPositions(QList<QSize>(3, Window), 100),
                 points({ { 0, 0 }, { 0, 183 }, { 0, 366 } }));
    }

    void remembersPlaces()
    {
        QSettings().setValue(QStringLiteral("Module 7 7"), QPoint(300, 200));
        CQMdiArea area;
        area.resize(1000, 800);
        area.show();
        QMdiSubWindow *sub = add(area, 7);
        QCOMPARE(sub->pos(), QPoint(300, 200));

        // The place belongs to the title, so a renamed module starts afresh.
        QSettings().setValue(SettingsKeys::moduleName(8), QStringLiteral("Gate"));
        QSettings().setValue(QStringLiteral("Module 8 8"), QPoint(500, 400));
        QMdiSubWindow *renamed = add(area, 8);
        QVERIFY(renamed->pos() != QPoint(500, 400));
    }

    void pushesAside()
    {
        QSettings s;
        s.setValue(QStringLiteral("Module 1 1"), QPoint(100, 50));
        s.setValue(QStringLiteral("Module 2 2"), QPoint(100, 50));
        s.setValue(QStringLiteral("Module 3 3"), QPoint(100, 50));
        CQMdiArea area;
        area.resize(1000, 800);
        area.show();
        QMdiSubWindow *one = add(area, 1);
        const int w = one->width();
        QMdiSubWindow *two = add(area, 2);
        QCOMPARE(two->pos(), QPoint(100, 50));
        QCOMPARE(one->pos(), QPoint(100 + w, 50));
        QMdiSubWindow *three = add(area, 3);
        QCOMPARE(three->pos(), QPoint(100, 50));
        QCOMPARE(two->pos(), QPoint(100 + 2 * w, 50)); // (100 + w) is taken by one
        QCOMPARE(one->pos(), QPoint(100 + w, 50));
    }

    void nullPlaceIsNoPlace()
    {
        CQMdiArea area;
        area.resize(1000, 800);
        area.show();
        QMdiSubWindow *first = add(area, 1);
        first->move(0, 0);
        QSettings().setValue(QStringLiteral("Module 4 4"), QPoint(0, 0));
        add(area, 4);
        QCOMPARE(first->pos(), QPoint(0, 0));
    }

    void savesPositions()
    {
        CQMdiArea area;
        area.resize(1000, 800);
        QMdiSubWindow *a = add(area, 11);
        QMdiSubWindow *b = add(area, 12);
        a->move(10, 20);
        b->move(400, 300);
        area.SavePositions();
        QSettings s;
        QCOMPARE(s.value(QStringLiteral("Module 11 11")).toPoint(), QPoint(10, 20));
        QCOMPARE(s.value(QStringLiteral("Module 12 12")).toPoint(), QPoint(400, 300));

        // And a new session puts them back.
        CQMdiArea next;
        next.resize(1000, 800);
        QCOMPARE(add(next, 12)->pos(), QPoint(400, 300));
        QCOMPARE(add(next, 11)->pos(), QPoint(10, 20));
    }

    void rearranges()
    {
        CQMdiArea area;
        area.resize(1000, 800);
        area.show();
        QMdiSubWindow *two = add(area, 2);
        QMdiSubWindow *ten = add(area, 10);
        QMdiSubWindow *one = add(area, 1);
        QMdiSubWindow *five = add(area, 5);
        QMdiSubWindow *six = add(area, 6);
        const int w = one->width();
        const int h = one->height();
        QVERIFY(4 * w <= 1000 && 5 * w > 1000);
        area.RearrangeModules();
        QCOMPARE(one->pos(), QPoint(0, 0));
        QCOMPARE(ten->pos(), QPoint(w, 0));
        QCOMPARE(two->pos(), QPoint(2 * w, 0));
        QCOMPARE(five->pos(), QPoint(3 * w, 0));
        QCOMPARE(six->pos(), QPoint(0, h));
    }

    void rearrangesNarrowArea()
    {
        CQMdiArea area;
        area.resize(150, 800);
        QMdiSubWindow *a = add(area, 1);
        QMdiSubWindow *b = add(area, 2);
        area.RearrangeModules();
        QCOMPARE(a->pos(), QPoint(0, 0));
        QCOMPARE(b->pos(), QPoint(0, a->height()));
    }

    void counts()
    {
        CQMdiArea area;
        QCOMPARE(area.SubWindowCount(), 0);
        QCOMPARE(area.CorrectModuleCount(), 0);
        QMdiSubWindow *a = add(area, 1);
        add(area, 2);
        add(area, 3);
        QCOMPARE(area.SubWindowCount(), 3);
        DATA d;
        d.nFormat = 4;
        qobject_cast<CModuleWindow *>(a->widget())->DisplayData(d);
        QCOMPARE(area.CorrectModuleCount(), 1);
        d.nFormat = 0;
        qobject_cast<CModuleWindow *>(a->widget())->DisplayData(d);
        QCOMPARE(area.CorrectModuleCount(), 0);
        delete a;
        QCOMPARE(area.SubWindowCount(), 2);
    }

    void backgroundImage()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QImage red(20, 20, QImage::Format_RGB32);
        red.fill(Qt::red);
        const QString image = dir.filePath(QStringLiteral("bg.png"));
        QVERIFY(red.save(image));
        const QString notImage = dir.filePath(QStringLiteral("bg.txt"));
        QFile f(notImage);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.write("not an image") > 0);
        f.close();

        CQMdiArea area;
        area.resize(200, 200);
        QSettings s;
        const QImage plain = area.grab().toImage();
        QVERIFY(plain.pixelColor(5, 5) != QColor(Qt::red));

        s.setValue(SettingsKeys::BackgroundImage, true);
        s.setValue(SettingsKeys::BackgroundImageFile, image);
        const QImage drawn = area.grab().toImage();
        QCOMPARE(drawn.pixelColor(5, 5), QColor(Qt::red));
        QCOMPARE(drawn.pixelColor(19, 19), QColor(Qt::red));
        QCOMPARE(drawn.pixelColor(25, 25), plain.pixelColor(25, 25)); // unscaled

        s.setValue(SettingsKeys::BackgroundImageFile, notImage);
        QCOMPARE(area.grab().toImage(), plain);
        s.setValue(SettingsKeys::BackgroundImageFile, dir.filePath(QStringLiteral("missing.png")));
        QCOMPARE(area.grab().toImage(), plain);

        s.setValue(SettingsKeys::BackgroundImageFile, image);
        s.setValue(SettingsKeys::BackgroundImage, false);
        QCOMPARE(area.grab().toImage(), plain);
    }
};

QTEST_MAIN(TestMdiArea)
#include "tst_mdiarea.moc"
