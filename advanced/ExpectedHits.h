#pragma once

#include <QString>
#include <QtGlobal>

// "Expected among 100 lines: 6 hits 0.00000715, 5 hits 0.00184, 4 hits 0.0969, 3 hits 1.77":
// how many of `lines` random lines of `lineSize` numbers from 1..highest are expected to have
// each number of hits in one draw, from the most down to 3 (down to 1 for shorter lines).
QString expectedHitsText(quint64 lines, int lineSize, int highest);
