// The MDI area: remembered places, pushing aside and rearranging.

#include "TestSettings.h"
#include "app/CQMdiArea.h"
#include "display/CModuleWindow.h"
#include "net/CMasterDevice.h"
#include "settings/SettingsKeys.h"

#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollBar>
#include <QSettings>
#include <QTest>

#include <algorithm>

class TestMdiArea : public QObject
{
    Q_OBJECT

    CMasterDevice m_device;

    // Adds a module window the way the main window does.
    QMdiSubWindow *add(CQMdiArea &area, quint8 module)
    {
        auto *w = new CModuleWindow(module, &m_device);
        QMdiSubWindow *sub =
            area.AddSubWindow(w, Qt::WindowFlags(), QSize(w->width() + 10, w->height() + 30));
        w->show();
        return sub;
    }

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init() { TestSettings::clear(); }

    void freePlaceAndGrid()
    {
        const QSize s(250, 183);
        // Only exact matches count as occupied.
        QCOMPARE(CQMdiArea::FreePlace({ 0, 0 }, s, 1000,
                                      { QPoint(0, 0), QPoint(250, 0), QPoint(501, 0) }),
                 QPoint(500, 0));
        QCOMPARE(CQMdiArea::FreePlace({ 750, 0 }, s, 1000, { QPoint(750, 0) }), QPoint(0, 183));
        QCOMPARE(CQMdiArea::FreePlace({ 0, 0 }, s, 100, { QPoint(0, 0), QPoint(0, 183) }),
                 QPoint(0, 366));
        QVERIFY(CQMdiArea::FreePlace({ 0, 0 }, QSize(0, 0), 1000, { QPoint(0, 0) })
                != QPoint(0, 0)); // ends
        QCOMPARE(CQMdiArea::GridPositions(QList<QSize>(5, s), 999),
                 QList<QPoint>({ { 0, 0 }, { 250, 0 }, { 500, 0 }, { 0, 183 }, { 250, 183 } }));
    }

    void firstFreeCell_data()
    {
        QTest::addColumn<int>("areaWidth");
        QTest::addColumn<QList<QRect>>("occupied");
        QTest::addColumn<QPoint>("cell");
        const QSize s(250, 183);
        QTest::newRow("empty") << 1000 << QList<QRect>() << QPoint(0, 0);
        QTest::newRow("next in row")
            << 1000 << QList<QRect>{ { { 0, 0 }, s }, { { 500, 0 }, s } } << QPoint(250, 0);
        QTest::newRow("row full") << 1000
                                  << QList<QRect>{ { { 0, 0 }, s },
                                                   { { 250, 0 }, s },
                                                   { { 500, 0 }, s },
                                                   { { 750, 0 }, s } }
                                  << QPoint(0, 183);
        QTest::newRow("three columns")
            << 999 << QList<QRect>{ { { 0, 0 }, s }, { { 250, 0 }, s }, { { 500, 0 }, s } }
            << QPoint(0, 183);
        QTest::newRow("overlap blocks")
            << 1000 << QList<QRect>{ { { 1, 1 }, QSize(10, 10) } } << QPoint(250, 0);
        QTest::newRow("touching does not")
            << 1000 << QList<QRect>{ { { 250, 183 }, QSize(10, 10) } } << QPoint(0, 0);
        QTest::newRow("off-grid spans four")
            << 1000 << QList<QRect>{ { { 200, 150 }, s } } << QPoint(500, 0);
        QTest::newRow("narrow area") << 100 << QList<QRect>{ { { 0, 0 }, s } } << QPoint(0, 183);
    }

    void firstFreeCell()
    {
        QFETCH(int, areaWidth);
        QFETCH(QList<QRect>, occupied);
        QFETCH(QPoint, cell);
        QCOMPARE(CQMdiArea::FirstFreeCell(QSize(250, 183), areaWidth, occupied), cell);
    }

