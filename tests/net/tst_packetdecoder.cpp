// Decoding module frames into records and the device model, and the replies built from it.

#include "Fixtures.h"
#include "TestSettings.h"
#include "net/CMasterDevice.h"
#include "net/ModuleFrame.h"
#include "net/PacketDecoder.h"
#include "net/StationGlobals.h"

#include <QTest>

using namespace SettingsBlock;

namespace {

DATA measurement(quint8 module)
{
    DATA d = Fixtures::record(module, CHANNEL{ 1, 1, -60, -80, -90, 3, 0, 945.2 }, CHANNEL{ 0, 0, -102, -102, -102, 0, 0, 0.0 },
                              CHANNEL{ 0x20, 18, -50, -70, -95, 0, 0, 433.925 });
    d.nFormat = 4;
    d.nRSSI = 31;
    d.nLinkSeq = 9;
    return d;
}

// A block continues the transfer only when all ten runs are used; an unused
// run (start 0) marks the map complete. Pads with the last run.
QByteArray block(quint8 index, QVector<ModuleFrame::Run> runs)
{
    while (runs.size() < 10)
        runs.append(runs.last());
    return ModuleFrame::bypassBlockBody(2, index, runs);
}

int decode(CMasterDevice &device, const QByteArray &body, DATA &record, quint16 kind = Wire::KindShort)
{
    return PacketDecoder::Decode(device, body.constData(), quint16(body.size()), record, kind);
}

// One frame of module 7 with the given command sequence, and the reply to it.
QByteArray exchange(CMasterDevice &device, quint8 sequence)
{
    DATA rec;
    decode(device, ModuleFrame::measurementBody(measurement(7), sequence), rec);
    device.BuildReply(rec);
    return device.reply();
}

template <typename Bytes>
QList<int> at(const Bytes &bytes, std::initializer_list<int> indices)
{
    QList<int> out;
    for (int i : indices)
        out.append(quint8(bytes[i]));
    return out;
}

} // namespace

