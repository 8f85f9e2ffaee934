// Cuts a byte stream into notifications at random places and feeds them to one
// FrameAssembler. Input: four bytes that seed the cuts, then the stream.

#include "FuzzEnvironment.h"

#include "net/FrameAssembler.h"

#include <QtEndian>
#include <algorithm>

namespace {

using Event = FrameAssembler::Event;

// Mostly a few bytes, as a slow link delivers them; sometimes none or a lot.
int cutLength(quint32 r)
{
    const quint32 pick = r % 16, rest = r >> 4;
    return pick == 0 ? 0 : pick == 1 ? int(rest % 8192) : pick < 4 ? 1 : 1 + int(rest % 64);
}

QByteArray word(quint16 w)
{
    return QByteArray(1, char(w >> 8)) + char(w);
}

} // namespace

void fuzzOne(const QByteArray &input)
{
    if (input.size() < 4)
        return;
    quint32 seed = qFromBigEndian<quint32>(input.constData());
    const QByteArray stream = input.mid(4);

    FrameAssembler assembler;
    qsizetype fed = 0;    // stream bytes handed to the assembler so far
    qsizetype cursor = 0; // stream position after the last event found
    while (fed < stream.size()) {
        seed = seed * 1103515245u + 12345u;
        const qsizetype length = std::min<qsizetype>(cutLength(seed >> 8), stream.size() - fed);
        const int before = assembler.buffered();
        const QVector<Event> events = assembler.feed(stream.mid(fed, length));
        fed += length;
        // Nothing made up, and at most one partial frame held.
        FUZZ_CHECK(assembler.buffered() >= 0);
        FUZZ_CHECK(assembler.buffered() <= before + length);
        FUZZ_CHECK(assembler.buffered() <= 0xFFFF);

        // Every frame body right after a header declaring its length (or the implied
        // short header 00 33), frames and unknown header words in stream order.
        const QByteArrayView seen = QByteArrayView(stream).first(fed);
        for (const Event &e : events) {
            QByteArray header = word(e.kind);
            if (e.type == Event::UnknownHeader) {
                FUZZ_CHECK(e.body.isEmpty());
            } else {
                FUZZ_CHECK(e.type == Event::Frame);
                FUZZ_CHECK(e.kind == 0x8C04 || e.kind == 0x5419);
                FUZZ_CHECK(e.body.size() <= 0xFFFF);
                header += word(quint16(e.body.size())) + e.body;
            }
            qsizetype at = seen.indexOf(header, cursor);
            qsizetype end = at + header.size();
            if (e.type == Event::Frame && e.kind == 0x8C04 && e.body.size() == 51) {
                const QByteArray implied = word(0x0033) + e.body;
                const qsizetype i = seen.indexOf(implied, cursor);
                if (i >= 0 && (at < 0 || i < at)) {
                    at = i;
                    end = i + implied.size();
                }
            }
            FUZZ_CHECK(at >= 0);
            cursor = end;
        }
    }
}
