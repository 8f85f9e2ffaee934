#pragma once
// Every key of the application settings store, named once; the keys of the
// module records are in net/ModuleKeys.h.

#include <QString>

namespace SettingsKeys {

// A module's name is stored under its bare number; its record's keys are in
// net/ModuleKeys.h.
inline QString moduleName(int m)
{
    return QString::number(m);
}

// Options.
inline const QString OptionsGroup = QStringLiteral("Options");
inline const QString SecurityType = QStringLiteral("Options/SecurityType");
inline const QString SSID = QStringLiteral("Options/SSID");
inline const QString Password = QStringLiteral("Options/Password");
inline const QString ServerAddress1 = QStringLiteral("Options/ServerAddress1");
inline const QString ServerAddress2 = QStringLiteral("Options/ServerAddress2");
inline const QString ModuleAddress1CheckBox = QStringLiteral("Options/ModuleAddress1CheckBox");
inline const QString ModuleAddress1 = QStringLiteral("Options/ModuleAddress1");
inline const QString ModuleNumber1 = QStringLiteral("Options/ModuleNumber1");
inline const QString ModuleNumber2 = QStringLiteral("Options/ModuleNumber2");
inline const QString SuppressionFactor = QStringLiteral("Options/SuppressionFactor");
inline const QString MaxSuppressionQualityError =
    QStringLiteral("Options/MaxSuppressionQualityError");
inline const QString MaxAddQualityError = QStringLiteral("Options/MaxAddQualityError");
inline const QString AverageFactor = QStringLiteral("Options/AverageFactor");
inline const QString DeviceLED = QStringLiteral("Options/DeviceLED");
inline const QString DeviceSound = QStringLiteral("Options/DeviceSound");
inline const QString DeviceOffline = QStringLiteral("Options/DeviceOffline");
inline const QString AudioAlarm = QStringLiteral("Options/AudioAlarm");
inline const QString AudioAlarmType = QStringLiteral("Options/AudioAlarmType");
inline const QString AlarmFile = QStringLiteral("Options/AlarmFile");
inline const QString BackgroundImage = QStringLiteral("Options/BackgroundImage");
inline const QString BackgroundImageFile = QStringLiteral("Options/BackgroundImageFile");
inline const QString AlarmCombo = QStringLiteral("Options/AlarmCombo");
inline const QString LinkIndication = QStringLiteral("Options/LinkIndication");
inline const QString SensCombo = QStringLiteral("Options/SensCombo");
inline const QString ThresholdEdit = QStringLiteral("Options/ThresholdEdit");
inline const QString Localization = QStringLiteral("Options/Localization");
inline const QString Language = QStringLiteral("Options/Language");

// Days the event journal keeps events (0: for ever).
inline const QString JournalRetentionDays = QStringLiteral("Journal/RetentionDays");

// Forwarding of events to the site's syslog collector (full edition).
inline const QString SyslogGroup = QStringLiteral("Syslog");
inline const QString SyslogEnabled = QStringLiteral("Syslog/Enabled");
inline const QString SyslogHost = QStringLiteral("Syslog/Host");
inline const QString SyslogPort = QStringLiteral("Syslog/Port");
inline const QString SyslogTransport = QStringLiteral("Syslog/Transport"); // "tcp", "tls", "udp"
inline const QString SyslogCaFile = QStringLiteral("Syslog/CaFile");

// Main window geometry.
inline const QString MainWindowMaximized = QStringLiteral("MainWindow/Maximized");
inline const QString MainWindowPos = QStringLiteral("MainWindow/Pos");
inline const QString MainWindowSize = QStringLiteral("MainWindow/Size");

// Event log.
inline const QString Limit = QStringLiteral("Limit");
inline const QString LogFilter = QStringLiteral("Logfilter");
inline QString logWindowPos(int n)
{
    return QStringLiteral("LogWindow%1/Pos").arg(n);
}
inline QString logWindowSize(int n)
{
    return QStringLiteral("LogWindow%1/Size").arg(n);
}
inline QString logWindowColumn(int n, int col)
{
    return QStringLiteral("LogWindow%1/Col%2").arg(n).arg(col);
}

// Other windows.
inline const QString DebugWindowPos = QStringLiteral("DebugWindow/Pos");
inline const QString ManualGeometry = QStringLiteral("Manual/Geometry");

} // namespace SettingsKeys
