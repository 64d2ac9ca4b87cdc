#pragma once

#include "state/GameRules.h"

#include <QVector>

struct TLotteryState;
class TDrawTable;

#include <QString>

// What a winning line's result adds for a game with rules: the extra numbers it matched, its
// tier and the tier's prize, after the hits ("(4 Number Hit)"):
//   " + 1 extra: 4 + 1, 50,000", " + 2 extras: 5 + 2, Jackpot", ": 4 + 0, 100" (none matched),
//   " + bonus: 5 + bonus, 1,000,000" (a same-drum bonus tier).
// Empty when the line wins no tier.
QString tierResultText(const GameRules& rules, int mainHits, int extraHits);

// The checker's extra box: for a loaded game with rules and a second drum, how many extra
// numbers the winning line has (0: no extra box).
int checkedExtraCount(const TLotteryState& state);
// The numbers typed in the extra box ("12", "03 07", "3, 7"), at most two.
QVector<int> typedExtras(const QString& text);
// The extra box's text for table row `row`: its extra numbers as stored, "03 07".
QString storedExtrasText(const TDrawTable& table, int row, int count);
