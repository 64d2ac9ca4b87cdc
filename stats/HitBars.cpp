#include "HitBars.h"

#include "DrawNumbers.h"

#include "state/LotteryState.h"
#include "database/DrawTable.h"

#include <QLocale>
#include <QStringList>

namespace {
constexpr int HighestNumber = 99;
constexpr int BonusColumn = 8;
} // namespace

quint32 hitClassRgb(HitClass hitClass) {
    switch (hitClass) {
    case HitClass::Hot:
        return 0xFF0000;
    case HitClass::Average:
        return 0x808080;
    case HitClass::Cold:
        break;
    }
    return 0x0000FF;
}

QString hitClassName(HitClass hitClass) {
    switch (hitClass) {
    case HitClass::Hot:
        return QStringLiteral("Hot");
    case HitClass::Average:
        return QStringLiteral("Average");
    case HitClass::Cold:
        break;
    }
    return QStringLiteral("Cold");
}

namespace {

HitBarList barsFromCounts(const TLotteryState& state, bool showClasses) {
    // A damaged header could claim more numbers than there are counts.
    const int highest = qBound(0, state.DataRandom, HighestNumber);
    HitClassTable classes{};
    if (showClasses)
        ClassifyHits(highest, state.HitCounts, &classes);
    HitBarList bars;
    bars.reserve(size_t(highest));
    for (int k = 1; k <= highest; ++k) {
        HitBar bar;
        bar.label = QString::number(k);
        bar.value = state.HitCounts[size_t(k)];
        if (showClasses) {
            bar.classified = true;
            bar.hitClass = classes[size_t(k)];
            bar.rgb = hitClassRgb(bar.hitClass);
        }
        bars.push_back(bar);
    }
    return bars;
}

} // namespace

HitBarList BuildHitBars(const TDrawTable& table, TLotteryState& state, int n, bool includeBonus,
                        bool showClasses) {
    state.HitCounts = CountHits(table, n, includeBonus);
    return barsFromCounts(state, showClasses);
}

HitBarList BuildHitBars(const DrawNumbers& draws, TLotteryState& state, int n, bool includeBonus,
                        bool showClasses) {
    state.HitCounts = draws.count(n, includeBonus);
    return barsFromCounts(state, showClasses);
}

QString lastDrawHeading(const TLotteryState& state) {
    return QStringLiteral("Winning Numbers For") + state.DataLastDraw;
}

QString lastDrawForDisplay(const TDrawTable& table) {
    const int last = table.LastDrawRow();
    if (last <= 0)
        return {};
    QStringList numbers;
    for (int column = 1; column < BonusColumn; ++column) {
        const QString cell = table.CellText(column, last).trimmed();
        if (!cell.isEmpty())
            numbers << cell;
    }
    QString text = numbers.join(QLatin1Char(' '));
    const QString bonus = table.CellText(BonusColumn, last).trimmed();
    if (!bonus.isEmpty())
        text += (text.isEmpty() ? QStringLiteral("+ ") : QStringLiteral(" + ")) + bonus;
    return text;
}

QString countedDrawsText(const TDrawTable& table, int n) {
    const int draws = table.CountDraws();
    if (draws <= 0)
        return QStringLiteral("No draws stored");
    const int last = qBound(1, n, draws);
    QString first;
    QString until;
    int seen = 0;
    for (int row = 1; row < table.RowCount() && seen < last; ++row) {
        if (!table.IsDraw(row))
            continue;
        ++seen;
        if (seen == 1)
            first = table.CellText(0, row).trimmed();
        if (seen == last)
            until = table.CellText(0, row).trimmed();
    }
    if (last == 1)
        return QStringLiteral("Draw 1: ") + first;
    // Grouped thousands read more easily in a long history: "1,000".
    const QLocale english(QLocale::English);
    return QStringLiteral("Draws 1 to %1: %2 to %3").arg(english.toString(last), first, until);
}
