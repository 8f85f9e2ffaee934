// Log files: the XML save/load format and the HTML export of a table.

#include "eventlog/EventTableModel.h"
#include "eventlog/LogFile.h"
#include "eventlog/LogHtmlExporter.h"
#include "settings/SettingsKeys.h"
#include "Fixtures.h"
#include "TestSettings.h"

#include <QSettings>
#include <QTest>

namespace {

using F = Fixtures;
const auto ev = Fixtures::event;

const qint64 kBase = 1796454131; // 05.12.2026 07:02:11 UTC

// Traffic and dBm types, a duration past 24 h, frequencies and none, a module
// above ten and an unknown type.
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

        // Local time with summer time reads back to the same instants.
        F::setZone("Europe/Berlin");
        const QList<EVENT> summer = {ev(1782900000, 1782900600, 1, -60, -80, 945.0, 1, false)};
        QCOMPARE(F::dump(LogFile::fromXml(LogFile::toXml(summer))), F::dump(summer));
    }

    // Items are the children of the document's first child: a declaration
    // there leaves none. Missing attributes read as 0, times as unreadable.
    void declarationAndMissingAttributes()
    {
        QVERIFY(LogFile::fromXml("<?xml version=\"1.0\"?><Log><Item/></Log>").isEmpty());
        QCOMPARE(F::dump(LogFile::fromXml("<Log><Item Module=\"3\" Now=\"1\"/></Log>")),
                 F::dump({ev(LogFile::UnreadableTime, LogFile::UnreadableTime, 0, 0, 0, 0.0, 3, true)}));
    }

    void htmlExport()
    {
        QSettings().setValue(SettingsKeys::moduleName(12), "<b>Gate & Yard</b>");
        EventTableModel model;
        model.sort(EventTableModel::DateTimeColumn, Qt::AscendingOrder);
        model.setEvents(sampleEvents());
        const QStringList headings = {"Date/Time", "Duration", "Module", "Signal Type",
                                      "Signal Level", "Exceeding", "Frequency (MHz)"};
        QCOMPARE(LogHtmlExporter::page(model, "KESTREL Event Log", headings),
                 F::readFile(HARRIER_TEST_DATA "/export_golden.htm"));
    }
};

QTEST_GUILESS_MAIN(TestLogFile)
#include "tst_logfile.moc"
