#pragma once

#include "wheels/WheelTerms.h"

#include <QString>
#include <QVector>

// The numbers a player wheels, as typed: numbers apart by blanks or commas, "a-b" for every
// number from a to b ("1-12"). Each must lie in the game's numbers low..high; a number given
// twice counts once; lines of k numbers need k + 1 to 49 of them.

struct PlayerNumbers {
    QVector<int> numbers; // ascending, no repeats; empty when refused
    QString problem;      // why the text was refused, naming the part at fault; empty if read
    bool ok() const { return problem.isEmpty(); }
};

constexpr int MaxPlayerNumbers = 49;

PlayerNumbers ReadPlayerNumbers(const QString& text, int low, int high, int lineSize);

// Key numbers: some of the player's numbers that every line holds, fewer than a line's k.
// For a guarantee, also refused when the room left on a line cannot hold it: a case with as
// few key numbers as it can have must still meet some line in T numbers.
struct KeyNumbers {
    WheelLine positions = 0; // bits of the player's sorted numbers
    QString problem;
    bool ok() const { return problem.isEmpty(); }
};

KeyNumbers ReadKeyNumbers(const QString& text, const QVector<int>& playerNumbers,
                          const WheelTerms& terms, bool guarantee);
