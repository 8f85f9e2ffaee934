// The dark style sheet: the images it and the actions rely on are in the
// resources, and under it a module window's texts keep off the panel's edge.

#include "Fixtures.h"
#include "TestSettings.h"
#include "app/CQMdiArea.h"
#include "app/StationColours.h"
#include "app/StyleSheet.h"
#include "display/CModuleWindow.h"

#include <QApplication>
#include <QImageReader>
#include <QLabel>
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

    void moduleTextsKeepOffThePanelEdge()
    {
        qApp->setStyleSheet(applicationStyleSheet());
        CModuleWindow w(3, nullptr);
        w.show();
        CHILD(QWidget, panel, &w, "m_pModuleWidget");
        CHILD(QLabel, status, &w, "m_pLabel1");
        CHILD(QLabel, mode, &w, "m_pModeLabel");
        QCOMPARE(status->mapTo(panel, QPoint(0, 0)), QPoint(9, status->y()));
        QCOMPARE(mode->mapTo(panel, QPoint(0, 0)), QPoint(9, 9));
        qApp->setStyleSheet(QString());
    }
};

QTEST_MAIN(TestStyleSheet)
#include "tst_stylesheet.moc"
