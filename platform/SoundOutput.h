#pragma once

#include <QByteArray>

#include <functional>

class QObject;

// Wave sound output. play() starts a RIFF WAVE image held in memory and returns at once,
// cutting off whatever is still playing; the image must stay alive until stop().
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual int deviceCount() const = 0;
    virtual void play(const QByteArray& waveImage) = 0;
    virtual void stop() = 0;

    // Gives deviceCount() to `answer`, at once here. An output whose query is slow may answer
    // later, on the user-interface thread, and drops the answer when `receiver` is gone.
    virtual void askDeviceCount(QObject* receiver, std::function<void(int)> answer) {
        (void)receiver;
        answer(deviceCount());
    }
};
