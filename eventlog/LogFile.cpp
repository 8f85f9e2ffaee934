#include "eventlog/LogFile.h"

#include "eventlog/LocalTimeCache.h"

#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

qint64 readTime(QStringView text, LocalTimeCache &times)
{
    qint64 t = 0;
    return times.parse(text, t) ? t : LogFile::UnreadableTime;
}

int readInt(const QXmlStreamAttributes &item, QLatin1String name)
{
    bool ok = false;
    const int value = item.value(name).toInt(&ok);
    return ok ? value : 0;
}

qint16 readShort(const QXmlStreamAttributes &item, QLatin1String name)
{
    bool ok = false;
    const short value = item.value(name).toShort(&ok);
    return ok ? value : 0;
}

EVENT readItem(const QXmlStreamAttributes &item, LocalTimeCache &times)
{
    EVENT e;
    e.tStartTime = readTime(item.value(QLatin1String("StartTime")), times);
    e.tEndTime = readTime(item.value(QLatin1String("EndTime")), times);
    e.nPeakLevel = readShort(item, QLatin1String("PeakLevel"));
    e.nThresholdLevel = readShort(item, QLatin1String("TresholdLevel"));
    e.dFreqMHz = item.value(QLatin1String("Frequency")).toDouble();
    e.bInProgress = readInt(item, QLatin1String("Now")) != 0;
    e.nType = readInt(item, QLatin1String("SignalType"));
    e.nModule = quint8(readInt(item, QLatin1String("Module")) & 0xFF);
    return e;
}

} // namespace

QByteArray LogFile::toXml(const QList<EVENT> &events)
{
    QByteArray out;
    QXmlStreamWriter writer(&out);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(1);
    writer.writeStartElement(QStringLiteral("Log"));
    LocalTimeCache localTime;
    for (const EVENT &e : events) {
        writer.writeEmptyElement(QStringLiteral("Item"));
        writer.writeAttribute(QStringLiteral("StartTime"), localTime.text(e.tStartTime));
        writer.writeAttribute(QStringLiteral("EndTime"), localTime.text(e.tEndTime));
        writer.writeAttribute(QStringLiteral("PeakLevel"), QString::number(e.nPeakLevel));
        writer.writeAttribute(QStringLiteral("Now"),
                              e.bInProgress ? QStringLiteral("1") : QStringLiteral("0"));
        writer.writeAttribute(QStringLiteral("SignalType"), QString::number(e.nType));
        writer.writeAttribute(QStringLiteral("Frequency"),
                              QString::number(e.dFreqMHz, 'g', QLocale::FloatingPointShortest));
        writer.writeAttribute(QStringLiteral("Module"), QString::number(e.nModule));
        writer.writeAttribute(QStringLiteral("TresholdLevel"), QString::number(e.nThresholdLevel));
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    // Without a declaration the writer still starts with a line break.
    if (out.startsWith('\n'))
        out.remove(0, 1);
    if (!out.endsWith('\n'))
        out.append('\n');
    return out;
}

bool LogFile::fromXml(const QByteArray &content, QList<EVENT> &out, QString *error)
{
    // Streamed rather than built as a document: a full store is 255,000
    // items. The result is what a document's first child would give.
    QXmlStreamReader reader(content);
    reader.setNamespaceProcessing(false);
    QList<EVENT> events;
    LocalTimeCache times;
    bool rootIsFirst = false; // the first node of the document is an element
    bool seenFirst = false;
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartDocument:
            seenFirst = !reader.documentVersion().isEmpty(); // a declaration
            break;
        case QXmlStreamReader::StartElement:
            if (depth == 0 && !seenFirst)
                rootIsFirst = true;
            seenFirst = true;
            if (depth == 1 && rootIsFirst)
                events.append(readItem(reader.attributes(), times));
            ++depth;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::Characters:
            if (reader.isWhitespace())
                break;
            Q_FALLTHROUGH();
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
        case QXmlStreamReader::EntityReference:
            // Any other child node of the root is an item without attributes.
            if (depth == 1 && rootIsFirst)
                events.append(readItem(QXmlStreamAttributes(), times));
            if (depth == 0)
                seenFirst = true;
            break;
        default: // the document type is no child node
            break;
        }
    }
    // An empty log and a broken file must not look alike: a cut file would
    // otherwise show as a log without events.
    if (reader.hasError() || depth != 0) {
        if (error) {
            *error = QStringLiteral("%1 (line %2, column %3)")
                         .arg(reader.errorString())
                         .arg(reader.lineNumber())
                         .arg(reader.columnNumber());
        }
        return false;
    }
    out = rootIsFirst ? std::move(events) : QList<EVENT>();
    return true;
}

bool LogFile::writeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool LogFile::save(const QString &path, const QList<EVENT> &events, QString *error)
{
    return writeFile(path, toXml(events), error);
}

bool LogFile::load(const QString &path, QList<EVENT> &events, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return fromXml(content, events, error);
}
