// The MDI area: remembered places, pushing aside, rearranging, counting and
// the background image.

#include "Fixtures.h"
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

    // A window without extent must not search forever.
    void freePlaceWithoutExtentEnds()
    {
        QVERIFY(CQMdiArea::FreePlace({ 0, 0 }, QSize(0, 0), 1000, points({ { 0, 0 } })) != QPoint(0, 0));
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

    void remembersAndSavesPlaces()
    {
        QSettings().setValue(QStringLiteral("Module 7 7"), QPoint(300, 200));
        CQMdiArea area;
        area.resize(1000, 800);
        area.show();
        QMdiSubWindow *seven = add(area, 7);
        QCOMPARE(seven->pos(), QPoint(300, 200));

        // The place belongs to the title, so a renamed module starts afresh.
        QSettings().setValue(SettingsKeys::moduleName(8), QStringLiteral("Gate"));
        QSettings().setValue(QStringLiteral("Module 8 8"), QPoint(500, 400));
        QMdiSubWindow *renamed = add(area, 8);
        QVERIFY(renamed->pos() != QPoint(500, 400));

        seven->move(10, 20);
        renamed->move(400, 300);
        area.SavePositions();
        QCOMPARE(QSettings().value(QStringLiteral("Module 7 7")).toPoint(), QPoint(10, 20));
        QCOMPARE(QSettings().value(QStringLiteral("Module 8 Gate")).toPoint(), QPoint(400, 300));
    }

    void pushesAside()
    {
        QSettings s;
        for (const char *title : {"Module 1 1", "Module 2 2", "Module 3 3"})
            s.setValue(QLatin1String(title), QPoint(100, 50));
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

        // (0, 0) is no remembered place: nothing is pushed for it.
        QMdiSubWindow *first = add(area, 5);
        first->move(0, 0);
        s.setValue(QStringLiteral("Module 4 4"), QPoint(0, 0));
        add(area, 4);
        QCOMPARE(first->pos(), QPoint(0, 0));
    }

    void rearrangesByTitle()
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
        QVERIFY(4 * w <= 1000 && 5 * w > 1000);
        area.RearrangeModules();
        QCOMPARE(points({ one->pos(), ten->pos(), two->pos(), five->pos(), six->pos() }),
                 points({ { 0, 0 }, { w, 0 }, { 2 * w, 0 }, { 3 * w, 0 }, { 0, one->height() } }));
    }

    void backgroundImage()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QImage red(20, 20, QImage::Format_RGB32);
        red.fill(Qt::red);
        const QString image = dir.filePath(QStringLiteral("bg.png"));
        QVERIFY(red.save(image));
        Fixtures::writeFile(dir.filePath(QStringLiteral("bg.txt")), "not an image");

        CQMdiArea area;
        area.resize(200, 200);
        QSettings s;
        const QImage plain = area.grab().toImage();
        QVERIFY(plain.pixelColor(5, 5) != QColor(Qt::red));

        s.setValue(SettingsKeys::BackgroundImage, true);
        s.setValue(SettingsKeys::BackgroundImageFile, image);
        const QImage drawn = area.grab().toImage();
        QCOMPARE(drawn.pixelColor(19, 19), QColor(Qt::red));
        QCOMPARE(drawn.pixelColor(25, 25), plain.pixelColor(25, 25)); // unscaled

        // An unreadable or missing file, or the option off: the plain ground.
        for (const char *file : {"bg.txt", "missing.png"}) {
            s.setValue(SettingsKeys::BackgroundImageFile, dir.filePath(QLatin1String(file)));
            QCOMPARE(area.grab().toImage(), plain);
        }
        s.setValue(SettingsKeys::BackgroundImageFile, image);
        s.setValue(SettingsKeys::BackgroundImage, false);
        QCOMPARE(area.grab().toImage(), plain);
    }
};

QTEST_MAIN(TestMdiArea)
#include "tst_mdiarea.moc"
