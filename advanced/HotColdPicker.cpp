#include "advanced/HotColdPicker.h"

#include "lines/LineGenerator.h"
#include "lines/RandomGenerator.h"
#include "state/LotteryState.h"

#include <algorithm>

namespace {

constexpr int MaxNumber = 99;
static_assert(std::tuple_size_v<HotColdPicker::Numbers> == TLotteryState::MaxPick);

// A pool holds at least one of at most 100 values, so a draw finds a member within this many
// tries except with a chance of about e^-100.
constexpr int MaxPoolTries = 10'000;

// At most seven numbers: an insertion sort, in place.
void sortLine(HotColdPicker::Numbers& numbers, int count) {
    const size_t size = std::min(numbers.size(), size_t(std::max(count, 0)));
    for (size_t i = 1; i < size; ++i) {
        for (size_t j = i; j > 0 && numbers[j - 1] > numbers[j]; --j)
            std::swap(numbers[j - 1], numbers[j]);
    }
}

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

    // What the rule can reach of each pool: its members within 1..highest.
    const int top = std::clamp(highest_, 0, MaxNumber);
    const auto members = [top](const Membership& membership) {
        Members m;
        for (int n = 1; n <= top; ++n) {
            if (membership[size_t(n)])
                m.numbers[size_t(m.size++)] = quint8(n);
        }
        return m;
    };
    hotMembers_ = members(hot_);
    averageMembers_ = members(average_);
    coldMembers_ = members(cold_);
    Membership all{};
    std::fill(all.begin() + 1, all.begin() + 1 + top, true);
    allMembers_ = members(all);
    const Membership* memberships[] = {&hot_, &average_, &cold_};
    const Members* lists[] = {&hotMembers_, &averageMembers_, &coldMembers_};
    for (int later = 1; later < 3; ++later) {
        for (int earlier = 0; earlier < later; ++earlier) {
            int shared = 0;
            for (int i = 0; i < lists[earlier]->size; ++i)
                shared += (*memberships[later])[lists[earlier]->numbers[size_t(i)]];
            nestedOrApart_[earlier][later] = shared == 0 || shared == lists[earlier]->size;
        }
    }
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
    if (pick_ < 1 || pick_ > TLotteryState::MaxPick || c.total() != pick_ || c.hot < 0 ||
        c.average < 0 || c.cold < 0 || c.random < 0 || highest_ < 1 || highest_ > MaxNumber)
        return false;
    const bool drawn = nestedOrApart(c) ? drawWithoutRedraws(c, random, numbers)
                                        : drawByRedraws(c, random, numbers);
    if (!drawn)
        return false;
    sortLine(*numbers, pick_);
    return true;
}

// Whether every class in use either holds all of an earlier class's numbers or none of them:
// then the numbers an earlier slot took leave each later slot the same count to choose from,
// whichever they were, and slot-by-slot draws give every line the rule's chance.
bool HotColdPicker::nestedOrApart(const Composition& c) const {
    const int counts[] = {c.hot, c.average, c.cold};
    for (int later = 1; later < 3; ++later) {
        for (int earlier = 0; earlier < later; ++earlier) {
            if (counts[earlier] > 0 && counts[later] > 0 && !nestedOrApart_[earlier][later])
                return false;
        }
    }
    return true; // the random slots' pool, 1..highest, holds every class
}

bool HotColdPicker::drawWithoutRedraws(const Composition& c, RandomGenerator& random,
                                       Numbers* numbers) const {
    // Tries before counting the free members outright; a try finds one with a chance of at
    // least 1 / 7 whenever the line can be made.
    constexpr int QuickTries = 64;
    Membership taken{};
    int slot = 0;
    const auto take = [&](const Members& pool) {
        if (pool.size == 0)
            return false;
        for (int tries = 0; tries < QuickTries; ++tries) {
            const int n = pool.numbers[size_t(random.next(pool.size))];
            if (!taken[size_t(n)]) {
                taken[size_t(n)] = true;
                (*numbers)[size_t(slot++)] = n;
                return true;
            }
        }
        std::array<quint8, 99> free{};
        int freeCount = 0;
        for (int i = 0; i < pool.size; ++i) {
            if (!taken[pool.numbers[size_t(i)]])
                free[size_t(freeCount++)] = pool.numbers[size_t(i)];
        }
        if (freeCount == 0)
            return false;
        const int n = free[size_t(random.next(freeCount))];
        taken[size_t(n)] = true;
        (*numbers)[size_t(slot++)] = n;
        return true;
    };
    const struct {
        int count;
        const Members& pool;
    } classes[] = {{c.hot, hotMembers_},
                   {c.average, averageMembers_},
                   {c.cold, coldMembers_},
                   {c.random, allMembers_}};
    for (const auto& k : classes) {
        for (int i = 0; i < k.count; ++i) {
            if (!take(k.pool))
                return false;
        }
    }
    return true;
}

// The rule itself, for pools that overlap in part.
bool HotColdPicker::drawByRedraws(const Composition& c, RandomGenerator& random,
                                  Numbers* numbers) const {
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
        Numbers sorted = *numbers;
        sortLine(sorted, pick_);
        const auto line = sorted.begin();
        if (drawn && sorted[0] != 0 && std::adjacent_find(line, line + pick_) == line + pick_)
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
        result.text = lineListText(shown);
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
