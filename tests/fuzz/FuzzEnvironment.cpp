#include "FuzzEnvironment.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <ctime>

void FuzzEnvironment::fail(const char *condition, const char *file, int line)
{
    std::fprintf(stderr, "fuzz: invariant failed: %s (%s:%d)\n", condition, file, line);
    std::abort();
}

// Before the first input: HOME, the standard locations (test mode puts them under
// HOME) and the settings store in a temporary folder, the time zone at UTC.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static QTemporaryDir home; // removed at exit
    FUZZ_CHECK(home.isValid());
    qputenv("HOME", home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Norvane LLC"));
    QCoreApplication::setApplicationName(QStringLiteral("HARRIER Tablet DEMO fuzz"));
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    // Warnings about odd input would drown the fuzzer's output; fatal ones still abort.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    // Log times are local; without summer time they read back to the same instant.
    qputenv("TZ", "UTC");
    ::tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzOne(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
