#pragma once
// The HTML page of a log window's table: every row as shown, in the local
// 8-bit encoding with CR LF line breaks.

#include <QByteArray>
#include <QString>
#include <QStringList>

class QAbstractItemModel;

class LogHtmlExporter
{
public:
    // Title and the seven headings as the window translates them.
    static QByteArray page(const QAbstractItemModel &table, const QString &title,
                           const QStringList &headings);
    static QString escaped(const QString &text);
};
