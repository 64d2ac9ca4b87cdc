#pragma once

#include "HitCounts.h"

struct ChartedDrum;

#include <QtGlobal>
#include <array>
#include <vector>

// The numbers of the stored draws read once from the table's text cells, so that a window that
// recounts many stretches of an unchanging table does not parse 100,000 rows of text each time.
// Counts agree with CountHits on the same table.
class DrawNumbers {
public:
    // Reads the table's draws; cells CountHits would skip are kept as 0.
    explicit DrawNumbers(const TDrawTable& table);

    HitCountTable count(int n, bool includeBonus) const;
    // A second drum's numbers over the first n draws: the bonus cell and, for a drum that gives
    // two, the cell after it.
    HitCountTable countExtra(int n, int extraCount) const;
    // Whatever the chart counts.
    HitCountTable count(int n, const ChartedDrum& drum) const;
    // How many draws were read.
    int size() const { return int(rows_.size()); }

private:
    static constexpr int Cells = 9;     // columns 1..7, the bonus and a second extra number
    static constexpr int BonusCell = 7; // index of the bonus column
    HitCountTable countCells(int n, size_t first, size_t end) const;
    std::vector<std::array<quint8, Cells>> rows_;
};
