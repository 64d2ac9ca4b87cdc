#include "odds/SetOdds.h"

#include "odds/BestHitTally.h"
#include "odds/Binomial.h"
#include "odds/LineOdds.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <atomic>
#include <bitset>
#include <cmath>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("SetOdds", text);
}

QString inputProblem(const QVector<QVector<int>>& lines, int lineSize, int highest) {
    if (lineSize < 1 || lineSize > SetOdds::MaxHits)
        return tr("Lines of %1 numbers: the odds are worked out for lines of 1 to 7.")
            .arg(lineSize);
    if (highest < lineSize || highest > 99)
        return tr("A game of numbers 1 to %1 cannot draw %2 of them.").arg(highest).arg(lineSize);
    for (int l = 0; l < lines.size(); ++l)
        for (int number : lines[l])
            if (number < 1 || number > highest)
                return tr("Line %1 holds %2, outside the game's numbers 1 to %3.")
                    .arg(l + 1)
                    .arg(number)
                    .arg(highest);
    return {};
}

// Most hits one line can have: its distinct numbers, at most k.
int mostHitsOf(const QVector<QVector<int>>& lines, int lineSize) {
    int most = 0;
    for (const QVector<int>& line : lines) {
        std::bitset<128> numbers;
        for (int number : line)
            numbers.set(size_t(number));
        most = std::max(most, int(numbers.count()));
    }
    return std::min(most, lineSize);
}

// How the chances will be found: exactly when the walk over the union's subsets fits in the
// work limit, else from as many random draws as fit in it. A subset costs about the lines
// holding its newest number; a draw about twice the lines holding its numbers.
struct Plan {
    bool exact = true;
    quint64 draws = 0;
    quint64 planned = 0; // subsets or draws, for the progress
};

Plan planFor(const LineSetIndex& index, int lineSize, int highest, const SetOddsOptions& options) {
    const long double incidences = static_cast<long double>(index.linesOf.size());
    const int unionSize = std::max(index.unionSize(), 1);
    const quint64 subsets = UnionSubsetCount(index.unionSize(), lineSize);
    const long double exactSteps =
        static_cast<long double>(subsets) * std::max<long double>(1, incidences / unionSize);
    const long double limit = static_cast<long double>(options.workLimit);
    if (exactSteps <= limit)
        return {true, 0, subsets};
    const long double drawSteps = lineSize * (1 + 2 * incidences / highest);
    const quint64 draws = std::clamp<quint64>(quint64(limit / drawSteps), 1,
                                              std::max<quint64>(options.simulatedDraws, 1));
    return {false, draws, draws};
}

// Lines of exactly k different numbers: the best line has all k hits only when the draw is one
// of them, so that tier is a count of the distinct lines even when the rest is estimated. Each
// line is packed in one word (k numbers below 128, 7 bits each) so that a wheel of hundreds of
// thousands of lines is counted in a blink; false also when stopped.
bool countTopTier(const QVector<QVector<int>>& lines, int lineSize, quint64* distinctLines,
                  const std::atomic<bool>* stop) {
    if (lineSize * 7 > 64)
        return false;
    std::vector<quint64> packed;
    packed.reserve(size_t(lines.size()));
    for (const QVector<int>& line : lines) {
        if ((packed.size() & 0xffff) == 0xffff && stop && stop->load(std::memory_order_relaxed))
            return false;
        std::array<int, 64> sorted{};
        if (line.size() > qsizetype(sorted.size()))
            return false;
        std::copy(line.begin(), line.end(), sorted.begin());
        const auto end = sorted.begin() + line.size();
        std::sort(sorted.begin(), end);
        if (std::unique(sorted.begin(), end) - sorted.begin() != lineSize)
            return false;
        quint64 key = 0;
        for (int i = 0; i < lineSize; ++i)
            key = key << 7 | quint64(sorted[size_t(i)]);
        packed.push_back(key);
    }
    std::sort(packed.begin(), packed.end());
    *distinctLines = quint64(std::unique(packed.begin(), packed.end()) - packed.begin());
    return true;
}

} // namespace

quint64 UnionSubsetCount(int unionSize, int lineSize) {
    quint64 total = 0;
    for (int s = 0; s <= lineSize && s <= unionSize; ++s)
        total += Binomial(unionSize, s);
    return total;
}

SetOdds ComputeSetOdds(const QVector<QVector<int>>& lines, int lineSize, int highest,
                       const SetOddsOptions& options) {
    SetOdds odds;
    odds.problem = inputProblem(lines, lineSize, highest);
    if (!odds.problem.isEmpty())
        return odds;
    odds.allDraws = AllDraws(lineSize, highest);
    odds.mostHits = mostHitsOf(lines, lineSize);
    const LineSetIndex index = LineSetIndex::build(lines);
    const Plan plan = planFor(index, lineSize, highest, options);
    odds.estimated = !plan.exact;
    TallyControl control(options.stop, options.progress, plan.planned);
    const BestHitTally tally =
        odds.estimated ? TallyRandomDraws(index, lineSize, highest, plan.draws, options.seed,
                                          options.threads, control)
                       : TallyExactly(index, lineSize, highest, options.threads, control);
    odds.work = tally.work;
    odds.cancelled = tally.cancelled;
    if (odds.cancelled)
        return odds;

    const long double total = odds.estimated ? static_cast<long double>(tally.work)
                                             : static_cast<long double>(odds.allDraws);
    quint64 atLeast = 0;
    for (int h = SetOdds::MaxHits; h >= 0; --h) {
        atLeast += tally.counts[size_t(h)];
        const long double chance = total > 0 ? atLeast / total : 0;
        odds.atLeast[size_t(h)] = chance;
        if (odds.estimated && h > 0 && total > 0)
            odds.standardError[size_t(h)] = std::sqrt(chance * (1 - chance) / total);
        // A tier no draw reached is not "never": with none in n draws, the chance is below
        // 1 - 0.05^(1/n) with 95 % confidence.
        if (odds.estimated && atLeast == 0 && h <= odds.mostHits && total > 0)
            odds.lessThan[size_t(h)] = 1 - std::pow(0.05L, 1 / total);
        else if (!odds.estimated)
            odds.drawsWithBest[size_t(h)] = tally.counts[size_t(h)];
    }
    odds.atLeast[0] = 1;
    quint64 distinctLines = 0;
    if (odds.estimated && countTopTier(lines, lineSize, &distinctLines, options.stop)) {
        odds.atLeast[size_t(lineSize)] =
            static_cast<long double>(distinctLines) / static_cast<long double>(odds.allDraws);
        odds.standardError[size_t(lineSize)] = 0;
        odds.lessThan[size_t(lineSize)] = 0;
        for (int h = 1; h < lineSize; ++h)
            if (odds.lessThan[size_t(h)] > 0)
                odds.lessThan[size_t(h)] =
                    std::max(odds.lessThan[size_t(h)], odds.atLeast[size_t(lineSize)]);
    }
    if (options.stop && options.stop->load(std::memory_order_relaxed)) {
        odds.cancelled = true;
        return odds;
    }
    if (options.progress)
        options.progress->store(1000, std::memory_order_relaxed);
    return odds;
}
