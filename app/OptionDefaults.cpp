#include "app/OptionDefaults.h"

#include "settings/SettingsKeys.h"

#include <QSettings>

const QList<QPair<QString, QVariant>> &OptionDefaults::all()
{
    using namespace SettingsKeys;
    static const QList<QPair<QString, QVariant>> defaults = {
        { SecurityType, 6 },
        { SSID, QString() },
        { Password, QString() },
        { ServerAddress1, QString() },
        { ServerAddress2, QString() },
        { ModuleAddress1CheckBox, false },
        { ModuleAddress1, QString() },
        { ModuleNumber1, QStringLiteral("1") },
        { ModuleNumber2, QStringLiteral("1") },
        { SuppressionFactor, QStringLiteral("10") },
        { MaxSuppressionQualityError, QStringLiteral("3") },
        { MaxAddQualityError, QStringLiteral("50") },
        { AverageFactor, QStringLiteral("1") },
        { DeviceLED, QStringLiteral("0") },
        { DeviceSound, QStringLiteral("0") },
        { DeviceOffline, QStringLiteral("0") },
        { AudioAlarm, false },
        { AudioAlarmType, 0 },
        { AlarmFile, QStringLiteral("C:\\Windows\\Media\\tada.wav") },
        { BackgroundImage, false },
        { BackgroundImageFile, QStringLiteral("C:\\") },
        { AlarmCombo, 0 },
        { LinkIndication, true },
        { SensCombo, 2 },
        { ThresholdEdit, -60 },
        { Localization, false },
    };
    return defaults;
}

bool OptionDefaults::anyMissing(const QSettings &settings)
{
    for (const auto &option : all())
        if (option.first != SettingsKeys::ModuleAddress1CheckBox
            && !settings.contains(option.first))
            return true;
    return false;
}

void OptionDefaults::writeAll(QSettings &settings)
{
    for (const auto &option : all())
        settings.setValue(option.first, option.second);
}

bool OptionDefaults::ensure(QSettings &settings)
{
    if (!anyMissing(settings))
        return false;
    writeAll(settings);
    return true;
}
