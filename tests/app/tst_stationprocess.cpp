#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

// Runs the station as an operator would and stops it with a signal: it must
// close as its window does and exit with 0.
class TestStationProcess : public QObject
{
    Q_OBJECT

private slots:
    void signalClosesTheStation_data()
    {
        QTest::addColumn<int>("signalNumber");
#ifdef Q_OS_UNIX
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGTERM") << int(SIGTERM);
#endif
    }

    void signalClosesTheStation()
    {
#ifndef Q_OS_UNIX
        QSKIP("POSIX signals only");
#else
        QFETCH(int, signalNumber);
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
        QTest::qWait(1500);   // the demonstration feed opens its windows
        ::kill(pid_t(station.processId()), signalNumber);
        QVERIFY(station.waitForFinished(10000));
        QCOMPARE(station.exitStatus(), QProcess::NormalExit);
        QCOMPARE(station.exitCode(), 0);

        const QString file = home.path() + "/config/Norvane LLC/HARRIER Tablet DEMO.conf";
        QVERIFY2(QFile::exists(file), qPrintable(file));
        QSettings saved(file, QSettings::IniFormat);
        QCOMPARE(saved.value("MainWindow/Pos").toPoint(), QPoint(10, 10));
        QCOMPARE(saved.value("Limit").toInt(), 1000);
        QVERIFY(saved.contains("Module 1 1"));
#endif
    }
};

QTEST_GUILESS_MAIN(TestStationProcess)
#include "tst_stationprocess.moc"
