#include "WheelPage.h"

#include "lines/ListPage.h"

namespace WheelPage {

TextPage page(const TLotteryState& state, const QVector<int>& numbers, const QString& summary,
              const QStringList& oddsRows, const QStringList& list) {
    TextPage page = ListPage::page(state, list, QStringLiteral("Wheel"));
    QStringList mine;
    for (const int number : numbers)
        mine << QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
    page.intro = QStringList{QStringLiteral("Your numbers: ") + mine.join(u' '), summary, QString(),
                             QStringLiteral("Chances in one draw of the game")} +
                 oddsRows + QStringList{QString()};
    return page;
}

} // namespace WheelPage
