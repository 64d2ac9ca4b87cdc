#include "TierResult.h"

#include "games/Money.h"
#include "games/TierOdds.h"

QString tierResultText(const GameRules& rules, int mainHits, int extraHits) {
    const int tier = winningTier(rules, mainHits, extraHits);
    if (tier < 0)
        return {};
    const PrizeTier& won = rules.tiers[tier];
    QString matched;
    if (rules.extra == ExtraKind::SameDrumBonus && won.extraHits > 0)
        matched = QStringLiteral(" + bonus");
    else if (rules.extra == ExtraKind::SecondDrum && extraHits > 0)
        matched = QStringLiteral(" + %1 %2")
                      .arg(extraHits)
                      .arg(extraHits == 1 ? QStringLiteral("extra") : QStringLiteral("extras"));
    const QString prize = won.jackpot ? QStringLiteral("Jackpot") : prizeText(won.prizeCents);
    return matched + QStringLiteral(": ") + tierLabel(rules, won) + QStringLiteral(", ") + prize;
}
