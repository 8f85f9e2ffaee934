#pragma once
// The application options written on first run and by "Default".

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

class QSettings;

class OptionDefaults
{
public:
    // The 26 options with their defaults, in table order.
    static const QList<QPair<QString, QVariant>> &all();
    // True when any option other than "Options/ModuleAddress1CheckBox" is missing.
    static bool anyMissing(const QSettings &settings);
    static void writeAll(QSettings &settings);
    // Writes the defaults when anyMissing(); returns whether it wrote.
    static bool ensure(QSettings &settings);
};
