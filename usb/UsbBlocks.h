#pragma once
// The 320-byte request and answer blocks of the USB link, the half-byte
// carriage of the FT245R bridge, and the Wi-Fi board's AT pass-through: byte
// layouts and parsing only, no I/O.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>

namespace UsbBlocks {

constexpr int BlockSize = 320;
using Block = std::array<quint8, BlockSize>;

// Bridge kinds and the descriptions they are opened by.
constexpr int KindNone = 0;
constexpr int KindFt1248 = 1; // blocks byte for byte
constexpr int KindFifo = 2;   // each byte as two half-bytes, high half first
constexpr const char *Ft1248Description = "FT220X 4-BIT FT1248";
constexpr const char *FifoDescription = "FT245R USB FIFO";

// Wi-Fi board: an AT command between 'Q' and '}'.
constexpr quint8 AtCommand = 'Q';
constexpr quint8 AtEnd = '}';
constexpr int MaxAtText = 318;

// FT245R carriage: 640 bytes for 320, and back (low 8 bits of first*16+second&15).
QByteArray splitHalfBytes(const Block &block);
Block joinHalfBytes(const QByteArray &wire);

// AT pass-through request for the command text (local 8-bit, at most 318 characters).
Block atRequest(const QString &text);
// The answer's bytes before the first '}', one character each.
QString answerText(const Block &answer);
// The Wi-Fi board's text: the answer written over the command from its first
// character on (a shorter answer leaves the command's tail behind it).
QString atResult(const QString &command, const Block &answer);
// Answers beginning with these four bytes.
bool beginsWith(const Block &answer, const char *prefix);
// Skips `skip` commas, then collects up to the separator (',' or '[') that
// makes `take` separators; the ones before it stay in the result.
QString field(const QString &answer, int skip, int take);
// "major.minor.build" from a firmware byte (major*10+minor) and a build byte.
QString firmwareText(quint8 version, quint8 build);

// Four numbers 0-255 separated by dots (or also by commas).
bool isValidAddress(const QString &text, bool commasToo);

} // namespace UsbBlocks
