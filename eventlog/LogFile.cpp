#include "eventlog/LogFile.h"

#include "eventlog/LocalTimeCache.h"

#include <QBuffer>
#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cmath>

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

// "inf" and "nan" read as numbers but are no frequency.
double readFrequency(const QXmlStreamAttributes &item)
{
    const double value = item.value(QLatin1String("Frequency")).toDouble();
    return std::isfinite(value) ? value : 0.0;
}

EVENT readItem(const QXmlStreamAttributes &item, LocalTimeCache &times)
{
    EVENT e;
    e.tStartTime = readTime(item.value(QLatin1String("StartTime")), times);
    e.tEndTime = readTime(item.value(QLatin1String("EndTime")), times);
    e.nPeakLevel = readShort(item, QLatin1String("PeakLevel"));
    e.nThresholdLevel = readShort(item, QLatin1String("TresholdLevel"));
    e.dFreqMHz = readFrequency(item);
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
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer, out, error, {});
}

bool LogFile::read(QIODevice &device, QList<EVENT> &out, QString *error,
                   const XmlItemReader::Progress &progress)
{
    // Streamed rather than built as a document: a full store is 255,000
    // items. The result is what a document's first child would give.
    XmlItemReader::Limits limits;
    limits.maxItems = MaxEvents;
    QList<EVENT> events;
    LocalTimeCache times;
    const XmlItemReader::Result result = XmlItemReader::read(
        device, limits,
        [&](const QXmlStreamAttributes &item) { events.append(readItem(item, times)); }, progress);
    if (result.status != XmlItemReader::Status::Ok) {
        if (error)
            *error = result.detail;
        return false;
    }
    out = std::move(events);
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

bool LogFile::load(const QString &path, QList<EVENT> &events, QString *error,
                   const XmlItemReader::Progress &progress)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return read(file, events, error, progress);
}
