#include "net/PacketDecoder.h"

#include "net/CSignalTypeStr.h"
#include "net/StationGlobals.h"
#include "net/WireProtocol.h"

#include <cstring>

namespace {

bool hasTag(const quint8 *b, const char *tag)
{
    return std::memcmp(b, tag, std::strlen(tag)) == 0;
}

qint32 readInt32(const quint8 *p)
{
    return qint32((quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | p[3]);
}

} // namespace

quint8 PacketDecoder::checksum(const char *bytes, int count)
{
    quint8 sum = 0;
    for (int i = 0; i < count; ++i)
        sum += quint8(bytes[i]);
    return sum;
}

int PacketDecoder::Decode(CMasterDevice &device, const char *body, quint16 length, DATA &record,
                          quint16 kind)
{
    const auto *b = reinterpret_cast<const quint8 *>(body);
    if (kind == Wire::KindShort && length == Wire::ShortBodyLength)
        return decodeShort(device, b, record);
    if (kind == Wire::KindBulk && length == Wire::BulkBodyLength
        && checksum(body, Wire::BulkChecksumIndex) == b[Wire::BulkChecksumIndex])
        return decodeBulk(device, b, record);
    return Wire::DecodeInvalid;
}

int PacketDecoder::decodeShort(CMasterDevice &device, const quint8 *b, DATA &record)
{
    const bool sumOk = checksum(reinterpret_cast<const char *>(b), Wire::ShortChecksumIndex)
        == b[Wire::ShortChecksumIndex];
    record = DATA();
    if (!sumOk)
        return Wire::DecodeInvalid;

    if (hasTag(b, "1508")) {
        record.nID = b[Wire::BypassModule];
        device.StoreBypassBlock(b[Wire::BypassModule], b[Wire::BypassBlockNumber],
                                b + Wire::BypassRuns);
        return Wire::DecodeBypass;
    }
    if (hasTag(b, "250")) {
        record.nRSSI = qint8(b[Wire::MeasRssi]);
        record.nFormat = b[Wire::MeasFormat];
        if (record.nFormat != Wire::MeasurementFormat)
            return Wire::DecodeInvalid;
        record.nID = b[Wire::MeasModule];
        ModuleRecord *known = device.find(record.nID);
        record.nLinkSeq = b[Wire::MeasLinkSeq];
        device.SetModuleEcho(record.nID, b[Wire::MeasModule]);

        for (int n = 0; n < DATA::ChannelCount; ++n) {
            const quint8 *blk = b + Wire::MeasFirstChannel + Wire::ChannelBlockSize * n;
            CHANNEL &c = record.channel[n];
            c.nType = blk[Wire::ChType];
            c.nLevel = int(blk[Wire::ChLevel]) - Wire::LevelOffset;
            c.nThreshold = int(blk[Wire::ChThreshold]) - Wire::LevelOffset;
            c.nNoise = int(blk[Wire::ChNoise]) - Wire::LevelOffset;
            c.dFreqMHz = readInt32(blk + Wire::ChFreqKHz) / 1000.0;
            c.nState = blk[Wire::ChState];
            c.cntDis = blk[Wire::ChCntDis];
            c.cntTim = blk[Wire::ChCntTim];
            StationGlobals::suppressionQuality = blk[Wire::ChSuppression];
            if (!known)
                continue;
            if (c.nType == CSignalTypeStr::Scan) {
                if (c.dFreqMHz != 0.0)
                    known->scanFrequency = qint32(c.dFreqMHz);
                if (known->manualPause)
                    c.nThreshold = 0;
            }
            known->lastChannels[n] = c;
            if (n == 0)
                known->receivedSequence = blk[Wire::ChSequence];
        }

        if (known)
            StationGlobals::countDebugRecord(record);
        return Wire::DecodeMeasurement;
    }
    if (hasTag(b, "350"))
        return Wire::DecodeTag350;
    return Wire::DecodeInvalid;
}

int PacketDecoder::decodeBulk(CMasterDevice &device, const quint8 *b, DATA &record)
{
    // The record names the module that sent the map, so that the reply and
    // the emitted record belong to it and not to whoever reported last.
    record = DATA();
    record.nID = b[0];
    device.StoreBypassMap(b[0], b + Wire::BulkMapOffset, Wire::BypassMapSize);
    return Wire::DecodeBypass;
}
