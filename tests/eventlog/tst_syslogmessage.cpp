// Syslog lines as the collector receives them, written out by hand per kind,
// severity, offset and escaping (the octet-counting frame: tst_syslogcollector).

#include "eventlog/SyslogMessage.h"

#include <QTest>

Q_DECLARE_METATYPE(SyslogEntry)

namespace {

// Events run 1700000000 .. 1700000012 (2023-11-14 22:13:20 .. 32 UTC), peak
// -60 dBm over a threshold of -80 dBm; module changes at 1700000100.
SyslogEntry entry(SyslogEntry::Kind kind, int type, quint8 module, double freq = 0.0)
{
    const qint64 end = kind == SyslogEntry::EventStart ? 1700000000 : 1700000012;
    return { kind, { 1700000000, end, -60, -80, freq, type, false, module }, 1700000100 };
}

} // namespace

class TestSyslogMessage : public QObject
{
    Q_OBJECT

private slots:
    void lines_data()
    {
        QTest::addColumn<SyslogEntry>("entry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("band start, +03:00")
            << entry(SyslogEntry::EventStart, 1, 7, 935.2) << "North gate"
            << "station1" << 3 * 3600
            << QByteArray(
                   "<132>1 2023-11-15T01:13:20+03:00 station1 harrier-tablet 4242 EVENT_START "
                   "[harrier@32473 module=\"7\" moduleName=\"North gate\" type=\"GSM 900\" "
                   "typeId=\"1\" level=\"-60\" threshold=\"-80\" excess=\"20\" "
                   "freqMHz=\"935.200\"] GSM 900 detected by module 7 North gate: -60 dBm, 20 dB "
                   "over the threshold of -80 dBm, 935.200 MHz");
        QTest::newRow("band end, UTC")
            << entry(SyslogEntry::EventEnd, 3, 7) << "North gate"
            << "station1" << 0
            << QByteArray("<134>1 2023-11-14T22:13:32Z station1 harrier-tablet 4242 EVENT_END "
                          "[harrier@32473 module=\"7\" moduleName=\"North gate\" type=\"DECT\" "
                          "typeId=\"3\" level=\"-60\" threshold=\"-80\" excess=\"20\" "
                          "duration=\"12\"] DECT no longer detected by module 7 North gate after "
                          "12 s: -60 dBm, 20 dB over the threshold of -80 dBm");
        QTest::newRow("jammer start, escaped name")
            << entry(SyslogEntry::EventStart, 16, 12) << "a \"b\" \\c] d"
            << "st 1" << 0
            << QByteArray("<130>1 2023-11-14T22:13:20Z st1 harrier-tablet 4242 EVENT_START "
                          "[harrier@32473 module=\"12\" moduleName=\"a \\\"b\\\" \\\\c\\] d\" "
                          "type=\"Jammer GSM\" typeId=\"16\" level=\"-60\" threshold=\"-80\" "
                          "excess=\"20\"] Jammer GSM detected by module 12 a \"b\" \\c] d: -60 "
                          "dBm, 20 dB over the threshold of -80 dBm");
        QTest::newRow("jammer end")
            << entry(SyslogEntry::EventEnd, 17, 2, 1575.42) << "2"
            << "" << 0
            << QByteArray("<133>1 2023-11-14T22:13:32Z - harrier-tablet 4242 EVENT_END "
                          "[harrier@32473 module=\"2\" moduleName=\"2\" type=\"Jammer GPS\" "
                          "typeId=\"17\" level=\"-60\" threshold=\"-80\" excess=\"20\" "
                          "freqMHz=\"1575.420\" duration=\"12\"] Jammer GPS no longer detected by "
                          "module 2 2 after 12 s: -60 dBm, 20 dB over the threshold of -80 dBm, "
                          "1575.420 MHz");
        QTest::newRow("module lost, -05:00")
            << entry(SyslogEntry::ModuleLost, 0, 3) << "Северный"
            << "station1" << -5 * 3600
            << QByteArray("<131>1 2023-11-14T17:15:00-05:00 station1 harrier-tablet 4242 "
                          "MODULE_LOST [harrier@32473 module=\"3\" moduleName=\"Северный\"] "
                          "Module 3 Северный stopped reporting");
    }
    void lines()
    {
        QFETCH(SyslogEntry, entry);
        QFETCH(QString, name);
        QFETCH(QString, host);
        QFETCH(int, offset);
        QFETCH(QByteArray, line);
        QCOMPARE(SyslogMessage::format(entry, name, { host, 4242 }, offset), line);
    }
};

QTEST_GUILESS_MAIN(TestSyslogMessage)
#include "tst_syslogmessage.moc"
