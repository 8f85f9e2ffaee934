#pragma once
// Constants of the module link: frame headers, packet layouts and the reply.
// All multi-byte numbers on the wire are big-endian.

#include <QtGlobal>

namespace Wire {

constexpr quint16 DefaultPort = 2323;

// Frame header words.
constexpr quint16 KindShort = 0x8C04;    // 51-byte short frame follows its length word
constexpr quint16 KindBulk = 0x5419;     // 6156-byte bulk bypass map follows its length word
constexpr quint16 ShortImplied = 0x0033; // short frame with implied kind and length
constexpr char UnknownHeaderAnswer = char(0xD6);

constexpr int ShortBodyLength = 51;
constexpr int ShortChecksumIndex = 49; // sum of bytes 0 .. 48
constexpr int BulkBodyLength = 6156;
constexpr int BulkMapOffset = 10;
constexpr int BulkChecksumIndex = 6154; // sum of bytes 0 .. 6153
constexpr quint8 BulkMapXor = 0x55;

// Measurement packet, tag "250".
constexpr int MeasRssi = 3;
constexpr int MeasFormat = 4;
constexpr int MeasModule = 5;
constexpr int MeasLinkSeq = 6;
constexpr int MeasFirstChannel = 7;
constexpr int ChannelBlockSize = 14;
constexpr quint8 MeasurementFormat = 4;

// Offsets within a 14-byte channel block.
constexpr int ChType = 1;
constexpr int ChLevel = 2;
constexpr int ChThreshold = 3;
constexpr int ChNoise = 4;
constexpr int ChFreqKHz = 5; // signed 32-bit
constexpr int ChState = 9;
constexpr int ChSuppression = 10;
constexpr int ChCntDis = 11;
constexpr int ChCntTim = 12;
constexpr int ChSequence = 13; // channel 0 only

constexpr int LevelOffset = 102;   // dBm + 102 in one byte
constexpr qint8 NoLinkFigure = 56; // nRSSI value: the module has no link figure

// Bypass block packet, tag "1508".
constexpr int BypassModule = 4;
constexpr int BypassBlockNumber = 5;
constexpr int BypassRuns = 9;
constexpr int BypassRunCount = 10;
constexpr int BypassRunSize = 4;

constexpr int BypassMapSize = 6144;

// Marks of a bypass map entry (one bit each); also the bypass kind of an upload.
constexpr quint8 BypassMarkDigital = 1;
constexpr quint8 BypassMarkPattern1 = 2;
constexpr quint8 BypassMarkPattern2 = 4;
constexpr quint8 BypassMarkManual = 8;

// Reply.
constexpr int ReplyLength = 71;
constexpr quint8 ReplyMarker = 0x4F;
constexpr int ReplySettingsBytes = 69; // settings bytes 0 .. 68
constexpr int ReplyChecksumIndex = 70; // sum of reply bytes 1 .. 69

// Decode results.
enum DecodeResult { DecodeInvalid = 0, DecodeMeasurement = 1, DecodeBypass = 2, DecodeTag350 = 3 };

} // namespace Wire
