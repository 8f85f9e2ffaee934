// Where the localization marker goes: the search for one signal heard by
// three modules, the end numbers of an update, the formulas' edges, the gliding.

#include "app/EmitterLocalization.h"
#include "net/CSignalTypeStr.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using Loc = EmitterLocalization;

namespace {

// The search as written out, every report against every later module's,
// over what an update left: the candidates and the choice, if any.
Loc::State literalSearch(const QMap<quint8, ModuleRecord> &records, Loc::State s)
{
    std::fill(std::begin(s.candidates), std::end(s.candidates), Loc::Candidate());
    s.candidateCount = 0;
    for (auto a = records.cbegin(); a != records.cend(); ++a) {
        for (int i = 0; i < 3; ++i) {
            const CHANNEL &ca = a->lastChannels[i];
            if (ca.nState == 0)
                continue;
            Loc::Candidate c{ 1,        { a.key() },        { quint8(i) }, { ca.nLevel },
                              ca.nType, qint32(ca.dFreqMHz) };
            for (auto b = std::next(a); b != records.cend(); ++b) {
                for (int j = 0; j < 3; ++j) {
                    const CHANNEL &cb = b->lastChannels[j];
                    if (cb.nState == 0 || cb.nType != c.type
                        || (c.type == CSignalTypeStr::Scan
                            && !(cb.dFreqMHz > 0 && std::fabs(cb.dFreqMHz - c.freqMHz) < 3.0)))
                        continue;
                    int place = c.num++;
                    if (place > 2) {
                        place = int(std::min_element(c.levels, c.levels + 3) - c.levels);
                        if (cb.nLevel <= c.levels[place])
                            continue;
                    }
                    c.modules[place] = b.key();
                    c.channels[place] = quint8(j);
                    c.levels[place] = cb.nLevel;
                }
            }
            s.candidates[s.candidateCount] = c;
            if (c.num > 2 && s.candidateCount < 9) // nine at most
                ++s.candidateCount;
        }
    }
    if (s.candidateCount == 0)
        return s;
    // The first candidate holding the strongest level.
    const auto top = [](const auto &c) { return *std::max_element(c.levels, c.levels + 3); };
    const Loc::Candidate *chosen = s.candidates;
    for (int i = 1; i < s.candidateCount; ++i)
        if (top(s.candidates[i]) > top(*chosen))
            chosen = &s.candidates[i];
    s.chosenType = chosen->type;
    std::copy(chosen->modules, chosen->modules + 3, s.chosenModules);
    std::copy(chosen->levels, chosen->levels + 3, s.chosenLevels);
    return s;
}

// Everything an update leaves, every candidate slot included.
QString whole(const Loc::State &s)
{
    const auto ints = [](const auto *p, int n) { return QList<int>(p, p + n); };
    QString out;
    for (const Loc::Candidate &c : s.candidates)
        QDebug(&out) << c.num << c.type << c.freqMHz << ints(c.modules, 3) << ints(c.channels, 3)
                     << ints(c.levels, 3);
    QDebug(&out) << qSetRealNumberPrecision(17) << s.flags << s.candidateCount << s.chosenType
                 << ints(s.chosenModules, 3) << ints(s.chosenLevels, 3) << ints(s.angles, 3)
                 << s.smallestAngle << QList<QPoint>(s.stagePoints, s.stagePoints + 6)
                 << ints(s.stageLevels, 6) << s.target << s.markerPos << s.smoothedX << s.smoothedY
                 << s.smoothingDivisor << s.markerSize << s.markerOpacity;
    return out;
}

} // namespace

