#pragma once

#include "SoundOutput.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

class QPluginLoader;
class SoundBackend;

// The program's sound output: the real one lives in the sound plugin, loaded on first use.
// Its device query loads Qt Multimedia and asks the sound server, which a window about to be
// shown need not wait for: answers to askDeviceCount() are held until startAnswering(), which
// the program calls just after its main window's first paint. Without the plugin there is no
// device.
class LazySoundOutput : public QObject, public SoundOutput {
public:
    explicit LazySoundOutput(QString pluginFolder);
    ~LazySoundOutput() override;

    int deviceCount() const override;
    void play(const QByteArray& waveImage) override;
    void stop() override;
    void askDeviceCount(QObject* receiver, std::function<void(int)> answer) override;

    // Gives the held answers, and every later one at once.
    void startAnswering();

    // True when a sound thread stuck in the sound server was left behind; see QtSoundOutput.
    static bool threadLeftRunning();

private:
    SoundOutput* output() const;

    QString pluginFolder_;
    mutable std::unique_ptr<QPluginLoader> loader_;
    mutable SoundBackend* backend_ = nullptr;
    mutable std::unique_ptr<SoundOutput> output_;
    mutable bool tried_ = false;
    bool holding_ = true;
    struct HeldAnswer {
        QPointer<QObject> receiver;
        std::function<void(int)> answer;
    };
    std::vector<HeldAnswer> held_;
};
