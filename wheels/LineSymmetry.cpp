#include "wheels/LineSymmetry.h"

#include <algorithm>

LineSymmetry::LineSymmetry(int pool, int cycleLength, int fixedPoints)
    : cycleLength_(cycleLength), fixedPoints_(fixedPoints), turned_(size_t(cycleLength)) {
    const int cycled = pool - fixedPoints;
    for (int power = 0; power < cycleLength; ++power)
        for (int p = 0; p < pool; ++p)
            turned_[size_t(power)][size_t(p)] =
                quint8(p >= cycled ? p : p - p % cycleLength + (p % cycleLength + power) % cycleLength);
}

std::vector<LineSymmetry> SymmetriesOf(int pool) {
    std::vector<LineSymmetry> found;
    for (int fixed = 0; fixed <= 3; ++fixed)
        for (int length = 3; length <= pool - fixed; ++length)
            if ((pool - fixed) % length == 0)
                found.emplace_back(pool, length, fixed);
    std::stable_sort(found.begin(), found.end(), [](const LineSymmetry& a, const LineSymmetry& b) {
        return a.order() > b.order();
    });
    return found;
}
