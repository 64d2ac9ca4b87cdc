#include "CheckPage.h"

#include "lines/ListPage.h"

namespace CheckPage {

TextPage page(const TLotteryState& state, const QStringList& numbers, const QString& bonus,
              int minimumCorrect, bool includeBonus, const QString& results, int winners) {
    TextPage page;
    page.title = QStringLiteral("Winning lines");
    page.game = ListPage::gameName(state);
    QString winning = QStringLiteral("Winning numbers: ") + numbers.join(u' ');
    if (!bonus.isEmpty())
        winning += QStringLiteral("   Bonus: ") + bonus;
    QString rule = QStringLiteral("Lines with at least %1 correct numbers").arg(minimumCorrect);
    if (includeBonus)
        rule += QStringLiteral(", the bonus number included");
    const QStringList listed = results.split(u'\n');
    page.intro = QStringList{winning, rule};
    for (const QString& summary : listed.mid(winners))
        if (!summary.isEmpty())
            page.intro << summary;
    page.intro << QString();
    page.lines = listed.mid(0, winners);
    return page;
}

} // namespace CheckPage
