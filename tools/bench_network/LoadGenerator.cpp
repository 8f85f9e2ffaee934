#include "LoadGenerator.h"

#include <ctime>

#include "net/ModuleFrame.h"
#include "net/WireProtocol.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <deque>

namespace {
QElapsedTimer &sinceStart()
{
    static QElapsedTimer c;
    if (!c.isValid())
        c.start();
    return c;
}
} // namespace

class LoadGenerator::Module : public QObject
{
public:
    Module(quint16 port, quint8 id, double rate, Reports reports, int connectAfterMs,
           QObject *parent)
        : QObject(parent)
        , m_socket(new QTcpSocket(this))
        , m_flatOut(rate <= 0)
    {
        DATA d;
        d.nID = id;
        d.nFormat = Wire::MeasurementFormat;
        d.nRSSI = 31;
        d.channel[0] = CHANNEL{ 1, 1, -60, -80, -90, 3, 0, 0.0 };
        if (reports == Reports::Localization) {
            // Levels spread over 40 dB; the scanning receiver on 430 .. 437 MHz.
            d.channel[0].nLevel = -40 - (id * 13) % 41;
            d.channel[1] = CHANNEL{ 1, 18, -50 - id % 30, -80, -90, 0, 0, 430.0 + id % 8 };
        }
        m_frames[0] = m_frames[1] = ModuleFrame::shortFrame(ModuleFrame::measurementBody(d));
        if (reports == Reports::Localization) {
            // Every other frame 20 dB apart, so that the strongest modules change.
            d.channel[0].nLevel += id % 2 ? 20 : -20;
            m_frames[1] = ModuleFrame::shortFrame(ModuleFrame::measurementBody(d));
        }
        if (reports == Reports::Events) {
            d.channel[0].nType = 2;
            m_frames[1] = ModuleFrame::shortFrame(ModuleFrame::measurementBody(d));
        }
        m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(m_socket, &QTcpSocket::readyRead, this, [this] { onReplies(); });
        connect(m_socket, &QTcpSocket::connected, this,
                [this] { connectedAt = sinceStart().nsecsElapsed(); });
        if (m_flatOut) {
            connect(m_socket, &QTcpSocket::connected, this, [this] { send(); });
        } else {
            m_timer.setTimerType(Qt::PreciseTimer);
            m_timer.setInterval(int(1000.0 / rate));
            connect(&m_timer, &QTimer::timeout, this, [this] { send(); });
            // Modules are not in step with each other.
            const int phase = int(QRandomGenerator::global()->bounded(m_timer.interval()));
            connect(m_socket, &QTcpSocket::connected, this, [this, phase] {
                QTimer::singleShot(phase, this, [this] {
                    m_timer.start();
                    send();
                });
            });
        }
        if (connectAfterMs > 0)
            QTimer::singleShot(connectAfterMs, this, [this, port] {
                m_socket->connectToHost(QHostAddress::LocalHost, port);
            });
        else
            m_socket->connectToHost(QHostAddress::LocalHost, port);
    }

    bool connected() const { return m_socket->state() == QAbstractSocket::ConnectedState; }
    qint64 outstanding() const { return qint64(m_sentAt.size()); }
    void halt()
    {
        m_timer.stop();
        m_stopped = true;
    }
    void stop()
    {
        halt();
        m_socket->abort();
    }

    bool measuring = false;
    qint64 sent = 0;
    qint64 answered = 0;
    std::vector<double> latencies;
    qint64 connectedAt = 0;
    qint64 lastSlowAt = -1;
    qint64 slowReplies = 0;

private:
    void send()
    {
        if (m_stopped)
            return;
        m_sentAt.push_back(sinceStart().nsecsElapsed());
        if (measuring)
            ++sent;
        m_socket->write(m_frames[m_next]);
        m_next ^= 1;
    }

    void onReplies()
    {
        m_pending += m_socket->bytesAvailable();
        m_socket->readAll();
        const qint64 now = sinceStart().nsecsElapsed();
        while (m_pending >= Wire::ReplyLength && !m_sentAt.empty()) {
            m_pending -= Wire::ReplyLength;
            const qint64 at = m_sentAt.front();
            m_sentAt.pop_front();
            if ((now - at) / 1e6 > SlowReplyMs) {
                lastSlowAt = now;
                ++slowReplies;
            }
            if (measuring) {
                ++answered;
                latencies.push_back((now - at) / 1e6);
            }
            if (m_flatOut)
                send();
        }
    }

