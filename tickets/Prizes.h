#pragma once

#include "tickets/TicketData.h"

#include <QString>
#include <QVector>

// What a game's rules say about the lines of tickets: the tier a line's hits win, what it pays,
// and what a random line is worth. A game without rules has no tiers, so everything here then
// says "no prize" and the tickets show hits only.

// The tier (index into rules.tiers) won by `hits`; -1 for none.
int prizeTier(const TicketGame& game, LineHits hits);
// What the tier pays: the jackpot the player expects for a jackpot tier.
qint64 tierPrizeCents(const TicketGame& game, int tier);
// "3 hits", "5 hits + bonus", "4 + 1".
QString tierLabel(const TicketGame& game, int tier);
// The chance of each tier for one line in one draw; empty for a game without tiers.
QVector<double> tierChanceList(const TicketGame& game);
// What one random line wins on average in one draw, in cents, the jackpot left out.
double randomLineReturnCents(const TicketGame& game);
// "107.00"
QString moneyShown(qint64 cents);
QString moneyShown(double cents);
