#pragma once
// What sets the two editions apart, held in one value that main chooses and
// the main window receives: the demonstration edition (synthetic feed, no log
// window, settings or localization offered, events in memory only) and the
// full working edition (real modules only, everything offered, a durable
// event journal).

#include <QString>

struct Edition
{
    QString applicationName;           // also names the settings store and data folder
    bool demoFeed = false;             // synthetic records for modules 1 to 6
    bool offersEventLog = false;       // "Event Log..."
    bool offersLocalization = false;   // "Localization"
    bool offersModuleSettings = false; // every module window's "Settings..."
    bool journal = false;              // events kept in the journal of the data folder
    bool syslog = false;               // events forwarded to the site's syslog collector

    static Edition demo();
    static Edition full();
    // The station's version, the same for both editions (the project's version).
    static QString version();
};
