#pragma once
// The pcapng blocks of a module-link capture: one section header, one
// interface of a user link type, one enhanced packet block per frame or reply
// with its direction in the packet flags and its module and connection in the
// block's comment. Written little-endian; reading takes what this writes.

#include <QByteArray>
#include <QString>
#include <QVector>

class PcapNg
{
public:
    static constexpr quint32 SectionHeaderType = 0x0A0D0D0A;
    static constexpr quint32 InterfaceType = 0x00000001;
    static constexpr quint32 EnhancedPacketType = 0x00000006;
    static constexpr quint32 ByteOrderMagic = 0x1A2B3C4D;
    static constexpr quint16 LinkTypeUser0 = 147;
    // Packet flags: bits 0 .. 1 are the direction.
    static constexpr quint32 FlagInbound = 1;
    static constexpr quint32 FlagOutbound = 2;

    enum class Direction { Received, Sent };
    struct Packet
    {
        qint64 timeUs = 0; // microseconds since 1970-01-01 00:00 UTC
        Direction direction = Direction::Received;
        quint8 module = 0;
        quint32 connection = 0;
        QByteArray data;
        bool operator==(const Packet &o) const
        {
            return timeUs == o.timeUs && direction == o.direction && module == o.module
                && connection == o.connection && data == o.data;
        }
    };

    // Section header and interface description: what a file starts with.
    static QByteArray fileHeader();
    static QByteArray enhancedPacket(const Packet &packet);

    // Every enhanced packet block of a file written by this class; false with a
    // reason when the bytes are not such a file.
    static bool read(const QByteArray &file, QVector<Packet> &packets, QString *error);
};
