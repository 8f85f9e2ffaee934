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
QVector<ModuleFrame::Run> tenRuns(QVector<ModuleFrame::Run> runs)
{
    while (runs.size() < 10)
        runs.append(runs.last());
    return runs;
}

int decode(CMasterDevice &device, const QByteArray &body, DATA &record,
           quint16 kind = Wire::KindShort)
{
    return PacketDecoder::Decode(device, body.constData(), quint16(body.size()), record, kind);
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
        device.LoadModuleSettings(7);
        DATA rec;
        const QByteArray body = ModuleFrame::measurementBody(measurement(7), 5, 87);
        QCOMPARE(decode(device, body, rec), int(Wire::DecodeMeasurement));
        QCOMPARE(Fixtures::dump(rec), Fixtures::dump(measurement(7)));
        QCOMPARE(StationGlobals::suppressionQuality, 87);

        const ModuleRecord &r = device.record(7);
        QCOMPARE(r.settings[ModuleEcho], quint8(7));
        QCOMPARE(r.receivedSequence, quint8(5));
        QCOMPARE(r.scanFrequency, 433);              // 433.925 MHz truncated
        QCOMPARE(r.lastChannels[0].nLevel, -60);
        const auto &stats = StationGlobals::debugStats[7];
        QCOMPARE(QList<int>({stats.active, stats.nCyc, stats.cntDis}), QList<int>({1, 1, 3}));

        // A manual pause zeroes the scan channel's threshold only.
        device.record(7).manualPause = true;
        decode(device, body, rec);
        QCOMPARE(QList<int>({rec.channel[0].nThreshold, rec.channel[2].nThreshold}), QList<int>({-80, 0}));
    }

    void rejectedShortFrames()
    {
        CMasterDevice device;
        device.LoadModuleSettings(7);
        DATA rec = measurement(7);

        QByteArray bad = ModuleFrame::measurementBody(measurement(7));
        bad[49] = char(bad[49] + 1);
        QCOMPARE(decode(device, bad, rec), int(Wire::DecodeInvalid));
        QCOMPARE(Fixtures::dump(rec), Fixtures::dump(DATA())); // cleared: the reply goes to module 0

        DATA f3 = measurement(7);
        f3.nFormat = 3;
        rec = DATA();
        QCOMPARE(decode(device, ModuleFrame::measurementBody(f3), rec), int(Wire::DecodeInvalid));
        QCOMPARE(QList<int>({rec.nFormat, rec.nRSSI, rec.nID}), QList<int>({3, 31, 0}));

        QCOMPARE(decode(device, ModuleFrame::tag350Body(), rec), int(Wire::DecodeTag350));

        // Wrong length or kind: the record is left alone.
        rec = measurement(7);
        QCOMPARE(decode(device, QByteArray(50, 'x'), rec), int(Wire::DecodeInvalid));
        QCOMPARE(decode(device, ModuleFrame::tag350Body(), rec, 0x1234), int(Wire::DecodeInvalid));
        QCOMPARE(rec.nID, quint8(7));
    }

    void unknownModuleIsDecodedButNotStored()
    {
        CMasterDevice device;
        DATA rec;
        QCOMPARE(decode(device, ModuleFrame::measurementBody(measurement(7)), rec),
                 int(Wire::DecodeMeasurement));
        QVERIFY(!device.hasRecord(7));
        QCOMPARE(StationGlobals::debugStats[7].active, quint8(0));
        device.BuildReply(rec);
        QCOMPARE(device.reply(), QByteArray(71, '\0'));
    }

    void bypassBlocks()
    {
        CMasterDevice device;
        device.LoadModuleSettings(2);
        ModuleRecord &r = device.record(2);
        r.bypassMap[50] = 7;
        DATA rec = measurement(2);

        // Block 0 clears the map, then writes its runs and asks for block 1.
        QCOMPARE(decode(device, ModuleFrame::bypassBlockBody(2, 0, tenRuns({ { 925, 2, 11 }, { 6140, 1, 10 } })), rec),
                 int(Wire::DecodeBypass));
        QCOMPARE(Fixtures::dump(rec), Fixtures::dump(Fixtures::record(2)));
        QCOMPARE(at(r.bypassMap, {50, 924, 925, 935, 936, 6143}), QList<int>({0, 0, 2, 2, 0, 1}));
        QCOMPARE(r.bypassMap.size(), 6144);            // run cut at the end of the map
        QCOMPARE(r.expectedBypassBlock, quint8(1));
        QCOMPARE(r.settings[Command], quint8(9));

        // The same block again: applied, but the command does not advance.
        decode(device, ModuleFrame::bypassBlockBody(2, 0, tenRuns({ { 100, 4, 1 } })), rec);
        QCOMPARE(r.bypassMap[100], quint8(4));
        QCOMPARE(r.settings[Command], quint8(9));

        // A later block only overwrites its runs.
        decode(device, ModuleFrame::bypassBlockBody(2, 1, tenRuns({ { 200, 8, 2 } })), rec);
        QCOMPARE(at(r.bypassMap, {100, 201}), QList<int>({4, 8}));
        QCOMPARE(r.settings[Command], quint8(10));
        decode(device, ModuleFrame::bypassBlockBody(2, 2, tenRuns({ { 300, 8, 1 } })), rec);
        QCOMPARE(r.settings[Command], quint8(9));

        // A run starting at 0 completes the map without changing it.
        decode(device, ModuleFrame::bypassBlockBody(2, 3, { { 0, 1, 5 }, { 400, 1, 1 } }), rec);
        QCOMPARE(r.bypassMapComplete, 1);
        QCOMPARE(r.bypassMap[400], quint8(0));
        QCOMPARE(r.expectedBypassBlock, quint8(3));

        // A complete map takes no more blocks.
        decode(device, ModuleFrame::bypassBlockBody(2, 0, tenRuns({ { 500, 1, 1 } })), rec);
        QCOMPARE(at(r.bypassMap, {500, 100}), QList<int>({0, 4}));
    }

    // The bulk map belongs to the module that sent it: the record is that
    // module's, so the reply carries its own settings.
    void bulkMapNamesItsModule()
    {
        CMasterDevice device;
        device.LoadModuleSettings(3);
        device.LoadModuleSettings(5);
        device.record(5).settings[G900Threshold] = 50;
        DATA rec;
        decode(device, ModuleFrame::measurementBody(measurement(3)), rec);
        QCOMPARE(rec.nID, quint8(3));

        QByteArray map(6144, '\0');
        map[433] = 8;
        map[6143] = 1;
        const QByteArray body = ModuleFrame::bulkBody(5, map);
        QCOMPARE(decode(device, body, rec, Wire::KindBulk), int(Wire::DecodeBypass));
        QCOMPARE(Fixtures::dump(rec), Fixtures::dump(Fixtures::record(5)));
        QCOMPARE(device.record(5).bypassMap, QVector<quint8>(map.begin(), map.end()));
        QCOMPARE(device.record(5).bypassMapComplete, 1);
        device.BuildReply(rec);
        QCOMPARE(quint8(device.reply().at(1 + G900Threshold)), quint8(50));

        QByteArray bad = body;
        bad[6154] = char(bad[6154] + 1);
        rec = measurement(3);
        QCOMPARE(decode(device, bad, rec, Wire::KindBulk), int(Wire::DecodeInvalid));
        QCOMPARE(rec.nID, quint8(3));
    }

    void replyClearsOneShotsAndCountsAcknowledgements()
    {
        CMasterDevice device;
        device.LoadModuleSettings(7);
        ModuleRecord &r = device.record(7);
        r.settings[BypassBeginHi] = 3;
        r.settings[BypassBeginLo] = 177;
        r.settings[BypassKind] = 8;
        r.settings[Command] = CommandEraseManualBypass;
        DATA rec;
        decode(device, ModuleFrame::measurementBody(measurement(7), 1), rec);
        device.BuildReply(rec);
        const QByteArray reply = device.reply();
        QCOMPARE(at(reply, {0, 1 + BypassBeginHi, 1 + BypassBeginLo, 1 + BypassKind, 1 + Command}),
                 QList<int>({0x4F, 3, 177, 8, 2}));
        QCOMPARE(PacketDecoder::checksum(reply.constData() + 1, 69), quint8(reply[70]));
        QCOMPARE(StationGlobals::ackCounter, 1);         // sequence 0 -> 1
        QCOMPARE(r.settings[Command], quint8(0));        // erase acknowledged
        for (int i = BypassBeginHi; i <= BypassKind; ++i)
            QCOMPARE(r.settings[i], quint8(0));

        // Same sequence again: no new acknowledgement.
        device.BuildReply(rec);
        QCOMPARE(StationGlobals::ackCounter, 1);
        QCOMPARE(quint8(device.reply()[1 + BypassBeginHi]), quint8(0));
    }

    void bypassUploadSendsOneEntryPerReply()
    {
        CMasterDevice device;
        device.LoadModuleSettings(7);
        device.bypassBeginList = { 925, 2400 };
        device.bypassEndList = { 935, 2410 };
        device.bypassKind = 4;
        ModuleRecord &r = device.record(7);
        r.settings[UploadIndex] = 0;
        r.settings[UploadCount] = 2;

        DATA rec;
        decode(device, ModuleFrame::measurementBody(measurement(7), 0), rec);
        device.BuildReply(rec);
        QCOMPARE(device.reply().mid(1 + BypassBeginHi, 5).toHex(), QByteArray("039d03a704"));
        QCOMPARE(r.settings[UploadIndex], quint8(1));   // module echoed index 0

        decode(device, ModuleFrame::measurementBody(measurement(7), 0), rec);
        device.BuildReply(rec);                          // not yet confirmed: same index
        QCOMPARE(device.reply().mid(1 + BypassBeginHi, 5).toHex(), QByteArray("0960096a04"));
        QCOMPARE(r.settings[UploadIndex], quint8(1));

        decode(device, ModuleFrame::measurementBody(measurement(7), 1), rec);
        device.BuildReply(rec);
        QCOMPARE(r.settings[UploadIndex], quint8(2));
        QCOMPARE(r.settings[UploadCount], quint8(0));   // upload over
        QCOMPARE(StationGlobals::ackCounter, 0);        // no acknowledgements during uploads
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
                                         : ModuleFrame::bypassBlockBody(1, quint8(seed >> 8),
                                                                        { { quint16(seed >> 3), 1, 4095 } });
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
