#include "QtSoundOutput.h"

#include "WaveImage.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

QtSoundOutput::QtSoundOutput() = default;

QtSoundOutput::~QtSoundOutput() {
    stop();
}

int QtSoundOutput::deviceCount() const {
    return int(QMediaDevices::audioOutputs().size());
}

void QtSoundOutput::play(const QByteArray& waveImage) {
    stop();
    WaveImage wave;
    if (!WaveImage::parse(waveImage, &wave))
        return; // an image we cannot play simply plays nothing
    QAudioFormat format;
    format.setSampleRate(wave.sampleRate);
    format.setChannelCount(wave.channels);
    format.setSampleFormat(wave.bitsPerSample == 8    ? QAudioFormat::UInt8
                           : wave.bitsPerSample == 16 ? QAudioFormat::Int16
                                                      : QAudioFormat::Int32);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(format))
        return;
    samples_ = wave.samples;
    buffer_.setData(samples_);
    buffer_.open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, format);
    sink_->start(&buffer_);
}

void QtSoundOutput::stop() {
    if (sink_) {
        sink_->stop();
        sink_.reset();
    }
    buffer_.close();
}
