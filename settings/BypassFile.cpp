#include "settings/BypassFile.h"

#include "settings/XmlItemReader.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>
#include <QXmlStreamWriter>

namespace {

// A frequency the upload can carry: 1 .. 65535; anything else is 0.
quint16 frequency(const QXmlStreamAttributes &item, QLatin1String name)
{
    bool ok = false;
    const int value = item.value(name).toInt(&ok);
    return ok && value > 0 && value <= 0xFFFF ? quint16(value) : 0;
}

BypassFile::Content failed(BypassFile::Status status, const QString &detail)
{
    BypassFile::Content c;
    c.status = status;
    c.detail = detail;
    return c;
}

} // namespace

QByteArray BypassFile::toXml(const QList<Row> &rows)
{
    QByteArray bytes;
    QXmlStreamWriter w(&bytes);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(1);
    w.writeStartElement(QStringLiteral("Bypass"));
    for (const Row &row : rows) {
        w.writeEmptyElement(QStringLiteral("Item"));
        w.writeAttribute(QStringLiteral("BeginFreq"), row.begin);
        w.writeAttribute(QStringLiteral("EndFreq"), row.end);
    }
    w.writeEndElement();
    // Auto-formatting opens with a line break when there is no declaration.
    if (bytes.startsWith('\n'))
        bytes.remove(0, 1);
    bytes.append('\n');
    return bytes;
}

bool BypassFile::save(const QString &path, const QList<Row> &rows, QString *error)
{
    const QByteArray bytes = toXml(rows);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

BypassFile::Content BypassFile::fromXml(const QByteArray &content)
{
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer);
}

BypassFile::Content BypassFile::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Content c;
        c.status = Status::CannotOpen;
        c.detail = file.errorString();
        return c;
    }
    return read(file);
}

BypassFile::Content BypassFile::read(QIODevice &device)
{
    // A full list is about 10 KB; the file is refused before it is parsed
    // whole, and entries past the last one uploaded are only checked for
    // being XML.
    XmlItemReader::Limits limits;
    limits.maxFileBytes = MaxFileBytes;
    Content c;
    int seen = 0;
    const XmlItemReader::Result result =
        XmlItemReader::read(device, limits, [&](const QXmlStreamAttributes &item) {
            if (++seen > MaxEntries || c.badEntry >= 0)
                return;
            const quint16 begin = frequency(item, QLatin1String("BeginFreq"));
            const quint16 end = frequency(item, QLatin1String("EndFreq"));
            if (begin == 0 || end == 0) {
                c.badEntry = seen - 1;
                return;
            }
            c.begins.append(begin);
            c.ends.append(end);
        });
    switch (result.status) {
    case XmlItemReader::Status::Ok:
        break;
    case XmlItemReader::Status::CannotRead:
    case XmlItemReader::Status::Cancelled:
        return failed(Status::CannotOpen, result.detail);
    case XmlItemReader::Status::TooLarge:
        return failed(Status::TooLarge, result.detail);
    case XmlItemReader::Status::NotXml:
        // A blank file holds no entries rather than being broken.
        if (device.seek(0) && device.read(MaxFileBytes).trimmed().isEmpty())
            return failed(Status::Empty, QString());
        return failed(Status::NotXml, result.detail);
    case XmlItemReader::Status::OutOfBounds:
        return failed(Status::NotXml, result.detail);
    }
    if (c.badEntry >= 0) {
        Content bad = failed(Status::BadEntry, QString());
        bad.badEntry = c.badEntry;
        return bad;
    }
    if (seen == 0)
        return failed(Status::Empty, QString());
    return c;
}
