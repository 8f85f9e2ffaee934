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

namespace {

const auto ev = Fixtures::event;

// Per row: the text of one column, and all texts with the frequency, which
// tells apart rows of equal texts.
using Rows = QList<std::pair<QString, QString>>;
Rows rows(const EventTableModel &model, int column)
{
    Rows out;
    for (int row = 0; row < model.rowCount(); ++row) {
        QString all = QString::number(model.event(row).dFreqMHz, 'g', 17);
        for (int c = 0; c < EventTableModel::ColumnCount; ++c)
            all += u'|' + model.text(row, c);
        out.append({ model.text(row, column), all });
    }
    return out;
}

Rows textSorted(Rows rows, Qt::SortOrder order)
{
    std::stable_sort(rows.begin(), rows.end(), [order](const auto &a, const auto &b) {
        return order == Qt::AscendingOrder ? a.first < b.first : b.first < a.first;
    });
    return rows;
}

} // namespace

class TestEventTableModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }

    // Traffic, dBm and most other texts are checked against the export's golden file.
    void durationAndFrequencyTexts()
    {
        QStringList texts;
        for (qint64 s : { 86399, 90000, -59 })
            texts << EventTableModel::durationText(ev(100, 100 + s, 1, 0, 0, 0, 1, false));
        for (double f : { 2412.3456, -5.0 })
            texts << EventTableModel::frequencyText(ev(0, 0, 1, 0, 0, f, 1, false));
        QCOMPARE(texts, QStringList({ "23:59:59", "1:00:00", "0:00:59", "2412.35", "" }));
    }

    void localTimeMatchesPlatform_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<qint64>("scanFrom"); // a year in which the offset changes
        QTest::newRow("Berlin") << QByteArray("Europe/Berlin") << qint64(1767225600);
        QTest::newRow("Kathmandu 1986") << QByteArray("Asia/Kathmandu") << qint64(504316800);
        QTest::newRow("Lord Howe") << QByteArray("Australia/Lord_Howe") << qint64(1767225600);
        QTest::newRow("rule") << QByteArray("CET-1CEST,M3.5.0,M10.5.0/3") << qint64(1767225600);
    }

    void localTimeMatchesPlatform()
    {
        QFETCH(QByteArray, zone);
        QFETCH(qint64, scanFrom);
        Fixtures::setZone(zone.constData());
        QRandomGenerator rng(7);
        QList<qint64> times = { 0, 4294967295LL, 951782400 /* 29.02.2000 */ };
        for (int i = 0; i < 4000; ++i)
            times.append(qint64(rng.generate()));
        // Every second around the year's changes of the offset.
        for (qint64 t = scanFrom; t < scanFrom + 366 * 86400; t += 900) {
            if (QDateTime::fromSecsSinceEpoch(t).offsetFromUtc()
                != QDateTime::fromSecsSinceEpoch(t + 900).offsetFromUtc()) {
                for (qint64 s = t - 7200; s < t + 7200; ++s)
                    times.append(s);
            }
        }
        LocalTimeCache cache;
        for (qint64 t : times)
            QCOMPARE(cache.text(t),
                     QDateTime::fromSecsSinceEpoch(t).toString("dd.MM.yyyy hh:mm:ss"));
    }

    void sortEqualsTextSort()
    {
        Fixtures::setZone("Europe/Berlin");
        QSettings settings;
        settings.setValue(SettingsKeys::moduleName(2), "Zulu");
        settings.setValue(SettingsKeys::moduleName(12), "Alpha");
        QRandomGenerator rng(11);
        const double freqs[] = {
            0.0, 945.0, 945.2, 2412.0, 2412.35, 433.92, 5180.0, 0.5, 12345678.0
        };
        QList<EVENT> list;
        for (int i = 0; i < 2000; ++i) {
            const qint64 start = 1767225600 + rng.bounded(400) * 86400LL / 7 + rng.bounded(86400);
            const qint64 length = rng.bounded(4) == 0 ? rng.bounded(200000) : rng.bounded(90);
            const int peak = -int(rng.bounded(100)) - 10;
            // Some frequencies differ below the digits shown: equal texts all the same.
            const double freq = freqs[rng.bounded(9)] + (i % 2 ? i * 1e-9 : 0.0);
            list.append(ev(start, start + length, int(rng.bounded(21)) - 1, peak,
                           peak - int(rng.bounded(40)) + 10, freq, quint8(rng.bounded(14)),
                           rng.bounded(5) == 0));
        }
        list[5].tStartTime = -62200000000LL; // read from a file, outside the calendar's years
        list[9].tStartTime = 253402300800LL + 86400 * 800;
        EventTableModel unsorted;
        unsorted.setEvents(list);
        for (int column = 0; column < EventTableModel::ColumnCount; ++column) {
            for (Qt::SortOrder order : { Qt::AscendingOrder, Qt::DescendingOrder }) {
                EventTableModel model;
                model.sort(column, order);
                model.setEvents(list);
                QCOMPARE(rows(model, column), textSorted(rows(unsorted, column), order));
                // Sorting again keeps the order shown for ties.
                const int next = (column + 3) % EventTableModel::ColumnCount;
                const Rows expected = textSorted(rows(model, next), order);
                model.sort(next, order);
                QCOMPARE(rows(model, next), expected);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestEventTableModel)
#include "tst_eventtablemodel.moc"
