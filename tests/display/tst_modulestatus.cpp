// What a module window shows and sounds, without a window (nor a sound
// device); the segmented level bar and the round localization marker.

#include "Fixtures.h"
#include "display/CAlarmSound.h"
#include "display/CQLevelBar.h"
#include "display/CShapedCircle.h"
#include "display/ModuleStatus.h"

#include <QTest>
#include <QtEndian>

#include <algorithm>

using MS = ModuleStatus;

class TestModuleStatus : public QObject
{
    Q_OBJECT

private slots:
    // The first applicable flag wins, a quality above 100 is not shown; an alarm needs 0x20
    // missing in a channel; its bar stands in mode 1 and never shows in mode 2.
    void statusAndAlarm()
    {
        const auto text = [](int state, int quality) { return MS::statusText(state, quality); };
        QCOMPARE(
            QStringList({ text(0, 50), text(0x41, 50), text(0x11, 50), text(0x21, 50),
                          text(0x2E, 50), text(0x2C, 50), text(0x28, 50), text(0x20, 101),
                          text(0x20, 100) }),
            QStringList({ "", "WRONG CONFIGURATION!!!", "SPECTRUM CHANGED!!!", "NO JAMMER!!! ",
                          "BAD SUPPRESSION!!!", "SUPPRESSION CHANGED!!!", "SUPPRESSION CHANGED !!!",
                          "SUPPRESSION OK", "SUPPRESSION OK = 100%" }));
        QCOMPARE(QList<bool>({ MS::isAlarm(Fixtures::status(1, 0x21, 0x60, 0x3F)),
                               MS::isAlarm(Fixtures::status(1, 0x01, 0x20, 0x20)),
                               MS::alarmBar(240, 153, 1, false, true).drawn,
                               MS::alarmBar(240, 153, 2, true, true).drawn }),
                 QList<bool>({ false, true, false, false }));
    }

    // Restarts after 17 '>', then every 18; a record with it off shows a space, uncounted.
    void linkIndicatorCycle()
    {
        MS::LinkIndicator link;
        QStringList seen;
        for (int i = 1; i <= 37; ++i) {
            MS::advanceLink(link, i != 30);
            if (i == 17 || i == 18 || i == 30 || i == 36 || i == 37)
                seen << link.text;
        }
        QCOMPARE(seen,
                 QStringList({ ' ' + QString(17, '>'), ">", " ", ' ' + QString(6, '>'), ">" }));
    }

    // 100 ms of 1100 Hz (rising zero crossings count periods), 16-bit mono PCM at 22050 Hz
    // under a header that describes it, or a player refuses it; beep and shipped sound play.
    void alarmToneAndShippedSound()
    {
        CAlarmSound sound;
        const QByteArray w = Fixtures::readFile(sound.toneFile());
        const auto u32 = [&w](int at) { return qFromLittleEndian<quint32>(w.constData() + at); };
        QCOMPARE(w.left(4) + w.mid(8, 8) + w.mid(36, 4), QByteArray("RIFFWAVEfmt data"));
        QCOMPARE(QList<quint32>({ quint32(w.size()), u32(4), u32(16), u32(20), u32(24), u32(28),
                                  u32(32), u32(40) }),
                 QList<quint32>({ 44 + 4410, 36 + 4410, 16, 0x10001 /* PCM, mono */, 22050, 44100,
                                  0x100002 /* 2-byte blocks of 16 bits */, 4410 }));
        QVector<qint16> pcm(2205);
        qFromLittleEndian<qint16>(w.constData() + 44, pcm.size(), pcm.data());
        int rising = 0;
        for (int i = 1; i < pcm.size(); ++i)
            rising += pcm[i - 1] < 0 && pcm[i] >= 0;
        QVERIFY2(qAbs(rising - 110) <= 1, qPrintable(QString::number(rising)));
        QVERIFY(*std::max_element(pcm.cbegin(), pcm.cend()) > 10000); // audible

        // The shipped sound plays from inside the program (one that fails stops at once).
        sound.playFile(QStringLiteral(":/alarm.wav"));
        QTest::qWait(300);
        QVERIFY(sound.isPlayingFile());
        sound.beep();
        QVERIFY(sound.isBeeping());
    }

    // Lit below the level, red from the threshold on; SetLevel raises both to the lowest.
    void levelBar()
    {
        using Bar = CQLevelBar;
        const auto colours = [](int minimum, int value, int threshold) {
            QList<QRgb> out; // 32 segments in a bar 100 wide
            for (const Bar::Segment &seg :
                 Bar::barLayout(100, 18, minimum, -5, value, threshold).segments)
                out << seg.colour.rgba();
            return out;
        };
        QCOMPARE(colours(-95, -50, -80),
                 QList<QRgb>(5, Bar::NormalColour) + QList<QRgb>(11, Bar::OverColour)
                     + QList<QRgb>(16, Bar::IdleColour));
        QCOMPARE(colours(-5, -5, -5), QList<QRgb>(32, Bar::IdleColour)); // empty range
        CQLevelBar bar;
        bar.setRange(-95, -5);
        bar.SetLevel(-120, -130);
        QCOMPARE(QList<int>({ bar.value(), bar.threshold() }), QList<int>({ -95, -95 }));
    }

    // The marker's window: a disc, or a ring that keeps its edge and the
    // name's strip and shows what lies below.
    void shape_data()
    {
        QTest::addColumn<bool>("ring");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("covered");
        // 200 x 200: band 20; the name strip runs from x 66 to the edge, y 68 to 109.
        QTest::newRow("disc, centre") << false << QPoint(100, 60) << true;
        QTest::newRow("ring, inside") << true << QPoint(100, 60) << false;
        QTest::newRow("ring, band") << true << QPoint(100, 10) << true;
        QTest::newRow("ring, name") << true << QPoint(100, 95) << true;
        QTest::newRow("ring, below the name") << true << QPoint(100, 140) << false;
    }

    void shape()
    {
        QFETCH(bool, ring);
        QFETCH(QPoint, at);
        QFETCH(bool, covered);
        CShapedCircle circle;
        circle.setRing(ring);
        circle.show(); // a hidden window gets its resize event only when shown
        circle.resize(200, 200);
        QCOMPARE(circle.mask().contains(at), covered);
    }
};

QTEST_MAIN(TestModuleStatus)
#include "tst_modulestatus.moc"
