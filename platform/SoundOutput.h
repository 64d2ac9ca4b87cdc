#pragma once

#include <QByteArray>

// Wave sound output. play() starts a RIFF WAVE image held in memory and returns at once,
// cutting off whatever is still playing; the image must stay alive until stop().
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual int deviceCount() const = 0;
    virtual void play(const QByteArray& waveImage) = 0;
    virtual void stop() = 0;
};
