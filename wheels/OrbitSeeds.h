#pragma once

#include "wheels/CoverAnnealer.h"
#include "wheels/LineSymmetry.h"

// Wheels made only of orbits of the turn that moves every number one step round a single cycle,
// a little above the best wheel, each taken down a line at a time by a plain walk. Some of the
// shortest known wheels lie inside such a wheel, its other lines a little repair away, where
// neither a walk from the best wheel nor a hunt among symmetric wheels of the size wanted comes.
// The walk down ends at its first attempt that falls short: a wheel either holds a shorter one a
// little repair away or is left at once.
//
// Where the turn has half orbits (see CoverAnnealer::buildSymmetric), every other wheel has as
// many of them as bring it below the best, but not below the lower bound. On 16 numbers, 4 if 4,
// the shortest known wheel (152 lines) is 8 orbits and 3 half orbits of the cycle of 16: whole
// orbits alone came to it only when 3 of 11 orbits (176 lines) happened to repeat their lines (3
// of 20 tries), and 10 orbits (160 lines) never covered in 10 tries of 3 s. The other wheels stay
// whole: on 10 numbers, 4 a line, 3 if 3, 8 tries of wheels with half orbits found nothing below
// 36 lines, and whole ones did.
class OrbitSeeds {
public:
    OrbitSeeds(const WheelTerms& terms, quint64 seed);

    // One try: a new wheel of orbits just above `best` lines (with half orbits, below it),
    // walked down at `temperature` (the walk's learnt one). The shortest covering the walk down
    // reached, if shorter than `best`; else (or when stopped first) empty. A try stopped while
    // its wheel of whole orbits is still short of covering goes on from that wheel next time,
    // if it has as many orbits.
    WheelLines descend(int best, double temperature, const CoverAnnealer::StopTest& stop);
    // False once several tries in a row have come to nothing: their wheels did not cover, or
    // the walk down took off less than half an orbit. Their time is better spent elsewhere
    // then: on 18 numbers, 4 if 4, none covered in the time the search gave them in one traced
    // run. A walk down that takes off more but ends above the best still counts as something:
    // on 20 numbers, 3 if 3, wheels of 5 orbits (100 lines) came down to about 80 where the
    // best was 76, nothing shorter in 24 traced runs, and the tries went on to the end.
    bool promising() const { return fruitlessTries_ < FruitlessTriesAllowed; }
    quint64 moves() const { return seeds_.moves() + walk_.moves(); }

private:
    // Covers a wheel of `orbits` orbits, the first `halfOrbits` of them half ones, going on
    // from the one a stop left short; false when stopped first or still short after its last
    // attempt.
    bool cover(size_t orbits, size_t halfOrbits, const CoverAnnealer::StopTest& stop);

    WheelTerms terms_;
    quint64 lowerBound_; // no wheel is shorter
    LineSymmetry turn_;
    size_t coveringOrbits_ = 0;     // the wheel being covered, if a stop left one short
    size_t coveringHalfOrbits_ = 0; // of its orbits
    int coverAttempts_ = 0;         // attempts made at it
    bool halvesNext_ = true;        // whether the next new wheel holds half orbits
    // On 16 numbers, 4 if 4, up to 5 tries in a row came to nothing between two that took
    // off half an orbit or more.
    static constexpr int FruitlessTriesAllowed = 8;
    int fruitlessTries_ = 0; // tries in a row that came to nothing
    CoverAnnealer seeds_; // symmetric: the wheels of orbits
    CoverAnnealer walk_;  // plain: the walk down from one
};
