#pragma once
// A simulator scenario read from JSON: what each module hears and does over
// time. Events apply from their time on to the modules they name and stay in
// force until a later event changes them; a looping scenario starts over
// after its length.
//
// {
//   "name": "...", "length": 60, "loop": true, "modules": "1-6",
//   "events": [
//     { "at": 0,  "modules": "all", "bands": [ { "band": "GSM 900", "level": -90 } ] },
//     { "at": 10, "modules": "1-3", "jammer": { "gsm": -35 } },
//     { "at": 12, "modules": "2",   "scan": [ { "freq": 433.92, "level": -40 } ] },
//     { "at": 20, "modules": "4",   "silent": true },
//     { "at": 30, "modules": "5",   "disconnect": 5 },
//     { "at": 40, "modules": "6",   "link": 20 }
//   ]
// }
// "band" is a signal name ("GSM 900", "DECT", ...) or a type number; "jammer"
// takes "gsm" and "gps" levels or "off"; "scan" lists scanning-receiver hits.

#include "tools/modsim/SimModule.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVector>

class Scenario
{
public:
    // What one module does at one time.
    struct State
    {
        QVector<SimModule::Signal> bands;
        QVector<SimModule::Signal> jammers;
        QVector<SimModule::Signal> scan;
        bool silent = false;  // connected, sends nothing
        bool offline = false; // disconnected
        qint8 linkLevel = 31;
        QVector<SimModule::Signal> heard() const { return bands + jammers + scan; }
    };

    // Parses a module list: "all", "3", "1-40", "1,4,7-9" (modules 1 .. 255).
    static bool parseModules(const QString &text, QList<int> &modules);

    bool load(const QByteArray &json, QString *error);
    QString name() const { return m_name; }
    double length() const { return m_length; }
    bool loops() const { return m_loop; }
    // The modules the scenario is written for (all of 1 .. 255 when it names none).
    const QList<int> &modules() const { return m_modules; }
    // Whether a run that started `seconds` ago is over (never for a looping scenario).
    bool isOver(double seconds) const { return !m_loop && seconds >= m_length; }
    State stateAt(int module, double seconds) const;

private:
    struct Event
    {
        double at = 0;
        QList<int> modules; // empty: all
        bool hasBands = false, hasJammer = false, hasScan = false, hasSilent = false,
             hasLink = false;
        QVector<SimModule::Signal> bands, jammers, scan;
        bool silent = false;
        double disconnect = 0; // seconds offline from `at`
        qint8 link = 31;
    };

    QString m_name;
    double m_length = 60;
    bool m_loop = true;
    QList<int> m_modules;
    QVector<Event> m_events; // by time
};
