#include "odds/LineOdds.h"

#include "odds/Binomial.h"

namespace {

bool gameExists(int lineSize, int highest) {
    return lineSize >= 1 && highest >= lineSize;
}

} // namespace

quint64 DrawsWithHits(int lineSize, int highest, int hits) {
    if (!gameExists(lineSize, highest) || hits < 0 || hits > lineSize)
        return 0;
    return Binomial(lineSize, hits) * Binomial(highest - lineSize, lineSize - hits);
}

quint64 AllDraws(int lineSize, int highest) {
    return gameExists(lineSize, highest) ? Binomial(highest, lineSize) : 0;
}

long double ChanceOfHits(int lineSize, int highest, int hits) {
    const quint64 all = AllDraws(lineSize, highest);
    if (all == 0)
        return 0;
    return static_cast<long double>(DrawsWithHits(lineSize, highest, hits)) /
           static_cast<long double>(all);
}

long double ExpectedLinesWithHits(quint64 lines, int lineSize, int highest, int hits) {
    return static_cast<long double>(lines) * ChanceOfHits(lineSize, highest, hits);
}
