#pragma once

#include "state/GameRules.h"

#include <QString>

// Whether a game's rules can be used for a game of `pick` main numbers whose header
// says `headerBonus`: "" when they can, else why not, in words fit to show.
//
// The bonus drawn from the same drum belongs to the header: rules say so exactly when the
// header does. A second drum holds 1 or 2 numbers of 1..99; a tier asks for 0..pick main
// hits and at most the extra hits there can be, and no two tiers ask for the same.
QString rulesError(const GameRules& rules, int pick, bool headerBonus);

constexpr int MaxTiers = 20;
constexpr int MaxExtraRange = 99;
