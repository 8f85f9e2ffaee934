// The simulator's module core: frames byte for byte, what its settings let it
// report, and how it answers the station's replies.

#include "Fixtures.h"
#include "tools/modsim/Scenario.h"
#include "tools/modsim/SimModule.h"

#include <QTest>

using Changes = QList<QPair<int, int>>;

namespace {

// A reply carrying the factory block, written out by hand, with the given changes.
QByteArray reply(const Changes &changes = {})
{
    QByteArray s = QByteArray::fromHex("9e2525202039392d392d25202a2a391401f01401"
                                       "0100000100010001010100010100020100000000"
                                       "000000000000270000000000000000000000000436"
                                       "0000000000000000");
    for (const auto &c : changes)
        s[c.first] = char(c.second);
    return Fixtures::reply(s);
}

} // namespace

class TestSimModule : public QObject
{
    Q_OBJECT

private slots:
    void measurementFrameBytes()
    {
        SimModule m(9);
        // Bluetooth is not watched by default; DECT is under its threshold.
        m.setHeard({ { 9, -30, 0 }, { 3, -99, 0 }, { 1, -40, 0 } });
        // clang-format off
        const QByteArray want = QByteArray::fromHex(
            "8c040033" "323530" "1f" "04" "09" "00"
            "00" "01" "3e" "25" "07" "00000000" "01" "00" "00" "00" "10"
            "00" "03" "03" "39" "07" "00000000" "00" "00" "00" "00" "00"
            "0000000000000000000000000000"
            "85" "00");
        // clang-format on
        QCOMPARE(m.measurementFrame().toHex(), want.toHex());
    }

    void reportsWhatSettingsLetThrough_data()
    {
        QTest::addColumn<Changes>("settings");
        QTest::addColumn<QVector<SimModule::Signal>>("heard");
        QTest::addColumn<QString>("want"); // type:state@freq per channel

        const auto row = [](const char *name, Changes c, QVector<SimModule::Signal> s, const char *w) {
            QTest::newRow(name) << c << s << QString(w);
        };
        row("band off", {}, { { 9, -30, 0 } }, "");
        row("band on", { { 24, 1 } }, { { 9, -30, 0 } }, "9:1");
        row("under raised threshold", { { 1, 80 } }, { { 1, -40, 0 } }, "1:0");
        row("jammer off", {}, { { 16, -35, 0 } }, "");
        row("jammer on", { { 21, 1 } }, { { 16, -35, 0 } }, "16:1");
        row("gps jammer under threshold", { { 22, 1 }, { 4, 40 } }, { { 17, -63, 0 } }, "17:0");
        row("scan off", {}, { { 18, -40, 433.92 } }, "");
        row("scan in range", { { 33, 1 } }, { { 18, -40, 433.92 } }, "18:64@433.92");
        row("scan out of range 500-750 MHz", { { 33, 1 }, { 16, 20 }, { 17, 30 } },
            { { 18, -40, 433.92 } }, "");
        row("three channels, detections first", {},
            { { 3, -99, 0 }, { 1, -60, 0 }, { 2, -90, 0 }, { 4, -20, 0 } }, "4:1 1:1 2:0");
    }
    void reportsWhatSettingsLetThrough()
    {
        QFETCH(Changes, settings);
        QFETCH(QVector<SimModule::Signal>, heard);
        QFETCH(QString, want);
        SimModule m(3);
        QCOMPARE(m.takeReply(reply(settings)), SimModule::Reply::Taken);
        m.setHeard(heard);
        QStringList got;
        for (const SimModule::Channel &c : m.channels())
            got << QString("%1:%2").arg(c.type).arg(c.state)
                    + (c.freqMHz != 0 ? QString("@%1").arg(c.freqMHz) : QString());
        QCOMPARE(got.join(' '), want);
    }

