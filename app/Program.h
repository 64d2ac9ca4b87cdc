#pragma once

#include "state/AppContext.h"
#include "state/LotteryState.h"

#include "database/DrawFilePreload.h"
#include "database/DrawTable.h"
#include "platform/HintDisplay.h"
#include "platform/LazyNetworkService.h"
#include "platform/LazyPrintService.h"
#include "platform/LazySoundOutput.h"
#include "platform/Platform.h"
#include "platform/QtDialogService.h"
#include "platform/SystemClock.h"
#include "StartupUpdate.h"

#include <QCoreApplication>

#include <memory>

class TForm1;
class TForm7;
class TicketHooks;

// One run of the program: the state, the real platform services and the two windows that
// live for the whole run. The main window is created first (it reads the settings), then the
// database window, hidden; the main window goes first at the end (it writes the settings).
class Program {
public:
    // The application title and font; call once after the QApplication exists.
    static void configureApplication();

    Program();
    ~Program();

    TForm1& mainWindow() { return *mainWindow_; }
    // Centres the main window on its screen and shows it; the window icon and the answer to
    // the sound device query follow just after its first paint.
    void show();

    // True when the sound thread was stuck at the end: the process must then end without the
    // sound library's own shutdown, which would wait for it for ever. Asked after ~Program.
    static bool mustEndAbruptly() { return LazySoundOutput::threadLeftRunning(); }

private:
    TLotteryState state_;
    TDrawTable table_;
    // Sound and printing load their libraries on first use, from plugins beside the executable.
    LazySoundOutput sound_{QCoreApplication::applicationDirPath()};
    LazyPrintService printer_{QCoreApplication::applicationDirPath()};
    LazyNetworkService network_{QCoreApplication::applicationDirPath()};
    QtDialogService dialogs_;
    SystemClock clock_;
    Platform platform_;
    HintDisplay hints_;
    AppContext context_{state_, table_, platform_, hints_};
    // The database to reload is read on a thread of its own while the windows are built.
    DrawFilePreload preload_;
    std::unique_ptr<TForm1> mainWindow_;
    std::unique_ptr<TForm7> databaseWindow_;
    TicketHooks* ticketHooks_ = nullptr; // child of the database window
    std::unique_ptr<StartupUpdate> startupUpdate_;
};
