#include "app/CMainWindow.h"
#include "app/CommandLine.h"
#include "app/StyleSheet.h"
#include "app/TerminationSignals.h"
#include "net/CaptureWriter.h"
#include "usb/CFTDI.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
#ifdef HARRIER_EDITION_FULL
    const Edition edition = Edition::full();
#else
    const Edition edition = Edition::demo();
#endif
    // Read before the application object connects to a display, so that
    // --help and --version work on a machine without one.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine command = CommandLine::parse(arguments, edition);
    if (command.action != CommandLine::Action::Run) {
        std::FILE *out = command.action == CommandLine::Action::Fail ? stderr : stdout;
        std::fputs(command.text.toLocal8Bit().constData(), out);
        return command.exitCode();
    }

    QApplication app(argc, argv);
    app.setStyleSheet(applicationStyleSheet());

    // The USB link loads its driver once, before any window needs it.
    CFTDI::instance();
    // Declared before the window so that it outlives the link that feeds it.
    CaptureWriter capture;
    if (!command.captureFile.isEmpty() && !capture.open(command.captureFile)) {
        std::fprintf(stderr, "Cannot write the capture %s: %s\n", qPrintable(command.captureFile),
                     qPrintable(capture.errorString()));
        return 2;
    }
    CMainWindow window(command.port, true, edition);
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
        std::fprintf(stderr, "Capture %s: %llu packets written, %llu dropped%s%s\n",
                     qPrintable(command.captureFile),
                     static_cast<unsigned long long>(capture.written()),
                     static_cast<unsigned long long>(capture.dropped()),
                     ok ? "" : ", write failed: ", ok ? "" : qPrintable(capture.errorString()));
    }
    return status;
}
