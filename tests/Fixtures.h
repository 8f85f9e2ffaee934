#pragma once
// Small builders of records and events shared by the tests.

#include "eventlog/Event.h"
#include "net/Data.h"

#include <QByteArray>
#include <QString>

class Fixtures
{
public:
    static EVENT event(qint64 start, qint64 end, int type, int peak, int threshold, double freq,
                       quint8 module, bool inProgress);
    // A channel reporting a detection (nState 1).
    static CHANNEL detection(int type, int level, int threshold, double freq);
    static DATA record(quint8 module, const CHANNEL &c0 = {}, const CHANNEL &c1 = {},
                       const CHANNEL &c2 = {});
    // The whole file; fails the running test when it cannot be opened.
    static QByteArray readFile(const QString &path);
};
