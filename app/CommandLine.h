#pragma once
// The station's command line, read before the application object exists so
// that --help and --version answer without a display. Every option is one
// entry of the table in CommandLine.cpp.

#include "app/Edition.h"
#include "net/WireProtocol.h"

#include <QCoreApplication>
#include <QStringList>

class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    enum class Action { Run, ShowHelp, ShowVersion, Fail };

    Action action = Action::Run;
    quint16 port = Wire::DefaultPort;
    QString captureFile; // empty: no capture
    // What to print for ShowHelp and ShowVersion (standard output) and for
    // Fail (standard error: the fault, then the usage).
    QString text;

    // 0 to run or after help or version, 2 after a fault.
    int exitCode() const { return action == Action::Fail ? 2 : 0; }

    // arguments as the program got them, the program's own path first.
    static CommandLine parse(const QStringList &arguments, const Edition &edition);
    static QString usage(const QString &program, const Edition &edition);
};
