#pragma once

#include "lines/TextLines.h"
#include "wheels/WheelTerms.h"

#include <QString>
#include <QVector>

// A check file read back as a wheel: its lines of k numbers, and the numbers they use taken as
// the player's, so the guarantee can be checked over every case of those numbers.
struct LoadedWheel {
    QVector<int> playerNumbers; // every number the lines use, ascending
    WheelLines lines;           // over the positions of playerNumbers
    QString problem;            // why the file is no wheel; empty when read
};

// Lines without a '>' (the header) are passed over; every other line must hold k different
// numbers of the game 1..highest where the check file keeps them.
LoadedWheel ReadWheel(const TextLines& fileLines, int lineSize, int highest);
