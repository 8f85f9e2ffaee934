#pragma once
// Builds frames as a module sends them: the counterpart of PacketDecoder, used
// by the benchmark, the module simulator and the tests.

#include "net/Data.h"

#include <QByteArray>

class ModuleFrame
{
public:
    // 51-byte measurement body (tag "250") with a correct checksum. The
    // suppression byte of every channel is `suppression`; `sequence` is the
    // command sequence byte of channel 0.
    static QByteArray measurementBody(const DATA &record, quint8 sequence = 0,
                                      quint8 suppression = 0);
    // 51-byte bypass block body (tag "1508"); runs are (start, mark, count).
    struct Run
    {
        quint16 start;
        quint8 mark;
        quint16 count;
    };
    static QByteArray bypassBlockBody(quint8 module, quint8 block, const QVector<Run> &runs);
    // 51-byte tag-350 body.
    static QByteArray tag350Body();
    // 6156-byte bulk body carrying a 6144-entry bypass map.
    static QByteArray bulkBody(quint8 module, const QByteArray &map);

    // Header + body: 0x8C04 and length for a short body, 0x5419 and length for a bulk body.
    static QByteArray frame(quint16 kind, const QByteArray &body);
    static QByteArray shortFrame(const QByteArray &body);

    // Recomputes the checksum byte of a short or bulk body in place.
    static void seal(QByteArray &body);
};
