#include "app/CMainWindow.h"
#include "app/StyleSheet.h"
#include "app/TerminationSignals.h"
#include "usb/CFTDI.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setStyleSheet(applicationStyleSheet());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Radio-monitoring station"));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("TCP port for the modules (default 2323)."),
                                        QStringLiteral("port"), QString::number(Wire::DefaultPort));
    parser.addOption(portOption);
    parser.process(app);
    bool portOk = false;
    const uint port = parser.value(portOption).toUInt(&portOk);
    if (!portOk || port > 65535) {
        qCritical("Invalid port: %s", qPrintable(parser.value(portOption)));
        return 2;
    }

    // The USB link loads its driver once, before any window needs it.
    CFTDI::instance();
#ifdef HARRIER_EDITION_FULL
    const Edition edition = Edition::full();
#else
    const Edition edition = Edition::demo();
#endif
    CMainWindow window(quint16(port), true, edition);
    // Ctrl+C or a termination request closes the station as its window does.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app,
                     [&window, &app] {
        window.close();
        app.quit();
    });
    window.show();
    return app.exec();
}
