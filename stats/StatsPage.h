#pragma once

// The statistics chart as a printed page: its title names the game, the subtitle the draws
// counted; the hot / average / cold legend and the fair-draw verdict when the window shows them.

#include "platform/PageLayout.h"

struct TLotteryState;

namespace StatsPage {

// "Number frequencies: Lotto 6/49"; without a name, "Number frequencies".
QString title(const TLotteryState& state);

// Everything but the chart's size on screen and its rendering, which the window adds.
ChartPage page(const TLotteryState& state, const QString& subtitle, bool showClasses,
               const QString& verdict);

} // namespace StatsPage
