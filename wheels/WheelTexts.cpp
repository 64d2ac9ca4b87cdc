#include "wheels/WheelTexts.h"

#include "lines/CheckFile.h"
#include "lines/LineGenerator.h"
#include "odds/ThreeFigures.h"

#include <QLocale>
#include <cmath>

namespace WheelTexts {

QStringList checkFileLines(const QVector<QVector<int>>& lines, int highest) {
    QStringList text = CheckFile::headerLines();
    for (QVector<int> line : lines) {
        std::sort(line.begin(), line.end());
        QStringList numbers;
        for (const int n : line)
            numbers << twoDigitText(n);
        text << QStringLiteral("%1/%2  >  ").arg(line.size()).arg(highest) +
                    numbers.join(QLatin1String(" - "));
    }
    return text;
}

QString summary(const WheelTerms& terms, int lineCount, const GuaranteeCheck& check) {
    const QString lines =
        lineCount == 1 ? QStringLiteral("1 line") : QStringLiteral("%1 lines").arg(lineCount);
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
        QString row = QStringLiteral("%1 or more on one line: ").arg(h);
        if (chance <= 0) {
            rows << row + QStringLiteral("never");
            continue;
        }
        const bool about = odds.estimated && odds.standardError[size_t(h)] > 0;
        if (about)
            row += QStringLiteral("about ");
        row += QStringLiteral("1 in %1 (%2 %").arg(oneIn(chance), percent(chance));
        if (about)
            row += QStringLiteral(" ± %1 %").arg(percent(odds.standardError[size_t(h)]));
        rows << row + QLatin1Char(')');
    }
    return rows;
}

} // namespace WheelTexts
