#pragma once

#include "wheels/CaseRanks.h"
#include "wheels/FastRandom.h"
#include "wheels/LineSymmetry.h"
#include "wheels/WheelTerms.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// One worker's search for a wheel of a fixed number of lines b, by simulated annealing in the
// manner of Nurmela and Ostergard. The cost of a wheel is the number of uncovered cases (M-sets
// that no line meets in T numbers). A move replaces one number x of one line B by a number y not
// on it; the move is aimed at a random uncovered case c: B is a line meeting c the most, x is
// off c and y on c, so B comes closer to covering c. A move that does not raise the cost is
// always taken; one raising it by d is taken with chance exp(-d / temperature) (Metropolis).
//
// The temperature that works is narrow and differs from wheel to wheel: too hot and the walk
// never settles, too cold and it freezes a few cases short. So the first attempt cools through
// a wide range, and each attempt notes the hottest temperature at which the walk still ran
// nearly as low as it ever did; the next attempts cool through a narrow band around the
// running average of those notes.
//
// Each case keeps the number of lines covering it, so a move's effect is counted from the cases
// it touches alone. Swapping x for y in B changes only cases holding exactly one of x, y that
// meet the rest of B in T - 1 numbers, the rest coming from outside B and y: for such a set P of
// T - 1 of B's other numbers and Q of M - T outside numbers, the case {x} + P + Q loses B (and
// becomes uncovered if B was its only line) and {y} + P + Q gains B (and is covered if it was
// not). That is C(k-1, T-1) * C(V-k-1, M-T) pairs of cases per move.

struct AnnealSchedule {
    quint64 levelMoves = 0; // moves at each temperature; 0: from the wheel's size
    int levels = 100;       // temperatures in one attempt, hottest to coldest
};

class CoverAnnealer {
public:
    // Asked every few moves, as many as take about the same work (a move's cases differ a
    // thousandfold between terms), so the answer is heard within milliseconds.
    using StopTest = std::function<bool()>;

    CoverAnnealer(const WheelTerms& terms, quint64 seed);

    // Numbers (positions) every line holds, fewer than a line's k: no move takes them out.
    void setKeys(WheelLine keys) { keys_ = keys; }

    // A covering built line by line, each the best of a few candidates holding an uncovered
    // case; false when abandoned first. Once `hurry` says so, each line is the first candidate:
    // a wheel that holds, soon, rather than none. With maxLines, it ends there (covering or not)
    // or, covering with fewer, adds lines at random up to that many.
    bool buildGreedy(const StopTest& abandon, const StopTest& hurry, size_t maxLines = 0);
    bool hurried() const { return hurried_; }
    // Start from these lines; false when stopped first, with only some of them in.
    bool load(const WheelLines& lines, const StopTest& stop = {});
    // One line fewer: the line that alone covers the fewest cases, never one of an orbit;
    // false when stopped first or every line is in an orbit.
    bool dropLeastUseful(const StopTest& stop = {});

    // Symmetric wheels: `orbits` orbits of the symmetry (each line turned through its order,
    // the lines kept in turn order at the front) and `freeLines` lines of their own, each
    // around an uncovered case. A move on a line of an orbit moves every line of it alike, so
    // the wheel stays closed under the symmetry. false when abandoned first.
    //
    // The first `halfOrbits` of the orbits are half orbits: lines the half turn brings back to
    // themselves (pairs of numbers half a cycle apart, for a turn of even order and lines of
    // an even size, with no number fixed), so each of their lines is there twice. A move on
    // one puts another such line's orbit in its place. Some of the shortest known wheels are
    // made so: on 16 numbers, 4 if 4, the one of 152 lines is 8 orbits of the cycle of 16 and
    // 3 half orbits of 8 lines.
    bool buildSymmetric(const LineSymmetry& symmetry, size_t orbits, size_t freeLines,
                        const StopTest& abandon, size_t halfOrbits = 0);
    // Whether the symmetry has half orbits of lines of these terms.
    static bool hasHalfOrbits(const LineSymmetry& symmetry, const WheelTerms& terms);
    // Goes on from a symmetric wheel this annealer had before: its lines, the first
    // `orbitLines` of them in orbits as buildSymmetric left them. false when stopped first.
    bool loadSymmetric(const LineSymmetry& symmetry, const WheelLines& lines, size_t orbitLines,
                       const StopTest& stop = {});
    size_t orbitLines() const { return orbitLines_; }
    const LineSymmetry& symmetry() const { return symmetry_; }
    // The next attempt sweeps the whole range of temperatures again.
    void forgetTemperature() { workingTemperature_ = 0; }
    // The temperature learnt so far (0 before the first attempt), and one learnt before to go
    // on from: a hunt keeps one for each of its turns.
    double temperature() const { return workingTemperature_; }
    void setTemperature(double temperature) { workingTemperature_ = temperature; }
    // True once every case is covered; false when the attempt ends short or is stopped.
    bool anneal(const AnnealSchedule& schedule, const StopTest& stop);

