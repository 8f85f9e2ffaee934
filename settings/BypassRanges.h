#pragma once
// Turns a module's bypass map (one entry of marks per MHz) into the frequency
// ranges the bypass list shows, keeping only the marks asked for.

#include <QVector>
#include <QtGlobal>

struct BypassRange
{
    int number = 0;   // 1-based row number
    int start = 0;    // MHz
    int end = 0;      // MHz
    int band = 0;     // end - start, 1 for a single frequency
    quint8 marks = 0; // marks of the mask found anywhere in start .. end

    bool operator==(const BypassRange &o) const
    {
        return number == o.number && start == o.start && end == o.end && band == o.band
            && marks == o.marks;
    }
};

class BypassRanges
{
public:
    // Entry 0 never opens a range (0 means "no range open"), and a range still
    // open at the last entry is not listed: the module's own convention.
    static QVector<BypassRange> fromMap(const QVector<quint8> &map, quint8 mask);
};
