#include "Fixtures.h"

#include <QSqlDatabase>
#include <QSqlQuery>

QString Fixtures::dump(const DATA &d)
{
    QString s = QString::asprintf("%d %d %d %d", d.nID, d.nFormat, d.nRSSI, d.nLinkSeq);
    for (const CHANNEL &c : d.channel)
        s += QString::asprintf(" | %d %d %d %d %d %d %d %.17g", c.nState, c.nType, c.nLevel,
                               c.nThreshold, c.nNoise, c.cntDis, c.cntTim, c.dFreqMHz);
    return s;
}

QString Fixtures::dump(const QList<EVENT> &events)
{
    QStringList out;
    for (const EVENT &e : events)
        out << QString::asprintf("%lld %lld %d %d %.17g %d %d %d", qlonglong(e.tStartTime),
                                 qlonglong(e.tEndTime), e.nPeakLevel, e.nThresholdLevel, e.dFreqMHz,
                                 e.nType, int(e.bInProgress), int(e.nModule));
    return out.join(u'\n');
}

QStringList Fixtures::query(const QString &path, const QString &sql)
{
    QStringList out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fixtures");
        db.setDatabaseName(path);
        db.setConnectOptions("QSQLITE_OPEN_READONLY");
        QSqlQuery q(db);
        if (db.open() && q.exec(sql))
            while (q.next())
                out << q.value(0).toString();
    }
    QSqlDatabase::removeDatabase("fixtures");
    return out;
}
