#pragma once
// One decoded record of one module: what it reported on its three detection
// channels. Passed by value from the server to the windows and the event log.

#include <QMetaType>
#include <QtGlobal>

struct CHANNEL
{
    qint32 nState = 0;     // 0: nothing; otherwise a detection or status flags
    qint32 nType = 0;      // signal type, see CSignalTypeStr
    qint32 nLevel = 0;     // dBm (traffic types: percent - 102)
    qint32 nThreshold = 0; // dBm
    qint32 nNoise = 0;     // dBm
    qint32 cntDis = 0;     // first module counter
    qint32 cntTim = 0;     // second module counter
    double dFreqMHz = 0.0; // 0: no frequency
};

struct DATA
{
    static constexpr int ChannelCount = 3;

    quint8 nID = 0;      // module number
    quint8 nFormat = 0;  // 4 for a measurement record
    qint8 nRSSI = 0;     // link level; 56 means "no figure"
    quint8 nLinkSeq = 0; // echoed back in settings byte 48
    CHANNEL channel[ChannelCount];
};

Q_DECLARE_METATYPE(DATA)
