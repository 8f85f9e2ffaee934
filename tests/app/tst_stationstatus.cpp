// The status bar's state fields: listening or not with the port, connected
// modules, frames per second, and the journal field only where there is one.

#include "TestSettings.h"
#include "app/CMainWindow.h"
#include "app/CStationStatus.h"
#include "net/MyServer.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

class TestStationStatus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init() { TestSettings::freshStation(); }

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

    void notListeningSaysWhy()
    {
        QTcpServer blocker;
        QVERIFY(blocker.listen(QHostAddress::AnyIPv4, 0));
        QString box;
        QTimer::singleShot(0, this, [&] {
            if (auto *b = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                box = b->text();
                b->accept();
            }
        });
        MyServer server(blocker.serverPort(), nullptr, false);
        QStatusBar bar;
        CStationStatus status(&bar, 0, &server, nullptr);
        const QString port = QString::number(blocker.serverPort());
        QVERIFY2(box.startsWith("Unable to start the server on port " + port + ": ")
                     && box.size() > 40,
                 qPrintable(box));
        const QString shown = status.text(CStationStatus::Listening);
        QVERIFY2(shown.startsWith("Not listening on port " + port + ": ") && shown.size() > 30,
                 qPrintable(shown));
    }

    // The main window feeds it every record; the journal field only in the full edition.
    void mainWindowCountsRecords()
    {
        CMainWindow demo(0, false);
        QVERIFY(demo.stationStatus()->text(CStationStatus::Journal).isEmpty());
        demo.server()->OnTimer();
        demo.stationStatus()->OnTimer();
        QVERIFY2(demo.stationStatus()->text(CStationStatus::Rate) != "0 frames/s",
                 qPrintable(demo.stationStatus()->text(CStationStatus::Rate)));
        CMainWindow full(0, false, Edition::full());
        QTRY_COMPARE(full.stationStatus()->text(CStationStatus::Journal),
                     QString("Journal: writing"));
    }
};

QTEST_MAIN(TestStationStatus)
#include "tst_stationstatus.moc"
