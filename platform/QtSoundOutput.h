#pragma once

#include "SoundOutput.h"

#include <QThread>

#include <atomic>
#include <memory>

class SoundPlayer;

// Wave output through Qt Multimedia. Everything that talks to the sound server runs on a
// thread of its own: play() and stop() only post the request and return at once, so a slow,
// stuck or confused server can never hold up the user interface. Of requests that pile up
// meanwhile only the newest is carried out. The image is shared, not copied, and kept until
// the sound is replaced. deviceCount() waits a moment for the first answer only (a server
// that does not answer counts as no device); later calls give the last answer and ask again.
class QtSoundOutput : public SoundOutput {
public:
    QtSoundOutput();
    ~QtSoundOutput() override;

    int deviceCount() const override;
    void play(const QByteArray& waveImage) override;
    void stop() override;

    // True once an output was destroyed while its thread was stuck in the sound server. Qt
    // Multimedia's own shutdown would then wait for that thread for ever: the process should
    // end without it.
    static bool threadLeftRunning();

private:
    void post(const QByteArray& waveImage);

    std::unique_ptr<QThread> thread_ = std::make_unique<QThread>();
    SoundPlayer* player_ = nullptr; // lives on thread_, deleted when it finishes
    std::shared_ptr<std::atomic<quint64>> latest_ = std::make_shared<std::atomic<quint64>>(0);
    struct Devices;
    std::shared_ptr<Devices> devices_;
    mutable bool askedBefore_ = false;
};
