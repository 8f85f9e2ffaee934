#pragma once
// Bypass frequency files: the XML list of ranges the bypass dialog saves and
// the settings dialog uploads to modules.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

class QIODevice;

class BypassFile
{
public:
    // One row of the list as shown: the texts go into the file as they are.
    struct Row
    {
        QString begin;
        QString end;
    };

    // Why a file was not taken.
    enum class Status { Ok, CannotOpen, NotXml, Empty, BadEntry, TooLarge };

    struct Content
    {
        Status status = Status::Ok;
        QList<quint16> begins;
        QList<quint16> ends;
        int badEntry = -1; // 0-based index of the first rejected entry
        QString detail;    // the system's or the parser's words
    };

    // Entries read from a file at most: the upload count is one byte.
    static constexpr int MaxEntries = 255;
    // Bytes read at most; a full list is about 10 KB.
    static constexpr qint64 MaxFileBytes = 1024 * 1024;

    // Root "Bypass" with one "Item" per row, indented by one blank, UTF-8, no declaration.
    static QByteArray toXml(const QList<Row> &rows);
    // Replaces the file only once everything is written; error says why not.
    static bool save(const QString &path, const QList<Row> &rows, QString *error);

    // The document's first child is the root whatever its name, each child of
    // it one entry; at most MaxEntries are read. An entry whose "BeginFreq"
    // or "EndFreq" is missing, no number, 0 or beyond 16 bits rejects the file,
    // and so does content beyond MaxFileBytes or the reader's bounds.
    static Content fromXml(const QByteArray &content);
    static Content load(const QString &path);

private:
    static Content read(QIODevice &device);
};
