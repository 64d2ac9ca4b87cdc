#include "DrawNumbers.h"

#include "ChartedDrum.h"

#include "database/DatabaseOps.h"
#include "database/DrawTable.h"

DrawNumbers::DrawNumbers(const TDrawTable& table) {
    rows_.reserve(size_t(table.CountDraws()));
    for (int row = 1; row < table.RowCount(); ++row) {
        if (!table.IsDraw(row))
            continue;
        auto& numbers = rows_.emplace_back();
        for (int c = 0; c < Cells; ++c) {
            int value = 0;
            const bool countable =
                drawCellNumber(table.CellText(c + 1, row), &value) && value >= 1 && value <= 99;
            numbers[size_t(c)] = countable ? quint8(value) : 0;
        }
    }
}

HitCountTable DrawNumbers::count(int n, bool includeBonus) const {
    return countCells(n, 0, includeBonus ? BonusCell + 1 : BonusCell);
}

HitCountTable DrawNumbers::countExtra(int n, int extraCount) const {
    return countCells(n, BonusCell, BonusCell + size_t(qBound(0, extraCount, Cells - BonusCell)));
}

HitCountTable DrawNumbers::count(int n, const ChartedDrum& drum) const {
    return drum.secondDrum ? countExtra(n, drum.extraCount) : count(n, drum.includeBonus);
}

HitCountTable DrawNumbers::countCells(int n, size_t first, size_t end) const {
    HitCountTable counts{};
    const size_t last = size_t(qBound(0, n, int(rows_.size())));
    for (size_t r = 0; r < last; ++r) {
        const auto& row = rows_[r];
        for (size_t c = first; c < end; ++c)
            ++counts[row[c]]; // uncountable cells land in the unused slot 0
    }
    counts[0] = 0;
    return counts;
}
