#pragma once

#include "advanced/Backtest.h"

#include <QStringList>

// The comparison of the mix with random lines: a paired test, draw by draw, of the mean hits a
// line. Each draw gives one difference (the mix's hits less the random lines' hits), so lines
// that share a draw are not taken for independent; the mean difference over the draws is
// judged against its standard error by the normal approximation, two-sided.
struct BacktestComparison {
    bool available = false;    // at least two draws tested
    double meanDifference = 0; // hits a line, the mix less random lines
    double z = 0;
    double p = 1;
};

BacktestComparison compareWithRandom(const BacktestTally& tally, int linesPerDraw);

// The report, row by row: what was tested, the hits of the mix, of the random lines and the
// exact expectation for any lines, and the comparison with one sentence of what it means.
// `drawsToTest` is what a whole run tests; `stopped` marks a run ended early.
QStringList backtestReport(const BacktestSetup& setup, const BacktestTally& tally, int drawsToTest,
                           bool stopped);

// The report as a text file of CR LF lines: an empty string, or the error to show.
QString writeBacktestReport(const QString& path, const QStringList& lines);
