#include "settings/OptionTable.h"

#include "settings/SettingsKeys.h"

#include <QDir>

namespace {

// Windows ships a sound and a drive root; elsewhere the station ships its own
// sound and the browse folders start at home.
#ifdef Q_OS_WIN
QString alarmFile()
{
    return QStringLiteral("C:\\Windows\\Media\\tada.wav");
}
QString browseFolder()
{
    return QStringLiteral("C:\\");
}
#else
QString alarmFile()
{
    return QStringLiteral(":/alarm.wav");
}
QString browseFolder()
{
    return QDir::homePath();
}
#endif

} // namespace

const QList<OptionTable::Option> &OptionTable::all()
{
    using namespace SettingsKeys;
    const QString none;
    // Combo indexes and check boxes read as 0 / off and texts as empty while missing.
    static const QList<Option> options = {
        { SecurityType, 6, 0 },
        { SSID, none, none },
        { Password, none, none },
        { ServerAddress1, none, none },
        { ServerAddress2, none, none },
        { ModuleAddress1CheckBox, false, false },
        { ModuleAddress1, none, none },
        { ModuleNumber1, QStringLiteral("1"), 0 },
        { ModuleNumber2, QStringLiteral("1"), 0 },
        { SuppressionFactor, QStringLiteral("10"), none },
        { MaxSuppressionQualityError, QStringLiteral("3"), none },
        { MaxAddQualityError, QStringLiteral("50"), none },
        { AverageFactor, QStringLiteral("1"), 0 },
        { DeviceLED, QStringLiteral("0"), 0 },
        { DeviceSound, QStringLiteral("0"), false },
        { DeviceOffline, QStringLiteral("0"), false },
        { AudioAlarm, false, false },
        { AudioAlarmType, 0, 0 },
        { AlarmFile, alarmFile(), none },
        { BackgroundImage, false, false },
        { BackgroundImageFile, browseFolder(), none },
        { AlarmCombo, 0, 0 },
        { LinkIndication, true, false },
        { SensCombo, 2, 0 },
        { ThresholdEdit, -60, none },
        { Localization, false, false },
    };
    return options;
}

QVariant OptionTable::missing(const QString &key)
{
    for (const Option &option : all())
        if (option.key == key)
            return option.missing;
    return QVariant();
}
