// The main window wired to its server, event log and module windows.

#include "Fixtures.h"
#include "TestSettings.h"
#include "app/CMainWindow.h"
#include "app/CQMdiArea.h"
#include "display/CModuleWindow.h"
#include "eventlog/CLogWindow.h"
#include "net/ModuleFrame.h"
#include "net/MyServer.h"
#include "net/StationGlobals.h"
#include "settings/SettingsKeys.h"

#include <QTcpSocket>
#include <QTest>

namespace {

// The main window with its message boxes answered by the test.
class TestableMainWindow : public CMainWindow
{
public:
    TestableMainWindow() : CMainWindow(0, false) {}
    QStringList informed;
    bool answer = true;

protected:
    void inform(const QString &title, const QString &text) override { informed << title + ": " + text; }
    bool askYesNo(const QString &, const QString &) override { return answer; }
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init()
    {
        TestSettings::clear();
        StationGlobals::reset();
    }

    void demoFeedShowsSixModules()
    {
        TestableMainWindow w;
        w.server()->OnTimer();
        QCOMPARE(w.mdiArea()->SubWindowCount(), 6);
        QCOMPARE(w.statusText(1) + w.statusText(2), QString("Total: 6Correct: 6"));
        for (quint8 m = 1; m <= 6; ++m)
            QVERIFY(w.moduleWindow(m) && w.server()->device.hasRecord(m));
        // From the second step on detections reach the event log.
        w.server()->OnTimer();
        QList<EVENT> events;
        w.eventLog().GetEvents(events, 0);
        QVERIFY(!events.isEmpty());
    }

    void silentWindowClosesAndComesBack()
    {
        TestableMainWindow w;
        w.OnDisplayData(Fixtures::status(3));
        DATA bypass = Fixtures::status(4, 0, 0, 0);
        bypass.nFormat = 0;
        w.OnDisplayData(bypass);
        QCOMPARE(w.statusText(1) + w.statusText(2), QString("Total: 2Correct: 1"));
        for (int i = 0; i < 30; ++i)
            w.moduleWindow(3)->OnTimer();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w.moduleWindow(3));
        w.OnDisplayData(Fixtures::status(3));
        QVERIFY(w.moduleWindow(3));
        QCOMPARE(w.statusText(1), QString("Total: 2"));
    }

    void acknowledgementsAreAnnouncedOnce()
    {
        TestableMainWindow w;
        StationGlobals::expectedAcks = 3;
        QList<int> announced;
        for (int acks : { 2, 3, 4 }) {
            StationGlobals::ackCounter = acks;
            w.OnDisplayData(Fixtures::status(1));
            announced << w.informed.size();
        }
        QCOMPARE(announced, QList<int>({ 0, 1, 1 }));
        QCOMPARE(w.informed.first(), QString("Success: The operation completed successfully"));
        QCOMPARE(StationGlobals::expectedAcks, 0);
    }

    // The window is created before the reply is built, so a new module's very
    // first reply carries its settings block.
    void firstReplyCarriesTheNewModulesSettings()
    {
        TestableMainWindow w;
        QTcpSocket module;
        module.connectToHost(QHostAddress::LocalHost, w.server()->serverPort());
        QVERIFY(QTest::qWaitFor([&] { return module.state() == QAbstractSocket::ConnectedState; }));
        module.write(ModuleFrame::shortFrame(ModuleFrame::measurementBody(Fixtures::status(42))));
        QVERIFY(QTest::qWaitFor([&] { return module.bytesAvailable() >= 71; }));
        QCOMPARE(module.read(3).toHex(), QByteArray("4f9e25"));
        QVERIFY(w.moduleWindow(42));
    }

    void logWindowsAreNumberedAndReused()
    {
        TestableMainWindow w;
        w.show();
        w.OnViewEventLogAction();
        w.OnViewEventLogAction();
        QCOMPARE(w.logWindows().size(), 2);
        QCOMPARE(w.logWindows()[1]->windowTitle(), QString("Event Log #2"));
        w.logWindows()[0]->hide();
        w.OnViewEventLogAction(); // the hidden one comes back
        QCOMPARE(w.logWindows().size(), 2);
        QVERIFY(w.logWindows()[0]->isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
