// Start-up: the application title, the main window (which reads the settings), the database
// window kept hidden until asked for, then the event loop. Closing the main window ends the run.
#include "AppContext.h"
#include "LotteryState.h"
#include "Main.h"

#include "database/Database.h"
#include "database/DrawTable.h"
#include "platform/HintDisplay.h"
#include "platform/Platform.h"
#include "platform/QtDialogService.h"
#include "platform/QtPrintService.h"
#include "platform/QtSoundOutput.h"
#include "platform/SystemClock.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ballmere Pro"));
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);

    TLotteryState state;
    TDrawTable table;
    QtSoundOutput sound;
    QtPrintService printer;
    QtDialogService dialogs;
    SystemClock clock;
    Platform platform{sound, printer, dialogs, clock,
                      QCoreApplication::applicationDirPath() + QLatin1Char('/')};
    HintDisplay hints;
    AppContext context{state, table, platform, hints};

    auto mainWindow = std::make_unique<TForm1>(context);
    auto databaseWindow = std::make_unique<TForm7>(context);
    mainWindow->setDatabaseWindow(databaseWindow.get());
    if (const QScreen* screen = mainWindow->screen())
        mainWindow->move(screen->availableGeometry().center() - mainWindow->rect().center());
    mainWindow->show();

    const int result = app.exec();
    mainWindow.reset(); // writes the settings back
    databaseWindow.reset();
    return result;
}
