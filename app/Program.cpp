#include "Program.h"

#include "Main.h"
#include "ProgramStyle.h"

#include "database/Database.h"
#include "platform/ProgramFolders.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QScreen>
#include <QStandardPaths>

namespace {

QIcon programIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/ballmere-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

void Program::configureApplication() {
    Q_INIT_RESOURCE(icons);
    QApplication::setApplicationName(QStringLiteral("Ballmere Pro"));
    QApplication::setStyle(new ProgramStyle); // the application owns it
    QApplication::setWindowIcon(programIcon());
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
}

Program::Program()
    : platform_{sound_, printer_, dialogs_, clock_,
                QCoreApplication::applicationDirPath() + QLatin1Char('/')} {
    platform_.dataFolder =
        chooseDataFolder(isWritableFolder(platform_.programFolder),
                         QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (!platform_.dataFolder.isEmpty())
        QDir().mkpath(platform_.dataFolder);
    mainWindow_ = std::make_unique<TForm1>(context_);
    databaseWindow_ = std::make_unique<TForm7>(context_);
    mainWindow_->setDatabaseWindow(databaseWindow_.get());
    sound_.answerAfterFirstPaint(mainWindow_.get());
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