class TestEmitterLocalization : public QObject
{
    Q_OBJECT

private slots:
    // An uneven triangle with unequal levels, by hand at a scale of 20: the
    // levels +102 (62, 52, 37) pull the first round by -1/2, -3/4 and 1 (5/4
    // clamped), the second by -1/2, 1/2 and 0; halves truncate. Quality
    // (38 + 9) / 2 = 23 from -40 dBm and 55 degrees. Then the marker glides
    // a sixteenth of the way per record and keeps its place while hidden.
    void updateAndGlide()
    {
        // Modules 1 to 3 hear it on channel 0; anchors 40 across and 30 down from the origins.
        QMap<quint8, ModuleRecord> records;
        const QPoint anchors[3] = { { 100, 100 }, { 500, 140 }, { 260, 420 } };
        const int levels[3] = { -40, -50, -65 };
        for (int k = 0; k < 3; ++k) {
            ModuleRecord &r = records[quint8(k + 1)];
            r.lastChannels[0] =
                CHANNEL{ 1, CSignalTypeStr::Scan, levels[k], -80, -90, 0, 0, 433.7 };
            r.windowAnchor = anchors[k];
            r.windowOrigin = anchors[k] - QPoint(40, 30);
        }
        Loc loc;
        loc.setMainWindowMinimized(false);
        QVERIFY(loc.Update(records, 3, 20, true));
        const Loc::State &s = loc.state();
        QCOMPARE(s.flags, Loc::ShowScan);
        QCOMPARE(QList<int>(s.angles, s.angles + 3), QList<int>({ 57, 67, 55 }));
        QCOMPARE(QList<QPoint>(s.stagePoints, s.stagePoints + 6),
                 QList<QPoint>({ { 200, 110 },
                                 { 470, 175 },
                                 { 100, 100 },
                                 { 267, 126 },
                                 { 192, 118 },
                                 { 150, 105 } }));
        QCOMPARE(s.target, QPoint(203, 116));
        QCOMPARE(s.markerPos, s.target); // never placed before: jumps
        QCOMPARE(s.markerSize, 165);
        QCOMPARE(s.markerOpacity, 0.666);

        // A whole scale stronger, module 2 takes every stage of the second round.
        records[1].lastChannels[0].nLevel = -60;
        records[2].lastChannels[0].nLevel = -40;
        QVERIFY(loc.Update(records, 3, 20, true));
        QCOMPARE(s.target, QPoint(500, 140));
        QCOMPARE(s.markerPos, QPoint(221, 117)); // 297 / 16 = 18.5625 across, 24 / 16 down
        QVERIFY(loc.Update(records, 3, 20, true));
        QCOMPARE(s.markerPos, QPoint(238, 118));
        loc.setMainWindowMinimized(true);
        QVERIFY(!loc.Update(records, 3, 20, true));
        QCOMPARE(s.markerPos, QPoint(238, 118)); // kept while hidden
        loc.setMainWindowMinimized(false);
        QVERIFY(loc.Update(records, 3, 20, true));
        QCOMPARE(s.markerPos, QPoint(255, 120)); // on from the exact values, not (238, 118)
    }

    // Record by record, the mended index and kept candidates leave what an
    // update from scratch leaves, and find what the literal search finds:
    // channels change, modules come and go, records pass unseen while off.
    void incrementalMatchesFromScratch()
    {
        QRandomGenerator rng(11);
        const int types[] = { CSignalTypeStr::Gsm900, CSignalTypeStr::Dect, CSignalTypeStr::Scan };
        const auto randomize = [&](ModuleRecord &r) {
            for (CHANNEL &c : r.lastChannels) {
                c.nState = rng.bounded(4) ? 1 : 0;
                c.nType = types[rng.bounded(3)];
                c.nLevel = -100 + 5 * rng.bounded(17); // ties are common
                // Whole and tenth MHz around 433 or within 8 MHz of 0, sometimes none.
                c.dFreqMHz = rng.bounded(8)
                    ? (rng.bounded(6) ? 425 : 0) + rng.bounded(160) / (rng.bounded(2) ? 10.0 : 20.0)
                    : 0.0;
            }
            r.windowAnchor = QPoint(rng.bounded(1200), rng.bounded(900));
        };
        QMap<quint8, ModuleRecord> records;
        Loc kept, fresh;
        kept.setMainWindowMinimized(false);
        fresh.setMainWindowMinimized(false);
        for (int step = 0; step < 3000; ++step) {
            const quint8 m = quint8(rng.bounded(step < 1500 ? 16 : 256));
            const int what = rng.bounded(20);
            if (what == 0)
                records.remove(m);
            else if (what == 1)
                records[m].lastChannels[rng.bounded(3)].nLevel += 5; // one channel only
            else
                randomize(records[m]);
            if (what == 2) {
                kept.Update(records, m, 3, 20, false);
                randomize(records[quint8(rng.bounded(16))]); // unseen
            }
            const int correct = 3 + rng.bounded(2) - (what == 3);
            QCOMPARE(kept.Update(records, m, correct, 20, true),
                     fresh.Update(records, correct, 20, true));
            QCOMPARE(whole(kept.state()), whole(fresh.state()));
            if (what != 3) // too few correct modules: no search
                QCOMPARE(whole(kept.state()), whole(literalSearch(records, kept.state())));
        }
    }

    // The corners where the arccos gives no number, and the quality for levels
    // beyond the wire's range.
    void anglesAndQuality_data()
    {
        QTest::addColumn<QList<QPoint>>("p");
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<int>>("angles"); // at p0, p2, p1
        QTest::addColumn<int>("quality");
        // The arccos arguments come out as 1.0000000000000002 here.
        QTest::newRow("past 1, below the range") << QList<QPoint>{ { 0, 0 }, { 3, 7 }, { 6, 14 } }
                                                 << -150 << QList<int>{ 0, 0, 180 } << 100;
        QTest::newRow("one place, above the top")
            << QList<QPoint>{ { 0, 0 }, { 0, 0 }, { 9, 0 } } << -1 << QList<int>{ 0, 0, 0 } << 50;
    }

    void anglesAndQuality()
    {
        QFETCH(QList<QPoint>, p);
        QFETCH(int, level);
        QFETCH(QList<int>, angles);
        QFETCH(int, quality);
        qint32 out[3];
        Loc::ComputeAngles(p.constData(), out);
        QCOMPARE(QList<int>(out, out + 3), angles);
        QCOMPARE(Loc::Quality(level, *std::min_element(out, out + 3)), quality);
    }
};

QTEST_GUILESS_MAIN(TestEmitterLocalization)
#include "tst_emitterlocalization.moc"
