#pragma once

#include "odds/SetOdds.h"
#include "state/GameRules.h"
#include "wheels/PlayerNumbers.h"

#include <QString>
#include <QVector>

// A wheel played in a game with real rules: the extra numbers its lines carry, and what the
// set of lines is worth: the chance that any line wins a prize, and the expected return.

struct TLotteryState;

// The loaded game's rules when a wheel of `pick` numbers up to `highest` is for that game;
// otherwise none (not present).
GameRules RulesForWheel(const TLotteryState& state, int pick, int highest);

// The extra numbers a player plays, typed as the main ones are ("3 7 12"), read against the
// second drum's 1..extraRange; at least extraCount of them.
PlayerNumbers ReadExtraNumbers(const QString& text, int extraCount, int extraRange);

// What a line may carry: with one extra number each number alone; with two, every pair of the
// numbers typed, in order.
QVector<QVector<int>> ExtraGroups(const QVector<int>& extras, int extraCount);

// Each line's extras: line i takes group i mod G (cycling), or, when every line gets each, the
// wheel is played once per group, the whole wheel for the first group, then for the next...
struct PlayedLine {
    QVector<int> main;
    QVector<int> extras;
};
QVector<PlayedLine> PlayedLines(const QVector<QVector<int>>& lines,
                                const QVector<QVector<int>>& groups, bool everyLineGetsEach);

// The chance of any prize for a set of lines, exact or between two bounds.
struct PrizeChance {
    double low = 0;
    double high = 0;        // equal to low when exact
    bool estimated = false; // drawn from estimated set odds: "about"
    bool exact() const { return low == high; }
};

// wholeOdds: the set odds of all the wheel's (main) lines; groupOdds: in cycling play with a
// second drum, the set odds of each group's lines (line i in group i mod G); empty otherwise.
PrizeChance AnyPrizeChance(const GameRules& rules, int pick, const SetOdds& wholeOdds,
                           const QVector<QVector<int>>& groups, bool everyLineGetsEach,
                           const QVector<SetOdds>& groupOdds);

// The rows the odds block adds for a game with rules: "Any prize on these 20 lines: 1 in 3.21
// (31.2 %)" and "Expected return of the 20 lines: 6.43 for 40.00".
QStringList PrizeRows(const GameRules& rules, int pick, int range, int playedLines,
                      const PrizeChance& chance);
