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
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <memory>
#include <vector>

using namespace SettingsBlock;

namespace {

// Replies for module 7 with the factory block: to its first frame (the record
// is created by the window only after decoding, so the echo byte is still 0)
// and to every later frame (byte 47 echoes the module number).
const QByteArray kFirstReplyModule7 = QByteArray::fromHex(
    "4f9e2525202039392d392d25202a2a391401f014010100000100010001010100010100020100000000000000"
    "000000270000000000000000000000000436000000000000000085");
const QByteArray kDefaultReplyModule7 = QByteArray::fromHex(
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
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
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

    // Stands in for the main window: the first record of a module creates its
    // record, and the link sequence is echoed as the module window does.
    void startServer()
    {
        m_server = std::make_unique<MyServer>(0, nullptr, false);
        QVERIFY(m_server->isListening());
        connect(m_server.get(), &MyServer::dataUpdated, this, [this](DATA d) {
            m_emitted.append(d);
            if (!m_server->device.hasRecord(d.nID))
                m_server->device.LoadModuleSettings(d.nID);
            m_server->device.record(d.nID).settings[LinkSeqEcho] = d.nLinkSeq;
        });
    }

    // Connects with the event loop running, so the server keeps accepting.
    std::unique_ptr<QTcpSocket> connectClient()
    {
        auto s = std::make_unique<QTcpSocket>();
        s->connectToHost(QHostAddress::LocalHost, m_server->serverPort());
        if (!QTest::qWaitFor([&] { return s->state() == QAbstractSocket::ConnectedState; }, 5000))
            return nullptr;
        return s;
    }

private slots:
    void initTestCase() { TestSettings::isolate(); }
    void init()
    {
        TestSettings::clear();
        StationGlobals::reset();
        m_emitted.clear();
        startServer();
    }
    void cleanup() { m_server.reset(); }

    void everyKindOfFrameIsAnswered()
    {
        auto c = connectClient();
        QVERIFY(c);
        c->write(measurementFrame(7));
        QCOMPARE(readExactly(*c, 71).toHex(), kFirstReplyModule7.toHex());
        QCOMPARE(m_emitted.size(), 1);
        c->write(measurementFrame(7));
        QCOMPARE(readExactly(*c, 71).toHex(), kDefaultReplyModule7.toHex());

        // Bypass block: answered for its module.
        c->write(ModuleFrame::shortFrame(ModuleFrame::bypassBlockBody(7, 0, { { 925, 2, 3 } })));
        QCOMPARE(readExactly(*c, 71).toHex(), kDefaultReplyModule7.toHex());
        QCOMPARE(m_server->device.record(7).bypassMap[926], quint8(2));

        // Tag 350: not emitted; any short frame clears the record, so the
        // answer is the one for module 0.
        const int emitted = m_emitted.size();
        c->write(ModuleFrame::shortFrame(ModuleFrame::tag350Body()));
        QCOMPARE(readExactly(*c, 71), QByteArray(71, '\0'));
        QCOMPARE(m_emitted.size(), emitted);

        // Bulk map: answered for the sending module.
        c->write(ModuleFrame::frame(Wire::KindBulk, ModuleFrame::bulkBody(7, QByteArray(6144, '\1'))));
        QCOMPARE(readExactly(*c, 71).toHex(), kDefaultReplyModule7.toHex());
        QCOMPARE(m_server->device.record(7).bypassMap[3000], quint8(1));

        // Wrong checksum: the record is cleared, the reply is for module 0.
        QByteArray bad = ModuleFrame::measurementBody(Fixtures::status(7));
        bad[49] = char(bad[49] ^ 0x40);
        c->write(ModuleFrame::shortFrame(bad));
        QCOMPARE(readExactly(*c, 71), QByteArray(71, '\0'));

        // Unknown header word: a single 0xD6.
        c->write(QByteArray::fromHex("beef000000050102030405"));
        QCOMPARE(readExactly(*c, 1), QByteArray(1, char(0xD6)));
        QTest::qWait(20);
        QCOMPARE(c->bytesAvailable(), 0);
    }

    void framesCutAtEveryByteOrGlued()
    {
        auto c = connectClient();
        QVERIFY(c);
        const QByteArray frame = measurementFrame(7);
        c->write(frame);
        QCOMPARE(readExactly(*c, 71).toHex(), kFirstReplyModule7.toHex());
        for (int cut = 1; cut < frame.size(); ++cut) {
            c->write(frame.left(cut));
            c->flush();
            QTest::qWait(1);
            c->write(frame.mid(cut));
            QCOMPARE(readExactly(*c, 71).toHex(), kDefaultReplyModule7.toHex());
        }
        c->write(frame + measurementFrame(7, 1) + frame);
        const QByteArray replies = readExactly(*c, 3 * 71);
        QCOMPARE(replies.size(), 3 * 71);
        QCOMPARE(quint8(replies[71 + 1 + LinkSeqEcho]), quint8(1));
        QCOMPARE(m_emitted.size(), 1 + frame.size() - 1 + 3);
    }

    // A partial frame of one connection never takes bytes of another.
    void connectionsKeepTheirOwnFraming()
    {
        m_server->device.LoadModuleSettings(3);
        m_server->device.LoadModuleSettings(4);
        auto a = connectClient();
        auto b = connectClient();
        QVERIFY(a && b);
        const QByteArray fa = measurementFrame(3), fb = measurementFrame(4);
        a->write(fa.left(20));
        a->flush();
        QTest::qWait(5);
        b->write(fb);
        QCOMPARE(quint8(readExactly(*b, 71)[1 + ModuleEcho]), quint8(4));
        a->write(fa.mid(20));
        QCOMPARE(quint8(readExactly(*a, 71)[1 + ModuleEcho]), quint8(3));
    }

    void manyClientsGetTheirOwnRepliesInOrder()
    {
        constexpr int Clients = 200;
        constexpr int Frames = 200;
        std::vector<std::unique_ptr<QTcpSocket>> clients;
        std::vector<QByteArray> streams(Clients), received(Clients);
        for (int i = 0; i < Clients; ++i) {
            auto c = connectClient();
            QVERIFY(c);
            QTcpSocket *raw = c.get();
            connect(raw, &QTcpSocket::readyRead, this, [raw, &received, i] { received[i] += raw->readAll(); });
            clients.push_back(std::move(c));
            m_server->device.LoadModuleSettings(quint8(i + 1));
            for (int f = 0; f < Frames; ++f)
                streams[i] += measurementFrame(quint8(i + 1), quint8(f));
        }
        // Every client sends its stream in random cuts, all interleaved.
        QRandomGenerator rng(2323);
        for (bool pending = true; pending; QTest::qWait(1)) {
            pending = false;
            for (int i = 0; i < Clients; ++i) {
                const QByteArray cut = streams[i].left(int(rng.bounded(20, 140)));
                streams[i].remove(0, cut.size());
                clients[i]->write(cut);
                pending = pending || !streams[i].isEmpty();
            }
        }
        QVERIFY(QTest::qWaitFor([&] {
            return std::all_of(received.begin(), received.end(), [](const QByteArray &r) { return r.size() >= Frames * 71; });
        }, 30000));
        for (int i = 0; i < Clients; ++i) {
            QCOMPARE(received[i].size(), Frames * 71);
            for (int f = 0; f < Frames; ++f) {
                const char *r = received[i].constData() + f * 71;
                QCOMPARE(quint8(r[0]), quint8(0x4F));
                QCOMPARE(quint8(r[1 + ModuleEcho]), quint8(i + 1));
                QCOMPARE(quint8(r[1 + LinkSeqEcho]), quint8(f));
            }
        }
    }

    void stalledLongFramesCostLittleMemory()
    {
        if (residentKb() < 0)
            QSKIP("no /proc on this platform");
        std::vector<std::unique_ptr<QTcpSocket>> clients;
        const qint64 before = residentKb();
        for (int i = 0; i < 200; ++i) {
            clients.push_back(connectClient());
            QVERIFY(clients.back());
            clients.back()->write(QByteArray::fromHex("8c04ffff") + QByteArray(10, 'x'));
        }
        QTest::qWait(200);
        const qint64 grown = residentKb() - before;
        QVERIFY2(grown < 20 * 1024, qPrintable(QString("grew by %1 kB").arg(grown)));
        // The server still answers others.
        auto c = connectClient();
        c->write(measurementFrame(7));
        QCOMPARE(readExactly(*c, 71).size(), 71);
    }

    void randomBytesNeverCrash()
    {
        QRandomGenerator rng(99);
        std::vector<std::unique_ptr<QTcpSocket>> clients;
        for (int i = 0; i < 40; ++i) {
            clients.push_back(connectClient());
            QVERIFY(clients.back());
        }
        for (int round = 0; round < 50; ++round) {
            for (auto &c : clients) {
                QByteArray junk(int(rng.bounded(1, 300)), '\0');
                for (char &ch : junk)
                    ch = char(rng.bounded(256));
                // Now and then a plausible header, to reach the body paths.
                if (rng.bounded(4) == 0)
                    junk.prepend(rng.bounded(2) ? QByteArray::fromHex("0033") : QByteArray::fromHex("54191810"));
                c->write(junk);
            }
            QTest::qWait(2);
        }
        clients.clear();
        m_server->device.LoadModuleSettings(9);
        auto c = connectClient();
        QVERIFY(c);
        c->write(measurementFrame(9));
        QCOMPARE(quint8(readExactly(*c, 71)[1 + ModuleEcho]), quint8(9));
    }

    void demoFeedEmitsSixModules()
    {
        m_server->OnTimer();
        QCOMPARE(m_emitted.size(), 6);
        for (int m = 0; m < 6; ++m)
            QCOMPARE(m_emitted[m].nID, quint8(m + 1));
        for (int i = 0; i < 45; ++i) // the whole table and round again
            m_server->OnTimer();
        QCOMPARE(m_emitted.size(), 46 * 6);
    }

    void listenFailureIsReported()
    {
        QTcpServer blocker;
        QVERIFY(blocker.listen(QHostAddress::AnyIPv4, 0));
        QString title, text;
        QTimer::singleShot(0, this, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                box->accept();
            }
        });
        MyServer failed(blocker.serverPort(), nullptr, true);
        QVERIFY(!failed.isListening());
        QCOMPARE(title, QString("Server Error"));
        QVERIFY(text.startsWith("Unable to start the server:") && text.size() > 27);
    }
};

QTEST_MAIN(TestMyServer)
#include "tst_myserver.moc"
