#include "LastDraw.h"

#include "state/LotteryState.h"
#include "database/DatabaseOps.h"
#include "database/DrawTable.h"

namespace LastDraw {

namespace {
constexpr int FirstNumberColumn = 1;
constexpr int BonusColumn = 8;
constexpr int BoxLength = 2;
} // namespace

bool available(const TLotteryState& state, const TDrawTable& table) {
    return state.DatabaseLoaded && table.HasDraws();
}

QString caption(const TLotteryState& state, const TDrawTable& table) {
    QString text = state.DataLastDraw + QLatin1String(" :");
    const int last = table.LastDrawRow();
    for (int column = FirstNumberColumn; column <= BonusColumn && last > 0; ++column)
        text += table.CellText(column, last);
    return text;
}

QString boxText(const QString& cell) {
    int value = 0;
    if (!drawCellNumber(cell, &value))
        return {};
    const QString text = value >= 0 && value < 10 ? QLatin1Char('0') + QString::number(value)
                                                  : QString::number(value);
    // Cut to the box's two characters, 100 would read as 10 and match what it is not.
    return text.size() <= BoxLength ? text : QString();
}

} // namespace LastDraw
