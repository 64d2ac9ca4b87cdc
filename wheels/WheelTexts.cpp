#include "wheels/WheelTexts.h"

#include "games/Money.h"
#include "lines/CheckFile.h"
#include "lines/LineGenerator.h"
#include "odds/ThreeFigures.h"
#include "state/GroupedCount.h"

#include <QLocale>
#include <cmath>

namespace WheelTexts {

namespace {

// "02 - 13 - 40", lowest first, appended to `row`.
void appendJoined(QString& row, QVector<int> numbers) {
    std::sort(numbers.begin(), numbers.end());
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        if (i > 0)
            row += QLatin1String(" - ");
        row += twoDigitText(numbers[i]);
    }
}

} // namespace

QStringList checkFileLines(const QVector<QVector<int>>& lines, int highest) {
    QVector<PlayedLine> played;
    for (const QVector<int>& line : lines)
        played.append({line, {}});
    return checkFileLines(played, highest);
}

QStringList checkFileLines(const QVector<PlayedLine>& lines, int highest) {
    QStringList text = CheckFile::headerLines();
    text.reserve(text.size() + lines.size());
    // Built piece by piece: a wheel of 400,000 lines took 0.4 s of the window's time with
    // a text pattern filled per line.
    QString prefix;
    qsizetype prefixSize = -1;
    for (const PlayedLine& line : lines) {
        if (line.main.size() != prefixSize) {
            prefixSize = line.main.size();
            prefix = QStringLiteral("%1/%2  >  ").arg(prefixSize).arg(highest);
        }
        QString row;
        row.reserve(prefix.size() + 5 * line.main.size() + 5 * line.extras.size() + 5);
        row += prefix;
        appendJoined(row, line.main);
        if (!line.extras.isEmpty())
            row += CheckFile::extrasText(line.extras);
        text << row;
    }
    return text;
}

QString summary(const WheelTerms& terms, int lineCount, const GuaranteeCheck& check) {
    const QString lines = countedLines(lineCount);
    const QString cases = QLocale(QLocale::English).toString(check.casesChecked);
    if (!check.problem.isEmpty())
        return lines + QStringLiteral(": ") + check.problem;
    if (!check.holds)
        return QStringLiteral("%1: the guarantee fails in %2 of the %3 cases checked")
            .arg(lines, QLocale(QLocale::English).toString(check.missedCases), cases);
    return QStringLiteral("%1: if %2 of the drawn numbers are among your %3, one line has at "
                          "least %4 of them (all %5 cases checked)")
        .arg(lines)
        .arg(terms.ifDrawn)
        .arg(terms.pool)
        .arg(terms.guarantee)
        .arg(cases);
}

namespace {

// A chance as a percentage: "0.00000715", "1.86", "100".
QString percent(long double chance) {
    return threeFigures(chance * 100);
}

// "13,983,816" for big odds, "1.86" for small ones.
QString oneIn(long double chance) {
    const long double x = 1 / chance;
    const QLocale english(QLocale::English);
    if (x >= 100)
        return english.toString(double(std::round(double(x))), 'f', 0);
    return english.toString(double(x), 'f', x >= 10 ? 1 : 2);
}

} // namespace

QStringList oddsRows(const SetOdds& odds, int lineSize) {
    QStringList rows;
    for (int h = std::min(lineSize, SetOdds::MaxHits); h >= 1; --h) {
        const long double chance = odds.atLeast[size_t(h)];
        QString row = h == lineSize ? QStringLiteral("%1 on one line: ").arg(h)
                                    : QStringLiteral("%1 or more on one line: ").arg(h);
        if (odds.lessThan[size_t(h)] > 0) {
            rows << row + QStringLiteral("less than 1 in %1").arg(oneIn(odds.lessThan[size_t(h)]));
            continue;
        }
        if (chance <= 0) {
            rows << row + QStringLiteral("never");
            continue;
        }
        const bool about = odds.estimated && odds.standardError[size_t(h)] > 0;
        if (about)
            row += QStringLiteral("about ");
        const QString error =
            about ? QStringLiteral(" ± %1 %").arg(percent(odds.standardError[size_t(h)]))
                  : QString();
        if (chance >= 0.5L)
            row += QStringLiteral("%1 %").arg(percent(chance)) + error;
        else
            row += QStringLiteral("1 in %1 (%2 %").arg(oneIn(chance), percent(chance)) + error +
                   QLatin1Char(')');
        rows << row;
    }
    return rows;
}

