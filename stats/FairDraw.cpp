#include "FairDraw.h"

#include "DrawNumbers.h"

#include "state/LotteryState.h"

#include <QLocale>
#include <QtGlobal>
#include <boost/math/special_functions/gamma.hpp>
#include <cmath>
#include <stdexcept>

// A fair draw takes k distinct numbers from 1..R, every k-set as likely as any other. So in one
// draw a given number comes up with probability q = k / R, and over n draws its count is
// binomial: expected E = n·q, standard deviation σ = √(n·q·(1 − q)). About 95 % of the time a
// count lies within E ± 2σ, which is the band the chart shades.
//
// All R counts at once: Pearson's sum Σ (O_j − E)² / E would follow a chi-square distribution
// with R − 1 degrees of freedom if the numbers of a draw were drawn independently. They are
// not: they are distinct, so within a draw one number's coming up makes every other's a little
// less likely (covariance −q(1 − q)/(R − 1) per draw). That shrinks the sum's expectation from
// R − 1 to R − k; scaling by (R − 1)/(R − k) restores it, and the scaled
//     X² = (R − 1)/(R − k) · Σ (O_j − E)² / E
// is chi-square with R − 1 degrees of freedom for a fair draw. The p-value is the chance of an
// X² at least as large: the upper tail, Q(df/2, X²/2) in terms of the regularised incomplete
// gamma function.
//
// Only main numbers take part: a bonus may come from a second drum, which this model does not
// describe.

std::optional<ExpectedRange> expectedRange(int draws, int perDraw, int highest) {
    if (draws <= 0 || perDraw < 1 || perDraw >= highest)
        return std::nullopt;
    const double q = double(perDraw) / highest;
    ExpectedRange range;
    range.expected = draws * q;
    range.deviation = std::sqrt(draws * q * (1 - q));
    range.low = range.expected - 2 * range.deviation;
    range.high = range.expected + 2 * range.deviation;
    return range;
}

std::optional<FairDrawTest> fairDrawTest(const HitCountTable& mainCounts, int draws, int perDraw,
                                         int highest) {
    const int r = qBound(0, highest, int(mainCounts.size()) - 1);
    const std::optional<ExpectedRange> range = expectedRange(draws, perDraw, r);
    if (!range)
        return std::nullopt;
    FairDrawTest test;
    test.draws = draws;
    test.degreesOfFreedom = r - 1;
    test.expected = range->expected;
    double sum = 0;
    for (int j = 1; j <= r; ++j) {
        const double d = mainCounts[size_t(j)] - test.expected;
        sum += d * d / test.expected;
    }
    test.chiSquare = double(r - 1) / (r - perDraw) * sum;
    try {
        test.pValue = boost::math::gamma_q(test.degreesOfFreedom / 2.0, test.chiSquare / 2.0);
    } catch (const std::exception&) {
        // Only arguments out of its domain throw, and those were excluded above.
        return std::nullopt;
    }
    return test;
}

namespace {

constexpr double Uneven = 0.01;
constexpr double LittleUneven = 0.05;

double asShown(double p) {
    return std::round(p * 1000) / 1000;
}

QString decimals(double value, int places) {
    return QString::number(value, 'f', places);
}

// A figure with its words kept on one line: no-break spaces, a no-break hyphen.
QString unbroken(QString text) {
    return text.replace(u' ', QChar(0x00A0)).replace(u'-', QChar(0x2011));
}

} // namespace

Fairness fairnessOf(const FairDrawTest& test) {
    if (test.expected < LeastExpectedForTest)
        return Fairness::TooFewDraws;
    const double p = asShown(test.pValue);
    if (p < Uneven)
        return Fairness::Uneven;
    if (p < LittleUneven)
        return Fairness::LittleUneven;
    return Fairness::Fair;
}

QString fairDrawVerdict(const FairDrawTest& test) {
    const QLocale english(QLocale::English);
    const QString figures =
        QStringLiteral(" (%1, %2 with %3, %4).")
            .arg(unbroken(QStringLiteral("%1 %2").arg(english.toString(test.draws),
                                                      test.draws == 1 ? QStringLiteral("draw")
                                                                      : QStringLiteral("draws"))),
                 unbroken(QStringLiteral("chi-square ") + english.toString(test.chiSquare, 'f', 2)),
                 unbroken(QStringLiteral("%1 degrees of freedom").arg(test.degreesOfFreedom)),
                 unbroken(QStringLiteral("p = ") + decimals(asShown(test.pValue), 3)));
    switch (fairnessOf(test)) {
    case Fairness::Fair:
        return QStringLiteral("Fair: these counts are what a fair draw gives, so hot and cold "
                              "numbers here are chance") +
               figures;
    case Fairness::LittleUneven:
        return QStringLiteral("A little uneven: about %1 is this uneven by chance, so this is no "
                              "proof that any number is favoured")
                   .arg(unbroken(QStringLiteral("1 fair game in 20"))) +
               figures;
    case Fairness::Uneven:
        return QStringLiteral("Uneven: these counts are more uneven than a fair draw usually is, "
                              "so some numbers may truly come up more often, or some draws may "
                              "be stored wrongly") +
               figures;
    case Fairness::TooFewDraws:
        break;
    }
    return QStringLiteral("Too few draws to judge: each number is expected only %1, and the test "
                          "needs %2")
               .arg(unbroken(decimals(test.expected, 2) + QStringLiteral(" times")),
                    unbroken(QStringLiteral("at least ") + QString::number(LeastExpectedForTest))) +
           figures;
}

QString noFairDrawVerdict(int draws) {
    if (draws <= 0)
        return QStringLiteral("No draws are charted, so there is nothing to test.");
    return QStringLiteral("The game's details do not allow a test: it must draw fewer numbers "
                          "than its highest number.");
}

FairDrawReading readFairDraw(const DrawNumbers& draws, const TLotteryState& state, int n,
                             bool includeBonus) {
    const int charted = qBound(0, n, draws.size());
    FairDrawReading reading;
    reading.range =
        expectedRange(charted, state.DataPick + (includeBonus ? 1 : 0), state.DataRandom);
    const std::optional<FairDrawTest> test =
        fairDrawTest(draws.count(charted, false), charted, state.DataPick, state.DataRandom);
    reading.verdict = test ? fairDrawVerdict(*test) : noFairDrawVerdict(charted);
    return reading;
}
