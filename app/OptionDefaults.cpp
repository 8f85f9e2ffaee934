#include "app/OptionDefaults.h"

#include "settings/OptionTable.h"
#include "settings/SettingsKeys.h"

#include <QSettings>

bool OptionDefaults::anyMissing(const QSettings &settings)
{
    for (const OptionTable::Option &option : OptionTable::all())
        if (option.key != SettingsKeys::ModuleAddress1CheckBox && !settings.contains(option.key))
            return true;
    return false;
}

void OptionDefaults::writeAll(QSettings &settings)
{
    for (const OptionTable::Option &option : OptionTable::all())
        settings.setValue(option.key, option.firstStart);
}

bool OptionDefaults::ensure(QSettings &settings)
{
    if (!anyMissing(settings))
        return false;
    writeAll(settings);
    return true;
}
