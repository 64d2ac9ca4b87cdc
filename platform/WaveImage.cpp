#include "WaveImage.h"

#include <QtEndian>

#include <climits>

namespace {

quint32 u32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}
quint16 u16(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

void put32(QByteArray& bytes, quint32 value) {
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}
void put16(QByteArray& bytes, quint16 value) {
    char raw[2];
    qToLittleEndian(value, raw);
    bytes.append(raw, 2);
}

} // namespace

bool WaveImage::parse(const QByteArray& image, WaveImage* wave) {
    if (image.size() < 12 || !image.startsWith("RIFF") || image.mid(8, 4) != "WAVE")
        return false;
    WaveImage found;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= image.size()) {
        const QByteArray id = image.mid(at, 4);
        const quint32 size = u32(image, at + 4);
        const qsizetype body = at + 8;
        const qsizetype available = image.size() - body;
        if (id == "fmt ") {
            if (size < 16 || available < 16 || u16(image, body) != 1) // PCM only
                return false;
            found.channels = u16(image, body + 2);
            found.sampleRate = int(qMin<quint32>(u32(image, body + 4), INT_MAX));
            found.bitsPerSample = u16(image, body + 14);
            if (!found.playable() || u16(image, body + 12) != found.frameBytes())
                return false;
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return false;
            // A cut image plays the whole frames it holds; the device takes nothing less.
            qsizetype bytes = qMin<qsizetype>(size, available);
            bytes -= bytes % found.frameBytes();
            if (bytes == 0)
                return false;
            found.samples = image.mid(body, bytes);
            *wave = found;
            return true;
        }
        at = body + qsizetype(size) + (size & 1);
    }
    return false;
}

bool WaveImage::playable() const {
    return (channels == 1 || channels == 2) && (bitsPerSample == 8 || bitsPerSample == 16) &&
           sampleRate >= MinSampleRate && sampleRate <= MaxSampleRate;
}

QByteArray WaveImage::build(int sampleRate, const QByteArray& samples) {
    QByteArray image("RIFF");
    put32(image, quint32(36 + samples.size()));
    image += "WAVEfmt ";
    put32(image, 16);
    put16(image, 1); // PCM
    put16(image, 1); // mono
    put32(image, quint32(sampleRate));
    put32(image, quint32(sampleRate * 2));
    put16(image, 2);
    put16(image, 16);
    image += "data";
    put32(image, quint32(samples.size()));
    image += samples;
    return image;
}
