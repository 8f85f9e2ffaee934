// The main window wired to its server, event log and module windows.

#include "Fixtures.h"
#include "TestSettings.h"
#include "app/CLanguageSwitcher.h"
#include "app/CMainWindow.h"
#include "app/CQMdiArea.h"
#include "display/CModuleWindow.h"
#include "eventlog/CLogWindow.h"
#include "net/Acknowledgements.h"
#include "net/ModuleFrame.h"
#include "net/MyServer.h"
#include "net/StationGlobals.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QApplication>
#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QTcpSocket>
#include <QTest>

#include <functional>

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
    // Runs while the message box would be open.
    std::function<void()> duringBox;

protected:
    void inform(const QString &title, const QString &text) override
    {
        informed << title + ": " + text;
        if (duringBox)
            duringBox();
    }
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
        TestSettings::freshStation();
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
        // Counted out at once: a broadcast now awaits no acknowledgement from it.
        QCOMPARE(w.statusText(1) + w.statusText(2), QString("Total: 1Correct: 0"));
        QCOMPARE(StationGlobals::correctModules, 0);
        w.OnDisplayData(Fixtures::status(3));
        QVERIFY(w.moduleWindow(3));
        QCOMPARE(w.statusText(1), QString("Total: 2"));
    }

    void acknowledgementsAreAnnouncedOnce()
    {
        TestableMainWindow w;
        Acknowledgements::expect(3);
        QList<int> announced;
        for (int acks : { 2, 3, 4 }) {
            while (Acknowledgements::noted() < acks)
                Acknowledgements::note();
            w.OnDisplayData(Fixtures::status(1));
            announced << w.informed.size();
        }
        QCOMPARE(announced, QList<int>({ 0, 1, 1 }));
        QCOMPARE(w.informed.first(), QString("Success: The operation completed successfully"));
        QCOMPARE(Acknowledgements::expected(), 0);
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

    // A module that goes away while the box of its record is open: the other
    // frames it sent are still shown, and the station goes on.
    void moduleLeavingWhileABoxIsOpen()
    {
        TestableMainWindow w;
        QTcpSocket module;
        module.connectToHost(QHostAddress::LocalHost, w.server()->serverPort());
        QVERIFY(QTest::qWaitFor([&] { return module.state() == QAbstractSocket::ConnectedState; }));
        w.duringBox = [&] {
            module.abort();
            QEventLoop box;
            QTimer::singleShot(100, &box, &QEventLoop::quit);
            box.exec();
        };
        Acknowledgements::expect(1);
        Acknowledgements::note();
        QByteArray frames;
        for (int i = 0; i < 3; ++i)
            frames += ModuleFrame::shortFrame(ModuleFrame::measurementBody(Fixtures::status(9)));
        module.write(frames);
        QTRY_COMPARE(w.informed.size(), 1);
        QTRY_COMPARE(w.server()->link().connectionCount(), 0);
        QVERIFY(w.moduleWindow(9));

        QTcpSocket next;
        next.connectToHost(QHostAddress::LocalHost, w.server()->serverPort());
        QVERIFY(QTest::qWaitFor([&] { return next.state() == QAbstractSocket::ConnectedState; }));
        next.write(frames.left(55));
        QVERIFY(QTest::qWaitFor([&] { return next.bytesAvailable() >= 71; }));
    }

    // The station's own box opens from the event loop, after the record.
    void successBoxOpensAfterTheRecord()
    {
        CMainWindow w(0, false);
        Acknowledgements::expect(1);
        Acknowledgements::note();
        bool inRecord = true;
        QString shown;
        QTimer::singleShot(100, this, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                shown = (inRecord ? "inside the record: " : "") + box->windowTitle() + ": "
                    + box->text();
                box->accept();
            }
        });
        w.OnDisplayData(Fixtures::status(1));
        inRecord = false;
        QTRY_COMPARE(shown, QString("Success: The operation completed successfully"));
    }

    // The server is a hidden widget of its own: nothing covers the menu bar,
    // and a click on each menu's title opens it.
    void everyMenuOpensFromItsTitle()
    {
        TestableMainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QMenuBar *bar = w.menuBar();
        int menus = 0;
        for (QAction *title : bar->actions()) {
            if (!title->menu() || !title->isVisible())
                continue;
            ++menus;
            const QPoint at = bar->mapTo(&w, bar->actionGeometry(title).center());
            QWidget *hit = w.childAt(at);
            QVERIFY2(hit == bar, qPrintable(title->text()));
            QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(&w, at));
            QTRY_VERIFY2(title->menu()->isVisible(), qPrintable(title->text()));
            title->menu()->hide();
            QTRY_VERIFY(!title->menu()->isVisible());
        }
        QCOMPARE(menus, 3);
    }

    // The title is translated as a whole, not pieced together in English.
    void titleFollowsTheLanguage()
    {
        StationOptions::instance().setValue(SettingsKeys::Language, QStringLiteral("ru_RU"));
        QString russian;
        {
            TestableMainWindow w;
            russian = w.windowTitle();
        }
        CLanguageSwitcher::instance().SetLanguage(QStringLiteral("en_US"));
        TestableMainWindow w;
        QCOMPARE(
            russian + " | " + w.windowTitle(),
            QString("HARRIER Tablet DEMO - Версия 1.2.01 | HARRIER Tablet DEMO - Version 1.2.01"));
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
