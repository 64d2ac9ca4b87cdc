#include "advanced/BacktestReport.h"

#include "advanced/PlainNumbers.h"
#include "odds/LineOdds.h"
#include "odds/ThreeFigures.h"

#include <boost/math/distributions/students_t.hpp>
#include <cmath>

namespace {

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
    // Past what a double holds the tail is still above 0: say so rather than print 0.
    return p > 0 ? QString::number(p, 'e', 2) : QStringLiteral("1e-300 or less");
}

// Columns of right-aligned figures under their headings, three blanks apart.
QStringList alignedTable(const QList<QStringList>& rows) {
    QList<qsizetype> widths;
    for (const QStringList& row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (widths.size() <= c)
                widths << 0;
            widths[c] = std::max(widths[c], row[c].size());
        }
    }
    QStringList lines;
    for (const QStringList& row : rows) {
        QStringList cells;
        for (qsizetype c = 0; c < row.size(); ++c)
            cells << row[c].rightJustified(widths[c]);
        lines << cells.join(QLatin1String("   "));
    }
    return lines;
}

QString testedLine(const BacktestTally& tally, int storedDraws, bool stopped) {
    QStringList notes;
    if (stopped)
        notes << QStringLiteral("stopped early");
    notes << QStringLiteral("the first %1 only teach the classes").arg(BacktestFirstTested);
    if (tally.drawsSkipped > 0)
        notes << QStringLiteral("the mix could not be made for %1")
                     .arg(groupedCount(tally.drawsSkipped));
    return QStringLiteral("Draws tested: %1 of %2 (%3)")
        .arg(groupedCount(tally.drawsTested), groupedCount(storedDraws),
             notes.join(QLatin1String("; ")));
}

} // namespace

BacktestComparison compareWithRandom(const BacktestTally& tally, int linesPerDraw) {
    BacktestComparison comparison;
    const double n = tally.drawsTested;
    if (tally.drawsTested < 2 || linesPerDraw < 1)
        return comparison;
    comparison.available = true;
    const double mean = double(tally.differenceSum) / n;
    // From whole-number sums: exactly 0 when every draw gave the same difference.
    const __int128 spread = __int128(tally.differenceSquares) * tally.drawsTested -
                            __int128(tally.differenceSum) * tally.differenceSum;
    const double variance = std::max(0.0, double(spread) / (n * (n - 1)));
    comparison.meanDifference = mean / linesPerDraw;
    if (variance == 0) {
        comparison.sameEveryDraw = true;
        comparison.p = mean == 0 ? 1 : std::min(1.0, std::ldexp(1.0, 1 - tally.drawsTested));
        return comparison;
    }
    const double standardError = std::sqrt(variance / n);
    const boost::math::students_t distribution(n - 1);
    comparison.t = mean / standardError;
    comparison.p = std::min(
        1.0, 2 * boost::math::cdf(boost::math::complement(distribution, std::fabs(comparison.t))));
    comparison.halfWidth = boost::math::quantile(boost::math::complement(distribution, 0.025)) *
                           standardError / linesPerDraw;
    return comparison;
}

BacktestVerdict backtestVerdict(const BacktestComparison& comparison, int drawsTested) {
    if (!comparison.available || drawsTested < BacktestMinimumDraws)
        return BacktestVerdict::TooFewDraws;
    if (comparison.p < BacktestClearP)
        return BacktestVerdict::ClearDifference;
    if (comparison.p < BacktestChanceP)
        return BacktestVerdict::ChanceNowAndThen;
    return BacktestVerdict::NoBetterThanChance;
}

