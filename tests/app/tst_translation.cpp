// The Russian translation: lupdate scans the sources as scripts/update-translation.sh does into a
// copy of kestrel_ru.ts; a text the .ts lacks, or leaves untranslated, is a fault.

#include "Fixtures.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void everySourceTextIsTranslated()
    {
        const QString sources = QStringLiteral(HARRIER_SOURCE_DIR);
        QTemporaryDir dir;
        const QString scanned = dir.filePath("scanned.ts");
        QVERIFY(QFile::copy(sources + "/resources/translations/kestrel_ru.ts", scanned));
        QProcess update;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TS_FILE", scanned);
        env.insert("LUPDATE", HARRIER_LUPDATE);
        update.setProcessEnvironment(env);
        update.start("bash", { sources + "/scripts/update-translation.sh" });
        QVERIFY(update.waitForFinished(60000));
        QVERIFY2(update.exitStatus() == QProcess::NormalExit && update.exitCode() == 0,
                 update.readAllStandardError().constData());

        // lupdate keeps the translations it finds and marks a new text unfinished.
        const QString ts = QString::fromUtf8(Fixtures::readFile(scanned));
        QVERIFY(ts.count("<message") > 100);
        const QRegularExpression unfinished(
            "<source>([^<]*)</source>((?!</message>).)*<translation type=\"unfinished\"",
            QRegularExpression::DotMatchesEverythingOption
                | QRegularExpression::InvertedGreedinessOption);
        QStringList untranslated;
        for (auto it = unfinished.globalMatch(ts); it.hasNext();)
            untranslated << it.next().captured(1);
        QVERIFY2(untranslated.isEmpty(),
                 qPrintable("not translated in kestrel_ru.ts (run scripts/update-translation.sh):\n"
                            + untranslated.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestTranslation)
#include "tst_translation.moc"
