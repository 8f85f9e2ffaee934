// The device model: records decoded from hand-typed frames and the replies
// built from them, the demonstration feed's records, the signal catalogue, and
// a module's settings block in the store with its pause bytes.

#include "Fixtures.h"
#include "TestSettings.h"
#include "net/Acknowledgements.h"
#include "net/CMasterDevice.h"
#include "net/CSignalTypeStr.h"
#include "net/DemoScenario.h"
#include "net/PacketDecoder.h"
#include "net/StationGlobals.h"
#include "net/ModuleKeys.h"

#include <QSettings>
#include <QTest>

using namespace SettingsBlock;

namespace {

// Module 7, link level 31, link sequence 9. Channel blocks: unread, type, level,
// threshold, noise (dBm + 102), kHz (signed), state, suppression, cntDis, cntTim, sequence.
// clang-format off
const QByteArray kMeasurement = QByteArray::fromHex(
    "323530" "1f" "04" "07" "09"
    "ee" "01" "2a" "16" "0c" "000e6c30" "01" "57" "03" "04" "05" // GSM 900 -60/-80/-90, 945.2 MHz
    "ee" "09" "20" "1b" "02" "fffffc18" "20" "30" "0b" "0c" "aa" // Bluetooth -70/-75/-100, -1 MHz
    "ee" "12" "34" "20" "07" "00069f05" "40" "5a" "15" "16" "bb" // SCAN -50/-70/-95, 433.925 MHz
    "ef" "cc");                                                  // checksum, unread
const DATA kDecoded = {7, 4, 31, 9, {{1, 1, -60, -80, -90, 3, 4, 945.2}, {0x20, 9, -70, -75, -100, 11, 12, -1.0},
                                     {0x40, 18, -50, -70, -95, 21, 22, 433.925}}};
// clang-format on

// A short body: bytes 0 .. 48 as given, zero-filled, then their sum and an unread byte.
QByteArray sealed(const QByteArray &hex)
{
    const QByteArray b = QByteArray::fromHex(hex).leftJustified(49, '\0');
    quint8 sum = 0;
    for (char c : b)
        sum += quint8(c);
    return b + char(sum) + '\xcc';
}

QByteArray hex(const Block &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), Size).toHex();
}

// Bypass block of module 2. A run is "ssss" start and "mccc" mark and count;
// the last run repeats to fill all ten, as an unused run (start 0) ends the map.
QByteArray block(const char *number, QByteArray runs)
{
    while (runs.size() < 80)
        runs += runs.right(8);
    return sealed("31353038"
                  "02"
                  + QByteArray(number) + "eeeeee" + runs);
}

int decode(CMasterDevice &device, const QByteArray &body, DATA &record, quint16 kind = 0x8C04)
{
    return PacketDecoder::Decode(device, body.constData(), quint16(body.size()), record, kind);
}

// The measurement with another command sequence byte (channel 0, block byte 13), and the reply to it.
QByteArray exchange(CMasterDevice &device, quint8 sequence)
{
    QByteArray b = kMeasurement.left(49);
    b[20] = char(sequence);
    DATA rec;
    decode(device, sealed(b.toHex()), rec);
    device.BuildReply(rec);
    return device.reply();
}

