#pragma once

#include <QVector>
#include <array>
#include <vector>

// The lines of a set turned around: for every number of their union, which lines hold it. Both
// ways of computing a set's odds walk the drawn numbers and bump the hit count of the lines
// holding each one. Internal to the odds.
struct LineSetIndex {
    // The union's numbers, ascending; position i in the union stands for unionNumbers[i].
    std::vector<int> unionNumbers;
    // Lines holding the union's i-th number: linesOf[firstLine[i] .. firstLine[i + 1]).
    std::vector<int> firstLine;
    std::vector<int> linesOf;
    int lineCount = 0;
    // Position in the union of each number 1..99, or -1 when no line holds it.
    std::array<int, 100> positionOf{};

    // Numbers must already be checked to lie in 1..99; repeats within a line count once.
    static LineSetIndex build(const QVector<QVector<int>>& lines);
    int unionSize() const { return int(unionNumbers.size()); }
};
