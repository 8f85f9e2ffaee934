#include "settings/StationOptions.h"

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
    m_linkIndication = value(LinkIndication, false).toBool();
    m_audioAlarm = value(AudioAlarm, false).toBool();
    m_audioAlarmType = value(AudioAlarmType, 0).toInt();
    m_alarmFile = value(AlarmFile, QString()).toString();
    m_alarmCombo = value(AlarmCombo, 0).toInt();
    m_sensCombo = value(SensCombo, 0).toInt();
    m_backgroundImage = value(BackgroundImage, false).toBool();
    m_backgroundImageFile = value(BackgroundImageFile, QString()).toString();
}
