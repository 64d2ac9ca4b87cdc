#pragma once

#include "Fakes.h"

#include "state/AppContext.h"
#include "state/LotteryState.h"
#include "database/DrawTable.h"
#include "platform/HintDisplay.h"
#include "platform/Platform.h"

#include <QTemporaryDir>

// A whole program context on fakes, with a fresh temporary folder as the program folder.
struct TestContext {
    QTemporaryDir folder;
    TLotteryState state;
    TDrawTable table;
    FakeSound sound;
    FakePrinter printer;
    FakeDialogs dialogs;
    FakeClock clock;
    Platform platform{sound, printer, dialogs, clock, folder.path() + QLatin1Char('/')};
    HintDisplay hints;
    AppContext context{state, table, platform, hints};

    QString path(const QString& fileName) const { return platform.programFolder + fileName; }
};
