// The Russian translation: every tr() text of the sources is in the .ts, has a
// translation there, and the built kestrel_ru.qm carries it.

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

const QString kSourceDir = QStringLiteral(HARRIER_SOURCE_DIR);

struct Message
{
    QString context;
    QString source;
    QString comment;
    QString translation;
    QString type; // "unfinished", "vanished", "obsolete" or empty
    bool numerus = false;

    QString key() const { return context + QLatin1String(" / ") + source + comment; }
    QString shown() const
    {
        QString text = QStringLiteral("(%1, \"%2\")").arg(context, source);
        return text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    }
};

// The messages of a .ts file, or an empty list and a failure.
QList<Message> readTs(const QString &path)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("cannot open %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            message = Message();
            message.context = context;
            message.numerus =
                xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
        } else if (name == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (name == QLatin1String("comment")) {
            message.comment = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            // Plural forms are child elements; their text is only checked for presence.
            message.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (message.numerus)
                message.translation = message.translation.trimmed();
            messages.append(message);
        }
    }
    if (xml.hasError())
        qWarning("%s: %s", qPrintable(path), qPrintable(xml.errorString()));
    return xml.hasError() ? QList<Message>() : messages;
}

bool isCurrent(const Message &m)
{
    return m.type != QLatin1String("vanished") && m.type != QLatin1String("obsolete");
}

QList<Message> committed()
{
    return readTs(kSourceDir + QStringLiteral("/resources/translations/kestrel_ru.ts"));
}

} // namespace

class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    // lupdate scans the sources as scripts/update-translation.sh does; a text
    // it finds that the .ts lacks was added or changed without refreshing it.
    void everySourceTextIsInTheTs()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString scanned = dir.filePath(QStringLiteral("scanned.ts"));
        QProcess update;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TS_FILE"), scanned);
        env.insert(QStringLiteral("LUPDATE"), QStringLiteral(HARRIER_LUPDATE));
        update.setProcessEnvironment(env);
        update.start(QStringLiteral("bash"),
                     { kSourceDir + QStringLiteral("/scripts/update-translation.sh") });
        QVERIFY(update.waitForFinished(60000));
        QVERIFY2(update.exitStatus() == QProcess::NormalExit && update.exitCode() == 0,
                 update.readAllStandardError().constData());

        const QList<Message> inSources = readTs(scanned);
        QVERIFY(inSources.size() > 100);
        QSet<QString> inTs;
        for (const Message &m : committed())
            if (isCurrent(m))
                inTs.insert(m.key());
        QStringList missing;
        for (const Message &m : inSources)
            if (!inTs.contains(m.key()))
                missing << m.shown();
        QVERIFY2(
            missing.isEmpty(),
            qPrintable(QStringLiteral("not in kestrel_ru.ts (run scripts/update-translation.sh):\n")
                       + missing.join(QLatin1Char('\n'))));
    }

    void everyTextIsTranslated()
    {
        const QList<Message> messages = committed();
        QVERIFY(!messages.isEmpty());
        QStringList untranslated;
        for (const Message &m : messages)
            if (isCurrent(m) && (m.translation.isEmpty() || m.type == QLatin1String("unfinished")))
                untranslated << m.shown();
        QVERIFY2(
            untranslated.isEmpty(),
            qPrintable(QStringLiteral("untranslated:\n") + untranslated.join(QLatin1Char('\n'))));
    }

    // The program's resources carry the translation compiled from the .ts.
    void builtTranslationCarriesTheTs()
    {
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/kestrel_ru.qm")));
        QStringList differing;
        for (const Message &m : committed()) {
            if (!isCurrent(m) || m.numerus || m.translation.isEmpty())
                continue;
            const QString shown =
                translator.translate(qPrintable(m.context), qPrintable(m.source),
                                     m.comment.isEmpty() ? nullptr : qPrintable(m.comment));
            if (shown != m.translation)
                differing << m.shown() + QStringLiteral(": ") + shown;
        }
        QVERIFY2(differing.isEmpty(), qPrintable(differing.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestTranslation)
#include "tst_translation.moc"
