// Signal type names and their settings bytes.

#include "net/CSignalTypeStr.h"
#include "net/SettingsBlock.h"

#include <QTest>

class TestSignalCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void names()
    {
        QCOMPARE(QStringList({CSignalTypeStr::name(0), CSignalTypeStr::name(12), CSignalTypeStr::name(16),
                              CSignalTypeStr::name(18)}),
                 QStringList({"CDMA450", "4G-2600", "Jammer GSM", "SCAN"}));
        for (int gap : {-1, 13, 15, 19}) // types without a name of their own
            QCOMPARE(CSignalTypeStr::name(gap), QStringLiteral("Unknown"));
    }

    // Every type's threshold default is a threshold byte and every enable byte
    // lies in the enable range, so a slip in the lookup table shows up here.
    void bytesPointIntoTheirRanges()
    {
        using namespace SettingsBlock;
        for (int t = 0; t <= CSignalTypeStr::LastSettingsType; ++t) {
            QVERIFY(CSignalTypeStr::thresholdByte(t) >= G900Threshold && CSignalTypeStr::thresholdByte(t) <= ScanSquelch);
            QVERIFY(CSignalTypeStr::enableByte(t) >= G900Enable && CSignalTypeStr::enableByte(t) <= ScanEnable);
        }
        QCOMPARE(CSignalTypeStr::thresholdByte(CSignalTypeStr::G3Sms), CSignalTypeStr::thresholdByte(CSignalTypeStr::G3_900));
        QCOMPARE(CSignalTypeStr::enableByte(CSignalTypeStr::G3Sms), CSignalTypeStr::enableByte(CSignalTypeStr::G3_900));
    }
};

QTEST_GUILESS_MAIN(TestSignalCatalogue)
#include "tst_signalcatalogue.moc"
