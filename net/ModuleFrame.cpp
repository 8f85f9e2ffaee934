#include "net/ModuleFrame.h"

#include "net/PacketDecoder.h"
#include "net/WireProtocol.h"

#include <QVector>
#include <cstring>

namespace {

void putByte(QByteArray &b, int at, int value)
{
    b[at] = char(quint8(value));
}

} // namespace

void ModuleFrame::seal(QByteArray &body)
{
    if (body.size() == Wire::ShortBodyLength)
        putByte(body, Wire::ShortChecksumIndex,
                PacketDecoder::checksum(body.constData(), Wire::ShortChecksumIndex));
    else if (body.size() == Wire::BulkBodyLength)
        putByte(body, Wire::BulkChecksumIndex,
                PacketDecoder::checksum(body.constData(), Wire::BulkChecksumIndex));
}

QByteArray ModuleFrame::measurementBody(const DATA &r, quint8 sequence, quint8 suppression)
{
    QByteArray b(Wire::ShortBodyLength, '\0');
    std::memcpy(b.data(), "250", 3);
    putByte(b, Wire::MeasRssi, r.nRSSI);
    putByte(b, Wire::MeasFormat, r.nFormat);
    putByte(b, Wire::MeasModule, r.nID);
    putByte(b, Wire::MeasLinkSeq, r.nLinkSeq);
    for (int n = 0; n < DATA::ChannelCount; ++n) {
        const int at = Wire::MeasFirstChannel + Wire::ChannelBlockSize * n;
        const CHANNEL &c = r.channel[n];
        putByte(b, at + Wire::ChType, c.nType);
        putByte(b, at + Wire::ChLevel, c.nLevel + Wire::LevelOffset);
        putByte(b, at + Wire::ChThreshold, c.nThreshold + Wire::LevelOffset);
        putByte(b, at + Wire::ChNoise, c.nNoise + Wire::LevelOffset);
        const qint32 khz = qint32(qRound64(c.dFreqMHz * 1000.0));
        for (int i = 0; i < 4; ++i)
            putByte(b, at + Wire::ChFreqKHz + i, int(quint32(khz) >> (24 - 8 * i)));
        putByte(b, at + Wire::ChState, c.nState);
        putByte(b, at + Wire::ChSuppression, suppression);
        putByte(b, at + Wire::ChCntDis, c.cntDis);
        putByte(b, at + Wire::ChCntTim, c.cntTim);
        if (n == 0)
            putByte(b, at + Wire::ChSequence, sequence);
    }
    seal(b);
    return b;
}

QByteArray ModuleFrame::bypassBlockBody(quint8 module, quint8 block, const QVector<Run> &runs)
{
    QByteArray b(Wire::ShortBodyLength, '\0');
    std::memcpy(b.data(), "1508", 4);
    putByte(b, Wire::BypassModule, module);
    putByte(b, Wire::BypassBlockNumber, block);
    for (int i = 0; i < runs.size() && i < Wire::BypassRunCount; ++i) {
        const int at = Wire::BypassRuns + Wire::BypassRunSize * i;
        const quint16 word = quint16((runs[i].mark << 12) | (runs[i].count & 0x0FFF));
        putByte(b, at, runs[i].start >> 8);
        putByte(b, at + 1, runs[i].start);
        putByte(b, at + 2, word >> 8);
        putByte(b, at + 3, word);
    }
    seal(b);
    return b;
}

QByteArray ModuleFrame::tag350Body()
{
    QByteArray b(Wire::ShortBodyLength, '\0');
    std::memcpy(b.data(), "350", 3);
    seal(b);
    return b;
}

QByteArray ModuleFrame::bulkBody(quint8 module, const QByteArray &map)
{
    QByteArray b(Wire::BulkBodyLength, '\0');
    putByte(b, 0, module);
    for (int i = 0; i < Wire::BypassMapSize && i < map.size(); ++i)
        putByte(b, Wire::BulkMapOffset + i, quint8(map[i]) ^ Wire::BulkMapXor);
    for (int i = map.size(); i < Wire::BypassMapSize; ++i)
        putByte(b, Wire::BulkMapOffset + i, Wire::BulkMapXor);
    seal(b);
    return b;
}

QByteArray ModuleFrame::frame(quint16 kind, const QByteArray &body)
{
    QByteArray f;
    f.reserve(4 + body.size());
    f.append(char(kind >> 8)).append(char(kind));
    f.append(char(quint16(body.size()) >> 8)).append(char(body.size()));
    f.append(body);
    return f;
}

QByteArray ModuleFrame::shortFrame(const QByteArray &body)
{
    return frame(Wire::KindShort, body);
}
