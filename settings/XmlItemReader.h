#pragma once
// Reads the station's item files (bypass and log files) as a document's first
// child would give them, without building the document: streamed, and within
// bounds no file of these formats comes near, so that a hostile file is
// refused before it costs much time or memory.

#include <QCoreApplication>
#include <QString>
#include <QXmlStreamAttributes>

#include <functional>

class QIODevice;

class XmlItemReader
{
    Q_DECLARE_TR_FUNCTIONS(XmlItemReader)

public:
    struct Limits
    {
        // Bytes read at most; -1 for any size.
        qint64 maxFileBytes = -1;
        // Items handed over at most; the file is refused beyond.
        qint64 maxItems = -1;
        // Element nesting; the formats have two levels.
        int maxDepth = 16;
        // Attributes of one element; the formats have at most eight.
        int maxAttributes = 32;
        // Bytes of one piece of markup or text (a tag with its attributes, a
        // comment); a written item is about 200.
        qint64 maxTokenBytes = 64 * 1024;
    };

    enum class Status { Ok, CannotRead, NotXml, TooLarge, OutOfBounds, Cancelled };

    struct Result
    {
        Status status = Status::Ok;
        QString detail; // the system's, the parser's or the bounds' words
    };

    // One child node of the root, in document order: an element with its
    // attributes, any other node without.
    using Item = std::function<void(const QXmlStreamAttributes &)>;
    // Bytes read so far and the device's size (0 when unknown); false cancels.
    using Progress = std::function<bool(qint64 done, qint64 total)>;

    // Items of the document's first child; a document that begins otherwise
    // (declaration, comment) gives none. Not Ok for content that is no
    // well-formed XML or out of bounds; the items handed over before then
    // are the caller's to drop.
    static Result read(QIODevice &device, const Limits &limits, const Item &item,
                       const Progress &progress = {});
};
