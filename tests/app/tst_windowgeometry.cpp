// Stored window geometry: the one fitting rule, and every window kind that
// remembers its place following it.

#include "TestSettings.h"
#include "app/CMainWindow.h"
#include "app/CManualWindow.h"
#include "display/CDebugWindow.h"
#include "eventlog/CLogWindow.h"
#include "settings/SettingsKeys.h"
#include "settings/WindowGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTest>

class TestWindowGeometry : public QObject
{
    Q_OBJECT

private slots:

    void fit_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("placed");
        // Screens: 1920 x 1080 at the origin, 1280 x 1024 to its right.
        const int most = 2147483647;
        auto row = [](const char *name, QPoint pos, QSize size, QRect placed) {
            QTest::newRow(name) << pos << size << placed;
        };
        row("fits", { 100, 80 }, { 640, 480 }, { 100, 80, 640, 480 });
        row("second screen, oversize", { 2000, 100 }, { 3000, 3000 }, { 1920, 0, 1280, 1024 });
        row("over the right and bottom edge", { 1700, 900 }, { 400, 300 }, { 1520, 780, 400, 300 });
        row("corner off, centre on", { -100, 100 }, { 600, 400 }, { 0, 100, 600, 400 });
        row("taller than the screen", { 100, 100 }, { 700, 1200 }, { 100, 0, 700, 1080 });
        row("screen gone", { 4000, 100 }, { 640, 480 }, { 10, 10, 640, 480 });
        row("damaged", { -most + 1, 5 }, { most, most }, { 0, 0, 1920, 1080 });
        row("no size", { 50, 50 }, { 0, 0 }, { 50, 50, 1024, 768 });
    }

    void fit()
    {
        QFETCH(QPoint, pos);
        QFETCH(QSize, size);
        QFETCH(QRect, placed);
        QCOMPARE(WindowGeometry::fit(pos, size, QRect(10, 10, 1024, 768),
                                     { QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024) }),
                 placed);
    }

    // Stored off every screen and larger than any: each kind of window opens on the screen.
    void everyKindIsFitted()
    {
        const QPoint far(-30000, 40000);
        const QSize huge(2147483647, 2147483647);
        QSettings s;
        s.setValue(SettingsKeys::MainWindowPos, far);
        s.setValue(SettingsKeys::MainWindowSize, huge);
        s.setValue(SettingsKeys::ManualGeometry,
                   QRect(QPoint(-2147483647, 40000), QPoint(2147483647, 2147483647)));
        s.setValue(SettingsKeys::logWindowPos(1), far);
        s.setValue(SettingsKeys::logWindowSize(1), huge);
        s.setValue(SettingsKeys::DebugWindowPos, far);
        CMainWindow main(0, false);
        main.OnViewEventLogAction();
        CManualWindow manual;
        CDebugWindow debug;
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QList<QWidget *> windows{ &main, main.logWindows().constFirst(), &manual, &debug };
        for (QWidget *window : windows)
            QVERIFY2(screen.contains(QRect(window->pos(), window->size())),
                     window->metaObject()->className());
    }
};

QTEST_MAIN(TestWindowGeometry)
#include "tst_windowgeometry.moc"
