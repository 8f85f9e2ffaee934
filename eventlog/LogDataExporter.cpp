#include "eventlog/LogDataExporter.h"

#include "net/CSignalTypeStr.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QTimeZone>

namespace {

// What one row says, in the units an outside tool expects.
struct Row
{
    QString start, end;
    qint64 durationS;
    bool inProgress;
    int module;
    QString moduleName;
    int type;
    QString signalName;
    int peak, threshold;
    QString unit;
    double freq;
};

Row rowOf(const EVENT &e, const LogDataExporter::ModuleNames &names)
{
    // Traffic types carry percent as level + 102.
    const bool traffic = CSignalTypeStr::isTraffic(e.nType);
    const int offset = traffic ? 102 : 0;
    return Row{ LogDataExporter::isoTime(e.tStartTime),
                LogDataExporter::isoTime(e.tEndTime),
                qAbs(e.tEndTime - e.tStartTime),
                e.bInProgress,
                int(e.nModule),
                names(e.nModule),
                int(e.nType),
                CSignalTypeStr::name(e.nType),
                int(e.nPeakLevel) + offset,
                int(e.nThresholdLevel) + offset,
                traffic ? QStringLiteral("%") : QStringLiteral("dBm"),
                e.dFreqMHz };
}

} // namespace

QString LogDataExporter::isoTime(qint64 secsSinceEpoch)
{
    const QDateTime local = QDateTime::fromSecsSinceEpoch(secsSinceEpoch);
    return QDateTime::fromSecsSinceEpoch(secsSinceEpoch, QTimeZone(local.offsetFromUtc()))
        .toString(Qt::ISODate);
}

QString LogDataExporter::csvField(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n')
        && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return u'"' + quoted + u'"';
}

QByteArray LogDataExporter::csv(const QList<EVENT> &rows, const ModuleNames &names)
{
    QString out = QStringLiteral(
        "start,end,duration_s,in_progress,module,module_name,signal_type,signal_name,"
        "peak_level,threshold_level,level_unit,frequency_mhz\r\n");
    for (const EVENT &e : rows) {
        const Row r = rowOf(e, names);
        const QStringList fields = {
            r.start,
            r.end,
            QString::number(r.durationS),
            r.inProgress ? QStringLiteral("true") : QStringLiteral("false"),
            QString::number(r.module),
            csvField(r.moduleName),
            QString::number(r.type),
            csvField(r.signalName),
            QString::number(r.peak),
            QString::number(r.threshold),
            r.unit,
            r.freq > 0 ? QString::number(r.freq, 'g', 12) : QString(),
        };
        out += fields.join(u',');
        out += QLatin1String("\r\n");
    }
    return out.toUtf8();
}

QByteArray LogDataExporter::jsonLines(const QList<EVENT> &rows, const ModuleNames &names)
{
    QByteArray out;
    for (const EVENT &e : rows) {
        const Row r = rowOf(e, names);
        QJsonObject o;
        o.insert(QLatin1String("start"), r.start);
        o.insert(QLatin1String("end"), r.end);
        o.insert(QLatin1String("duration_s"), r.durationS);
        o.insert(QLatin1String("in_progress"), r.inProgress);
        o.insert(QLatin1String("module"), r.module);
        o.insert(QLatin1String("module_name"), r.moduleName);
        o.insert(QLatin1String("signal_type"), r.type);
        o.insert(QLatin1String("signal_name"), r.signalName);
        o.insert(QLatin1String("peak_level"), r.peak);
        o.insert(QLatin1String("threshold_level"), r.threshold);
        o.insert(QLatin1String("level_unit"), r.unit);
        o.insert(QLatin1String("frequency_mhz"), r.freq > 0 ? QJsonValue(r.freq) : QJsonValue());
        out += QJsonDocument(o).toJson(QJsonDocument::Compact);
        out += '\n';
    }
    return out;
}
