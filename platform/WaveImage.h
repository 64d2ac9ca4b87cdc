#pragma once

#include <QByteArray>

// The PCM samples of a RIFF WAVE image and how to play them.
struct WaveImage {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    QByteArray samples;

    // Reads the "fmt " and "data" chunks of an uncompressed PCM image; false for anything else.
    static bool parse(const QByteArray& image, WaveImage* wave);
    // A mono 16-bit PCM image holding `samples` (native little-endian values).
    static QByteArray build(int sampleRate, const QByteArray& samples);
};
