#include "settings/StationOptions.h"

#include "settings/OptionTable.h"
#include "settings/SettingsKeys.h"

#include <QSettings>

StationOptions &StationOptions::instance()
{
    static StationOptions options;
    return options;
}

void StationOptions::reload()
{
    m_values.clear();
    QSettings settings;
    for (const QString &group : { SettingsKeys::OptionsGroup, SettingsKeys::SyslogGroup }) {
        const QString prefix = group + QLatin1Char('/');
        settings.beginGroup(group);
        const QStringList keys = settings.childKeys();
        for (const QString &key : keys)
            m_values.insert(prefix + key, settings.value(key));
        settings.endGroup();
    }
    refreshFields();
    emit changed(QString());
}

QVariant StationOptions::value(const QString &key, const QVariant &fallback) const
{
    return m_values.value(key, fallback);
}

QVariant StationOptions::option(const QString &key) const
{
    return m_values.value(key, OptionTable::missing(key));
}

void StationOptions::setValue(const QString &key, const QVariant &value)
{
    m_values.insert(key, value);
    QSettings().setValue(key, value);
    refreshFields();
    emit changed(key);
}

void StationOptions::refreshFields()
{
    using namespace SettingsKeys;
    m_linkIndication = option(LinkIndication).toBool();
    m_audioAlarm = option(AudioAlarm).toBool();
    m_audioAlarmType = option(AudioAlarmType).toInt();
    m_alarmFile = option(AlarmFile).toString();
    m_alarmCombo = option(AlarmCombo).toInt();
    m_sensCombo = option(SensCombo).toInt();
    m_backgroundImage = option(BackgroundImage).toBool();
    m_backgroundImageFile = option(BackgroundImageFile).toString();
}
