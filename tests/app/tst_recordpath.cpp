// Nothing on the way of a record (framing, decoding, reply, main window,
// module window, event log) or of a repaint touches the file system: the
// options are held in memory and the background image is decoded once. A new
// module's window is made before the reply, so even its first reply carries
// its settings block.

#include "FileSystemCalls.h"
#include "Fixtures.h"
#include "TestSettings.h"
#include "app/CMainWindow.h"
#include "app/CQMdiArea.h"
#include "app/CStationStatus.h"
#include "display/CModuleWindow.h"
#include "net/ModuleFrame.h"
#include "settings/SettingsKeys.h"
#include "settings/StationOptions.h"

#include <QImage>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

class TestRecordPath : public QObject
{
    Q_OBJECT

private slots:

    void recordsAndPaintsMakeNoFileSystemCall()
    {
        QTemporaryDir dir;
        const QString image = dir.filePath("background.png");
        QImage(64, 64, QImage::Format_RGB32).save(image);
        StationOptions &options = StationOptions::instance();
        options.setValue(SettingsKeys::BackgroundImage, true);
        options.setValue(SettingsKeys::BackgroundImageFile, image);

        CMainWindow w(0, false);
        w.show();
        QTcpSocket module;
        module.connectToHost(QHostAddress::LocalHost, w.server()->serverPort());
        QVERIFY(QTest::qWaitFor([&] { return module.state() == QAbstractSocket::ConnectedState; }));
        const auto exchange = [&](int frames) {
            for (int f = 0; f < frames; ++f) {
                // Modules 1 to 3; the alarm comes and goes.
                DATA d = Fixtures::status(quint8(1 + f % 3), f % 2 ? 0x20 : 0x04);
                d.nRSSI = qint8(f % 50);
                module.write(ModuleFrame::shortFrame(ModuleFrame::measurementBody(d)));
                if (!QTest::qWaitFor([&] { return module.bytesAvailable() >= 71; }, 5000)
                    || module.read(3).toHex() != "4f9e25")
                    return false;
                module.read(68);
            }
            return true;
        };
        // The first records create the windows, which read the store once.
        QVERIFY(exchange(6));
        QTest::qWait(100);

        fsCallsStart();
        const bool answered = exchange(60);
        for (quint8 m = 1; m <= 3; ++m)
            w.moduleWindow(m)->OnTimer();  // the alarm bar blinks
        w.mdiArea()->viewport()->update(); // the background is drawn again
        QTest::qWait(100);                 // labels follow, windows repaint
        const int calls = fsCallsStop();

        QVERIFY(answered);
        QVERIFY2(
            calls == 0,
            qPrintable(
                QString("%1 file-system calls, the first on %2").arg(calls).arg(fsCallsPath(0))));
        w.stationStatus()->OnTimer();
        QCOMPARE(w.stationStatus()->text(CStationStatus::Listening) + ", "
                     + w.stationStatus()->text(CStationStatus::Modules),
                 QString("Listening on port %1, Modules connected: 1").arg(w.server()->serverPort()));
    }
};

QTEST_MAIN(TestRecordPath)
#include "tst_recordpath.moc"
