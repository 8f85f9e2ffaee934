#pragma once
// A module on a thread of its own: sends a measurement frame every 20 ms to a
// link on the loopback and times each reply, so that any stall of the thread
// serving the link shows as late replies.

#include "Fixtures.h"
#include "net/ModuleFrame.h"

#include <QElapsedTimer>
#include <QTcpSocket>
#include <QThread>

#include <algorithm>
#include <functional>
#include <vector>

class ModuleClient : public QThread
{
public:
    ModuleClient(quint16 port, int durationMs)
        : m_port(port)
        , m_durationMs(durationMs)
    {
    }

    // Runs on the client's thread when its time is up.
    std::function<void()> atEnd;
    std::vector<double> latenciesMs;
    int sent = 0;

    double percentile(int p) const
    {
        std::vector<double> l = latenciesMs;
        std::sort(l.begin(), l.end());
        return l.empty() ? 1e9 : l[std::min(l.size() - 1, l.size() * size_t(p) / 100)];
    }

protected:
    void run() override
    {
        QTcpSocket socket;
        socket.connectToHost(QStringLiteral("127.0.0.1"), m_port);
        if (socket.waitForConnected(2000)) {
            const QByteArray frame =
                ModuleFrame::shortFrame(ModuleFrame::measurementBody(Fixtures::status(9)));
            QElapsedTimer total;
            total.start();
            while (total.elapsed() < m_durationMs) {
                QElapsedTimer one;
                one.start();
                socket.write(frame);
                socket.flush();
                ++sent;
                qint64 got = 0;
                while (got < 71 && socket.waitForReadyRead(5000))
                    got += socket.readAll().size();
                if (got < 71)
                    break;
                latenciesMs.push_back(one.nsecsElapsed() / 1e6);
                QThread::msleep(20);
            }
        }
        if (atEnd)
            atEnd();
    }

private:
    quint16 m_port;
    int m_durationMs;
};
