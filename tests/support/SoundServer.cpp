#include "SoundServer.h"

#include <QFile>
#include <QStandardPaths>
#include <QTest>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif

SoundServer::SoundServer() {
    if (QStandardPaths::findExecutable("pulseaudio").isEmpty() || !runtimeDir_.isValid())
        return;
    qputenv("XDG_RUNTIME_DIR", runtimeDir_.path().toLocal8Bit());
#ifdef Q_OS_LINUX
    // A test that crashes or is killed must not leave the server behind.
    server_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
#endif
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