    QTcpSocket *m_socket;
    QTimer m_timer;
    QByteArray m_frames[2];
    int m_next = 0;
    std::deque<qint64> m_sentAt;
    qint64 m_pending = 0;
    bool m_flatOut;
    bool m_stopped = false;
};

double LoadGenerator::Result::percentile(double p) const
{
    if (latenciesMs.empty())
        return 0;
    std::vector<double> v = latenciesMs;
    const size_t k = std::min(v.size() - 1, size_t(p / 100.0 * double(v.size())));
    std::nth_element(v.begin(), v.begin() + k, v.end());
    return v[k];
}

double LoadGenerator::Result::maxMs() const
{
    return latenciesMs.empty() ? 0 : *std::max_element(latenciesMs.begin(), latenciesMs.end());
}

LoadGenerator::LoadGenerator()
{
    sinceStart();
    m_thread.start();
}

LoadGenerator::~LoadGenerator()
{
    if (m_root)
        stop();
    m_thread.quit();
    m_thread.wait();
}

int LoadGenerator::start(quint16 port, int modules, double framesPerSecond, Reports reports,
                         int firstModule, int connectWithinMs)
{
    m_root = new QObject;
    m_root->moveToThread(&m_thread);
    m_startNs = sinceStart().nsecsElapsed();
    QMetaObject::invokeMethod(
        m_root,
        [this, port, modules, framesPerSecond, reports, firstModule, connectWithinMs] {
        for (int m = 0; m < modules; ++m)
            new Module(port, quint8(1 + (firstModule - 1 + m) % 255), framesPerSecond, reports,
                       connectWithinMs * m / modules, m_root);
        },
        Qt::BlockingQueuedConnection);
    // Wait until every module is connected (or give up after 10 s).
    QElapsedTimer t;
    t.start();
    int connected = 0;
    while (t.elapsed() < 10000) {
        QMetaObject::invokeMethod(
            m_root,
            [this, &connected] {
            connected = 0;
            for (QObject *o : m_root->children())
                connected += static_cast<Module *>(o)->connected() ? 1 : 0;
            },
            Qt::BlockingQueuedConnection);
        if (connected == modules)
            break;
        // The server may live on this thread: let it accept meanwhile.
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return connected;
}

qint64 LoadGenerator::outstanding()
{
    qint64 n = 0;
    QMetaObject::invokeMethod(
        m_root,
        [this, &n] {
        for (QObject *o : m_root->children())
            n += static_cast<Module *>(o)->outstanding();
        },
        Qt::BlockingQueuedConnection);
    return n;
}

double LoadGenerator::threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

void LoadGenerator::beginMeasuring()
{
    QMetaObject::invokeMethod(
        m_root,
        [this] {
        for (QObject *o : m_root->children())
            static_cast<Module *>(o)->measuring = true;
        m_cpuStart = threadCpuSeconds();
        },
        Qt::BlockingQueuedConnection);
}

LoadGenerator::Result LoadGenerator::stop()
{
    Result r;
    QMetaObject::invokeMethod(
        m_root,
        [this, &r] {
        r.generatorCpu = threadCpuSeconds() - m_cpuStart;
        for (QObject *o : m_root->children())
            static_cast<Module *>(o)->halt();
        },
        Qt::BlockingQueuedConnection);
    // The server may live on this thread: let it answer what is still due.
    QElapsedTimer drain;
    drain.start();
    while (outstanding() > 0 && drain.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QMetaObject::invokeMethod(
        m_root,
        [this, &r] {
        for (QObject *o : m_root->children()) {
            auto *m = static_cast<Module *>(o);
            r.connected += m->connected() ? 1 : 0;
            r.unanswered += m->outstanding();
            m->stop();
            r.sent += m->sent;
            r.answered += m->answered;
            r.latenciesMs.insert(r.latenciesMs.end(), m->latencies.begin(), m->latencies.end());
            r.lastConnectMs = std::max(r.lastConnectMs, (m->connectedAt - m_startNs) / 1e6);
            if (m->lastSlowAt >= 0)
                r.lastSlowReplyMs = std::max(r.lastSlowReplyMs, (m->lastSlowAt - m_startNs) / 1e6);
            r.slowReplies += m->slowReplies;
        }
        delete m_root;
        },
        Qt::BlockingQueuedConnection);
    m_root = nullptr;
    return r;
}
