#pragma once

#include "state/GameRules.h"

#include <QString>

// What a winning line's result adds for a game with rules: the extra numbers it matched, its
// tier and the tier's prize, after the hits ("(4 Number Hit)"):
//   " + 1 extra: 4 + 1, 50,000", " + 2 extras: 5 + 2, Jackpot", ": 4 + 0, 100" (none matched),
//   " + bonus: 5 + bonus, 1,000,000" (a same-drum bonus tier).
// Empty when the line wins no tier.
QString tierResultText(const GameRules& rules, int mainHits, int extraHits);
