// The Wireshark dissector read through tshark: a capture written by the
// station's capture writer from the simulator's frames decodes without a
// malformed packet, with hand-checked values for one frame of each kind, and
// a wrong checksum is an expert-info error. Skips when tshark is missing.

#include "Fixtures.h"
#include "net/CaptureWriter.h"
#include "tools/modsim/SimModule.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestDissector : public QObject
{
    Q_OBJECT

    QString m_tshark;
    QTemporaryDir m_dir;

    QStringList tshark(const QString &capture, const QStringList &args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", m_dir.path()); // no personal settings, none written
        p.setProcessEnvironment(env);
        p.start(m_tshark,
                QStringList{ "-n", "-r", capture, "-X",
                             QStringLiteral("lua_script:") + HARRIER_DISSECTOR }
                    + args);
        if (!p.waitForFinished(60000) || p.exitCode() != 0)
            qWarning("tshark: %s", p.readAllStandardError().constData());
        return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase()
    {
        m_tshark = QStandardPaths::findExecutable("tshark");
        if (m_tshark.isEmpty())
            QSKIP("tshark is not installed (Debian package tshark)");
    }

    void decodesEveryKind()
    {
        // Default settings with the GSM 900 threshold at 50 and command 8 (send the map).
        const QByteArray settings = QByteArray::fromHex("9e3225202039392d392d25202a2a391401f01401"
                                                  "0100000100010001010100010100020100000000"
                                                  "000008000000270000000000000000000000000436"
                                                  "0000000000000000");
        const QByteArray reply = Fixtures::reply(settings);
        QByteArray badReply = reply;
        badReply[70] = char(badReply[70] + 1);

        SimModule sim(9);
        sim.setHeard({ { 1, -40, 0 }, { 3, -99, 0 } });
        QByteArray map(6144, '\0');
        for (int i = 1001; i <= 1006; ++i)
            map[i] = 4;
        sim.setBypassMap(map);
        const QByteArray measurement = sim.measurementFrame();
        QCOMPARE(sim.takeReply(reply), SimModule::Reply::Taken);
        const QByteArray block = sim.nextFrame();
        const QByteArray bulk = sim.bulkFrame();

        const QString path = m_dir.filePath("kinds.pcapng");
        CaptureWriter writer;
        QVERIFY(writer.open(path));
        using D = PcapNg::Direction;
        writer.record(D::Received, 9, 1, measurement);
        writer.record(D::Sent, 9, 1, reply);
        writer.record(D::Received, 9, 1, block);
        writer.record(D::Received, 9, 1, bulk);
        writer.record(D::Sent, 9, 1, badReply);
        QVERIFY(writer.close());

        QStringList fields{ "-T", "fields", "-E", "separator=;" };
        for (const char *field : { "module", "ch.type", "ch.level", "ch.threshold", "ch.sequence",
                                   "s.g900_threshold", "s.command", "bypass.block", "run.start",
                                   "run.count", "bulk.marked" })
            fields << "-e" << QStringLiteral("harrier.") + field;
        const QStringList rows = tshark(path, fields);
        const QStringList want = {
            "9;1,3,0;-40,-99,-102;-65,-45,-102;0x10;;;;;;",
            ";;;;;50;8;;;;",
            "9;;;;;;;0;1001,0,0,0,0,0,0,0,0,0;6,0,0,0,0,0,0,0,0,0;",
            "9;;;;;;;;;;6",
            ";;;;;50;8;;;;",
        };
        QCOMPARE(rows, want);
        QCOMPARE(tshark(path, { "-Y", "_ws.malformed" }), QStringList());
        QCOMPARE(tshark(path, { "-Y", "harrier.checksum.bad", "-T", "fields", "-e", "frame.number" }),
                 QStringList({ "5" }));
    }
};

QTEST_GUILESS_MAIN(TestDissector)
#include "tst_dissector.moc"
