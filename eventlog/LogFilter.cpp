#include "eventlog/LogFilter.h"

#include <QtEndian>

#include <cstring>

namespace {

// Offsets of the stored image.
// clang-format off
enum Offset {
    OnOffset = 0, PeriodOffset = 1, LengthOffset = 2, MergeOffset = 3, TypeOffset = 4,
    ModuleOffset = 14, OnlyReadyOffset = 24, Padding1Offset = 25, GapOffset = 28,
    LengthSecOffset = 32, Padding2Offset = 36, FromOffset = 40, ToOffset = 48,
};
// clang-format on

} // namespace

LOGFILTER LOGFILTER::defaults(qint64 now)
{
    LOGFILTER f;
    f.tFrom = now - 86400;
    f.tTo = now + 86400;
    return f;
}

QByteArray LOGFILTER::toImage() const
{
    QByteArray image(ImageSize, '\0');
    uchar *p = reinterpret_cast<uchar *>(image.data());
    p[OnOffset] = bOn ? 1 : 0;
    p[PeriodOffset] = bPeriod ? 1 : 0;
    p[LengthOffset] = bLength ? 1 : 0;
    p[MergeOffset] = bMerge ? 1 : 0;
    for (int i = 0; i < TypeGroups; ++i)
        p[TypeOffset + i] = bType[i] ? 1 : 0;
    for (int i = 0; i < Modules; ++i)
        p[ModuleOffset + i] = bModule[i] ? 1 : 0;
    p[OnlyReadyOffset] = bOnlyReady ? 1 : 0;
    std::memcpy(p + Padding1Offset, padding1, sizeof padding1);
    qToLittleEndian<qint32>(nGapSec, p + GapOffset);
    qToLittleEndian<qint32>(nLengthSec, p + LengthSecOffset);
    std::memcpy(p + Padding2Offset, padding2, sizeof padding2);
    qToLittleEndian<qint64>(tFrom, p + FromOffset);
    qToLittleEndian<qint64>(tTo, p + ToOffset);
    return image;
}

void LOGFILTER::overlayImage(const QByteArray &image)
{
    QByteArray full = toImage();
    std::memcpy(full.data(), image.constData(), size_t(qMin<qsizetype>(image.size(), ImageSize)));
    const uchar *p = reinterpret_cast<const uchar *>(full.constData());
    bOn = p[OnOffset] != 0;
    bPeriod = p[PeriodOffset] != 0;
    bLength = p[LengthOffset] != 0;
    bMerge = p[MergeOffset] != 0;
    for (int i = 0; i < TypeGroups; ++i)
        bType[i] = p[TypeOffset + i] != 0;
    for (int i = 0; i < Modules; ++i)
        bModule[i] = p[ModuleOffset + i] != 0;
    bOnlyReady = p[OnlyReadyOffset] != 0;
    std::memcpy(padding1, p + Padding1Offset, sizeof padding1);
    nGapSec = qFromLittleEndian<qint32>(p + GapOffset);
    nLengthSec = qFromLittleEndian<qint32>(p + LengthSecOffset);
    std::memcpy(padding2, p + Padding2Offset, sizeof padding2);
    tFrom = qFromLittleEndian<qint64>(p + FromOffset);
    tTo = qFromLittleEndian<qint64>(p + ToOffset);
}

int LOGFILTER::typeGroup(qint32 nType)
{
    switch (nType) {
    case 0:
        return 0;
    case 1:
    case 2:
        return 1;
    case 4:
    case 5:
    case 6:
        return 2;
    case 3:
        return 3;
    case 7:
    case 8:
        return 4;
    case 9:
        return 5;
    case 10:
    case 11:
        return 6;
    case 12:
        return 7;
    case 16:
    case 17:
        return 8;
    case 18:
        return 9;
    default:
        return -1;
    }
}

void LOGFILTER::apply(QList<EVENT> &list) const
{
    if (!bOn)
        return;
    // Compacts in one pass: "the entry before" of a position is always the
    // last entry kept so far, as if removed entries had been taken out.
    qsizetype kept = 0;
    const qsizetype count = list.size();
    EVENT *data = list.data();
    for (qsizetype i = 0; i < count; ++i) {
        const EVENT &e = data[i];
        if (bOnlyReady && e.bInProgress)
            continue;
        if (bPeriod && (e.tStartTime < tFrom || e.tEndTime > tTo))
            continue;
        if (bLength && e.tEndTime - e.tStartTime < qint64(nLengthSec))
            continue;
        const int group = typeGroup(e.nType);
        if (group >= 0 && !bType[group])
            continue;
        if (e.nModule > Modules || (e.nModule >= 1 && !bModule[e.nModule - 1]))
            continue;
        if (e.nType == -1)
            continue;
        if (bMerge && kept > 0) {
            EVENT &p = data[kept - 1];
            if (p.nType == e.nType && p.nModule == e.nModule
                && e.tStartTime - p.tEndTime < qint64(nGapSec)) {
                p.tEndTime = e.tEndTime;
                p.nPeakLevel = qMax(p.nPeakLevel, e.nPeakLevel);
                continue;
            }
        }
        if (kept != i)
            data[kept] = e;
        ++kept;
    }
    list.resize(kept);
}
