#pragma once
// A log window's filter conditions, their 56-byte stored image (the value of
// "Logfilter") and the filter itself, which removes and merges events of a
// working list.

#include "eventlog/Event.h"

#include <QByteArray>
#include <QList>

struct LOGFILTER
{
    static constexpr int ImageSize = 56;
    static constexpr int TypeGroups = 10;
    static constexpr int Modules = 10;

    bool bOn = false;
    bool bPeriod = false;
    bool bLength = false;
    bool bMerge = false;
    bool bType[TypeGroups] = { true, true, true, true, true, true, true, true, true, true };
    bool bModule[Modules] = { true, true, true, true, true, true, true, true, true, true };
    bool bOnlyReady = false;
    quint8 padding1[3] = { 0, 0, 0 };
    qint32 nGapSec = 3;
    qint32 nLengthSec = 10;
    quint8 padding2[4] = { 0, 0, 0, 0 };
    qint64 tFrom = 0;
    qint64 tTo = 0;

    // The defaults of a new log window created at time now.
    static LOGFILTER defaults(qint64 now);

    // Little-endian image; booleans are one byte, padding written as held.
    QByteArray toImage() const;
    // Copies an image over the record from offset 0; a shorter image replaces
    // only its own length, a longer one is cut at ImageSize.
    void overlayImage(const QByteArray &image);

    // Group of a signal type (index into bType), or -1 for types of no group.
    static int typeGroup(qint32 nType);

    // Removes and merges entries of list in place; no-op while bOn is off.
    void apply(QList<EVENT> &list) const;
};
