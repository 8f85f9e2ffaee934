// The log filter's rules and merging (its stored image: tst_logwindow).

#include "eventlog/LogFilter.h"
#include "Fixtures.h"
#include "TestSettings.h"

#include <QTest>

#include <functional>

Q_DECLARE_METATYPE(LOGFILTER)

namespace {

// The frequency tells events apart: it is the start time.
EVENT ev(qint64 start, qint64 end, int type = 1, quint8 module = 2, int peak = -60,
         bool open = false)
{
    return Fixtures::event(start, end, type, peak, 0, double(start), module, open);
}

LOGFILTER on(const std::function<void(LOGFILTER &)> &set = {})
{
    LOGFILTER f = LOGFILTER::defaults(50000);
    f.bOn = true;
    if (set)
        set(f);
    return f;
}

} // namespace

class TestLogFilter : public QObject
{
    Q_OBJECT

private slots:

    // clang-format off
    void rules_data()
    {
        QTest::addColumn<LOGFILTER>("filter");
        QTest::addColumn<QList<EVENT>>("events");
        QTest::addColumn<QString>("kept"); // start-end of what remains

        const QList<EVENT> mixed = {ev(0, 1, 1, 0), ev(1, 2, 1, 10), ev(2, 3, 1, 11), ev(3, 4, -1, 1),
                                    ev(4, 5, 13, 1), ev(5, 6, 19, 1), ev(6, 7, 1, 255, -60, true)};
        LOGFILTER off = LOGFILTER::defaults(0);
        off.bOnlyReady = off.bPeriod = off.bLength = off.bMerge = true;
        QTest::newRow("off") << off << mixed << "0-1 1-2 2-3 3-4 4-5 5-6 6-7";
        // Modules above 10 and type -1 go; module 0 and types of no group stay.
        QTest::newRow("on") << on() << mixed << "0-1 1-2 4-5 5-6";
        QTest::newRow("only ready") << on([](LOGFILTER &f) { f.bOnlyReady = true; })
                                    << QList<EVENT>{ev(1, 2), ev(2, 3, 1, 2, -60, true)} << "1-2";
        // 10:00 .. 11:00: an event must lie wholly inside.
        QTest::newRow("period") << on([](LOGFILTER &f) { f.bPeriod = true; f.tFrom = 36000; f.tTo = 39600; })
                                << QList<EVENT>{ev(36000, 39600), ev(39570, 39630), ev(35999, 36500), ev(36001, 39599)}
                                << "36000-39600 36001-39599";
        QTest::newRow("length") << on([](LOGFILTER &f) { f.bLength = true; f.nLengthSec = 10; })
                                << QList<EVENT>{ev(100, 110), ev(200, 209)} << "100-110";
        QTest::newRow("modules") << on([](LOGFILTER &f) { f.bModule[0] = f.bModule[9] = false; })
                                 << QList<EVENT>{ev(0, 0, 1, 0), ev(1, 1, 1, 1), ev(2, 2, 1, 2), ev(9, 9, 1, 9), ev(10, 10, 1, 10)}
                                 << "0-0 2-2 9-9";

        // Types -1..20; every group is off in one row and on in the other; -1 always goes.
        QList<EVENT> types;
        for (int type = -1; type <= 20; ++type)
            types.append(ev(type, type, type));
        QTest::newRow("odd groups off") << on([](LOGFILTER &f) { for (int g = 1; g < 10; g += 2) f.bType[g] = false; })
                                        << types << "0-0 4-4 5-5 6-6 7-7 8-8 10-10 11-11 13-13 14-14 15-15 16-16 17-17 19-19 20-20";
        QTest::newRow("even groups off") << on([](LOGFILTER &f) { for (int g = 0; g < 10; g += 2) f.bType[g] = false; })
                                         << types << "1-1 2-2 3-3 9-9 12-12 13-13 14-14 15-15 18-18 19-19 20-20";
        const auto merge = [](int gap) { return on([gap](LOGFILTER &f) { f.bMerge = true; f.nGapSec = gap; }); };
        QTest::newRow("gap") << merge(3) << QList<EVENT>{ev(43140, 43200), ev(43202, 43230), ev(43233, 43240)}
                             << "43140-43230 43233-43240";
        // Only neighbours of the same type and module; chains merge.
        QTest::newRow("neighbours") << merge(100)
                                    << QList<EVENT>{ev(0, 10), ev(11, 12, 2), ev(13, 14), ev(15, 16, 1, 3), ev(17, 18, 1, 3)}
                                    << "0-10 11-12 13-14 15-18";
        // Overlap: the second inside the first gives its earlier end; touching is no gap below 0.
        QTest::newRow("inside, touching") << merge(0) << QList<EVENT>{ev(100, 200), ev(120, 150), ev(150, 250)}
                                          << "100-150 150-250";
        // An event removed by an earlier rule neither merges nor separates.
        LOGFILTER lengthToo = merge(3);
        lengthToo.bLength = true;
        QTest::newRow("after removal") << lengthToo << QList<EVENT>{ev(0, 20), ev(21, 29), ev(22, 40)} << "0-40";
    }
    // clang-format on

    void rules()
    {
        QFETCH(LOGFILTER, filter);
        QFETCH(QList<EVENT>, events);
        QFETCH(QString, kept);
        filter.apply(events);
        QStringList out;
        for (const EVENT &e : events)
            out << QString::number(e.tStartTime) + '-' + QString::number(e.tEndTime);
        QCOMPARE(out.join(u' '), kept);
    }
};

QTEST_GUILESS_MAIN(TestLogFilter)
#include "tst_logfilter.moc"
