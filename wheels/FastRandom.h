#pragma once

#include "wheels/CaseRanks.h"

#include <QtGlobal>

// A small, fast generator for the search's millions of moves (splitmix64): statistical quality
// is ample for picking moves, and each worker seeds its own.
class FastRandom {
public:
    explicit FastRandom(quint64 seed) : state_(seed) {}

    quint64 next() {
        quint64 z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    // 0 .. n-1, for n >= 1.
    quint32 below(quint32 n) { return quint32(((next() >> 32) * quint64(n)) >> 32); }
    // [0, 1).
    double unit() { return double(next() >> 11) * 0x1.0p-53; }
    // One set bit of a non-empty mask, chosen evenly.
    quint64 bitOf(quint64 mask) {
        for (quint32 skip = below(quint32(BitCount(mask))); skip > 0; --skip)
            mask &= mask - 1;
        return mask & (~mask + 1);
    }

private:
    quint64 state_;
};
