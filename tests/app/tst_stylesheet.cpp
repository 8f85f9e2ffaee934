// The dark style sheet and the images and icons it and the actions rely on.

#include "TestSettings.h"
#include "app/StyleSheet.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

namespace {

QStringList g_messages;

void collect(QtMsgType, const QMessageLogContext &, const QString &message)
{
    g_messages.append(message);
}

} // namespace

class TestStyleSheet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }

    void namesEveryImage()
    {
        const QString sheet = applicationStyleSheet();
        QStringList used;
        QRegularExpression url(QStringLiteral("url\\((:[^)]+)\\)"));
        for (auto it = url.globalMatch(sheet); it.hasNext();)
            used.append(it.next().captured(1));
        used.removeDuplicates();
        used.sort();
        QStringList expected{
            QStringLiteral(":/images/combo-down-arrow.png"), QStringLiteral(":/images/spin-up-arrow.png"),
            QStringLiteral(":/images/spin-down-arrow.png"), QStringLiteral(":/images/check-on.png"),
            QStringLiteral(":/images/check-off.png"), QStringLiteral(":/images/radio-on.png"),
            QStringLiteral(":/images/radio-off.png"),
        };
        expected.sort();
        QCOMPARE(used, expected);
    }

    void imagesLoad_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("side");
        QTest::newRow("combo") << ":/images/combo-down-arrow.png" << 12;
        QTest::newRow("spin up") << ":/images/spin-up-arrow.png" << 10;
        QTest::newRow("spin down") << ":/images/spin-down-arrow.png" << 10;
        QTest::newRow("check on") << ":/images/check-on.png" << 16;
        QTest::newRow("check off") << ":/images/check-off.png" << 16;
        QTest::newRow("radio on") << ":/images/radio-on.png" << 16;
        QTest::newRow("radio off") << ":/images/radio-off.png" << 16;
        QTest::newRow("event log") << ":/eventlog.gif" << 32;
        QTest::newRow("rename") << ":/Rename.ico" << 32;
        QTest::newRow("settings") << ":/settings.ico" << 32;
        QTest::newRow("application") << ":/FALCONMaster.ico" << 48;
    }
    void imagesLoad()
    {
        QFETCH(QString, path);
        QFETCH(int, side);
        QImageReader reader(path);
        // Icons hold several sizes; take the largest.
        QImage best;
        do {
            const QImage img = reader.read();
            QVERIFY2(!img.isNull(), qPrintable(path + QLatin1String(": ") + reader.errorString()));
            if (img.width() > best.width())
                best = img;
        } while (reader.jumpToNextImage());
        QCOMPARE(best.size(), QSize(side, side));
        // Drawn on a transparent ground, with something visible on it.
        const QImage argb = best.convertToFormat(QImage::Format_ARGB32);
        int opaque = 0;
        for (int y = 0; y < argb.height(); ++y)
            for (int x = 0; x < argb.width(); ++x)
                opaque += qAlpha(argb.pixel(x, y)) > 128;
        QVERIFY(opaque > 4);
        QVERIFY(opaque < side * side);
        QVERIFY(!QIcon(path).isNull());
    }

    void appliesCleanly()
    {
        QtMessageHandler previous = qInstallMessageHandler(collect);
        qApp->setStyleSheet(applicationStyleSheet());
        QWidget w;
        w.resize(60, 60);
        QLineEdit edit(&w);
        edit.setGeometry(10, 10, 40, 30);
        const QImage img = w.grab().toImage();
        qInstallMessageHandler(previous);
        QVERIFY2(g_messages.isEmpty(), qPrintable(g_messages.join(QLatin1Char('\n'))));
        QCOMPARE(img.pixelColor(5, 55), QColor(76, 76, 88));
        QCOMPARE(img.pixelColor(30, 25), QColor(56, 56, 68));
        qApp->setStyleSheet(QString());
    }
};

QTEST_MAIN(TestStyleSheet)
#include "tst_stylesheet.moc"
