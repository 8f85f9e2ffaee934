// The Russian translation: lupdate scans the sources as
// scripts/update-translation.sh does into a copy of kestrel_ru.ts; a text it
// finds that the .ts lacks, or that has no translation there, is a fault.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

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
        QFile file(scanned);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString context, source;
        QStringList untranslated;
        int messages = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                const QString type = xml.attributes().value("type").toString();
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                ++messages;
                if (type == "unfinished" || (type.isEmpty() && text.trimmed().isEmpty()))
                    untranslated << context + ", \"" + source.replace('\n', "\\n") + '"';
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(messages > 100);
        QVERIFY2(untranslated.isEmpty(),
                 qPrintable("not translated in kestrel_ru.ts (run scripts/update-translation.sh):\n"
                            + untranslated.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestTranslation)
#include "tst_translation.moc"
