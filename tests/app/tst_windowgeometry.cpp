// Stored window geometry: the one fitting rule, every window kind that
// remembers its place, and where log windows open.

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

#include <memory>

class TestWindowGeometry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init() { TestSettings::freshStation(); }

    void fit_data()
    {
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<QRect>("placed");
        // Screens: 1920 x 1080 at the origin, 1280 x 1024 to its right.
        QTest::newRow("fits") << QRect(100, 80, 640, 480) << QRect(100, 80, 640, 480);
        QTest::newRow("second screen, oversize")
            << QRect(2000, 100, 3000, 3000) << QRect(1920, 0, 1280, 1024);
        QTest::newRow("over the right and bottom edge")
            << QRect(1700, 900, 400, 300) << QRect(1520, 780, 400, 300);
        QTest::newRow("corner off, centre on")
            << QRect(-100, 100, 600, 400) << QRect(0, 100, 600, 400);
        QTest::newRow("taller than the screen")
            << QRect(100, 100, 700, 1200) << QRect(100, 0, 700, 1080);
        QTest::newRow("screen gone") << QRect(4000, 100, 640, 480) << QRect(10, 10, 640, 480);
        QTest::newRow("damaged") << QRect(QPoint(-2147483646, 5), QSize(2147483647, 2147483647))
                                 << QRect(0, 0, 1920, 1080);
        QTest::newRow("no size") << QRect(50, 50, 0, 0) << QRect(50, 50, 1024, 768);
        QTest::newRow("negative size")
            << QRect(QPoint(50, 50), QSize(-5, 300)) << QRect(50, 50, 1024, 768);
    }

    void fit()
    {
        QFETCH(QRect, stored);
        QFETCH(QRect, placed);
        QCOMPARE(WindowGeometry::fit(stored, QRect(10, 10, 1024, 768),
                                     { QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024) }),
                 placed);
    }

    void everyKindIsFitted_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("main") << "main";
        QTest::newRow("manual") << "manual";
        QTest::newRow("log") << "log";
        QTest::newRow("debug") << "debug";
    }

    // Stored off every screen and larger than any: the window opens on the screen.
    void everyKindIsFitted()
    {
        QFETCH(QString, kind);
        const QPoint far(-30000, 40000);
        const QSize huge(20000, 20000);
        {
            QSettings s;
            s.setValue(SettingsKeys::MainWindowPos, far);
            s.setValue(SettingsKeys::MainWindowSize, huge);
            s.setValue(SettingsKeys::ManualGeometry, QRect(far, huge));
            s.setValue(SettingsKeys::logWindowPos(1), far);
            s.setValue(SettingsKeys::logWindowSize(1), huge);
            s.setValue(SettingsKeys::DebugWindowPos, far);
        }
        CMainWindow main(0, false);
        std::unique_ptr<QWidget> other;
        QWidget *window = &main;
        if (kind == "manual")
            window = (other = std::make_unique<CManualWindow>()).get();
        else if (kind == "debug")
            window = (other = std::make_unique<CDebugWindow>()).get();
        else if (kind == "log") {
            main.OnViewEventLogAction();
            window = main.logWindows().constFirst();
        }
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(screen.contains(QRect(window->pos(), window->size())),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(window->x())
                                .arg(window->y())
                                .arg(window->width())
                                .arg(window->height())));
    }

    void logWindowOpensWhereStoredNewOnesCascade()
    {
        {
            QSettings s;
            s.setValue(SettingsKeys::logWindowPos(1), QPoint(60, 90));
            s.setValue(SettingsKeys::logWindowSize(1), QSize(700, 240));
        }
        CMainWindow w(0, false);
        w.show();
        w.OnViewEventLogAction();
        w.OnViewEventLogAction();
        w.OnViewEventLogAction();
        const QList<CLogWindow *> logs = w.logWindows();
        QVERIFY(QTest::qWaitForWindowExposed(logs[2]));
        QCOMPARE(QRect(logs[0]->pos(), logs[0]->size()), QRect(60, 90, 700, 240));
        QCOMPARE(logs[1]->pos(), QPoint(40, 40));
        QCOMPARE(logs[2]->pos(), QPoint(70, 70));
    }
};

QTEST_MAIN(TestWindowGeometry)
#include "tst_windowgeometry.moc"
