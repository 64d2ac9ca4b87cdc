#include "advanced/BacktestReport.h"

#include "odds/LineOdds.h"
#include "odds/ThreeFigures.h"
#include "platform/SafeFile.h"

#include <cmath>

namespace {

constexpr double Significance = 0.05;

QString mixText(const Composition& c) {
    return QStringLiteral("%1 Hot, %2 Avg, %3 Cold and %4 Random")
        .arg(c.hot)
        .arg(c.average)
        .arg(c.cold)
        .arg(c.random);
}

// From 3 hits up to a whole line; lines shorter than three from 1 hit.
int fewestHitsShown(int pick) {
    return pick < 3 ? 1 : 3;
}

// Three significant figures also above a thousand, where threeFigures keeps every digit.
QString expectedText(long double value) {
    if (value < 1000)
        return threeFigures(value);
    const double scale = std::pow(10.0, std::floor(std::log10(double(value))) - 2);
    return QString::number(std::round(double(value) / scale) * scale, 'f', 0);
}

template <typename Figure> QString hitsRow(const QString& title, int pick, Figure figure) {
    QStringList hits;
    for (int h = fewestHitsShown(pick); h <= pick; ++h)
        hits << QStringLiteral("%1 hits %2").arg(h).arg(figure(h));
    return title + hits.join(QLatin1String(", "));
}

double meanHits(const HitTally& tally) {
    quint64 lines = 0;
    quint64 hits = 0;
    for (size_t h = 0; h < tally.size(); ++h) {
        lines += tally[h];
        hits += h * tally[h];
    }
    return lines ? double(hits) / double(lines) : 0;
}

QString pText(double p) {
    if (p >= 0.0001)
        return threeFigures(p);
    return p > 0 ? QString::number(p, 'e', 2) : QStringLiteral("0");
}

QString meaning(const BacktestComparison& comparison) {
    if (!comparison.available)
        return QStringLiteral("Too few draws were tested to compare the mix with random lines.");
    if (comparison.p >= Significance)
        return QStringLiteral("Your mix caught no more and no fewer numbers than random lines "
                              "beyond what chance alone often gives.");
    return comparison.meanDifference > 0
               ? QStringLiteral("Your mix caught more numbers than random lines, by more than "
                                "chance alone usually gives (p below 0.05), though one run in "
                                "twenty does so by chance: run it again before trusting it.")
               : QStringLiteral("Your mix caught fewer numbers than random lines, by more than "
                                "chance alone usually gives (p below 0.05), though one run in "
                                "twenty does so by chance.");
}

} // namespace

BacktestComparison compareWithRandom(const BacktestTally& tally, int linesPerDraw) {
    BacktestComparison comparison;
    const double n = tally.drawsTested;
    if (tally.drawsTested < 2 || linesPerDraw < 1)
        return comparison;
    comparison.available = true;
    const double mean = double(tally.differenceSum) / n;
    const double variance =
        std::max(0.0, (double(tally.differenceSquares) - n * mean * mean) / (n - 1));
    comparison.meanDifference = mean / linesPerDraw;
    if (variance == 0) {
        // Every draw gave the same difference: none at all, or one no chance would spread.
        comparison.z = 0;
        comparison.p = mean == 0 ? 1 : 0;
        return comparison;
    }
    comparison.z = mean / std::sqrt(variance / n);
    comparison.p = std::erfc(std::fabs(comparison.z) / std::sqrt(2.0));
    return comparison;
}

QStringList backtestReport(const BacktestSetup& setup, const BacktestTally& tally, int drawsToTest,
                           bool stopped) {
    const int pick = setup.pick;
    const int highest = setup.highest;
    const quint64 lines = quint64(tally.drawsTested) * quint64(setup.linesPerDraw);
    QStringList rows;
    rows << QStringLiteral("Back-test of %1 numbers a line, %2 from 1 - %3")
                .arg(mixText(setup.composition))
                .arg(pick)
                .arg(highest);
    if (stopped)
        rows << QStringLiteral("Stopped after %1 of %2 draws")
                    .arg(tally.drawsTested + tally.drawsSkipped)
                    .arg(drawsToTest);
    rows << QStringLiteral("Draws tested: %1").arg(tally.drawsTested);
    QString skipped = QStringLiteral("Draws skipped: %1").arg(tally.drawsSkipped);
    if (!tally.firstSkipped.isEmpty()) {
        QStringList dates;
        for (const SkippedDraw& draw : tally.firstSkipped)
            dates << draw.date;
        skipped += QStringLiteral(" (the mix could not be made for %1: %2)")
                       .arg(tally.drawsSkipped > tally.firstSkipped.size()
                                ? QStringLiteral("them; the first")
                                : QStringLiteral("them"))
                       .arg(dates.join(QLatin1String(", ")));
    }
    rows << skipped;
    rows << QStringLiteral("Lines a draw: %1").arg(setup.linesPerDraw);
    rows << QStringLiteral("Seed: %1").arg(setup.seed);
    rows << QString();
    rows << hitsRow(QStringLiteral("Your mix: "), pick,
                    [&](int h) { return QString::number(tally.mix[size_t(h)]); });
    rows << hitsRow(QStringLiteral("Random lines: "), pick,
                    [&](int h) { return QString::number(tally.random[size_t(h)]); });
    rows << hitsRow(QStringLiteral("Expected for any lines: "), pick, [&](int h) {
        return expectedText(ExpectedLinesWithHits(lines, pick, highest, h));
    });
    long double expectedMean = 0;
    for (int h = 1; h <= pick; ++h)
        expectedMean += h * ChanceOfHits(pick, highest, h);
    rows << QStringLiteral("Mean hits a line: your mix %1, random lines %2, expected %3")
                .arg(meanHits(tally.mix), 0, 'f', 4)
                .arg(meanHits(tally.random), 0, 'f', 4)
                .arg(double(expectedMean), 0, 'f', 4);
    rows << QString();

    const BacktestComparison comparison = compareWithRandom(tally, setup.linesPerDraw);
    rows << QStringLiteral("Test: paired z-test of the mean hits a line, draw by draw "
                           "(normal approximation, two-sided)");
    rows << (comparison.available ? QStringLiteral("z = %1, p = %2")
                                        .arg(comparison.z, 0, 'f', 2)
                                        .arg(pText(comparison.p))
                                  : QStringLiteral("p = n/a"));
    rows << meaning(comparison);
    return rows;
}

QString writeBacktestReport(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return writeFileMessage(writeWholeFile(path, bytes), path);
}
