#pragma once

#include "wheels/CoverAnnealer.h"
#include "wheels/LineSymmetry.h"

#include <QString>
#include <vector>

// A hunt among wheels closed under a turn of the numbers (LineSymmetry): orbits of a few lines
// under its turns, plus a few lines of their own. Many of the best known coverings are made so,
// and a walk line by line rarely arrives there. Each attempt aims at one size with one turn: a
// turn that gets there is kept for the next size; one that fails (or is abandoned) gives the
// next its chance, and after each round of the turns the attempts grow twice as long, up to 64
// times the first.
class SymmetricHunt {
public:
    // Walks on `annealer`, trying the turns of SymmetriesOf(pool) from the first, or (for a
    // second hunt, so the two start apart) from halfway down the list.
    SymmetricHunt(const WheelTerms& terms, CoverAnnealer& annealer, bool startHalfway = false);

    bool hasTurns() const { return !symmetries_.empty(); }
    // One attempt at a wheel of `target` lines; true when it got there (the annealer's lines).
    bool attempt(int target, const CoverAnnealer::StopTest& abandoned);
    const WheelLines& lines() const { return annealer_.lines(); }
    // The turn the last wheel found is closed under, as "cycles x length + fixed, orbits".
    QString turnFound() const;

private:
    WheelTerms terms_;
    CoverAnnealer& annealer_;
    std::vector<LineSymmetry> symmetries_;
    size_t firstTurn_ = 0;
    size_t turn_ = 0;
    int rounds_ = 0;
};
