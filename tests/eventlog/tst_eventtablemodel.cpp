// The log table's model: column texts, local time texts without a zone lookup
// per row, and sorting that always equals sorting by the texts.

#include "eventlog/EventTableModel.h"
#include "eventlog/LocalTimeCache.h"
#include "settings/SettingsKeys.h"
#include "Fixtures.h"
#include "TestSettings.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QSettings>
#include <QTest>

#include <algorithm>
#include <numeric>

namespace {

EVENT ev(qint64 start, qint64 end, int type = 1, int peak = -60, int threshold = -80,
         double freq = 0, quint8 module = 1, bool open = false)
{
    return Fixtures::event(start, end, type, peak, threshold, freq, module, open);
}

QStringList rows(const EventTableModel &model, int column = -1)
{
    QStringList out;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int c = 0; c < EventTableModel::ColumnCount; ++c) {
            if (column < 0 || c == column)
                cells.append(model.index(row, c).data().toString());
        }
        if (column < 0) // tells apart more rows of equal texts
            cells.append(QString::number(model.event(row).dFreqMHz, 'g', 17));
        out.append(cells.join(u'|'));
    }
    return out;
}

// What the former tree widget did: the rows as they stand, stably sorted by text.
QStringList textSorted(const EventTableModel &model, int column, Qt::SortOrder order)
{
    const QStringList texts = rows(model, column);
    const QStringList all = rows(model);
    QList<int> index(texts.size());
    std::iota(index.begin(), index.end(), 0);
    std::stable_sort(index.begin(), index.end(), [&](int a, int b) {
        return order == Qt::AscendingOrder ? texts[a] < texts[b] : texts[b] < texts[a];
    });
    QStringList out;
    for (int i : index)
        out.append(all[i]);
    return out;
}

QList<EVENT> randomEvents(int count, quint32 seed)
{
    QRandomGenerator rng(seed);
    const double freqs[] = {0.0, 945.0, 945.2, 2412.0, 2412.35, 433.92, 5180.0, 0.5, 12345678.0};
    QList<EVENT> list;
    for (int i = 0; i < count; ++i) {
        const qint64 start = 1767225600 + rng.bounded(400) * 86400LL / 7 + rng.bounded(86400);
        const qint64 length = rng.bounded(4) == 0 ? rng.bounded(200000) : rng.bounded(90);
        const int peak = -int(rng.bounded(100)) - 10;
        // Some frequencies differ below the digits shown: equal texts all the same.
        double freq = freqs[rng.bounded(9)];
        if (freq > 0 && i % 2)
            freq += i * 1e-9;
        list.append(ev(start, start + length, int(rng.bounded(21)) - 1, peak, peak - int(rng.bounded(40)) + 10,
                       freq, quint8(rng.bounded(14)), rng.bounded(5) == 0));
    }
    return list;
}

} // namespace

class TestEventTableModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestSettings::isolate();
        Fixtures::setZone("UTC");
    }
    void cleanup() { Fixtures::setZone("UTC"); }

    void cellTexts()
    {
        // Traffic, short dBm and "In progress" texts are checked in the log window's rows.
        QCOMPARE(EventTableModel::levelText(ev(0, 0, 18, -105)), QStringLiteral("-105 dBm"));
        QCOMPARE(EventTableModel::durationText(ev(100, 100 + 3661)), QStringLiteral("1:01:01"));
        QCOMPARE(EventTableModel::durationText(ev(100, 100 + 90000)), QStringLiteral("1:00:00"));
        QCOMPARE(EventTableModel::durationText(ev(100, 100 + 86399)), QStringLiteral("23:59:59"));
        QCOMPARE(EventTableModel::durationText(ev(159, 100)), QStringLiteral("0:00:59"));
        QCOMPARE(EventTableModel::durationText(ev(0, 4294967295LL)), QStringLiteral("6:28:15"));

        const auto freq = [](double f) { return EventTableModel::frequencyText(ev(0, 0, 1, 0, 0, f)); };
        QCOMPARE(QStringList({freq(433.92), freq(2412.3456), freq(0.0), freq(-5.0)}),
                 QStringList({"433.92", "2412.35", "", ""}));
    }

    void localTimeMatchesPlatform_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<qint64>("scanFrom"); // a year in which the offset changes
        QTest::newRow("UTC") << QByteArray("UTC") << qint64(1767225600);
        QTest::newRow("Berlin") << QByteArray("Europe/Berlin") << qint64(1767225600);
        QTest::newRow("Kathmandu 1986") << QByteArray("Asia/Kathmandu") << qint64(504316800);
        QTest::newRow("St Johns") << QByteArray("America/St_Johns") << qint64(1767225600);
        QTest::newRow("Lord Howe") << QByteArray("Australia/Lord_Howe") << qint64(1767225600);
        QTest::newRow("rule") << QByteArray("CET-1CEST,M3.5.0,M10.5.0/3") << qint64(1767225600);
    }

    void localTimeMatchesPlatform()
    {
        QFETCH(QByteArray, zone);
        QFETCH(qint64, scanFrom);
        Fixtures::setZone(zone.constData());
        QRandomGenerator rng(7);
        QList<qint64> times = {0, 4294967295LL, 951782400 /* 29.02.2000 */};
        for (int i = 0; i < 4000; ++i)
            times.append(qint64(rng.generate()));
        // Every second around the year's changes of the offset.
        for (qint64 t = scanFrom; t < scanFrom + 366 * 86400; t += 900) {
            if (QDateTime::fromSecsSinceEpoch(t).offsetFromUtc() != QDateTime::fromSecsSinceEpoch(t + 900).offsetFromUtc()) {
                for (qint64 s = t - 7200; s < t + 7200; ++s)
                    times.append(s);
            }
        }
        QVERIFY(zone == "UTC" || times.size() > 14400);
        LocalTimeCache cache;
        for (qint64 t : times)
            QCOMPARE(cache.text(t), QDateTime::fromSecsSinceEpoch(t).toString("dd.MM.yyyy hh:mm:ss"));
    }

    void sortEqualsTextSort_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<bool>("farTimes"); // read from a file, outside the calendar's years
        QTest::newRow("UTC") << QByteArray("UTC") << false;
        QTest::newRow("Berlin") << QByteArray("Europe/Berlin") << false;
        QTest::newRow("far times") << QByteArray("Europe/Berlin") << true;
    }

    void sortEqualsTextSort()
    {
        QFETCH(QByteArray, zone);
        QFETCH(bool, farTimes);
        Fixtures::setZone(zone.constData());
        QSettings settings;
        settings.setValue(SettingsKeys::moduleName(2), "Zulu");
        settings.setValue(SettingsKeys::moduleName(12), "Alpha");
        QList<EVENT> list = randomEvents(2000, 11);
        if (farTimes) {
            list[5].tStartTime = -62200000000LL;
            list[9].tStartTime = 253402300800LL + 86400 * 800;
        }
        for (int column = 0; column < EventTableModel::ColumnCount; ++column) {
            for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
                EventTableModel unsorted;
                unsorted.setEvents(list);
                EventTableModel model;
                model.sort(column, order);
                model.setEvents(list);
                QCOMPARE(rows(model), textSorted(unsorted, column, order));

                // Sorting again keeps the order shown for ties.
                const int next = (column + 3) % EventTableModel::ColumnCount;
                const QStringList expected = textSorted(model, next, order);
                model.sort(next, order);
                QCOMPARE(rows(model), expected);
            }
        }
    }

    void persistentIndexFollowsItsEvent()
    {
        EventTableModel model;
        model.sort(EventTableModel::DateTimeColumn, Qt::AscendingOrder);
        model.setEvents(randomEvents(50, 5));
        const QPersistentModelIndex tracked = model.index(17, 2);
        const EVENT e = model.event(17);
        model.sort(EventTableModel::SignalLevelColumn, Qt::DescendingOrder);
        QCOMPARE(tracked.column(), 2);
        const EVENT &now = model.event(tracked.row());
        QVERIFY(now.tStartTime == e.tStartTime && now.tEndTime == e.tEndTime && now.dFreqMHz == e.dFreqMHz);
    }
};

QTEST_GUILESS_MAIN(TestEventTableModel)
#include "tst_eventtablemodel.moc"
