#include "app/CMainWindow.h"
#include "app/StyleSheet.h"
#include "app/TerminationSignals.h"
#include "net/CaptureWriter.h"
#include "usb/CFTDI.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

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
    const QCommandLineOption captureOption(
        QStringLiteral("capture"),
        QStringLiteral("Write every module frame and reply to FILE (pcapng)."),
        QStringLiteral("FILE"));
    parser.addOption(captureOption);
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
    // Declared before the window so that it outlives the link that feeds it.
    CaptureWriter capture;
    if (parser.isSet(captureOption) && !capture.open(parser.value(captureOption))) {
        qCritical("Cannot write the capture %s: %s", qPrintable(parser.value(captureOption)),
                  qPrintable(capture.errorString()));
        return 2;
    }
    CMainWindow window(quint16(port), true, edition);
    if (capture.isOpen())
        window.server()->link().setCapture(&capture);
    // Ctrl+C or a termination request closes the station as its window does.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app,
                     [&window, &app] {
        window.close();
        app.quit();
    });
    window.show();
    const int status = app.exec();
    if (capture.isOpen()) {
        window.server()->link().setCapture(nullptr);
        const bool ok = capture.close();
        fprintf(stderr, "Capture %s: %llu packets written, %llu dropped%s%s\n",
                qPrintable(parser.value(captureOption)),
                static_cast<unsigned long long>(capture.written()),
                static_cast<unsigned long long>(capture.dropped()),
                ok ? "" : ", write failed: ", ok ? "" : qPrintable(capture.errorString()));
    }
    return status;
}
