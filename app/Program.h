#pragma once

#include "AppContext.h"
#include "LotteryState.h"

#include "database/DrawTable.h"
#include "platform/HintDisplay.h"
#include "platform/Platform.h"
#include "platform/QtDialogService.h"
#include "platform/QtPrintService.h"
#include "platform/QtSoundOutput.h"
#include "platform/SystemClock.h"

#include <memory>

class TForm1;
class TForm7;

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
    // Centres the main window on its screen and shows it.
    void show();

private:
    TLotteryState state_;
    TDrawTable table_;
    QtSoundOutput sound_;
    QtPrintService printer_;
    QtDialogService dialogs_;
    SystemClock clock_;
    Platform platform_;
    HintDisplay hints_;
    AppContext context_{state_, table_, platform_, hints_};
    std::unique_ptr<TForm1> mainWindow_;
    std::unique_ptr<TForm7> databaseWindow_;
};
