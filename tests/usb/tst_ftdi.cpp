// The USB link against the simulated driver library, loaded as the station
// loads the real one: entry points, bridge choice, both carriages, short and
// late answers, the simulator's driver behaviour, and the event loop running
// while an exchange waits.

#include "SimControl.h"
#include "TestSettings.h"
#include "usb/CFTDI.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

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

    // A short or late answer fails its exchange after the whole time-out,
    // nothing is taken from it, and the next exchange reads its own answer:
    // the queue is purged after the failure and before each request.
    void failedExchangeLeavesNothingBehind()
    {
        CFTDI link(SimControl::path());
        const int rows[3][3] = { { SimControl::Ft1248, 1, 0 },
                                 { SimControl::Fifo, 1, 0 },
                                 { SimControl::Ft1248, 0, 4000 } };
        for (const auto &row : rows) {
            SimControl::reset(row[0], SimControl::WiFi);
            SimControl::faultFrom(0, row[1], row[2]);
            link.Open();
            UsbBlocks::Block answer{};
            answer.fill(0xAA);
            QElapsedTimer t;
            t.start();
            QVERIFY(!link.Transact(atProbe(), answer));
            QVERIFY2(t.elapsed() >= 2900, qPrintable(QString::number(t.elapsed())));
            QCOMPARE(int(answer[0]), 0xAA);
            SimControl::faultFrom(-1, 0, 0);
            QTest::qWait(row[2] ? 1200 : 0); // the late answer has come meanwhile
            QVERIFY(link.Transact(UsbBlocks::atRequest(QStringLiteral("AT+WSET=?")), answer));
            QCOMPARE(UsbBlocks::answerText(answer), QStringLiteral("0,Station[OK]\r\n"));
            QCOMPARE(SimControl::purgeCount(), 3);
            link.Close();
        }
    }

    // The simulator keeps to the driver's documented behaviour, which the
    // link's handling of failures relies on.
    void simulatorFollowsTheDriver()
    {
        using H = void *;
        SimControl::reset(SimControl::Ft1248, SimControl::WiFi);
        char description[] = "FT220X 4-BIT FT1248";
        H h = nullptr, again = nullptr;
        UsbBlocks::Block probe = atProbe();
        char in[640];
        quint32 n = 0, rx = 0, tx = 0, events = 0;
        const auto read = [&](quint32 count) {
            return SimControl::call<quint32>("FT_Read", h, static_cast<void *>(in), count, &n);
        };
        const auto write = [&] {
            SimControl::call<quint32>("FT_Write", h, static_cast<void *>(probe.data()), 320u, &n);
        };
        const auto timeout = [&](quint32 ms) {
            QCOMPARE(SimControl::call<quint32>("FT_SetTimeouts", h, ms, 0u), 0u);
        };
        QCOMPARE(SimControl::call<quint32>("FT_OpenEx", static_cast<void *>(description), 2u, &h), 0u);
        // FT_DEVICE_NOT_OPENED: a device opens once.
        QCOMPARE(SimControl::call<quint32>("FT_OpenEx", static_cast<void *>(description), 2u, &again), 3u);
        write();
        QCOMPARE(SimControl::call<quint32>("FT_Close", h), 0u);
        // A closed handle is invalid.
        QCOMPARE(SimControl::call<quint32>("FT_GetStatus", h, &rx, &tx, &events), 1u);
        QCOMPARE(read(320), 1u);

        // The answer waits in the queue across the close and reopen; half of
        // what is asked for is there, so the read waits its time-out.
        QCOMPARE(SimControl::call<quint32>("FT_OpenEx", static_cast<void *>(description), 2u, &h), 0u);
        timeout(200);
        QElapsedTimer t;
        t.start();
        QCOMPARE(read(640), 0u);
        QCOMPARE(n, 320u);
        QVERIFY2(t.elapsed() >= 190, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(QByteArray(in, 6), QByteArray("[OK]\r\n"));

        // A read waits for a held answer within its time-out; a purge empties the queue.
        SimControl::holdAnswers(300);
        timeout(2000);
        write();
        t.restart();
        QCOMPARE(read(320), 0u);
        QVERIFY2(n == 320 && t.elapsed() >= 290 && t.elapsed() < 1900,
                 qPrintable(QString::number(t.elapsed())));
        SimControl::holdAnswers(0);
        write();
        QCOMPARE(SimControl::call<quint32>("FT_Purge", h, 3u), 0u);
        timeout(50);
        QCOMPARE(read(320), 0u);
        QCOMPARE(n, 0u);
        SimControl::call<quint32>("FT_Close", h);
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

    // While an exchange waits for a late answer the event loop runs (so the
    // module link is served and windows paint), and a second exchange is
    // refused instead of nesting.
    void eventLoopRunsWhileExchangeWaits()
    {
        CFTDI link(SimControl::path());
        SimControl::reset(SimControl::Ft1248, SimControl::WiFi);
        SimControl::holdAnswers(1000);
        link.Open();
        int ticks = 0;
        bool nestedRefused = false;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            UsbBlocks::Block other{};
            if (++ticks == 5)
                nestedRefused = link.isBusy() && !link.Transact(atProbe(), other);
        });
        tick.start(20);
        UsbBlocks::Block answer{};
        QVERIFY(link.Transact(atProbe(), answer));
        QVERIFY2(ticks >= 25, qPrintable(QString::number(ticks)));
        QVERIFY(nestedRefused);
        QCOMPARE(SimControl::requestCount(), 1);
        link.Close();
    }
};

QTEST_GUILESS_MAIN(TestFtdi)
#include "tst_ftdi.moc"
