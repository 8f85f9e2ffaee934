#include "display/ToneWave.h"

#include "net/LittleEndian.h"

#include <QtMath>

namespace {

using LittleEndian::put16;
using LittleEndian::put32;

} // namespace

QByteArray ToneWave::wav(int frequencyHz, int durationMs, int sampleRate)
{
    const int samples = qMax(0, int(qint64(sampleRate) * durationMs / 1000));
    const quint32 dataBytes = quint32(samples) * 2;

    QByteArray out;
    out.reserve(HeaderSize + int(dataBytes));
    out.append("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.append("WAVE", 4);
    out.append("fmt ", 4);
    put32(out, 16); // PCM format chunk size
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, quint32(sampleRate));
    put32(out, quint32(sampleRate) * 2); // byte rate
    put16(out, 2);                       // block align
    put16(out, 16);                      // bits per sample
    out.append("data", 4);
    put32(out, dataBytes);

    // A few milliseconds of fade at both ends keep the speaker from clicking.
    const int ramp = qMin(samples / 2, sampleRate / 200);
    const double amplitude = 0.6 * 32767.0;
    for (int i = 0; i < samples; ++i) {
        double gain = 1.0;
        if (ramp > 0 && i < ramp)
            gain = double(i) / ramp;
        else if (ramp > 0 && i >= samples - ramp)
            gain = double(samples - 1 - i) / ramp;
        const double v = amplitude * gain * qSin(2.0 * M_PI * frequencyHz * i / sampleRate);
        put16(out, quint16(qint16(qRound(v))));
    }
    return out;
}
