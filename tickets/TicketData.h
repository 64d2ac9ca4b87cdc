#pragma once

#include "state/GameRules.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>

struct TLotteryState;
class TDrawTable;

// What tickets and the whole-history check work on, as plain values: numbers as bit sets, so
// that the hits of a line in a draw are one AND and a population count.
struct NumberSet {
    quint64 low = 0;  // numbers 0..63
    quint64 high = 0; // numbers 64..99

    // `n` must lie in 0..99.
    void add(int n) { (n < 64 ? low : high) |= quint64(1) << (n < 64 ? n : n - 64); }
    bool has(int n) const {
        return n >= 0 && n < 100 && ((n < 64 ? low : high) >> (n < 64 ? n : n - 64) & 1);
    }
    int common(const NumberSet& other) const {
        return qPopulationCount(low & other.low) + qPopulationCount(high & other.high);
    }
};

// A line as the player played it: its main numbers and, for a game with a second drum, its
// extra numbers (the part after '+' in the check-file form).
struct TicketLine {
    NumberSet numbers;
    int count = 0;
    NumberSet extras;
    int extraCount = 0;
};

// A stored draw: its date (invalid when the cell holds none), the date as stored, its main
// numbers and its bonus or extra number (0 when none), and a second drum's second number.
struct TicketDraw {
    QDate date;
    QString dateText;
    NumberSet numbers;
    int bonus = 0;
    int secondExtra = 0;
};

// The loaded game as tickets need it.
struct TicketGame {
    int pick = 0;
    int range = 0;
    bool bonus = false;
    GameRules rules;

    bool hasPrizes() const { return rules.present && !rules.tiers.isEmpty(); }
    bool hasPrice() const { return rules.present && rules.priceCents > 0; }
};

TicketGame ticketGameOf(const TLotteryState& state);

// The dated rows of the table, in order; dates read in `shortDateFormat`.
QVector<TicketDraw> ticketDrawsOf(const TDrawTable& table, const QString& shortDateFormat);
// Their dates alone.
QVector<QDate> drawDatesOf(const TDrawTable& table, const QString& shortDateFormat);

// Reads a line in the check-file form ("6/49  >  03 - 11 - 17 - 24 - 38 - 45", extras after a
// '+'). False when it has no '>', no number, a number outside 1..99 or one given twice.
bool parsePlayedLine(QStringView text, TicketLine* line);

// "" when the line can be played in `game`, else why not.
QString lineFitError(const TicketLine& line, const TicketGame& game);

// Main hits and extra hits of a line in a draw: the bonus among the line's own numbers for a
// same-drum bonus, among its extras for a second drum.
struct LineHits {
    int main = 0;
    int extra = 0;
};
LineHits lineHits(const TicketLine& line, const TicketDraw& draw, const TicketGame& game);

// The lines of a check file or of the main window's list, checked against the game: the lines
// holding a '>' after `skipLines` banner lines. `error` names the first line (counted from 1)
// that cannot be played; then `lines` is empty.
struct PlayedLines {
    QStringList texts;
    QVector<TicketLine> lines;
    QString error;
};
PlayedLines playedLinesOf(const QStringList& texts, int skipLines, const TicketGame& game);
