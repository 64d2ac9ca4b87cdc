#pragma once

// A list of lines as a printed page: the check file's banner across the top, the lines in
// columns, the loaded game in the header.

#include "platform/PageLayout.h"

struct TLotteryState;

namespace ListPage {

// The loaded game's name, or "" when none is loaded.
QString gameName(const TLotteryState& state);

// `list` as a window shows it: when it opens with the check file's banner, the banner is the
// page's intro and the rest its lines.
TextPage page(const TLotteryState& state, const QStringList& list, const QString& title);

} // namespace ListPage
