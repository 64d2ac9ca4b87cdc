#include "wheels/OrbitSeeds.h"

#include "wheels/SymmetricHunt.h"

#include <algorithm>

namespace {

// Attempts at covering a wheel of orbits, each twice as long as the last.
constexpr int CoverAttempts = 4;

} // namespace

OrbitSeeds::OrbitSeeds(const WheelTerms& terms, quint64 seed)
    : terms_(terms), lowerBound_(WheelLowerBound(terms)), turn_(terms.pool, terms.pool, 0),
      seeds_(terms, seed), walk_(terms, ~seed) {}

bool OrbitSeeds::cover(size_t orbits, size_t halfOrbits, const CoverAnnealer::StopTest& stop) {
    if (coveringOrbits_ != orbits || coveringHalfOrbits_ != halfOrbits) {
        coveringOrbits_ = 0;
        if (!seeds_.buildSymmetric(turn_, orbits, 0, stop, halfOrbits))
            return false;
        coveringOrbits_ = orbits;
        coveringHalfOrbits_ = halfOrbits;
        coverAttempts_ = 0;
    }
    AnnealSchedule schedule;
    while (coverAttempts_ < CoverAttempts && !stop()) {
        schedule.levelMoves =
            SymmetricHunt::levelMovesFor(orbits, size_t(turn_.order()), 0, terms_.lineSize)
            << coverAttempts_;
        if (seeds_.anneal(schedule, stop)) {
            coveringOrbits_ = 0; // the next try starts a new wheel
            return true;
        }
        // A stopped attempt is made again, as long; one that ran its course, twice as long.
        if (!stop())
            ++coverAttempts_;
    }
    if (coverAttempts_ >= CoverAttempts) {
        coveringOrbits_ = 0; // given up: the next try starts a new wheel
        ++fruitlessTries_;
    }
    return false;
}

WheelLines OrbitSeeds::descend(int best, double temperature, const CoverAnnealer::StopTest& stop) {
    if (best <= 1)
        return {};
    // The fewest whole orbits at least half an orbit above the best: on 16 numbers, 4 if 4,
    // 11 orbits (176 lines) for a best of 153 to 168.
    const int order = turn_.order();
    const int orbits = (best + order / 2 + order - 1) / order;
    // Every other wheel, where the turn has them, holds half orbits, each half an orbit's lines
    // fewer: the fewest that make fewer lines than the best.
    int halfOrbits = 0;
    if (halvesNext_ && CoverAnnealer::hasHalfOrbits(turn_, terms_)) {
        const int half = order / 2;
        halfOrbits = (orbits * order - best + half) / half;
        // None below the lower bound: such a wheel never covers.
        if (halfOrbits >= orbits || quint64(orbits * order - halfOrbits * half) < lowerBound_)
            halfOrbits = 0;
    }
    const bool covered = cover(size_t(orbits), size_t(halfOrbits), stop);
    // A wheel with half orbits has this one call. On 24 numbers, 3 if 3 (20 s, two threads),
    // going on with one when stopped, as with whole ones, the search ended at 123 or 140 lines
    // in 3 of 16 runs, where the search before half orbits ended at 117 or below in all 16;
    // with one call it ended at 117 in all 12 runs of seeds 11 to 22.
    if (covered || !stop() || halfOrbits > 0)
        halvesNext_ = !halvesNext_; // this wheel is done with: covered, given up or had its call
    if (!covered) {
        // Stopped short in its one call, it came to nothing (cover counts those it gave up).
        if (halfOrbits > 0 && stop())
            ++fruitlessTries_;
        return {};
    }
    // The walk starts from each line once: a half orbit holds each of its lines twice, and the
    // turn can bring any line back to itself in fewer steps.
    WheelLines shortest = seeds_.lines();
    std::sort(shortest.begin(), shortest.end());
    shortest.erase(std::unique(shortest.begin(), shortest.end()), shortest.end());
    if (!walk_.load(shortest, stop))
        return {};
    walk_.setTemperature(temperature);
    const AnnealSchedule schedule;
    while (walk_.lines().size() > 1 && walk_.dropLeastUseful(stop) && walk_.anneal(schedule, stop))
        shortest = walk_.lines();
    if (!stop()) {
        const bool fruitless = (seeds_.lines().size() - shortest.size()) * 2 < size_t(order);
        fruitlessTries_ = fruitless ? fruitlessTries_ + 1 : 0;
    }
    if (shortest.size() >= size_t(best))
        return {};
    return shortest;
}
