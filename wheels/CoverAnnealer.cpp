#include "wheels/CoverAnnealer.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

namespace {

constexpr int GreedyCandidates = 24;
constexpr int LargestCostRise = 32; // rises beyond are as good as never taken

} // namespace

CoverAnnealer::CoverAnnealer(const WheelSpec& spec, quint64 seed)
    : spec_(spec), allPositions_((quint64(1) << spec.pool) - 1), ranks_(spec.pool, spec.ifDrawn),
      random_(seed) {
    const int k = spec.lineSize, m = spec.ifDrawn, t = spec.guarantee, v = spec.pool;
    for (int j = t; j <= std::min(k, m); ++j)
        coverShapes_.push_back({Choices(k, j), Choices(v - k, m - j)});
    moveInside_ = Choices(k - 1, t - 1);
    moveOutside_ = Choices(v - k - 1, m - t);
    coverCount_.assign(ranks_.count(), 0);
    whereUncovered_.assign(ranks_.count(), -1);
}

// Every case the line meets in T or more numbers: j of its numbers and M - j others.
template <typename Visit> void CoverAnnealer::forEachCoveredCase(WheelLine line, Visit visit) {
    std::array<int, 64> inside{}, outside{};
    Positions(line, inside);
    Positions(allPositions_ & ~line, outside);
    for (const CoverShape& shape : coverShapes_) {
        outsideMasks_.clear();
        for (quint64 choice : shape.outside)
            outsideMasks_.push_back(Spread(choice, outside));
        for (quint64 choice : shape.inside) {
            const quint64 part = Spread(choice, inside);
            for (quint64 rest : outsideMasks_)
                visit(part | rest);
        }
    }
}

void CoverAnnealer::markCovered(quint32 rank) {
    const qint32 index = whereUncovered_[rank];
    const quint64 last = uncovered_.back();
    uncovered_[size_t(index)] = last;
    whereUncovered_[ranks_.rank(last)] = index;
    uncovered_.pop_back();
    whereUncovered_[rank] = -1;
}

void CoverAnnealer::markUncovered(quint32 rank, quint64 mask) {
    whereUncovered_[rank] = qint32(uncovered_.size());
    uncovered_.push_back(mask);
}

void CoverAnnealer::addLine(WheelLine line) {
    forEachCoveredCase(line, [&](quint64 mask) {
        const quint32 rank = ranks_.rank(mask);
        if (coverCount_[rank]++ == 0)
            markCovered(rank);
    });
    lines_.push_back(line);
}

void CoverAnnealer::removeLine(size_t index) {
    forEachCoveredCase(lines_[index], [&](quint64 mask) {
        const quint32 rank = ranks_.rank(mask);
        if (--coverCount_[rank] == 0)
            markUncovered(rank, mask);
    });
    lines_[index] = lines_.back();
    lines_.pop_back();
}

void CoverAnnealer::load(const WheelLines& lines) {
    lines_.clear();
    std::fill(coverCount_.begin(), coverCount_.end(), 0);
    // Masks come in increasing order, which is rank order: case i sits at index i.
    uncovered_.resize(ranks_.count());
    quint64 mask = (quint64(1) << spec_.ifDrawn) - 1;
    for (quint32 i = 0; i < ranks_.count(); ++i, mask = NextSameSize(mask)) {
        uncovered_[i] = mask;
        whereUncovered_[i] = qint32(i);
    }
    for (WheelLine line : lines)
        addLine(line);
}

WheelLine CoverAnnealer::randomLine() {
    WheelLine line = 0;
    for (int i = 0; i < spec_.lineSize; ++i)
        line |= random_.bitOf(allPositions_ & ~line);
    return line;
}

void CoverAnnealer::loadRandom(int count) {
    load({});
    for (int i = 0; i < count; ++i)
        addLine(randomLine());
}

bool CoverAnnealer::buildGreedy(const StopTest& stop) {
    load({});
    while (!uncovered_.empty()) {
        if (stop())
            return false;
        WheelLine best = 0;
        int bestGain = -1;
        for (int c = 0; c < GreedyCandidates; ++c) {
            // A whole uncovered case (M <= k numbers) and the rest at random: it covers that
            // case at least.
            WheelLine line = uncovered_[random_.below(quint32(uncovered_.size()))];
            while (BitCount(line) < spec_.lineSize)
                line |= random_.bitOf(allPositions_ & ~line);
            int gain = 0;
            forEachCoveredCase(line,
                               [&](quint64 mask) { gain += coverCount_[ranks_.rank(mask)] == 0; });
            if (gain > bestGain) {
                bestGain = gain;
                best = line;
            }
        }
        addLine(best);
    }
    return true;
}

