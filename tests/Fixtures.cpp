#include "Fixtures.h"

#include <QFile>
#include <QTest>

EVENT Fixtures::event(qint64 start, qint64 end, int type, int peak, int threshold, double freq,
                      quint8 module, bool inProgress)
{
    EVENT e;
    e.tStartTime = start;
    e.tEndTime = end;
    e.nType = type;
    e.nPeakLevel = qint16(peak);
    e.nThresholdLevel = qint16(threshold);
    e.dFreqMHz = freq;
    e.nModule = module;
    e.bInProgress = inProgress;
    return e;
}

CHANNEL Fixtures::detection(int type, int level, int threshold, double freq)
{
    CHANNEL c;
    c.nState = 1;
    c.nType = type;
    c.nLevel = level;
    c.nThreshold = threshold;
    c.dFreqMHz = freq;
    return c;
}

DATA Fixtures::record(quint8 module, const CHANNEL &c0, const CHANNEL &c1, const CHANNEL &c2)
{
    DATA d;
    d.nID = module;
    d.channel[0] = c0;
    d.channel[1] = c1;
    d.channel[2] = c2;
    return d;
}

QByteArray Fixtures::readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        QTest::qFail(qPrintable(QStringLiteral("cannot open %1").arg(path)), __FILE__, __LINE__);
    return file.readAll();
}
