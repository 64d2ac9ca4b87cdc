#include "SoundServer.h"

#include <QFile>
#include <QStandardPaths>
#include <QTest>

SoundServer::SoundServer() {
    if (QStandardPaths::findExecutable("pulseaudio").isEmpty() || !runtimeDir_.isValid())
        return;
    qputenv("XDG_RUNTIME_DIR", runtimeDir_.path().toLocal8Bit());
    server_.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1",
                                 "--load=module-null-sink", "--load=module-native-protocol-unix"});
    const QString socket = runtimeDir_.filePath("pulse/native");
    started_ = QTest::qWaitFor([&socket] { return QFile::exists(socket); }, 5000);
    if (!started_)
        qWarning("the sound server did not start; sound tests will skip");
}

SoundServer::~SoundServer() {
    server_.kill();
    server_.waitForFinished(5000);
}
