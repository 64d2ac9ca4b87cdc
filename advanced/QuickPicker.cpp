#include "advanced/QuickPicker.h"

#include "app/LineGenerator.h"
#include "app/LotteryState.h"
#include "app/RandomGenerator.h"
#include "platform/Clock.h"

#include <limits>

namespace {

TLotteryState withOptions(const TLotteryState& s, const QuickPickOptions& options) {
    TLotteryState line = s;
    line.UseFavorites = options.useFavorites;
    line.UseExcluded = options.useExcluded;
    return line;
}

} // namespace

QuickPicker::QuickPicker(const Clock& clock, qint64 maxStalledReads)
    : clock_(clock), maxStalledReads_(maxStalledReads) {}

QString QuickPicker::problem(const TLotteryState& s, const QuickPickOptions& options) const {
    return generationProblem(withOptions(s, options));
}

PickedLine QuickPicker::drawLine(TLotteryState& s, const QuickPickOptions& options) {
    PickedLine result;
    TLotteryState line = withOptions(s, options);
    result.problem = generationProblem(line);
    if (!result.problem.isEmpty())
        return result;

    RandomGenerator random;
    qint64 stalled = 0;
    qint64 fresh = 0;
    const auto reseededDraw = [&](int n) {
        const int reading = clock_.millisecondsSinceMidnightUtc();
        ++candidates_;
        if (reading == lastReading_) {
            ++repeatedReadings_;
            ++stalled;
        } else {
            stalled = 0;
            ++fresh;
        }
        lastReading_ = reading;
        if (stalled >= maxStalledReads_ || fresh > MaxFreshReadingsPerLine)
            return -1;
        random.setSeed(RandomGenerator::seedFromTimeOfDay(reading));
        return random.next(n);
    };
    // The clock paces the draw, so the budget is counted in its readings, not in tries.
    if (!::drawLine(line, reseededDraw, std::numeric_limits<qint64>::max())) {
        result.problem = stalled >= maxStalledReads_
                             ? QStringLiteral("The clock stood still, so no more different "
                                              "numbers could be drawn")
                             : QStringLiteral("No line could be finished in %1 readings of the "
                                              "clock")
                                   .arg(MaxFreshReadingsPerLine);
        return result;
    }
    for (int k = 1; k <= line.PickCount; ++k) {
        s.LineNumbers[k] = line.LineNumbers[k];
        s.LineText[k] = line.LineText[k];
    }
    result.ok = true;
    result.text = lineListText(line);
    return result;
}
