// Writes the counters' stop sound: a short, soft wooden tick (a damped 1.8 kHz partial over a
// lower 900 Hz body), 16-bit mono PCM at 22,050 Hz.
#include "platform/WaveImage.h"

#include <QFile>
#include <QtEndian>
#include <cmath>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_tick_sound OUTPUT\n");
        return 2;
    }
    const int rate = 22050;
    const int length = rate * 60 / 1000;
    const double pi = 3.14159265358979323846;
    QByteArray samples;
    for (int i = 0; i < length; ++i) {
        const double t = double(i) / rate;
        const double attack = std::min(1.0, t / 0.0015);
        const double value = attack * (0.55 * std::exp(-t * 90.0) * std::sin(2 * pi * 1800 * t) +
                                       0.35 * std::exp(-t * 60.0) * std::sin(2 * pi * 900 * t));
        char raw[2];
        qToLittleEndian(qint16(std::lround(value * 0.6 * 32767)), raw);
        samples.append(raw, 2);
    }
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(WaveImage::build(rate, samples)) < 0) {
        std::fprintf(stderr, "make_tick_sound: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
