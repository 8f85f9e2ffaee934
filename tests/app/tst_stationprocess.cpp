// Runs the station as an operator would and stops it with a signal: it must
// close as its window does, saving its settings, and exit with 0. Killed
// outright while modules report, the full edition keeps what its journal had
// committed. Its command line answers without a display.

#include "Fixtures.h"
#include "eventlog/EventJournal.h"
#include "net/ModuleFrame.h"

#include <QDir>
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

// Rows of the journal as "id start type module in_progress"; the end time
// moves while an event is extended, so it is left out.
QStringList journalRows(const QString &path, const QString &select)
{
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "peek");
        db.setDatabaseName(path);
        db.setConnectOptions("QSQLITE_OPEN_READONLY");
        if (db.open()) {
            QSqlQuery q(select, db);
            while (q.next()) {
                QStringList fields;
                for (int i = 0; i < 5; ++i)
                    fields << q.value(i).toString();
                rows << fields.join(u' ');
            }
        }
    }
    QSqlDatabase::removeDatabase("peek");
    return rows;
}

const char *const kRows =
    "SELECT id, start_time, type, module, in_progress FROM events ORDER BY id";

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

// Asks the station to close with Ctrl+C's signal or SIGTERM; false where a
// test cannot (on Windows a windowed program gets its window's close message
// instead, which an offscreen window cannot receive).
bool askToClose(QProcess &station, bool interrupt)
{
#ifdef Q_OS_UNIX
    return ::kill(pid_t(station.processId()), interrupt ? SIGINT : SIGTERM) == 0;
#else
    Q_UNUSED(station);
    Q_UNUSED(interrupt);
    return false;
#endif
}

} // namespace

class TestStationProcess : public QObject
{
    Q_OBJECT

private slots:
    void signalClosesTheStation()
    {
        for (bool interrupt : { true, false }) {
            QTemporaryDir home;
            QVERIFY(home.isValid());
            QProcess station;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("XDG_CONFIG_HOME", home.path() + "/config");
            env.insert("XDG_DATA_HOME", home.path() + "/data");
            env.insert("QT_QPA_PLATFORM", "offscreen");
            station.setProcessEnvironment(env);
            station.start(HARRIER_STATION, { "--port", "0" });
            QVERIFY2(station.waitForStarted(5000), qPrintable(station.errorString()));
            QTest::qWait(1500); // the demonstration feed opens its windows
            if (!askToClose(station, interrupt)) {
                station.kill();
                station.waitForFinished(5000);
                QSKIP("No termination signal to send on this platform");
            }
            QVERIFY(station.waitForFinished(10000));
            QCOMPARE(station.exitStatus(), QProcess::NormalExit);
            QCOMPARE(station.exitCode(), 0);
            const QString file = home.path() + "/config/Norvane LLC/HARRIER Tablet DEMO.conf";
            QVERIFY2(QFile::exists(file), qPrintable(file));
            QSettings saved(file, QSettings::IniFormat);
            QVERIFY(saved.contains("MainWindow/Pos") && saved.contains("Module 1 1"));
        }
    }

    void commandLineWithoutDisplay_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("demo --version")
            << HARRIER_STATION << "--version" << 0 << "HARRIER Tablet DEMO 1.2.01\n"
            << "";
        QTest::newRow("full --help")
            << HARRIER_STATION_FULL << "--help" << 0 << "HARRIER Tablet 1.2.01, the full edition\n"
            << "";
        QTest::newRow("full --bogus") << HARRIER_STATION_FULL << "--bogus" << 2 << ""
                                      << "Unknown option 'bogus'.";
    }

    void commandLineWithoutDisplay()
    {
        QFETCH(QString, program);
        QFETCH(QString, argument);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
            env.remove(name);
        QProcess station;
        station.setProcessEnvironment(env);
        station.start(program, { argument });
        QVERIFY(station.waitForFinished(10000));
        QCOMPARE(station.exitStatus(), QProcess::NormalExit);
        QCOMPARE(station.exitCode(), exitCode);
        const QString stdOut = QString::fromLocal8Bit(station.readAllStandardOutput());
        const QString stdErr = QString::fromLocal8Bit(station.readAllStandardError());
        QVERIFY2(out.isEmpty() ? stdOut.isEmpty() : stdOut.startsWith(out), qPrintable(stdOut));
        QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.startsWith(err), qPrintable(stdErr));
    }

    void killedFullStationKeepsWhatWasCommitted()
    {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        const QString journal = home.path() + "/data/Norvane LLC/HARRIER Tablet/journal.sqlite";
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", home.path() + "/config");
        env.insert("XDG_DATA_HOME", home.path() + "/data");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        const quint16 port = freePort();
        QProcess station;
        station.setProcessEnvironment(env);
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
            committed = journalRows(journal, kRows);
            return committed.size() >= 20;
            },
            10000));
        station.kill();
        QVERIFY(station.waitForFinished(5000));
        reporting.stop();
        QCOMPARE(station.exitStatus(), QProcess::CrashExit);
        QVERIFY(
            journalRows(journal, QString(kRows).replace("ORDER", "WHERE in_progress ORDER")).size()
            >= 4); // channel 1 of every module was still open

        // What the restarted station fills its store with: everything
        // committed, in-progress events closed.
        QTemporaryDir copy;
        for (const char *suffix : { "", "-wal" })
            QVERIFY(
                QFile::copy(journal + suffix, copy.filePath(EventJournal::fileName()) + suffix));
        {
            EventJournal reader(copy.path());
            QList<EVENT> restored;
            QVERIFY(reader.open(0, restored));
            QStringList shown;
            for (const EVENT &e : restored) {
                QVERIFY(!e.bInProgress);
                shown << QStringLiteral("%1 %2 %3").arg(e.tStartTime).arg(e.nType).arg(e.nModule);
            }
            for (const QString &row : committed) {
                const QStringList f = row.split(u' ');
                const QString key = f[1] + ' ' + f[2] + ' ' + f[3];
                QVERIFY2(shown.removeOne(key), qPrintable(key));
            }
        }

        // The station itself starts again on that journal and closes them in it.
        station.start(HARRIER_STATION_FULL, { "--port", QString::number(port) });
        QVERIFY(station.waitForStarted(5000));
        QTcpSocket again;
        QVERIFY(connectWhenListening(again, port));
        const QStringList after = journalRows(journal, kRows);
        if (askToClose(station, false)) {
            QVERIFY(station.waitForFinished(10000));
            QCOMPARE(station.exitCode(), 0);
        } else {
            station.kill();
            QVERIFY(station.waitForFinished(5000));
        }
        for (QString row : committed) {
            row.chop(1);
            QVERIFY2(after.contains(row + '0'), qPrintable(row));
        }
    }
};

QTEST_GUILESS_MAIN(TestStationProcess)
#include "tst_stationprocess.moc"
