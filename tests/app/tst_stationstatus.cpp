// The status bar's state fields: listening or not with the port, connected
// modules and frames per second.

#include "FakePrompts.h"
#include "TestSettings.h"
#include "app/CStationStatus.h"
#include "net/MyServer.h"

#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

class TestStationStatus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }

    void framesPerSecond_data()
    {
        QTest::addColumn<int>("frames");
        QTest::addColumn<int>("ms");
        QTest::addColumn<int>("rate");
        QTest::newRow("one second") << 510 << 1000 << 510;
        QTest::newRow("late tick") << 510 << 1020 << 500;
        QTest::newRow("half a second") << 6 << 500 << 12;
        QTest::newRow("rounded") << 2 << 3000 << 1;
        QTest::newRow("no time") << 5 << 0 << 0;
    }

    void framesPerSecond()
    {
        QFETCH(int, frames);
        QFETCH(int, ms);
        QFETCH(int, rate);
        QCOMPARE(CStationStatus::FramesPerSecond(quint64(frames), ms), rate);
    }

    void listeningPortAndModules()
    {
        MyServer server(0, nullptr, false);
        QStatusBar bar;
        CStationStatus status(&bar, 0, &server, nullptr);
        QCOMPARE(status.text(CStationStatus::Listening),
                 QString("Listening on port %1").arg(server.serverPort()));
        QCOMPARE(status.text(CStationStatus::Modules), QString("Modules connected: 0"));
        QVERIFY(status.text(CStationStatus::Journal).isEmpty());
        QCOMPARE(bar.findChildren<QLabel *>().size(), 3);

        QTcpSocket module;
        module.connectToHost(QHostAddress::LocalHost, server.serverPort());
        QVERIFY(module.waitForConnected(3000));
        QTRY_COMPARE(server.connectionCount(), 1);
        status.OnTimer();
        QCOMPARE(status.text(CStationStatus::Modules), QString("Modules connected: 1"));
    }

    // The port is taken: the status says so and why (the server's own box is
    // closed as it opens).
    void notListeningSaysWhy()
    {
        QTcpServer blocker;
        QVERIFY(blocker.listen(QHostAddress::AnyIPv4, 0));
        FakePrompts prompts;
        QTimer::singleShot(0, this, [] {
            if (QWidget *box = QApplication::activeModalWidget())
                box->close();
        });
        MyServer server(blocker.serverPort(), nullptr, false);
        QStatusBar bar;
        CStationStatus status(&bar, 0, &server, nullptr);
        const QString shown = status.text(CStationStatus::Listening);
        QVERIFY2(shown.startsWith(QString("Not listening on port %1: ").arg(blocker.serverPort()))
                     && shown.size() > 30,
                 qPrintable(shown));
    }
};

QTEST_MAIN(TestStationStatus)
#include "tst_stationstatus.moc"