QString backtestVerdictText(const BacktestTally& tally, int linesPerDraw) {
    if (tally.drawsTested == 0 || linesPerDraw < 1)
        return QStringLiteral("No draw was tested. Too few draws to judge.");
    const BacktestComparison comparison = compareWithRandom(tally, linesPerDraw);
    const double mean = comparison.available
                            ? comparison.meanDifference
                            : double(tally.differenceSum) / tally.drawsTested / linesPerDraw;
    const QString size = QString::number(std::fabs(mean), 'f', 3);
    QString sentence =
        QStringLiteral("Over %1 %2 your mix caught ")
            .arg(groupedCount(tally.drawsTested))
            .arg(tally.drawsTested == 1 ? QStringLiteral("draw") : QStringLiteral("draws"));
    if (size == QLatin1String("0.000"))
        sentence += QStringLiteral("as many numbers a line as random lines");
    else
        sentence += QStringLiteral("%1 %2 numbers a line than random lines")
                        .arg(size, mean > 0 ? QStringLiteral("more") : QStringLiteral("fewer"));
    if (comparison.available)
        sentence +=
            QStringLiteral(" (give or take %1)").arg(QString::number(comparison.halfWidth, 'f', 3));
    switch (backtestVerdict(comparison, tally.drawsTested)) {
    case BacktestVerdict::TooFewDraws:
        return sentence + QStringLiteral(". Too few draws to judge.");
    case BacktestVerdict::ClearDifference:
        return sentence + QStringLiteral(": a clear difference, beyond what chance gives.");
    case BacktestVerdict::ChanceNowAndThen:
        return sentence + QStringLiteral(": within what chance gives now and then.");
    case BacktestVerdict::NoBetterThanChance:
        break;
    }
    return sentence + QStringLiteral(": no better than chance.");
}

QStringList backtestReport(const BacktestSetup& setup, const BacktestTally& tally, int storedDraws,
                           bool stopped) {
    const int pick = setup.pick;
    const int highest = setup.highest;
    const quint64 lines = quint64(tally.drawsTested) * quint64(setup.linesPerDraw);
    const auto expected = [&](int h) {
        return expectedText(ExpectedLinesWithHits(lines, pick, highest, h));
    };
    QStringList rows;
    rows << backtestVerdictText(tally, setup.linesPerDraw);
    rows << QStringLiteral("Both sets of lines are random, so a second run of the same settings "
                           "reads a little differently.");
    rows << QString();
    QList<QStringList> table{{QStringLiteral("Hits"), QStringLiteral("Your mix"),
                              QStringLiteral("Random lines"), QStringLiteral("Expected")}};
    for (int h = fewestHitsShown(pick); h <= pick; ++h)
        table << QStringList{QString::number(h), groupedCount(qint64(tally.mix[size_t(h)])),
                             groupedCount(qint64(tally.random[size_t(h)])),
                             groupedFigure(expected(h))};
    rows << alignedTable(table);
    rows << QString();
    rows << testedLine(tally, storedDraws, stopped);
    rows << QString();

    rows << QStringLiteral("Details:");
    rows << QStringLiteral("Back-test of %1 numbers a line, %2 from 1 - %3")
                .arg(mixText(setup.composition))
                .arg(pick)
                .arg(highest);
    if (stopped)
        rows << QStringLiteral("Stopped after %1 of %2 draws")
                    .arg(tally.drawsTested + tally.drawsSkipped)
                    .arg(backtestDrawsToTest(storedDraws));
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
    rows << hitsRow(QStringLiteral("Your mix: "), pick,
                    [&](int h) { return QString::number(tally.mix[size_t(h)]); });
    rows << hitsRow(QStringLiteral("Random lines: "), pick,
                    [&](int h) { return QString::number(tally.random[size_t(h)]); });
    rows << hitsRow(QStringLiteral("Expected for any lines: "), pick, expected);
    long double expectedMean = 0;
    for (int h = 1; h <= pick; ++h)
        expectedMean += h * ChanceOfHits(pick, highest, h);
    rows << QStringLiteral("Mean hits a line: your mix %1, random lines %2, expected %3")
                .arg(meanHits(tally.mix), 0, 'f', 4)
                .arg(meanHits(tally.random), 0, 'f', 4)
                .arg(double(expectedMean), 0, 'f', 4);

    const BacktestComparison comparison = compareWithRandom(tally, setup.linesPerDraw);
    rows << QStringLiteral("Test: paired Student's t-test of the mean hits a line, draw by draw "
                           "(two-sided)");
    if (!comparison.available)
        rows << QStringLiteral("t = n/a, p = n/a");
    else if (comparison.sameEveryDraw)
        rows << QStringLiteral("t = n/a (every draw gave the same difference), p = %1")
                    .arg(pText(comparison.p));
    else
        rows << QStringLiteral("t = %1, p = %2")
                    .arg(comparison.t, 0, 'f', 2)
                    .arg(pText(comparison.p));
    return rows;
}

