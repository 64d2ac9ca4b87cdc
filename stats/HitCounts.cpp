#include "HitCounts.h"

#include "database/DatabaseOps.h"
#include "database/DrawTable.h"

#include <cmath>

namespace {

constexpr int LastNumberColumn = 7;
constexpr int BonusColumn = 8;

} // namespace

HitCountTable CountHits(const TDrawTable& table, int n, bool includeBonus) {
    HitCountTable counts{};
    const int lastColumn = includeBonus ? BonusColumn : LastNumberColumn;
    int draws = 0;
    for (int row = 1; row < table.RowCount() && draws < n; ++row) {
        if (!table.IsDraw(row))
            continue;
        ++draws;
        for (int column = 1; column <= lastColumn; ++column) {
            int value = 0;
            if (drawCellNumber(table.CellText(column, row), &value) && value >= 1 && value <= 99)
                ++counts[size_t(value)];
        }
    }
    return counts;
}

HitLimits ClassifyHits(int highest, const HitCountTable& counts, HitClassTable* classes) {
    HitLimits limits;
    const int r = qBound(0, highest, 99);
    if (classes)
        classes->fill(HitClass::Cold);
    if (r == 0)
        return limits;
    double sum = 0;
    for (int k = 1; k <= r; ++k)
        sum += counts[size_t(k)];
    limits.mean = sum / r;
    double squares = 0;
    for (int k = 1; k <= r; ++k) {
        const double d = counts[size_t(k)] - limits.mean;
        squares += d * d;
    }
    limits.deviation = std::sqrt(squares / r);
    limits.lower = limits.mean - limits.deviation;
    limits.upper = limits.mean + limits.deviation;
    if (classes) {
        for (int k = 1; k <= r; ++k) {
            const double h = counts[size_t(k)];
            (*classes)[size_t(k)] = h <= limits.lower  ? HitClass::Cold
                                    : h < limits.upper ? HitClass::Average
                                                       : HitClass::Hot;
        }
    }
    return limits;
}
