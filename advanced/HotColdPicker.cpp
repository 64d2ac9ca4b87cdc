#include "advanced/HotColdPicker.h"

#include "lines/LineGenerator.h"
#include "state/LotteryState.h"
#include "lines/RandomGenerator.h"

#include <algorithm>

namespace {

constexpr int MaxNumber = 99;
static_assert(std::tuple_size_v<HotColdPicker::Numbers> == TLotteryState::MaxPick);

// A pool holds at least one of at most 100 values, so a draw finds a member within this many
// tries except with a chance of about e^-100.
constexpr int MaxPoolTries = 10'000;

} // namespace

HotColdPools buildPools(const HitCountTable& counts, int highest) {
    HotColdPools pools;
    const int r = std::clamp(highest, 0, MaxNumber);
    const HitLimits limits = ClassifyHits(r, counts, nullptr);
    for (int n = 1; n <= r; ++n) {
        const double count = counts[size_t(n)];
        if (count <= limits.lower)
            pools.cold << n;
        if (count > limits.lower && count < limits.upper)
            pools.average << n;
        if (count >= limits.upper)
            pools.hot << n;
    }
    return pools;
}

HotColdPicker::HotColdPicker(const HotColdPools& pools, int pick, int highest,
                             int maxAttemptsPerLine)
    : pools_(pools), pick_(pick), highest_(highest), maxAttempts_(maxAttemptsPerLine) {
    const auto mark = [](Membership& membership, const QList<int>& pool) {
        for (const int n : pool) {
            if (n >= 1 && n <= MaxNumber)
                membership[size_t(n)] = true;
        }
    };
    mark(hot_, pools_.hot);
    mark(average_, pools_.average);
    mark(cold_, pools_.cold);
}

QString HotColdPicker::problem(const Composition& c) const {
    if (pick_ < 1 || pick_ > TLotteryState::MaxPick)
        return QStringLiteral("A line must hold from 1 to 7 numbers");
    if (highest_ < 1 || highest_ > MaxNumber)
        return QStringLiteral("The highest number must be from 1 to 99");
    if (c.hot < 0 || c.average < 0 || c.cold < 0 || c.random < 0 || c.total() != pick_)
        return QStringLiteral("The Hot, Avg, Cold and Random numbers must add up to %1").arg(pick_);
    const struct {
        int wanted;
        qsizetype available;
        const char* name;
    } classes[] = {{c.hot, pools_.hot.size(), "Hot"},
                   {c.average, pools_.average.size(), "Avg"},
                   {c.cold, pools_.cold.size(), "Cold"}};
    for (const auto& k : classes) {
        if (k.wanted > k.available)
            return QStringLiteral("Only %1 %2 numbers are available")
                .arg(k.available)
                .arg(QLatin1String(k.name));
    }
    return {};
}

bool HotColdPicker::drawFromPool(const Membership& pool, RandomGenerator& random,
                                 int* number) const {
    for (int tries = 0; tries < MaxPoolTries; ++tries) {
        const int candidate = random.next(highest_ + 1);
        if (pool[size_t(candidate)]) {
            *number = candidate;
            return true;
        }
    }
    return false;
}

bool HotColdPicker::drawNumbers(const Composition& c, RandomGenerator& random,
                                Numbers* numbers) const {
    if (pick_ < 1 || pick_ > TLotteryState::MaxPick || c.total() != pick_)
        return false;
    const struct {
        int count;
        const Membership& pool;
    } classes[] = {{c.hot, hot_}, {c.average, average_}, {c.cold, cold_}};
    for (int attempt = 0; attempt < maxAttempts_; ++attempt) {
        numbers->fill(0);
        int slot = 0;
        bool drawn = true;
        for (const auto& k : classes) {
            for (int i = 0; i < k.count && drawn; ++i)
                drawn = drawFromPool(k.pool, random, &(*numbers)[size_t(slot++)]);
        }
        // Random numbers may be 0 or repeat a class number: such a line is drawn again whole.
        for (int i = 0; i < c.random; ++i)
            (*numbers)[size_t(slot++)] = random.next(highest_ + 1);
        // At most seven numbers: an insertion sort, in place.
        for (int i = 1; i < pick_; ++i) {
            for (int j = i; j > 0 && (*numbers)[size_t(j - 1)] > (*numbers)[size_t(j)]; --j)
                std::swap((*numbers)[size_t(j - 1)], (*numbers)[size_t(j)]);
        }
        const auto line = numbers->begin();
        if (drawn && (*numbers)[0] != 0 && std::adjacent_find(line, line + pick_) == line + pick_)
            return true;
    }
    return false;
}

PickedLine HotColdPicker::drawLine(TLotteryState& s, const Composition& c,
                                   RandomGenerator& random) const {
    PickedLine result;
    result.problem = problem(c);
    if (!result.problem.isEmpty())
        return result;

    Numbers numbers{};
    if (drawNumbers(c, random, &numbers)) {
        TLotteryState shown;
        shown.PickCount = pick_;
        shown.RandomBound = highest_ + 1;
        for (int k = 1; k <= pick_; ++k) {
            shown.LineNumbers[k] = s.LineNumbers[k] = numbers[size_t(k - 1)];
            shown.LineText[k] = s.LineText[k] = twoDigitText(numbers[size_t(k - 1)]);
        }
        result.ok = true;
        result.text = lineListText(shown, drawLineExtras(s, pick_, highest_, random));
        return result;
    }
    result.problem = QStringLiteral("No line of %1 different numbers could be made from %2 Hot, "
                                    "%3 Avg, %4 Cold and %5 Random numbers")
                         .arg(pick_)
                         .arg(c.hot)
                         .arg(c.average)
                         .arg(c.cold)
                         .arg(c.random);
    return result;
}
