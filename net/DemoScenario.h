#pragma once
// The demonstration feed's built-in scenario: 45 steps of synthetic channel
// reports for modules 1 to 6, and the record built from one step.

#include "net/CMasterDevice.h"
#include "net/Data.h"

class DemoScenario
{
public:
    static constexpr int Steps = 45;
    static constexpr int Modules = 6;
    static constexpr int IntervalMs = 500;
    static constexpr double ScanFrequencyMHz = 433.0;
    static constexpr int ScanState = 64;

    struct Entry
    {
        int type;
        int level;
    };

    static Entry entry(int step, int moduleIndex, int channel);

    // Fills the record of module (1 .. 6) for a step; updates the module's
    // last channels, scan frequency and debug statistics when it has a record.
    // nLinkSeq keeps whatever the record held.
    static void BuildRecord(CMasterDevice &device, int step, quint8 module, DATA &record);
};
