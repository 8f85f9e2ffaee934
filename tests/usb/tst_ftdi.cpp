// The USB link against the simulated driver library, loaded as the station
// loads the real one: entry points, bridge choice, both carriages, short and
// late answers, the simulator's driver behaviour, and a module link that keeps
// answering while an exchange waits.

#include "ModuleClient.h"
#include "SimControl.h"
#include "TestSettings.h"
#include "net/ModuleLink.h"
#include "usb/CFTDI.h"

#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <vector>

namespace {

UsbBlocks::Block atProbe()
{
    return UsbBlocks::atRequest(QStringLiteral("AT"));
}

} // namespace

class TestFtdi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestSettings::isolate();
        QVERIFY2(SimControl::load(), qPrintable(SimControl::path()));
    }

    void libraryNameFromEnvironment()
    {
        qunsetenv("HARRIER_FTD2XX_LIBRARY");
        QCOMPARE(CFTDI::libraryName(), QStringLiteral("ftd2xx"));
        qputenv("HARRIER_FTD2XX_LIBRARY", SimControl::path().toLocal8Bit());
        QCOMPARE(CFTDI::libraryName(), SimControl::path());
        CFTDI link; // as the station makes it
        QVERIFY(!link.isLibraryMissing());
        QCOMPARE(link.resolvedCount(), 10);
        qunsetenv("HARRIER_FTD2XX_LIBRARY");
    }

    void missingLibraryOrEntry()
    {
        CFTDI none(QStringLiteral("/nonexistent/libftd2xx-none.so"));
        QVERIFY(none.isLibraryMissing());
        none.Open();
        QVERIFY(!none.isOpen());
        UsbBlocks::Block answer{};
        QVERIFY(!none.Transact(atProbe(), answer));
        quint32 rx = 0, tx = 0, ev = 0;
        QCOMPARE(none.GetStatus(&rx, &tx, &ev), CFTDI::InvalidHandle);
        QCOMPARE(none.Purge(), CFTDI::InvalidHandle);

        // Resolution stops at the first missing name: FT_Close and the rest
        // exist in this library but stay unresolved after FT_OpenEx.
        SimControl::reset(SimControl::Both, SimControl::WiFi);
        CFTDI partial(QStringLiteral(HARRIER_FTD2XX_SIM_PARTIAL));
        QVERIFY(!partial.isLibraryMissing());
        QCOMPARE(partial.resolvedCount(), 2);
        partial.Open();
        QVERIFY(!partial.isOpen());
        QCOMPARE(partial.Write("x", 1, &rx), CFTDI::InvalidHandle);

        // FT_OpenEx is there but FT_Close and everything after it is not: a
        // handle opened now could neither carry a block nor be closed again.
        CFTDI noClose(QStringLiteral(HARRIER_FTD2XX_SIM_NOCLOSE));
        QVERIFY(!noClose.isLibraryMissing());
        QCOMPARE(noClose.resolvedCount(), 3);
        QCOMPARE(noClose.OpenEx(UsbBlocks::Ft1248Description, CFTDI::OpenByDescription), CFTDI::Ok);
        noClose.Open();
        QVERIFY(!noClose.isOpen());
        QVERIFY(!noClose.Transact(atProbe(), answer));
    }

    void bridgeChoice()
    {
        CFTDI link(SimControl::path());
        SimControl::reset(SimControl::Both, SimControl::WiFi);
        link.Open();
        QVERIFY(link.isOpen());
        QCOMPARE(link.deviceKind(), UsbBlocks::KindFt1248);
        QCOMPARE(SimControl::openHandles(), 1);
        // Opening again closes the handle first.
        link.Open();
        QCOMPARE(SimControl::openHandles(), 1);
        link.Close();
        QVERIFY(!link.isOpen());
        QCOMPARE(SimControl::openHandles(), 0);

        SimControl::reset(SimControl::Fifo, SimControl::WiFi);
        link.Open();
        QCOMPARE(link.deviceKind(), UsbBlocks::KindFifo);
        link.Close();

        SimControl::reset(0, SimControl::WiFi);
        link.Open();
        QVERIFY(!link.isOpen());
    }

    void exchangeOnBothBridges()
    {
        CFTDI link(SimControl::path());
        for (int bridge : { int(SimControl::Ft1248), int(SimControl::Fifo) }) {
            SimControl::reset(bridge, SimControl::WiFi);
            link.Open();
            UsbBlocks::Block answer{};
            QVERIFY(link.Transact(atProbe(), answer));
            QCOMPARE(UsbBlocks::answerText(answer), QStringLiteral("[OK]\r\n"));
            QCOMPARE(SimControl::request(0).left(4), QByteArray::fromHex("5141547d"));
            const QByteArray wire = SimControl::wire(0);
            if (bridge == SimControl::Fifo) {
                QCOMPARE(wire.size(), 640);
                QCOMPARE(wire.left(8), QByteArray::fromHex("050104010504070d"));
            } else {
                QCOMPARE(wire.size(), 320);
            }
            link.Close();
        }
    }

    void shortAnswerIsNoAnswer()
    {
        CFTDI link(SimControl::path());
        for (int bridge : { int(SimControl::Ft1248), int(SimControl::Fifo) }) {
            SimControl::reset(bridge, SimControl::WiFi);
            SimControl::shortAnswers(1);
            link.Open();
            UsbBlocks::Block answer{};
            answer.fill(0xAA);
            QElapsedTimer t;
            t.start();
            QVERIFY(!link.Transact(atProbe(), answer));
            // The whole time-out was waited, nothing was taken, and what was
            // there is purged: the next exchange cannot read it.
            QVERIFY2(t.elapsed() >= 2900, qPrintable(QString::number(t.elapsed())));
            QCOMPARE(int(answer[0]), 0xAA);
            quint32 rx = 1, tx = 0, ev = 0;
            QCOMPARE(link.GetStatus(&rx, &tx, &ev), CFTDI::Ok);
            QCOMPARE(int(rx), 0);
            QVERIFY(link.isOpen());
            link.Close();
        }
    }

    // An answer that comes after its exchange gave up is not taken for the
    // answer to the next request.
    void lateAnswerIsNotTheNextOne()
    {
        CFTDI link(SimControl::path());
        SimControl::reset(SimControl::Ft1248, SimControl::WiFi);
        SimControl::holdAnswers(3300);
        link.Open();
        UsbBlocks::Block answer{};
        QVERIFY(!link.Transact(atProbe(), answer));
        SimControl::holdAnswers(0);
        QTest::qWait(400); // the late "[OK]" is in the queue now
        QVERIFY(link.Transact(UsbBlocks::atRequest(QStringLiteral("AT+WSET=?")), answer));
        QCOMPARE(UsbBlocks::answerText(answer), QStringLiteral("0,Station[OK]\r\n"));
        QCOMPARE(SimControl::purgeCount(), 3); // before each request and after the failure
        link.Close();
    }

    // The simulator keeps to the driver's documented behaviour, which the
    // link's handling of failures relies on.
    void simulatorFollowsTheDriver()
    {
        using Handle = void *;
        const auto openEx = reinterpret_cast<quint32 (*)(void *, quint32, Handle *)>(
            SimControl::resolve("FT_OpenEx"));
        const auto close = reinterpret_cast<quint32 (*)(Handle)>(SimControl::resolve("FT_Close"));
        const auto write = reinterpret_cast<quint32 (*)(Handle, void *, quint32, quint32 *)>(
            SimControl::resolve("FT_Write"));
        const auto read = reinterpret_cast<quint32 (*)(Handle, void *, quint32, quint32 *)>(
            SimControl::resolve("FT_Read"));
        const auto timeouts = reinterpret_cast<quint32 (*)(Handle, quint32, quint32)>(
            SimControl::resolve("FT_SetTimeouts"));
        const auto purge =
            reinterpret_cast<quint32 (*)(Handle, quint32)>(SimControl::resolve("FT_Purge"));
        QVERIFY(openEx && close && write && read && timeouts && purge);
        SimControl::reset(SimControl::Ft1248, SimControl::WiFi);
        char description[] = "FT220X 4-BIT FT1248";
        Handle h = nullptr, again = nullptr;
        UsbBlocks::Block probe = atProbe();
        char in[640];
        quint32 n = 0;
        QCOMPARE(openEx(description, 2, &h), 0u);
        QCOMPARE(openEx(description, 2, &again), 3u); // FT_DEVICE_NOT_OPENED: open once
        QCOMPARE(write(h, probe.data(), 320, &n), 0u);
        QCOMPARE(close(h), 0u);
        QCOMPARE(close(h), 1u); // a closed handle is invalid
        QCOMPARE(read(h, in, 320, &n), 1u);

        // The answer waits in the queue across the close and reopen.
        QCOMPARE(openEx(description, 2, &h), 0u);
        QCOMPARE(timeouts(h, 200, 0), 0u);
        QElapsedTimer t;
        t.start();
        QCOMPARE(read(h, in, 640, &n), 0u); // half of it there: waits the time-out
        QCOMPARE(n, 320u);
        QVERIFY2(t.elapsed() >= 190, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(QByteArray(in, 6), QByteArray("[OK]\r\n"));

        // A read waits for a held answer within its time-out; a purge empties the queue.
        SimControl::holdAnswers(300);
        QCOMPARE(timeouts(h, 2000, 0), 0u);
        write(h, probe.data(), 320, &n);
        t.restart();
        QCOMPARE(read(h, in, 320, &n), 0u);
        QCOMPARE(n, 320u);
        QVERIFY2(t.elapsed() >= 290 && t.elapsed() < 1900,
                 qPrintable(QString::number(t.elapsed())));
        SimControl::holdAnswers(0);
        write(h, probe.data(), 320, &n);
        QCOMPARE(purge(h, 3), 0u);
        QCOMPARE(timeouts(h, 50, 0), 0u);
        QCOMPARE(read(h, in, 320, &n), 0u);
        QCOMPARE(n, 0u);
        close(h);
    }

    // The unit reports a saved pattern in the answer after the save request's.
    void saveAcknowledgedLater()
    {
        CFTDI link(SimControl::path());
        SimControl::reset(SimControl::Ft1248, SimControl::Tuning);
        link.Open();
        UsbBlocks::Block request{}, answer{};
        request[0] = 0x1D;
        QList<int> sequence;
        for (int command : { 0, 170, 0, 0 }) {
            request[265] = quint8(command);
            QVERIFY(link.Transact(request, answer));
            sequence << answer[265];
        }
        QCOMPARE(sequence, QList<int>({ 1, 1, 2, 2 }));
        link.Close();
    }

    // While an exchange waits for a late answer, module frames are answered
    // promptly and a second exchange is refused instead of nesting.
    void moduleLinkServedWhileExchangeWaits()
    {
        ModuleLink server(0, false);
        QVERIFY(server.isListening());
        CFTDI link(SimControl::path());
        SimControl::reset(SimControl::Ft1248, SimControl::WiFi);
        SimControl::holdAnswers(3000);
        link.Open();

        ModuleClient client(server.serverPort(), 3000);
        bool nestedRefused = false;
        QTimer::singleShot(500, [&] {
            UsbBlocks::Block other{};
            nestedRefused = link.isBusy() && !link.Transact(atProbe(), other);
        });
        client.start();
        UsbBlocks::Block answer{};
        QElapsedTimer t;
        t.start();
        QVERIFY(link.Transact(atProbe(), answer));
        const qint64 waited = t.elapsed();
        // Served while waiting: a blocking wait here would leave the client's
        // last frame unanswered.
        QTRY_VERIFY_WITH_TIMEOUT(client.isFinished(), 10000);
        QVERIFY(nestedRefused);
        QCOMPARE(SimControl::requestCount(), 1);
        QVERIFY2(waited >= 2900, qPrintable(QString::number(waited)));

        const size_t n = client.latenciesMs.size();
        QVERIFY2(n >= 50 && int(n) == client.sent,
                 qPrintable(QStringLiteral("%1 of %2").arg(n).arg(client.sent)));
        const double p99 = client.percentile(99);
        qInfo("%zu replies during a 3 s exchange: median %.2f ms, p99 %.2f ms, max %.2f ms", n,
              client.percentile(50), p99, client.percentile(100));
        // Bounds that hold on a loaded machine; a stalled link misses them by seconds.
        QVERIFY2(client.percentile(50) <= 20.0 && client.percentile(100) < 500.0,
                 qPrintable(QString::number(client.percentile(100))));
        link.Close();
    }
};

QTEST_GUILESS_MAIN(TestFtdi)
#include "tst_ftdi.moc"
