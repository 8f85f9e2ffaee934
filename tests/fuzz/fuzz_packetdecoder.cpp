// Decodes a sequence of frame bodies with one device model whose modules 0 .. 31
// and 250 .. 255 have records, and builds the reply after each, as the server does.
// Input: frames, each a control byte and then its body (missing bytes are zero).
//   bits 0-1  0: short frame (0x8C04, 51 bytes)  1: bulk frame (0x5419, 6156 bytes)
//             2: short kind, length from the next byte  3: kind from the next two bytes, 51 bytes
//   bit 2     set the checksum byte right, so that the fuzzer gets past it
//   bit 3     reopen every record's bypass transfer (a finished map takes no more blocks)
//   bit 4     start a bypass upload of (bits 5-7) + 1 entries on every record

#include "FuzzEnvironment.h"

#include "net/CMasterDevice.h"
#include "net/PacketDecoder.h"
#include "net/StationGlobals.h"

#include <numeric>
#include <vector>

namespace {

quint8 sum(const void *bytes, size_t count)
{
    const auto *b = static_cast<const quint8 *>(bytes);
    return quint8(std::accumulate(b, b + count, 0u));
}

} // namespace

void fuzzOne(const QByteArray &input)
{
    // The known modules with their default records, made once: filling 38 fresh
    // bypass maps for every input would take most of the fuzzer's time.
    static const QMap<quint8, ModuleRecord> known = [] {
        CMasterDevice device;
        for (int m = 0; m < 256; m = m == 31 ? 250 : m + 1)
            device.SetDefaultSettings(quint8(m));
        return device.records();
    }();
    StationGlobals::reset();
    CMasterDevice device;
    device.records() = known;
    const int recordCount = device.records().size();
    device.bypassBeginList = { 925, 2400, 5000 };
    device.bypassEndList = { 935 }; // shorter on purpose: a list may end early
    device.bypassKind = 4;

    qsizetype pos = 0;
    const auto next = [&] { return pos < input.size() ? quint8(input[pos++]) : quint8(0); };
    DATA record;
    for (int frames = 0; pos < input.size() && frames < 64; ++frames) {
        const quint8 control = next();
        const int form = control & 3;
        quint16 kind = form == 1 ? 0x5419 : 0x8C04;
        size_t length = form == 1 ? 6156 : 51;
        if (form == 2)
            length = next();
        if (form == 3) {
            kind = quint16(next() << 8);
            kind |= next();
        }
        // Exactly `length` bytes on the heap, so that reading past the body is caught.
        std::vector<quint8> body(length);
        for (quint8 &b : body)
            b = next();
        if ((control & 4) && (length == 51 || length == 6156))
            body[length - 2] = sum(body.data(), length - 2);
        for (ModuleRecord &r : device.records()) {
            if (control & 8)
                r.bypassMapComplete = 0;
            if (control & 16) {
                r.settings[SettingsBlock::UploadIndex] = 0;
                r.settings[SettingsBlock::UploadCount] = quint8((control >> 5) + 1);
            }
        }

        const quint8 previousId = record.nID;
        const int result = PacketDecoder::Decode(
            device, reinterpret_cast<const char *>(body.data()), quint16(length), record, kind);
        const bool shortFrame = kind == 0x8C04 && length == 51;
        FUZZ_CHECK(result >= Wire::DecodeInvalid && result <= Wire::DecodeTag350);
        FUZZ_CHECK(result != Wire::DecodeMeasurement || record.nFormat == 4);
        FUZZ_CHECK(result != Wire::DecodeBypass || record.nID == body[shortFrame ? 4 : 0]);
        if (!shortFrame && !(kind == 0x5419 && length == 6156))
            FUZZ_CHECK(result == Wire::DecodeInvalid && record.nID == previousId);

        device.BuildReply(record);
        const QByteArray &reply = device.reply();
        FUZZ_CHECK(reply.size() == 71);
        if (device.hasRecord(record.nID))
            FUZZ_CHECK(quint8(reply[0]) == 0x4F
                       && quint8(reply[70]) == sum(reply.constData() + 1, 69));
        else
            FUZZ_CHECK(reply == QByteArray(71, '\0'));
        FUZZ_CHECK(device.records().size() == recordCount);
        for (const ModuleRecord &r : device.records())
            FUZZ_CHECK(r.bypassMap.size() == 6144);
    }
}
