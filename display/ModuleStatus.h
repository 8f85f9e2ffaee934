#pragma once
// What a module window shows, worked out from one record and the options:
// title, status line, link indicator and level, alarm and alarm bar.
// Plain functions on plain values so they can be checked without a screen.

#include "net/Data.h"

#include <QRect>
#include <QString>

class ModuleStatus
{
public:
    // Status flags of a channel's nState.
    enum Flag : qint32 {
        NoJammer = 0x01,
        BadSuppression = 0x02,
        SuppressionChanged = 0x04,
        SuppressionChanged2 = 0x08,
        SpectrumChanged = 0x10,
        SuppressionOk = 0x20,
        WrongConfiguration = 0x40,
    };

    // The link indicator restarts when more than this many '>' were added.
    static constexpr int LinkIndicatorMax = 17;
    // Silence seconds after which the header says so, and after which the window asks to close.
    static constexpr int SilenceShownAfter = 8;
    static constexpr int SilenceCloseAt = 30;

    // "Module " + number + " " + name (the name defaults to the number).
    static QString title(quint8 module, const QString &name);

    // Status line from channel 0's flags; the first applicable flag wins.
    static QString statusText(qint32 nState, int suppressionQuality);

    // "62%3-0": twice nRSSI, '%', channel 0's counters; empty when the module has no link figure.
    static QString linkLevelText(const DATA &data);

    struct LinkIndicator
    {
        QString text = QStringLiteral(" ");
        int count = 0;
    };
    // One record's step of the link indicator.
    static void advanceLink(LinkIndicator &link, bool enabled);

    static QString silenceText(int seconds);

    // True unless every channel carries the suppression-OK flag.
    static bool isAlarm(const DATA &data);

    enum class AlarmSound { None, Beep, File };
    static AlarmSound alarmSound(bool audioAlarm, int audioAlarmType, const QString &alarmFile);

    // Alarm bar modes of "Options/AlarmCombo".
    enum AlarmBarMode { Blinking = 0, Steady = 1 };
    struct AlarmBar
    {
        QRect rect;
        bool drawn = false;
    };
    static AlarmBar alarmBar(int width, int height, int mode, bool alarm, bool blinkPhase);
};
