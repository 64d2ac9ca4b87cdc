#pragma once

// What a fair draw would give, set beside what was drawn: the count each number is expected to
// reach with the range it normally stays within, and a chi-square test of all the counts at once,
// told in plain words. QtCore only.

#include "HitCounts.h"

#include <QString>
#include <optional>

class DrawNumbers;
struct TLotteryState;

// The count of one number over `draws` draws of `perDraw` distinct numbers from 1..highest.
struct ExpectedRange {
    double expected = 0;  // E
    double deviation = 0; // σ
    double low = 0;       // E − 2σ; below 0 for short stretches
    double high = 0;      // E + 2σ

    bool contains(double count) const { return count >= low && count <= high; }
};

// Nothing when there are no draws or the game cannot be drawn fairly in that shape (perDraw
// outside 1..highest − 1).
std::optional<ExpectedRange> expectedRange(int draws, int perDraw, int highest);

struct FairDrawTest {
    int draws = 0;
    int degreesOfFreedom = 0;
    double chiSquare = 0;
    double pValue = 1;
    double expected = 0; // each number's expected count
};

// The test of the main numbers' counts 1..highest over `draws` draws of `perDraw` numbers;
// nothing when expectedRange gives nothing.
std::optional<FairDrawTest> fairDrawTest(const HitCountTable& mainCounts, int draws, int perDraw,
                                         int highest);

// Below this expected count per number the chi-square distribution describes the statistic
// too loosely for its p-value to be trusted.
constexpr double LeastExpectedForTest = 5;

enum class Fairness { Fair, LittleUneven, Uneven, TooFewDraws };
// How the test reads; judged on p as shown (three decimals), so words and number agree.
Fairness fairnessOf(const FairDrawTest& test);

// The verdict in plain words, then its figures: "Fair: these counts are what a fair draw gives, so
// hot and cold numbers here are chance (3,622 draws, chi-square 61.58 with 48 degrees of
// freedom, p = 0.090)." Each figure with its words is held together by no-break spaces (and a
// no-break hyphen), so that no line ends inside one.
QString fairDrawVerdict(const FairDrawTest& test);
// The verdict where no test could be made.
QString noFairDrawVerdict(int draws);

// What the statistics window shows over the first n stored draws: the range of the charted
// counts (each draw holding one number more when bonus numbers are charted) and the verdict on
// the main numbers alone, whatever is charted.
struct FairDrawReading {
    std::optional<ExpectedRange> range;
    QString verdict;
};
FairDrawReading readFairDraw(const DrawNumbers& draws, const TLotteryState& state, int n,
                             bool includeBonus);
