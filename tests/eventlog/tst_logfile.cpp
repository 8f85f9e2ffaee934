// Log files: the XML save/load format, the HTML export of a table and CSV read
// back by Python's csv module (JSON Lines: tst_logwindow), and the local times
// they show, without a zone lookup per row.

#include "eventlog/EventTableModel.h"
#include "eventlog/LocalTimeCache.h"
#include "eventlog/LogDataExporter.h"
#include "eventlog/LogFile.h"
#include "eventlog/LogHtmlExporter.h"
#include "settings/SettingsKeys.h"
#include "Fixtures.h"
#include "TestSettings.h"

#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

using F = Fixtures;
const auto ev = Fixtures::event;

const qint64 kBase = Fixtures::Dec2026;

// Traffic and dBm types, a duration past 24 h, an end before its start, a
// frequency past six digits and none, a module above ten and an unknown type.
QList<EVENT> sampleEvents()
{
    return {
        ev(kBase, kBase + 89, 1, -61, -80, 945.2, 3, false),
        ev(kBase + 5, kBase + 5, 11, -52, -70, 0.0, 3, true),
        ev(kBase + 30, kBase + 90030, 7, -45, -75, 2412.3456, 12, false),
        ev(kBase - 86400 * 4, kBase - 86400 * 4 + 3661, 18, -105, -100, 433.92, 200, false),
        ev(kBase + 75, kBase + 60, -1, 0, 0, 2412.0, 0, false),
    };
}

} // namespace

class TestLogFile : public QObject
{
    Q_OBJECT

private slots:
    void init() { F::setZone("UTC"); }

    void saveAndLoadAgainstGoldenFile()
    {
        const QByteArray golden = F::readFile(HARRIER_TEST_DATA "/log_golden.xml");
        QCOMPARE(LogFile::toXml(sampleEvents()), golden);
        QList<EVENT> back;
        QVERIFY(LogFile::fromXml(golden, back));
        QCOMPARE(F::dump(back), F::dump(sampleEvents()));

        // Local time with summer time reads back to the same instants.
        F::setZone("Europe/Berlin");
        const QList<EVENT> summer = { ev(1782900000, 1782900600, 1, -60, -80, 945.0, 1, false) };
        QVERIFY(LogFile::fromXml(LogFile::toXml(summer), back));
        QCOMPARE(F::dump(back), F::dump(summer));
    }

