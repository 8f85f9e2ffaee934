// Where the localization marker goes: the search for one signal heard by
// three modules, the triangle's angles, the interpolation, the quality and
// the gliding.

#include "app/EmitterLocalization.h"
#include "net/CSignalTypeStr.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using Loc = EmitterLocalization;

namespace {

struct Report
{
    quint8 module;
    int type;
    int level;
    double freq = 0.0;
    int channel = 0;
};

// Records whose windows sit at 100 * module across and 10 * module² down.
QMap<quint8, ModuleRecord> network(std::initializer_list<Report> reports)
{
    QMap<quint8, ModuleRecord> records;
    for (const Report &r : reports) {
        ModuleRecord &m = records[r.module];
        m.lastChannels[r.channel] = CHANNEL{ 1, r.type, r.level, -80, -90, 0, 0, r.freq };
        m.windowOrigin = QPoint(100 * r.module, 10 * r.module * r.module);
        m.windowAnchor = m.windowOrigin + QPoint(40, 30);
    }
    return records;
}

QString dump(const Loc::Candidate &c)
{
    return QStringLiteral("%1 t%2 f%3 [%4/%5 %6, %7/%8 %9, %10/%11 %12]")
        .arg(c.num)
        .arg(c.type)
        .arg(c.freqMHz)
        .arg(c.modules[0])
        .arg(c.channels[0])
        .arg(c.levels[0])
        .arg(c.modules[1])
        .arg(c.channels[1])
        .arg(c.levels[1])
        .arg(c.modules[2])
        .arg(c.channels[2])
        .arg(c.levels[2]);
}

// The accepted candidates, the scratch slot after them and the choice.
QString dump(const Loc::State &s, bool found)
{
    QStringList out;
    for (int i = 0; i <= s.candidateCount && i < Loc::CandidateSlots; ++i)
        out << dump(s.candidates[i]);
    if (found)
        out << QStringLiteral("chosen t%1 %2 %3 %4 / %5 %6 %7")
                   .arg(s.chosenType)
                   .arg(s.chosenModules[0])
                   .arg(s.chosenModules[1])
                   .arg(s.chosenModules[2])
                   .arg(s.chosenLevels[0])
                   .arg(s.chosenLevels[1])
                   .arg(s.chosenLevels[2]);
    return out.join(QStringLiteral(" | "));
}

// The search as written out: every report against every later module's.
QString literalSearch(const QMap<quint8, ModuleRecord> &records)
{
    Loc::State s;
    int accepted = 0;
    for (auto a = records.cbegin(); a != records.cend(); ++a) {
        for (int i = 0; i < 3; ++i) {
            const CHANNEL &ca = a->lastChannels[i];
            if (ca.nState == 0)
                continue;
            Loc::Candidate c;
            c.num = 1;
            c.modules[0] = a.key();
            c.channels[0] = quint8(i);
            c.levels[0] = ca.nLevel;
            c.type = ca.nType;
            c.freqMHz = qint32(ca.dFreqMHz);
            for (auto b = std::next(a); b != records.cend(); ++b) {
                for (int j = 0; j < 3; ++j) {
                    const CHANNEL &cb = b->lastChannels[j];
                    if (cb.nState == 0 || cb.nType != c.type)
                        continue;
                    if (c.type == CSignalTypeStr::Scan
                        && !(cb.dFreqMHz > 0 && std::fabs(cb.dFreqMHz - c.freqMHz) < 3.0))
                        continue;
                    ++c.num;
                    int place = c.num - 1;
                    if (place > 2) {
                        place = 0;
                        for (int k = 1; k < 3; ++k)
                            if (c.levels[k] < c.levels[place])
                                place = k;
                        if (cb.nLevel <= c.levels[place])
                            continue;
                    }
                    c.modules[place] = b.key();
                    c.channels[place] = quint8(j);
                    c.levels[place] = cb.nLevel;
                }
            }
            s.candidates[accepted] = c;
            if (c.num > 2 && accepted < Loc::MaxCandidates)
                ++accepted;
        }
    }
    s.candidateCount = accepted;
    int best = -1000;
    for (int i = 0; i < accepted; ++i)
        for (int k = 0; k < 3; ++k)
            if (s.candidates[i].levels[k] > best) {
                best = s.candidates[i].levels[k];
                s.chosenType = s.candidates[i].type;
                std::copy(s.candidates[i].modules, s.candidates[i].modules + 3, s.chosenModules);
                std::copy(s.candidates[i].levels, s.candidates[i].levels + 3, s.chosenLevels);
            }
    return dump(s, accepted > 0);
}

} // namespace

