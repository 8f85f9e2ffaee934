// The station as a process: a signal closes it as its window does (settings
// saved, exit 0); killed outright, the full edition starts again with every
// event its journal had committed.

#include "Fixtures.h"
#include "net/ModuleFrame.h"

#include <QProcess>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

// Rows of the journal as "start type module in_progress"; the end time moves
// while an event is extended, so it is left out.
const QString kJournalRows = "SELECT start_time || ' ' || type || ' ' || module || ' ' || "
                             "in_progress FROM events ORDER BY id";

class TestStationProcess : public QObject
{
    Q_OBJECT

    // Starts the station on a free port, its settings and data under home and
    // no display; returns the port once the station listens on it.
    static quint16 start(QProcess &station, const QTemporaryDir &home, const char *program)
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 port = probe.serverPort();
        probe.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", home.path() + "/config");
        env.insert("XDG_DATA_HOME", home.path() + "/data");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        station.setProcessEnvironment(env);
        station.start(program, { "--port", QString::number(port) });
        QTcpSocket socket;
        const bool listening = QTest::qWaitFor(
            [&] {
            if (socket.state() == QAbstractSocket::UnconnectedState)
                socket.connectToHost(QHostAddress::LocalHost, port);
            return socket.state() == QAbstractSocket::ConnectedState;
            },
            10000);
        return listening ? port : 0; // 0: the station never listened
    }

private slots:
#ifdef Q_OS_UNIX
    // On Windows a windowed program gets its window's close message instead,
    // which an offscreen window cannot receive.
    void signalClosesTheStation()
    {
        for (int signal : { SIGINT, SIGTERM }) {
            QTemporaryDir home;
            QProcess station;
            QVERIFY(start(station, home, HARRIER_STATION));
            QTest::qWait(1500); // the demonstration feed opens its windows
            QCOMPARE(::kill(pid_t(station.processId()), signal), 0);
            QVERIFY(station.waitForFinished(10000));
            QCOMPARE(station.exitStatus(), QProcess::NormalExit);
            QCOMPARE(station.exitCode(), 0);
            QSettings saved(home.path() + "/config/Norvane LLC/HARRIER Tablet DEMO.conf",
                            QSettings::IniFormat);
            QVERIFY(saved.contains("MainWindow/Pos") && saved.contains("Module 1 1"));
        }
    }
#endif

    void killedFullStationKeepsWhatWasCommitted()
    {
        QTemporaryDir home;
        const QString journal = home.path() + "/data/Norvane LLC/HARRIER Tablet/journal.sqlite";
        QProcess station;
        QTcpSocket module;
        module.connectToHost(QHostAddress::LocalHost, start(station, home, HARRIER_STATION_FULL));
        QVERIFY(module.waitForConnected(5000));
        // Modules 1 to 4 report until a few commits have happened: channel 0
        // changes type every step, channel 1 stays open.
        int step = 0;
        QStringList committed;
        QVERIFY(QTest::qWaitFor(
            [&] {
            for (quint8 m = 1; m <= 4; ++m) {
                DATA d = Fixtures::record(m, Fixtures::detection(1 + step % 2, -60, -80, 945),
                                          Fixtures::detection(4, -50, -70, 2412));
                d.nFormat = 4;
                d.nRSSI = 31;
                module.write(ModuleFrame::shortFrame(ModuleFrame::measurementBody(d)));
            }
            module.readAll();
            ++step;
            committed = Fixtures::query(journal, kJournalRows);
            return committed.size() >= 20;
            },
            10000));
        station.kill();
        QVERIFY(station.waitForFinished(5000));
        QCOMPARE(station.exitStatus(), QProcess::CrashExit);

        // The station starts again on that journal and closes every event committed.
        QVERIFY(start(station, home, HARRIER_STATION_FULL));
        const QStringList after = Fixtures::query(journal, kJournalRows);
        station.kill();
        QVERIFY(station.waitForFinished(5000));
        for (const QString &row : committed)
            QVERIFY2(after.contains(row.chopped(1) + '0'), qPrintable(row));
    }
};

QTEST_GUILESS_MAIN(TestStationProcess)
#include "tst_stationprocess.moc"