class TestPacketDecoder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init() { StationGlobals::reset(); }

    void measurementFillsTheRecord()
    {
        CMasterDevice device;
        DATA rec;
        const QByteArray body = ModuleFrame::measurementBody(measurement(7), 5, 87);
        // An unknown module is decoded, but gets no record.
        QCOMPARE(decode(device, body, rec), int(Wire::DecodeMeasurement));
        QVERIFY(!device.hasRecord(7));
        device.LoadModuleSettings(7);
        decode(device, body, rec);
        QCOMPARE(Fixtures::dump(rec), Fixtures::dump(measurement(7)));
        QCOMPARE(StationGlobals::suppressionQuality, 87);
        const ModuleRecord &r = device.record(7);
        QCOMPARE(QList<int>({r.settings[ModuleEcho], r.receivedSequence, r.scanFrequency, r.lastChannels[0].nLevel}),
                 QList<int>({7, 5, 433, -60})); // 433.925 MHz truncated
        // A manual pause zeroes the scan channel's threshold only.
        device.record(7).manualPause = true;
        decode(device, body, rec);
        QCOMPARE(QList<int>({rec.channel[0].nThreshold, rec.channel[2].nThreshold}), QList<int>({-80, 0}));
    }

    void bypassBlocks()
    {
        CMasterDevice device;
        device.LoadModuleSettings(2);
        ModuleRecord &r = device.record(2);
        r.bypassMap[50] = 7;
        DATA rec;
        // Some map cells, then the expected block, the command and the completion flag.
        const auto after = [&](const QByteArray &blockBody) {
            decode(device, blockBody, rec);
            return at(r.bypassMap, {50, 100, 201, 400, 925, 935, 936, 6143})
                   << r.expectedBypassBlock << r.settings[Command] << r.bypassMapComplete;
        };
        // Block 0 clears the map, writes its runs (the last cut at the map end) and asks for block 1.
        QCOMPARE(after(block(0, { { 925, 2, 11 }, { 6140, 1, 10 } })), QList<int>({0, 0, 0, 0, 2, 2, 0, 1, 1, 9, 0}));
        // The same block again is applied, but the command does not advance.
        QCOMPARE(after(block(0, { { 100, 4, 1 } })), QList<int>({0, 4, 0, 0, 0, 0, 0, 0, 1, 9, 0}));
        // Later blocks only overwrite their runs and toggle the command.
        QCOMPARE(after(block(1, { { 200, 8, 2 } })), QList<int>({0, 4, 8, 0, 0, 0, 0, 0, 2, 10, 0}));
        QCOMPARE(after(block(2, { { 300, 8, 1 } })), QList<int>({0, 4, 8, 0, 0, 0, 0, 0, 3, 9, 0}));
        // A run starting at 0 completes the map without changing it; then no more blocks are taken.
        QCOMPARE(after(ModuleFrame::bypassBlockBody(2, 3, { { 0, 1, 5 }, { 400, 1, 1 } })),
                 QList<int>({0, 4, 8, 0, 0, 0, 0, 0, 3, 9, 1}));
        QCOMPARE(after(block(0, { { 400, 1, 1 } })), QList<int>({0, 4, 8, 0, 0, 0, 0, 0, 3, 9, 1}));
    }

    void replyClearsOneShotsAndCountsAcknowledgements()
    {
        CMasterDevice device;
        device.LoadModuleSettings(7);
        ModuleRecord &r = device.record(7);
        r.settings[BypassBeginHi] = 3;
        r.settings[Command] = CommandEraseManualBypass;
        QCOMPARE(at(exchange(device, 1), {0, 1 + BypassBeginHi, 1 + Command}), QList<int>({0x4F, 3, 2}));
        QCOMPARE(at(r.settings, {BypassBeginHi, Command}), QList<int>({0, 0})); // erase acknowledged
        // Only a new sequence counts as an acknowledgement.
        exchange(device, 1);
        QCOMPARE(StationGlobals::ackCounter, 1);
        exchange(device, 2);
        QCOMPARE(StationGlobals::ackCounter, 2);
    }

    void bypassUploadSendsOneEntryPerReply()
    {
        CMasterDevice device;
        device.LoadModuleSettings(7);
        device.bypassBeginList = { 925, 2400 };
        device.bypassEndList = { 935, 2410 };
        device.bypassKind = 4;
        ModuleRecord &r = device.record(7);
        r.settings[UploadCount] = 2;
        // The module echoes the index it took as its sequence; the entry repeats until it does.
        const auto entry = [&](quint8 echoedIndex) {
            const QByteArray sent = exchange(device, echoedIndex).mid(1 + BypassBeginHi, 5).toHex();
            return sent + ' ' + QByteArray::number(r.settings[UploadIndex]);
        };
        QCOMPARE(entry(0), QByteArray("039d03a704 1"));
        QCOMPARE(entry(0), QByteArray("0960096a04 1"));
        QCOMPARE(entry(1), QByteArray("0960096a04 2"));
        // Upload over; its replies are no acknowledgements.
        QCOMPARE(QList<int>({r.settings[UploadCount], StationGlobals::ackCounter}), QList<int>({0, 0}));
    }

    void corruptedFramesNeverCrash()
    {
        CMasterDevice device;
        device.LoadModuleSettings(1);
        DATA rec;
        quint32 seed = 12345;
        for (int i = 0; i < 20000; ++i) {
            seed = seed * 1103515245u + 12345u;
            QByteArray body = (seed & 1) ? ModuleFrame::measurementBody(measurement(1))
                                         : ModuleFrame::bypassBlockBody(1, quint8(seed >> 8), { { quint16(seed >> 3), 1, 4095 } });
            body[int((seed >> 16) % 49)] = char(seed >> 24);
            ModuleFrame::seal(body);
            decode(device, body, rec);
            device.BuildReply(rec);
            device.record(1).bypassMapComplete = 0;
        }
        QCOMPARE(device.record(1).bypassMap.size(), 6144);
    }
};

QTEST_GUILESS_MAIN(TestPacketDecoder)
#include "tst_packetdecoder.moc"
