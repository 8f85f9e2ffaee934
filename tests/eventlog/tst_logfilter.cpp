// The log filter: its rules, merging, and its stored 56-byte image.

#include "eventlog/LogFilter.h"
#include "settings/SettingsKeys.h"
#include "Fixtures.h"
#include "TestSettings.h"

#include <QSettings>
#include <QTest>

namespace {

// The frequency tells events apart: it is the start time.
EVENT ev(qint64 start, qint64 end, int type = 1, quint8 module = 2, int peak = -60, bool open = false)
{
    return Fixtures::event(start, end, type, peak, 0, double(start), module, open);
}

LOGFILTER filterOn()
{
    LOGFILTER f = LOGFILTER::defaults(50000);
    f.bOn = true;
    return f;
}

// Start times of what the filter keeps.
QList<qint64> kept(const LOGFILTER &f, QList<EVENT> list)
{
    f.apply(list);
    QList<qint64> out;
    for (const EVENT &e : list)
        out.append(e.tStartTime);
    return out;
}

} // namespace

class TestLogFilter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }

    void offOrWithoutConditions()
    {
        const QList<EVENT> list = {ev(0, 1, 1, 0), ev(1, 2, 1, 10), ev(2, 3, 1, 11), ev(3, 4, -1, 1),
                                   ev(4, 5, 13, 1), ev(5, 6, 19, 1), ev(6, 7, 1, 255, -60, true)};
        LOGFILTER off = LOGFILTER::defaults(0);
        off.bOnlyReady = off.bPeriod = off.bLength = off.bMerge = true;
        QCOMPARE(kept(off, list).size(), list.size());
        // On: modules above 10 and type -1 go; module 0 and types of no group stay.
        QCOMPARE(kept(filterOn(), list), QList<qint64>({0, 1, 4, 5}));
    }

    void conditions()
    {
        LOGFILTER f = filterOn();
        f.bOnlyReady = true;
        QCOMPARE(kept(f, {ev(1, 2), ev(2, 3, 1, 2, -60, true)}), QList<qint64>({1}));

        f = filterOn();
        f.bPeriod = true;
        f.tFrom = 36000; // 10:00 .. 11:00: an event must lie wholly inside
        f.tTo = 39600;
        QCOMPARE(kept(f, {ev(36000, 39600), ev(39570, 39630), ev(35999, 36500), ev(36001, 39599)}),
                 QList<qint64>({36000, 36001}));
        std::swap(f.tFrom, f.tTo); // start after end: nothing passes
        QVERIFY(kept(f, {ev(37000, 37000)}).isEmpty());

        f = filterOn();
        f.bLength = true;
        f.nLengthSec = 10; // exactly as long stays
        QCOMPARE(kept(f, {ev(100, 110), ev(200, 209)}), QList<qint64>({100}));
        f.nLengthSec = 0;
        QCOMPARE(kept(f, {ev(100, 100)}).size(), 1);

        f = filterOn();
        f.bModule[0] = f.bModule[9] = false;
        QList<EVENT> modules;
        for (int m = 0; m <= 11; ++m)
            modules.append(ev(m, m, 1, quint8(m)));
        QCOMPARE(kept(f, modules), QList<qint64>({0, 2, 3, 4, 5, 6, 7, 8, 9}));
    }

    void typeGroups()
    {
        const QList<QList<int>> groups = {{0}, {1, 2}, {4, 5, 6}, {3}, {7, 8}, {9}, {10, 11}, {12}, {16, 17}, {18}};
        QList<EVENT> list;
        for (int type = -1; type <= 20; ++type)
            list.append(ev(type, type, type));
        for (int g = 0; g < LOGFILTER::TypeGroups; ++g) {
            LOGFILTER f = filterOn();
            f.bType[g] = false;
            QList<qint64> expected;
            for (int type = 0; type <= 20; ++type) {
                if (!groups[g].contains(type))
                    expected.append(type);
            }
            QCOMPARE(kept(f, list), expected);
        }
    }

    void merging()
    {
        LOGFILTER f = filterOn();
        f.bMerge = true;
        f.nGapSec = 3;
        const qint64 noon = 43200;
        QList<EVENT> list = {ev(noon - 60, noon, 1, 2, -70), ev(noon + 2, noon + 30, 1, 2, -55)};
        f.apply(list); // the first keeps its own frequency
        QCOMPARE(Fixtures::dump(list), Fixtures::dump({ev(noon - 60, noon + 30, 1, 2, -55)}));
        QCOMPARE(kept(f, {ev(noon - 60, noon), ev(noon + 3, noon + 30)}).size(), 2);

        // Only neighbours of the same type and module; chains merge.
        f.nGapSec = 100;
        QCOMPARE(kept(f, {ev(0, 10), ev(11, 12, 2), ev(13, 14), ev(15, 16, 1, 3), ev(17, 18, 1, 3)}),
                 QList<qint64>({0, 11, 13, 15}));

        // Overlap: the second inside the first gives its earlier end; the
        // first keeps its state. Touching is no gap below 0.
        f.nGapSec = 0;
        list = {ev(100, 200, 1, 2, -70, true), ev(120, 150, 1, 2, -65)};
        f.apply(list);
        QCOMPARE(Fixtures::dump(list), Fixtures::dump({ev(100, 150, 1, 2, -65, true)}));
        QCOMPARE(kept(f, {ev(100, 200), ev(200, 250)}).size(), 2);

        // An event removed by an earlier rule neither merges nor separates.
        f.nGapSec = 3;
        f.bLength = true;
        f.nLengthSec = 10;
        list = {ev(0, 20), ev(21, 29), ev(22, 40)};
        f.apply(list);
        QCOMPARE(Fixtures::dump(list), Fixtures::dump({ev(0, 40)}));
    }

    void imageLayout()
    {
        LOGFILTER f = LOGFILTER::defaults(0);
        f.bOn = f.bMerge = f.bOnlyReady = true;
        f.bType[2] = f.bModule[9] = false;
        f.nGapSec = 0x01020304;
        f.nLengthSec = -2;
        f.tFrom = 0x0102030405060708LL;
        f.tTo = -1;
        QCOMPARE(f.toImage().toHex(),
                 QByteArray("01000001" "01010001010101010101" "01010101010101010100" "01" "000000"
                            "04030201" "feffffff" "00000000" "0807060504030201" "ffffffffffffffff"));
        QCOMPARE(LOGFILTER::defaults(100000).toImage().toHex(),
                 QByteArray("00000000" "01010101010101010101" "01010101010101010101" "00" "000000"
                            "03000000" "0a000000" "00000000" "2035000000000000" "20d8020000000000"));
    }

    void imageThroughSettings()
    {
        LOGFILTER f = LOGFILTER::defaults(1700000000);
        f.bPeriod = true;
        f.bType[6] = f.bModule[4] = false;
        f.nGapSec = 17;
        f.padding1[1] = 0x5A; // padding travels as held
        QSettings().setValue(SettingsKeys::LogFilter, f.toImage());
        const QByteArray stored = QSettings().value(SettingsKeys::LogFilter).toByteArray();
        LOGFILTER back = LOGFILTER::defaults(0);
        back.overlayImage(stored);
        QCOMPARE(back.toImage(), f.toImage());
        QVERIFY(back.bPeriod && !back.bType[6] && !back.bModule[4]);

        // A short image replaces only its length (here up to half of nGapSec),
        // a long one is cut; booleans read as "not zero".
        LOGFILTER s = LOGFILTER::defaults(1000);
        s.overlayImage(QByteArray::fromHex("01020101") + QByteArray(25, '\0') + QByteArray::fromHex("ff"));
        QVERIFY(s.bOn && s.bPeriod && s.bLength && s.bMerge && !s.bType[0]);
        QCOMPARE(s.nGapSec, 0xFF00);
        QCOMPARE(s.nLengthSec, 10);
        QCOMPARE(s.toImage()[1], char(1));
        s.overlayImage(f.toImage() + QByteArray(8, '\x7f'));
        QCOMPARE(s.toImage(), f.toImage());
    }
};

QTEST_GUILESS_MAIN(TestLogFilter)
#include "tst_logfilter.moc"
