// The debug window: its lines, a pushed localization, the pause and the drag.

#include "TestSettings.h"
#include "display/CDebugWindow.h"

#include <QTest>

namespace {

QStringList text(const QList<CDebugWindow::Line> &lines)
{
    QStringList out;
    for (const CDebugWindow::Line &l : lines)
        out << QString::number(l.y) + ' ' + l.text;
    return out;
}

} // namespace

class TestDebugWindow : public QObject
{
    Q_OBJECT

private slots:

    // Entries in use, four candidates, the choice and two signed settings bytes,
    // 10 apart; before any record no settings line.
    void lines()
    {
        DebugStatEntry stats[StationGlobals::DebugEntries] = {};
        const QStringList none = text(CDebugWindow::DebugLines(1, 0, stats, {}, std::nullopt));
        QCOMPARE(none[2] + '|' + none.last(), QStringLiteral("40 active=0|280 nLevelDBM=0 0 0"));

        stats[31] = DebugStatEntry{ 1, 1200, -5, 1, 65535 };
        LocalizationSnapshot s{ { { 3, { 1, 2, 250 }, { 0, 1, 2 }, { -40, -50, -60 }, 18, 433 } } };
        s.candidates[3].num = 9;
        s.candidateCount = 1;
        s.chosenType = 1;
        s.chosenModules[2] = 6;
        s.chosenLevels[0] = -41;
        SettingsBlock::Block block = SettingsBlock::defaults();
        block[41] = 8;
        block[42] = 200;
        const QStringList all = text(CDebugWindow::DebugLines(12, 1, stats, s, block));
        QCOMPARE(all.size(), 24);
        QCOMPARE(
            all.mid(0, 8) + all.mid(16, 1) + all.mid(20),
            QStringList({ "10 DEBUG INFORMATION", "20 Cycle=12 Pause=1",
                          "40 nID=31 nCyc=1200 nRSSI=-5 cntDis=1 cntTim=65535", "50 active=1",
                          "70 num=3 nBand=18 nFreq=433", "80 nSlaveID=1 2 250",
                          "90 nIndGroup=0 1 2", "100 nLevelDBM=-40 -50 -60",
                          "220 num=9 nBand=0 nFreq=0", "270 num_fd_data=1 nBand=1",
                          "280 nActiveID=0 0 6", "290 nLevelDBM=-41 0 0", "310 [41][42]=8 -56" }));
    }

    // A push shows with the next repaint; the right button freezes it and the
    // cycle until pressed again; the window opens where it was dragged to.
    void pushPauseAndDrag()
    {
        CDebugWindow w;
        w.localization.candidateCount = 1;
        w.grab();
        QTest::mouseClick(&w, Qt::RightButton);
        const QImage paused = w.grab().toImage();
        w.localization.candidateCount = 2;
        QCOMPARE(w.grab().toImage(), paused);
        QList<int> states{ StationGlobals::debugPause, w.cycle(), w.shown().candidateCount };
        QTest::mouseClick(&w, Qt::RightButton);
        w.grab();
        states << StationGlobals::debugPause << w.cycle() << w.shown().candidateCount;
        QCOMPARE(states, QList<int>({ 1, 1, 1, 0, 2, 2 }));

        QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(10, 15));
        QTest::mouseMove(&w, QPoint(60, 135));
        QCOMPARE(CDebugWindow().pos(), QPoint(250, 320));
    }
};

QTEST_MAIN(TestDebugWindow)
#include "tst_debugwindow.moc"
