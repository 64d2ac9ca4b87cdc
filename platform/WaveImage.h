#pragma once

#include <QByteArray>

// The PCM samples of a RIFF WAVE image and how to play them.
struct WaveImage {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    QByteArray samples;

    bool playable() const;
    int frameBytes() const { return channels * bitsPerSample / 8; }

    // Rates outside these make no sense for a sound and upset audio back ends.
    static constexpr int MinSampleRate = 4000;
    static constexpr int MaxSampleRate = 192000;

    // Reads the "fmt " and "data" chunks of an uncompressed PCM image that a sound device can
    // take: 8 or 16 bits, 1 or 2 channels, a rate within the bounds and a consistent block
    // size. The samples are whole frames only (a cut data chunk loses its partial frame).
    // False, leaving `wave` alone, for anything else or when not one frame is left.
    static bool parse(const QByteArray& image, WaveImage* wave);
    // A mono 16-bit PCM image holding `samples` (native little-endian values).
    static QByteArray build(int sampleRate, const QByteArray& samples);
};
