#pragma once
// Turns one frame body from a module into a DATA record, and keeps the device
// model's per-module bookkeeping (last channels, bypass map, sequence byte,
// scan frequency, debug statistics) up to date.

#include "net/CMasterDevice.h"
#include "net/Data.h"

class PacketDecoder
{
public:
    // Returns a Wire::DecodeResult. The record is emitted by the caller for
    // DecodeMeasurement and DecodeBypass only.
    static int Decode(CMasterDevice &device, const char *body, quint16 length, DATA &record,
                      quint16 kind);

    // Sum of bytes modulo 256.
    static quint8 checksum(const char *bytes, int count);

private:
    static int decodeShort(CMasterDevice &device, const quint8 *b, DATA &record);
    static int decodeBulk(CMasterDevice &device, const quint8 *b, DATA &record);
};
