#include "ListPage.h"

#include "CheckFile.h"
#include "state/LotteryState.h"

namespace ListPage {

QString gameName(const TLotteryState& state) {
    return state.DatabaseLoaded ? state.DataName : QString();
}

TextPage page(const TLotteryState& state, const QStringList& list, const QString& title) {
    TextPage page;
    page.title = title;
    page.game = gameName(state);
    const QStringList banner = CheckFile::headerLines();
    if (list.mid(0, banner.size()) == banner) {
        page.intro = banner;
        page.lines = list.mid(banner.size());
    } else {
        page.lines = list;
    }
    return page;
}

} // namespace ListPage