    const WheelLines& lines() const { return lines_; }
    quint32 uncoveredCount() const { return quint32(uncovered_.size()); }
    quint64 moves() const { return moves_; }
    quint32 lowestCost() const { return lowestCost_; }
    // With keepFewest (a set number of lines, where the best is what the walk passed through),
    // the lines when the fewest cases were uncovered since the last load or build, and how few.
    // Off, nothing is kept: a covering's walk ends when none is left, and copying the wheel at
    // each new low took a twentieth of its time.
    void keepFewest() { keepFewest_ = true; }
    const WheelLines& fewestUncoveredLines() const { return fewestLines_; }
    quint32 fewestUncovered() const { return fewestUncovered_; }

private:
    template <typename Visit> void forEachCoveredCase(WheelLine line, Visit visit);
    // A line's cases counted as covered once more, or once less.
    void countCases(WheelLine line);
    void uncountCases(WheelLine line);
    void addLine(WheelLine line);
    void removeLine(size_t index);
    int casesAlone(WheelLine line); // cases no other line covers
    void markCovered(quint32 rank);
    void markUncovered(quint32 rank, quint64 mask);
    // The move for one uncovered case: line index, number out, number in; returns the change
    // in cost and leaves the touched cases for applyMove.
    int proposeMove(size_t* line, quint64* out, quint64* in);
    // The change in cost of swapping `out` for `in` on a line; the touched cases are left for
    // applyMove.
    int priceMove(WheelLine chosen, quint64 out, quint64 in);
    // The same for a covering (M = T), faster.
    int priceCoveringMove(WheelLine chosen, quint64 out, quint64 in);
    // Notes the i-th pair of cases a move touches, the one it would gain and the one it would
    // lose, for applyMove; returns their change in cost.
    int touchCases(size_t i, quint32 gainRank, quint32 lossRank, quint64 lost) {
        gainRanks_[i] = gainRank;
        lossRanks_[i] = lossRank;
        lossMasks_[i] = lost;
        return int(coverCount_[lossRank] == 1) - int(coverCount_[gainRank] == 0);
    }
    void learnTemperature(double temperature);
    void useSymmetry(const LineSymmetry& symmetry, size_t orbitLines);
    // A line of the keys and as much of `around` as fits, the rest at random.
    WheelLine lineAround(quint64 around);
    void noteFewest();
    void applyMove(size_t line, quint64 out, quint64 in);
    // A line the half turn brings back to itself, at random.
    WheelLine randomHalfLine();
    // Puts the orbit of another such line in place of the half orbit `line` is in, and keeps
    // it when the walk's rule takes a rise of the cost that much (accept, by rise); true if kept.
    bool moveHalfOrbit(size_t line, const std::vector<double>& accept);
    // Another line at `index`, its cases counted anew.
    void replaceLine(size_t index, WheelLine line);
    // The change in cost of the same move made on every line of the orbit the first moved line
    // is in. Lines of an orbit often touch the same case, so each case's count is changed by
    // all of them at once and the cost weighed from its count before and after: nothing is
    // moved to price it. The first line's cases are those proposeMove left.
    int priceOrbitMove(size_t line, quint64 out, quint64 in);
    // Makes the orbit move priced last, at `price` (checked in a debug build).
    void makeOrbitMove(int price);
    template <typename Visit>
    void forEachOrbitMove(size_t line, quint64 out, quint64 in, Visit visit);

