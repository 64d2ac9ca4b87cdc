// The floor for the start-up benchmark: a bare Qt Widgets program, linked to Qt Widgets only,
// showing one 500 x 387 window (with --text, holding one line of text, which adds the font
// set-up any window with text pays). Prints the milliseconds from process start to shown.
#include "ProcessClock.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(500, 387);
    QLabel text(QStringLiteral("Ballmere Pro"), &window);
    text.setVisible(argc > 1 && QByteArray(argv[1]) == "--text");
    window.show();
    reportWhenShown(window);
    return app.exec();
}
