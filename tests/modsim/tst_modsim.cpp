// The simulator against the real station over the loopback: a scenario's
// detections reach the event log, and a captured run replayed against a
// fresh station gets the same replies, against one set up differently not.

#include "FakePrompts.h"
#include "Fixtures.h"
#include "TestSettings.h"
#include "app/CMainWindow.h"
#include "net/CaptureWriter.h"
#include "net/MyServer.h"
#include "net/PcapNg.h"
#include "tools/modsim/Replayer.h"
#include "tools/modsim/Scenario.h"
#include "tools/modsim/SimClient.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace {

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

class TestModSim : public QObject
{
    Q_OBJECT

    FakePrompts m_prompts;

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init() { TestSettings::freshStation(); }

    void scenarioEventsReachTheLogAndReplayMatches()
    {
        QTemporaryDir dir;
        Scenario scenario;
        QVERIFY(scenario.load(kScenario, nullptr));
        CaptureWriter capture;
        QVERIFY(capture.open(dir.filePath("run.pcapng")));
        {
            CMainWindow station(0, false);
            station.server()->link().setCapture(&capture);
            QElapsedTimer clock;
            clock.start();
            SimClient::Counts counts;
            std::vector<std::unique_ptr<SimClient>> clients;
            for (int m : scenario.modules()) {
                clients.push_back(std::make_unique<SimClient>(
                    quint8(m), scenario, "127.0.0.1", station.server()->serverPort(), 20, clock,
                    counts));
                clients.back()->start(0);
            }
            QTest::qWait(1200);
            for (auto &c : clients)
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

        // A station with another GSM 900 threshold answers differently, and the replay says where.
        TestSettings::freshStation();
        CMainWindow other(0, false);
        other.server()->device.SetDefaultSettings(9);
        other.server()->device.record(9).settings[1] = 50;
        other.server()->device.SaveModuleSettings(9);
        const QStringList diffs = replay(packets, other);
        QVERIFY2(!diffs.isEmpty()
                     && QRegularExpression("^module 9 reply \\d+ byte 2 .*, now 50$")
                            .match(diffs.first())
                            .hasMatch(),
                 qPrintable(diffs.join('\n')));
    }
};

QTEST_MAIN(TestModSim)
#include "tst_modsim.moc"