    // No remembered places: twenty windows in a small area overlap nowhere,
    // and a remembered one still takes its spot.
    void firstStartPutsNoWindowOnAnother()
    {
        QSettings().setValue(QStringLiteral("Module 21 21"), QPoint(3, 4));
        CQMdiArea area;
        area.resize(600, 400);
        area.show();
        QList<QMdiSubWindow *> subs;
        for (quint8 m = 1; m <= 20; ++m)
            subs << add(area, m);
        for (int i = 0; i < subs.size(); ++i)
            for (int j = i + 1; j < subs.size(); ++j)
                QVERIFY2(!subs[i]->geometry().intersects(subs[j]->geometry()),
                         qPrintable(QStringLiteral("%1 on %2").arg(i).arg(j)));
        QCOMPARE(add(area, 21)->pos(), QPoint(3, 4));
    }

    // Sub-windows share one set of system-menu icons instead of a copy each.
    void systemMenuIconsAreShared()
    {
        CQMdiArea area;
        QMdiSubWindow *a = add(area, 1), *b = add(area, 2);
        const auto keys = [](QMdiSubWindow *sub) {
            QList<qint64> out;
            for (const QAction *action : sub->systemMenu()->actions())
                if (!action->icon().isNull())
                    out.append(action->icon().cacheKey());
            return out;
        };
        QVERIFY(!keys(a).isEmpty());
        QCOMPARE(keys(b), keys(a));
    }

    // Windows beyond the visible part can be scrolled to.
    void windowsOutsideCanBeReached()
    {
        CQMdiArea area;
        area.resize(600, 400);
        area.show();
        for (quint8 m = 1; m <= 13; ++m)
            add(area, m);
        area.RearrangeModules();
        QTRY_VERIFY(area.verticalScrollBar()->isVisible());
        const QList<QMdiSubWindow *> subs = area.subWindowList();
        QMdiSubWindow *lowest =
            *std::max_element(subs.begin(), subs.end(), [](QMdiSubWindow *a, QMdiSubWindow *b) {
                return a->geometry().bottom() < b->geometry().bottom();
            });
        QVERIFY(!area.viewport()->rect().contains(lowest->geometry()));
        area.verticalScrollBar()->setValue(area.verticalScrollBar()->maximum());
        QTRY_VERIFY(area.viewport()->rect().contains(lowest->geometry()));
    }

    // A newcomer takes the place remembered for its title; whoever sat there
    // moves on to the next free one.
    void placesAndRearrange()
    {
        QSettings s;
        for (const char *title : { "Module 1 1", "Module 2 2", "Module 3 3" })
            s.setValue(QLatin1String(title), QPoint(100, 50));
        s.setValue(QStringLiteral("Module 4 4"), QPoint(0, 0)); // no remembered place
        s.setValue(SettingsKeys::moduleName(8), QStringLiteral("Gate"));
        s.setValue(QStringLiteral("Module 8 8"), QPoint(500, 400));
        CQMdiArea area;
        area.resize(1000, 800);
        area.show();
        QList<QMdiSubWindow *> subs{ add(area, 10) };
        subs[0]->move(0, 0);
        for (quint8 m : { 1, 2, 3, 4, 8 })
            subs << add(area, m);
        const int w = subs[0]->width();
        const int h = subs[0]->height();
        QCOMPARE(QList<QPoint>({ subs[0]->pos(), subs[1]->pos(), subs[2]->pos(), subs[3]->pos() }),
                 QList<QPoint>({ { 0, 0 }, { 100 + w, 50 }, { 100 + 2 * w, 50 }, { 100, 50 } }));
        QVERIFY(subs[5]->pos() != QPoint(500, 400));
        subs[5]->move(400, 300);
        area.SavePositions();
        QCOMPARE(s.value(QStringLiteral("Module 8 Gate")).toPoint(), QPoint(400, 300));

        QVERIFY(4 * w <= 1000 && 5 * w > 1000);
        area.RearrangeModules(); // Module 1 1, Module 10 10, Module 2 2, ...
        QCOMPARE(
            QList<QPoint>({ subs[1]->pos(), subs[0]->pos(), subs[2]->pos(), subs[3]->pos(),
                            subs[4]->pos(), subs[5]->pos() }),
            QList<QPoint>({ { 0, 0 }, { w, 0 }, { 2 * w, 0 }, { 3 * w, 0 }, { 0, h }, { w, h } }));
    }
};

QTEST_MAIN(TestMdiArea)
#include "tst_mdiarea.moc"
