// The generated alarm tone and the shared player (no sound device needed).

#include "Fixtures.h"
#include "TestSettings.h"
#include "display/CAlarmSound.h"
#include "display/ToneWave.h"

#include <QTest>
#include <QtEndian>

namespace {

quint32 u32(const QByteArray &b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 u16(const QByteArray &b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }
qint16 sample(const QByteArray &b, int i)
{
    return qFromLittleEndian<qint16>(b.constData() + ToneWave::HeaderSize + 2 * i);
}

} // namespace

class TestAlarmSound : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSettings::isolate(); }

    // A player refuses a file whose header does not describe its samples.
    void waveHeader()
    {
        const QByteArray w = ToneWave::wav(1100, 100, 22050);
        QCOMPARE(w.size(), ToneWave::HeaderSize + 2 * 2205);
        QCOMPARE(w.left(4) + w.mid(8, 8) + w.mid(36, 4), QByteArray("RIFFWAVEfmt data"));
        QCOMPARE(u32(w, 4), quint32(w.size() - 8));
        QCOMPARE(QList<quint32>({u16(w, 20), u16(w, 22), u32(w, 24), u16(w, 34), u32(w, 40)}),
                 QList<quint32>({1 /* PCM */, 1 /* mono */, 22050, 16, 2 * 2205}));
    }

    void waveFrequency_data()
    {
        QTest::addColumn<int>("hz");
        QTest::addColumn<int>("ms");
        QTest::addColumn<int>("rate");
        QTest::newRow("alarm tone") << 1100 << 100 << 22050;
        QTest::newRow("440 Hz, 44.1 kHz") << 440 << 250 << 44100;
    }
    void waveFrequency()
    {
        QFETCH(int, hz);
        QFETCH(int, ms);
        QFETCH(int, rate);
        const QByteArray w = ToneWave::wav(hz, ms, rate);
        const int samples = (w.size() - ToneWave::HeaderSize) / 2;
        QCOMPARE(samples, rate * ms / 1000);
        // Rising zero crossings count the periods.
        int rising = 0;
        int peak = 0;
        for (int i = 1; i < samples; ++i) {
            if (sample(w, i - 1) < 0 && sample(w, i) >= 0)
                ++rising;
            peak = qMax(peak, qAbs(int(sample(w, i))));
        }
        const int periods = hz * ms / 1000;
        QVERIFY2(qAbs(rising - periods) <= 1, qPrintable(QString::number(rising)));
        QVERIFY(peak > 10000 && peak < 32767); // audible, not clipped
        QVERIFY(qAbs(int(sample(w, 0))) < 100 && qAbs(int(sample(w, samples - 1))) < 100); // fades in and out
    }

    void playerWritesToneAndNeverBlocks()
    {
        CAlarmSound sound;
        QCOMPARE(Fixtures::readFile(sound.toneFile()),
                 ToneWave::wav(CAlarmSound::ToneFrequencyHz, CAlarmSound::ToneDurationMs));
        // Without a sound device these fail quietly; they must return at once.
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 20; ++i) {
            sound.beep();
            sound.playFile(QStringLiteral("/nonexistent/alarm.wav"));
        }
        QVERIFY(t.elapsed() < 1000);
    }
};

QTEST_MAIN(TestAlarmSound)
#include "tst_alarmsound.moc"
