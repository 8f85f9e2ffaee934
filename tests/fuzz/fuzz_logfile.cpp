// Reads arbitrary bytes as an event log file, through the in-memory reader
// that LogFile::load hands a file's content to.
//
// Checked: what was read, saved and read again is the same list of events
// (a loaded log that is saved again loses nothing), in a zone without summer
// time, where every local time names one instant.

#include "FuzzEnvironment.h"

#include "eventlog/LogFile.h"

#include <QByteArray>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

bool sameNumber(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool same(const EVENT &a, const EVENT &b)
{
    return a.tStartTime == b.tStartTime && a.tEndTime == b.tEndTime && a.nPeakLevel == b.nPeakLevel
           && a.nThresholdLevel == b.nThresholdLevel && sameNumber(a.dFreqMHz, b.dFreqMHz)
           && a.nType == b.nType && a.bInProgress == b.bInProgress && a.nModule == b.nModule;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzEnvironment::isolate();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<EVENT> events = LogFile::fromXml(content);
    const QList<EVENT> again = LogFile::fromXml(LogFile::toXml(events));
    FUZZ_CHECK(again.size() == events.size());
    for (qsizetype i = 0; i < events.size(); ++i)
        FUZZ_CHECK(same(events[i], again[i]));
    return 0;
}
