// The dark style sheet: every text pair readable, every token filled.

#include "TestSettings.h"
#include "app/StationColours.h"
#include "app/StyleSheet.h"

#include <QRegularExpression>
#include <QTest>

class TestStyleSheet : public QObject
{
    Q_OBJECT

private slots:

    // Reference values of the WCAG formula, then every pair the operator reads.
    void contrastOfEveryTextPair()
    {
        using StationColours::contrast;
        QCOMPARE(qRound(contrast({ 0, 0, 0 }, { 255, 255, 255 }) * 100), 2100);
        QCOMPARE(qRound(contrast({ 76, 76, 88 }, { 76, 76, 88 }) * 100), 100);
        QCOMPARE(qRound(contrast({ 255, 255, 255 }, { 118, 118, 118 }) * 100), 454);
        QStringList poor;
        for (const StationColours::Pair &pair : StationColours::textPairs()) {
            const double ratio = contrast(pair.text, pair.background);
            if (ratio < 4.5)
                poor << QStringLiteral("%1 %2").arg(pair.name).arg(ratio, 0, 'f', 2);
        }
        QVERIFY2(poor.isEmpty(), qPrintable(poor.join(", ")));
        // Every colour token of the sheet is filled in.
        QVERIFY(!applicationStyleSheet().contains(QRegularExpression("\\{[A-Za-z]+\\}")));
    }
};

QTEST_MAIN(TestStyleSheet)
#include "tst_stylesheet.moc"
