#pragma once

#include "advanced/PickedLine.h"
#include "stats/HitCounts.h"

#include <QList>
#include <array>

class RandomGenerator;
struct TLotteryState;

// The numbers 1..highest sorted into hot, average and cold by three independent tests against
// the mean-and-deviation limits: count <= lower is cold, lower < count < upper average,
// count >= upper hot. When every count is equal both limits are the mean, so every number is
// hot and cold at once and none is average.
struct HotColdPools {
    QList<int> hot;
    QList<int> average;
    QList<int> cold;
};

HotColdPools buildPools(const HitCountTable& counts, int highest);

// How many numbers of each line come from each class and how many are plain random numbers.
struct Composition {
    int hot = 0;
    int average = 0;
    int cold = 0;
    int random = 0;
    int total() const { return hot + average + cold + random; }
};

// Lines of `pick` numbers from 1..highest made of the chosen counts of hot, average, cold and
// random numbers. The lines are those of this rule: each class number is drawn from 0..highest
// until it lies in its pool, the random ones from 0..highest as they come, and the whole line
// is drawn again until its numbers are all different and none is 0. Every such line, as an
// ordered choice of numbers for the slots, is equally likely. When each class's pool either
// holds all of an earlier class's pool or none of it (always so for buildPools), drawing each
// slot from its pool less the numbers already taken gives every such choice the same chance
// too, without the redraws: that is how lines are made then. Other pools take the rule itself.
class HotColdPicker {
public:
    // Whole-line draws allowed for one line by the rule itself. A real composition needs a few
    // hundred at worst (seven numbers out of a pool of seven); one that cannot succeed stops here.
    static constexpr int DefaultMaxAttempts = 100'000;

    HotColdPicker(const HotColdPools& pools, int pick, int highest,
                  int maxAttemptsPerLine = DefaultMaxAttempts);

    // Empty when lines can be made with this composition, else the reason for the user.
    QString problem(const Composition& composition) const;

    // The numbers of one line, ascending, in the first `pick` places; false when no line came
    // within the attempt limit. Meant for a composition without a problem().
    using Numbers = std::array<int, 7>;
    bool drawNumbers(const Composition& composition, RandomGenerator& random,
                     Numbers* numbers) const;

    // Writes the line into s.LineNumbers / LineText[1..pick] (sorted, two-digit texts).
    PickedLine drawLine(TLotteryState& s, const Composition& composition,
                        RandomGenerator& random) const;

private:
    using Membership = std::array<bool, 100>;
    // A pool's numbers within 1..highest, ascending.
    struct Members {
        std::array<quint8, 99> numbers{};
        int size = 0;
    };
    bool drawFromPool(const Membership& pool, RandomGenerator& random, int* number) const;
    bool drawByRedraws(const Composition& composition, RandomGenerator& random,
                       Numbers* numbers) const;
    bool drawWithoutRedraws(const Composition& composition, RandomGenerator& random,
                            Numbers* numbers) const;
    bool nestedOrApart(const Composition& composition) const;

    const HotColdPools pools_;
    const int pick_;
    const int highest_;
    const int maxAttempts_;
    Membership hot_{};
    Membership average_{};
    Membership cold_{};
    Members hotMembers_;
    Members averageMembers_;
    Members coldMembers_;
    Members allMembers_;
    std::array<std::array<bool, 3>, 3> nestedOrApart_{};
};
