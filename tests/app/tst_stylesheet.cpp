// The dark style sheet and the images and icons it and the actions rely on.

#include "TestSettings.h"
#include "app/StyleSheet.h"

#include <QApplication>
#include <QIcon>
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

    // Every image the sheet names and every action icon is in the resources,
    // drawn on a transparent ground with something visible on it.
    void imagesLoad()
    {
        QStringList paths{ ":/eventlog.gif", ":/Rename.ico", ":/settings.ico", ":/FALCONMaster.ico" };
        const QRegularExpression url(QStringLiteral("url\\((:[^)]+)\\)"));
        for (auto it = url.globalMatch(applicationStyleSheet()); it.hasNext();)
            paths.append(it.next().captured(1));
        QVERIFY(paths.size() > 4);
        for (const QString &path : paths) {
            QImageReader reader(path);
            QImage best; // icons hold several sizes; take the largest
            do {
                const QImage img = reader.read();
                QVERIFY2(!img.isNull(), qPrintable(path + QLatin1String(": ") + reader.errorString()));
                if (img.width() > best.width())
                    best = img;
            } while (reader.jumpToNextImage());
            const QImage argb = best.convertToFormat(QImage::Format_ARGB32);
            int opaque = 0;
            for (int y = 0; y < argb.height(); ++y)
                for (int x = 0; x < argb.width(); ++x)
                    opaque += qAlpha(argb.pixel(x, y)) > 128;
            QVERIFY2(opaque > 4 && opaque < argb.width() * argb.height(), qPrintable(path));
            QVERIFY(!QIcon(path).isNull());
        }
    }

    // Qt only warns about a sheet it cannot parse.
    void appliesCleanly()
    {
        QtMessageHandler previous = qInstallMessageHandler(collect);
        qApp->setStyleSheet(applicationStyleSheet());
        QWidget w;
        QLineEdit edit(&w);
        w.grab();
        qInstallMessageHandler(previous);
        qApp->setStyleSheet(QString());
        QVERIFY2(g_messages.isEmpty(), qPrintable(g_messages.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestStyleSheet)
#include "tst_stylesheet.moc"
