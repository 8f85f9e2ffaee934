#include "eventlog/LogHtmlExporter.h"

#include <QAbstractItemModel>

QString LogHtmlExporter::escaped(const QString &text)
{
    // Cell texts include names typed by the operator.
    if (!text.contains(u'&') && !text.contains(u'<') && !text.contains(u'>'))
        return text;
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'&')
            out += QLatin1String("&amp;");
        else if (c == u'<')
            out += QLatin1String("&lt;");
        else if (c == u'>')
            out += QLatin1String("&gt;");
        else
            out += c;
    }
    return out;
}

QByteArray LogHtmlExporter::page(const QAbstractItemModel &table, const QString &title,
                                 const QStringList &headings)
{
    const int rows = table.rowCount();
    const int columns = int(headings.size());
    QString html;
    html.reserve(200 + qsizetype(rows) * 220);
    html += QLatin1String("<html>\r\n<head>\r\n<title>");
    html += escaped(title);
    html += QLatin1String("</title>\r\n</head>\r\n<font face=arial color=darkblue>\r\n<h3>");
    html += escaped(title);
    html += QLatin1String(
        "</h3>\r\n</font>\r\n<font face=arial color=black size=smaller>\r\n"
        "<table border=1 cellspacing=0 bordercolor=lightgreen><tr bgcolor=lightgreen>");
    for (const QString &heading : headings) {
        html += QLatin1String("<td align=middle>");
        html += escaped(heading);
        html += QLatin1String("</td>");
    }
    html += QLatin1String("</tr>\r\n");
    for (int row = 0; row < rows; ++row) {
        html += QLatin1String("<tr>");
        for (int column = 0; column < columns; ++column) {
            html += QLatin1String("<td align=middle>");
            html += escaped(table.index(row, column).data(Qt::DisplayRole).toString());
            html += QLatin1String("</td>");
        }
        html += QLatin1String("</tr>\r\n");
    }
    html += QLatin1String("</table></font>\r\n</html>");
    return html.toLocal8Bit();
}
