// The localization marker and the debug window as the main window drives them.

#include "Fixtures.h"
#include "TestSettings.h"
#include "app/CMainWindow.h"
#include "app/EmitterLocalization.h"
#include "app/StyleSheet.h"
#include "display/CDebugWindow.h"
#include "display/CShapedCircle.h"
#include "net/CSignalTypeStr.h"
#include "net/StationGlobals.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QApplication>
#include <QTest>

namespace {

// One record of a module whose channel 0 reports `c`, as the decoder leaves it.
void report(CMainWindow &w, quint8 module, const CHANNEL &c, quint8 format = 4)
{
    if (!w.moduleWindow(module))
        w.OnDisplayData(Fixtures::status(module)); // the new window clears the last channels
    w.server()->device.record(module).lastChannels[0] = c;
    DATA d = Fixtures::status(module);
    d.nFormat = format;
    w.OnDisplayData(d);
}

CHANNEL gsm(int level)
{
    return Fixtures::detection(CSignalTypeStr::Gsm900, level);
}

} // namespace

class TestLocalizationMarker : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init() { TestSettings::freshStation(); }

    void markerFollowsThreeModules()
    {
        CMainWindow w(0, false);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CShapedCircle *marker = w.marker();
        ModuleRecord &one = w.server()->device.record(1);
        ModuleRecord &two = w.server()->device.record(2);

        // Off by default.
        w.OnTimer();
        for (quint8 m = 1; m <= 3; ++m)
            report(w, m, gsm(m == 1 ? -40 : -60));
        QVERIFY(!marker->isVisible());

        StationOptions::instance().setValue(SettingsKeys::Localization, true);
        report(w, 3, gsm(-60));
        QVERIFY(marker->isVisible());
        QCOMPARE(marker->pos(), one.windowAnchor); // the -40 module's, at once
        const EmitterLocalization::State &s = EmitterLocalization::instance().state();
        QCOMPARE(marker->size(), QSize(s.markerSize, s.markerSize));
        QVERIFY(qAbs(marker->windowOpacity() - s.markerOpacity) < 0.01);
        QCOMPARE(marker->backgroundColour(), QColor(Qt::magenta));
        QCOMPARE(marker->signalType(), int(CSignalTypeStr::Gsm900));

        // Module 2 becomes the strongest: a sixteenth of the way per record.
        const QPoint from = marker->pos();
        one.lastChannels[0].nLevel = -60;
        two.lastChannels[0].nLevel = -40;
        report(w, 3, gsm(-60));
        QCOMPARE(s.target, two.windowAnchor);
        const QPointF step = QPointF(s.target - from) / 16.0;
        // The window follows within a few tens of milliseconds, not per record.
        QTRY_COMPARE(marker->pos(), QPoint(int(from.x() + step.x()), int(from.y() + step.y())));

        report(w, 3, gsm(-60), 0); // module 3 no longer correct
        QCOMPARE(StationGlobals::correctModules, 2);
        QVERIFY(!marker->isVisible());
        report(w, 3, gsm(-60));
        QVERIFY(marker->isVisible());

        w.showMinimized();
        w.OnTimer();
        report(w, 3, gsm(-60));
        QVERIFY(!marker->isVisible());
        w.showNormal();
        w.OnTimer();
        report(w, 3, gsm(-60));
        QVERIFY(marker->isVisible());

        StationOptions::instance().setValue(SettingsKeys::Localization, false);
        report(w, 3, gsm(-60));
        QVERIFY(!marker->isVisible());
    }

    // A module whose window closed no longer pulls the marker with what it last heard.
    void closedModuleIsForgotten()
    {
        CMainWindow w(0, false);
        StationOptions::instance().setValue(SettingsKeys::Localization, true);
        w.OnTimer();
        for (quint8 m = 1; m <= 3; ++m)
            report(w, m, gsm(-60));
        w.OnDisplayData(Fixtures::status(4)); // correct, hears nothing
        QVERIFY(w.marker()->isVisible());
        for (int i = 0; i < 30; ++i)
            w.moduleWindow(1)->OnTimer(); // silent: its window closes
        QCOMPARE(StationGlobals::correctModules, 3);
        QVERIFY(!w.marker()->isVisible());
        w.OnDisplayData(Fixtures::status(4));
        QVERIFY(!w.marker()->isVisible());
    }

    // The scanning receiver's marker is red, under the station's style sheet too.
    void scanMarkerIsRed()
    {
        qApp->setStyleSheet(applicationStyleSheet());
        CMainWindow w(0, false);
        StationOptions::instance().setValue(SettingsKeys::Localization, true);
        w.OnTimer();
        for (quint8 m = 1; m <= 3; ++m)
            report(w, m, Fixtures::detection(CSignalTypeStr::Scan, -50, -80, 433.0 + m));
        QVERIFY(w.marker()->isVisible());
        QCOMPARE(w.marker()->backgroundColour(), QColor(Qt::red));
        const QImage image = w.marker()->grab().toImage();
        qApp->setStyleSheet(QString());
        QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 5), QColor(Qt::red));
    }

    void debugWindowOnTheKeySequence()
    {
        CMainWindow w(0, false);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        report(w, 5, gsm(-60));
        QVERIFY(w.debugWindow()->settingsCopy == w.server()->device.record(5).settings);
        QVERIFY(!w.debugWindow()->isVisible());
        QTest::keyClicks(&w, "7139");
        QVERIFY(w.debugWindow()->isVisible());
    }
};

QTEST_MAIN(TestLocalizationMarker)
#include "tst_localizationmarker.moc"
