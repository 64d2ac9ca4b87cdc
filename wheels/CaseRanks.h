#pragma once

#include <QtAlgorithms>
#include <QtGlobal>
#include <array>
#include <vector>

// The search's numbering of sets of positions: the set {p1 < p2 < ... < pM} gets
// C(p1, 1) + C(p2, 2) + ... + C(pM, M) (the combinatorial number system), which numbers the
// M-sets of V positions 0 .. C(V, M) - 1 with no gaps, so per-case counts live in a plain array.
class CaseRanks {
public:
    CaseRanks(int pool, int drawn);

    quint32 rank(quint64 mask) const {
        quint32 value = 0;
        size_t r = 1;
        for (; mask; mask &= mask - 1)
            value += choose_[size_t(qCountTrailingZeroBits(mask))][r++];
        return value;
    }
    quint32 count() const { return count_; }
    // C(n, r), for n <= 64 and r < 8.
    quint32 choose(int n, int r) const { return choose_[size_t(n)][size_t(r)]; }
    // C(n, 0), C(n, 1), ... C(n, 7).
    const quint32* chooseRow(int n) const { return choose_[size_t(n)].data(); }

private:
    std::array<std::array<quint32, 8>, 65> choose_{};
    quint32 count_ = 0;
};

// Bits set in a mask. Without a processor flag the compiler's popcount is a library call,
// the slowest part of a move; this is a few inline instructions.
inline int BitCount(quint64 mask) {
    mask = mask - ((mask >> 1) & 0x5555555555555555ULL);
    mask = (mask & 0x3333333333333333ULL) + ((mask >> 2) & 0x3333333333333333ULL);
    mask = (mask + (mask >> 4)) & 0x0f0f0f0f0f0f0f0fULL;
    return int((mask * 0x0101010101010101ULL) >> 56);
}

// The next larger mask with as many bits set (so walking from the smallest visits each once).
inline quint64 NextSameSize(quint64 mask) {
    const quint64 lowest = mask & (~mask + 1);
    const quint64 ripple = mask + lowest;
    return ripple | (((mask ^ ripple) >> 2) / lowest);
}

// Every way to choose r of n items, as masks over the item indexes 0..n-1.
std::vector<quint64> Choices(int n, int r);

// The set of positions[i] for each bit i of `choice`.
inline quint64 Spread(quint64 choice, const std::array<int, 64>& positions) {
    quint64 mask = 0;
    for (; choice; choice &= choice - 1)
        mask |= quint64(1) << positions[size_t(qCountTrailingZeroBits(choice))];
    return mask;
}

// The positions of a mask's bits, lowest first; returns how many.
inline int Positions(quint64 mask, std::array<int, 64>& positions) {
    int count = 0;
    for (; mask; mask &= mask - 1)
        positions[size_t(count++)] = int(qCountTrailingZeroBits(mask));
    return count;
}
