// The debug window: its lines, the pause on the right button and the drag on
// the left one.

#include "TestSettings.h"
#include "display/CDebugWindow.h"
#include "net/CSignalTypeStr.h"
#include "settings/SettingsKeys.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSettings>
#include <QTest>

namespace {

QString text(const QList<CDebugWindow::Line> &lines)
{
    QStringList out;
    for (const CDebugWindow::Line &l : lines)
        out << QString::number(l.y) + ' ' + l.text;
    return out.join('\n');
}

void mouse(QWidget &w, QEvent::Type type, QPoint global, Qt::MouseButton button,
           Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(w.mapFromGlobal(global)), QPointF(global), button, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

} // namespace

class TestDebugWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init()
    {
        TestSettings::freshStation();
        EmitterLocalization::instance().reset();
    }

    // No module yet: the active count follows the empty line at once, and
    // without a settings block there is no last line.
    void linesBeforeAnyRecord()
    {
        const DebugStatEntry stats[StationGlobals::DebugEntries] = {};
        const QStringList lines =
            text(CDebugWindow::DebugLines(1, 0, stats, EmitterLocalization::State(), std::nullopt))
                .split('\n');
        QCOMPARE(lines.mid(0, 3) + lines.mid(lines.size() - 1),
                 QStringList({ "10 DEBUG INFORMATION", "20 Cycle=1 Pause=0", "40 active=0",
                               "280 nLevelDBM=0 0 0" }));
    }

    void linesWithModulesAndACandidate()
    {
        DebugStatEntry stats[StationGlobals::DebugEntries] = {};
        stats[3] = DebugStatEntry{ 1, 7, -5, 1, 2 };
        stats[31] = DebugStatEntry{ 1, 1200, 56, 0, 65535 };
        EmitterLocalization::State s;
        s.candidates[0] = EmitterLocalization::Candidate{
            3, { 1, 2, 250 }, { 0, 1, 2 }, { -40, -50, -60 }, CSignalTypeStr::Scan, 433
        };
        s.candidates[4].num = 9; // not printed
        s.candidateCount = 1;
        s.chosenType = CSignalTypeStr::Scan;
        std::copy(s.candidates[0].modules, s.candidates[0].modules + 3, s.chosenModules);
        std::copy(s.candidates[0].levels, s.candidates[0].levels + 3, s.chosenLevels);
        SettingsBlock::Block block = SettingsBlock::defaults();
        block[41] = 8;
        block[42] = 200;
        const QString zero =
            "num=0 nBand=0 nFreq=0\n%1 nSlaveID=0 0 0\n%2 nIndGroup=0 0 0\n%3 nLevelDBM=0 0 0";
        QCOMPARE(text(CDebugWindow::DebugLines(12, 1, stats, s, block)),
                 QString("10 DEBUG INFORMATION\n"
                         "20 Cycle=12 Pause=1\n"
                         "40 nID=3 nCyc=7 nRSSI=-5 cntDis=1 cntTim=2\n"
                         "50 nID=31 nCyc=1200 nRSSI=56 cntDis=0 cntTim=65535\n"
                         "60 active=2\n"
                         "80 num=3 nBand=18 nFreq=433\n"
                         "90 nSlaveID=1 2 250\n"
                         "100 nIndGroup=0 1 2\n"
                         "110 nLevelDBM=-40 -50 -60\n"
                         "130 ")
                     + zero.arg(140).arg(150).arg(160) + "\n180 " + zero.arg(190).arg(200).arg(210)
                     + "\n230 " + zero.arg(240).arg(250).arg(260)
                     + "\n280 num_fd_data=1 nBand=18\n"
                       "290 nActiveID=1 2 250\n"
                       "300 nLevelDBM=-40 -50 -60\n"
                       "320 [41][42]=8 -56");
    }

    // The right button freezes the cycle and the localization lines; the
    // window shows what it took last.
    void rightClickPauses()
    {
        CDebugWindow w;
        QCOMPARE(w.pos(), QPoint(200, 200));
        QCOMPARE(w.size(), QSize(300, 400));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.grab();
        const int cycle = w.cycle();
        mouse(w, QEvent::MouseButtonPress, w.mapToGlobal(QPoint(5, 5)), Qt::RightButton,
              Qt::RightButton);
        QCOMPARE(StationGlobals::debugPause, 1);
        const QImage paused = w.grab().toImage();

        QMap<quint8, ModuleRecord> records;
        for (quint8 m = 1; m <= 3; ++m)
            records[m].lastChannels[0] = CHANNEL{ 1, CSignalTypeStr::Dect, -50, 0, 0, 0, 0, 0 };
        QVERIFY(EmitterLocalization::instance().SelectTriangle(records, 3));
        QCOMPARE(w.grab().toImage(), paused);
        QCOMPARE(w.cycle(), cycle);
        QCOMPARE(w.snapshot().candidateCount, 0);

        mouse(w, QEvent::MouseButtonPress, w.mapToGlobal(QPoint(5, 5)), Qt::RightButton,
              Qt::RightButton);
        QCOMPARE(StationGlobals::debugPause, 0);
        QVERIFY(w.grab().toImage() != paused);
        QCOMPARE(w.cycle(), cycle + 1);
        QCOMPARE(w.snapshot().candidateCount, 1);
    }

    void dragIsRemembered()
    {
        {
            CDebugWindow w;
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            mouse(w, QEvent::MouseButtonPress, QPoint(210, 215), Qt::LeftButton, Qt::LeftButton);
            mouse(w, QEvent::MouseMove, QPoint(260, 335), Qt::NoButton, Qt::LeftButton);
            QCOMPARE(w.pos(), QPoint(250, 320));
            mouse(w, QEvent::MouseMove, QPoint(300, 300), Qt::NoButton, Qt::NoButton);
            QCOMPARE(w.pos(), QPoint(250, 320)); // button up: no drag
        }
        QCOMPARE(QSettings().value(SettingsKeys::DebugWindowPos).toPoint(), QPoint(250, 320));
        CDebugWindow again;
        QCOMPARE(again.pos(), QPoint(250, 320));
    }
};

QTEST_MAIN(TestDebugWindow)
#include "tst_debugwindow.moc"
