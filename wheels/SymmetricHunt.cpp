#include "wheels/SymmetricHunt.h"

#include <algorithm>

namespace {

constexpr int MostGapHalvings = 30; // the gap is a line then
// The orbits whose turns make 4 k moves per orbit and free line at each temperature; other
// turns' moves are weighed against them by the work of a move.
constexpr double SameWorkAsOrder = 4;

} // namespace

size_t SymmetricHunt::orbitsFor(size_t target, size_t order, bool wholeFits) {
    const size_t fitting = target / order;
    const size_t spare = target - fitting * order;
    if (wholeFits && spare == 0)
        return fitting;
    return fitting > 1 && spare * 2 < order ? fitting - 1 : fitting;
}

bool SymmetricHunt::oneCycle(size_t turn) const {
    const LineSymmetry& symmetry = symmetries_[turn];
    return terms_.pool - symmetry.fixedPoints() == symmetry.order();
}

SymmetricHunt::SymmetricHunt(const WheelTerms& terms, CoverAnnealer& annealer, Aim aim)
    : terms_(terms), annealer_(annealer), symmetries_(SymmetriesOf(terms.pool)),
      walks_(symmetries_.size()), firstTurn_(aim == Aim::FarBelow ? symmetries_.size() / 2 : 0),
      contenders_(nextRound({}, {}, symmetries_.size(), firstTurn_)),
      aim_(aim) {}

std::vector<size_t> SymmetricHunt::nextRound(const std::vector<size_t>& contenders,
                                             const std::vector<quint32>& closest, size_t turns,
                                             size_t first) {
    if (contenders.size() <= 1) {
        std::vector<size_t> all(turns);
        for (size_t i = 0; i < turns; ++i)
            all[i] = (first + i) % turns;
        return all;
    }
    std::vector<size_t> kept = contenders;
    std::stable_sort(kept.begin(), kept.end(),
                     [&](size_t a, size_t b) { return closest[a] < closest[b]; });
    kept.resize((kept.size() + 1) / 2);
    return kept;
}

int SymmetricHunt::target(int best, int lowest) const {
    if (aim_ == Aim::NextSize)
        return std::max(best - 1, lowest);
    const int halvings = std::min(1 + rounds_, MostGapHalvings);
    const int aim = std::max(best - std::max(1, (best - lowest) >> halvings), lowest);
    if (!oneCycle(turn()))
        return aim;
    const int order = symmetries_[turn()].order();
    const int whole = (aim + order - 1) / order * order;
    return whole < best && (whole - aim) * 2 < order ? whole : aim;
}

quint64 SymmetricHunt::levelMovesFor(size_t orbits, size_t order, size_t freeLines,
                                     int lineSize) {
    const double units = double(orbits + freeLines);
    const double lines = double(orbits * order + freeLines);
    // Lines a move changes, on average over the wheel's lines.
    const double changed = (double(orbits * order * order) + double(freeLines)) / lines;
    const double moves = double(lineSize) * 4 * units * SameWorkAsOrder / changed;
    return std::max<quint64>(500, quint64(moves));
}

bool SymmetricHunt::goOn(const TurnWalk& walk, size_t target, size_t orbits,
                         const CoverAnnealer::StopTest& abandoned) {
    const LineSymmetry& symmetry = symmetries_[turn()];
    const size_t ownLines = walk.lines.size() - walk.orbitLines;
    if (walk.lines.size() < target || walk.lines.size() - target > ownLines)
        return false;
    if (oneCycle(turn()) && walk.orbitLines < orbits * size_t(symmetry.order()))
        return false;
    // The annealer usually holds this turn's wheel already, having just walked it.
    const bool holds = annealer_.orbitLines() == walk.orbitLines &&
                       annealer_.symmetry().order() == symmetry.order() &&
                       annealer_.symmetry().fixedPoints() == symmetry.fixedPoints() &&
                       annealer_.lines() == walk.lines;
    if (!holds && !annealer_.loadSymmetric(symmetry, walk.lines, walk.orbitLines, abandoned))
        return false;
    while (annealer_.lines().size() > target)
        if (!annealer_.dropLeastUseful(abandoned))
            return false;
    return true;
}

bool SymmetricHunt::attempt(int target, const CoverAnnealer::StopTest& abandoned,
                            const CoverAnnealer::StopTest& overtaken) {
    if (target < 1 || symmetries_.empty())
        return false;
    const LineSymmetry& symmetry = symmetries_[turn()];
    TurnWalk& walk = walks_[turn()];
    const size_t orbits = orbitsFor(size_t(target), size_t(symmetry.order()), oneCycle(turn()));
    const size_t freeLines = size_t(target) - orbits * size_t(symmetry.order());
    const CoverAnnealer::StopTest stopped = [&] {
        return abandoned() || (overtaken && overtaken());
    };
    if (!goOn(walk, size_t(target), orbits, stopped) &&
        !annealer_.buildSymmetric(symmetry, orbits, freeLines, stopped))
        return false;
    AnnealSchedule schedule;
    schedule.levelMoves = levelMovesFor(orbits, size_t(symmetry.order()), freeLines,
                                        terms_.lineSize)
                          << std::min(walk.doublings, 6);
    // A turn's first attempt starts from the temperature the hunt's other turns learnt: a
    // sweep of the whole range spends most of a short attempt too hot or too cold.
    if (walk.temperature > 0)
        annealer_.setTemperature(walk.temperature);
    const bool found = annealer_.anneal(schedule, stopped);
    walk.temperature = annealer_.temperature();
    walk.lines = annealer_.lines();
    walk.orbitLines = annealer_.orbitLines();
    if (found) {
        walk.doublings = 0; // the next size starts short again
        walk.fewestLeft = 0;
        return true;
    }
    if (overtaken && overtaken())
        return false;
    walk.closest = annealer_.lowestCost();
    if (walk.fewestLeft == 0 || walk.closest < walk.fewestLeft) {
        walk.fewestLeft = walk.closest;
        ++walk.doublings;
    }
    if (++contender_ == contenders_.size()) {
        rounds_ += contenders_.size() == 1;
        std::vector<quint32> closest(walks_.size());
        for (size_t t = 0; t < walks_.size(); ++t)
            closest[t] = walks_[t].closest;
        contenders_ = nextRound(contenders_, closest, symmetries_.size(), firstTurn_);
        contender_ = 0;
    }
    return false;
}

QString SymmetricHunt::turnFound() const {
    const LineSymmetry& symmetry = annealer_.symmetry();
    return QStringLiteral("%1 x %2 + %3 fixed, %4 orbits")
        .arg((terms_.pool - symmetry.fixedPoints()) / symmetry.order())
        .arg(symmetry.order())
        .arg(symmetry.fixedPoints())
        .arg(annealer_.orbitLines() / size_t(symmetry.order()));
}
