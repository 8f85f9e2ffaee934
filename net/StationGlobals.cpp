#include "net/StationGlobals.h"

#include "net/Acknowledgements.h"

QMutex &StationGlobals::settingsMutex()
{
    static QMutex mutex;
    return mutex;
}

void StationGlobals::reset()
{
    suppressionQuality = 0;
    for (DebugStatEntry &e : debugStats)
        e = DebugStatEntry();
    debugPause = 0;
    Acknowledgements::reset();
    correctModules = 0;
    sensitivityScale = 20;
    externalReceiverAttached = false;
    externalReceiverFreq = 0;
    externalReceiverType = -1;
}

void StationGlobals::countDebugRecord(const DATA &record)
{
    if (record.nID >= DebugEntries || debugPause)
        return;
    DebugStatEntry &e = debugStats[record.nID];
    e.active = 1;
    ++e.nCyc;
    e.nRSSI = record.nRSSI;
    e.cntDis = record.channel[0].cntDis;
    e.cntTim = record.channel[0].cntTim;
}
