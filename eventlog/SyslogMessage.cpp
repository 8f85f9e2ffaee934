#include "eventlog/SyslogMessage.h"

#include "net/CSignalTypeStr.h"

#include <QDateTime>

namespace {

bool isJammer(int type)
{
    return type == CSignalTypeStr::JammerGsm || type == CSignalTypeStr::JammerGps;
}

// A header field: printable ASCII without blanks, at most `max` characters,
// "-" (the NILVALUE) when nothing is left.
QByteArray headerField(const QString &value, int max)
{
    QByteArray out;
    for (const QChar c : value) {
        if (out.size() == max)
            break;
        const ushort u = c.unicode();
        if (u > 32 && u < 127)
            out.append(char(u));
    }
    return out.isEmpty() ? QByteArrayLiteral("-") : out;
}

QByteArray param(const char *name, const QString &value)
{
    return QByteArray(" ") + name + "=\"" + SyslogMessage::escapeParam(value) + '"';
}

QByteArray param(const char *name, qint64 value)
{
    return QByteArray(" ") + name + "=\"" + QByteArray::number(value) + '"';
}

QString frequency(double mhz)
{
    return QString::number(mhz, 'f', 3);
}

} // namespace

const char *SyslogMessage::msgId(SyslogEntry::Kind kind)
{
    switch (kind) {
    case SyslogEntry::EventStart:
        return "EVENT_START";
    case SyslogEntry::EventEnd:
        return "EVENT_END";
    case SyslogEntry::ModuleLost:
        return "MODULE_LOST";
    case SyslogEntry::ModuleBack:
        return "MODULE_BACK";
    }
    return "-";
}

int SyslogMessage::severity(const SyslogEntry &entry)
{
    // 2 critical, 3 error, 4 warning, 5 notice, 6 informational.
    switch (entry.kind) {
    case SyslogEntry::EventStart:
        return isJammer(entry.event.nType) ? 2 : 4;
    case SyslogEntry::EventEnd:
        return isJammer(entry.event.nType) ? 5 : 6;
    case SyslogEntry::ModuleLost:
        return 3;
    case SyslogEntry::ModuleBack:
        return 5;
    }
    return 6;
}

qint64 SyslogMessage::timeOf(const SyslogEntry &entry)
{
    switch (entry.kind) {
    case SyslogEntry::EventStart:
        return entry.event.tStartTime;
    case SyslogEntry::EventEnd:
        return entry.event.tEndTime;
    default:
        return entry.time;
    }
}

QByteArray SyslogMessage::format(const SyslogEntry &entry, const QString &moduleName,
                                 const Origin &origin, int utcOffset)
{
    const EVENT &e = entry.event;
    const QDateTime at = QDateTime::fromSecsSinceEpoch(timeOf(entry), Qt::OffsetFromUTC, utcOffset);
    // Qt writes a zero offset as "Z", which RFC 5424 allows as well.
    QByteArray out = '<' + QByteArray::number(Facility * 8 + severity(entry)) + ">1 "
        + at.toString(Qt::ISODate).toLatin1() + ' ' + headerField(origin.hostname, 255) + ' '
        + AppName + ' ' + QByteArray::number(origin.procId) + ' ' + msgId(entry.kind) + " [" + SdId
        + param("module", e.nModule) + param("moduleName", moduleName);

    const QString module = QStringLiteral("%1 %2").arg(e.nModule).arg(moduleName);
    QString text;
    if (entry.kind == SyslogEntry::EventStart || entry.kind == SyslogEntry::EventEnd) {
        const QString type = QString::fromLatin1(CSignalTypeStr::sourceName(e.nType));
        const int excess = e.nPeakLevel - e.nThresholdLevel;
        out += param("type", type) + param("typeId", e.nType) + param("level", e.nPeakLevel)
            + param("threshold", e.nThresholdLevel) + param("excess", excess);
        if (e.dFreqMHz != 0.0)
            out += param("freqMHz", frequency(e.dFreqMHz));
        const qint64 duration = e.tEndTime - e.tStartTime;
        if (entry.kind == SyslogEntry::EventEnd)
            out += param("duration", duration);

        text = entry.kind == SyslogEntry::EventStart
            ? QStringLiteral("%1 detected by module %2").arg(type, module)
            : QStringLiteral("%1 no longer detected by module %2 after %3 s")
                  .arg(type, module)
                  .arg(duration);
        text += QStringLiteral(": %1 dBm, %2 dB over the threshold of %3 dBm")
                    .arg(e.nPeakLevel)
                    .arg(excess)
                    .arg(e.nThresholdLevel);
        if (e.dFreqMHz != 0.0)
            text += QStringLiteral(", %1 MHz").arg(frequency(e.dFreqMHz));
    } else if (entry.kind == SyslogEntry::ModuleLost) {
        text = QStringLiteral("Module %1 stopped reporting").arg(module);
    } else {
        text = QStringLiteral("Module %1 reporting again").arg(module);
    }
    return out + "] " + text.toUtf8();
}

QByteArray SyslogMessage::escapeParam(const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    QByteArray out;
    out.reserve(utf8.size() + 4);
    for (const char c : utf8) {
        if (c == '"' || c == '\\' || c == ']')
            out.append('\\');
        out.append(c);
    }
    return out;
}

QByteArray SyslogMessage::frame(const QByteArray &message)
{
    return QByteArray::number(message.size()) + ' ' + message;
}
