#include "RulesEditing.h"

#include "games/Money.h"
#include "games/TierOdds.h"

#include <QStringList>

namespace {

const QString JackpotWord = QStringLiteral("Jackpot");
const QString BonusWord = QStringLiteral("bonus");

bool parseCount(const QString& text, int* value) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 2)
        return false;
    bool ok = false;
    *value = trimmed.toInt(&ok);
    return ok && *value >= 0;
}

} // namespace

TierCells tierCells(const PrizeTier& tier, ExtraKind extra) {
    TierCells cells;
    cells.main = QString::number(tier.mainHits);
    cells.extra = extra == ExtraKind::SameDrumBonus && tier.extraHits > 0
                      ? BonusWord
                      : QString::number(tier.extraHits);
    cells.prize = tier.jackpot ? JackpotWord : prizeText(tier.prizeCents);
    return cells;
}

bool parseTierCells(const TierCells& cells, ExtraKind extra, PrizeTier* tier, QString* error) {
    PrizeTier read;
    if (!parseCount(cells.main, &read.mainHits)) {
        *error = QStringLiteral("\"%1\" is not a count of main numbers").arg(cells.main);
        return false;
    }
    const QString extraText = cells.extra.trimmed();
    if (extraText.isEmpty()) {
        read.extraHits = 0;
    } else if (extraText.compare(BonusWord, Qt::CaseInsensitive) == 0) {
        if (extra != ExtraKind::SameDrumBonus) {
            *error = QStringLiteral("the game draws no bonus number");
            return false;
        }
        read.extraHits = 1;
    } else if (!parseCount(extraText, &read.extraHits) ||
               (extra == ExtraKind::SameDrumBonus && read.extraHits > 0)) {
        *error = extra == ExtraKind::SameDrumBonus
                     ? QStringLiteral("write \"bonus\" or 0 for the extra number")
                     : QStringLiteral("\"%1\" is not a count of extra numbers").arg(extraText);
        return false;
    }
    if (cells.prize.trimmed().compare(JackpotWord, Qt::CaseInsensitive) == 0) {
        read.jackpot = true;
    } else if (!parseMoney(cells.prize, &read.prizeCents)) {
        *error = QStringLiteral("\"%1\" is not an amount or \"Jackpot\"").arg(cells.prize);
        return false;
    }
    *tier = read;
    return true;
}

QString tierOddsReport(int pick, int range, const GameRules& rules,
                       const QVector<QString>& rowErrors) {
    const TierChances chances = tierChances(pick, range, rules);
    QStringList lines;
    int tier = 0;
    const int rows = qMax(int(rowErrors.size()), int(rules.tiers.size()));
    for (int row = 0; row < rows; ++row) {
        if (!rowErrors.value(row).isEmpty()) {
            lines << QStringLiteral("Row %1: %2").arg(row + 1).arg(rowErrors[row]);
            continue;
        }
        if (tier >= rules.tiers.size())
            break;
        lines << tierLabel(rules, rules.tiers[tier]) + QStringLiteral(": ") +
                     oneInText(chances.perTier[tier]);
        ++tier;
    }
    lines << QStringLiteral("Any prize: ") + oneInText(chances.anyPrize);
    const bool withJackpot = rules.jackpotCents > 0;
    const double expected = expectedReturnCents(pick, range, rules, withJackpot);
    const QString spent = QStringLiteral("Expected return: %1 for %2 spent")
                              .arg(moneyText(qRound64(expected)), moneyText(rules.priceCents));
    lines << (withJackpot ? spent + QStringLiteral(" including a jackpot of ") +
                                prizeText(rules.jackpotCents)
                          : spent + QStringLiteral(" (not counting the jackpot)"));
    return lines.join(u'\n');
}
