#include "display/ModuleStatus.h"

#include "net/WireProtocol.h"

#include <QCoreApplication>

// The texts belong to the module window's translation context; written out in
// full so that lupdate finds them.

QString ModuleStatus::title(quint8 module, const QString &name)
{
    return QCoreApplication::translate("CModuleWindow", "Module ") + QString::number(module)
        + QLatin1Char(' ') + name;
}

QString ModuleStatus::statusText(qint32 nState, int suppressionQuality)
{
    if (nState & WrongConfiguration)
        return QCoreApplication::translate("CModuleWindow", "WRONG CONFIGURATION!!!");
    if (nState & SpectrumChanged)
        return QCoreApplication::translate("CModuleWindow", "SPECTRUM CHANGED!!!");
    if (nState & NoJammer)
        return QCoreApplication::translate("CModuleWindow", "NO JAMMER!!! ");
    if (nState & BadSuppression)
        return QCoreApplication::translate("CModuleWindow", "BAD SUPPRESSION!!!");
    if (nState & SuppressionChanged)
        return QCoreApplication::translate("CModuleWindow", "SUPPRESSION CHANGED!!!");
    if (nState & SuppressionChanged2)
        return QCoreApplication::translate("CModuleWindow", "SUPPRESSION CHANGED !!!");
    if (nState & SuppressionOk) {
        if (suppressionQuality > 100)
            return QCoreApplication::translate("CModuleWindow", "SUPPRESSION OK");
        return QCoreApplication::translate("CModuleWindow", "SUPPRESSION OK = %1%")
            .arg(suppressionQuality);
    }
    return QString();
}

QString ModuleStatus::linkLevelText(const DATA &data)
{
    if (data.nRSSI == Wire::NoLinkFigure)
        return QString();
    return QString::number(2 * int(data.nRSSI)) + QLatin1Char('%')
        + QString::number(data.channel[0].cntDis) + QLatin1Char('-')
        + QString::number(data.channel[0].cntTim);
}

void ModuleStatus::advanceLink(LinkIndicator &link, bool enabled)
{
    if (!enabled) {
        link.text = QStringLiteral(" ");
        return;
    }
    link.text += QLatin1Char('>');
    if (++link.count > LinkIndicatorMax) {
        link.count = 0;
        link.text = QStringLiteral(">");
    }
}

QString ModuleStatus::silenceText(int seconds)
{
    return QCoreApplication::translate("CModuleWindow", "No data for %1 s...").arg(seconds);
}

bool ModuleStatus::isAlarm(const DATA &data)
{
    for (const CHANNEL &c : data.channel) {
        if (!(c.nState & SuppressionOk))
            return true;
    }
    return false;
}

ModuleStatus::AlarmSound ModuleStatus::alarmSound(bool audioAlarm, int audioAlarmType,
                                                  const QString &alarmFile)
{
    if (!audioAlarm)
        return AlarmSound::None;
    if (audioAlarmType != 0 && !alarmFile.isEmpty())
        return AlarmSound::File;
    return AlarmSound::Beep;
}

ModuleStatus::AlarmBar ModuleStatus::alarmBar(int width, int height, int mode, bool alarm,
                                              bool blinkPhase)
{
    AlarmBar bar;
    bar.rect = QRect(8, height - 38, width - 14, 30);
    if (mode == Blinking)
        bar.drawn = alarm && blinkPhase;
    else if (mode == Steady)
        bar.drawn = alarm;
    return bar;
}
