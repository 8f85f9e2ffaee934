// The module server over real loopback sockets: replies, framing per
// connection, load, hostile input, the demonstration feed and listen failure.

#include "Fixtures.h"
#include "TestSettings.h"
#include "net/ModuleFrame.h"
#include "net/MyServer.h"
#include "net/StationGlobals.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <memory>
#include <vector>

using namespace SettingsBlock;
using Clients = std::vector<std::unique_ptr<QTcpSocket>>;

namespace {

// Replies for module 7 with the factory block: to its first frame (the record
// is created only after decoding, so the echo byte is still 0) and later ones.
const QByteArray kFirstReply7 = QByteArray::fromHex(
    "4f9e2525202039392d392d25202a2a391401f014010100000100010001010100010100020100000000000000"
    "000000270000000000000000000000000436000000000000000085");
const QByteArray kReply7 = QByteArray::fromHex(
    "4f9e2525202039392d392d25202a2a391401f014010100000100010001010100010100020100000000000000"
    "00000027070000000000000000000000043600000000000000008c");

QByteArray measurementFrame(quint8 module, quint8 linkSeq = 0)
{
    DATA d = Fixtures::status(module);
    d.nLinkSeq = linkSeq;
    return ModuleFrame::shortFrame(ModuleFrame::measurementBody(d));
}

qint64 residentKb()
{
    QFile f("/proc/self/status");
    return f.open(QIODevice::ReadOnly)
        ? QRegularExpression("VmRSS:\\s*(\\d+)").match(QString::fromLatin1(f.readAll())).captured(1).toLongLong() : -1;
}

QByteArray readExactly(QTcpSocket &s, int n)
{
    static_cast<void>(QTest::qWaitFor([&] { return s.bytesAvailable() >= n; }, 5000));
    return s.read(n); // the caller compares what came
}

} // namespace

class TestMyServer : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MyServer> m_server;
    QList<DATA> m_emitted;

    // Connects with the event loop running, so the server keeps accepting.
    Clients connectClients(int n)
    {
        Clients clients;
        for (int i = 0; i < n; ++i) {
            auto s = std::make_unique<QTcpSocket>();
            s->connectToHost(QHostAddress::LocalHost, m_server->serverPort());
            if (QTest::qWaitFor([&] { return s->state() == QAbstractSocket::ConnectedState; }, 5000))
                clients.push_back(std::move(s));
        }
        return clients;
    }

