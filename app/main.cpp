// Start-up: the application title, the main window (which reads the settings), the database
// window kept hidden until asked for, then the event loop. Closing the main window ends the run.
#include "Program.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Program::configureApplication();
    auto program = std::make_unique<Program>();
    program->show();
    const int code = app.exec();
    program.reset(); // writes the settings
    if (Program::mustEndAbruptly()) {
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}
