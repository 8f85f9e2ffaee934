// The log table's texts: durations, frequencies and local times without a zone lookup per row.

#include "eventlog/EventTableModel.h"
#include "eventlog/LocalTimeCache.h"
#include "Fixtures.h"
#include "TestSettings.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QTest>

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
            texts << EventTableModel::durationText(
                Fixtures::event(100, 100 + s, 1, 0, 0, 0, 1, false));
        for (double f : { 2412.3456, -5.0 })
            texts << EventTableModel::frequencyText(Fixtures::event(0, 0, 1, 0, 0, f, 1, false));
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
};

QTEST_GUILESS_MAIN(TestEventTableModel)
#include "tst_eventtablemodel.moc"
