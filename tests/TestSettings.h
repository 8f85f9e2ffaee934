#pragma once
// Points the application settings store and the standard locations of a test
// at a temporary folder, so that no test reads or writes the operator's store.

#include <QTemporaryDir>

class TestSettings
{
public:
    // Call from initTestCase(), after the application object exists.
    static void isolate();
    // Removes every key of the isolated store; the options in memory follow.
    static void clear();
    // clear(), and the process-wide station values back to their start.
    static void freshStation();
    static QString folder();

private:
    static QTemporaryDir &dir();
};
