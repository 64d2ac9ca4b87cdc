#pragma once

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
