// Any bytes as a log file's content: what was read, saved and read again is
// the same events (in UTC, where every local time names one instant).

#include "FuzzEnvironment.h"

#include "eventlog/LogFile.h"

#include <cmath>
#include <tuple>

namespace {

bool same(const EVENT &a, const EVENT &b)
{
    return std::tie(a.tStartTime, a.tEndTime, a.nPeakLevel, a.nThresholdLevel, a.nType,
                    a.bInProgress, a.nModule)
        == std::tie(b.tStartTime, b.tEndTime, b.nPeakLevel, b.nThresholdLevel, b.nType,
                    b.bInProgress, b.nModule)
        && (a.dFreqMHz == b.dFreqMHz || (std::isnan(a.dFreqMHz) && std::isnan(b.dFreqMHz)));
}

} // namespace

void fuzzOne(const QByteArray &input)
{
    QList<EVENT> events, again;
    if (!LogFile::fromXml(input, events))
        return;
    FUZZ_CHECK(LogFile::fromXml(LogFile::toXml(events), again));
    FUZZ_CHECK(again.size() == events.size());
    for (qsizetype i = 0; i < events.size(); ++i)
        FUZZ_CHECK(same(events[i], again[i]));
}
