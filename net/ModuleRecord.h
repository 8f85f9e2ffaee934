#pragma once
// Everything the station keeps about one module: the 70-byte settings block
// sent in every reply, station-side pause options, the bypass map and the
// bookkeeping of bypass transfers and command acknowledgements.

#include "net/Data.h"
#include "net/SettingsBlock.h"

#include <QPoint>
#include <QVector>

struct ModuleRecord
{
    SettingsBlock::Block settings = SettingsBlock::defaults();
    QVector<quint8> bypassMap = QVector<quint8>(6144, 0);
    qint32 bypassMapComplete = 0;
    qint32 scanFrequency = 0; // MHz, last scanning-receiver report
    qint32 manualPauseFreq = SettingsBlock::DefaultManualPauseFreq;
    qint32 lpfSelection = SettingsBlock::DefaultLpfSelection;
    bool manualPause = false;
    bool autoPause = false;
    quint8 expectedBypassBlock = 0;
    quint8 bypassBlockToggle = 0;
    quint8 receivedSequence = 0;
    quint8 acknowledgedSequence = 0;
    CHANNEL lastChannels[DATA::ChannelCount];
    QPoint windowAnchor; // global screen coordinates
    QPoint windowOrigin; // global screen coordinates
};