    // Items are the children of the document's first child: a comment there
    // leaves none. Missing attributes read as 0, times as unreadable. A cut,
    // damaged or hostile file is no empty log.
    void reading_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("events");
        const QString none = F::dump(QList<EVENT>());
        QTest::newRow("empty log") << QByteArray("<Log/>\n") << true << none;
        QTest::newRow("comment first") << QByteArray("<!-- log --><Log><Item/></Log>") << true
                                       << none;
        QTest::newRow("attributes missing")
            << QByteArray("<Log><Item Module=\"3\" Now=\"1\"/></Log>") << true
            << F::dump({ ev(4294967295LL, 4294967295LL, 0, 0, 0, 0.0, 3, true) });
        QTest::newRow("cut in an item")
            << QByteArray("<Log>\n <Item Module=\"3\"/>\n <Item Sta") << false << none;
        QTest::newRow("cut after an item")
            << QByteArray("<Log>\n <Item Module=\"3\"/>\n") << false << none;
        // Exactly two digits a field, four for the year, within their ranges.
        QTest::newRow("times") << QByteArray(
            "<Log><Item StartTime=\"5.12.2026 07:02:11\" EndTime=\"31.02.2026 "
            "07:02:11\"/><Item StartTime=\"05.12.2026 24:00:00\" "
            "EndTime=\"29.02.2028 07:02:11\"/></Log>")
                               << true
                               << F::dump(
                                      { ev(4294967295LL, 4294967295LL, 0, 0, 0, 0.0, 0, false),
                                        ev(4294967295LL, 1835420531LL, 0, 0, 0, 0.0, 0, false) });
        QTest::newRow("frequency no finite number")
            << QByteArray("<Log><Item Module=\"3\" Frequency=\"inf\"/>"
                          "<Item Module=\"4\" Frequency=\"nan\"/></Log>")
            << true
            << F::dump({ ev(4294967295LL, 4294967295LL, 0, 0, 0, 0.0, 3, false),
                         ev(4294967295LL, 4294967295LL, 0, 0, 0, 0.0, 4, false) });
        // Far beyond what the format has: nesting, attributes, a token's length, items.
        QTest::newRow("nested 40 deep") << "<Log><Item>" + QByteArray("<a>").repeated(40)
                + QByteArray("</a>").repeated(40) + "</Item></Log>" << false << none;
        QByteArray attributes;
        for (int i = 0; i < 40; ++i)
            attributes += " a" + QByteArray::number(i) + "=\"\"";
        QTest::newRow("40 attributes") << "<Log><Item" + attributes + "/></Log>" << false << none;
        QTest::newRow("attribute of 100 KB")
            << "<Log><Item Module=\"" + QByteArray(100000, '3') + "\"/></Log>" << false << none;
        QTest::newRow("text of 100 KB") << "<Log>" + QByteArray(100000, 't') + "</Log>" << false
                                        << none;
        QTest::newRow("one item too many")
            << "<Log>" + QByteArray("<i/>").repeated(1000001) + "</Log>" << false
            << none;
        QTest::newRow("empty file") << QByteArray() << false << none;
        QTest::newRow("no XML") << QByteArray("\x89PNG\r\n\x1a\n\0\0") << false << none;
    }

    void reading()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, valid);
        QFETCH(QString, events);
        QList<EVENT> read = { ev(1, 2, 3, 4, 5, 6.0, 7, false) };
        QString error;
        QCOMPARE(LogFile::fromXml(content, read, &error), valid);
        QCOMPARE(error.isEmpty(), valid);
        if (valid)
            QCOMPARE(F::dump(read), events);
    }

    // Written beside the file and renamed over it: a reader of the old file reads it unchanged.
    void saveReplacesTheFileWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("log.xml");
        QVERIFY(LogFile::writeFile(path, "old log\n"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QVERIFY(LogFile::save(path, sampleEvents()));
        QCOMPARE(old.readAll(), QByteArray("old log\n"));
        QCOMPARE(F::readFile(path), LogFile::toXml(sampleEvents()));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({ "log.xml" }));
    }

    void htmlExport()
    {
        QSettings().setValue(SettingsKeys::moduleName(12), "<b>Gate & Yard</b>");
        EventTableModel model;
        model.sort(EventTableModel::DateTimeColumn, Qt::AscendingOrder);
        model.setEvents(sampleEvents());
        const QStringList headings = { "Date/Time",    "Duration",  "Module",         "Signal Type",
                                       "Signal Level", "Exceeding", "Frequency (MHz)" };
        QCOMPARE(LogHtmlExporter::page(model, "KESTREL Event Log", headings),
                 F::readFile(HARRIER_TEST_DATA "/export_golden.htm"));
    }

    void csvReadsBackWithPythonsCsvModule()
    {
        const QString python = QStandardPaths::findExecutable("python3");
        if (python.isEmpty())
            QSKIP("python3 is not installed");
        F::setZone("Europe/Moscow"); // +03:00 all year
        const QList<EVENT> rows = {
            F::event(F::Dec2026, F::Dec2026 + 80, 1, -55, -80, 945.2, 0, false),
            F::event(F::Dec2026 + 1, F::Dec2026 + 1, 11, -52, -70, 0, 1, true),
            F::event(F::Dec2026 + 2, F::Dec2026 + 3602, 5, -50, -75, 2412.35, 2, false),
            F::event(F::Dec2026 + 3, F::Dec2026 + 3, 3, -70, -90, 1800, 3, false),
        };
        const auto nameOf = [](quint8 module) {
            return QStringList({ "North, gate", "He said \"stop\"", "two\nlines\r\nand more",
                                 "Северные ворота «А»" })
                .at(module);
        };
        const QByteArray csv = LogDataExporter::csv(rows, nameOf);
        QProcess reader;
        reader.start(
            python,
            { "-c",
              "import csv, io, json, sys\n"
              "f = io.TextIOWrapper(sys.stdin.buffer, encoding='utf-8', newline='')\n"
              "json.dump(['|'.join(r) for r in csv.reader(f, strict=True)], sys.stdout)\n" });
        reader.write(csv);
        reader.closeWriteChannel();
        QVERIFY(reader.waitForFinished(10000));
        QCOMPARE(QJsonDocument::fromJson(reader.readAllStandardOutput()).array().toVariantList(),
                 QVariantList({
                     "start|end|duration_s|in_progress|module|module_name|signal_type|"
                     "signal_name|peak_level|threshold_level|level_unit|frequency_mhz",
                     "2026-12-05T10:02:11+03:00|2026-12-05T10:03:31+03:00|80|false|0|"
                     "North, gate|1|GSM 900|-55|-80|dBm|945.2",
                     "2026-12-05T10:02:12+03:00|2026-12-05T10:02:12+03:00|0|true|1|"
                     "He said \"stop\"|11|Traffic 5|50|32|%|",
                     "2026-12-05T10:02:13+03:00|2026-12-05T11:02:13+03:00|3600|false|2|"
                     "two\nlines\r\nand more|5|3G-900|-50|-75|dBm|2412.35",
                     "2026-12-05T10:02:14+03:00|2026-12-05T10:02:14+03:00|0|false|3|"
                     "Северные ворота «А»|3|DECT|-70|-90|dBm|1800",
                 }));
        // RFC 4180 line ends, UTF-8 without a byte-order mark.
        QVERIFY(csv.startsWith("start,"));
        QCOMPARE(csv.count("\r\n"), 5 + 1); // one inside a quoted name
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

QTEST_GUILESS_MAIN(TestLogFile)
#include "tst_logfile.moc"
