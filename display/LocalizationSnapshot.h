#pragma once
// What the debug window prints of the emitter localization: the first
// candidates and the choice. The main window, which owns the localization,
// hands one over after every record.

#include <QtGlobal>

struct LocalizationSnapshot
{
    static constexpr int PrintedCandidates = 4;

    struct Candidate
    {
        qint32 num = 0;
        quint8 modules[3] = {};
        quint8 channels[3] = {};
        qint32 levels[3] = {}; // dBm
        qint32 type = 0;
        qint32 freqMHz = 0;
    };

    Candidate candidates[PrintedCandidates];
    qint32 candidateCount = 0;
    qint32 chosenType = 0;
    quint8 chosenModules[3] = {};
    qint32 chosenLevels[3] = {}; // dBm
};
