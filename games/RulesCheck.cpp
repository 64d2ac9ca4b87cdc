#include "RulesCheck.h"

#include "games/Money.h"

namespace {

QString tierName(const PrizeTier& tier, ExtraKind extra) {
    if (extra == ExtraKind::SameDrumBonus)
        return QString::number(tier.mainHits) + (tier.extraHits ? QStringLiteral(" + bonus") : "");
    return QStringLiteral("%1 + %2").arg(tier.mainHits).arg(tier.extraHits);
}

int extraHitsLimit(const GameRules& rules) {
    switch (rules.extra) {
    case ExtraKind::None:
        return 0;
    case ExtraKind::SameDrumBonus:
        return 1;
    case ExtraKind::SecondDrum:
        return rules.extraCount;
    }
    return 0;
}

} // namespace

QString rulesError(const GameRules& rules, int pick, bool headerBonus) {
    if (headerBonus && rules.extra != ExtraKind::SameDrumBonus)
        return QStringLiteral("the game draws a bonus number from the same drum");
    if (!headerBonus && rules.extra == ExtraKind::SameDrumBonus)
        return QStringLiteral("the game draws no bonus number");
    if (rules.extra == ExtraKind::SecondDrum) {
        if (rules.extraCount < 1 || rules.extraCount > 2)
            return QStringLiteral("a second drum gives 1 or 2 numbers");
        if (rules.extraRange < 1 || rules.extraRange > MaxExtraRange)
            return QStringLiteral("the second drum's highest number must be 1..%1")
                .arg(MaxExtraRange);
        if (rules.extraRange < rules.extraCount)
            return QStringLiteral("the second drum holds fewer numbers than it gives");
    }
    if (rules.priceCents < 0 || rules.priceCents > MaxMoneyCents)
        return QStringLiteral("the price is out of bounds");
    if (rules.jackpotCents < 0 || rules.jackpotCents > MaxMoneyCents)
        return QStringLiteral("the jackpot is out of bounds");
    if (rules.tiers.size() > MaxTiers)
        return QStringLiteral("more than %1 prize tiers").arg(MaxTiers);
    for (int i = 0; i < rules.tiers.size(); ++i) {
        const PrizeTier& tier = rules.tiers[i];
        const QString name = tierName(tier, rules.extra);
        if (tier.mainHits < 0 || tier.mainHits > pick)
            return QStringLiteral("tier %1 asks for %2 main numbers of %3")
                .arg(name)
                .arg(tier.mainHits)
                .arg(pick);
        if (tier.extraHits < 0 || tier.extraHits > extraHitsLimit(rules))
            return rules.extra == ExtraKind::None
                       ? QStringLiteral("tier %1 asks for extra numbers the game does not draw")
                             .arg(name)
                       : QStringLiteral("tier %1 asks for more extra numbers than are drawn")
                             .arg(name);
        if (rules.extra == ExtraKind::SameDrumBonus && tier.extraHits > 0 && tier.mainHits >= pick)
            return QStringLiteral("tier %1 leaves no number of the line for the bonus").arg(name);
        if (!tier.jackpot && (tier.prizeCents < 0 || tier.prizeCents > MaxMoneyCents))
            return QStringLiteral("the prize of tier %1 is out of bounds").arg(name);
        for (int j = 0; j < i; ++j) {
            if (rules.tiers[j].mainHits == tier.mainHits &&
                rules.tiers[j].extraHits == tier.extraHits)
                return QStringLiteral("tier %1 is listed twice").arg(name);
        }
    }
    return {};
}
