#include "FuzzEnvironment.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <ctime>

void FuzzEnvironment::isolate()
{
    static QTemporaryDir home; // removed at exit
    if (!home.isValid()) {
        std::fprintf(stderr, "fuzz: cannot create a temporary folder: %s\n",
                     qPrintable(home.errorString()));
        std::abort();
    }
    const QByteArray path = home.path().toLocal8Bit();
    qputenv("HOME", path);
    qputenv("XDG_CONFIG_HOME", path + "/.config");
    qputenv("XDG_DATA_HOME", path + "/.local/share");
    qputenv("XDG_CACHE_HOME", path + "/.cache");
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Norvane LLC"));
    QCoreApplication::setApplicationName(QStringLiteral("HARRIER Tablet DEMO fuzz"));
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());

    // Warnings about odd input (a null DOM node, a bad date) would drown the
    // fuzzer's own output; fatal messages still abort.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    // Log times are local; without summer time they read back to the same instant.
    qputenv("TZ", "UTC");
    ::tzset();
}

void FuzzEnvironment::fail(const char *condition, const char *file, int line)
{
    std::fprintf(stderr, "fuzz: invariant failed: %s (%s:%d)\n", condition, file, line);
    std::abort();
}
