#pragma once

#include "wheels/CoverAnnealer.h"
#include "wheels/LineSymmetry.h"

#include <QString>
#include <vector>

// A hunt among wheels closed under a turn of the numbers (LineSymmetry): orbits of a few lines
// under its turns, plus a few lines of their own. Many of the best known coverings are made so, and
// a walk line by line rarely arrives there. Each attempt aims at one size with one turn: a turn
// that gets there is kept for the next size, as is one overtaken by another walk; one that fails
// (or is abandoned) gives the next its chance. The turns take rounds: each tries once, then the
// half that came closest (the fewest cases left uncovered) try again, then the closer half of
// those, down to one; then all again. A turn that fits the numbers often stands out: on 18 numbers,
// 4 if 4, at 277 lines the turn of 15 and 3 fixed left 5 cases and the others 53 to 79. Not always:
// aiming at 251 lines from 298, that turn's first attempt either got there or, in 8 of 10 lone
// hunts where it fell short, left 176 to 262 cases, often more than turns that never got there, and
// the rounds then put it out. In the search (20 s, two threads, 35 seeds) that cell reached 236
// lines in 15 runs so, against 10 when each turn had one attempt a round (p = 0.32, not a
// difference shown). Each turn keeps the wheel its last attempt ended with and the temperature it
// learnt: its next attempt at the same size (or a few lines fewer) goes on from there, twice as
// long if it came closer than any before since the turn last got there, up to 64 times the
// first. A turn whose walk stays in a hollow stops lengthening: on 20 numbers, 3 if 3, at 75
// lines, the turn of 17 and 3 fixed left 13 to 17 cases in each of 4 attempts that took 8 of
// the search's 20 s, and close enough to stay in the rounds. In the search (20 s, two threads,
// each seed run both ways one after the other) that cell ended at 75 lines or more in 5 of 30
// runs so, against 11 of 30 before. On 16 numbers, 4 if 4 it ended at 160 or more in 4 of 20
// against 6, but at 152 in 4 against 10: those come from OrbitSeeds, a few lucky tries.
//
// Two hunts beside each other aim differently, so that between them they cover more:
//   - NextSize: one line below the best wheel, trying the turns from the first. A turn that
//     gets there is ridden down a line at a time, each size going on from the last.
//   - FarBelow: the turns from halfway down the list, aiming far below the best wheel: halfway
//     to the lower bound, and each time the rounds down to one turn fall short a half nearer
//     (a quarter of the way, an eighth..., at least a line below). A turn that fits the
//     numbers can get far below the best wheel sooner than to the sizes between: on 18
//     numbers, 4 if 4, a lone hunt aimed at 250 lines got there within 6 s in each of 4 runs,
//     and at 280 lines took 6 to 18 s (once more than 20 s). The walk goes on from such a
//     wheel: in one traced run, from 270 lines to 238 within a second.
class SymmetricHunt {
public:
    enum class Aim { NextSize, FarBelow };

    // Walks on `annealer`, trying the turns of SymmetriesOf(pool).
    SymmetricHunt(const WheelTerms& terms, CoverAnnealer& annealer, Aim aim = Aim::NextSize);

    bool hasTurns() const { return !symmetries_.empty(); }
    // The size to aim at next, below the best wheel's `best` lines and no lower than `lowest`.
    int target(int best, int lowest) const;
    // One attempt at a wheel of `target` lines; true when it got there (the annealer's lines).
    // Stopped when `abandoned` says so, or `overtaken` (another walk got there first): an
    // overtaken attempt is not counted, and the same turn makes the next. Counted, the turn's
    // place went to the next one, its next attempt was longer (see above), and the cases left
    // uncovered when stopped ranked it in the rounds. On 20 numbers, 3 if 3 (20 s, two threads,
    // seeds 1 to 32) the search ended at 75 lines or more in 5 runs so, against 9 before, and
    // at 72 or fewer in 22 against 15.
    bool attempt(int target, const CoverAnnealer::StopTest& abandoned,
                 const CoverAnnealer::StopTest& overtaken = {});
    const WheelLines& lines() const { return annealer_.lines(); }
    // The turn the last wheel found is closed under, as "cycles x length + fixed, orbits".
    QString turnFound() const;

