// CSV and JSON Lines of log rows, read back as other tools read them: the CSV
// by Python's csv module (awkward names included), each JSON line on its own.

#include "eventlog/LogDataExporter.h"
#include "Fixtures.h"
#include "TestSettings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

using F = Fixtures;

const QString kNames[] = {
    QStringLiteral("North, gate"),
    QStringLiteral("He said \"stop\""),
    QStringLiteral("two\nlines\r\nand more"),
    QStringLiteral("Северные ворота «А»"),
    QStringLiteral("plain"),
};

QString nameOf(quint8 module)
{
    return kNames[module % 5];
}

QList<EVENT> rows()
{
    return {
        F::event(F::Dec2026, F::Dec2026 + 80, 1, -55, -80, 945.2, 0, false),
        F::event(F::Dec2026 + 1, F::Dec2026 + 1, 11, -52, -70, 0, 1, true),
        F::event(F::Dec2026 + 2, F::Dec2026 + 3602, 5, -50, -75, 2412.35, 2, false),
        F::event(F::Dec2026 + 3, F::Dec2026 + 3, 3, -70, -90, 1800, 3, false),
        F::event(F::Dec2026 + 4, F::Dec2026 + 5, 2, -70, -90, 0, 254, false),
    };
}

} // namespace

class TestLogDataExporter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestSettings::isolate();
        F::setZone("Europe/Moscow"); // +03:00 all year
    }

    void csvReadsBackWithPythonsCsvModule()
    {
        const QString python = QStandardPaths::findExecutable("python3");
        if (python.isEmpty())
            QSKIP("python3 is not installed");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("log.csv");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(LogDataExporter::csv(rows(), nameOf));
        }
        QProcess reader;
        reader.start(python,
                     { "-c",
                       "import csv, json, sys\n"
                       "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                       "    json.dump(list(csv.reader(f, strict=True)), sys.stdout)\n",
                       path });
        QVERIFY(reader.waitForFinished(10000));
        QCOMPARE(reader.readAllStandardError(), QByteArray());
        const QJsonArray table = QJsonDocument::fromJson(reader.readAllStandardOutput()).array();
        QCOMPARE(table.size(), 1 + 5);
        QStringList got;
        for (const QJsonValue &row : table) {
            QStringList cells;
            for (const QJsonValue &cell : row.toArray())
                cells << cell.toString();
            got << cells.join(u'|');
        }
        QCOMPARE(got,
                 QStringList({
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
                     "2026-12-05T10:02:15+03:00|2026-12-05T10:02:16+03:00|1|false|254|"
                     "plain|2|GSM 1800|-70|-90|dBm|",
                 }));
        // RFC 4180 line ends, UTF-8 without a byte-order mark.
        const QByteArray bytes = F::readFile(path);
        QVERIFY(bytes.startsWith("start,"));
        QCOMPARE(bytes.count("\r\n"), 6 + 1); // one inside a quoted name
    }

    void jsonLinesHoldOneObjectPerRow()
    {
        const QList<QByteArray> lines = LogDataExporter::jsonLines(rows(), nameOf).split('\n');
        QCOMPARE(lines.size(), 5 + 1);
        QVERIFY(lines.last().isEmpty());
        QJsonParseError error;
        const QJsonObject second = QJsonDocument::fromJson(lines[1], &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(second.value("module_name").toString(), kNames[1]);
        QCOMPARE(second.value("in_progress").toBool(), true);
        QCOMPARE(second.value("peak_level").toInt(), 50);
        QCOMPARE(second.value("level_unit").toString(), QString("%"));
        QVERIFY(second.value("frequency_mhz").isNull());
        const QJsonObject third = QJsonDocument::fromJson(lines[2]).object();
        QCOMPARE(third.value("module_name").toString(), kNames[2]);
        QCOMPARE(third.value("frequency_mhz").toDouble(), 2412.35);
        QCOMPARE(third.value("start").toString(), QString("2026-12-05T10:02:13+03:00"));
        QCOMPARE(QJsonDocument::fromJson(lines[3]).object().value("module_name").toString(),
                 kNames[3]);
    }
};

QTEST_GUILESS_MAIN(TestLogDataExporter)
#include "tst_logdataexporter.moc"
