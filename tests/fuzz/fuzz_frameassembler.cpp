// Cuts a byte stream into notifications at random places and feeds them to
// one FrameAssembler. Input: four bytes that seed the cuts, then the stream.
//
// Checked after every notification:
// - nothing is made up: what stays buffered is at most what was buffered
//   before plus what was fed;
// - at most one partial frame stays: no more than the longest body a length
//   word can declare (0xFFFF bytes);
// - every frame body lies in the stream right after a header declaring its
//   length (kind word and length word, or the implied short header 00 33 for
//   51 bytes), and frames and unknown header words come in stream order.

#include "FuzzEnvironment.h"

#include "net/FrameAssembler.h"

#include <QByteArray>
#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

using Event = FrameAssembler::Event;

// Mostly a few bytes, as a slow link delivers them; sometimes none or a lot.
int cutLength(quint32 r)
{
    switch (r % 16) {
    case 0:
        return 0;
    case 1:
        return int(r >> 4) % 8192;
    case 2:
    case 3:
        return 1;
    default:
        return 1 + int(r >> 4) % 64;
    }
}

QByteArray word(quint16 w)
{
    const char b[2] = { char(w >> 8), char(w) };
    return QByteArray(b, 2);
}

// Where `bytes` first lie in the stream at or after `from`, ending within the
// first `fed` bytes; -1 if they do not.
qsizetype find(const QByteArray &stream, qsizetype fed, qsizetype from, const QByteArray &bytes)
{
    const qsizetype at = stream.indexOf(bytes, from);
    return at >= 0 && at + bytes.size() <= fed ? at : -1;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzEnvironment::isolate();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 4)
        return 0;
    quint32 seed = (quint32(data[0]) << 24) | (quint32(data[1]) << 16) | (quint32(data[2]) << 8) | data[3];
    const QByteArray stream(reinterpret_cast<const char *>(data + 4), qsizetype(size - 4));

    FrameAssembler assembler;
    qsizetype fed = 0;    // stream bytes handed to the assembler so far
    qsizetype cursor = 0; // stream position after the last event found
    while (fed < stream.size()) {
        seed = seed * 1103515245u + 12345u;
        const qsizetype length = std::min<qsizetype>(cutLength(seed >> 8), stream.size() - fed);
        const int before = assembler.buffered();
        const QVector<Event> events = assembler.feed(stream.mid(fed, length));
        fed += length;

        FUZZ_CHECK(assembler.buffered() >= 0);
        FUZZ_CHECK(assembler.buffered() <= before + length);
        FUZZ_CHECK(assembler.buffered() <= 0xFFFF);

        for (const Event &e : events) {
            if (e.type == Event::UnknownHeader) {
                FUZZ_CHECK(e.body.isEmpty());
                const qsizetype at = find(stream, fed, cursor, word(e.kind));
                FUZZ_CHECK(at >= 0);
                cursor = at + 2;
                continue;
            }
            FUZZ_CHECK(e.type == Event::Frame);
            FUZZ_CHECK(e.kind == 0x8C04 || e.kind == 0x5419);
            FUZZ_CHECK(e.body.size() <= 0xFFFF);
            const QByteArray header = word(e.kind) + word(quint16(e.body.size()));
            qsizetype at = find(stream, fed, cursor, header + e.body);
            qsizetype end = at + header.size() + e.body.size();
            if (e.kind == 0x8C04 && e.body.size() == 51) {
                const qsizetype implied = find(stream, fed, cursor, word(0x0033) + e.body);
                if (implied >= 0 && (at < 0 || implied < at)) {
                    at = implied;
                    end = implied + 2 + 51;
                }
            }
            FUZZ_CHECK(at >= 0);
            cursor = end;
        }
    }
    return 0;
}
