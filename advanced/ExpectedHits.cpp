#include "advanced/ExpectedHits.h"

#include "odds/LineOdds.h"
#include "odds/ThreeFigures.h"

#include <QStringList>
#include <algorithm>

QString expectedHitsText(quint64 lines, int lineSize, int highest) {
    QStringList hits;
    for (int h = lineSize; h >= std::min(3, lineSize) && h >= 1; --h)
        hits << QStringLiteral("%1 hits %2")
                    .arg(h)
                    .arg(threeFigures(ExpectedLinesWithHits(lines, lineSize, highest, h)));
    return QStringLiteral("Expected among %1 lines: ").arg(lines) + hits.join(QLatin1String(", "));
}
