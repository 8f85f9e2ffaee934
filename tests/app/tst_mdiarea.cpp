// The MDI area: remembered places, pushing aside, the first free cell, rearranging.

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
        area.showAdded(w);
        return sub;
    }

private slots:

    // Pushed aside to the next spot no window stands on exactly; the grid's rows.
    void freePlaceAndGrid()
    {
        const QSize s(250, 183);
        QCOMPARE(CQMdiArea::FreePlace({ 0, 0 }, s, 500, { { 250, 0 }, { 0, 183 }, { 251, 183 } }),
                 QPoint(250, 183));
        QCOMPARE(CQMdiArea::FreePlace({ 0, 0 }, QSize(0, 0), 1000, { { 0, 0 } }), QPoint(1, 0));
        QCOMPARE(CQMdiArea::GridPositions(QList<QSize>(5, s), 1000),
                 QList<QPoint>({ { 0, 0 }, { 250, 0 }, { 500, 0 }, { 750, 0 }, { 0, 183 } }));
    }

    void firstFreeCell_data()
    {
        QTest::addColumn<int>("areaWidth");
        QTest::addColumn<QList<QRect>>("occupied");
        QTest::addColumn<QPoint>("cell");
        const auto cells = [](std::initializer_list<QPoint> at) {
            QList<QRect> out;
            for (QPoint p : at)
                out << QRect(p, QSize(250, 183));
            return out;
        };
        QTest::newRow("next in row") << 1000 << cells({ { 0, 0 }, { 500, 0 } }) << QPoint(250, 0);
        QTest::newRow("3 columns")
            << 999 << cells({ { 0, 0 }, { 250, 0 }, { 500, 0 } }) << QPoint(0, 183);
        QTest::newRow("overlap") << 1000 << QList<QRect>{ { 1, 1, 10, 10 } } << QPoint(250, 0);
        QTest::newRow("touching") << 1000 << QList<QRect>{ { 250, 183, 10, 10 } } << QPoint(0, 0);
        QTest::newRow("off-grid spans four") << 1000 << cells({ { 200, 150 } }) << QPoint(500, 0);
        QTest::newRow("narrow area") << 100 << cells({ { 0, 0 } }) << QPoint(0, 183);
    }

    void firstFreeCell()
    {
        QFETCH(int, areaWidth);
        QFETCH(QList<QRect>, occupied);
        QFETCH(QPoint, cell);
        QCOMPARE(CQMdiArea::FirstFreeCell(QSize(250, 183), areaWidth, occupied), cell);
    }

    // No remembered places: none on another, scrollable, one set of menu icons.
    // A burst activates only its newest window, once the event loop turns.
    void firstStartPutsNoWindowOnAnother()
    {
        CQMdiArea area;
        area.resize(600, 400);
        area.show();
        QVERIFY(QTest::qWaitForWindowActive(&area));
        QList<QMdiSubWindow *> subs;
        for (quint8 m = 1; m <= 20; ++m)
            subs << add(area, m);
        QVERIFY(!area.activeSubWindow());
        QTRY_COMPARE(area.activeSubWindow(), subs.last());
        for (int i = 0; i < subs.size(); ++i)
            for (int j = i + 1; j < subs.size(); ++j)
                QVERIFY(!subs[i]->geometry().intersects(subs[j]->geometry()));
        QTRY_VERIFY(area.verticalScrollBar()->isVisible());
        const QIcon icon = subs[0]->systemMenu()->actions().constFirst()->icon();
        QCOMPARE(subs[1]->systemMenu()->actions().constFirst()->icon().cacheKey(), icon.cacheKey());
    }

    // Remembered places push their occupants on, are saved by name; titles sort.
    // The places are read when the area is made, not with each window.
    void placesAndRearrange()
    {
        QSettings s;
        for (const char *title : { "Module 1 1", "Module 2 2", "Module 3 3" })
            s.setValue(QLatin1String(title), QPoint(100, 50));
        s.setValue(SettingsKeys::moduleName(8), QStringLiteral("Gate"));
        CQMdiArea area;
        s.setValue(QStringLiteral("Module 2 2"), QPoint(0, 500));
        area.resize(1000, 800);
        QList<QMdiSubWindow *> subs{ add(area, 10), add(area, 1), add(area, 2), add(area, 3),
                                     add(area, 8) };
        const int w = subs[0]->width();
        QCOMPARE(QList<QPoint>({ subs[0]->pos(), subs[1]->pos(), subs[2]->pos(), subs[3]->pos() }),
                 QList<QPoint>({ { 0, 0 }, { 100 + w, 50 }, { 100 + 2 * w, 50 }, { 100, 50 } }));
        area.SavePositions();
        QCOMPARE(s.value(QStringLiteral("Module 8 Gate")).toPoint(), subs[4]->pos());
        area.RearrangeModules(); // Module 1 1, Module 10 10, Module 2 2, ...
        QCOMPARE(subs[0]->pos(), QPoint(w, 0));
    }
};

QTEST_MAIN(TestMdiArea)
#include "tst_mdiarea.moc"
