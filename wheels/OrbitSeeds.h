#pragma once

#include "wheels/CoverAnnealer.h"
#include "wheels/LineSymmetry.h"

// Wheels made only of whole orbits of the turn that moves every number one step round a single
// cycle, a little above the best wheel, each taken down a line at a time by a plain walk. Some
// of the shortest known wheels lie inside such a wheel, its other lines a little repair away,
// where neither a walk from the best wheel nor a hunt among symmetric wheels of the size wanted
// comes: on 16 numbers, 4 if 4, 3 of 20 wheels of 11 orbits (176 lines) walked down to 152
// lines (the shortest known) within a few milliseconds, while wheels of 12 orbits of the turn
// of 15 with one number fixed came no lower than 165 in 16 tries, and 10 orbits (160 lines)
// never covered in 10 tries of 3 s. A try that does not get there costs little: the walk down
// ends at its first attempt that falls short.
class OrbitSeeds {
public:
    OrbitSeeds(const WheelTerms& terms, quint64 seed);

    // One try: a new wheel of whole orbits just above `best` lines, walked down at
    // `temperature` (the walk's learnt one). The shortest covering the walk down reached, if
    // shorter than `best`; else (or when stopped first) empty.
    WheelLines descend(int best, double temperature, const CoverAnnealer::StopTest& stop);
    quint64 moves() const { return seeds_.moves() + walk_.moves(); }

private:
    // Covers a new wheel of `orbits` orbits; false when stopped first or still short.
    bool cover(size_t orbits, const CoverAnnealer::StopTest& stop);

    WheelTerms terms_;
    LineSymmetry turn_;
    CoverAnnealer seeds_; // symmetric: the wheels of whole orbits
    CoverAnnealer walk_;  // plain: the walk down from one
};
