#include "ChartedDrum.h"

#include "state/LotteryState.h"

#include <QtGlobal>

namespace {
constexpr int HighestNumber = 99; // the counts hold numbers 1..99
}

ChartedDrum chartedDrum(const TLotteryState& state, bool bonusTicked) {
    ChartedDrum drum;
    const GameRules& rules = state.DataRules;
    if (bonusTicked && rules.hasSecondDrum()) {
        drum.secondDrum = true;
        drum.highest = qBound(0, rules.extraRange, HighestNumber);
        drum.extraCount = qBound(1, rules.extraCount, 2);
        drum.perDraw = drum.extraCount;
        return drum;
    }
    drum.includeBonus = bonusTicked && state.DataBonus;
    drum.highest = state.DataRandom;
    drum.perDraw = state.DataPick + (drum.includeBonus ? 1 : 0);
    return drum;
}

bool bonusBoxUsable(const TLotteryState& state) {
    return state.DataBonus || state.DataRules.hasSecondDrum();
}

QString secondDrumName(const GameRules& rules) {
    return QStringLiteral("Extra numbers 1\u2013%1").arg(rules.extraRange);
}
