#include "TierOdds.h"

#include "odds/Binomial.h"

namespace {

// C(k,h)·C(n−k,k−h)/C(n,k): h of a line's k numbers among k drawn from n.
double hypergeometric(int k, int n, int h) {
    const double all = double(Binomial(n, k));
    if (all <= 0)
        return 0;
    return double(Binomial(k, h)) * double(Binomial(n - k, k - h)) / all;
}

bool validGame(int pick, int range) {
    return pick >= 1 && range >= pick && range <= 99;
}

// Highest extra hits an outcome can have.
int maxExtraHits(const GameRules& rules) {
    switch (rules.extra) {
    case ExtraKind::None:
        return 0;
    case ExtraKind::SameDrumBonus:
        return 1;
    case ExtraKind::SecondDrum:
        return qBound(0, rules.extraCount, 2);
    }
    return 0;
}

// Chance of `e` extra hits given `h` main hits of a line of `pick` from 1..range.
double extraChance(int pick, int range, const GameRules& rules, int h, int e) {
    switch (rules.extra) {
    case ExtraKind::None:
        return e == 0 ? 1 : 0;
    case ExtraKind::SameDrumBonus: {
        const double onLine = range > pick ? double(pick - h) / double(range - pick) : 0;
        return e == 1 ? onLine : 1 - onLine;
    }
    case ExtraKind::SecondDrum:
        if (rules.extraRange < rules.extraCount)
            return 0;
        return hypergeometric(rules.extraCount, rules.extraRange, e);
    }
    return 0;
}

} // namespace

int winningTier(const GameRules& rules, int mainHits, int extraHits) {
    int best = -1;
    for (int i = 0; i < rules.tiers.size(); ++i) {
        const PrizeTier& tier = rules.tiers[i];
        if (tier.mainHits != mainHits || tier.extraHits > extraHits)
            continue;
        if (best < 0 || tier.extraHits > rules.tiers[best].extraHits)
            best = i;
    }
    return best;
}

TierChances tierChances(int pick, int range, const GameRules& rules) {
    TierChances chances;
    chances.perTier.fill(0, rules.tiers.size());
    if (!validGame(pick, range))
        return chances;
    for (int h = 0; h <= pick; ++h) {
        const double mainChance = hypergeometric(pick, range, h);
        for (int e = 0; e <= maxExtraHits(rules); ++e) {
            const int tier = winningTier(rules, h, e);
            if (tier < 0)
                continue;
            const double chance = mainChance * extraChance(pick, range, rules, h, e);
            chances.perTier[tier] += chance;
            chances.anyPrize += chance;
        }
    }
    return chances;
}

double expectedReturnCents(int pick, int range, const GameRules& rules, bool includeJackpot) {
    const TierChances chances = tierChances(pick, range, rules);
    double cents = 0;
    for (int i = 0; i < rules.tiers.size(); ++i) {
        const PrizeTier& tier = rules.tiers[i];
        const double prize = tier.jackpot ? (includeJackpot ? double(rules.jackpotCents) : 0.0)
                                          : double(tier.prizeCents);
        cents += chances.perTier[i] * prize;
    }
    return cents;
}

QString oneInText(double chance) {
    if (!(chance > 0))
        return QStringLiteral("never");
    const double x = 1 / chance;
    if (x < 9.995)
        return QStringLiteral("1 in %1").arg(x, 0, 'f', 2);
    if (x < 99.95)
        return QStringLiteral("1 in %1").arg(x, 0, 'f', 1);
    QString digits = QString::number(qRound64(x));
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u',');
    return QStringLiteral("1 in ") + digits;
}

QString tierLabel(const GameRules& rules, const PrizeTier& tier) {
    const QString main = QString::number(tier.mainHits);
    switch (rules.extra) {
    case ExtraKind::None:
        return main;
    case ExtraKind::SameDrumBonus:
        return tier.extraHits > 0 ? main + QStringLiteral(" + bonus") : main;
    case ExtraKind::SecondDrum:
        return main + QStringLiteral(" + ") + QString::number(tier.extraHits);
    }
    return main;
}
