#pragma once

#include "state/GameRules.h"

#include <QString>
#include <QVector>

// The exact chance and worth of each prize tier for one line of k numbers from 1..R.
//
// Main numbers: the draw takes k of R; a line of k numbers matches h of them with the
// hypergeometric chance C(k,h)·C(R−k,k−h)/C(R,k).
//
// Second drum: the extra numbers are drawn apart from the main ones, so main and extra hits
// are independent, and with m extra numbers from 1..S, e of the line's m extras match with
// C(m,e)·C(S−m,m−e)/C(S,m). The chance of (h, e) is the product of the two.
//
// Same-drum bonus: after the k main numbers, one more is drawn from the R−k left. A line with
// h main hits holds k−h numbers that were not drawn among the main ones, so the bonus lands
// among them with chance (k−h)/(R−k).
//
// A line wins its best tier only (see winningTier), so every outcome (h, e) falls in at most
// one tier: a tier's chance is the sum over the outcomes it takes, and the tiers' chances add
// up to the chance of any prize. By linearity, a set of lines expects the sum of what each
// line expects.

struct TierChances {
    QVector<double> perTier; // in rules.tiers order
    double anyPrize = 0;
};

// Exact chances for one line; all zero when pick/range make no game.
TierChances tierChances(int pick, int range, const GameRules& rules);

// Expected winnings of one line in cents; jackpot tiers count rules.jackpotCents only when
// includeJackpot.
double expectedReturnCents(int pick, int range, const GameRules& rules, bool includeJackpot);

// The tier (index into rules.tiers) a line wins with `mainHits` main numbers matched and
// `extraHits` (second drum: extra numbers matched; same-drum bonus: 1 when the bonus is among
// the line's numbers); -1 none. A tier asks for exactly its main hits and at least its extra
// hits; of the tiers a line meets, it wins the one asking for the most extra hits (the first
// such in the table).
int winningTier(const GameRules& rules, int mainHits, int extraHits);

// "1 in X" for a chance: X grouped by thousands, 2 decimals under 10, 1 under 100, else
// whole; "never" for a chance of 0.
QString oneInText(double chance);

// The tier as the odds name it: "4 + 1", "5 + bonus", "3" (no extra numbers, or a same-drum
// tier that does not need the bonus).
QString tierLabel(const GameRules& rules, const PrizeTier& tier);
