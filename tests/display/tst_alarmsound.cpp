// The generated alarm tone and the shared player (no sound device needed).

#include "Fixtures.h"
#include "TestSettings.h"
#include "display/CAlarmSound.h"
#include "display/ToneWave.h"

#include <QTest>
#include <QtEndian>

class TestAlarmSound : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }

    void tone()
    {
        const QByteArray w = ToneWave::wav(1100, 100, 22050);
        const auto u32 = [&w](int at) { return qFromLittleEndian<quint32>(w.constData() + at); };
        const auto sample = [&w](int i) {
            return qFromLittleEndian<qint16>(w.constData() + 44 + 2 * i);
        };
        const int samples = 2205;
        // A player refuses a file whose header does not describe its samples.
        QCOMPARE(w.size(), 44 + 2 * samples);
        QCOMPARE(w.left(4) + w.mid(8, 8) + w.mid(36, 4), QByteArray("RIFFWAVEfmt data"));
        QCOMPARE(QList<quint32>({ u32(4), u32(20), u32(24), u32(34) & 0xFFFF, u32(40) }),
                 QList<quint32>(
                     { quint32(w.size() - 8), 0x10001 /* PCM, mono */, 22050, 16, 2 * samples }));
        // Rising zero crossings count the periods.
        int rising = 0;
        int peak = 0;
        for (int i = 1; i < samples; ++i) {
            rising += sample(i - 1) < 0 && sample(i) >= 0;
            peak = qMax(peak, qAbs(int(sample(i))));
        }
        QVERIFY2(qAbs(rising - 110) <= 1, qPrintable(QString::number(rising)));
        QVERIFY(peak > 10000 && peak < 32767); // audible, not clipped
        QCOMPARE(ToneWave::wav(440, 250, 44100).size(), 44 + 2 * 11025);
    }

    void player()
    {
        CAlarmSound sound;
        QVERIFY(Fixtures::readFile(sound.toneFile()).startsWith("RIFF"));
        sound.beep();
        QVERIFY(sound.isBeeping());
        // A file that does not decode stops playing, or no later alarm file would ever sound.
        sound.playFile(QStringLiteral("/nonexistent/alarm.wav"));
        QTRY_VERIFY(!sound.isPlayingFile());
        sound.playFile(sound.toneFile());
        QVERIFY(sound.isPlayingFile());
        // The sound the station ships plays from inside the program.
        CAlarmSound shipped;
        shipped.playFile(QStringLiteral(":/alarm.wav"));
        QVERIFY(shipped.isPlayingFile());
        QTest::qWait(300);
        QVERIFY(shipped.isPlayingFile()); // one that does not load has stopped by now
    }
};

QTEST_MAIN(TestAlarmSound)
#include "tst_alarmsound.moc"
