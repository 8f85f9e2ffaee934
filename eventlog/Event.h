#pragma once
// One detection event: a continuous detection of one signal type on one
// channel of one module, as the event log keeps it and the log windows show it.

#include <QMetaType>
#include <QtGlobal>

struct EVENT
{
    qint64 tStartTime = 0;      // seconds since 1970-01-01 00:00 UTC
    qint64 tEndTime = 0;        // same unit; equals tStartTime when opened
    qint16 nPeakLevel = 0;      // highest level seen, dBm
    qint16 nThresholdLevel = 0; // highest threshold seen, dBm
    double dFreqMHz = 0.0;      // latest frequency; 0 means none
    qint32 nType = 0;           // signal type, see CSignalTypeStr
    bool bInProgress = false;   // open (still being extended)
    quint8 nModule = 0;         // module number
};

Q_DECLARE_METATYPE(EVENT)
