// CSV of log rows, read back by Python's csv module, awkward names included.
// JSON Lines are read back in tst_logwindow.

#include "eventlog/LogDataExporter.h"
#include "Fixtures.h"
#include "TestSettings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using F = Fixtures;

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
};

QTEST_GUILESS_MAIN(TestLogDataExporter)
#include "tst_logdataexporter.moc"
