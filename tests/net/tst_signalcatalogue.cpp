#include "net/CSignalTypeStr.h"
#include "net/SettingsBlock.h"

#include <QTest>

class TestSignalCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void names_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("name");
        QTest::newRow("0") << 0 << "CDMA450";
        QTest::newRow("6") << 6 << "3G SMS";
        QTest::newRow("12") << 12 << "4G-2600";
        QTest::newRow("13") << 13 << "Unknown";
        QTest::newRow("15") << 15 << "Unknown";
        QTest::newRow("16") << 16 << "Jammer GSM";
        QTest::newRow("18") << 18 << "SCAN";
        QTest::newRow("19") << 19 << "Unknown";
        QTest::newRow("-1") << -1 << "Unknown";
    }
    void names()
    {
        QFETCH(int, type);
        QFETCH(QString, name);
        QCOMPARE(CSignalTypeStr::name(type), name);
    }

    // Every type's threshold default is a threshold byte and every enable byte
    // lies in the enable range, so a slip in the lookup table shows up here.
    void bytesPointIntoTheirRanges()
    {
        using namespace SettingsBlock;
        for (int t = 0; t <= CSignalTypeStr::LastSettingsType; ++t) {
            QVERIFY(CSignalTypeStr::thresholdByte(t) >= G900Threshold);
            QVERIFY(CSignalTypeStr::thresholdByte(t) <= ScanSquelch);
            QVERIFY(CSignalTypeStr::enableByte(t) >= G900Enable);
            QVERIFY(CSignalTypeStr::enableByte(t) <= ScanEnable);
        }
        QCOMPARE(CSignalTypeStr::thresholdByte(CSignalTypeStr::G3Sms),
                 CSignalTypeStr::thresholdByte(CSignalTypeStr::G3_900));
        QCOMPARE(CSignalTypeStr::enableByte(CSignalTypeStr::G3Sms),
                 CSignalTypeStr::enableByte(CSignalTypeStr::G3_900));
        QCOMPARE(CSignalTypeStr::thresholdByte(CSignalTypeStr::Dect), 14);
        QCOMPARE(CSignalTypeStr::enableByte(CSignalTypeStr::Dect), 32);
        QCOMPARE(CSignalTypeStr::thresholdByte(CSignalTypeStr::Cdma450), 10);
        QCOMPARE(CSignalTypeStr::enableByte(CSignalTypeStr::Cdma450), 28);
        QCOMPARE(CSignalTypeStr::thresholdByte(15), 15);
        QCOMPARE(CSignalTypeStr::enableByte(15), 33);
    }
};

QTEST_GUILESS_MAIN(TestSignalCatalogue)
#include "tst_signalcatalogue.moc"
