#include "Program.h"

#include "Main.h"
#include "ProgramStyle.h"
#include "StartupReload.h"
#include "TicketHooks.h"

#include "database/Database.h"
#include "platform/ProgramFolders.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QIcon>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

#include <functional>

namespace {

QIcon programIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/ballmere-%1.png").arg(size), QSize(size, size));
    return icon;
}

// Runs a function once, just after a window has painted itself for the first time.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget* window, std::function<void()> then)
        : QObject(window), then_(std::move(then)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched == parent()) {
            watched->removeEventFilter(this);
            // Queued: the paint this event starts, and its flush to the screen, come first.
            QTimer::singleShot(0, this, [this] {
                then_();
                deleteLater();
            });
        }
        return false;
    }

private:
    std::function<void()> then_;
};

} // namespace

void Program::configureApplication() {
    Q_INIT_RESOURCE(icons);
    QApplication::setApplicationName(QStringLiteral("Ballmere Pro"));
    // The menu entry and software centres know the program by this id.
    QApplication::setDesktopFileName(QStringLiteral("com.ballmere.pro"));
    QApplication::setStyle(new ProgramStyle); // the application owns it
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
    preload_.start([folder = platform_.settingsFolder()] { return startupDrawFilePath(folder); });
    mainWindow_ = std::make_unique<TForm1>(context_);
    mainWindow_->setStartupPreload(&preload_);
    databaseWindow_ = std::make_unique<TForm7>(context_, TForm7::Widgets::BuildWhenShown);
    mainWindow_->setDatabaseWindow(databaseWindow_.get());
    ticketHooks_ = new TicketHooks(context_, *databaseWindow_,
                                   [this] { return mainWindow_->drawList(); });
    platform_.network = &network_;
    startupUpdate_ = std::make_unique<StartupUpdate>(
        context_,
        [this](const DrawImportResult& result) {
            databaseWindow_->importFinished(result); // checks the tickets of the new draws
            mainWindow_->update();                   // its details
            return ticketHooks_->lastArrival();
        },
        [this](const QString& text) {
            if (const HintDisplay::Handler& show = hints_.handler())
                show(text);
        });
    // A draw being typed keeps its row: new draws wait for the next look.
    startupUpdate_->update().busy = [this] {
        return databaseWindow_->entering() ? QStringLiteral("A draw was being entered.")
                                           : QString();
    };
}

Program::~Program() {
    startupUpdate_.reset();
    mainWindow_.reset();
    databaseWindow_.reset();
}

void Program::show() {
    if (const QScreen* screen = mainWindow_->screen())
        mainWindow_->move(screen->availableGeometry().center() - mainWindow_->rect().center());
    // What the first sight of the window need not wait for comes just after it: the icon
    // (decoding its pictures) and the sound device (loading the sound library).
    new AfterFirstPaint(mainWindow_.get(), [this] {
        QApplication::setWindowIcon(programIcon());
        sound_.startAnswering();
        // Only when the game asks for it: otherwise no network at all.
        startupUpdate_->start(QDate::currentDate());
    });
    mainWindow_->show();
}