private slots:
    void initTestCase() { TestSettings::isolate(); }
    // Stands in for the main window: the first record of a module creates its
    // record, and the link sequence is echoed as the module window does.
    void init()
    {
        TestSettings::clear();
        StationGlobals::reset();
        m_emitted.clear();
        m_server = std::make_unique<MyServer>(0, nullptr, false);
        QVERIFY(m_server->isListening());
        connect(m_server.get(), &MyServer::dataUpdated, this, [this](DATA d) {
            m_emitted.append(d);
            if (!m_server->device.hasRecord(d.nID))
                m_server->device.LoadModuleSettings(d.nID);
            m_server->device.record(d.nID).settings[LinkSeqEcho] = d.nLinkSeq;
        });
    }
    void cleanup() { m_server.reset(); }

    void everyKindOfFrameIsAnswered()
    {
        Clients c = connectClients(1);
        QCOMPARE(int(c.size()), 1);
        QByteArray bad = ModuleFrame::measurementBody(Fixtures::status(7)), map = QByteArray(6143, '\1') + '\2';
        bad[49] = char(bad[49] ^ 0x40);
        // A wrong checksum clears the record (reply for module 0); the bulk map
        // after it must still be answered for the module that sent it.
        const QList<QPair<QByteArray, QByteArray>> exchanges = {
            { measurementFrame(7), kFirstReply7 },
            { measurementFrame(7), kReply7 },
            { ModuleFrame::shortFrame(bad), QByteArray(71, '\0') },
            { ModuleFrame::frame(Wire::KindBulk, ModuleFrame::bulkBody(7, map)), kReply7 },
            { QByteArray::fromHex("beef000000050102030405"), QByteArray(1, char(0xD6)) },
        };
        for (const auto &[frame, reply] : exchanges) {
            c[0]->write(frame);
            QCOMPARE(readExactly(*c[0], int(reply.size())).toHex(), reply.toHex());
        }
        QCOMPARE(m_server->device.record(7).bypassMap, QVector<quint8>(map.begin(), map.end()));
        QTest::qWait(20);
        QCOMPARE(c[0]->bytesAvailable(), 0);
    }

    void manyClientsGetTheirOwnRepliesInOrder()
    {
        constexpr int Count = 200, Frames = 200;
        Clients clients = connectClients(Count);
        QCOMPARE(int(clients.size()), Count);
        std::vector<QByteArray> streams(Count), received(Count);
        for (int i = 0; i < Count; ++i) {
            QTcpSocket *raw = clients[i].get();
            connect(raw, &QTcpSocket::readyRead, this, [raw, &received, i] { received[i] += raw->readAll(); });
            m_server->device.LoadModuleSettings(quint8(i + 1));
            for (int f = 0; f < Frames; ++f)
                streams[i] += measurementFrame(quint8(i + 1), quint8(f));
        }
        // Every client sends its stream in random cuts, all interleaved, so a
        // partial frame of one connection must never take bytes of another.
        QRandomGenerator rng(2323);
        for (bool pending = true; pending; QTest::qWait(1)) {
            pending = false;
            for (int i = 0; i < Count; ++i) {
                const int n = int(rng.bounded(20, 140));
                clients[i]->write(streams[i].left(n));
                streams[i].remove(0, n);
                pending = pending || !streams[i].isEmpty();
            }
        }
        QVERIFY(QTest::qWaitFor([&] {
            return std::all_of(received.begin(), received.end(), [](const QByteArray &r) { return r.size() >= Frames * 71; });
        }, 30000));
        static_assert(LinkSeqEcho == ModuleEcho + 1);
        for (int i = 0; i < Count; ++i) {
            QCOMPARE(received[i].size(), Frames * 71);
            for (int f = 0; f < Frames; ++f) // module and link sequence echoes
                QCOMPARE(received[i].mid(f * 71 + 1 + ModuleEcho, 2).toHex(), (QByteArray(1, char(i + 1)) + char(f)).toHex());
        }
    }

    // Connections stalled in a long frame and connections sending random bytes
    // cost little memory and break nothing for a fresh connection.
    void hostileConnections()
    {
        const qint64 before = residentKb();
        Clients stalled = connectClients(200), noisy = connectClients(40);
        QCOMPARE(int(stalled.size() + noisy.size()), 240);
        for (auto &c : stalled)
            c->write(QByteArray::fromHex("8c04ffff") + QByteArray(10, 'x'));
        QRandomGenerator rng(99);
        for (int round = 0; round < 50; ++round, QTest::qWait(2)) {
            for (auto &c : noisy) {
                QByteArray junk(int(rng.bounded(1, 300)), '\0');
                for (char &ch : junk)
                    ch = char(rng.bounded(256));
                if (rng.bounded(4) == 0) // now and then a plausible header, to reach the body paths
                    junk.prepend(QByteArray::fromHex(rng.bounded(2) ? "0033" : "54191810"));
                c->write(junk);
            }
        }
        QTest::qWait(100);
        const qint64 grown = residentKb() - before;
#ifdef Q_OS_LINUX // the resident size is read from /proc
        QVERIFY2(before > 0 && grown < 20 * 1024, qPrintable(QString("grew by %1 kB").arg(grown)));
#else
        Q_UNUSED(grown);
#endif
        noisy.clear();
        m_server->device.LoadModuleSettings(9);
        Clients c = connectClients(1);
        QCOMPARE(int(c.size()), 1);
        c[0]->write(measurementFrame(9));
        QCOMPARE(readExactly(*c[0], 71).mid(1 + ModuleEcho, 1), QByteArray(1, 9));
    }

    void demoFeedEmitsSixModules()
    {
        for (int i = 0; i < 46; ++i) // the whole table and round again
            m_server->OnTimer();
        QCOMPARE(m_emitted.size(), 46 * 6);
        QCOMPARE(QList<int>({m_emitted[0].nID, m_emitted[5].nID, m_emitted[6].nID}), QList<int>({1, 6, 1}));
    }

    void listenFailureIsReported()
    {
        QTcpServer blocker;
        QVERIFY(blocker.listen(QHostAddress::AnyIPv4, 0));
        QString title;
        QTimer::singleShot(0, this, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                box->accept();
            }
        });
        MyServer failed(blocker.serverPort(), nullptr, true);
        QVERIFY(!failed.isListening());
        QCOMPARE(title, QString("Server Error"));
    }
};

QTEST_MAIN(TestMyServer)
#include "tst_myserver.moc"
