// Start-up cost: the whole program (settings, both windows, counters, sound file) until its
// main window has been shown; with --minimal a bare Qt Widgets program showing one empty
// window, the floor to compare with; with --minimal-text the same window holding one line of
// text, which adds the font set-up any window with text pays. Prints the milliseconds from
// process start to shown.
#include "app/Main.h"
#include "app/Program.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

// Milliseconds since the process was started by the kernel.
double msSinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble(); // field 22 of the whole line
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

void reportWhenShown(QWidget& window) {
    // The first pass of the event loop after show() has painted the window.
    QTimer::singleShot(0, &window, [] {
        std::printf("%.1f\n", msSinceProcessStart());
        QCoreApplication::quit();
    });
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode.startsWith("--minimal")) {
        QWidget window;
        window.resize(500, 387);
        QLabel text(QStringLiteral("Ballmere Pro"), &window);
        text.setVisible(mode == "--minimal-text");
        window.show();
        reportWhenShown(window);
        return app.exec();
    }
    Program::configureApplication();
    Program program;
    program.show();
    reportWhenShown(program.mainWindow());
    return app.exec();
}
