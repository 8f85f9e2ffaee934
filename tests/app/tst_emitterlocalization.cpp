// Where the localization marker goes: the search for one signal heard by
// three modules, the end numbers of an update, the formulas' edges, the gliding.

#include "app/EmitterLocalization.h"
#include "net/CSignalTypeStr.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using Loc = EmitterLocalization;

namespace {

// Modules 1 to 3 report one signal on channel 0; their windows' anchors sit
// 40 across and 30 down from their origins.
QMap<quint8, ModuleRecord> triangle(int type, const QList<int> &levels,
                                    const QList<QPoint> &anchors, double freqMHz = 0)
{
    QMap<quint8, ModuleRecord> records;
    for (int k = 0; k < 3; ++k) {
        ModuleRecord &r = records[quint8(k + 1)];
        r.lastChannels[0] = CHANNEL{ 1, type, levels[k], -80, -90, 0, 0, freqMHz };
        r.windowAnchor = anchors[k];
        r.windowOrigin = anchors[k] - QPoint(40, 30);
    }
    return records;
}

QString dump(const Loc::Candidate &c)
{
    QString s = QStringLiteral("%1 t%2 f%3").arg(c.num).arg(c.type).arg(c.freqMHz);
    for (int k = 0; k < 3; ++k)
        s += QStringLiteral(" %1/%2 %3").arg(c.modules[k]).arg(c.channels[k]).arg(c.levels[k]);
    return s;
}

// The accepted candidates, the scratch slot after them and the choice.
QString dump(const Loc::State &s, bool found)
{
    QStringList out;
    for (int i = 0; i <= s.candidateCount; ++i)
        out << dump(s.candidates[i]);
    if (found)
        for (int k = 0; k < 3; ++k)
            out << QStringLiteral("chosen t%1 %2 %3")
                       .arg(s.chosenType)
                       .arg(s.chosenModules[k])
                       .arg(s.chosenLevels[k]);
    return out.join(QStringLiteral(" | "));
}

// The search as written out: every report against every later module's.
QString literalSearch(const QMap<quint8, ModuleRecord> &records)
{
    Loc::State s;
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
    // The first candidate holding the strongest level.
    const auto top = [](const auto &c) { return *std::max_element(c.levels, c.levels + 3); };
    const Loc::Candidate *chosen = s.candidates;
    for (int i = 1; i < s.candidateCount; ++i)
        if (top(s.candidates[i]) > top(*chosen))
            chosen = &s.candidates[i];
    s.chosenType = chosen->type;
    std::copy(chosen->modules, chosen->modules + 3, s.chosenModules);
    std::copy(chosen->levels, chosen->levels + 3, s.chosenLevels);
    return dump(s, s.candidateCount > 0);
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
        auto records = triangle(CSignalTypeStr::Scan, { -40, -50, -65 },
                                { { 100, 100 }, { 500, 140 }, { 260, 420 } }, 433.7);
        Loc loc;
        loc.setMainWindowMinimized(false);
        QVERIFY(loc.Update(records, 3, 20, true));
        const Loc::State &s = loc.state();
        QCOMPARE(s.flags, Loc::ShowScan);
        QCOMPARE(QList<int>(s.angles, s.angles + 3), QList<int>({ 57, 67, 55 }));
        QCOMPARE(QList<QPoint>(s.stagePoints, s.stagePoints + 3),
                 QList<QPoint>({ { 200, 110 }, { 470, 175 }, { 100, 100 } }));
        QCOMPARE(QList<QPoint>(s.stagePoints + 3, s.stagePoints + 6),
                 QList<QPoint>({ { 267, 126 }, { 192, 118 }, { 150, 105 } }));
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
        QVERIFY(!loc.Update(records, 2, 20, true));  // a module is no longer correct
        QVERIFY(!loc.Update(records, 3, 20, false)); // switched off
        loc.setMainWindowMinimized(true);
        QVERIFY(!loc.Update(records, 3, 20, true));
        QCOMPARE(s.markerPos, QPoint(238, 118)); // kept while hidden
        loc.setMainWindowMinimized(false);
        QVERIFY(loc.Update(records, 3, 20, true));
        QCOMPARE(s.markerPos, QPoint(255, 120)); // on from the exact values, not (238, 118)
    }

    // The index, mended record by record, finds what every report against
    // every other finds: a module's channels change, it goes, or records pass
    // while the localization is off.
    void indexedSearchMatchesTheLiteralOne()
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
        };
        QMap<quint8, ModuleRecord> records;
        Loc kept;
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
                kept.Update(records, 3, 20, false);
                randomize(records[quint8(rng.bounded(16))]); // unseen
            }
            const bool found = kept.SelectTriangle(records, 3 + rng.bounded(2) - (what == 3));
            if (what != 3)
                QCOMPARE(dump(kept.state(), found), literalSearch(records));
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
