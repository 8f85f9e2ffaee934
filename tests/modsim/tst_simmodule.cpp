// The module simulator: what its settings let a module report, how it answers replies, its frames
// as the Wireshark dissector reads them, and a scenario and its replay against the station.

#include "FakePrompts.h"
#include "Fixtures.h"
#include "TestSettings.h"
#include "app/CMainWindow.h"
#include "net/CaptureWriter.h"
#include "net/MyServer.h"
#include "tools/modsim/Replayer.h"
#include "tools/modsim/SimClient.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using Changes = QList<QPair<int, int>>;

namespace {

// A reply carrying the factory block, written out by hand, with the given changes.
QByteArray reply(const Changes &changes = {})
{
    QByteArray s = QByteArray::fromHex("9e2525202039392d392d25202a2a391401f01401"
                                       "0100000100010001010100010100020100000000"
                                       "000000000000270000000000000000000000000436"
                                       "0000000000000000");
    for (const auto &c : changes)
        s[c.first] = char(c.second);
    return Fixtures::reply(s);
}

const char kScenario[] = R"({"length": 30, "loop": false, "modules": "9-10", "events": [
    {"at": 0, "bands": [{"band": "GSM 900", "level": -90}]},
    {"at": 0.3, "modules": "9", "bands": [{"band": "GSM 900", "level": -40},
                                          {"band": "4G-2600", "level": -45}]},
    {"at": 0.3, "modules": "10", "jammer": {"gsm": -35}}]})";

// Replays the capture against the station; the differences as described.
QStringList replay(const QVector<PcapNg::Packet> &packets, CMainWindow &station)
{
    Replayer replayer;
    QSignalSpy done(&replayer, &Replayer::finished);
    replayer.start(packets, "127.0.0.1", station.server()->serverPort(), 4);
    if (!done.wait(10000) || !replayer.stationAnswered()
        || replayer.repliesCompared() != packets.size() / 2)
        return { "no full replay" };
    QStringList diffs;
    for (const Replayer::Difference &d : replayer.differences())
        diffs << Replayer::describe(d);
    return diffs;
}

} // namespace

class TestSimModule : public QObject
{
    Q_OBJECT

    FakePrompts m_prompts;

private slots:

    void reportsWhatSettingsLetThrough_data()
    {
        QTest::addColumn<Changes>("settings");
        QTest::addColumn<QVector<SimModule::Signal>>("heard");
        QTest::addColumn<QString>("want"); // type:state@freq per channel

        const auto row = [](const char *name, Changes c, QVector<SimModule::Signal> s,
                            const char *w) { QTest::newRow(name) << c << s << QString(w); };
        row("band off", {}, { { 9, -30, 0 } }, "");
        row("band on", { { 24, 1 } }, { { 9, -30, 0 } }, "9:1");
        row("under raised threshold", { { 1, 80 } }, { { 1, -40, 0 } }, "1:0");
        row("jammer on", { { 21, 1 } }, { { 16, -35, 0 } }, "16:1");
        row("gps jammer under threshold", { { 22, 1 }, { 4, 40 } }, { { 17, -63, 0 } }, "17:0");
        row("scan in range", { { 33, 1 } }, { { 18, -40, 433.92 } }, "18:64@433.92");
        row("three channels, detections first", {},
            { { 3, -99, 0 }, { 1, -60, 0 }, { 2, -90, 0 }, { 4, -20, 0 } }, "4:1 1:1 2:0");
    }
    void reportsWhatSettingsLetThrough()
    {
        QFETCH(Changes, settings);
        QFETCH(QVector<SimModule::Signal>, heard);
        QFETCH(QString, want);
        SimModule m(3);
        QCOMPARE(m.takeReply(reply(settings)), SimModule::Reply::Taken);
        m.setHeard(heard);
        QStringList got;
        for (const SimModule::Channel &c : m.channels())
            got << QString("%1:%2").arg(c.type).arg(c.state)
                    + (c.freqMHz != 0 ? QString("@%1").arg(c.freqMHz) : QString());
        QCOMPARE(got.join(' '), want);
    }

    void answersReplies()
    {
        SimModule m(9);
        QByteArray bad = reply();
        bad[70] = char(bad[70] + 1);
        QCOMPARE(m.takeReply(bad), SimModule::Reply::Bad);
        // A command changes the sequence byte once, not on every reply carrying it.
        m.takeReply(reply({ { 42, 2 } }));
        m.takeReply(reply({ { 42, 2 } }));
        QCOMPARE(m.sequence(), quint8(0x11));
        // Upload entry 2 (1001-1006 MHz, marks 4) is confirmed by echoing its index.
        m.takeReply(reply(
            { { 37, 3 }, { 38, 0xE9 }, { 39, 3 }, { 40, 0xEE }, { 41, 4 }, { 49, 2 }, { 50, 5 } }));
        QCOMPARE(m.sequence(), quint8(2));
        // A manual range (433 MHz, mark 8), then erasing the manual marks.
        m.takeReply(reply({ { 37, 1 }, { 38, 0xB1 }, { 39, 1 }, { 40, 0xB1 }, { 41, 8 } }));
        QCOMPARE(m.sequence(), quint8(3));
        QCOMPARE(m.bypassMap().mid(432, 3).toHex(), QByteArray("000800"));
        m.takeReply(reply({ { 42, 2 } }));
        QCOMPARE(m.bypassMap().mid(432, 3).toHex() + " " + m.bypassMap().mid(1000, 8).toHex(),
                 QByteArray("000000 0004040404040400"));
    }

