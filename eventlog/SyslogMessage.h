#pragma once
// An event opening or closing, or a module lost or back, as one RFC 5424
// syslog message for the site's collector, and the octet-counting frame
// (RFC 6587) that carries it over TCP and TLS.

#include "eventlog/Event.h"

#include <QByteArray>
#include <QString>

struct SyslogEntry
{
    enum Kind { EventStart, EventEnd, ModuleLost, ModuleBack };
    Kind kind = EventStart;
    EVENT event;     // nModule names the module for every kind
    qint64 time = 0; // seconds since 1970 UTC; events use their own start or end
};

class SyslogMessage
{
public:
    static constexpr int Facility = 16; // local0
    static constexpr char AppName[] = "harrier-tablet";
    // Structured data ID: a private name under the documentation enterprise number.
    static constexpr char SdId[] = "harrier@32473";

    struct Origin
    {
        QString hostname;
        qint64 procId = 0;
    };

    static const char *msgId(SyslogEntry::Kind kind);
    // Jammers rank above band detections; an opening above its closing.
    static int severity(const SyslogEntry &entry);
    // The moment the message speaks of.
    static qint64 timeOf(const SyslogEntry &entry);
    // `utcOffset`: seconds east of UTC at that moment, for the TIMESTAMP.
    static QByteArray format(const SyslogEntry &entry, const QString &moduleName,
                             const Origin &origin, int utcOffset);
    // An SD-PARAM value with '"', '\' and ']' escaped, UTF-8.
    static QByteArray escapeParam(const QString &value);
    // "LEN SP MSG".
    static QByteArray frame(const QByteArray &message);
};