class TestEmitterLocalization : public QObject
{
    Q_OBJECT

private slots:
    // -40, -60, -60 dBm at a scale of 20: every stage with the -40 module
    // lands on its anchor, and so does the target.
    void strongestModuleTakesTheTarget()
    {
        auto records = network({ { 1, CSignalTypeStr::Gsm900, -40 },
                                 { 2, CSignalTypeStr::Gsm900, -60 },
                                 { 3, CSignalTypeStr::Gsm900, -60 } });
        records[1].windowAnchor = QPoint(101, 99);
        records[2].windowAnchor = QPoint(500, 120);
        records[3].windowAnchor = QPoint(301, 401);
        Loc loc;
        loc.setMainWindowMinimized(false);
        QVERIFY(loc.Update(records, 3, 20, true));
        const Loc::State &s = loc.state();
        QCOMPARE(s.flags, Loc::ShowBand);
        const QPoint a(101, 99);
        QCOMPARE(QList<QPoint>(s.stagePoints, s.stagePoints + 6),
                 QList<QPoint>({ a, QPoint(400, 260), a, a, a, a }));
        QCOMPARE(QList<int>(s.stageLevels, s.stageLevels + 6),
                 QList<int>({ -40, -60, -40, -40, -40, -40 }));
        QCOMPARE(s.target, a);
        QCOMPARE(s.markerPos, a); // never placed before: jumps
    }

    void scanningReceiverWithin3MHz_data()
    {
        QTest::addColumn<double>("first");
        QTest::addColumn<double>("others");
        QTest::addColumn<bool>("found");
        QTest::newRow("2.9 above") << 433.7 << 435.9 << true;
        QTest::newRow("3.0 above") << 433.7 << 436.0 << false;
        QTest::newRow("2.9 below") << 433.7 << 430.1 << true;
        QTest::newRow("3.0 below") << 433.7 << 430.0 << false;
        QTest::newRow("same whole MHz") << 433.0 << 433.0 << true;
        QTest::newRow("no frequency") << 433.7 << 0.0 << false;
        QTest::newRow("first without frequency") << 0.0 << 2.5 << true;
    }

    void scanningReceiverWithin3MHz()
    {
        QFETCH(double, first);
        QFETCH(double, others);
        QFETCH(bool, found);
        const auto records = network({ { 1, CSignalTypeStr::Scan, -50, first },
                                       { 2, CSignalTypeStr::Scan, -50, others },
                                       { 3, CSignalTypeStr::Scan, -50, others } });
        Loc loc;
        QCOMPARE(loc.SelectTriangle(records, 3), found);
        QCOMPARE(loc.state().flags, found ? Loc::ScanSignal : 0u);
        if (found)
            QCOMPARE(loc.state().candidates[0].freqMHz, qint32(first)); // taken as whole MHz
    }

    // A stronger newcomer replaces the weakest member (the first of equals);
    // the candidate with the strongest member wins (the first of equals).
    void membersAndChoice()
    {
        Loc loc;
        QVERIFY(loc.SelectTriangle(network({ { 1, CSignalTypeStr::Gsm900, -70 },
                                             { 2, CSignalTypeStr::Gsm900, -60 },
                                             { 3, CSignalTypeStr::Gsm900, -80 },
                                             { 4, CSignalTypeStr::Gsm900, -50 },
                                             { 5, CSignalTypeStr::Gsm900, -80, 0, 2 },
                                             { 6, CSignalTypeStr::Dect, -50 } }),
                                   6));
        QCOMPARE(dump(loc.state(), true),
                 QString("5 t1 f0 [1/0 -70, 2/0 -60, 4/0 -50] | 4 t1 f0 [2/0 -60, 3/0 -80, 4/0 -50]"
                         " | 3 t1 f0 [3/0 -80, 4/0 -50, 5/2 -80] | 1 t3 f0 [6/0 -50, 0/0 0, 0/0 0]"
                         " | chosen t1 1 2 4 / -70 -60 -50"));
        QVERIFY(loc.SelectTriangle(network({ { 1, CSignalTypeStr::Gsm900, -60 },
                                             { 2, CSignalTypeStr::Gsm900, -60 },
                                             { 3, CSignalTypeStr::Gsm900, -60 },
                                             { 4, CSignalTypeStr::Gsm900, -50 } }),
                                   4));
        QCOMPARE(dump(loc.state().candidates[0]), QString("4 t1 f0 [4/0 -50, 2/0 -60, 3/0 -60]"));
    }

