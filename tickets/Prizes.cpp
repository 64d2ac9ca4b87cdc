#include "tickets/Prizes.h"

#include "games/Money.h"
#include "games/TierOdds.h"

#include <cmath>

int prizeTier(const TicketGame& game, LineHits hits) {
    if (!game.hasPrizes())
        return -1;
    return winningTier(game.rules, hits.main, hits.extra);
}

qint64 tierPrizeCents(const TicketGame& game, int tier) {
    if (tier < 0 || tier >= game.rules.tiers.size())
        return 0;
    const PrizeTier& t = game.rules.tiers[tier];
    return t.jackpot ? game.rules.jackpotCents : t.prizeCents;
}

QString tierLabel(const TicketGame& game, int tier) {
    if (tier < 0 || tier >= game.rules.tiers.size())
        return {};
    const PrizeTier& t = game.rules.tiers[tier];
    // "3 hits" as the player counts a tier of main numbers alone; "5 + bonus", "4 + 1" else.
    if (t.extraHits == 0)
        return QStringLiteral("%1 hits").arg(t.mainHits);
    return tierLabel(game.rules, t);
}

QVector<double> tierChanceList(const TicketGame& game) {
    if (!game.hasPrizes())
        return {};
    return tierChances(game.pick, game.range, game.rules).perTier;
}

double randomLineReturnCents(const TicketGame& game) {
    if (!game.hasPrizes())
        return 0;
    return expectedReturnCents(game.pick, game.range, game.rules, false);
}

QString moneyShown(qint64 cents) {
    return moneyText(cents);
}

QString moneyShown(double cents) {
    return moneyText(qint64(std::llround(cents)));
}
