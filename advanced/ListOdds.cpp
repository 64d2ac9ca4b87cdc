#include "advanced/ListOdds.h"

#include "advanced/PlainNumbers.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

QString chanceWording(long double chance) {
    if (!(chance > 0))
        return QStringLiteral("none");
    if (chance >= 1)
        return QStringLiteral("100 %");
    if (chance >= 0.5L) {
        const long double percent = chance * 100;
        return percent >= 99.5L ? QStringLiteral("over 99 %")
                                : QStringLiteral("%1 %").arg(qint64(std::lround(double(percent))));
    }
    const double oneIn = double(1 / chance);
    if (oneIn >= 99.95) // from there three figures are the whole number
        return QStringLiteral("1 in ") + groupedCount(qint64(std::llround(oneIn)));
    const int decimals = oneIn >= 9.995 ? 1 : 2;
    return QStringLiteral("1 in ") + QString::number(oneIn, 'f', decimals);
}

QString listOddsWorkingText(int lines) {
    return lines == 1
               ? QStringLiteral("Chances for this line: working…")
               : QStringLiteral("Chances for these %1 lines: working…").arg(groupedCount(lines));
}

QString listOddsText(const SetOdds& odds, int lines, int lineSize) {
    QStringList parts;
    for (int h = lineSize; h >= std::min(3, lineSize) && h >= 1; --h) {
        // In an estimate only the whole-line tier, counted outright, is exact.
        const bool about = odds.estimated && (h != lineSize || odds.standardError[size_t(h)] != 0);
        parts << QStringLiteral("%1: %2%3")
                     .arg(h == 1 ? QStringLiteral("1 hit") : QStringLiteral("%1 hits").arg(h))
                     .arg(about ? QStringLiteral("about ") : QString())
                     .arg(chanceWording(odds.atLeast[size_t(h)]));
    }
    const QString who =
        lines == 1
            ? QStringLiteral("Chance that this line has ")
            : QStringLiteral("Chance that one of these %1 lines has ").arg(groupedCount(lines));
    return who + parts.join(QStringLiteral(" · "));
}

ListOddsJob::ListOddsJob(QVector<QVector<int>> lines, int lineSize, int highest)
    : lines_(std::move(lines)), lineSize_(lineSize), highest_(highest) {
    thread_ = std::thread([this] {
        SetOddsOptions options;
        options.stop = &stop_;
        odds_ = ComputeSetOdds(lines_, lineSize_, highest_, options);
        finished_.store(true, std::memory_order_release);
    });
}

ListOddsJob::~ListOddsJob() {
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}
