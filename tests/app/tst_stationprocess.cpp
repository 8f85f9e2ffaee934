// Runs the station as an operator would and stops it with a signal: it must
// close as its window does, saving its settings, and exit with 0.

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class TestStationProcess : public QObject
{
    Q_OBJECT

private slots:
    void signalClosesTheStation()
    {
        for (int signalNumber : { SIGINT, SIGTERM }) {
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
            ::kill(pid_t(station.processId()), signalNumber);
            QVERIFY(station.waitForFinished(10000));
            QCOMPARE(station.exitStatus(), QProcess::NormalExit);
            QCOMPARE(station.exitCode(), 0);
            const QString file = home.path() + "/config/Norvane LLC/HARRIER Tablet DEMO.conf";
            QVERIFY2(QFile::exists(file), qPrintable(file));
            QSettings saved(file, QSettings::IniFormat);
            QVERIFY(saved.contains("MainWindow/Pos") && saved.contains("Module 1 1"));
        }
    }
};

QTEST_GUILESS_MAIN(TestStationProcess)
#include "tst_stationprocess.moc"
