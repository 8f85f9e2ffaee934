// The dark style sheet: every text pair readable, every token filled, the
// images it and the actions rely on in the resources, and a module window
// that fills its own background looking as if it did not.

#include "Fixtures.h"
#include "TestSettings.h"
#include "app/CQMdiArea.h"
#include "app/StationColours.h"
#include "app/StyleSheet.h"
#include "display/CModuleWindow.h"

#include <QApplication>
#include <QImageReader>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QTest>

class TestStyleSheet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }

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

    void imagesLoad()
    {
        QStringList paths{ ":/eventlog.gif", ":/Rename.ico", ":/settings.ico",
                           ":/FALCONMaster.ico" };
        const QRegularExpression url(QStringLiteral("url\\((:[^)]+)\\)"));
        for (auto it = url.globalMatch(applicationStyleSheet()); it.hasNext();)
            paths.append(it.next().captured(1));
        QVERIFY(paths.size() > 4);
        for (const QString &path : paths) {
            QImageReader reader(path);
            QVERIFY2(!reader.read().isNull(),
                     qPrintable(path + QLatin1String(": ") + reader.errorString()));
        }
    }

    // A module window in the MDI area fills its background itself, so that Qt
    // need not repaint what lies beneath; not a pixel may change for it.
    void opaqueModuleWindowLooksTheSame()
    {
        qApp->setStyleSheet(applicationStyleSheet());
        CQMdiArea area;
        area.resize(400, 300);
        area.show();
        auto *w = new CModuleWindow(4, nullptr);
        QMdiSubWindow *sub = area.AddSubWindow(w);
        w->DisplayData(Fixtures::status(4, 0x20, 0x21, 0x20));
        QVERIFY(w->autoFillBackground());
        QTest::qWait(50);
        const QImage opaque = sub->grab().toImage();
        w->setAutoFillBackground(false);
        const QImage plain = sub->grab().toImage();
        qApp->setStyleSheet(QString());
        QCOMPARE(opaque, plain);
    }
};

QTEST_MAIN(TestStyleSheet)
#include "tst_stylesheet.moc"
