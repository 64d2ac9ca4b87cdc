#include "StatsPage.h"

#include "HitBars.h"
#include "state/LotteryState.h"

namespace StatsPage {

QString title(const TLotteryState& state) {
    const QString title = QStringLiteral("Number frequencies");
    return state.DataName.isEmpty() ? title : title + QStringLiteral(": ") + state.DataName;
}

ChartPage page(const TLotteryState& state, const QString& subtitle, bool showClasses,
               const QString& verdict) {
    ChartPage page;
    page.title = title(state);
    page.subtitle = subtitle;
    page.game = state.DataName;
    page.verdict = verdict;
    if (showClasses) {
        for (const HitClass hitClass : {HitClass::Hot, HitClass::Average, HitClass::Cold})
            page.legend.push_back({hitClassName(hitClass), hitClassRgb(hitClass)});
    }
    return page;
}

} // namespace StatsPage
