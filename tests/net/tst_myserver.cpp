// The server shell over the module link: it passes the link's records on,
// stays a hidden widget of its own, and reports a failed listen in a box.

#include "TestSettings.h"
#include "net/MyServer.h"

#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

class TestMyServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }

    void passesTheLinksRecordsOn()
    {
        MyServer server(0, nullptr, false);
        QVERIFY(server.isListening());
        QVERIFY(!server.isVisible() && !server.parentWidget());
        QCOMPARE(&server.device, &server.link().device);
        QSignalSpy records(&server, &MyServer::dataUpdated);
        server.OnTimer();
        QCOMPARE(records.count(), 6);
    }

    void listenFailureIsReported()
    {
        QTcpServer blocker;
        QVERIFY(blocker.listen(QHostAddress::AnyIPv4, 0));
        QString title, text;
        QTimer::singleShot(0, this, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                box->accept();
            }
        });
        MyServer failed(blocker.serverPort(), nullptr, true);
        QVERIFY(!failed.isListening());
        QCOMPARE(title, QString("Server Error"));
        QVERIFY2(text.startsWith(
                     QString("Unable to start the server on port %1: ").arg(blocker.serverPort()))
                     && text.size() > 45,
                 qPrintable(text));
    }
};

QTEST_MAIN(TestMyServer)
#include "tst_myserver.moc"
