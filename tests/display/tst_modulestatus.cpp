// What a module window shows and sounds, without a window (nor a sound device).

#include "Fixtures.h"
#include "display/CAlarmSound.h"
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
    // missing in a channel, other bits do not count; its bar stands in mode 1 while the alarm
    // lasts and never shows in mode 2 (the window's own test sees it blink).
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
};

QTEST_MAIN(TestModuleStatus)
#include "tst_modulestatus.moc"
