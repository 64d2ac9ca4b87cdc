#pragma once

#include <QProcess>
#include <QTemporaryDir>

// A private sound server with a null sink, so a sound output meets a real device without
// making noise. Start it before Qt Multimedia first looks for devices; it is stopped when
// this object goes. Without `pulseaudio` installed, started() stays false.
class SoundServer {
public:
    SoundServer();
    ~SoundServer();
    bool started() const { return started_; }

private:
    QTemporaryDir runtimeDir_;
    QProcess server_;
    bool started_ = false;
};
