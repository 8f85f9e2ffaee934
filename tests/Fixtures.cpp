#include "Fixtures.h"

#include <QFile>
#include <QTest>

#include <ctime>

EVENT Fixtures::event(qint64 start, qint64 end, int type, int peak, int threshold, double freq,
                      quint8 module, bool inProgress)
{
    return EVENT{ start, end, qint16(peak), qint16(threshold), freq, type, inProgress, module };
}

CHANNEL Fixtures::detection(int type, int level, int threshold, double freq)
{
    return CHANNEL{ 1, type, level, threshold, 0, 0, 0, freq };
}

DATA Fixtures::record(quint8 module, const CHANNEL &c0, const CHANNEL &c1, const CHANNEL &c2)
{
    return DATA{ module, 0, 0, 0, { c0, c1, c2 } };
}

DATA Fixtures::status(quint8 module, qint32 s0, qint32 s1, qint32 s2)
{
    DATA d;
    d.nID = module;
    d.nFormat = 4;
    d.nRSSI = 31;
    d.channel[0].nState = s0;
    d.channel[1].nState = s1;
    d.channel[2].nState = s2;
    d.channel[0].cntDis = 3;
    return d;
}

QString Fixtures::dump(const DATA &d)
{
    QString s =
        QStringLiteral("%1 %2 %3 %4").arg(d.nID).arg(d.nFormat).arg(d.nRSSI).arg(d.nLinkSeq);
    for (const CHANNEL &c : d.channel) {
        s += QStringLiteral(" | %1 %2 %3 %4 %5 %6 %7 %8")
                 .arg(c.nState)
                 .arg(c.nType)
                 .arg(c.nLevel)
                 .arg(c.nThreshold)
                 .arg(c.nNoise)
                 .arg(c.cntDis)
                 .arg(c.cntTim)
                 .arg(c.dFreqMHz, 0, 'g', 17);
    }
    return s;
}

QString Fixtures::dump(const QList<EVENT> &events)
{
    QStringList out;
    for (const EVENT &e : events) {
        out.append(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
                       .arg(e.tStartTime)
                       .arg(e.tEndTime)
                       .arg(e.nPeakLevel)
                       .arg(e.nThresholdLevel)
                       .arg(e.dFreqMHz, 0, 'g', 17)
                       .arg(e.nType)
                       .arg(e.bInProgress)
                       .arg(e.nModule));
    }
    return out.join(u'\n');
}

QString Fixtures::enabled(const QObject &parent, const QList<const char *> &names)
{
    QString s;
    for (const char *name : names) {
        // Through the property: the support library links no widgets.
        const QObject *w = parent.findChild<QObject *>(QLatin1String(name));
        s += !w ? u'?' : w->property("enabled").toBool() ? u'1' : u'0';
    }
    return s;
}

QByteArray Fixtures::reply(const QByteArray &settings69)
{
    quint8 sum = 0;
    for (char b : settings69)
        sum = quint8(sum + quint8(b));
    return QByteArray(1, 'O') + settings69 + QByteArray(1, char(sum));
}

QByteArray Fixtures::readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        QTest::qFail(qPrintable(QStringLiteral("cannot open %1").arg(path)), __FILE__, __LINE__);
    return file.readAll();
}

void Fixtures::setZone(const char *tz)
{
    qputenv("TZ", tz);
#ifdef Q_OS_WIN
    _tzset();
#else
    ::tzset();
#endif
}
