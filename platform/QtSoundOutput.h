#pragma once

#include "SoundOutput.h"

#include <QThread>

#include <atomic>
#include <memory>

class SoundPlayer;

// Wave output through Qt Multimedia. The audio sink lives on a thread of its own: play() and
// stop() only post the request and return at once, so a slow, stuck or confused sound server
// can never hold up the user interface. Of requests that pile up meanwhile only the newest is
// carried out. The image is shared, not copied, and kept until the sound is replaced.
class QtSoundOutput : public SoundOutput {
public:
    QtSoundOutput();
    ~QtSoundOutput() override;

    int deviceCount() const override;
    void play(const QByteArray& waveImage) override;
    void stop() override;

private:
    void post(const QByteArray& waveImage);

    std::unique_ptr<QThread> thread_ = std::make_unique<QThread>();
    SoundPlayer* player_ = nullptr; // lives on thread_, deleted when it finishes
    std::shared_ptr<std::atomic<quint64>> latest_ = std::make_shared<std::atomic<quint64>>(0);
    mutable bool devicesKnown_ = false;
};
