#pragma once

// The back-test window: a mix of hot, average, cold and random numbers tested over the stored
// draws (BacktestJob, on threads of their own), the window polling its progress; the report
// at the end, which can be saved as a text file.

#include "advanced/Backtest.h"
#include "controls/ReportRunWindow.h"

class TBacktest : public TReportRunWindow {
    Q_OBJECT

public:
    // Starts at once over the loaded database's draws and game.
    TBacktest(AppContext& context, const Composition& composition, int linesPerDraw,
              QWidget* parent = nullptr);
};
