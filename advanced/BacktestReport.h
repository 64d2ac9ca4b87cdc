#pragma once

#include "advanced/Backtest.h"

#include <QStringList>

// The comparison of the mix with random lines: a paired test, draw by draw, of the mean hits a
// line. Each draw gives one difference (the mix's hits less the random lines' hits), so lines
// that share a draw are not taken for independent; the mean difference over the draws is
// judged by Student's t with one degree of freedom fewer than the draws, two-sided, which holds
// for few draws as well as many.
struct BacktestComparison {
    bool available = false;    // at least two draws tested
    double meanDifference = 0; // hits a line, the mix less random lines
    double halfWidth = 0;      // of the 95 % interval of meanDifference
    // Every draw gave the same difference: no t can be formed. When that difference is not 0
    // the p-value is the sign test's, 2 / 2^draws, exact for a difference that chance makes
    // either way alike.
    bool sameEveryDraw = false;
    double t = 0;
    double p = 1;
};

BacktestComparison compareWithRandom(const BacktestTally& tally, int linesPerDraw);

// Below this many tested draws the report gives no verdict.
constexpr int BacktestMinimumDraws = 30;
// A difference is called clear below this p; from there up to 0.05 chance gives it now and then.
constexpr double BacktestClearP = 0.01;
constexpr double BacktestChanceP = 0.05;

enum class BacktestVerdict { TooFewDraws, NoBetterThanChance, ChanceNowAndThen, ClearDifference };

BacktestVerdict backtestVerdict(const BacktestComparison& comparison, int drawsTested);

// The plain sentence that opens the report: the verdict and the size of the difference.
QString backtestVerdictText(const BacktestTally& tally, int linesPerDraw);

// The report, row by row: the verdict in plain words, a table of hits, what was tested, then
// "Details:" with the figures scripts read. `storedDraws` is the history's length; `stopped`
// marks a run ended early.
QStringList backtestReport(const BacktestSetup& setup, const BacktestTally& tally, int storedDraws,
                           bool stopped);

