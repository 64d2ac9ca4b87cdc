// Start-up cost of the whole program (settings, both windows, counters, sound file) until its
// main window has been shown. Prints the milliseconds from process start to shown; compare
// with bench_floor.
#include "ProcessClock.h"

#include "app/Main.h"
#include "app/Program.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Program::configureApplication();
    Program program;
    program.show();
    reportWhenShown(program.mainWindow());
    return app.exec();
}
