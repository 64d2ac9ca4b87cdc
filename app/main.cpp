// Start-up: the application title, the main window (which reads the settings), the database
// window kept hidden until asked for, then the event loop. Closing the main window ends the run.
#include "Program.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Program::configureApplication();
    Program program;
    program.show();
    return app.exec();
}
