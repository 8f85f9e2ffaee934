#include "tools/modsim/Scenario.h"

#include "net/CSignalTypeStr.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace {

bool parseType(const QJsonValue &v, int &type)
{
    if (v.isDouble()) {
        type = v.toInt(-1);
        return type >= 0 && type <= CSignalTypeStr::LastType;
    }
    const QString name = v.toString();
    for (int t = 0; t <= CSignalTypeStr::LastType; ++t)
        if (name.compare(QLatin1String(CSignalTypeStr::sourceName(t)), Qt::CaseInsensitive) == 0
            && name != QLatin1String("Unknown")) {
            type = t;
            return true;
        }
    return false;
}

bool levelOf(const QJsonValue &v, int &level)
{
    if (!v.isDouble())
        return false;
    level = int(std::lround(v.toDouble()));
    return level >= -102 && level <= 153;
}

} // namespace

bool Scenario::parseModules(const QString &text, QList<int> &modules)
{
    modules.clear();
    if (text.trimmed() == QLatin1String("all")) {
        for (int m = 1; m <= 255; ++m)
            modules.append(m);
        return true;
    }
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList ends = part.trimmed().split(QLatin1Char('-'));
        bool ok1 = false, ok2 = true;
        const int from = ends.value(0).toInt(&ok1);
        const int to = ends.size() == 2 ? ends.value(1).toInt(&ok2) : from;
        if (ends.size() > 2 || !ok1 || !ok2 || from < 1 || to > 255 || from > to)
            return false;
        for (int m = from; m <= to; ++m)
            if (!modules.contains(m))
                modules.append(m);
    }
    return !modules.isEmpty();
}

bool Scenario::load(const QByteArray &json, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (!doc.isObject())
        return fail(parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                 : QStringLiteral("not an object"));
    const QJsonObject root = doc.object();
    m_name = root.value(QLatin1String("name")).toString();
    m_length = root.value(QLatin1String("length")).toDouble(60);
    m_loop = root.value(QLatin1String("loop")).toBool(true);
    if (!(m_length > 0))
        return fail(QStringLiteral("\"length\" must be positive"));
    if (!parseModules(root.value(QLatin1String("modules")).toString(QStringLiteral("all")),
                      m_modules))
        return fail(QStringLiteral("bad \"modules\""));

    m_events.clear();
    const QJsonArray events = root.value(QLatin1String("events")).toArray();
    for (int i = 0; i < events.size(); ++i) {
        const QJsonObject o = events.at(i).toObject();
        const QString where = QStringLiteral("event %1: ").arg(i + 1);
        Event e;
        e.at = o.value(QLatin1String("at")).toDouble(-1);
        if (e.at < 0)
            return fail(where + QStringLiteral("\"at\" missing or negative"));
        const QString mods = o.value(QLatin1String("modules")).toString(QStringLiteral("all"));
        if (mods != QLatin1String("all") && !parseModules(mods, e.modules))
            return fail(where + QStringLiteral("bad \"modules\""));
        if (o.contains(QLatin1String("bands"))) {
            e.hasBands = true;
            for (const QJsonValue &b : o.value(QLatin1String("bands")).toArray()) {
                SimModule::Signal s;
                if (!parseType(b.toObject().value(QLatin1String("band")), s.type)
                    || !levelOf(b.toObject().value(QLatin1String("level")), s.level))
                    return fail(where + QStringLiteral("bad band"));
                e.bands.append(s);
            }
        }
        if (o.contains(QLatin1String("jammer"))) {
            e.hasJammer = true;
            const QJsonValue j = o.value(QLatin1String("jammer"));
            if (j.isObject()) {
                const QJsonObject jo = j.toObject();
                for (const QString &key : jo.keys()) {
                    SimModule::Signal s;
                    s.type = key == QLatin1String("gsm") ? int(CSignalTypeStr::JammerGsm)
                        : key == QLatin1String("gps")    ? int(CSignalTypeStr::JammerGps)
                                                         : -1;
                    if (s.type < 0 || !levelOf(jo.value(key), s.level))
                        return fail(where + QStringLiteral("bad jammer"));
                    e.jammers.append(s);
                }
            } else if (j.toString() != QLatin1String("off")) {
                return fail(where + QStringLiteral("\"jammer\" is levels or \"off\""));
            }
        }
        if (o.contains(QLatin1String("scan"))) {
            e.hasScan = true;
            for (const QJsonValue &h : o.value(QLatin1String("scan")).toArray()) {
                SimModule::Signal s;
                s.type = CSignalTypeStr::Scan;
                s.freqMHz = h.toObject().value(QLatin1String("freq")).toDouble(0);
                if (!(s.freqMHz > 0)
                    || !levelOf(h.toObject().value(QLatin1String("level")), s.level))
                    return fail(where + QStringLiteral("bad scan hit"));
                e.scan.append(s);
            }
        }
        if (o.contains(QLatin1String("silent"))) {
            e.hasSilent = true;
            e.silent = o.value(QLatin1String("silent")).toBool();
        }
        e.disconnect = o.value(QLatin1String("disconnect")).toDouble(0);
        if (o.contains(QLatin1String("link"))) {
            e.hasLink = true;
            e.link = qint8(qBound(-128, o.value(QLatin1String("link")).toInt(), 127));
        }
        m_events.append(e);
    }
    std::stable_sort(m_events.begin(), m_events.end(),
                     [](const Event &a, const Event &b) { return a.at < b.at; });
    return true;
}

Scenario::State Scenario::stateAt(int module, double seconds) const
{
    const double t = m_loop ? std::fmod(seconds, m_length) : seconds;
    State s;
    for (const Event &e : m_events) {
        if (e.at > t)
            break;
        if (!e.modules.isEmpty() && !e.modules.contains(module))
            continue;
        if (e.hasBands)
            s.bands = e.bands;
        if (e.hasJammer)
            s.jammers = e.jammers;
        if (e.hasScan)
            s.scan = e.scan;
        if (e.hasSilent)
            s.silent = e.silent;
        if (e.hasLink)
            s.linkLevel = e.link;
        if (e.disconnect > 0)
            s.offline = t < e.at + e.disconnect;
    }
    return s;
}
