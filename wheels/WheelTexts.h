#pragma once

#include "odds/SetOdds.h"
#include "wheels/GuaranteeCheck.h"
#include "wheels/WheelJob.h"
#include "wheels/WheelPrizes.h"
#include "wheels/WheelTerms.h"

#include <QStringList>
#include <QVector>

// What the wheels window shows of a wheel: its lines as a check file holds them, the guarantee
// in words, and the chance of each prize.
namespace WheelTexts {

// The check file's four header lines, then one line per wheel line, "6/49  >  03 - 07 - ...",
// ascending within each line.
QStringList checkFileLines(const QVector<QVector<int>>& lines, int highest);
// The same with each line's extra numbers after its main ones, "5/69  >  03 - ... - 38  +  12".
QStringList checkFileLines(const QVector<PlayedLine>& lines, int highest);

// "10 lines: if 3 of the drawn numbers are among your 10, one line has at least 3 of them (all
// 120 cases checked)", or what the check found missing.
QString summary(const WheelTerms& terms, int lineCount, const GuaranteeCheck& check);

// A set number of lines: "20 lines: 3 if 3 holds in 398 of 560 cases (71.1 %)".
QString budgetSummary(const WheelTerms& terms, int lineCount, const GuaranteeCheck& check);

// As many random lines of the same numbers, at the guarantee's hits: "Random lines of these
// numbers: 3 or more on one line 1 in 3.10 (32.3 %)".
QString randomComparison(const SetOdds& odds, int lineSize, int hits);

// For h = lineSize down to 1: "h or more on one line: 1 in X (P %)" below 50 %, "... : P %"
// from 50 % up, P to three significant figures; the top row reads "k on one line: ...". An
// estimate reads "about 1 in X (P % ± E %)", a tier the estimate never reached "less than 1 in
// X"; only an impossible tier reads "never".
QStringList oddsRows(const SetOdds& odds, int lineSize);

// A wheel read from a file, checked against the terms: "38 lines on 16 numbers: 3 if 3 holds
// in every case", or "... fails in 12 of 560 cases, for example 03 07 11".
QString loadedSummary(const WheelTerms& terms, int lineCount, const GuaranteeCheck& check,
                      const QVector<int>& playerNumbers);

// The status line once a search is over: how many lines, found how soon, and whether the
// effort ran out before the first wheel was complete. The time is the search's alone.
QString searchOutcome(int lineCount, const WheelResult& result, int effortSeconds);

// The search's time on its bar, "4.2 s of 10 s", never past the effort: the search reads its
// own clock and ends a moment after the window's.
QString effortBar(qint64 ms, int effortSeconds);

// How the lines are played with the extra numbers' groups, and what the played lines cost:
// "The lines take the 2 extra choices in turn: 20 lines played, costing 40.00."; empty with
// no groups.
QString playedSummary(int groups, bool everyLineGetsEach, int played, qint64 priceCents);

// Wheels longer than this ask before they are saved or printed.
constexpr int LinesAskedAbout = 100;

// "This wheel has 120 lines: at 2.50 a line they cost 300.00. Save all of them?"; without
// the cost when the price is not known (0).
QString stakeQuestion(int lineCount, qint64 priceCents, const QString& verb);

} // namespace WheelTexts
