#include "wheels/SymmetricHunt.h"

#include <algorithm>

SymmetricHunt::SymmetricHunt(const WheelTerms& terms, CoverAnnealer& annealer, bool startHalfway)
    : terms_(terms), annealer_(annealer), symmetries_(SymmetriesOf(terms.pool)),
      firstTurn_(startHalfway ? symmetries_.size() / 2 : 0), turn_(firstTurn_) {}

bool SymmetricHunt::attempt(int target, const CoverAnnealer::StopTest& ended,
                            const CoverAnnealer::StopTest& overtaken) {
    if (target < 1 || symmetries_.empty())
        return false;
    const CoverAnnealer::StopTest abandoned = [&] { return ended() || overtaken(); };
    const LineSymmetry& symmetry = symmetries_[turn_];
    const size_t order = size_t(symmetry.order());
    // Going on from the hunt's own longer wheel under the same turn, if it has enough lines of
    // their own to give up; otherwise a new start. (Overtaken, the hunt is usually a few lines
    // behind the best.)
    bool goesOn = annealer_.symmetry().order() == symmetry.order() &&
                  annealer_.symmetry().fixedPoints() == symmetry.fixedPoints() &&
                  annealer_.lines().size() > size_t(target);
    while (goesOn && annealer_.lines().size() > size_t(target))
        goesOn = annealer_.dropLeastUseful(abandoned);
    if (!goesOn && !annealer_.buildSymmetric(symmetry, size_t(target) / order,
                                             size_t(target) % order, abandoned))
        return false;
    const quint64 units = quint64(target) / order + quint64(target) % order;
    AnnealSchedule schedule;
    schedule.levelMoves = std::max<quint64>(500, quint64(terms_.lineSize) * 4 * units)
                          << std::min(rounds_, 6);
    if (annealer_.anneal(schedule, abandoned))
        return true;
    // A turn overtaken on its way had been getting there: traces showed the one turn that
    // leads to the shortest wheels dropped so, after a run of sizes, for a round of all others.
    if (overtaken())
        return false;
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