QString budgetSummary(const WheelTerms& terms, int lineCount, const GuaranteeCheck& check) {
    const QLocale english(QLocale::English);
    const QString lines = countedLines(lineCount);
    if (!check.problem.isEmpty() || check.casesChecked == 0)
        return lines + QStringLiteral(": ") + check.problem;
    const quint64 held = check.casesChecked - check.missedCases;
    return QStringLiteral("%1: %2 if %3 holds in %4 of %5 cases (%6 %)")
        .arg(lines)
        .arg(terms.guarantee)
        .arg(terms.ifDrawn)
        .arg(english.toString(held), english.toString(check.casesChecked),
             english.toString(100.0 * double(held) / double(check.casesChecked), 'f', 1));
}

QString randomComparison(const SetOdds& odds, int lineSize, int hits) {
    const QStringList rows = oddsRows(odds, lineSize);
    const int at = std::min(lineSize, SetOdds::MaxHits) - hits;
    if (odds.cancelled || at < 0 || at >= rows.size())
        return {};
    return QStringLiteral("Random lines of these numbers: ") +
           QString(rows[at]).replace(QStringLiteral("line: "), QStringLiteral("line "));
}

QString loadedSummary(const WheelTerms& terms, int lineCount, const GuaranteeCheck& check,
                      const QVector<int>& playerNumbers) {
    const QLocale english(QLocale::English);
    const QString head = QStringLiteral("%1 on %2 numbers: %3 if %4 ")
                             .arg(countedLines(lineCount))
                             .arg(terms.pool)
                             .arg(terms.guarantee)
                             .arg(terms.ifDrawn);
    if (!check.problem.isEmpty())
        return head.trimmed() + QStringLiteral(": ") + check.problem;
    if (check.holds)
        return head + QStringLiteral("holds in every case");
    QStringList example;
    for (const int n : LineNumbers(check.firstMissed, playerNumbers))
        example << twoDigitText(n);
    return head + QStringLiteral("fails in %1 of %2 cases, for example %3")
                      .arg(english.toString(check.missedCases),
                           english.toString(check.casesChecked), example.join(u' '));
}

QString searchOutcome(int lineCount, const WheelResult& result, int effortSeconds) {
    const auto seconds = [](qint64 ms) { return QString::number(double(ms) / 1000, 'f', 1); };
    if (result.hurriedStart)
        return QStringLiteral("%1, finished in haste: the effort ran out before the first "
                              "wheel was done")
            .arg(countedLines(lineCount));
    if (result.reachedLowerBound)
        return QStringLiteral("%1, found in %2 s: no wheel of this kind has fewer")
            .arg(countedLines(lineCount))
            .arg(seconds(result.msToBest));
    return QStringLiteral("%1, the fewest found in %2 s")
        .arg(countedLines(lineCount))
        .arg(seconds(std::min<qint64>(result.msSearched, qint64(effortSeconds) * 1000)));
}

QString effortBar(qint64 ms, int effortSeconds) {
    ms = std::clamp<qint64>(ms, 0, qint64(effortSeconds) * 1000);
    return QStringLiteral("%1 s of %2 s")
        .arg(QString::number(double(ms) / 1000, 'f', 1))
        .arg(effortSeconds);
}

QString playedSummary(int groups, bool everyLineGetsEach, int played, qint64 priceCents) {
    if (groups == 0)
        return {};
    const QString cost = priceCents > 0
                             ? QStringLiteral(", costing %1").arg(moneyText(priceCents * played))
                             : QString();
    if (everyLineGetsEach && groups > 1)
        return QStringLiteral("Every line is played with each of the %1 extra choices: %2 lines "
                              "played%3.")
            .arg(groups)
            .arg(played)
            .arg(cost);
    return QStringLiteral("The lines take the %1 extra choices in turn: %2 lines played%3.")
        .arg(groups)
        .arg(played)
        .arg(cost);
}

QString stakeQuestion(int lineCount, qint64 priceCents, const QString& verb) {
    const QLocale english(QLocale::English);
    const auto money = [&](qint64 cents) { return english.toString(double(cents) / 100, 'f', 2); };
    QString text = QStringLiteral("This wheel has %1 lines").arg(english.toString(lineCount));
    if (priceCents > 0)
        text += QStringLiteral(": at %1 a line they cost %2")
                    .arg(money(priceCents), money(priceCents * lineCount));
    return text + QStringLiteral(". %1 all of them?").arg(verb);
}

} // namespace WheelTexts
