#include "odds/SetOdds.h"

#include "odds/BestHitTally.h"
#include "odds/Binomial.h"
#include "odds/LineOdds.h"

#include <QCoreApplication>
#include <algorithm>
#include <bitset>
#include <cmath>
#include <set>

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

int unionSizeOf(const QVector<QVector<int>>& lines) {
    std::bitset<128> numbers;
    for (const QVector<int>& line : lines)
        for (int number : line)
            if (number >= 0 && number < 128)
                numbers.set(size_t(number));
    return int(numbers.count());
}

// Lines of exactly k different numbers: the best line has all k hits only when the draw is one
// of them, so that tier is a count of the distinct lines even when the rest is estimated.
bool countTopTier(const QVector<QVector<int>>& lines, int lineSize, quint64* distinctLines) {
    std::set<std::vector<int>> distinct;
    for (const QVector<int>& line : lines) {
        std::vector<int> sorted(line.begin(), line.end());
        std::sort(sorted.begin(), sorted.end());
        sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
        if (int(sorted.size()) != lineSize)
            return false;
        distinct.insert(std::move(sorted));
    }
    *distinctLines = distinct.size();
    return true;
}

} // namespace

quint64 UnionSubsetCount(int unionSize, int lineSize) {
    quint64 total = 0;
    for (int s = 0; s <= lineSize && s <= unionSize; ++s)
        total += Binomial(unionSize, s);
    return total;
}

bool SetOddsAreExact(const QVector<QVector<int>>& lines, int lineSize, int, quint64 exactLimit) {
    return UnionSubsetCount(unionSizeOf(lines), lineSize) <= exactLimit;
}

SetOdds ComputeSetOdds(const QVector<QVector<int>>& lines, int lineSize, int highest,
                       const SetOddsOptions& options) {
    SetOdds odds;
    odds.problem = inputProblem(lines, lineSize, highest);
    if (!odds.problem.isEmpty())
        return odds;
    odds.allDraws = AllDraws(lineSize, highest);
    const LineSetIndex index = LineSetIndex::build(lines);
    odds.estimated = UnionSubsetCount(index.unionSize(), lineSize) > options.exactLimit;
    const BestHitTally tally =
        odds.estimated ? TallyRandomDraws(index, lineSize, highest, options.simulatedDraws,
                                          options.seed, options.threads, options.stop)
                       : TallyExactly(index, lineSize, highest, options.threads, options.stop);
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
        else if (!odds.estimated)
            odds.drawsWithBest[size_t(h)] = tally.counts[size_t(h)];
    }
    odds.atLeast[0] = 1;
    quint64 distinctLines = 0;
    if (odds.estimated && countTopTier(lines, lineSize, &distinctLines)) {
        odds.atLeast[size_t(lineSize)] =
            static_cast<long double>(distinctLines) / static_cast<long double>(odds.allDraws);
        odds.standardError[size_t(lineSize)] = 0;
    }
    return odds;
}
