#include "net/PcapNg.h"

#include "net/LittleEndian.h"

#include <QRegularExpression>

namespace {

constexpr quint16 OptEnd = 0;
constexpr quint16 OptComment = 1;
constexpr quint16 OptFlags = 2;
constexpr int MinBlock = 12; // type, length, trailing length

using LittleEndian::put16;
using LittleEndian::put32;

void pad(QByteArray &b)
{
    while (b.size() % 4 != 0)
        b.append('\0');
}

void option(QByteArray &b, quint16 code, const QByteArray &value)
{
    put16(b, code);
    put16(b, quint16(value.size()));
    b.append(value);
    pad(b);
}

// Type, length, body, length again.
QByteArray block(quint32 type, const QByteArray &body)
{
    QByteArray b;
    const quint32 length = quint32(body.size() + MinBlock);
    put32(b, type);
    put32(b, length);
    b.append(body);
    put32(b, length);
    return b;
}

quint32 get32(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 get16(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

} // namespace

QByteArray PcapNg::fileHeader()
{
    QByteArray shb;
    put32(shb, ByteOrderMagic);
    put16(shb, 1);          // major version
    put16(shb, 0);          // minor version
    put32(shb, 0xFFFFFFFF); // section length not given
    put32(shb, 0xFFFFFFFF);
    QByteArray idb;
    put16(idb, LinkTypeUser0);
    put16(idb, 0); // reserved
    put32(idb, 0); // no snapshot limit
    return block(SectionHeaderType, shb) + block(InterfaceType, idb);
}

QByteArray PcapNg::enhancedPacket(const Packet &packet)
{
    QByteArray body;
    body.reserve(packet.data.size() + 80);
    const quint64 ts = quint64(packet.timeUs);
    put32(body, 0); // interface
    put32(body, quint32(ts >> 32));
    put32(body, quint32(ts));
    put32(body, quint32(packet.data.size()));
    put32(body, quint32(packet.data.size()));
    body.append(packet.data);
    pad(body);
    QByteArray flags;
    put32(flags, packet.direction == Direction::Received ? FlagInbound : FlagOutbound);
    option(body, OptFlags, flags);
    // Built as bytes: this runs for every packet of a capture.
    QByteArray text;
    text.reserve(40);
    text.append("module ").append(QByteArray::number(packet.module));
    text.append(" connection ").append(QByteArray::number(packet.connection));
    text.append(packet.direction == Direction::Received ? " received" : " sent");
    option(body, OptComment, text);
    put32(body, OptEnd); // opt_endofopt: code 0, length 0
    return block(EnhancedPacketType, body);
}

bool PcapNg::read(const QByteArray &file, QVector<Packet> &packets, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    static const QRegularExpression commentPattern(
        QStringLiteral("^module (\\d+) connection (\\d+) (received|sent)$"));
    packets.clear();
    int at = 0;
    bool section = false;
    while (at < file.size()) {
        if (file.size() - at < MinBlock)
            return fail(QStringLiteral("truncated block at byte %1").arg(at));
        const quint32 type = get32(file, at);
        const quint32 length = get32(file, at + 4);
        if (length < MinBlock || length % 4 != 0 || length > quint32(file.size() - at)
            || get32(file, at + int(length) - 4) != length)
            return fail(QStringLiteral("bad block length at byte %1").arg(at));
        const QByteArray body = file.mid(at + 8, int(length) - MinBlock);
        if (type == SectionHeaderType) {
            if (body.size() < 4 || get32(body, 0) != ByteOrderMagic)
                return fail(QStringLiteral("not a little-endian pcapng section"));
            section = true;
        } else if (!section) {
            return fail(QStringLiteral("not a pcapng file"));
        } else if (type == InterfaceType) {
            if (body.size() < 2 || get16(body, 0) != LinkTypeUser0)
                return fail(QStringLiteral("not a module-link capture"));
        } else if (type == EnhancedPacketType) {
            if (body.size() < 20)
                return fail(QStringLiteral("short packet block at byte %1").arg(at));
            Packet p;
            p.timeUs = qint64(quint64(get32(body, 4)) << 32 | get32(body, 8));
            const quint32 captured = get32(body, 12);
            if (captured > quint32(body.size() - 20))
                return fail(QStringLiteral("bad packet length at byte %1").arg(at));
            p.data = body.mid(20, int(captured));
            int opt = 20 + int((captured + 3) / 4 * 4);
            bool haveComment = false;
            while (opt + 4 <= body.size()) {
                const quint16 code = get16(body, opt);
                const quint16 len = get16(body, opt + 2);
                if (code == OptEnd || opt + 4 + len > body.size())
                    break;
                const QByteArray value = body.mid(opt + 4, len);
                if (code == OptComment) {
                    const auto m = commentPattern.match(QString::fromLatin1(value));
                    if (m.hasMatch()) {
                        haveComment = true;
                        p.module = quint8(m.captured(1).toUInt());
                        p.connection = m.captured(2).toUInt();
                        p.direction = m.captured(3) == QLatin1String("received")
                            ? Direction::Received
                            : Direction::Sent;
                    }
                }
                opt += 4 + (len + 3) / 4 * 4;
            }
            if (!haveComment)
                return fail(QStringLiteral("packet block at byte %1 names no module").arg(at));
            packets.append(p);
        } // other blocks are skipped
        at += int(length);
    }
    if (!section)
        return fail(QStringLiteral("not a pcapng file"));
    return true;
}