template <typename Bytes> QList<int> at(const Bytes &bytes, std::initializer_list<int> indices)
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
    void init() { TestSettings::freshStation(); }

    void measurement()
    {
        CMasterDevice device;
        DATA rec;
        // An unknown module is decoded, but gets no record, no statistics and a zero reply.
        QCOMPARE(decode(device, kMeasurement, rec), 1);
        QCOMPARE(Fixtures::dump(rec), Fixtures::dump(kDecoded));
        QCOMPARE(StationGlobals::suppressionQuality, 90); // channel 2's
        QVERIFY(!device.hasRecord(7));
        QCOMPARE(StationGlobals::debugStats[7].nCyc, 0);
        device.BuildReply(rec);
        QCOMPARE(device.reply(), QByteArray(71, '\0'));

        device.LoadModuleSettings(7);
        decode(device, kMeasurement, rec);
        const ModuleRecord &r = device.record(7);
        QCOMPARE(QList<int>({ r.settings[ModuleEcho], r.receivedSequence, r.scanFrequency }),
                 QList<int>({ 7, 5, 433 }));
        const auto channels = [](const CHANNEL *c) {
            return Fixtures::dump(Fixtures::record(7, c[0], c[1], c[2]));
        };
        QCOMPARE(channels(r.lastChannels), channels(rec.channel));
        const DebugStatEntry &stats = StationGlobals::debugStats[7];
        QCOMPARE(QList<int>({ stats.active, stats.nCyc, stats.nRSSI, stats.cntDis, stats.cntTim }),
                 QList<int>({ 1, 1, 31, 3, 4 }));
        // Marker, the factory block with the module's number echoed in byte 47, sum of bytes 1 .. 69.
        device.BuildReply(rec);
        QCOMPARE(device.reply().toHex(),
                 QByteArray("4f9e2525202039392d392d25202a2a391401f014010100000100010001010100010100"
                            "020100000000000000000000270700000000000000000000000436000000000000000"
                            "08c"));

        // Paused statistics stay; a manual pause zeroes the scan channel's threshold only.
        StationGlobals::debugPause = 1;
        device.record(7).manualPause = true;
        decode(device, kMeasurement, rec);
        QCOMPARE(stats.nCyc, 1);
        QCOMPARE(QList<int>({ rec.channel[0].nThreshold, rec.channel[2].nThreshold }),
                 QList<int>({ -80, 0 }));
    }

    void otherFrames_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("result");
        QTest::addColumn<DATA>("record"); // afterwards; it held Fixtures::status(9)

        QByteArray badSum = kMeasurement;
        badSum[49] = char(0xf0);
        const DATA untouched = Fixtures::status(9);
        QByteArray bulk(6156, '\0');
        bulk[6154] = 1;
        QTest::newRow("wrong checksum") << badSum << 0x8C04 << 0 << DATA();
        QTest::newRow("format 3") << sealed("3235301f030709") << 0x8C04 << 0 << DATA{ 0, 3, 31 };
        QTest::newRow("unknown tag") << sealed("323531") << 0x8C04 << 0 << DATA();
        QTest::newRow("tag 350") << sealed("333530") << 0x8C04 << 3 << DATA();
        QTest::newRow("50 bytes") << kMeasurement.left(50) << 0x8C04 << 0 << untouched;
        QTest::newRow("52 bytes") << kMeasurement + 'x' << 0x8C04 << 0 << untouched;
        QTest::newRow("bulk kind") << kMeasurement << 0x5419 << 0 << untouched;
        QTest::newRow("other kind") << kMeasurement << 0x8C05 << 0 << untouched;
        QTest::newRow("bulk checksum") << bulk << 0x5419 << 0 << untouched;
    }

    void otherFrames()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, kind);
        QFETCH(int, result);
        QFETCH(DATA, record);
        CMasterDevice device;
        device.LoadModuleSettings(7);
        DATA rec = Fixtures::status(9);
        QCOMPARE(decode(device, body, rec, quint16(kind)), result);
        QCOMPARE(Fixtures::dump(rec), Fixtures::dump(record));
        QCOMPARE(StationGlobals::debugStats[7].nCyc, 0);
    }

    void bypassBlocks()
    {
        CMasterDevice device;
        device.LoadModuleSettings(2);
        ModuleRecord &r = device.record(2);
        r.bypassMap[50] = 7;
        DATA rec;
        // The result, some map cells, the expected block, the command and the completion flag.
        const auto after = [&](const QByteArray &blockBody) {
            const int result = decode(device, blockBody, rec);
            return QList<int>{ result }
                + at(r.bypassMap, { 50, 100, 201, 400, 925, 935, 936, 6143 })
                << r.expectedBypassBlock << r.settings[Command] << r.bypassMapComplete;
        };
        // Block 0 clears the map, writes its runs (the last cut at the map end) and asks for block 1.
        QCOMPARE(after(block("00",
                             "039d200b"
                             "17fc100a")),
                 QList<int>({ 2, 0, 0, 0, 0, 2, 2, 0, 1, 1, 9, 0 }));
        QCOMPARE(rec.nID, quint8(2));
        // The same block again is applied, but the command does not advance.
        QCOMPARE(after(block("00", "00644001")),
                 QList<int>({ 2, 0, 4, 0, 0, 0, 0, 0, 0, 1, 9, 0 }));
        // Later blocks only overwrite their runs and toggle the command; a run past the map writes nothing.
        QCOMPARE(after(block("01",
                             "00c88002"
                             "fff03005")),
                 QList<int>({ 2, 0, 4, 8, 0, 0, 0, 0, 0, 2, 10, 0 }));
        QCOMPARE(after(block("02", "012c8001")),
                 QList<int>({ 2, 0, 4, 8, 0, 0, 0, 0, 0, 3, 9, 0 }));
        // A run starting at 0 completes the map without changing it; then no more blocks are taken.
        QCOMPARE(after(sealed("31353038"
                              "02"
                              "03"
                              "eeeeee"
                              "00001005"
                              "01901001")),
                 QList<int>({ 2, 0, 4, 8, 0, 0, 0, 0, 0, 3, 9, 1 }));
        QCOMPARE(after(block("00", "01901001")),
                 QList<int>({ 2, 0, 4, 8, 0, 0, 0, 0, 0, 3, 9, 1 }));
    }

    // A one-shot command goes out once; only a new sequence counts as an
    // acknowledgement. An upload sends one entry per reply, none acknowledged.
    void replies()
    {
        CMasterDevice device;
        device.LoadModuleSettings(7);
        ModuleRecord &r = device.record(7);
        r.settings[BypassBeginHi] = 3;
        r.settings[Command] = CommandEraseManualBypass;
        QCOMPARE(at(exchange(device, 1), { 0, 1 + BypassBeginHi, 1 + Command }),
                 QList<int>({ 0x4F, 3, 2 }));
        QCOMPARE(at(r.settings, { BypassBeginHi, Command }),
                 QList<int>({ 0, 0 })); // erase acknowledged
        exchange(device, 1);
        QCOMPARE(Acknowledgements::noted(), 1);
        exchange(device, 2);
        QCOMPARE(Acknowledgements::noted(), 2);

        device.bypassBeginList = { 925, 2400 };
        device.bypassEndList = { 935, 2410 };
        device.bypassKind = 4;
        r.settings[UploadCount] = 2;
        // The module echoes the index it took as its sequence; the entry repeats until it does.
        const auto entry = [&](quint8 echoedIndex) {
            const QByteArray sent = exchange(device, echoedIndex).mid(1 + BypassBeginHi, 5).toHex();
            return sent + ' ' + QByteArray::number(r.settings[UploadIndex]);
        };
        QCOMPARE(entry(0), QByteArray("039d03a704 1"));
        QCOMPARE(entry(0), QByteArray("0960096a04 1"));
        QCOMPARE(entry(1), QByteArray("0960096a04 2"));
        QCOMPARE(QList<int>({ r.settings[UploadCount], Acknowledgements::noted() }),
                 QList<int>({ 0, 2 }));
    }

    void bulkMap()
    {
        CMasterDevice device;
        device.LoadModuleSettings(5);
        // Module 5, nine unread bytes, entry i = i % 7 sent XOR 0x55, checksum, unread.
        QByteArray body = QByteArray::fromHex("05eeeeeeeeeeeeeeeeee");
        for (int i = 0; i < 6144; ++i)
            body += char((i % 7) ^ 0x55);
        body += "\x8c\xcc";
        DATA rec = Fixtures::status(9);
        QCOMPARE(decode(device, body, rec, 0x5419), 2);
        const ModuleRecord &r = device.record(5);
        // The record names the sender, so that the reply goes to it.
        QCOMPARE(QList<int>({ r.bypassMap[0], r.bypassMap[1], r.bypassMap[6], r.bypassMap[7],
                              r.bypassMap[6143], r.bypassMapComplete, rec.nID }),
                 QList<int>({ 0, 1, 6, 0, 4, 1, 5 }));
    }

    // Names and settings bytes (threshold/enable) of types -1 .. 19 and 255, as the link's description tables them.
    void signalCatalogue()
    {
        QStringList seen;
        for (int type = -1; type <= 20; ++type) {
            const int t = type == 20 ? 255 : type;
            seen << CSignalTypeStr::name(t);
            if (t >= 0 && t <= 15)
                seen.last() += QStringLiteral(" %1/%2")
                                   .arg(CSignalTypeStr::thresholdByte(t))
                                   .arg(CSignalTypeStr::enableByte(t));
        }
        QCOMPARE(
            seen,
            QStringList({ "Unknown",        "CDMA450 10/28", "GSM 900 1/19",   "GSM 1800 2/20",
                          "DECT 14/32",     "3G-2100 11/29", "3G-900 12/30",   "3G SMS 12/30",
                          "WLAN 2.4 5/23",  "WLAN 5 8/26",   "Bluetooth 6/24", "Traffic 2.4 7/25",
                          "Traffic 5 9/27", "4G-2600 13/31", "Unknown 3/21",   "Unknown 4/22",
                          "Unknown 15/33",  "Jammer GSM",    "Jammer GPS",     "SCAN",
                          "Unknown",        "Unknown" }));
    }

    // Thresholds and enables come from the module's settings; without a record
    // every band counts as disabled at -102 dBm, and none is made.
    void recordsFollowTheModuleSettings()
    {
        CMasterDevice device;
        DATA rec;
        DemoScenario::BuildRecord(device, 0, 6, rec);
        QCOMPARE(
            QList<int>({ rec.channel[0].nThreshold, rec.channel[0].nState, device.hasRecord(6) }),
            QList<int>({ -102, 0, 0 }));
        // Step 0, module 6: (2, -30), (2, -45), (3, -45) against GSM 1800 at -65 and DECT at -45.
        device.LoadModuleSettings(6);
        DemoScenario::BuildRecord(device, 0, 6, rec);
        QCOMPARE(QList<int>({ rec.channel[0].nThreshold, rec.channel[2].nThreshold,
                              rec.channel[1].nState, rec.channel[2].nState,
                              device.record(6).lastChannels[0].nLevel }),
                 QList<int>({ -65, -45, 1, 0, -30 })); // -45 is not above -45
        // Step 12, module 1: type 15 uses the scan squelch and the scan enable.
        device.LoadModuleSettings(1);
        DemoScenario::BuildRecord(device, 12, 1, rec);
        QCOMPARE(
            QList<int>({ rec.channel[0].nType, rec.channel[0].nThreshold, rec.channel[0].nState }),
            QList<int>({ 15, 20 - 102, 0 }));
        device.record(1).settings[SettingsBlock::ScanEnable] = 1;
        DemoScenario::BuildRecord(device, 12, 1, rec);
        QCOMPARE(rec.channel[0].nState, 1);
    }

    // A record made on first access holds what loading gives, run-time state
    // forgotten. One-shots (37 .. 43), upload progress (49, 50), pause and filter
    // never come back from the store; a block cut short falls back to the defaults.
    void saveAndLoad()
    {
        CMasterDevice a;
        ModuleRecord &r = a.record(3);
        for (int i = 0; i < Size; ++i)
            r.settings[i] = quint8(i + 1);
        r.manualPauseFreq = 915;
        r.manualPause = r.autoPause = true;
        r.lpfSelection = 5;
        a.SaveModuleSettings(3);
        Block expected = r.settings;
        for (int i : { 37, 38, 39, 40, 41, 42, 43, 49, 50, int(LpfSelection), int(PauseFlags) })
            expected[i] = 0;

        CMasterDevice b;
        ModuleRecord &l = b.record(3);
        QCOMPARE(hex(l.settings), hex(expected));
        l.scanFrequency = l.bypassMapComplete = l.bypassMap[100] = l.lastChannels[1].nState = 1;
        const auto loaded = [&] {
            b.LoadModuleSettings(3);
            return QList<int>({ l.manualPauseFreq, l.manualPause, l.autoPause, l.lpfSelection,
                                l.scanFrequency, l.bypassMapComplete, l.bypassMap[100],
                                l.lastChannels[1].nState });
        };
        QCOMPARE(loaded(), QList<int>({ 915, 1, 1, 5, 0, 0, 0, 0 }));
        QCOMPARE(hex(l.settings), hex(expected));
        QSettings().setValue(ModuleKeys::settings(3), QByteArray(69, char(1)));
        QCOMPARE(loaded(), QList<int>({ 500, 0, 0, 2, 0, 0, 0, 0 }));
        QCOMPARE(hex(l.settings), hex(defaults()));
    }

    void pauseBytes()
    {
        ModuleRecord r;
        const auto bytes = [&r] {
            CMasterDevice::RefreshPauseBytes(r);
            return QList<int>({ r.settings[PauseFlags], r.settings[PauseFreqHi],
                                r.settings[PauseFreqLo], r.settings[LpfSelection] });
        };
        r.manualPause = true;
        r.manualPauseFreq = 0x0395;
        r.lpfSelection = 4;
        QCOMPARE(bytes(), QList<int>({ 2, 0x03, 0x95, 4 }));
        // Out of the module's range (a hand-edited store): sent as no frequency.
        for (int freq : { 0, 24, 6001, 70000, -5 }) {
            r.manualPauseFreq = freq;
            QCOMPARE(bytes(), QList<int>({ 2, 0x03, 0x95, 0 }));
        }
        r.manualPause = false;
        QCOMPARE(bytes(), QList<int>({ 0, 0x03, 0x95, 0 }));
    }
};

QTEST_GUILESS_MAIN(TestPacketDecoder)
#include "tst_packetdecoder.moc"
