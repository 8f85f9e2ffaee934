#include "settings/BypassFile.h"

#include <QDomDocument>
#include <QFile>
#include <QSaveFile>
#include <QXmlStreamWriter>

namespace {

// A frequency the upload can carry: 1 .. 65535; anything else is 0.
quint16 frequency(const QDomElement &item, const QString &name)
{
    bool ok = false;
    const int value = item.attribute(name).toInt(&ok);
    return ok && value > 0 && value <= 0xFFFF ? quint16(value) : 0;
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
    Content c;
    if (content.trimmed().isEmpty()) {
        c.status = Status::Empty;
        return c;
    }
    QDomDocument doc;
    QString message;
    int line = 0;
    if (!doc.setContent(content, &message, &line)) {
        c.status = Status::NotXml;
        c.detail = QStringLiteral("%1 (%2)").arg(message).arg(line);
        return c;
    }
    const QDomNodeList items = doc.firstChild().childNodes();
    const int n = qMin(items.size(), MaxEntries);
    if (n == 0) {
        c.status = Status::Empty;
        return c;
    }
    for (int i = 0; i < n; ++i) {
        const QDomElement item = items.at(i).toElement();
        const quint16 begin = frequency(item, QStringLiteral("BeginFreq"));
        const quint16 end = frequency(item, QStringLiteral("EndFreq"));
        if (begin == 0 || end == 0) {
            c = Content();
            c.status = Status::BadEntry;
            c.badEntry = i;
            return c;
        }
        c.begins.append(begin);
        c.ends.append(end);
    }
    return c;
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
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        Content c;
        c.status = Status::CannotOpen;
        c.detail = file.errorString();
        return c;
    }
    return fromXml(bytes);
}
