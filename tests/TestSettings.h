#pragma once
// Points the application settings store and the standard locations of a test
// at a temporary folder, so that no test reads or writes the operator's store.
// A program that includes this header is isolated as its application object
// is made, before any test (or a forgotten initTestCase) can reach the store.

#include "net/StationGlobals.h"
#include "settings/StationOptions.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestSettings
{
public:
    // Again, after the application object exists: the store starts empty.
    static void isolate()
    {
        QVERIFY2(dir().isValid(), "cannot create a temporary settings folder");
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("Norvane LLC"));
        QCoreApplication::setApplicationName(QStringLiteral("HARRIER Tablet DEMO"));
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir().path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir().path());
        clear();
    }
    // Removes every key of the isolated store; the options in memory follow.
    static void clear()
    {
        QSettings().clear(); // written back as the store closes
        StationOptions::instance().reload();
    }
    // clear(), and the process-wide station values back to their start.
    static void freshStation()
    {
        clear();
        StationGlobals::reset();
    }

private:
    static QTemporaryDir &dir()
    {
        static QTemporaryDir d;
        return d;
    }
};

static void isolateTestSettings()
{
    TestSettings::isolate();
}
Q_COREAPP_STARTUP_FUNCTION(isolateTestSettings)
