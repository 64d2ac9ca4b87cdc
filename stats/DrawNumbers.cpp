#include "DrawNumbers.h"

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
    HitCountTable counts{};
    const size_t last = size_t(qBound(0, n, int(rows_.size())));
    const size_t cells = includeBonus ? Cells : Cells - 1;
    for (size_t r = 0; r < last; ++r) {
        const auto& row = rows_[r];
        for (size_t c = 0; c < cells; ++c)
            ++counts[row[c]]; // uncountable cells land in the unused slot 0
    }
    counts[0] = 0;
    return counts;
}
