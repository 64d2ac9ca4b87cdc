#include "tickets/Prizes.h"

#include <cmath>

int prizeTier(const TicketGame& game, LineHits hits) {
    Q_UNUSED(game);
    Q_UNUSED(hits);
    return -1;
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
    const QString main = QStringLiteral("%1 hits").arg(t.mainHits);
    if (t.extraHits == 0)
        return main;
    if (game.rules.extra == ExtraKind::SameDrumBonus)
        return main + QStringLiteral(" + bonus");
    return QStringLiteral("%1 + %2").arg(t.mainHits).arg(t.extraHits);
}

QVector<double> tierChanceList(const TicketGame& game) {
    Q_UNUSED(game);
    return {};
}

double randomLineReturnCents(const TicketGame& game) {
    Q_UNUSED(game);
    return 0;
}

QString moneyShown(qint64 cents) {
    return QString::number(double(cents) / 100.0, 'f', 2);
}

QString moneyShown(double cents) {
    return moneyShown(qint64(std::llround(cents)));
}
