#pragma once
// Geometry of the tuning tab's spectrum graph: the unit's current levels as
// bars, the recorded base-station level and the threshold above it as curves,
// and the band separators. Pure, so that the label only draws it.

#include <QLine>
#include <QPoint>
#include <QVector>

#include <array>

class SpectrumGraph
{
public:
    static constexpr int Baseline = 190;
    // Levels at or below this offset draw nothing.
    static constexpr int LevelOffset = 15;

    struct Curve
    {
        QVector<QLine> lines;
        QVector<QPoint> points;
    };

    QVector<QLine> bars;       // blue
    Curve base;                // yellow
    Curve threshold;           // red
    QVector<QLine> separators; // black

    static SpectrumGraph compute(const std::array<double, 264> &current,
                                 const std::array<double, 264> &baseLevel, int suppressionFactor);
    // A level less the offset, never below 0.
    static double aboveOffset(double level);
    // Pixel row of a level: two pixels per unit above the baseline, offset removed.
    static int y(double level);
};
