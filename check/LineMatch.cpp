#include "LineMatch.h"

namespace LineMatch {

namespace {

constexpr QChar Blank = u' ';

// Offset of field k's first character from the '>'.
constexpr qsizetype fieldOffset(int k) {
    return 3 + 5 * qsizetype(k - 1);
}

QChar charAt(QStringView line, qsizetype at) {
    return at < line.size() ? line[at] : Blank;
}

bool equals(QChar first, QChar second, const QString& entry) {
    return entry.size() == 2 && entry[0] == first && entry[1] == second;
}

} // namespace

QString paddedEntry(const QString& text) {
    return text.size() == 1 ? QLatin1Char('0') + text : text;
}

QString entryOf(const QString& paddedText) {
    return paddedText.isEmpty() ? QStringLiteral("00") : paddedText;
}

QString field(QStringView line, int k) {
    const qsizetype anchor = line.indexOf(u'>');
    if (anchor < 0 || k < 1 || k > FieldCount)
        return {};
    const qsizetype at = anchor + fieldOffset(k);
    return QString{charAt(line, at)} + charAt(line, at + 1);
}

MatchResult MatchLine(QStringView line, const WinningEntries& entries, bool includeBonus) {
    MatchResult result;
    const qsizetype anchor = line.indexOf(u'>');
    if (anchor < 0)
        return result;
    for (int k = 1; k <= FieldCount; ++k) {
        const qsizetype at = anchor + fieldOffset(k);
        const QChar first = charAt(line, at);
        const QChar second = charAt(line, at + 1);
        const auto hit = [&] {
            ++result.hits;
            result.matched += first;
            result.matched += second;
            result.matched += QLatin1String("  ");
        };
        for (const QString& entry : entries.numbers) {
            if (equals(first, second, entry))
                hit();
        }
        if (includeBonus && equals(first, second, entries.bonus)) {
            hit();
            result.bonusHit = true;
        }
    }
    return result;
}

QString resultLine(const MatchResult& result) {
    QString line = result.matched + QLatin1String("  (") + QString::number(result.hits) +
                   QLatin1String(" Number Hit)");
    if (result.bonusHit)
        line += QLatin1String("  (Bonus)");
    return line;
}

QStringList summaryLines(int winners) {
    if (winners <= 0)
        return {QStringLiteral("No winning combinations found")};
    if (winners == 1)
        return {QString(), QStringLiteral("1 Winning line found")};
    return {QString(), QString::number(winners) + QLatin1String(" Winning combinations found!!!")};
}

CheckResult checkLines(const QStringList& lines, const WinningEntries& entries, int minimumCorrect,
                       bool includeBonus) {
    CheckResult result;
    for (qsizetype i = HeaderLineCount; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (!line.contains(u'>'))
            continue;
        const MatchResult match = MatchLine(line, entries, includeBonus);
        if (match.hits >= minimumCorrect) {
            ++result.winners;
            result.lines << resultLine(match);
        }
    }
    result.lines << summaryLines(result.winners);
    return result;
}

} // namespace LineMatch
