#pragma once
// The rows of a log window for other tools: CSV (RFC 4180, UTF-8, header row,
// CR LF) and JSON Lines (one object per row), times in ISO 8601 with the
// local offset, levels in dBm or, for the traffic types, in percent.

#include "eventlog/Event.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class LogDataExporter
{
public:
    // The module's name as the operator gave it, or its number.
    using ModuleNames = std::function<QString(quint8 module)>;

    static QByteArray csv(const QList<EVENT> &rows, const ModuleNames &names);
    static QByteArray jsonLines(const QList<EVENT> &rows, const ModuleNames &names);

    // One CSV field, quoted when it holds a comma, quote or line break.
    static QString csvField(const QString &text);
    // "2026-12-05T09:02:11+02:00": local time with its offset from UTC.
    static QString isoTime(qint64 secsSinceEpoch);
};
