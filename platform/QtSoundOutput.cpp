#include "QtSoundOutput.h"

#include "WaveImage.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QDeadlineTimer>
#include <QMediaDevices>
#include <QSemaphore>

#include <algorithm>

// The audio side, run on the sound thread only. One sink is kept while the format and the
// device stay the same; a sink that has played all its samples is stopped so the server does
// not keep an idle stream.
class SoundPlayer : public QObject {
public:
    ~SoundPlayer() override {
        if (sink_) {
            sink_->disconnect(this);
            sink_->stop();
        }
    }

    void play(const QByteArray& image) {
        stopSink();
        WaveImage wave;
        if (!WaveImage::parse(image, &wave))
            return; // an image we cannot play simply plays nothing
        QAudioFormat format;
        format.setSampleRate(wave.sampleRate);
        format.setChannelCount(wave.channels);
        format.setSampleFormat(wave.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull() || !device.isFormatSupported(format))
            return;
        if (!sink_ || sink_->format() != format || device_ != device) {
            sink_ = std::make_unique<QAudioSink>(device, format);
            device_ = device;
            connect(sink_.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
                if (state == QAudio::IdleState)
                    stopSink();
            });
        }
        buffer_.setData(wave.samples);
        buffer_.open(QIODevice::ReadOnly);
        sink_->start(&buffer_);
    }

    void stopSink() {
        if (sink_ && sink_->state() != QAudio::StoppedState)
            sink_->stop();
        buffer_.close();
    }

private:
    QBuffer buffer_; // outlives the sink that reads it
    QAudioDevice device_;
    std::unique_ptr<QAudioSink> sink_;
};

struct QtSoundOutput::Devices {
    std::atomic<int> count{-1}; // -1 until the server has answered
    QSemaphore answered;
};

namespace {
constexpr int FirstAnswerMs = 2000;
constexpr int ShutdownMs = 2000;
std::atomic<bool> leftRunning{false};
} // namespace

bool QtSoundOutput::threadLeftRunning() {
    return leftRunning.load();
}

QtSoundOutput::QtSoundOutput() : devices_(std::make_shared<Devices>()) {
    auto player = std::make_unique<SoundPlayer>();
    player->moveToThread(thread_.get());
    player_ = player.release(); // owned by the thread from here
    QObject::connect(thread_.get(), &QThread::finished, player_, &QObject::deleteLater);
    thread_->setObjectName(QStringLiteral("sound"));
    thread_->start();
}

QtSoundOutput::~QtSoundOutput() {
    stop();
    thread_->quit();
    // A sound server that never answers must not keep the program from ending: after a while
    // the thread is left to the end of the process instead of being waited for.
    if (!thread_->wait(QDeadlineTimer(ShutdownMs))) {
        (void)thread_.release();
        leftRunning = true;
    }
}

int QtSoundOutput::deviceCount() const {
    QMetaObject::invokeMethod(
        player_,
        [devices = devices_] {
            devices->count = int(QMediaDevices::audioOutputs().size());
            devices->answered.release();
        },
        Qt::QueuedConnection);
    if (!askedBefore_) {
        askedBefore_ = true;
        devices_->answered.tryAcquire(1, FirstAnswerMs);
    }
    return std::max(devices_->count.load(), 0);
}

void QtSoundOutput::play(const QByteArray& waveImage) {
    post(waveImage);
}

void QtSoundOutput::stop() {
    post(QByteArray());
}

void QtSoundOutput::post(const QByteArray& waveImage) {
    const quint64 request = ++*latest_;
    QMetaObject::invokeMethod(
        player_,
        [player = player_, latest = latest_, request, waveImage] {
            if (request == latest->load()) // a newer request replaces this one
                player->play(waveImage);
        },
        Qt::QueuedConnection);
}
