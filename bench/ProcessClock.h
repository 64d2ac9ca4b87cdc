#pragma once

// Start-up timing shared by the start-up benchmarks.

#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <unistd.h>

// Milliseconds since the kernel started this process (resolution: one clock tick).
inline double msSinceProcessStart() {
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

// Prints the time once the event loop has shown and painted `window`, then quits.
inline void reportWhenShown(QWidget& window) {
    QTimer::singleShot(0, &window, [] {
        std::printf("%.1f\n", msSinceProcessStart());
        QCoreApplication::quit();
    });
}
