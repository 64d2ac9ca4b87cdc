#pragma once

#include "state/GameRules.h"

#include <QString>

// A game's rules in its header file, in a section "[Rules]" after "[Database]":
//
//   Extra=SecondDrum            None, Bonus (the same drum's) or SecondDrum
//   ExtraCount=1                second drum: numbers drawn from it and picked
//   ExtraRange=26               second drum: its highest number
//   Price=2.00                  one line
//   Jackpot=0.00                the jackpot the player expects; 0 when not given
//   Tiers=5+1 Jackpot; 5+0 1000000.00; 4+1 50000.00; ...
//
// A tier is "main+extra prize", extra being "bonus" for a same-drum bonus tier. The section
// also holds where new draws come from (UpdateAddress, UpdateAtStart, LastStartCheck), which
// are read here and written elsewhere. Readers of the header that know only [Database] see
// nothing new, and writing rules leaves every other line of the file as it was.

struct RulesReadResult {
    GameRules rules; // `present` false for a game without rules or with unusable ones
    QString problem; // why a [Rules] section that is there cannot be used; "" otherwise
};

// The rules of the header at `headerPath` for a game of `pick` numbers whose header says
// `headerBonus`. Nothing is ever written.
RulesReadResult readGameRules(const QString& headerPath, int pick, bool headerBonus);

// Writes the rules' own keys into the existing header at `headerPath`, leaving the update keys
// and every other line alone. "" or the text to show.
QString writeGameRules(const QString& headerPath, const GameRules& rules);

// What the player is told when a game's rules cannot be used.
QString unusableRulesText(const QString& problem);

// The tiers as stored, and back; false when a tier is not understood (`bad` names it).
QString storedTiersText(const GameRules& rules);
bool parseStoredTiers(const QString& text, QVector<PrizeTier>* tiers, QString* bad);
