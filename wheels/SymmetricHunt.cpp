#include "wheels/SymmetricHunt.h"

#include <algorithm>

SymmetricHunt::SymmetricHunt(const WheelTerms& terms, CoverAnnealer& annealer, bool startHalfway)
    : terms_(terms), annealer_(annealer), symmetries_(SymmetriesOf(terms.pool)),
      firstTurn_(startHalfway ? symmetries_.size() / 2 : 0), turn_(firstTurn_) {}

bool SymmetricHunt::attempt(int target, const CoverAnnealer::StopTest& abandoned) {
    if (target < 1 || symmetries_.empty())
        return false;
    const LineSymmetry& symmetry = symmetries_[turn_];
    const size_t order = size_t(symmetry.order());
    // Going on from the hunt's own wheel one line longer, if it has a line of its own to give
    // up; otherwise a new start.
    const bool goesOn = annealer_.lines().size() == size_t(target) + 1 &&
                        annealer_.symmetry().order() == symmetry.order() &&
                        annealer_.symmetry().fixedPoints() == symmetry.fixedPoints() &&
                        annealer_.dropLeastUseful(abandoned);
    if (!goesOn && !annealer_.buildSymmetric(symmetry, size_t(target) / order,
                                             size_t(target) % order, abandoned))
        return false;
    const quint64 units = quint64(target) / order + quint64(target) % order;
    AnnealSchedule schedule;
    schedule.levelMoves = std::max<quint64>(500, quint64(terms_.lineSize) * 4 * units)
                          << std::min(rounds_, 6);
    if (annealer_.anneal(schedule, abandoned))
        return true;
    turn_ = (turn_ + 1) % symmetries_.size();
    rounds_ += turn_ == firstTurn_;
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
