#pragma once

#include "SoundOutput.h"

#include <QBuffer>
#include <memory>

class QAudioSink;

// Wave output through Qt Multimedia: a fresh audio sink per play, fed from memory.
class QtSoundOutput : public SoundOutput {
public:
    QtSoundOutput();
    ~QtSoundOutput() override;

    int deviceCount() const override;
    void play(const QByteArray& waveImage) override;
    void stop() override;

private:
    std::unique_ptr<QAudioSink> sink_;
    QByteArray samples_;
    QBuffer buffer_;
};
