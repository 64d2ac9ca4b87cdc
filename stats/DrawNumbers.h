#pragma once

#include "HitCounts.h"

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
    // How many draws were read.
    int size() const { return int(rows_.size()); }

private:
    static constexpr int Cells = 8; // columns 1..7 and the bonus
    std::vector<std::array<quint8, Cells>> rows_;
};
