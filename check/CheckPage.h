#pragma once

// The checker's results as a printed page: the winning numbers and the rule they were checked
// by open it, the lines found follow in columns.

#include "platform/PageLayout.h"

struct TLotteryState;

namespace CheckPage {

// `numbers` and `bonus` as typed in the boxes (empty boxes left out); `results` as listed: one
// line for each of the `winners`, then the summary, which the page puts under the rule.
TextPage page(const TLotteryState& state, const QStringList& numbers, const QString& bonus,
              int minimumCorrect, bool includeBonus, const QString& results, int winners);

} // namespace CheckPage
