// The two editions from one build: what each offers, and the full edition's
// journal seen from the main window: events back after a restart, and a data
// folder that cannot be written leaving the station running with one warning.

#include "Fixtures.h"
#include "TestSettings.h"
#include "app/CMainWindow.h"
#include "app/CQMdiArea.h"
#include "display/CModuleWindow.h"
#include "eventlog/EventJournal.h"
#include "net/MyServer.h"
#include "net/StationGlobals.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

using F = Fixtures;

class Window : public CMainWindow
{
public:
    explicit Window(const Edition &edition)
        : CMainWindow(0, false, edition)
    {
    }
    QStringList warnings; // "title: text"

protected:
    void warn(const QString &title, const QString &text) override
    {
        warnings << title + ": " + text;
    }
    void inform(const QString &, const QString &) override { }
};

// The visible entries of every menu: "View: Event Log..., ...".
QStringList offered(const QMainWindow &w)
{
    QStringList out;
    for (QAction *menuAction : w.menuBar()->actions()) {
        QStringList texts;
        for (QAction *a : menuAction->menu()->actions())
            if (a->isVisible() && !a->isSeparator())
                texts << QString(a->text()).remove('&');
        out << QString(menuAction->text()).remove('&') + ": " + texts.join(", ");
    }
    return out;
}

} // namespace

class TestEditions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The journal lives in the data folder under the home folder.
        QVERIFY(m_home.isValid());
        qputenv("HOME", m_home.path().toLocal8Bit());
        TestSettings::isolate();
    }
    void init()
    {
        TestSettings::freshStation();
        QDir(dataFolder()).removeRecursively();
    }

    void eachEditionOffersItsActions_data()
    {
        QTest::addColumn<bool>("full");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("menus");
        QTest::addColumn<bool>("settingsButton");
        QTest::newRow("demo") << false << "HARRIER Tablet DEMO - Version 1.2.01"
                              << QStringList{ "View: Rearrange Modules, test",
                                              "Settings: Options..., Configuration..., Default",
                                              "Help: Manual, About..." }
                              << false;
        QTest::newRow("full")
            << true << "HARRIER Tablet - Version 1.2.01"
            << QStringList{ "View: Event Log..., Rearrange Modules, test",
                            "Settings: Options..., Configuration..., Localization, Default",
                            "Help: Manual, About..." }
            << true;
    }
    void eachEditionOffersItsActions()
    {
        QFETCH(bool, full);
        QFETCH(QString, title);
        QFETCH(QStringList, menus);
        QFETCH(bool, settingsButton);
        Window w(full ? Edition::full() : Edition::demo());
        QCOMPARE(w.windowTitle(), title);
        QCOMPARE(offered(w), menus);
        QCOMPARE(w.journal() != nullptr, full);
        QCOMPARE(w.edition().demoFeed, !full);
        w.OnDisplayData(F::status(4));
        CHILD(QPushButton, settings, w.moduleWindow(4), "m_pSettingsButton");
        QCOMPARE(settings->isVisibleTo(w.moduleWindow(4)), settingsButton);
        QVERIFY(w.warnings.isEmpty());
    }

    void fullEditionGetsItsEventsBackAfterARestart()
    {
        QList<EVENT> before;
        {
            Window w(Edition::full());
            w.OnDisplayData(F::record(3, F::detection(1, -60, -80, 945)));
            w.OnDisplayData(F::record(5, F::detection(2, -50)));
            w.OnDisplayData(F::record(5, {}));
            w.eventLog().GetEvents(before, 0);
            QCOMPARE(before.size(), 2);
        }
        QVERIFY(QFile::exists(dataFolder() + "/journal.sqlite"));
        Window again(Edition::full());
        QList<EVENT> after;
        again.eventLog().GetEvents(after, 0);
        before[0].bInProgress = false; // in progress when the station stopped
        QCOMPARE(F::dump(after), F::dump(before));
        QVERIFY(again.warnings.isEmpty());
    }

    void readOnlyDataFolderLeavesTheStationRunningWithAWarning()
    {
        const QString folder = dataFolder();
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(makeReadOnly(folder));
        Window w(Edition::full());
        makeWritable(folder);
        QTRY_COMPARE(w.warnings.size(), 1); // told once the window is up
        QVERIFY2(w.warnings.at(0).startsWith("Warning: The event journal "),
                 qPrintable(w.warnings.at(0)));
        QCOMPARE(w.statusText(0),
                 QString("Event journal unavailable: events are kept in memory only"));
        QVERIFY(!w.journal()->isWorking());
        // Records are still taken and kept in memory.
        w.OnDisplayData(F::record(2, F::detection(1, -60)));
        QList<EVENT> events;
        w.eventLog().GetEvents(events, 0);
        QCOMPARE(events.size(), 1);
        QVERIFY(w.moduleWindow(2));
        // Said once only.
        w.OnJournalFailed("disk full");
        QCOMPARE(w.warnings.size(), 1);
    }

private:
    static QString dataFolder()
    {
        QCoreApplication::setApplicationName(Edition::full().applicationName);
        return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    }
    // Permissions do not bind root; the immutable flag does where the file
    // system has it, else a file stands in for the folder (as on Windows,
    // where a folder's read-only attribute does not keep files out).
    bool makeReadOnly(const QString &folder)
    {
#ifdef Q_OS_UNIX
        if (!QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner))
            return false;
        if (::geteuid() != 0)
            return true;
        if (QProcess::execute("chattr", { "+i", folder }) == 0)
            return true;
#endif
        m_blocked = true;
        return QDir(folder).removeRecursively() && QFile(folder).open(QIODevice::WriteOnly);
    }
    void makeWritable(const QString &folder)
    {
        if (m_blocked) {
            QFile::remove(folder);
            m_blocked = false;
            return;
        }
#ifdef Q_OS_UNIX
        if (::geteuid() == 0)
            QProcess::execute("chattr", { "-i", folder });
#endif
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QTemporaryDir m_home;
    bool m_blocked = false;
};

QTEST_MAIN(TestEditions)
#include "tst_editions.moc"