    // The Wireshark dissector through tshark: one frame of each kind decodes
    // to hand-checked values, none malformed; a wrong checksum is an error.
    void dissectorDecodesEveryKind()
    {
        const QString tshark = QStandardPaths::findExecutable("tshark");
        if (tshark.isEmpty())
            QSKIP("tshark is not installed (Debian package tshark)");
        const auto run = [&](const QString &capture, const QStringList &args) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("HOME", capture + ".home"); // no personal settings
            p.setProcessEnvironment(env);
            p.start(tshark,
                    QStringList{ "-n", "-r", capture, "-X",
                                 QStringLiteral("lua_script:") + HARRIER_DISSECTOR }
                        + args);
            p.waitForFinished(60000);
            return QString::fromUtf8(p.readAll()).split('\n', Qt::SkipEmptyParts);
        };
        // Default settings with the GSM 900 threshold at 50 and command 8 (send the map).
        const QByteArray settings = reply({ { 1, 0x32 }, { 42, 8 } });
        SimModule sim(9);
        sim.setHeard({ { 1, -40, 0 }, { 3, -99, 0 } });
        sim.setBypassMap(QByteArray(6144, '\0').replace(1001, 6, QByteArray(6, 4)));
        QList<QByteArray> frames{ sim.measurementFrame(), settings };
        QCOMPARE(sim.takeReply(settings), SimModule::Reply::Taken);
        frames << sim.nextFrame() << sim.bulkFrame() << settings;
        frames.last()[70] = char(settings[70] + 1); // a wrong checksum

        QTemporaryDir dir;
        const QString path = dir.filePath("kinds.pcapng");
        CaptureWriter writer;
        QVERIFY(writer.open(path));
        for (const QByteArray &frame : frames)
            writer.record(frame.startsWith('O') ? PcapNg::Direction::Sent
                                                : PcapNg::Direction::Received,
                          9, 1, frame);
        QVERIFY(writer.close());

        QStringList fields{ "-T", "fields", "-E", "separator=;" };
        for (const char *field :
             { "module", "ch.type", "ch.level", "ch.threshold", "ch.sequence", "s.g900_threshold",
               "s.command", "bypass.block", "run.start", "run.count", "bulk.marked" })
            fields << "-e" << QStringLiteral("harrier.") + field;
        QCOMPARE(run(path, fields),
                 QStringList({
                     "9;1,3,0;-40,-99,-102;-65,-45,-102;0x10;;;;;;",
                     ";;;;;50;8;;;;",
                     "9;;;;;;;0;1001,0,0,0,0,0,0,0,0,0;6,0,0,0,0,0,0,0,0,0;",
                     "9;;;;;;;;;;6",
                     ";;;;;50;8;;;;",
                 }));
        QCOMPARE(run(path, { "-Y", "_ws.malformed" }), QStringList());
        QCOMPARE(run(path, { "-Y", "harrier.checksum.bad", "-T", "fields", "-e", "frame.number" }),
                 QStringList({ "5" }));
    }

    // Over the loopback, a scenario's detections reach the event log, and its
    // capture replayed gets the same replies from a fresh station, not from one set otherwise.
    void scenarioEventsReachTheLogAndReplayMatches()
    {
        QTemporaryDir dir;
        Scenario scenario;
        QVERIFY(scenario.load(kScenario, nullptr));
        CaptureWriter capture;
        QVERIFY(capture.open(dir.filePath("run.pcapng")));
        QElapsedTimer clock;
        SimClient::Counts counts;
        {
            CMainWindow station(0, false);
            station.server()->link().setCapture(&capture);
            clock.start();
            QList<SimClient *> clients; // owned by the station
            for (int m : scenario.modules())
                clients << new SimClient(quint8(m), scenario, "127.0.0.1",
                                         station.server()->serverPort(), 20, clock, counts,
                                         &station);
            for (SimClient *c : clients)
                c->start(0);
            QTest::qWait(1200);
            for (SimClient *c : clients)
                c->stop();
            QTRY_COMPARE(counts.replies, counts.sent);
            QVERIFY(counts.sent > 20);
            QCOMPARE(counts.badReplies, quint64(0));

            QList<EVENT> events;
            station.eventLog().GetEvents(events, 0);
            QStringList got;
            for (const EVENT &e : events)
                got << QString("%1:%2:%3").arg(e.nModule).arg(e.nType).arg(e.nPeakLevel);
            got.sort();
            // Module 10's jammer is not watched by default.
            QCOMPARE(got, QStringList({ "9:12:-45", "9:1:-40" }));
            station.server()->link().setCapture(nullptr);
            QVERIFY(capture.close());
            QCOMPARE(capture.written(), 2 * counts.sent);
        }
        QVector<PcapNg::Packet> packets;
        QString error;
        QVERIFY2(PcapNg::read(Fixtures::readFile(dir.filePath("run.pcapng")), packets, &error),
                 qPrintable(error));

        TestSettings::freshStation();
        CMainWindow fresh(0, false);
        QCOMPARE(replay(packets, fresh), QStringList());

        // Set to another GSM 900 threshold, it answers differently, and the replay says where.
        fresh.server()->device.record(9).settings[1] = 50;
        const QStringList diffs = replay(packets, fresh);
        QVERIFY2(
            diffs.value(0).contains(QRegularExpression("^module 9 reply \\d+ byte 2 .*, now 50$")),
            qPrintable(diffs.join('\n')));
    }
};

QTEST_MAIN(TestSimModule)
#include "tst_simmodule.moc"
