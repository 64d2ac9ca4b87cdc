#pragma once

// A wheel as a printed page: the player's numbers, the guarantee with the line count, and the
// chances of each prize open it; the wheel's lines follow in columns.

#include "platform/PageLayout.h"

#include <QVector>

struct TLotteryState;

namespace WheelPage {

// `list` as the wheels window holds it, the check file's banner first; `summary` and `oddsRows`
// as the window shows them.
TextPage page(const TLotteryState& state, const QVector<int>& numbers, const QString& summary,
              const QStringList& oddsRows, const QStringList& list);

} // namespace WheelPage