    WheelTerms terms_;
    quint64 allPositions_ = 0;
    CaseRanks ranks_;
    FastRandom random_;
    WheelLines lines_;
    std::vector<quint32> coverCount_;    // by case rank: lines covering the case
    std::vector<quint64> uncovered_;     // masks of the uncovered cases, in no order
    std::vector<quint32> uncoveredRanks_; // their ranks, in the same order
    std::vector<qint32> whereUncovered_; // by case rank: index in uncovered_, or -1
    quint64 moves_ = 0;
    quint32 lowestCost_ = 0;
    double workingTemperature_ = 0; // learnt from the attempts so far; 0 before the first
    quint64 stopCheckMask_ = 1023;  // the stop test is asked when (moves & mask) == 0
    quint64 plainStopCheckMask_ = 1023; // the same for wheels without orbits
    bool hurried_ = false;
    WheelLine keys_ = 0;
    LineSymmetry symmetry_;
    size_t orbitLines_ = 0; // lines at the front that form whole orbits
    size_t halfOrbitLines_ = 0; // the first of them, in half orbits
    // A half orbit's lines before a move, to undo it.
    std::vector<WheelLine> halfOrbitBefore_;
    bool keepFewest_ = false;
    WheelLines fewestLines_;
    quint32 fewestUncovered_ = UINT32_MAX;

    // Choices of j of a line's numbers and M - j outside ones, j = T..min(k, M).
    struct CoverShape {
        std::vector<quint64> inside, outside;
    };
    std::vector<CoverShape> coverShapes_;
    std::vector<quint64> moveInside_, moveOutside_; // T-1 of k-1; M-T of V-k-1
    std::vector<std::array<quint8, 8>> moveParts_; // moveInside_ as its indexes, lowest first
    std::vector<quint64> outsideMasks_;             // a move's choices of outside numbers, spread
    std::vector<quint64> shapeOutsides_;            // the same for the cases a whole line covers
    bool guaranteeIsDrawn_ = false; // M = T: a case is T numbers, moves touch no others
    // The cases a priced move touches, for applyMove: the first touched_ of each array. Kept
    // as plain arrays written by index: pushing a {rank, mask} pair stalled each case on
    // reading back its own two narrow stores as one.
    std::vector<quint32> gainRanks_, lossRanks_;
    std::vector<quint64> lossMasks_;
    size_t touched_ = 0;
    // The cases an orbit move changes, each once, and the lines it moves. A refused move (most
    // are) costs its pricing alone: making each line's move and undoing it took a third of the
    // whole search's time on 24 numbers, 3 if 3. Both are written field by field, by index,
    // for the same reason as the touched cases above: a pushed {rank, change, mask} was read
    // back as one wide load of its narrow stores and stalled, half of the pricing's time.
    struct OrbitStep {
        size_t line;
        quint64 out, in;
    };
    std::vector<quint32> orbitCaseRanks_;
    std::vector<qint32> orbitCaseChanges_;
    std::vector<quint64> orbitCaseMasks_;
    size_t orbitCaseCount_ = 0;
    std::vector<OrbitStep> orbitSteps_;
    // By case rank: the orbit move that last noted the case, and where in orbitCaseRanks_.
    std::vector<quint32> caseNotedBy_, caseSlot_;
    quint32 orbitMoveNumber_ = 0;
    // A move draws at most this many lines looking for its own.
    static constexpr size_t MaxLinesScanned = 512;
    // Loading or weighing lines one by one asks the stop test this often (a power of two): every
    // 4,096 lines, or as many as cover about a million cases. A line of 6 numbers covers 18,711
    // cases of 5 of 49 numbers: loading 600 of them took 0.13 s without asking once, and a
    // job's search on them, cancelled, ended 194 ms later.
    size_t linesBetweenStopTests_ = 4096;
    std::array<size_t, MaxLinesScanned> closest_{}; // lines tied for meeting the target the most
};
