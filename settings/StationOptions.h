#pragma once
// The station's options ("Options/..." and "Syslog/..." in the settings store)
// held in memory.
// They are read from the store once and written through to it; every change
// is announced, so nothing on the per-record or per-paint path reads the store.

#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>

class StationOptions : public QObject
{
    Q_OBJECT

public:
    // The one instance of the process.
    static StationOptions &instance();

    // Reads every option from the settings store again and announces it.
    void reload();

    QVariant value(const QString &key, const QVariant &fallback = QVariant()) const;
    // An option of OptionTable as stored, or the value it stands for while missing.
    QVariant option(const QString &key) const;
    // Stores the option in memory and in the settings store, then announces it.
    void setValue(const QString &key, const QVariant &value);

    // The options read on every record or paint.
    bool linkIndication() const { return m_linkIndication; }
    bool audioAlarm() const { return m_audioAlarm; }
    int audioAlarmType() const { return m_audioAlarmType; }
    const QString &alarmFile() const { return m_alarmFile; }
    int alarmCombo() const { return m_alarmCombo; }
    int sensCombo() const { return m_sensCombo; }
    bool backgroundImage() const { return m_backgroundImage; }
    const QString &backgroundImageFile() const { return m_backgroundImageFile; }

signals:
    // One option changed; an empty key means any of them may have.
    void changed(const QString &key);

private:
    StationOptions() = default;
    void refreshFields();

    QHash<QString, QVariant> m_values;
    bool m_linkIndication = false;
    bool m_audioAlarm = false;
    int m_audioAlarmType = 0;
    QString m_alarmFile;
    int m_alarmCombo = 0;
    int m_sensCombo = 0;
    bool m_backgroundImage = false;
    QString m_backgroundImageFile;
};
