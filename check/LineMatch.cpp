#include "LineMatch.h"

#include "check/TierResult.h"
#include "lines/CheckFile.h"

namespace LineMatch {

namespace {

constexpr char16_t Blank = u' ';
constexpr int EntryCount = FieldCount + 1; // W1..W7, then B

// Offset of field k's first character from the '>'.
constexpr qsizetype fieldOffset(int k) {
    return 3 + 5 * qsizetype(k - 1);
}

// Two characters as one number; an entry that is not two characters long gets a value no
// field can have, so it matches nothing.
using Key = quint64;
constexpr Key NoKey = ~Key(0);

Key keyOf(char16_t first, char16_t second) {
    return (Key(first) << 16) | second;
}

Key keyOf(const QString& entry) {
    return entry.size() == 2 ? keyOf(entry[0].unicode(), entry[1].unicode()) : NoKey;
}

struct Keys {
    std::array<Key, EntryCount> entries{};
    explicit Keys(const WinningEntries& winning) {
        for (int k = 0; k < FieldCount; ++k)
            entries[size_t(k)] = keyOf(winning.numbers[size_t(k)]);
        entries[FieldCount] = keyOf(winning.bonus);
    }
};

// Every hit in the order found: at most one per entry and field.
struct Hits {
    std::array<Key, EntryCount * FieldCount> fields; // only the first `count` are set
    int count = 0;
    bool bonusHit = false;
};

char16_t charAt(QStringView line, qsizetype at) {
    return at < line.size() ? line[at].unicode() : Blank;
}

// `anchor` is the position of the line's first '>'.
void match(QStringView line, qsizetype anchor, const Keys& keys, bool includeBonus, Hits& hits) {
    const int lastEntry = includeBonus ? FieldCount : FieldCount - 1;
    for (int k = 1; k <= FieldCount; ++k) {
        const qsizetype at = anchor + fieldOffset(k);
        const Key field = keyOf(charAt(line, at), charAt(line, at + 1));
        for (int e = 0; e <= lastEntry; ++e) {
            if (keys.entries[size_t(e)] != field)
                continue;
            hits.fields[size_t(hits.count++)] = field;
            if (e == FieldCount)
                hits.bonusHit = true;
        }
    }
}

void appendField(QString& text, Key field) {
    text += QChar(char16_t(field >> 16));
    text += QChar(char16_t(field & 0xFFFF));
    text += QLatin1String("  ");
}

// matched text + "  (n Number Hit)" [+ "  (Bonus)"]
void appendResult(QString& text, const Hits& hits) {
    for (int i = 0; i < hits.count; ++i)
        appendField(text, hits.fields[size_t(i)]);
    text += QLatin1String("  (");
    if (hits.count >= 10)
        text += QChar(u'0' + hits.count / 10);
    text += QChar(u'0' + hits.count % 10);
    text += QLatin1String(" Number Hit)");
    if (hits.bonusHit)
        text += QLatin1String("  (Bonus)");
}

// The extra hits of `line` for the tier it wins.
int extraHitsOf(QStringView line, const Hits& hits, const TierCheck& tiers) {
    if (tiers.rules->extra == ExtraKind::SameDrumBonus)
        return hits.bonusHit ? 1 : 0;
    if (tiers.rules->extra != ExtraKind::SecondDrum)
        return 0;
    int count = 0;
    for (int extra : CheckFile::extrasOf(line.toString()))
        count += tiers.extras.contains(extra);
    return count;
}

// Both kinds of line list, walked in order.
template <typename Lines>
CheckResult checkAll(const Lines& lines, const WinningEntries& entries, int minimumCorrect,
                     bool includeBonus, const TierCheck& tiers = {}) {
    CheckResult result;
    const Keys keys(entries);
    qsizetype index = 0;
    for (const QStringView line : lines) {
        if (index++ < HeaderLineCount)
            continue;
        const qsizetype anchor = line.indexOf(u'>');
        if (anchor < 0)
            continue;
        Hits hits;
        match(line, anchor, keys, includeBonus, hits);
        QString tier;
        if (tiers.rules && tiers.rules->present)
            tier = tierResultText(*tiers.rules, hits.count, extraHitsOf(line, hits, tiers));
        if (hits.count < minimumCorrect && tier.isEmpty())
            continue;
        ++result.winners;
        appendResult(result.text, hits);
        result.text += tier;
        result.text += u'\n';
    }
    result.text += summaryLines(result.winners).join(u'\n');
    return result;
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
    return QString{QChar(charAt(line, at))} + QChar(charAt(line, at + 1));
}

MatchResult MatchLine(QStringView line, const WinningEntries& entries, bool includeBonus) {
    MatchResult result;
    const qsizetype anchor = line.indexOf(u'>');
    if (anchor < 0)
        return result;
    Hits hits;
    match(line, anchor, Keys(entries), includeBonus, hits);
    result.hits = hits.count;
    result.bonusHit = hits.bonusHit;
    for (int i = 0; i < hits.count; ++i)
        appendField(result.matched, hits.fields[size_t(i)]);
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
    return checkAll(lines, entries, minimumCorrect, includeBonus);
}

CheckResult checkLines(const TextLines& lines, const WinningEntries& entries, int minimumCorrect,
                       bool includeBonus) {
    return checkAll(lines, entries, minimumCorrect, includeBonus);
}

CheckResult checkLines(const TextLines& lines, const WinningEntries& entries, int minimumCorrect,
                       bool includeBonus, const TierCheck& tiers) {
    return checkAll(lines, entries, minimumCorrect, includeBonus, tiers);
}

} // namespace LineMatch
