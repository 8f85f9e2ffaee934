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
    static QString folder();

private:
    static QTemporaryDir &dir();
};