    void answersReplies()
    {
        SimModule m(9);
        QCOMPARE(m.takeReply(QByteArray(71, '\0')), SimModule::Reply::Unknown);
        QByteArray bad = reply();
        bad[70] = char(bad[70] + 1);
        QCOMPARE(m.takeReply(bad), SimModule::Reply::Bad);
        QCOMPARE(m.sequence(), quint8(0x10));
        // A command changes the sequence byte once, not on every reply carrying it.
        m.takeReply(reply({ { 42, 2 } }));
        m.takeReply(reply({ { 42, 2 } }));
        QCOMPARE(m.sequence(), quint8(0x11));
        // Upload entry 2 (1001-1006 MHz, marks 4) is confirmed by echoing its index.
        m.takeReply(reply({ { 37, 3 }, { 38, 0xE9 }, { 39, 3 }, { 40, 0xEE }, { 41, 4 }, { 49, 2 }, { 50, 5 } }));
        QCOMPARE(m.sequence(), quint8(2));
        // A manual range (433 MHz, mark 8), then erasing the manual marks.
        m.takeReply(reply({ { 37, 1 }, { 38, 0xB1 }, { 39, 1 }, { 40, 0xB1 }, { 41, 8 } }));
        QCOMPARE(m.sequence(), quint8(3));
        QCOMPARE(m.bypassMap().mid(432, 3).toHex(), QByteArray("000800"));
        m.takeReply(reply({ { 42, 2 } }));
        QCOMPARE(m.bypassMap().mid(432, 3).toHex(), QByteArray("000000"));
        QCOMPARE(m.bypassMap().mid(1000, 8).toHex(), QByteArray("0004040404040400"));

        // The map request is answered with the kept entries, one run and the end.
        m.takeReply(reply({ { 42, 8 } }));
        // clang-format off
        const QByteArray block0 = QByteArray::fromHex(
            "8c040033" "31353038" "09" "00" "000000" "03e94006" "00000000"
            + QByteArray(8 * 8, '0') + "09" "00");
        // clang-format on
        QCOMPARE(m.nextFrame().toHex(), block0.toHex());
        QCOMPARE(m.nextFrame().left(7).toHex(), QByteArray("8c040033323530"));
        // In bulk mode: one bulk frame, the map XOR 0x55.
        m.setMapMode(SimModule::MapMode::Bulk);
        m.takeReply(reply());
        m.takeReply(reply({ { 42, 8 } }));
        const QByteArray bulk = m.nextFrame();
        QCOMPARE(bulk.size(), 4 + 6156);
        QCOMPARE(bulk.left(5).toHex(), QByteArray("5419180c09"));
        QCOMPARE(bulk.mid(4 + 10 + 1000, 2).toHex(), QByteArray("5551"));
    }

    void scenarioStates()
    {
        Scenario s;
        QString error;
        QVERIFY2(s.load(R"({"length": 20, "loop": true, "modules": "1-3", "events": [
            {"at": 0, "bands": [{"band": "GSM 900", "level": -90}]},
            {"at": 5, "modules": "2", "bands": [{"band": 12, "level": -40}], "jammer": {"gps": -30}},
            {"at": 8, "modules": "1,3", "disconnect": 4},
            {"at": 9, "modules": "3", "silent": true}]})",
                        &error),
                 qPrintable(error));
        QCOMPARE(s.modules(), QList<int>({ 1, 2, 3 }));
        const auto show = [&s](int m, double t) {
            const Scenario::State st = s.stateAt(m, t);
            QStringList out;
            for (const SimModule::Signal &x : st.heard())
                out << QString("%1/%2").arg(x.type).arg(x.level);
            return out.join(',') + (st.offline ? " offline" : "") + (st.silent ? " silent" : "");
        };
        QCOMPARE(show(2, 4.9), QString("1/-90"));
        QCOMPARE(show(2, 5), QString("12/-40,17/-30"));
        QCOMPARE(show(1, 11.9), QString("1/-90 offline"));
        QCOMPARE(show(3, 12), QString("1/-90 silent"));
        QCOMPARE(show(2, 25), QString("12/-40,17/-30")); // looped: t = 5
        QCOMPARE(show(2, 21), QString("1/-90"));

        for (const char *bad :
             { R"({"events": [{"at": 1, "bands": [{"band": "FM", "level": 0}]}]})",
               R"({"events": [{"at": 1, "jammer": {"lte": -30}}]})",
               R"({"events": [{"modules": "0-3", "at": 1}]})", R"({"length": 0})", "[1]" })
            QVERIFY2(!s.load(bad, &error), bad);
        QList<int> list;
        QVERIFY(Scenario::parseModules("1-3,7", list));
        QCOMPARE(list, QList<int>({ 1, 2, 3, 7 }));
        QVERIFY(!Scenario::parseModules("5-2", list));
        QVERIFY(!Scenario::parseModules("1-256", list));
    }
};

QTEST_GUILESS_MAIN(TestSimModule)
#include "tst_simmodule.moc"
