#include "settings/BypassRanges.h"

QVector<BypassRange> BypassRanges::fromMap(const QVector<quint8> &map, quint8 mask)
{
    QVector<BypassRange> rows;
    int s = 0;
    int t = 0;
    for (int i = 0; i < map.size(); ++i) {
        if (map.at(i) & mask) {
            if (s == 0)
                s = i;
            else
                t = i;
            continue;
        }
        if (s == 0)
            continue;
        BypassRange r;
        r.number = rows.size() + 1;
        if (t == 0) {
            t = s;
            r.band = 1;
        } else {
            r.band = t - s;
        }
        r.start = s;
        r.end = t;
        for (int k = s; k <= t; ++k)
            r.marks |= map.at(k) & mask;
        rows.append(r);
        s = t = 0;
    }
    return rows;
}
