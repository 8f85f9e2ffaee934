#include "usb/SpectrumGraph.h"

#include <algorithm>

namespace {

constexpr int SeparatorX[] = { 8, 78, 228, 348 };

SpectrumGraph::Curve curve(const std::array<double, 264> &base, int add)
{
    SpectrumGraph::Curve c;
    const auto y = [&](int i) {
        return int(SpectrumGraph::Baseline - 2 * (SpectrumGraph::aboveOffset(base[i]) + add));
    };
    c.points << QPoint(0, y(0)) << QPoint(1, y(0));
    for (int i = 1; i < int(base.size()); ++i) {
        c.lines << QLine(2 * i - 1, y(i - 1), 2 * i, y(i));
        c.points << QPoint(2 * i + 1, y(i));
    }
    return c;
}

} // namespace

double SpectrumGraph::aboveOffset(double level)
{
    return std::max(level - LevelOffset, 0.0);
}

int SpectrumGraph::y(double level)
{
    return int(Baseline - 2 * aboveOffset(level));
}

SpectrumGraph SpectrumGraph::compute(const std::array<double, 264> &current,
                                     const std::array<double, 264> &baseLevel,
                                     int suppressionFactor)
{
    SpectrumGraph g;
    for (int i = 0; i < int(current.size()); ++i) {
        const int top = y(current[i]);
        g.bars << QLine(2 * i, Baseline, 2 * i, top) << QLine(2 * i + 1, Baseline, 2 * i + 1, top);
    }
    g.base = curve(baseLevel, 0);
    g.threshold = curve(baseLevel, suppressionFactor);
    for (int x : SeparatorX)
        g.separators << QLine(x, 0, x, Baseline);
    return g;
}
