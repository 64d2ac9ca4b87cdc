#include "TierResult.h"

#include "database/DatabaseOps.h"
#include "database/DrawTable.h"
#include "games/Money.h"
#include "games/TierOdds.h"
#include "state/LotteryState.h"

#include <QRegularExpression>
#include <QStringList>

QString tierResultText(const GameRules& rules, int mainHits, int extraHits) {
    const int tier = winningTier(rules, mainHits, extraHits);
    if (tier < 0)
        return {};
    const PrizeTier& won = rules.tiers[tier];
    QString matched;
    if (rules.extra == ExtraKind::SameDrumBonus && won.extraHits > 0)
        matched = QStringLiteral(" + bonus");
    else if (rules.extra == ExtraKind::SecondDrum && extraHits > 0)
        matched = QStringLiteral(" + %1 %2")
                      .arg(extraHits)
                      .arg(extraHits == 1 ? QStringLiteral("extra") : QStringLiteral("extras"));
    const QString prize = won.jackpot ? QStringLiteral("Jackpot") : prizeText(won.prizeCents);
    return matched + QStringLiteral(": ") + tierLabel(rules, won) + QStringLiteral(", ") + prize;
}

int checkedExtraCount(const TLotteryState& state) {
    if (!state.DatabaseLoaded || state.DataBonus || !state.DataRules.present)
        return 0;
    return state.DataRules.drumNumbers();
}

QVector<int> typedExtras(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("\\d{1,2}"));
    QVector<int> extras;
    for (auto it = digits.globalMatch(text); it.hasNext() && extras.size() < 2;)
        extras << it.next().captured().toInt();
    return extras;
}

QString storedExtrasText(const TDrawTable& table, int row, int count) {
    constexpr int FirstExtraColumn = 8;
    QStringList numbers;
    for (int k = 0; k < count; ++k) {
        int value = 0;
        if (drawCellNumber(table.CellText(FirstExtraColumn + k, row), &value))
            numbers << QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    }
    return numbers.join(u' ');
}