    // Only nine candidates are kept; the tenth slot holds the last one built.
    void nineCandidatesAtMost()
    {
        QMap<quint8, ModuleRecord> records;
        for (quint8 m = 1; m <= 12; ++m)
            records[m].lastChannels[1] =
                CHANNEL{ 1, CSignalTypeStr::Wlan24, -90 + m, 0, 0, 0, 0, 0 };
        Loc loc;
        QVERIFY(loc.SelectTriangle(records, 12));
        QCOMPARE(loc.state().candidateCount, 9);
        QCOMPARE(dump(loc.state().candidates[9]), QString("1 t7 f0 [12/1 -78, 0/0 0, 0/0 0]"));
        // The first candidate ended with the three strongest.
        QCOMPARE(QList<int>(loc.state().chosenModules, loc.state().chosenModules + 3),
                 QList<int>({ 10, 11, 12 }));
    }

    // The indexed search finds what every report against every other finds,
    // both from scratch and mended record by record.
    void indexedSearchMatchesTheLiteralOne()
    {
        QRandomGenerator rng(11);
        const int types[] = { CSignalTypeStr::Gsm900, CSignalTypeStr::Dect, CSignalTypeStr::Scan };
        const auto randomize = [&](ModuleRecord &r) {
            for (CHANNEL &c : r.lastChannels) {
                c.nState = rng.bounded(4) ? 1 : 0;
                c.nType = types[rng.bounded(3)];
                c.nLevel = -100 + 5 * rng.bounded(17); // ties are common
                // Whole and tenth MHz around 433, sometimes none.
                c.dFreqMHz =
                    rng.bounded(8) ? 425 + rng.bounded(160) / (rng.bounded(2) ? 10.0 : 20.0) : 0.0;
            }
        };
        for (int round = 0; round < 300; ++round) {
            QMap<quint8, ModuleRecord> records;
            const int modules = 3 + rng.bounded(round < 250 ? 12 : 60);
            for (int i = 0; i < modules; ++i)
                randomize(records[quint8(rng.bounded(256))]);
            Loc loc;
            const bool found = loc.SelectTriangle(records, 3);
            QCOMPARE(dump(loc.state(), found), literalSearch(records));
        }

        // One network, one record at a time: a module's channels change, it
        // goes, or records pass while the localization is off.
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

    void angles_data()
    {
        QTest::addColumn<QPoint>("p0");
        QTest::addColumn<QPoint>("p1");
        QTest::addColumn<QPoint>("p2");
        QTest::addColumn<QList<int>>("angles"); // at p0, p2, p1
        QTest::newRow("right") << QPoint(0, 0) << QPoint(300, 0) << QPoint(0, 400)
                               << QList<int>({ 90, 36, 53 });
        QTest::newRow("nearly even")
            << QPoint(0, 0) << QPoint(100, 0) << QPoint(50, 87) << QList<int>({ 60, 59, 60 });
        QTest::newRow("in a line")
            << QPoint(0, 0) << QPoint(100, 0) << QPoint(200, 0) << QList<int>({ 0, 0, 180 });
        // The arccos arguments come out as 1.0000000000000002 here.
        QTest::newRow("rounding past 1")
            << QPoint(0, 0) << QPoint(3, 7) << QPoint(6, 14) << QList<int>({ 0, 0, 180 });
        QTest::newRow("two at one place")
            << QPoint(50, 50) << QPoint(50, 50) << QPoint(150, 50) << QList<int>({ 0, 0, 0 });
    }

    void angles()
    {
        QFETCH(QPoint, p0);
        QFETCH(QPoint, p1);
        QFETCH(QPoint, p2);
        QFETCH(QList<int>, angles);
        const QPoint p[3] = { p0, p1, p2 };
        qint32 out[3];
        Loc::ComputeAngles(p, out);
        QCOMPARE(QList<int>(out, out + 3), angles);
    }

    void interpolation()
    {
        qint32 level = 0;
        const QPoint p(100, 200), q(300, 0);
        QCOMPARE(Loc::Interpolate(p, -60, q, -60, 20, level), QPoint(200, 100));
        QCOMPARE(Loc::Interpolate(p, -60, q, -50, 20, level), QPoint(250, 50)); // half a scale
        QCOMPARE(level, -50);
        QCOMPARE(Loc::Interpolate(p, -60, q, -10, 20, level), q); // past a scale: clamped
        QCOMPARE(Loc::Interpolate(p, -61, q, -60, 40, level), QPoint(202, 97)); // truncated
    }

    void qualitySizeAndOpacity_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("quality");
        QTest::addColumn<int>("size");
        QTest::newRow("strong, even") << -1 << 60 << 0 << 50;
        QTest::newRow("weakest, flat") << -102 << 0 << 100 << 550;
        QTest::newRow("strong, flat") << -40 << 0 << 69 << 395;
        QTest::newRow("middling") << -60 << 30 << 54 << 320;
        QTest::newRow("below the wire's range") << -150 << 0 << 100 << 550;
    }

