// The floor of the start-up benchmark: a plain Qt Widgets program of the same make-up as the
// main window, linked to Qt Widgets only. It builds the main window's form (one fixed
// 500 x 387 window, its 63 widgets with their texts, plain labels and widgets standing in for
// the program's own controls) in the 8 point font and shows it. bench_startup runs it.
#include "ui_Main.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
    QWidget window;
    Ui::TForm1 form;
    form.setupUi(&window);
    window.setFixedSize(window.size());
    window.show();
    return app.exec();
}
