#pragma once

#include <QString>

// Amounts of money as the rules window and the tickets show them: cents held exactly in
// 64 bits, written with "," grouping thousands and "." before the cents, with no currency
// sign (a game's currency is the player's own business).

// Largest amount a field takes: far beyond any jackpot, far below the 64-bit limit.
constexpr qint64 MaxMoneyCents = 999'999'999'999'99LL;

// "1,000,000.00", "107.00", "-3.50".
QString moneyText(qint64 cents);
// Whole amounts without the cents ("50,000"), others with them ("2.50").
QString prizeText(qint64 cents);
// Reads "2", "2.5", "1,000,000", "  3.20 ", ".5"; refuses anything else: empty text, junk,
// signs, misplaced commas, more than two decimals, amounts above MaxMoneyCents.
bool parseMoney(const QString& text, qint64* cents);
// The plain form kept in files: no grouping, always the cents ("1000000.00").
QString storedMoneyText(qint64 cents);
