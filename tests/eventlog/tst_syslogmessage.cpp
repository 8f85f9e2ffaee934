// Syslog messages as the collector receives them: whole lines written out by
// hand per kind, severity, offset and escaping, and the octet-counting frame.

#include "eventlog/SyslogMessage.h"

#include <QTest>

class TestSyslogMessage : public QObject
{
    Q_OBJECT

private slots:
    void lines_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("module");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("freq");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("line");
        // Events run 1700000000 .. 1700000012 (2023-11-14 22:13:20 .. 32 UTC),
        // peak -60 dBm over a threshold of -80 dBm; module changes at 1700000100.
        QTest::newRow("band start, +03:00")
            << int(SyslogEntry::EventStart) << 1 << 7 << "North gate" << 935.2 << "station1"
            << 3 * 3600
            << QByteArray(
                   "<132>1 2023-11-15T01:13:20+03:00 station1 harrier-tablet 4242 EVENT_START "
                   "[harrier@32473 module=\"7\" moduleName=\"North gate\" type=\"GSM 900\" "
                   "typeId=\"1\" level=\"-60\" threshold=\"-80\" excess=\"20\" "
                   "freqMHz=\"935.200\"] GSM 900 detected by module 7 North gate: -60 dBm, 20 dB "
                   "over the threshold of -80 dBm, 935.200 MHz");
        QTest::newRow("jammer start, escaped name")
            << int(SyslogEntry::EventStart) << 16 << 12 << "a \"b\" \\c] d" << 0.0 << "st 1" << 0
            << QByteArray("<130>1 2023-11-14T22:13:20Z st1 harrier-tablet 4242 EVENT_START "
                          "[harrier@32473 module=\"12\" moduleName=\"a \\\"b\\\" \\\\c\\] d\" "
                          "type=\"Jammer GSM\" typeId=\"16\" level=\"-60\" threshold=\"-80\" "
                          "excess=\"20\"] Jammer GSM detected by module 12 a \"b\" \\c] d: -60 "
                          "dBm, 20 dB over the threshold of -80 dBm");
        QTest::newRow("jammer end")
            << int(SyslogEntry::EventEnd) << 17 << 2 << "2" << 1575.42 << "" << 0
            << QByteArray("<133>1 2023-11-14T22:13:32Z - harrier-tablet 4242 EVENT_END "
                          "[harrier@32473 module=\"2\" moduleName=\"2\" type=\"Jammer GPS\" "
                          "typeId=\"17\" level=\"-60\" threshold=\"-80\" excess=\"20\" "
                          "freqMHz=\"1575.420\" duration=\"12\"] Jammer GPS no longer detected by "
                          "module 2 2 after 12 s: -60 dBm, 20 dB over the threshold of -80 dBm, "
                          "1575.420 MHz");
        QTest::newRow("module lost, -05:00")
            << int(SyslogEntry::ModuleLost) << 0 << 3 << "Северный" << 0.0 << "station1"
            << -5 * 3600
            << QByteArray("<131>1 2023-11-14T17:15:00-05:00 station1 harrier-tablet 4242 "
                          "MODULE_LOST [harrier@32473 module=\"3\" moduleName=\"Северный\"] "
                          "Module 3 Северный stopped reporting");
    }
    void lines()
    {
        QFETCH(int, kind);
        QFETCH(int, type);
        QFETCH(int, module);
        QFETCH(QString, name);
        QFETCH(double, freq);
        QFETCH(QString, host);
        QFETCH(int, offset);
        QFETCH(QByteArray, line);
        SyslogEntry entry;
        entry.kind = SyslogEntry::Kind(kind);
        entry.event.tStartTime = 1700000000;
        entry.event.tEndTime = kind == SyslogEntry::EventStart ? 1700000000 : 1700000012;
        entry.event.nPeakLevel = -60;
        entry.event.nThresholdLevel = -80;
        entry.event.dFreqMHz = freq;
        entry.event.nType = type;
        entry.event.nModule = quint8(module);
        entry.time = 1700000100;
        QCOMPARE(SyslogMessage::format(entry, name, { host, 4242 }, offset), line);
    }

    void frame()
    {
        // The length counts octets, not characters.
        QCOMPARE(SyslogMessage::frame("<134>1 x"), QByteArray("8 <134>1 x"));
        QCOMPARE(SyslogMessage::frame("é"), QByteArray("2 é"));
    }
};

QTEST_GUILESS_MAIN(TestSyslogMessage)
#include "tst_syslogmessage.moc"
