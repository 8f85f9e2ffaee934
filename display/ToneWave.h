#pragma once
// Builds a short sine tone as a 16-bit mono PCM WAV file image, the station's
// stand-in for a speaker beep that can be played without blocking.

#include <QByteArray>

class ToneWave
{
public:
    static constexpr int HeaderSize = 44;

    // frequencyHz and durationMs > 0; sampleRate in Hz.
    static QByteArray wav(int frequencyHz, int durationMs, int sampleRate = 22050);
};
