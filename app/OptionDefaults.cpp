#include "app/OptionDefaults.h"

#include "settings/SettingsKeys.h"

#include <QDir>
#include <QSettings>

namespace {

// Windows ships a sound and a drive root; elsewhere the station ships its own
// sound and the browse folders start at home.
#ifdef Q_OS_WIN
const QString kAlarmFile = QStringLiteral("C:\\Windows\\Media\\tada.wav");
QString defaultFolder()
{
    return QStringLiteral("C:\\");
}
#else
const QString kAlarmFile = QStringLiteral(":/alarm.wav");
QString defaultFolder()
{
    return QDir::homePath();
}
#endif

} // namespace

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
        { AlarmFile, kAlarmFile },
        { BackgroundImage, false },
        { BackgroundImageFile, defaultFolder() },
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
