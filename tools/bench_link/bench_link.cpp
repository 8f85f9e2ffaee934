// Measures how many measurement frames the server decodes and answers per
// second over loopback. Several module connections run in a second thread,
// each sending its next frame as soon as the reply to the previous one arrived.
//
// Usage: bench_link [connections=16] [seconds=5]

#include "net/ModuleFrame.h"
#include "net/ModuleLink.h"
#include "net/WireProtocol.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <vector>

namespace {

std::atomic<qint64> g_replies{ 0 };

// One simulated module: sends a frame, waits for its 71-byte reply, repeats.
class Module : public QObject
{
public:
    Module(quint16 port, quint8 id, QObject *parent)
        : QObject(parent)
        , m_socket(new QTcpSocket(this))
    {
        DATA d;
        d.nID = id;
        d.nFormat = Wire::MeasurementFormat;
        d.channel[0] = CHANNEL{ 1, 1, -60, -80, -90, 0, 0, 945.0 };
        m_frame = ModuleFrame::shortFrame(ModuleFrame::measurementBody(d));
        connect(m_socket, &QTcpSocket::connected, this, [this] { m_socket->write(m_frame); });
        connect(m_socket, &QTcpSocket::readyRead, this, [this] {
            m_pending += m_socket->bytesAvailable();
            m_socket->readAll();
            while (m_pending >= Wire::ReplyLength) {
                m_pending -= Wire::ReplyLength;
                g_replies.fetch_add(1, std::memory_order_relaxed);
                m_socket->write(m_frame);
            }
        });
        m_socket->connectToHost(QHostAddress::LocalHost, port);
    }

private:
    QTcpSocket *m_socket;
    QByteArray m_frame;
    qint64 m_pending = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int connections = argc > 1 ? atoi(argv[1]) : 16;
    const int seconds = argc > 2 ? atoi(argv[2]) : 5;

    ModuleLink server(0, false);
    if (!server.isListening())
        return 1;
    for (int m = 1; m <= connections; ++m)
        server.device.SetDefaultSettings(quint8(m));
    qint64 emitted = 0;
    QObject::connect(&server, &ModuleLink::dataUpdated, &server, [&emitted](DATA) { ++emitted; });

    QThread clientThread;
    QObject clients;
    clients.moveToThread(&clientThread);
    clientThread.start();
    const quint16 port = server.serverPort();
    QMetaObject::invokeMethod(&clients, [&clients, port, connections] {
        for (int m = 1; m <= connections; ++m)
            new Module(port, quint8(m), &clients);
    });

    // Warm up for half a second, then measure.
    qint64 startCount = 0;
    QElapsedTimer clock;
    QTimer::singleShot(500, &app, [&] {
        startCount = g_replies.load();
        clock.start();
        QTimer::singleShot(seconds * 1000, &app, [&] {
            const qint64 n = g_replies.load() - startCount;
            const double rate = n * 1000.0 / clock.elapsed();
            std::printf("connections=%d seconds=%d frames answered=%lld rate=%.0f frames/s\n",
                        connections, seconds, static_cast<long long>(n), rate);
            app.quit();
        });
    });
    const int rc = app.exec();
    QMetaObject::invokeMethod(
        &clients, [&clients] { qDeleteAll(clients.children()); }, Qt::BlockingQueuedConnection);
    clientThread.quit();
    clientThread.wait();
    std::printf("records emitted=%lld\n", static_cast<long long>(emitted));
    return rc;
}
