#include "wheels/CoverAnnealer.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

namespace {

constexpr int GreedyCandidates = 24;
constexpr int LargestCostRise = 32; // rises beyond are as good as never taken
constexpr int NoMove = INT_MAX / 2;  // a proposal that moves nothing
constexpr int HalfOrbitMove = NoMove + 1; // a proposal to move a half orbit

} // namespace

CoverAnnealer::CoverAnnealer(const WheelTerms& terms, quint64 seed)
    : terms_(terms), allPositions_((quint64(1) << terms.pool) - 1),
      ranks_(terms.pool, terms.ifDrawn), random_(seed) {
    const int k = terms.lineSize, m = terms.ifDrawn, t = terms.guarantee, v = terms.pool;
    for (int j = t; j <= std::min(k, m); ++j)
        coverShapes_.push_back({Choices(k, j), Choices(v - k, m - j)});
    moveInside_ = Choices(k - 1, t - 1);
    moveOutside_ = Choices(v - k - 1, m - t);
    for (quint64 choice : moveInside_) {
        std::array<int, 64> indexes;
        const int count = Positions(choice, indexes);
        // At most 6: the terms refuse lines of more than 7 numbers.
        std::array<quint8, 8> part{};
        for (size_t i = 0; i < part.size() && int(i) < count; ++i)
            part[i] = quint8(indexes[i]);
        moveParts_.push_back(part);
    }
    guaranteeIsDrawn_ = m == t;
    const size_t casesPerMove =
        moveInside_.size() * (guaranteeIsDrawn_ ? 1 : std::max<size_t>(1, moveOutside_.size()));
    gainRanks_.resize(casesPerMove);
    lossRanks_.resize(casesPerMove);
    lossMasks_.resize(casesPerMove);
    coverCount_.assign(ranks_.count(), 0);
    whereUncovered_.assign(ranks_.count(), -1);
    caseNotedBy_.assign(ranks_.count(), 0);
    caseSlot_.assign(ranks_.count(), 0);
    // About 16,000 cases priced between two questions: from every 1,024 moves down to each
    // move when one move prices over 100,000 cases (29 numbers, 2 if 7).
    stopCheckMask_ = 1023;
    while (stopCheckMask_ > 0 && casesPerMove * (stopCheckMask_ + 1) > 16'384)
        stopCheckMask_ >>= 1;
    plainStopCheckMask_ = stopCheckMask_;
    size_t casesPerLine = 0;
    for (const CoverShape& shape : coverShapes_)
        casesPerLine += shape.inside.size() * shape.outside.size();
    while (linesBetweenStopTests_ > 1 && linesBetweenStopTests_ * casesPerLine > (size_t(1) << 20))
        linesBetweenStopTests_ >>= 1;
}

// Every case the line meets in T or more numbers: j of its numbers and M - j others.
template <typename Visit> void CoverAnnealer::forEachCoveredCase(WheelLine line, Visit visit) {
    std::array<int, 64> inside, outside; // filled as far as they are read
    Positions(line, inside);
    Positions(allPositions_ & ~line, outside);
    for (const CoverShape& shape : coverShapes_) {
        shapeOutsides_.clear();
        for (quint64 choice : shape.outside)
            shapeOutsides_.push_back(Spread(choice, outside));
        for (quint64 choice : shape.inside) {
            const quint64 part = Spread(choice, inside);
            for (quint64 rest : shapeOutsides_)
                visit(part | rest);
        }
    }
}

void CoverAnnealer::markCovered(quint32 rank) {
    const qint32 index = whereUncovered_[rank];
    const quint32 lastRank = uncoveredRanks_.back();
    uncovered_[size_t(index)] = uncovered_.back();
    uncoveredRanks_[size_t(index)] = lastRank;
    whereUncovered_[lastRank] = index;
    uncovered_.pop_back();
    uncoveredRanks_.pop_back();
    whereUncovered_[rank] = -1;
}

void CoverAnnealer::markUncovered(quint32 rank, quint64 mask) {
    whereUncovered_[rank] = qint32(uncovered_.size());
    uncovered_.push_back(mask);
    uncoveredRanks_.push_back(rank);
}

void CoverAnnealer::countCases(WheelLine line) {
    forEachCoveredCase(line, [&](quint64 mask) {
        const quint32 rank = ranks_.rank(mask);
        if (coverCount_[rank]++ == 0)
            markCovered(rank);
    });
}

void CoverAnnealer::uncountCases(WheelLine line) {
    forEachCoveredCase(line, [&](quint64 mask) {
        const quint32 rank = ranks_.rank(mask);
        if (--coverCount_[rank] == 0)
            markUncovered(rank, mask);
    });
}

void CoverAnnealer::addLine(WheelLine line) {
    countCases(line);
    lines_.push_back(line);
}

void CoverAnnealer::replaceLine(size_t index, WheelLine line) {
    uncountCases(lines_[index]);
    countCases(line);
    lines_[index] = line;
}

void CoverAnnealer::removeLine(size_t index) {
    uncountCases(lines_[index]);
    lines_[index] = lines_.back();
    lines_.pop_back();
}

bool CoverAnnealer::load(const WheelLines& lines, const StopTest& stop) {
    lines_.clear();
    orbitLines_ = 0;
    halfOrbitLines_ = 0;
    symmetry_ = LineSymmetry();
    stopCheckMask_ = plainStopCheckMask_;
    std::fill(coverCount_.begin(), coverCount_.end(), 0);
    // Masks come in increasing order, which is rank order: case i sits at index i.
    uncovered_.resize(ranks_.count());
    uncoveredRanks_.resize(ranks_.count());
    quint64 mask = (quint64(1) << terms_.ifDrawn) - 1;
    for (quint32 i = 0; i < ranks_.count(); ++i, mask = NextSameSize(mask)) {
        uncovered_[i] = mask;
        uncoveredRanks_[i] = i;
        whereUncovered_[i] = qint32(i);
    }
    for (size_t l = 0; l < lines.size(); ++l) {
        if ((l & (linesBetweenStopTests_ - 1)) == linesBetweenStopTests_ - 1 && stop && stop())
            return false;
        addLine(lines[l]);
    }
    fewestUncovered_ = UINT32_MAX;
    noteFewest();
    return true;
}

void CoverAnnealer::noteFewest() {
    if (!keepFewest_ || uncoveredCount() >= fewestUncovered_)
        return;
    fewestUncovered_ = uncoveredCount();
    fewestLines_ = lines_;
}

WheelLine CoverAnnealer::lineAround(quint64 around) {
    WheelLine line = keys_;
    for (quint64 rest = around & ~line; rest && BitCount(line) < terms_.lineSize;) {
        const quint64 bit = random_.bitOf(rest);
        line |= bit;
        rest &= ~bit;
    }
    while (BitCount(line) < terms_.lineSize)
        line |= random_.bitOf(allPositions_ & ~line);
    return line;
}

bool CoverAnnealer::buildGreedy(const StopTest& abandon, const StopTest& hurry, size_t maxLines) {
    load({});
    hurried_ = false;
    while (!uncovered_.empty() && (maxLines == 0 || lines_.size() < maxLines)) {
        WheelLine best = 0;
        int bestGain = -1;
        // Asked for each candidate: one can price a million cases.
        for (int c = 0; c < (hurried_ ? 1 : GreedyCandidates); ++c) {
            if (abandon())
                return false;
            hurried_ = hurried_ || hurry();
            // A whole uncovered case (M <= k numbers) and the rest at random: it covers that
            // case at least.
            const WheelLine line =
                lineAround(uncovered_[random_.below(quint32(uncovered_.size()))]);
            if (hurried_) {
                best = line;
                break;
            }
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
    while (lines_.size() < maxLines)
        addLine(lineAround(0));
    fewestUncovered_ = UINT32_MAX;
    noteFewest();
    return true;
}

int CoverAnnealer::casesAlone(WheelLine line) {
    int alone = 0;
    forEachCoveredCase(line, [&](quint64 mask) { alone += coverCount_[ranks_.rank(mask)] == 1; });
    return alone;
}

// Asks the stop as it weighs the lines: a wheel of 400,000 lines takes a tenth of a second.
bool CoverAnnealer::dropLeastUseful(const StopTest& stop) {
    size_t chosen = 0;
    int fewest = INT_MAX, ties = 0;
    for (size_t l = orbitLines_; l < lines_.size(); ++l) {
        if ((l & (linesBetweenStopTests_ - 1)) == linesBetweenStopTests_ - 1 && stop && stop())
            return false;
        const int alone = casesAlone(lines_[l]);
        if (alone < fewest) {
            fewest = alone;
            chosen = l;
            ties = 1;
        } else if (alone == fewest && random_.below(quint32(++ties)) == 0) {
            chosen = l;
        }
    }
    if (fewest == INT_MAX)
        return false;
    removeLine(chosen);
    return true;
}

void CoverAnnealer::useSymmetry(const LineSymmetry& symmetry, size_t orbitLines) {
    symmetry_ = symmetry;
    orbitLines_ = orbitLines;
    // An orbit move moves order() lines, each touching at most a move's pairs of cases.
    const size_t order = size_t(symmetry_.order());
    orbitSteps_.resize(order);
    const size_t mostCases = 2 * gainRanks_.size() * order;
    orbitCaseRanks_.resize(mostCases);
    orbitCaseChanges_.resize(mostCases);
    orbitCaseMasks_.resize(mostCases);
    // An orbit's move is order() lines' moves: the stop is asked as often in time.
    stopCheckMask_ = plainStopCheckMask_;
    while (stopCheckMask_ > 0 && (stopCheckMask_ + 1) * quint64(symmetry_.order()) >
                                     (plainStopCheckMask_ + 1) * 2)
        stopCheckMask_ >>= 1;
}

bool CoverAnnealer::loadSymmetric(const LineSymmetry& symmetry, const WheelLines& lines,
                                  size_t orbitLines, const StopTest& stop) {
    if (!load(lines, stop))
        return false;
    useSymmetry(symmetry, orbitLines);
    return true;
}

bool CoverAnnealer::hasHalfOrbits(const LineSymmetry& symmetry, const WheelTerms& terms) {
    return symmetry.order() % 2 == 0 && symmetry.fixedPoints() == 0 &&
           terms.pool % symmetry.order() == 0 && terms.lineSize % 2 == 0;
}

bool CoverAnnealer::buildSymmetric(const LineSymmetry& symmetry, size_t orbits, size_t freeLines,
                                   const StopTest& abandon, size_t halfOrbits) {
    load({});
    useSymmetry(symmetry, 0);
    if (!hasHalfOrbits(symmetry_, terms_) || keys_ != 0)
        halfOrbits = 0; // none to be had, or their lines would leave out a key
    for (size_t o = 0; o < orbits; ++o) {
        if (abandon())
            return false;
        const quint64 around =
            uncovered_.empty() ? 0 : uncovered_[random_.below(quint32(uncovered_.size()))];
        const WheelLine base = o < halfOrbits ? randomHalfLine() : lineAround(around);
        for (int power = 0; power < symmetry_.order(); ++power)
            addLine(symmetry_.image(base, power));
        if (o < halfOrbits)
            halfOrbitLines_ = lines_.size();
    }
    orbitLines_ = lines_.size();
    for (size_t l = 0; l < freeLines; ++l) {
        if (abandon())
            return false;
        addLine(lineAround(uncovered_.empty() ? 0 : uncovered_[random_.below(
                                                        quint32(uncovered_.size()))]));
    }
    fewestUncovered_ = UINT32_MAX;
    noteFewest();
    return true;
}

int CoverAnnealer::priceMove(WheelLine chosen, quint64 out, quint64 in) {
    if (guaranteeIsDrawn_)
        return priceCoveringMove(chosen, out, in);
    std::array<int, 64> rest, outside; // filled as far as they are read
    Positions(chosen & ~out, rest);
    Positions(allPositions_ & ~chosen & ~in, outside);
    outsideMasks_.clear();
    for (quint64 choice : moveOutside_)
        outsideMasks_.push_back(Spread(choice, outside));
    int change = 0;
    size_t touched = 0;
    for (quint64 choice : moveInside_) {
        const quint64 part = Spread(choice, rest);
        for (quint64 others : outsideMasks_) {
            const quint64 lost = part | others | out;
            const quint32 gainRank = ranks_.rank(part | others | in), lossRank = ranks_.rank(lost);
            change += touchCases(touched++, gainRank, lossRank, lost);
        }
    }
    touched_ = touched;
    return change;
}

// A covering's cases are T - 1 of the line's other numbers with `in` (gained) or `out` (lost).
// A number's share of a case's rank depends only on its place among the case's numbers, so
// the shares of the line's numbers are looked up once per move, and each case's rank is a few
// sums rather than a walk over its bits.
int CoverAnnealer::priceCoveringMove(WheelLine chosen, quint64 out, quint64 in) {
    std::array<int, 64> rest; // filled as far as it is read
    const int restCount = Positions(chosen & ~out, rest);
    const int inAt = int(qCountTrailingZeroBits(in)), outAt = int(qCountTrailingZeroBits(out));
    const int partSize = terms_.guarantee - 1;
    // [a][j]: rest[a] as the j-th (from 0) of a case's other numbers, one place further up
    // when the swapped number lies below it.
    std::array<const quint32*, 8> gainShare, lossShare;
    std::array<int, 8> belowIn, belowOut;
    std::array<quint64, 8> bit;
    for (int a = 0; a < restCount; ++a) {
        const int p = rest[size_t(a)];
        gainShare[size_t(a)] = ranks_.chooseRow(p) + 1 + (inAt < p);
        lossShare[size_t(a)] = ranks_.chooseRow(p) + 1 + (outAt < p);
        belowIn[size_t(a)] = p < inAt;
        belowOut[size_t(a)] = p < outAt;
        bit[size_t(a)] = quint64(1) << p;
    }
    int change = 0;
    size_t touched = 0;
    for (const std::array<quint8, 8>& part : moveParts_) {
        quint32 gainRank = 0, lossRank = 0;
        int inPlace = 1, outPlace = 1;
        quint64 lost = out;
        for (int j = 0; j < partSize; ++j) {
            const size_t a = part[size_t(j)];
            gainRank += gainShare[a][j];
            lossRank += lossShare[a][j];
            inPlace += belowIn[a];
            outPlace += belowOut[a];
            lost |= bit[a];
        }
        gainRank += ranks_.choose(inAt, inPlace);
        lossRank += ranks_.choose(outAt, outPlace);
        change += touchCases(touched++, gainRank, lossRank, lost);
    }
    touched_ = touched;
    return change;
}

int CoverAnnealer::proposeMove(size_t* line, quint64* out, quint64* in) {
    const quint64 target = uncovered_[random_.below(quint32(uncovered_.size()))];
    // A line one number short of the case (none has T of it, as it is uncovered), so one swap
    // covers it, drawn at random: the first such line among random draws is an even choice of
    // them, and far cheaper than looking through a long wheel, where one line in ten or so
    // qualifies. "At least T - 1 in common" needs no bit count: clear the lowest common bit
    // T - 2 times and see whether any is left.
    const quint32 count = quint32(lines_.size());
    const size_t draws = std::min<size_t>(MaxLinesScanned, size_t(count) * 2);
    const quint64* lines = lines_.data();
    FastRandom random = random_; // kept in registers through the draws
    size_t chosen = MaxLinesScanned;
    for (size_t i = 0; i < draws; ++i) {
        const size_t l = random.below(count);
        quint64 common = lines[l] & target;
        for (int j = 2; j < terms_.guarantee; ++j)
            common &= common - 1;
        if (common != 0) {
            chosen = l;
            break;
        }
    }
    if (chosen == MaxLinesScanned) {
        // None among them: of as many lines drawn again, one of those meeting it the most.
        size_t found = 0;
        int most = -1;
        for (size_t i = 0; i < draws; ++i) {
            const size_t l = random.below(count);
            const int meet = BitCount(lines[l] & target);
            if (meet > most) {
                most = meet;
                found = 0;
            }
            if (meet == most)
                closest_[found++] = l;
        }
        chosen = closest_[random.below(quint32(found))];
    }
    random_ = random;
    *line = chosen;
    if (chosen < halfOrbitLines_) {
        touched_ = 0;
        return HalfOrbitMove;
    }
    const quint64 outs = lines_[*line] & ~target & ~keys_;
    if (outs == 0) {
        // Every number it could give up is a key or on the case: no move this time.
        touched_ = 0;
        return NoMove;
    }
    *out = random_.bitOf(outs);
    *in = random_.bitOf(target & ~lines_[*line]);
    return priceMove(lines_[*line], *out, *in);
}

void CoverAnnealer::applyMove(size_t line, quint64 out, quint64 in) {
    for (size_t i = 0; i < touched_; ++i)
        if (coverCount_[gainRanks_[i]]++ == 0)
            markCovered(gainRanks_[i]);
    for (size_t i = 0; i < touched_; ++i)
        if (--coverCount_[lossRanks_[i]] == 0)
            markUncovered(lossRanks_[i], lossMasks_[i]);
    lines_[line] = (lines_[line] & ~out) | in;
}

// The move (out, in) made on `line`, carried to each line of its orbit: the line turned
// `turn` steps from the orbit's first gets the numbers turned as many steps from the move's.
template <typename Visit>
void CoverAnnealer::forEachOrbitMove(size_t line, quint64 out, quint64 in, Visit visit) {
    const int order = symmetry_.order();
    const size_t first = line - line % size_t(order);
    const int power = int(line % size_t(order));
    const int back = (order - power) % order;
    const quint64 baseOut = symmetry_.image(out, back), baseIn = symmetry_.image(in, back);
    for (int step = 0; step < order; ++step) {
        const int turn = (power + step) % order;
        visit(first + size_t(turn), symmetry_.image(baseOut, turn), symmetry_.image(baseIn, turn));
    }
}

int CoverAnnealer::priceOrbitMove(size_t line, quint64 out, quint64 in) {
    if (++orbitMoveNumber_ == 0) { // wrapped round: every note is stale
        std::fill(caseNotedBy_.begin(), caseNotedBy_.end(), 0);
        orbitMoveNumber_ = 1;
    }
    orbitCaseCount_ = 0;
    size_t steps = 0;
    const auto note = [&](quint32 rank, qint32 countChange, quint64 mask) {
        if (caseNotedBy_[rank] == orbitMoveNumber_) {
            orbitCaseChanges_[caseSlot_[rank]] += countChange;
            return;
        }
        caseNotedBy_[rank] = orbitMoveNumber_;
        caseSlot_[rank] = quint32(orbitCaseCount_);
        orbitCaseRanks_[orbitCaseCount_] = rank;
        orbitCaseChanges_[orbitCaseCount_] = countChange;
        orbitCaseMasks_[orbitCaseCount_] = mask;
        ++orbitCaseCount_;
    };
    forEachOrbitMove(line, out, in, [&](size_t moved, quint64 turnedOut, quint64 turnedIn) {
        if (moved != line) // the first, priced already
            priceMove(lines_[moved], turnedOut, turnedIn);
        OrbitStep& step = orbitSteps_[steps++];
        step.line = moved;
        step.out = turnedOut;
        step.in = turnedIn;
        for (size_t i = 0; i < touched_; ++i) {
            note(gainRanks_[i], 1, (lossMasks_[i] & ~turnedOut) | turnedIn);
            note(lossRanks_[i], -1, lossMasks_[i]);
        }
    });
    int change = 0;
    for (size_t i = 0; i < orbitCaseCount_; ++i) {
        const qint64 before = coverCount_[orbitCaseRanks_[i]],
                     after = before + orbitCaseChanges_[i];
        change += int(after == 0) - int(before == 0);
    }
    return change;
}

void CoverAnnealer::makeOrbitMove([[maybe_unused]] int price) {
    [[maybe_unused]] const qint64 uncoveredBefore = qint64(uncovered_.size());
    for (size_t i = 0; i < orbitCaseCount_; ++i) {
        const quint32 rank = orbitCaseRanks_[i];
        const quint32 before = coverCount_[rank];
        const quint32 after = quint32(qint64(before) + orbitCaseChanges_[i]);
        coverCount_[rank] = after;
        if (before == 0 && after > 0)
            markCovered(rank);
        else if (before > 0 && after == 0)
            markUncovered(rank, orbitCaseMasks_[i]);
    }
    for (const OrbitStep& step : orbitSteps_)
        lines_[step.line] = (lines_[step.line] & ~step.out) | step.in;
    // The walk's choices rest on the price: in a debug build, it must be what the move did.
    Q_ASSERT(qint64(uncovered_.size()) - uncoveredBefore == price);
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
            : std::max<quint64>(500, quint64(lines_.size()) * quint64(terms_.lineSize) * 4);
    // The first attempt sweeps a wide range; later ones a band around the temperature learnt.
    const double hottest = workingTemperature_ > 0 ? workingTemperature_ * 1.25 : 1.0;
    const double coldest = workingTemperature_ > 0 ? workingTemperature_ * 0.8 : 0.05;
    const double cooling = std::pow(coldest / hottest, 1.0 / std::max(1, schedule.levels - 1));
    // The first quarter of the levels is left out of the learning: the walk starts from a
    // nearly covering wheel and stays low for a while at any temperature.
    const int settled = schedule.levels / 4;
    double temperature = hottest, lowestMean = 1e300;
    std::vector<std::pair<double, double>> levelMeans; // (temperature, mean cost), hottest first
    std::array<double, LargestCostRise + 1> acceptRise{};
    // An orbit's rise is weighed per line of the orbit, so its table is order() times longer.
    const int order = symmetry_.order();
    std::vector<double> acceptOrbitRise(size_t(LargestCostRise * order + 1));
    for (int level = 0; level < schedule.levels; ++level, temperature *= cooling) {
        for (int rise = 1; rise <= LargestCostRise; ++rise)
            acceptRise[size_t(rise)] = std::exp(-rise / temperature);
        if (orbitLines_ > 0)
            for (int rise = 1; rise <= LargestCostRise * order; ++rise)
                acceptOrbitRise[size_t(rise)] = std::exp(-rise / (temperature * order));
        quint64 costSum = 0;
        for (quint64 i = 0; i < levelMoves; ++i) {
            if ((moves_++ & stopCheckMask_) == 0 && stop())
                return false;
            size_t line = 0;
            quint64 out = 0, in = 0;
            int change = proposeMove(&line, &out, &in);
            bool taken = false;
            if (change == NoMove) {
            } else if (change == HalfOrbitMove) {
                taken = moveHalfOrbit(line, acceptOrbitRise);
            } else if (line < orbitLines_) {
                // The whole orbit moves; its cost is weighed per line of the orbit.
                change = priceOrbitMove(line, out, in);
                taken = change <= 0 ||
                        random_.unit() < (change <= LargestCostRise * order
                                              ? acceptOrbitRise[size_t(change)]
                                              : 0.0);
                if (taken)
                    makeOrbitMove(change);
            } else if (change <= 0 || (change <= LargestCostRise &&
                                       random_.unit() < acceptRise[size_t(change)])) {
                applyMove(line, out, in);
                taken = true;
            }
            if (taken) {
                lowestCost_ = std::min(lowestCost_, uncoveredCount());
                noteFewest();
                if (uncovered_.empty()) {
                    if (level >= settled)
                        learnTemperature(temperature);
                    return true;
                }
            }
            costSum += uncoveredCount();
        }
        const double mean = double(costSum) / double(levelMoves);
        if (level >= settled) {
            levelMeans.emplace_back(temperature, mean);
            lowestMean = std::min(lowestMean, mean);
        }
    }
    // The hottest temperature at which the walk still ran nearly as low as it ever did: colder
    // ones only freeze it a few cases short.
    for (const auto& [levelTemperature, mean] : levelMeans)
        if (mean <= lowestMean * 1.5 + 1) {
            learnTemperature(levelTemperature);
            break;
        }
    return false;
}

WheelLine CoverAnnealer::randomHalfLine() {
    const int half = symmetry_.order() / 2;
    const quint32 pairs = quint32(terms_.pool / 2);
    WheelLine line = 0;
    while (BitCount(line) < terms_.lineSize) {
        // The pair's first number is in the first half of its cycle, the other half a turn on.
        const quint32 pair = random_.below(pairs);
        const int first = int(pair) / half * symmetry_.order() + int(pair) % half;
        line |= (WheelLine(1) << first) | (WheelLine(1) << (first + half));
    }
    return line;
}

// Priced by making it: a half orbit is moved seldom, and its lines change whole.
bool CoverAnnealer::moveHalfOrbit(size_t line, const std::vector<double>& accept) {
    const size_t order = size_t(symmetry_.order());
    const size_t first = line - line % order;
    const WheelLine base = randomHalfLine();
    halfOrbitBefore_.assign(lines_.begin() + qptrdiff(first),
                            lines_.begin() + qptrdiff(first + order));
    const qint64 before = uncoveredCount();
    for (size_t step = 0; step < order; ++step)
        replaceLine(first + step, symmetry_.image(base, int(step)));
    const qint64 rise = qint64(uncoveredCount()) - before;
    if (rise <= 0 || (size_t(rise) < accept.size() && random_.unit() < accept[size_t(rise)]))
        return true;
    for (size_t step = 0; step < order; ++step)
        replaceLine(first + step, halfOrbitBefore_[step]);
    return false;
}

void CoverAnnealer::learnTemperature(double temperature) {
    workingTemperature_ =
        workingTemperature_ > 0 ? (workingTemperature_ + temperature) / 2 : temperature;
}
