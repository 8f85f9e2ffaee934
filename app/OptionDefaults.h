#pragma once
// The first-start values of OptionTable written to the settings store on
// first run and by "Default".

class QSettings;

class OptionDefaults
{
public:
    // True when any option other than "Options/ModuleAddress1CheckBox" is missing.
    static bool anyMissing(const QSettings &settings);
    static void writeAll(QSettings &settings);
    // Writes the defaults when anyMissing(); returns whether it wrote.
    static bool ensure(QSettings &settings);
};
