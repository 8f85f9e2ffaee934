// The images the dark style sheet and the actions rely on are in the resources.

#include "TestSettings.h"
#include "app/StyleSheet.h"

#include <QImageReader>
#include <QRegularExpression>
#include <QTest>

class TestStyleSheet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }

    void imagesLoad()
    {
        QStringList paths{ ":/eventlog.gif", ":/Rename.ico", ":/settings.ico", ":/FALCONMaster.ico" };
        const QRegularExpression url(QStringLiteral("url\\((:[^)]+)\\)"));
        for (auto it = url.globalMatch(applicationStyleSheet()); it.hasNext();)
            paths.append(it.next().captured(1));
        QVERIFY(paths.size() > 4);
        for (const QString &path : paths) {
            QImageReader reader(path);
            QVERIFY2(!reader.read().isNull(), qPrintable(path + QLatin1String(": ") + reader.errorString()));
        }
    }
};

QTEST_MAIN(TestStyleSheet)
#include "tst_stylesheet.moc"