    // Orbits of `order` lines in a new wheel of `target`: as many as fit, but one fewer when
    // that leaves less than half an orbit's lines free (and an orbit stays). A wheel whose
    // orbits must cover nearly alone rarely gets there: on 18 numbers, 4 if 4, with a cycle of
    // 15 and 3 fixed, 242 lines as 16 orbits and 2 free lines stayed 42 to 45 cases short in 6
    // attempts (two runs), while 15 orbits and 17 free lines got there within 0.8 s; 250 lines
    // as 16 orbits and 10 free took 0.2 to 0.5 s. With `wholeFits`, a size the orbits fill
    // exactly is made of them alone: see oneCycle.
    static size_t orbitsFor(size_t target, size_t order, bool wholeFits = false);
    // Moves at each temperature of a first attempt on `orbits` orbits of `order` lines and
    // `freeLines` lines of their own: 4 k per orbit and free line, weighed by the work of a
    // move (a move on an orbit moves each of its lines) against a turn of orbits of 4 lines,
    // and never fewer than 500. Turns of short orbits get more moves, long ones fewer. On 20
    // numbers, 3 if 3, the search (20 s, two threads) reached 74 lines or fewer in 19 of 26
    // runs so, and in 9 runs of the same 26 seeds with 4 k moves per orbit and free line for
    // every turn; later runs of the same code, though, reached it in 1 of 10 and 3 of 6, so
    // the gain is smaller than that comparison showed.
    static quint64 levelMovesFor(size_t orbits, size_t order, size_t freeLines, int lineSize);
    // The turns of the round after one of `contenders`, each of which fell short leaving
    // closest[turn] cases uncovered: the closer half, closest first; after a lone turn's
    // round, all `turns` from `first` again.
    static std::vector<size_t> nextRound(const std::vector<size_t>& contenders,
                                         const std::vector<quint32>& closest, size_t turns,
                                         size_t first);

private:
    WheelTerms terms_;
    CoverAnnealer& annealer_;
    std::vector<LineSymmetry> symmetries_;
    // What a turn's attempts left: its wheel (the first orbitLines in orbits), the temperature
    // learnt (0: none yet) and how often its attempt has been made twice as long since it last
    // got there.
    struct TurnWalk {
        WheelLines lines;
        size_t orbitLines = 0;
        double temperature = 0;
        int doublings = 0;
        quint32 closest = 0;    // the fewest cases its last attempt left uncovered
        quint32 fewestLeft = 0; // the fewest any attempt left since it last got there (0: none)
    };
    std::vector<TurnWalk> walks_; // by turn
    size_t firstTurn_ = 0;
    std::vector<size_t> contenders_; // this round's turns, in the order they are tried
    size_t contender_ = 0;           // the one trying now
    size_t turn() const { return contenders_[contender_]; }
    // Whether the turn moves all its numbers but the fixed ones in one cycle. Such a turn's
    // wheels are tried whole: a size its orbits fill is made of them alone, a wheel with fewer
    // orbits than a size wants is built anew rather than gone on from, and the far hunt aims
    // at a size the orbits fill when one is within half an orbit above its aim. The shortest
    // known wheel on 20 numbers, 5 a line, 3 if 3 (133 lines) is 7 orbits of the cycle of 19
    // and 1 fixed: the search (20 s, two threads, seeds 1 to 10) reached it in 8 runs so, and
    // in 1 without; on 18 and 24 numbers, 6 a line, it reached 236 and 121 or fewer lines in
    // 8 and 7 runs of the same 10, against 9 and 6.
    bool oneCycle(size_t turn) const;
    Aim aim_;
    int rounds_ = 0; // rounds of all the turns, halved down to one, that fell short
    // Goes on from the turn's own wheel at `target` lines, giving up lines of its own if it
    // has one or more to spare; false when it cannot, or when a turn of one cycle's wheel has
    // fewer than the `orbits` a new wheel of that size would have.
    bool goOn(const TurnWalk& walk, size_t target, size_t orbits,
              const CoverAnnealer::StopTest& abandoned);
};
