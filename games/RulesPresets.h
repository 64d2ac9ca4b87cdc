#pragma once

#include "state/GameRules.h"

#include <QString>
#include <QVector>

// Well-known games' rules as a starting point: their structure, price and fixed prizes.
// Tiers whose prize is a share of a pool carry 0 until the player types the announced amount;
// every field stays the player's to change.
struct RulesPreset {
    QString name; // "US Powerball 5/69 + 1/26"
    int pick = 0;
    int range = 0;
    GameRules rules;
};

const QVector<RulesPreset>& rulesPresets();

// The presets for a game of `pick` from 1..`range` whose header says `headerBonus`: a
// same-drum bonus preset only for a game drawing a bonus, the others only for one that does
// not.
QVector<RulesPreset> presetsFor(int pick, int range, bool headerBonus);
