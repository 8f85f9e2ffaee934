#include "app/Edition.h"

Edition Edition::demo()
{
    Edition e;
    e.applicationName = QStringLiteral("HARRIER Tablet DEMO");
    e.demoFeed = true;
    return e;
}

Edition Edition::full()
{
    Edition e;
    e.applicationName = QStringLiteral("HARRIER Tablet");
    e.offersEventLog = true;
    e.offersLocalization = true;
    e.offersModuleSettings = true;
    e.journal = true;
    e.syslog = true;
    return e;
}

QString Edition::version()
{
    return QStringLiteral(HARRIER_VERSION);
}
