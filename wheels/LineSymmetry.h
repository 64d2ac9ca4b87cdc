#pragma once

#include <QtAlgorithms>
#include <QtGlobal>
#include <array>
#include <vector>

// A permutation of the positions that the symmetric search keeps its wheels closed under: the
// first pool - fixedPoints positions in cycles of cycleLength (0..L-1, L..2L-1, ...), each
// turned one step, and the last fixedPoints positions left where they are. A line and its L
// turns form an orbit, so the search chooses one line for L of them: many good coverings are
// made of such orbits, and the space searched is L times smaller.
class LineSymmetry {
public:
    LineSymmetry() : LineSymmetry(64, 1, 0) {} // the identity: orbits of one line
    LineSymmetry(int pool, int cycleLength, int fixedPoints);

    int order() const { return cycleLength_; }
    int fixedPoints() const { return fixedPoints_; }
    // The mask turned `power` steps (0 <= power < order()).
    quint64 image(quint64 mask, int power) const {
        const std::array<quint8, 64>& to = turned_[size_t(power)];
        quint64 result = 0;
        for (; mask; mask &= mask - 1)
            result |= quint64(1) << to[size_t(qCountTrailingZeroBits(mask))];
        return result;
    }

private:
    int cycleLength_ = 1;
    int fixedPoints_ = 0;
    std::vector<std::array<quint8, 64>> turned_; // by power: where each position goes
};

// The permutations worth trying on `pool` positions: equal cycles of 3 or more positions and
// at most three fixed ones, the longest cycles first. Three, for turns such as multiplying the
// 16 elements of a finite field by a generator, which keeps 0 and two numbers outside the field
// where they are: on 18 numbers, 4 if 4, wheels of 236 lines (the shortest known) closed under
// such a turn come within seconds.
std::vector<LineSymmetry> SymmetriesOf(int pool);
