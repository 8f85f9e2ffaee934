// The station's command line: what each argument list starts, prints and
// exits with, read without an application object.

#include "app/CommandLine.h"

#include <QTest>

using Action = CommandLine::Action;

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("full");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("textStart");

        auto row = [](const char *name, QStringList args, bool full, Action action,
                      const QString &start, int port = 2323) {
            args.prepend("/usr/bin/harrier-tablet");
            QTest::newRow(name) << args << full << int(action) << port << start;
        };
        row("nothing", {}, false, Action::Run, "");
        row("port", { "--port", "4000" }, false, Action::Run, "", 4000);
        row("port=", { "--port=65535" }, true, Action::Run, "", 65535);
        row("capture", { "--port", "0", "--capture", "a.pcapng" }, false, Action::Run, "", 0);
        row("last port wins", { "--port", "1", "--port", "2" }, false, Action::Run, "", 2);
        row("Qt options pass",
            { "-platform", "offscreen", "-style=fusion", "-reverse", "--port", "5" }, false,
            Action::Run, "", 5);
        row("port too big", { "--port", "65536" }, false, Action::Fail, "Invalid port: 65536\n\n");
        row("no port", { "--port" }, false, Action::Fail, "Missing value after '--port'.");
        row("unknown", { "--listen", "f" }, false, Action::Fail, "Unknown option 'listen'.");
        row("no capture", { "--capture=" }, false, Action::Fail, "No capture file given\n\n");
        row("unknown first", { "--help", "--bogus" }, false, Action::Fail,
            "Unknown option 'bogus'.");
        row("argument", { "4000" }, false, Action::Fail, "Unexpected argument: 4000\n\n");
        row("help", { "--help" }, false, Action::ShowHelp,
            "HARRIER Tablet DEMO 1.2.01, the demonstration edition\n");
        row("-h", { "-h", "--version" }, true, Action::ShowHelp,
            "HARRIER Tablet 1.2.01, the full edition\n");
        row("version", { "--version" }, false, Action::ShowVersion, "HARRIER Tablet DEMO 1.2.01\n");
        row("-v full", { "--port", "7", "-v" }, true, Action::ShowVersion,
            "HARRIER Tablet 1.2.01\n", 7);
    }

    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, full);
        QFETCH(int, action);
        QFETCH(int, port);
        QFETCH(QString, textStart);
        const CommandLine c =
            CommandLine::parse(arguments, full ? Edition::full() : Edition::demo());
        QCOMPARE(int(c.action), action);
        QCOMPARE(int(c.port), port);
        QCOMPARE(c.exitCode(), action == int(Action::Fail) ? 2 : 0);
        QVERIFY2(textStart.isEmpty() || c.text.startsWith(textStart), qPrintable(c.text));
        // A fault is followed by the usage; nothing is printed to run.
        QCOMPARE(c.text.contains("Usage: harrier-tablet [options]"),
                 action == int(Action::Fail) || action == int(Action::ShowHelp));
        QCOMPARE(c.text.isEmpty(), action == int(Action::Run));
        QCOMPARE(c.captureFile, QString(arguments.contains("a.pcapng") ? "a.pcapng" : ""));
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