void CoverAnnealer::dropLeastUseful() {
    size_t chosen = 0;
    int fewest = INT_MAX, ties = 0;
    for (size_t l = 0; l < lines_.size(); ++l) {
        int alone = 0;
        forEachCoveredCase(lines_[l],
                           [&](quint64 mask) { alone += coverCount_[ranks_.rank(mask)] == 1; });
        if (alone < fewest) {
            fewest = alone;
            chosen = l;
            ties = 1;
        } else if (alone == fewest && random_.below(quint32(++ties)) == 0) {
            chosen = l;
        }
    }
    if (!lines_.empty())
        removeLine(chosen);
}

void CoverAnnealer::dropRandomLine() {
    if (!lines_.empty())
        removeLine(random_.below(quint32(lines_.size())));
}

int CoverAnnealer::moveCost(WheelLine chosen, quint64 out, quint64 in, bool keep) {
    std::array<int, 64> rest{}, outside{};
    Positions(chosen & ~out, rest);
    Positions(allPositions_ & ~chosen & ~in, outside);
    outsideMasks_.clear();
    for (quint64 choice : moveOutside_)
        outsideMasks_.push_back(Spread(choice, outside));
    if (keep) {
        gains_.clear();
        losses_.clear();
    }
    int change = 0;
    for (quint64 choice : moveInside_) {
        const quint64 part = Spread(choice, rest);
        for (quint64 others : outsideMasks_) {
            const quint64 gained = part | others | in, lost = part | others | out;
            const quint32 gainRank = ranks_.rank(gained), lossRank = ranks_.rank(lost);
            change -= coverCount_[gainRank] == 0;
            change += coverCount_[lossRank] == 1;
            if (keep) {
                gains_.push_back({gainRank, gained});
                losses_.push_back({lossRank, lost});
            }
        }
    }
    return change;
}

int CoverAnnealer::proposeMove(size_t* line, quint64* out, quint64* in) {
    const quint64 target = uncovered_[random_.below(quint32(uncovered_.size()))];
    // The lines meeting the case the most; a sample of a long wheel.
    const bool sample = lines_.size() > MaxLinesScanned;
    const size_t scanned = sample ? MaxLinesScanned : lines_.size();
    int most = -1;
    size_t ties = 0;
    for (size_t i = 0; i < scanned; ++i) {
        const size_t l = sample ? random_.below(quint32(lines_.size())) : i;
        const int meet = BitCount(lines_[l] & target);
        if (meet > most) {
            most = meet;
            ties = 0;
        }
        if (meet == most)
            closest_[ties++] = l;
    }
    *line = closest_[random_.below(quint32(ties))];
    *out = random_.bitOf(lines_[*line] & ~target);
    *in = random_.bitOf(target & ~lines_[*line]);
    return moveCost(lines_[*line], *out, *in, true);
}

void CoverAnnealer::applyMove(size_t line, quint64 out, quint64 in) {
    for (const TouchedCase& gained : gains_)
        if (coverCount_[gained.rank]++ == 0)
            markCovered(gained.rank);
    for (const TouchedCase& lost : losses_)
        if (--coverCount_[lost.rank] == 0)
            markUncovered(lost.rank, lost.mask);
    lines_[line] = (lines_[line] & ~out) | in;
}

bool CoverAnnealer::anneal(const AnnealSchedule& schedule, const StopTest& stop) {
    lowestCost_ = uncoveredCount();
    if (uncovered_.empty())
        return true;
    if (lines_.empty())
        return false;
    const quint64 levelMoves =
        schedule.levelMoves > 0
            ? schedule.levelMoves
            : std::max<quint64>(500, quint64(lines_.size()) * quint64(spec_.lineSize) * 4);
    std::array<double, LargestCostRise + 1> acceptRise{};
    int stillLevels = 0;
    for (double temperature = schedule.startTemperature;
         temperature >= schedule.endTemperature && stillLevels < schedule.frozenLevels;
         temperature *= schedule.cooling) {
        for (int rise = 1; rise <= LargestCostRise; ++rise)
            acceptRise[size_t(rise)] = std::exp(-rise / temperature);
        const quint32 levelStartCost = uncoveredCount();
        bool moved = false;
        for (quint64 i = 0; i < levelMoves; ++i) {
            if ((moves_++ & 1023) == 0 && stop())
                return false;
            size_t line = 0;
            quint64 out = 0, in = 0;
            const int change = proposeMove(&line, &out, &in);
            if (change > 0 &&
                (change > LargestCostRise || random_.unit() >= acceptRise[size_t(change)]))
                continue;
            applyMove(line, out, in);
            moved = moved || change != 0;
            if (uncovered_.empty())
                return true;
            lowestCost_ = std::min(lowestCost_, uncoveredCount());
        }
        stillLevels = moved || uncoveredCount() != levelStartCost ? 0 : stillLevels + 1;
    }
    return false;
}
