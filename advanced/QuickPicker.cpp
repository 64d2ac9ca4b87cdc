#include "advanced/QuickPicker.h"

#include "app/LineGenerator.h"
#include "app/LotteryState.h"
#include "app/RandomGenerator.h"
#include "platform/Clock.h"

namespace {

TLotteryState withOptions(const TLotteryState& s, const QuickPickOptions& options) {
    TLotteryState line = s;
    line.UseFavorites = options.useFavorites;
    line.UseExcluded = options.useExcluded;
    return line;
}

} // namespace

QuickPicker::QuickPicker(const Clock& clock, qint64 maxCandidatesPerLine)
    : clock_(clock), maxCandidates_(maxCandidatesPerLine) {}

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
    const auto reseededDraw = [this, &random](int n) {
        const int reading = clock_.millisecondsSinceMidnightUtc();
        ++candidates_;
        if (reading == lastReading_)
            ++repeatedReadings_;
        lastReading_ = reading;
        random.setSeed(RandomGenerator::seedFromTimeOfDay(reading));
        return random.next(n);
    };
    if (!::drawLine(line, reseededDraw, maxCandidates_)) {
        result.problem = QStringLiteral("The clock stood still, so no more different numbers "
                                        "could be drawn");
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
