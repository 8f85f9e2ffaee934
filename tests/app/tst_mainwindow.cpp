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

#include <QMdiSubWindow>
#include <QSettings>
#include <QTcpSocket>
#include <QTest>

namespace {

// The main window with its message boxes answered by the test.
class TestableMainWindow : public CMainWindow
{
public:
    TestableMainWindow()
        : CMainWindow(0, false)
    {
    }
    QStringList informed;
    bool answer = true;

    QMdiSubWindow *sub(quint8 module) { return qobject_cast<QMdiSubWindow *>(moduleWindow(module)->parentWidget()); }

protected:
    void inform(const QString &title, const QString &text) override { informed << title + ": " + text; }
    bool askYesNo(const QString &, const QString &) override { return answer; }
};

DATA record(quint8 module, qint32 state = 0x20)
{
    return Fixtures::status(module, state, state, state);
}

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

    void firstStart()
    {
        {
            TestableMainWindow w;
            QCOMPARE(w.statusText(1) + w.statusText(2), QString("Total: 0Correct: 0"));
            QVERIFY(w.server()->isListening());
            QVERIFY(QSettings().contains(SettingsKeys::ModuleAddress1CheckBox)); // option defaults written
            w.OnConnectionStatus(4);
            QCOMPARE(w.statusText(3), QString("USB connection status: SEARCHING MODUL"));
            w.OnConnectionStatus(9); // unknown: the text stays
            QCOMPARE(w.statusText(3), QString("USB connection status: SEARCHING MODUL"));
        }
        QSettings s;
        QCOMPARE(s.value(SettingsKeys::MainWindowPos).toPoint(), QPoint(10, 10));
        QCOMPARE(s.value(SettingsKeys::MainWindowSize).toSize(), QSize(1024, 768));
        QCOMPARE(s.value(SettingsKeys::MainWindowMaximized).toBool(), false);
        QCOMPARE(s.value(SettingsKeys::Limit).toInt(), 1000);
    }

    void demoFeedShowsSixModules()
    {
        TestableMainWindow w;
        w.server()->OnTimer();
        QCOMPARE(w.mdiArea()->SubWindowCount(), 6);
        QCOMPARE(w.statusText(1) + w.statusText(2), QString("Total: 6Correct: 6"));
        QCOMPARE(StationGlobals::correctModules, 6);
        for (quint8 m = 1; m <= 6; ++m)
            QVERIFY(w.moduleWindow(m) && w.server()->device.hasRecord(m));
        // From the second step on the modules have records, their bands count
        // as enabled and detections reach the event log.
        w.server()->OnTimer();
        QCOMPARE(w.mdiArea()->SubWindowCount(), 6);
        QList<EVENT> events;
        w.eventLog().GetEvents(events, 0);
        QVERIFY(!events.isEmpty());
    }

    void incorrectRecordIsNotCounted()
    {
        TestableMainWindow w;
        w.OnDisplayData(record(1));
        DATA bypass = record(2, 0);
        bypass.nFormat = 0;
        w.OnDisplayData(bypass);
        QCOMPARE(w.statusText(1) + w.statusText(2), QString("Total: 2Correct: 1"));
    }

    void silentWindowClosesAndComesBack()
    {
        TestableMainWindow w;
        w.OnDisplayData(record(3));
        w.OnDisplayData(record(4));
        for (int i = 0; i < 30; ++i)
            w.moduleWindow(3)->OnTimer();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w.moduleWindow(3));
        QCOMPARE(w.mdiArea()->SubWindowCount(), 1);
        QVERIFY(w.server()->device.hasRecord(3)); // the record stays
        w.OnDisplayData(record(3));
        QVERIFY(w.moduleWindow(3));
        QCOMPARE(w.statusText(1), QString("Total: 2"));
    }

    void acknowledgementsAreAnnouncedOnce()
    {
        TestableMainWindow w;
        StationGlobals::expectedAcks = 3;
        StationGlobals::ackCounter = 2;
        w.OnDisplayData(record(1));
        QVERIFY(w.informed.isEmpty());
        StationGlobals::ackCounter = 3;
        w.OnDisplayData(record(1));
        QCOMPARE(w.informed, QStringList{ "Success: The operation completed successfully" });
        QCOMPARE(StationGlobals::expectedAcks, 0);
        StationGlobals::ackCounter = 4;
        w.OnDisplayData(record(1));
        QCOMPARE(w.informed.size(), 1);
    }

    // The pause bytes themselves are checked with the device model.
    void recordRefreshesStationSideBytes()
    {
        TestableMainWindow w;
        w.OnDisplayData(record(5));
        ModuleRecord &r = w.server()->device.record(5);
        r.manualPause = true;
        r.manualPauseFreq = 915;
        r.lpfSelection = 3;
        QSettings().setValue(SettingsKeys::SensCombo, 1);
        w.OnDisplayData(record(5));
        QCOMPARE(QList<int>({r.settings[SettingsBlock::PauseFlags], r.settings[SettingsBlock::LpfSelection]}),
                 QList<int>({2, 3}));
        QCOMPARE(StationGlobals::sensitivityScale, 10);
        QCOMPARE(r.windowOrigin, w.moduleWindow(5)->mapToGlobal(QPoint(0, 0)));
    }

    // The window is created before the reply is built, so a new module's very
    // first reply carries its settings block.
    void firstReplyCarriesTheNewModulesSettings()
    {
        TestableMainWindow w;
        QTcpSocket module;
        module.connectToHost(QHostAddress::LocalHost, w.server()->serverPort());
        QVERIFY(QTest::qWaitFor([&] { return module.state() == QAbstractSocket::ConnectedState; }));
        module.write(ModuleFrame::shortFrame(ModuleFrame::measurementBody(record(42))));
        QVERIFY(QTest::qWaitFor([&] { return module.bytesAvailable() >= 71; }));
        QCOMPARE(module.read(3).toHex(), QByteArray("4f9e25"));
        QVERIFY(w.moduleWindow(42));
    }

    void positionsComeBackAfterRestart()
    {
        {
            TestableMainWindow w;
            w.resize(1024, 768);
            w.OnDisplayData(record(5));
            w.sub(5)->move(300, 200);
        }
        TestableMainWindow w;
        w.OnDisplayData(record(5));
        QCOMPARE(w.sub(5)->pos(), QPoint(300, 200));
    }

    void defaultActionAsksFirst()
    {
        TestableMainWindow w;
        QSettings s;
        s.setValue(SettingsKeys::AlarmCombo, 2);
        w.answer = false;
        w.OnSettingsDefaultAction();
        QCOMPARE(s.value(SettingsKeys::AlarmCombo).toInt(), 2);
        w.answer = true;
        w.OnSettingsDefaultAction();
        QCOMPARE(s.value(SettingsKeys::AlarmCombo).toInt(), 0);
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
        w.OnViewEventLogAction();
        QCOMPARE(w.logWindows().size(), 2);
        QVERIFY(w.logWindows()[0]->isVisible());
    }

    // 7, 3, 9 shows the debug view; a wrong key keeps the state.
    void keySequence()
    {
        bool show = false;
        int state = 0;
        for (Qt::Key key : {Qt::Key_7, Qt::Key_1, Qt::Key_3})
            state = CMainWindow::NextKeyState(state, key, show);
        QVERIFY(state == 2 && !show);
        state = CMainWindow::NextKeyState(state, Qt::Key_9, show);
        QVERIFY(show);
        state = CMainWindow::NextKeyState(state, Qt::Key_9, show);
        QVERIFY(show); // again and again
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
