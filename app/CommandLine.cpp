#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <functional>

namespace {

// One option: its names, the name of its value (none for a switch), its help
// line (empty: not listed) and what it sets; take returns a fault or nothing.
struct Entry
{
    QStringList names;
    QString valueName;
    QString help;
    std::function<QString(CommandLine &, const QString &)> take;
};

QString noFault(CommandLine &, const QString &)
{
    return QString();
}

QList<Entry> entries()
{
    QList<Entry> list = {
        { { "h", "help" }, {}, CommandLine::tr("Show this help and exit."),
          [](CommandLine &c, const QString &) {
              c.action = CommandLine::Action::ShowHelp;
              return QString();
          } },
        { { "v", "version" }, {}, CommandLine::tr("Show the edition and version and exit."),
          [](CommandLine &c, const QString &) {
              if (c.action == CommandLine::Action::Run)
                  c.action = CommandLine::Action::ShowVersion;
              return QString();
          } },
        { { "port" }, QStringLiteral("port"),
          CommandLine::tr("TCP port the modules connect to (default %1).").arg(Wire::DefaultPort),
          [](CommandLine &c, const QString &value) {
              bool ok = false;
              const uint port = value.toUInt(&ok);
              if (!ok || port > 65535)
                  return CommandLine::tr("Invalid port: %1").arg(value);
              c.port = quint16(port);
              return QString();
          } },
        { { "capture" }, QStringLiteral("file"),
          CommandLine::tr("Write every module frame and reply to the file (pcapng)."),
          [](CommandLine &c, const QString &value) {
              if (value.isEmpty())
                  return CommandLine::tr("No capture file given");
              c.captureFile = value;
              return QString();
          } },
    };
    // Qt's own options pass through to the application object, which takes them.
    for (const char *name :
         { "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
           "qwindowicon", "qwindowtitle", "display", "geometry", "session", "style", "stylesheet" })
        list.append({ { QString::fromLatin1(name) }, QStringLiteral("value"), {}, noFault });
    for (const char *name : { "reverse", "widgetcount", "nograb", "dograb" })
        list.append({ { QString::fromLatin1(name) }, {}, {}, noFault });
    return list;
}

QString helpName(const Entry &e)
{
    QStringList names;
    for (const QString &n : e.names)
        names << (n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + n;
    QString s = names.join(QStringLiteral(", "));
    if (!e.valueName.isEmpty())
        s += QStringLiteral(" <%1>").arg(e.valueName);
    return s;
}

QString nameAndVersion(const Edition &edition)
{
    return edition.applicationName + u' ' + Edition::version();
}

} // namespace

QString CommandLine::usage(const QString &program, const Edition &edition)
{
    QString text = nameAndVersion(edition) + QStringLiteral(", ")
        + (edition.demoFeed ? tr("the demonstration edition") : tr("the full edition"))
        + QStringLiteral("\n");
    text +=
        tr("Radio-monitoring station: modules connect to it over TCP.") + QStringLiteral("\n\n");
    text += tr("Usage: %1 [options]").arg(program) + QStringLiteral("\n\n");
    text += tr("Options:") + QStringLiteral("\n");
    for (const Entry &e : entries()) {
        if (!e.help.isEmpty())
            text += QStringLiteral("  %1  %2\n").arg(helpName(e), -16).arg(e.help);
    }
    text += QStringLiteral("\n") + tr("Environment:") + QStringLiteral("\n");
    text += QStringLiteral("  %1  %2\n")
                .arg(QStringLiteral("HARRIER_FTD2XX_LIBRARY"), -22)
                .arg(tr("D2XX driver library to load instead of \"ftd2xx\"."));
    text += QStringLiteral("  %1  %2\n")
                .arg(QStringLiteral("QT_QPA_PLATFORM"), -22)
                .arg(tr("Qt platform; \"offscreen\" runs without a display."));
    return text;
}

CommandLine CommandLine::parse(const QStringList &arguments, const Edition &edition)
{
    CommandLine result;
    const QString program = arguments.isEmpty() ? QStringLiteral("harrier-tablet")
                                                : QFileInfo(arguments.first()).fileName();
    const QList<Entry> table = entries();

    QCommandLineParser parser;
    // "-platform offscreen" as Qt writes its own options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    QList<QCommandLineOption> options;
    for (const Entry &e : table) {
        options.append(QCommandLineOption(e.names, e.help, e.valueName));
        parser.addOption(options.last());
    }

    QString fault;
    if (!parser.parse(arguments.isEmpty() ? QStringList(program) : arguments))
        fault = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        fault = tr("Unexpected argument: %1").arg(parser.positionalArguments().first());
    for (int i = 0; fault.isEmpty() && i < table.size(); ++i) {
        if (parser.isSet(options.at(i)))
            fault = table.at(i).take(result, parser.value(options.at(i)));
    }

    if (!fault.isEmpty()) {
        result.action = Action::Fail;
        result.text = fault + QStringLiteral("\n\n") + usage(program, edition);
    } else if (result.action == Action::ShowHelp) {
        result.text = usage(program, edition);
    } else if (result.action == Action::ShowVersion) {
        result.text = nameAndVersion(edition) + QStringLiteral("\n");
    }
    return result;
}
