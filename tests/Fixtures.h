#pragma once
// Builders of records and events shared by the tests, and helpers that fail
// the running test instead of passing a missing file or widget on.

#include "eventlog/Event.h"
#include "net/Data.h"

#include <QFile>
#include <QTest>

#include <ctime>

class Fixtures
{
public:
    static constexpr qint64 Dec2026 = 1796454131; // 05.12.2026 07:02:11 UTC

    static EVENT event(qint64 start, qint64 end, int type, int peak, int threshold, double freq,
                       quint8 module, bool inProgress)
    {
        return EVENT{ start, end, qint16(peak), qint16(threshold), freq, type, inProgress, module };
    }
    // A channel reporting a detection (nState 1).
    static CHANNEL detection(int type, int level, int threshold = -80, double freq = 0.0)
    {
        return CHANNEL{ 1, type, level, threshold, 0, 0, 0, freq };
    }
    static DATA record(quint8 module, const CHANNEL &c0 = {}, const CHANNEL &c1 = {},
                       const CHANNEL &c2 = {})
    {
        return DATA{ module, 0, 0, 0, { c0, c1, c2 } };
    }
    // A measurement record (format 4, link level 31, counter 3 on channel 0)
    // whose channels carry only the given states.
    static DATA status(quint8 module, qint32 s0 = 0x20, qint32 s1 = 0x20, qint32 s2 = 0x20)
    {
        const CHANNEL c0{ s0, 0, 0, 0, 0, 3 };
        return DATA{ module, 4, 31, 0, { c0, CHANNEL{ s1 }, CHANNEL{ s2 } } };
    }
    // Every field of a record or of events, to compare them in one go.
    static QString dump(const DATA &d);
    static QString dump(const QList<EVENT> &events);
    // The first column of every row a query gives on the SQLite file at `path`,
    // opened read-only, so a station writing it is not disturbed.
    static QStringList query(const QString &path, const QString &sql);
    // One digit per named child widget: 1 enabled, 0 disabled, ? missing.
    static QString enabled(const QObject &parent, const QList<const char *> &names)
    {
        QString s;
        for (const char *name : names) {
            // Through the property: the support library links no widgets.
            const QObject *w = parent.findChild<QObject *>(QLatin1String(name));
            s += !w ? u'?' : w->property("enabled").toBool() ? u'1' : u'0';
        }
        return s;
    }
    // A 71-byte reply as the station sends it: 'O', settings bytes 0 .. 68, their sum.
    static QByteArray reply(const QByteArray &settings69)
    {
        quint8 sum = 0;
        for (char b : settings69)
            sum = quint8(sum + quint8(b));
        return 'O' + settings69 + char(sum);
    }
    // The whole file; fails the running test when it cannot be opened.
    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            QTest::qFail(qPrintable("cannot open " + path), __FILE__, __LINE__);
        return file.readAll();
    }
    // Sets the process time zone (TZ) for local-time texts.
    static void setZone(const char *tz)
    {
        qputenv("TZ", tz);
#ifdef Q_OS_WIN
        _tzset();
#else
        ::tzset();
#endif
    }
};

// Declares `T *var` as the child `name` of parent; fails and leaves the running
// test when there is none, so a renamed form widget fails one test only.
#define CHILD(T, var, parent, name)                                                                \
    T *var = (parent)->findChild<T *>(QLatin1String(name));                                        \
    QVERIFY2(var, qPrintable(QStringLiteral("no child ") + QLatin1String(name)))
