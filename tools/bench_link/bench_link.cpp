// Measures how many measurement frames the server decodes and answers per
// second over loopback. Several module connections run in a second thread,
// each sending its next frame as soon as the reply to the previous one arrived.
//
// Usage: bench_link [connections=16] [seconds=5]
//        bench_link --descriptor-limit [idle=200] [limit=128] [seconds=5]
// The second form serves one module, then lowers the process's descriptor
// limit while a second process holds idle connections open, and reports the
// CPU the link uses meanwhile (Linux).

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
#include <cstring>
#include <vector>

#ifdef Q_OS_LINUX
#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#endif

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

#ifdef Q_OS_LINUX
double processCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

int descriptorLimit(QCoreApplication &app, int idle, int limit, int seconds)
{
    ModuleLink server(0, false);
    if (!server.isListening())
        return 1;
    server.device.SetDefaultSettings(1);
    const quint16 port = server.serverPort();
    {
        // One module served first: the listener has once found its queue empty.
        QTcpSocket module;
        module.connectToHost(QHostAddress::LocalHost, port);
        DATA d;
        d.nID = 1;
        d.nFormat = Wire::MeasurementFormat;
        QElapsedTimer t;
        t.start();
        while (module.state() != QAbstractSocket::ConnectedState && t.elapsed() < 5000)
            app.processEvents(QEventLoop::AllEvents, 10);
        module.write(ModuleFrame::shortFrame(ModuleFrame::measurementBody(d)));
        while (module.bytesAvailable() < Wire::ReplyLength && t.elapsed() < 5000)
            app.processEvents(QEventLoop::AllEvents, 10);
        if (module.bytesAvailable() < Wire::ReplyLength)
            return 1;
    }
    const pid_t child = fork();
    if (child == 0) {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        for (int i = 0; i < idle; ++i) {
            const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
            if (fd < 0 || ::connect(fd, reinterpret_cast<const sockaddr *>(&to), sizeof to) != 0)
                _exit(1);
        }
        pause();
        _exit(0);
    }
    rlimit low{};
    getrlimit(RLIMIT_NOFILE, &low);
    low.rlim_cur = rlim_t(limit);
    setrlimit(RLIMIT_NOFILE, &low);
    // A second to settle, then measured in the event loop as the station runs it.
    QTimer::singleShot(1000, &app, &QCoreApplication::quit);
    app.exec();
    const double cpuBefore = processCpuMs();
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    const double cpu = processCpuMs() - cpuBefore;
    std::printf("idle connections=%d descriptor limit=%d connections kept=%d accept failures "
                "counted=%llu CPU=%.0f ms in %lld ms (%.1f %% of a core)\n",
                idle, limit, server.connectionCount(),
                static_cast<unsigned long long>(server.acceptFailures()), cpu,
                static_cast<long long>(clock.elapsed()), cpu * 100.0 / clock.elapsed());
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    return 0;
}
#endif

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--descriptor-limit") == 0) {
#ifdef Q_OS_LINUX
        return descriptorLimit(app, argc > 2 ? atoi(argv[2]) : 200, argc > 3 ? atoi(argv[3]) : 128,
                               argc > 4 ? atoi(argv[4]) : 5);
#else
        std::printf("--descriptor-limit needs Linux\n");
        return 1;
#endif
    }
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
