#include "TestSettings.h"

#include "net/StationGlobals.h"
#include "settings/StationOptions.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

QTemporaryDir &TestSettings::dir()
{
    static QTemporaryDir d;
    return d;
}

void TestSettings::isolate()
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

void TestSettings::clear()
{
    {
        QSettings s;
        s.clear();
        s.sync();
    }
    StationOptions::instance().reload();
}

QString TestSettings::folder()
{
    return dir().path();
}

void TestSettings::freshStation()
{
    clear();
    StationGlobals::reset();
}
