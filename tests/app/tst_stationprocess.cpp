// Runs the station as an operator would and stops it with a signal: it must
// close as its window does, saving its settings, and exit with 0. Killed
// outright while modules report, the full edition starts again with every
// event its journal had committed. Its command line answers without a display.

#include "Fixtures.h"
#include "net/ModuleFrame.h"

#include <QProcess>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

namespace {

// Rows of the journal as "start type module in_progress"; the end time moves
// while an event is extended, so it is left out.
QStringList journalRows(const QString &path)
{
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "peek");
        db.setDatabaseName(path);
        db.setConnectOptions("QSQLITE_OPEN_READONLY");
        QSqlQuery q(db);
        if (db.open())
            q.exec("SELECT start_time || ' ' || type || ' ' || module || ' ' || in_progress "
                   "FROM events ORDER BY id");
        while (q.next())
            rows << q.value(0).toString();
    }
    QSqlDatabase::removeDatabase("peek");
    return rows;
}

// The station's environment: its settings and data under home, no display.
QProcessEnvironment stationEnvironment(const QTemporaryDir &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", home.path() + "/config");
    env.insert("XDG_DATA_HOME", home.path() + "/data");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Connects once the station listens on the port (it takes a moment to start).
bool connectWhenListening(QTcpSocket &socket, quint16 port)
{
    return QTest::qWaitFor(
        [&] {
        if (socket.state() == QAbstractSocket::UnconnectedState)
            socket.connectToHost(QHostAddress::LocalHost, port);
        return socket.state() == QAbstractSocket::ConnectedState;
        },
        10000);
}

} // namespace

class TestStationProcess : public QObject
{
    Q_OBJECT

private slots:
#ifdef Q_OS_UNIX
    // On Windows a windowed program gets its window's close message instead,
    // which an offscreen window cannot receive.
    void signalClosesTheStation()
    {
        for (int signal : { SIGINT, SIGTERM }) {
            QTemporaryDir home;
            QProcess station;
            station.setProcessEnvironment(stationEnvironment(home));
            station.start(HARRIER_STATION, { "--port", "0" });
            QVERIFY2(station.waitForStarted(5000), qPrintable(station.errorString()));
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

    // Help, version and faults go to standard output or error without a display.
    void commandLineWithoutDisplay_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("text");
        QTest::newRow("demo --version")
            << HARRIER_STATION << "--version" << 0 << "HARRIER Tablet DEMO 1.2.01\n";
        QTest::newRow("full --help")
            << HARRIER_STATION_FULL << "--help" << 0 << "HARRIER Tablet 1.2.01, the full edition\n";
        QTest::newRow("full --bogus")
            << HARRIER_STATION_FULL << "--bogus" << 2 << "Unknown option 'bogus'.";
    }
    void commandLineWithoutDisplay()
    {
        QFETCH(QString, program);
        QFETCH(QString, argument);
        QFETCH(int, exitCode);
        QFETCH(QString, text);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
            env.remove(name);
        QProcess station;
        station.setProcessEnvironment(env);
        station.start(program, { argument });
        QVERIFY(station.waitForFinished(10000));
        QCOMPARE(station.exitStatus(), QProcess::NormalExit);
        QCOMPARE(station.exitCode(), exitCode);
        const QByteArray out = station.readAllStandardOutput();
        const QByteArray err = station.readAllStandardError();
        QVERIFY2(QString(exitCode ? err : out).startsWith(text), (out + err).constData());
        QVERIFY2((exitCode ? out : err).isEmpty(), (out + err).constData());
    }

    void killedFullStationKeepsWhatWasCommitted()
    {
        QTemporaryDir home;
        const QString journal = home.path() + "/data/Norvane LLC/HARRIER Tablet/journal.sqlite";
        const quint16 port = freePort();
        QProcess station;
        station.setProcessEnvironment(stationEnvironment(home));
        station.start(HARRIER_STATION_FULL, { "--port", QString::number(port) });
        QVERIFY2(station.waitForStarted(5000), qPrintable(station.errorString()));

        QTcpSocket module;
        QVERIFY(connectWhenListening(module, port));
        // Modules 1 to 4 keep reporting: channel 0 changes type every step
        // (an event closes, another opens), channel 1 stays open throughout.
        int step = 0;
        QTimer reporting;
        QObject::connect(&reporting, &QTimer::timeout, [&] {
            QByteArray frames;
            for (quint8 m = 1; m <= 4; ++m) {
                DATA d = Fixtures::record(m, Fixtures::detection(1 + step % 2, -60, -80, 945),
                                          Fixtures::detection(4, -50, -70, 2412));
                d.nFormat = 4;
                d.nRSSI = 31;
                frames += ModuleFrame::shortFrame(ModuleFrame::measurementBody(d));
            }
            module.write(frames);
            module.readAll();
            ++step;
        });
        reporting.start(100);

        // Until a few commits have happened, then killed mid-report.
        QStringList committed;
        QVERIFY(QTest::qWaitFor(
            [&] {
            committed = journalRows(journal);
            return committed.size() >= 20;
            },
            10000));
        station.kill();
        QVERIFY(station.waitForFinished(5000));
        reporting.stop();
        QCOMPARE(station.exitStatus(), QProcess::CrashExit);

        // The station starts again on that journal and closes every event committed.
        station.start(HARRIER_STATION_FULL, { "--port", QString::number(port) });
        QVERIFY(station.waitForStarted(5000));
        QTcpSocket again;
        QVERIFY(connectWhenListening(again, port));
        const QStringList after = journalRows(journal);
        station.kill();
        QVERIFY(station.waitForFinished(5000));
        for (const QString &row : committed)
            QVERIFY2(after.contains(row.chopped(1) + '0'), qPrintable(row));
    }
};

QTEST_GUILESS_MAIN(TestStationProcess)
#include "tst_stationprocess.moc"