    void qualitySizeAndOpacity()
    {
        QFETCH(int, level);
        QFETCH(int, angle);
        QFETCH(int, quality);
        QFETCH(int, size);
        QCOMPARE(Loc::Quality(level, angle), quality);
        QCOMPARE(Loc::MarkerSize(quality), size);
        QVERIFY(std::fabs(Loc::MarkerOpacity(quality) - (0.85 - quality * 0.008)) < 1e-12);
    }

    // Shown only with everything set; glides a sixteenth of the way per record
    // and keeps its place while hidden.
    void showHideAndGlide()
    {
        auto records = network({ { 1, CSignalTypeStr::Scan, -40, 433.7 },
                                 { 2, CSignalTypeStr::Scan, -60, 433.2 },
                                 { 3, CSignalTypeStr::Scan, -60, 434.0 } });
        const QPoint a1 = records[1].windowAnchor, a2 = records[2].windowAnchor;
        Loc loc;
        QVERIFY(!loc.Update(records, 3, 20, true)); // the main window's timer has not run yet
        loc.setMainWindowMinimized(false);
        QVERIFY(loc.Update(records, 3, 20, true));
        QCOMPARE(loc.state().flags, Loc::ShowScan);
        QCOMPARE(loc.state().markerPos, a1);

        records[1].lastChannels[0].nLevel = -60;
        records[2].lastChannels[0].nLevel = -40;
        QList<QPoint> path;
        for (int i = 0; i < 3; ++i) {
            QVERIFY(loc.Update(records, 3, 20, true));
            path << loc.state().markerPos;
        }
        QCOMPARE(loc.state().target, a2);
        // (140, 40) -> (240, 70): 100 / 16 = 6.25 across, 1.875 down, on exact values.
        QCOMPARE(a1, QPoint(140, 40));
        QCOMPARE(path, QList<QPoint>({ QPoint(146, 41), QPoint(152, 43), QPoint(157, 45) }));

        QVERIFY(!loc.Update(records, 2, 20, true)); // a module is no longer correct
        QCOMPARE(loc.state().flags, Loc::NotMinimized | Loc::Enabled);
        QVERIFY(!loc.Update(records, 3, 20, false)); // switched off
        loc.setMainWindowMinimized(true);
        QVERIFY(!loc.Update(records, 3, 20, true));
        QCOMPARE(loc.state().markerPos, path.last()); // kept while hidden
        loc.setMainWindowMinimized(false);
        QVERIFY(loc.Update(records, 3, 20, true));
        QCOMPARE(loc.state().markerPos, QPoint(162, 46)); // glides on from there
    }
};

QTEST_GUILESS_MAIN(TestEmitterLocalization)
#include "tst_emitterlocalization.moc"
