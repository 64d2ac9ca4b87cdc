#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>
#include <atomic>
#include <vector>

// A wheel: lines of k numbers taken from the player's V numbers, with the guarantee "T if M":
// whichever M of the player's numbers are drawn, some line holds at least T of them.
// With M = T this is a covering design C(V, k, T); with M > T a lotto design, needing fewer
// lines. The search works on positions 0..V-1 of the player's sorted numbers, and a line is a
// bit mask of those positions (bit i: the player's (i + 1)-th number), so V is at most 64 here
// and at most 49 for the player.

struct WheelTerms {
    int pool = 0;      // V: how many numbers the player wheels, k + 1 .. 49
    int lineSize = 0;  // k: numbers on a line, 2..7 (the guarantee needs at least 2)
    int guarantee = 0; // T: hits promised, 2..M
    int ifDrawn = 0;   // M: of the player's numbers drawn, T..k
};

using WheelLine = quint64;
using WheelLines = std::vector<WheelLine>;

// Cases the guarantee must hold for, and the search and the check walk through: C(V, M).
quint64 WheelCaseCount(const WheelTerms& terms);

// Above this many cases a wheel is refused before any work starts: the search keeps a count
// per case and the check visits each one.
constexpr quint64 MaxWheelCases = 2'000'000;

// Empty when the wheel can be searched for; otherwise what is wrong, for the window to show
// (the sizes out of their ranges, or the case count over MaxWheelCases, with both numbers).
QString WheelTermsProblem(const WheelTerms& terms);

// The Schoenheim bound: no covering C(v, k, t) has fewer lines than
//   L(v, k, t) = ceil(v/k * ceil((v-1)/(k-1) * ... ceil((v-t+1)/(k-t+1)) ...)).
// Why: a number x lies in some lines; dropping x from them leaves a covering C(v-1, k-1, t-1)
// of the other numbers for the (t-1)-sets that go with x, so x is in at least L(v-1, k-1, t-1)
// lines; counting pairs (number, line) gives k * lines >= v * L(v-1, k-1, t-1).
quint64 SchoenheimBound(int v, int k, int t);

// Fewest lines any wheel on these terms can have, as far as this program knows: the Schoenheim
// bound for M = T; for M > T only 1 (lotto designs have no bound this simple).
quint64 WheelLowerBound(const WheelTerms& terms);

// The numbers of one line: the player's sorted numbers at the line's set bits.
QVector<int> LineNumbers(WheelLine line, const QVector<int>& playerNumbers);
// The whole wheel as number lists, for the window, the odds and saving. A wheel of hundreds of
// thousands of lines takes a while to spell out: `stop`, when set, ends it with no lines.
QVector<QVector<int>> WheelNumbers(const WheelLines& lines, const QVector<int>& playerNumbers,
                                   const std::atomic<bool>* stop = nullptr);
