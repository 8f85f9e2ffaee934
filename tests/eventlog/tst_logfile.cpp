// Log files: the XML save/load format and the HTML export of a table.

#include "eventlog/EventTableModel.h"
#include "eventlog/LogFile.h"
#include "eventlog/LogHtmlExporter.h"
#include "settings/SettingsKeys.h"
#include "Fixtures.h"
#include "TestSettings.h"

#include <QDateTime>
#include <QDomDocument>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

using F = Fixtures;
const auto ev = Fixtures::event;

const qint64 kBase = 1796454131; // 05.12.2026 07:02:11 UTC

QList<EVENT> sampleEvents()
{
    return {
        ev(kBase, kBase + 89, 1, -61, -80, 945.2, 3, false),
        ev(kBase + 5, kBase + 5, 11, -52, -70, 0.0, 3, true),
        ev(kBase + 30, kBase + 90030, 7, -45, -75, 2412.35, 12, false),
        ev(kBase - 86400 * 4, kBase - 86400 * 4 + 3661, 18, -105, -100, 433.92, 200, false),
        ev(kBase + 60, kBase + 75, -1, 0, 0, 2412.0, 0, false),
    };
}

// How a document model reads a file: every child node of the document's
// first child, taken as an element.
QList<EVENT> documentReading(const QByteArray &content)
{
    QList<EVENT> events;
    QDomDocument document;
    if (!document.setContent(content))
        return events;
    const auto time = [](const QDomElement &item, const QString &name) {
        const QDateTime t = QDateTime::fromString(item.attribute(name), "dd.MM.yyyy hh:mm:ss");
        return t.isValid() ? t.toSecsSinceEpoch() : LogFile::UnreadableTime;
    };
    for (QDomNode node = document.firstChild().firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement item = node.toElement();
        events.append(ev(time(item, "StartTime"), time(item, "EndTime"), item.attribute("SignalType").toInt(),
                         item.attribute("PeakLevel").toShort(), item.attribute("TresholdLevel").toShort(),
                         item.attribute("Frequency").toDouble(), quint8(item.attribute("Module").toInt() & 0xFF),
                         item.attribute("Now").toInt() != 0));
    }
    return events;
}

const QStringList kHeadings = {"Date/Time", "Duration", "Module", "Signal Type",
                               "Signal Level", "Exceeding", "Frequency (MHz)"};

} // namespace

class TestLogFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        F::setZone("UTC");
        TestSettings::isolate();
    }
    void cleanup() { F::setZone("UTC"); }

    void saveAndLoadAgainstGoldenFile()
    {
        const QByteArray golden = F::readFile(HARRIER_TEST_DATA "/log_golden.xml");
        QCOMPARE(LogFile::toXml(sampleEvents()), golden);
        QCOMPARE(F::dump(LogFile::fromXml(golden)), F::dump(sampleEvents()));
        QCOMPARE(LogFile::toXml({}), QByteArray("<Log/>\n"));

        // Local time with summer time reads back to the same instants.
        F::setZone("Europe/Berlin");
        const QList<EVENT> summer = {ev(1782900000, 1782900600, 1, -60, -80, 945.0, 1, false)};
        QCOMPARE(F::dump(LogFile::fromXml(LogFile::toXml(summer))), F::dump(summer));
    }

    void readsAsTheDocumentModelDoes_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("golden") << F::readFile(HARRIER_TEST_DATA "/log_golden.xml");
        QTest::newRow("declaration first") << QByteArray("<?xml version=\"1.0\"?>\n<Log><Item Module=\"2\"/></Log>");
        QTest::newRow("comment first") << QByteArray("<!-- by hand --><Log><Item Module=\"2\"/></Log>");
        QTest::newRow("instruction first") << QByteArray("<?style x?><Log><Item/></Log>");
        QTest::newRow("doctype first") << QByteArray("<!DOCTYPE Log><Log><Item Module=\"2\"/></Log>");
        QTest::newRow("no XML") << QByteArray("this is no XML");
        QTest::newRow("unclosed") << QByteArray("<Log><Item Module=\"2\"/>");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("other nodes in the root")
            << QByteArray("<Log><!-- c --><Item Module=\"4\"/>text<?pi x?><![CDATA[z]]>&amp;</Log>");
        QTest::newRow("nested") << QByteArray("<Log>\n <Item>\n  <Sub Module=\"9\"/>\n </Item>\n</Log>");
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF<Log><Entry Module=\"5\"/></Log>");
        QTest::newRow("prefixes") << QByteArray("<a:Log><b:Item Module=\"3\" c:Now=\"1\"/></a:Log>");
        QTest::newRow("missing and unreadable attributes")
            << QByteArray("<Log><Item/><Item StartTime=\"31.02.2026 10:00:00\" EndTime=\"yesterday\""
                          " PeakLevel=\"40000\" TresholdLevel=\"-x\" Now=\"7\" SignalType=\"12\""
                          " Frequency=\"2.4e3\" Module=\"300\"/>"
                          "<Item StartTime=\"5.12.2026 7:02:11\" EndTime=\"05.12.2026 24:00:00\"/></Log>");
    }

    void readsAsTheDocumentModelDoes()
    {
        QFETCH(QByteArray, content);
        QCOMPARE(F::dump(LogFile::fromXml(content)), F::dump(documentReading(content)));
    }

    // The reading above, spelled out for a missing attribute and a declaration.
    void missingAttributes()
    {
        QCOMPARE(F::dump(LogFile::fromXml("<Log><Item Module=\"3\" Now=\"1\"/></Log>")),
                 F::dump({ev(4294967295LL, 4294967295LL, 0, 0, 0, 0.0, 3, true)}));
        QVERIFY(LogFile::fromXml("<?xml version=\"1.0\"?><Log><Item/></Log>").isEmpty());
    }

    void timesAroundClockChanges()
    {
        F::setZone("Europe/Berlin");
        LogFile::TimeReader reader;
        for (const QDate day : {QDate(2026, 3, 29), QDate(2026, 10, 25)}) {
            for (int s = 0; s < 4 * 3600; ++s) {
                const QString text = day.toString("dd.MM.yyyy ") + QTime(0, 0).addSecs(s).toString("hh:mm:ss");
                const QDateTime expected = QDateTime::fromString(text, "dd.MM.yyyy hh:mm:ss");
                QCOMPARE(reader.read(text), expected.isValid() ? expected.toSecsSinceEpoch() : LogFile::UnreadableTime);
            }
        }
    }

    void failedWrites()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString error;
        QVERIFY(!LogFile::save(dir.filePath("missing/log.xml"), sampleEvents(), &error));
        QVERIFY(!error.isEmpty());
        QList<EVENT> events;
        QVERIFY(!LogFile::load(dir.filePath("absent.xml"), events, &error));

        const QString path = dir.filePath("log.xml");
        QVERIFY(LogFile::writeFile(path, QByteArray(5000, 'x')));
        QVERIFY(LogFile::save(path, {}, &error));
        QCOMPARE(F::readFile(path), QByteArray("<Log/>\n"));
    }

    void htmlExport()
    {
        QSettings().setValue(SettingsKeys::moduleName(12), "<b>Gate & Yard</b>");
        EventTableModel model;
        model.sort(EventTableModel::DateTimeColumn, Qt::AscendingOrder);
        model.setEvents(sampleEvents());
        const QByteArray page = LogHtmlExporter::page(model, "KESTREL Event Log", kHeadings);
        QCOMPARE(page, F::readFile(HARRIER_TEST_DATA "/export_golden.htm"));
        QVERIFY(!page.contains("<b>")); // the operator's text opens no tags

        // No rows: still the heading row.
        model.setEvents({});
        QCOMPARE(LogHtmlExporter::page(model, "KESTREL Event Log", kHeadings),
                 page.left(page.indexOf("</tr>\r\n") + 7) + "</table></font>\r\n</html>");
    }
};

QTEST_GUILESS_MAIN(TestLogFile)
#include "tst_logfile.moc"
