#pragma once
// Keys of the settings store under which each module's record is kept; %1 is
// the module number in decimal. The device model loads and saves them.

#include <QString>

namespace ModuleKeys {

// clang-format off
inline QString settings(int m) { return QStringLiteral("%1_Settings").arg(m); }
inline QString manualPauseFreq(int m) { return QStringLiteral("%1_SettingsManualPauseFreq").arg(m); }
inline QString manualPauseCheck(int m) { return QStringLiteral("%1_SettingsManualPauseCheck").arg(m); }
inline QString autoPauseCheck(int m) { return QStringLiteral("%1_SettingsAutoPauseCheck").arg(m); }
inline QString lpfComboBox(int m) { return QStringLiteral("%1_SettingsLpfComboBox").arg(m); }
// clang-format on

} // namespace ModuleKeys
