#pragma once

#include "state/GameRules.h"

#include <QString>
#include <QVector>

// What the rules window shows and reads back, as plain text: the prize table's cells and the
// odds report beneath it.

// One row of the prize table: main hits, extra hits ("bonus" for a same-drum bonus tier) and
// the prize (an amount or "Jackpot").
struct TierCells {
    QString main;
    QString extra;
    QString prize;
};

TierCells tierCells(const PrizeTier& tier, ExtraKind extra);
// The tier a row describes; false with `error` saying what is wrong with it.
bool parseTierCells(const TierCells& cells, ExtraKind extra, PrizeTier* tier, QString* error);

// The odds of each tier for one line, one row a tier in the table's order ("4 + 1: 1 in
// 913,129"), then the chance of any prize and the expected return. Rows that could not be
// read (`rowErrors`, one per tier row, "" when read) name their problem in their place.
QString tierOddsReport(int pick, int range, const GameRules& rules,
                       const QVector<QString>& rowErrors = {});
