#include "Program.h"

#include "Main.h"

#include "database/Database.h"

#include <QApplication>
#include <QScreen>

void Program::configureApplication() {
    QApplication::setApplicationName(QStringLiteral("Ballmere Pro"));
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
}

Program::Program()
    : platform_{sound_, printer_, dialogs_, clock_,
                QCoreApplication::applicationDirPath() + QLatin1Char('/')} {
    mainWindow_ = std::make_unique<TForm1>(context_);
    databaseWindow_ = std::make_unique<TForm7>(context_);
    mainWindow_->setDatabaseWindow(databaseWindow_.get());
}

Program::~Program() {
    mainWindow_.reset();
    databaseWindow_.reset();
}

void Program::show() {
    if (const QScreen* screen = mainWindow_->screen())
        mainWindow_->move(screen->availableGeometry().center() - mainWindow_->rect().center());
    mainWindow_->show();
}
