#pragma once
// Event log files: the XML document a log window saves from the store and
// loads to show instead of it, and the all-or-nothing file write both the log
// file and the HTML export use.

#include "eventlog/Event.h"
#include "settings/XmlItemReader.h"

#include <QByteArray>
#include <QList>
#include <QString>

class LogFile
{
public:
    // Root "Log" with one "Item" per event, indented by one blank, UTF-8.
    static QByteArray toXml(const QList<EVENT> &events);
    // Items of the document's first child, one per child node of it; a
    // document that begins otherwise (declaration, comment) gives none. False
    // for content that is no well-formed XML (a cut or damaged file) or
    // beyond the reader's bounds (MaxEvents among them), with error (if
    // given) saying where. A frequency that is no finite number reads as 0.
    static bool fromXml(const QByteArray &content, QList<EVENT> &events, QString *error = nullptr);

    // Replaces the file only once everything is written; on failure the old
    // file stays and error (if given) says why.
    static bool writeFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);
    static bool save(const QString &path, const QList<EVENT> &events, QString *error = nullptr);
    // Streams the file; progress (if given) may cancel, which leaves error empty.
    static bool load(const QString &path, QList<EVENT> &events, QString *error = nullptr,
                     const XmlItemReader::Progress &progress = {});

    // Time of a file that does not read.
    static constexpr qint64 UnreadableTime = 4294967295LL;
    // Events read from a file at most: a full network at about 3,900 per module.
    static constexpr qint64 MaxEvents = 1000000;

private:
    static bool read(QIODevice &device, QList<EVENT> &events, QString *error,
                     const XmlItemReader::Progress &progress);
};
