// The localization marker and the debug window as the main window drives them.

#include "Fixtures.h"
#include "TestSettings.h"
#include "app/CMainWindow.h"
#include "app/StyleSheet.h"
#include "display/CDebugWindow.h"
#include "display/CShapedCircle.h"
#include "net/CSignalTypeStr.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QApplication>
#include <QTest>

class TestLocalizationMarker : public QObject
{
    Q_OBJECT

private slots:

    // The marker shows what the localization made of the windows, the correct
    // modules, the minimized state and the option (red for the scanning
    // receiver, over the style sheet); the debug window gets what it prints.
    void markerAndDebugWindowFollowTheLocalization()
    {
        qApp->setStyleSheet(applicationStyleSheet());
        CMainWindow w(0, false);
        CShapedCircle *marker = w.marker();
        const EmitterLocalization::State &s = w.localization().state();
        const auto report =
            [&w](quint8 module, int level, int type = CSignalTypeStr::Gsm900, double freqMHz = 0) {
            if (!w.moduleWindow(module)) // a new window clears the channels the decoder left
                w.OnDisplayData(Fixtures::status(module));
            w.server()->device.record(module).lastChannels[0] =
                Fixtures::detection(type, level, -80, freqMHz);
            w.OnDisplayData(Fixtures::status(module));
        };
        const auto shownAfterRecord = [&] {
            report(3, -60);
            return marker->isVisible();
        };
        w.OnTimer();
        report(1, -40);
        report(2, -60);
        StationOptions::instance().setValue(SettingsKeys::Localization, true);
        QVERIFY(shownAfterRecord());
        QCOMPARE(marker->pos(), w.server()->device.record(1).windowAnchor); // the -40 module's
        QCOMPARE(marker->size(), QSize(s.markerSize, s.markerSize));
        QVERIFY(qAbs(marker->windowOpacity() - s.markerOpacity) < 0.01);
        QCOMPARE(marker->backgroundColour(), QColor(Qt::magenta));
        QCOMPARE(marker->signalType(), int(CSignalTypeStr::Gsm900));
        const LocalizationSnapshot &got = w.debugWindow()->localization;
        QCOMPARE(
            QList<int>({ got.candidateCount, got.candidates[1].modules[0], got.chosenLevels[0] }),
            QList<int>({ 1, 3, -40 }));
        QVERIFY(w.debugWindow()->settingsCopy == w.server()->device.record(3).settings);

        w.OnDisplayData(Fixtures::record(2)); // format 0: two correct modules
        QVERIFY(!shownAfterRecord());
        report(2, -20); // correct again, and the strongest: the window follows the glide
        QVERIFY(shownAfterRecord());
        QTRY_COMPARE(marker->pos(), s.markerPos);
        w.OnDisplayData(Fixtures::status(4)); // correct, hears nothing
        w.showMinimized();
        w.OnTimer();
        QVERIFY(!shownAfterRecord());
        w.showNormal();
        w.OnTimer();
        // What a module whose window closed on silence last heard no longer counts.
        for (int i = 0; i < 30; ++i)
            w.moduleWindow(1)->OnTimer();
        QVERIFY(!shownAfterRecord());
        for (quint8 m = 1; m <= 3; ++m)
            report(m, -50, CSignalTypeStr::Scan, 433.0 + m);
        const QImage image = marker->grab().toImage();
        QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 5), QColor(Qt::red));
        StationOptions::instance().setValue(SettingsKeys::Localization, false);
        QVERIFY(!shownAfterRecord());

        QTest::keyClicks(&w, "7339"); // a wrong digit on the way is ignored
        QVERIFY(w.debugWindow()->isVisible());
    }
};

QTEST_MAIN(TestLocalizationMarker)
#include "tst_localizationmarker.moc"
