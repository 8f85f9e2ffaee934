#pragma once
// Process-wide values shared between the module link, the windows and the dialogs.
// All of them live on the GUI thread; the settings mutex guards the module
// records against the settings dialog's and the log window's broadcast writes.

#include "net/Data.h"

#include <QMutex>
#include <QtGlobal>

struct DebugStatEntry
{
    quint8 active = 0;
    qint32 nCyc = 0;
    qint8 nRSSI = 0;
    qint32 cntDis = 0;
    qint32 cntTim = 0;
};

class StationGlobals
{
public:
    static constexpr int DebugEntries = 32;

    // Suppression quality in percent, the last value any measurement packet carried.
    static inline int suppressionQuality = 0;

    // Debug statistics per module number 0 .. 31; frozen while debugPause is 1.
    static inline DebugStatEntry debugStats[DebugEntries] = {};
    static inline int debugPause = 0;

    // Number of module windows whose last record was correct; sensitivity scale.
    static inline int correctModules = 0;
    static inline int sensitivityScale = 20;

    // Whether an external searching receiver is attached; nothing attaches one.
    static inline bool externalReceiverAttached = false;
    static inline int externalReceiverFreq = 0;
    static inline int externalReceiverType = -1;

    // Guards the module records during broadcasts.
    static QMutex &settingsMutex();

    // Counts one record of a known module in the debug statistics (modules 0 .. 31,
    // unless paused).
    static void countDebugRecord(const DATA &record);

    // Back to the start-up state (used at start-up and by tests).
    static void reset();
};
