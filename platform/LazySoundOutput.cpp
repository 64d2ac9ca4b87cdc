#include "LazySoundOutput.h"

#include "BackendPlugins.h"

#include <QPluginLoader>

#include <atomic>

namespace {
std::atomic<bool> leftRunning{false};
} // namespace

LazySoundOutput::LazySoundOutput(QString pluginFolder) : pluginFolder_(std::move(pluginFolder)) {}

LazySoundOutput::~LazySoundOutput() {
    output_.reset();
    if (backend_ && backend_->soundThreadLeftRunning())
        leftRunning = true;
    // The plugin stays loaded: Qt Multimedia keeps threads and globals of its own.
}

bool LazySoundOutput::threadLeftRunning() {
    return leftRunning.load();
}

SoundOutput* LazySoundOutput::output() const {
    if (!tried_) {
        tried_ = true;
        loader_ = std::make_unique<QPluginLoader>(pluginFolder_ + QLatin1Char('/') +
                                                  QLatin1String(BackendPlugins::SoundPluginName));
        backend_ = qobject_cast<SoundBackend*>(loader_->instance());
        if (backend_)
            output_ = backend_->createSoundOutput();
        else
            qWarning("No sound: %s", qPrintable(loader_->errorString()));
    }
    return output_.get();
}

int LazySoundOutput::deviceCount() const {
    const SoundOutput* sound = output();
    return sound ? sound->deviceCount() : 0;
}

void LazySoundOutput::play(const QByteArray& waveImage) {
    if (SoundOutput* sound = output())
        sound->play(waveImage);
}

void LazySoundOutput::stop() {
    if (output_) // nothing was ever played without it
        output_->stop();
}

void LazySoundOutput::askDeviceCount(QObject* receiver, std::function<void(int)> answer) {
    if (!holding_) {
        answer(deviceCount());
        return;
    }
    held_.push_back({receiver, std::move(answer)});
}

void LazySoundOutput::startAnswering() {
    holding_ = false;
    std::vector<HeldAnswer> held;
    held.swap(held_);
    for (HeldAnswer& h : held)
        if (h.receiver)
            h.answer(deviceCount());
}
