#pragma once

#include "lines/TextLines.h"
#include "state/GameRules.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

// Matching the saved lines of a check file against a winning line. Everything is compared as
// two-character text: the k-th field of a saved line is the two characters starting
// 3 + 5(k - 1) after its first '>', and a field equals an entry only when both characters do.
// Nothing is converted to a number, so any text typed into a box simply matches what is equal.
namespace LineMatch {

constexpr int FieldCount = 7;
// The banner lines at the top of every check file; they are never matched.
constexpr int HeaderLineCount = 4;

// W1..W7 and B as the boxes hold them after padding; an empty box stands for "00".
struct WinningEntries {
    std::array<QString, FieldCount> numbers;
    QString bonus;
};

struct MatchResult {
    int hits = 0;
    bool bonusHit = false;
    QString matched; // each matching field followed by two blanks, in the order found
};

// A box's text after "Check": one character gets a leading "0", anything else stays.
QString paddedEntry(const QString& text);
// The entry a padded box stands for: "00" when empty.
QString entryOf(const QString& paddedText);

// Field k (1..7) of `line`: positions past its end read as blanks. Empty when the line has
// no '>'.
QString field(QStringView line, int k);

// Every field against W1..W7 in turn (each equal entry is a hit, so a number entered twice
// counts twice), then against B when `includeBonus`.
MatchResult MatchLine(QStringView line, const WinningEntries& entries, bool includeBonus);

// "07  12  23    (3 Number Hit)  (Bonus)"
QString resultLine(const MatchResult& result);

// What closes the result list for `winners` winning lines.
QStringList summaryLines(int winners);

struct CheckResult {
    int winners = 0;
    // The result lines, then the summary, joined by '\n': one text for the result list.
    QString text;
};

// Lines after the banner that have a '>' are matched; those with at least `minimumCorrect`
// hits are listed.
CheckResult checkLines(const QStringList& lines, const WinningEntries& entries, int minimumCorrect,
                       bool includeBonus);
CheckResult checkLines(const TextLines& lines, const WinningEntries& entries, int minimumCorrect,
                       bool includeBonus);

// A game with rules: each listed line's result names its tier and prize after the hits, and a
// line that wins a tier is listed even below `minimumCorrect` (a "0 + 1" that pays). A second
// drum's hits are the line's extra numbers (after "  +  ") among `extras`; a same-drum bonus
// tier needs the bonus hit, as includeBonus finds it.
struct TierCheck {
    const GameRules* rules = nullptr; // none: the plain check
    QVector<int> extras;              // the winning line's numbers from the second drum
};
CheckResult checkLines(const TextLines& lines, const WinningEntries& entries, int minimumCorrect,
                       bool includeBonus, const TierCheck& tiers);

} // namespace LineMatch
