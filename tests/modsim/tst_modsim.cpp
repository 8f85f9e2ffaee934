// The simulator against the real station over the loopback: a scenario's
// detections reach the event log, and a captured run replayed against a
// fresh station gets the same replies.

#include "TestSettings.h"
#include "app/CMainWindow.h"
#include "eventlog/CEventLog.h"
#include "net/CaptureWriter.h"
#include "net/MyServer.h"
#include "net/PcapNg.h"
#include "tools/modsim/Replayer.h"
#include "tools/modsim/Scenario.h"
#include "tools/modsim/SimClient.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace {

class QuietMainWindow : public CMainWindow
{
public:
    QuietMainWindow()
        : CMainWindow(0, false)
    {
    }

protected:
    void inform(const QString &, const QString &) override { }
    bool askYesNo(const QString &, const QString &) override { return true; }
};

const char kScenario[] = R"({"length": 30, "loop": false, "modules": "9-10", "events": [
    {"at": 0, "bands": [{"band": "GSM 900", "level": -90}]},
    {"at": 0.3, "modules": "9", "bands": [{"band": "GSM 900", "level": -40},
                                          {"band": "4G-2600", "level": -45}]},
    {"at": 0.3, "modules": "10", "jammer": {"gsm": -35}}]})";

struct Run
{
    QElapsedTimer clock;
    SimClient::Counts counts;
    std::vector<std::unique_ptr<SimClient>> clients;
};

void simulate(Run &run, const Scenario &scenario, quint16 port, int ms)
{
    run.clock.start();
    for (int m : scenario.modules()) {
        run.clients.push_back(std::make_unique<SimClient>(quint8(m), scenario, "127.0.0.1", port,
                                                          20, run.clock, run.counts));
        run.clients.back()->start(0);
    }
    QTest::qWait(ms);
    for (auto &c : run.clients)
        c->stop();
}

} // namespace

class TestModSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init() { TestSettings::freshStation(); }

    void scenarioEventsReachTheLogAndReplayMatches()
    {
        QTemporaryDir dir;
        const QString capturePath = dir.filePath("run.pcapng");
        Scenario scenario;
        QVERIFY(scenario.load(kScenario, nullptr));
        {
            CaptureWriter capture;
            QVERIFY(capture.open(capturePath));
            QuietMainWindow station;
            station.server()->link().setCapture(&capture);
            Run run;
            simulate(run, scenario, station.server()->serverPort(), 1200);
            QTRY_COMPARE(run.counts.replies, run.counts.sent);
            QVERIFY(run.counts.sent > 20);
            QCOMPARE(run.counts.badReplies, quint64(0));

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
            QCOMPARE(capture.written(), 2 * run.counts.sent);
        }

        QFile file(capturePath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVector<PcapNg::Packet> packets;
        QString error;
        QVERIFY2(PcapNg::read(file.readAll(), packets, &error), qPrintable(error));

        TestSettings::freshStation();
        QuietMainWindow fresh;
        Replayer replayer;
        QSignalSpy done(&replayer, &Replayer::finished);
        replayer.start(packets, "127.0.0.1", fresh.server()->serverPort(), 4);
        QVERIFY(done.wait(10000));
        QVERIFY(replayer.stationAnswered());
        QStringList diffs;
        for (const Replayer::Difference &d : replayer.differences())
            diffs << Replayer::describe(d);
        QCOMPARE(diffs, QStringList());
        QCOMPARE(replayer.repliesCompared(), int(packets.size() / 2));

        // A station set up differently answers differently, and the replay says where.
        TestSettings::freshStation();
        QuietMainWindow other;
        other.server()->device.SetDefaultSettings(9);
        other.server()->device.record(9).settings[1] = 50; // GSM 900 threshold
        other.server()->device.SaveModuleSettings(9);
        Replayer second;
        QSignalSpy secondDone(&second, &Replayer::finished);
        second.start(packets, "127.0.0.1", other.server()->serverPort(), 4);
        QVERIFY(secondDone.wait(10000));
        QVERIFY(!second.differences().isEmpty());
        const Replayer::Difference first = second.differences().first();
        QCOMPARE(first.module, quint8(9));
        QCOMPARE(first.byte, 2);
        QCOMPARE(first.now, 50);
    }
};

QTEST_MAIN(TestModSim)
#include "tst_modsim.moc"
