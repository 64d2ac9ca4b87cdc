#include "advanced/QuickPicker.h"

#include "lines/LineGenerator.h"
#include "state/LotteryState.h"
#include "platform/Clock.h"

namespace {

TLotteryState withOptions(const TLotteryState& s, const QuickPickOptions& options) {
    TLotteryState line = s;
    line.UseFavorites = options.useFavorites;
    line.UseExcluded = options.useExcluded;
    return line;
}

} // namespace

QString QuickPicker::problem(const TLotteryState& s, const QuickPickOptions& options) const {
    return generationProblem(withOptions(s, options));
}

void QuickPicker::startBatch() {
    random_.setSeed(RandomGenerator::seedFromTimeOfDay(clock_.millisecondsSinceMidnightUtc()));
}

PickedLine QuickPicker::drawLine(TLotteryState& s, const QuickPickOptions& options) {
    PickedLine result;
    TLotteryState line = withOptions(s, options);
    result.problem = generationProblem(line);
    if (!result.problem.isEmpty())
        return result;
    if (!::drawLine(line, random_)) {
        result.problem = QStringLiteral("No line could be finished with these settings");
        return result;
    }
    for (int k = 1; k <= line.PickCount; ++k) {
        s.LineNumbers[k] = line.LineNumbers[k];
        s.LineText[k] = line.LineText[k];
    }
    result.ok = true;
    result.text =
        lineListText(line, drawLineExtras(s, line.PickCount, line.RandomBound - 1, random_));
    return result;
}
