#include "settings/XmlItemReader.h"

#include <QIODevice>
#include <QXmlStreamReader>

namespace {

// Hands the parser the file piece by piece and stops handing it on once a
// bound is passed: the parser then meets the end of its data and stops, so a
// piece of markup never grows past one bound and one read.
class BoundedSource : public QIODevice
{
public:
    BoundedSource(QIODevice &in, const XmlItemReader::Limits &limits,
                  const XmlItemReader::Progress &progress)
        : m_in(in)
        , m_limits(limits)
        , m_progress(progress)
        , m_total(in.isSequential() ? 0 : in.size())
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }
    // The parser has finished a token: what it holds unparsed starts here.
    void tokenDone() { m_atToken = m_read; }
    const XmlItemReader::Result &refusal() const { return m_refusal; }
    bool refused() const { return m_refusal.status != XmlItemReader::Status::Ok; }

    void refuse(XmlItemReader::Status status, const QString &detail)
    {
        if (!refused())
            m_refusal = { status, detail };
    }

protected:
    qint64 readData(char *data, qint64 max) override
    {
        if (refused())
            return 0;
        if (m_read - m_atToken > m_limits.maxTokenBytes) {
            refuse(XmlItemReader::Status::OutOfBounds,
                   XmlItemReader::tr("A part of the file is longer than %1 bytes.")
                       .arg(m_limits.maxTokenBytes));
            return 0;
        }
        // In pieces well below a token's bound, so that a token passing it is
        // seen soon after.
        max = qMin(max, m_limits.maxTokenBytes / 4 + 1);
        if (m_limits.maxFileBytes >= 0)
            max = qMin(max, m_limits.maxFileBytes + 1 - m_read);
        const qint64 n = m_in.read(data, max);
        if (n < 0) {
            refuse(XmlItemReader::Status::CannotRead, m_in.errorString());
            return 0;
        }
        m_read += n;
        if (m_limits.maxFileBytes >= 0 && m_read > m_limits.maxFileBytes) {
            refuse(XmlItemReader::Status::TooLarge,
                   XmlItemReader::tr("The file is larger than %1 KiB.")
                       .arg(m_limits.maxFileBytes / 1024));
            return 0;
        }
        if (m_progress && !m_progress(m_read, m_total)) {
            refuse(XmlItemReader::Status::Cancelled, QString());
            return 0;
        }
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QIODevice &m_in;
    const XmlItemReader::Limits &m_limits;
    const XmlItemReader::Progress &m_progress;
    const qint64 m_total;
    qint64 m_read = 0;
    qint64 m_atToken = 0;
    XmlItemReader::Result m_refusal;
};

} // namespace

XmlItemReader::Result XmlItemReader::read(QIODevice &device, const Limits &limits, const Item &item,
                                          const Progress &progress)
{
    BoundedSource source(device, limits, progress);
    QXmlStreamReader reader(&source);
    reader.setNamespaceProcessing(false);
    qint64 items = 0;
    const auto take = [&](const QXmlStreamAttributes &attributes) {
        if (limits.maxItems >= 0 && ++items > limits.maxItems) {
            source.refuse(Status::OutOfBounds,
                          tr("The file holds more than %1 items.").arg(limits.maxItems));
            return;
        }
        item(attributes);
    };
    bool rootIsFirst = false; // the first node of the document is an element
    bool seenFirst = false;
    int depth = 0;
    while (!reader.atEnd() && !source.refused()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token != QXmlStreamReader::Invalid)
            source.tokenDone();
        switch (token) {
        case QXmlStreamReader::StartDocument:
            seenFirst = !reader.documentVersion().isEmpty(); // a declaration
            break;
        case QXmlStreamReader::StartElement:
            if (depth == 0 && !seenFirst)
                rootIsFirst = true;
            seenFirst = true;
            if (++depth > limits.maxDepth) {
                source.refuse(Status::OutOfBounds,
                              tr("The file is nested deeper than %1 levels.").arg(limits.maxDepth));
            } else if (reader.attributes().size() > limits.maxAttributes) {
                source.refuse(
                    Status::OutOfBounds,
                    tr("An element has more than %1 attributes.").arg(limits.maxAttributes));
            } else if (depth == 2 && rootIsFirst) {
                take(reader.attributes());
            }
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
                take(QXmlStreamAttributes());
            if (depth == 0)
                seenFirst = true;
            break;
        default: // the document type is no child node
            break;
        }
    }
    if (source.refused())
        return source.refusal();
    // An empty file and a broken one must not look alike: a cut file would
    // otherwise read as one without items.
    if (reader.hasError() || depth != 0) {
        return { Status::NotXml,
                 QStringLiteral("%1 (line %2, column %3)")
                     .arg(reader.errorString())
                     .arg(reader.lineNumber())
                     .arg(reader.columnNumber()) };
    }
    return {};
}
