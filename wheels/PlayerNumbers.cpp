#include "wheels/PlayerNumbers.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <bitset>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("PlayerNumbers", text);
}

// Digits only: no sign, so "-3" is not read as a number. Leading zeros are no part of its
// size ("0012" is 12); more than 3 digits after them read as 1000, out of every game's range,
// rather than overflowing.
bool readNumber(QStringView text, int* number) {
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    while (text.size() > 1 && text.front() == u'0')
        text = text.mid(1);
    *number = text.size() > 3 ? 1000 : text.toInt();
    return true;
}

PlayerNumbers refused(const QString& problem) {
    return {{}, problem};
}

} // namespace

PlayerNumbers ReadPlayerNumbers(const QString& text, int low, int high, int lineSize) {
    // Any blank separates, the no-break kinds too (they come with pasted text and look like
    // blanks in a refusal); blanks around a range's dash belong to the range ("1 - 12").
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"),
                                               QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression spacedDash(QStringLiteral("\\s*-\\s*"),
                                               QRegularExpression::UseUnicodePropertiesOption);
    const QStringList parts = QString(text)
                                  .replace(spacedDash, QStringLiteral("-"))
                                  .split(separators, Qt::SkipEmptyParts);
    std::bitset<1000> chosen;
    high = std::min(high, 999);
    auto outOfRange = [&](QStringView number) {
        return tr("%1 is not one of the game's numbers %2 to %3.")
            .arg(number.toString())
            .arg(low)
            .arg(high);
    };
    for (const QString& part : parts) {
        const qsizetype dash = part.indexOf(u'-');
        const QStringView from = dash < 0 ? QStringView(part) : QStringView(part).left(dash);
        const QStringView to = dash < 0 ? QStringView(part) : QStringView(part).mid(dash + 1);
        int first = 0, last = 0;
        if (!readNumber(from, &first) || !readNumber(to, &last))
            return refused(tr("\"%1\" is not a number or a range such as 1-12.").arg(part));
        if (first < low || first > high)
            return refused(outOfRange(from));
        if (last < low || last > high)
            return refused(outOfRange(to));
        if (first > last)
            return refused(
                tr("The range %1 runs backwards: write %2-%3.").arg(part).arg(last).arg(first));
        for (int number = first; number <= last; ++number)
            chosen.set(size_t(number));
    }
    const int count = int(chosen.count());
    if (count < lineSize + 1)
        return refused(tr("%1 numbers given: lines of %2 need at least %3.")
                           .arg(count)
                           .arg(lineSize)
                           .arg(lineSize + 1));
    if (count > MaxPlayerNumbers)
        return refused(
            tr("%1 numbers given: a wheel takes at most %2.").arg(count).arg(MaxPlayerNumbers));
    PlayerNumbers read;
    for (int number = std::max(low, 0); number <= high; ++number)
        if (chosen[size_t(number)])
            read.numbers.append(number);
    return read;
}

KeyNumbers ReadKeyNumbers(const QString& text, const QVector<int>& playerNumbers,
                          const WheelTerms& terms, bool guarantee) {
    KeyNumbers keys;
    if (text.trimmed().isEmpty() || playerNumbers.isEmpty())
        return keys;
    const PlayerNumbers read = ReadPlayerNumbers(text, 0, 999, 0);
    if (!read.ok())
        return {0, tr("Key numbers: %1").arg(read.problem)};
    for (const int n : read.numbers) {
        const qsizetype at = playerNumbers.indexOf(n);
        if (at < 0)
            return {0, tr("Key number %1 is not one of your numbers.").arg(n)};
        keys.positions |= WheelLine(1) << at;
    }
    const int count = int(read.numbers.size());
    const int room = terms.lineSize - count;
    if (room < 1)
        return {0, tr("%1 key numbers: a line holds %2, so at most %3 of them can be key numbers.")
                       .arg(count)
                       .arg(terms.lineSize)
                       .arg(terms.lineSize - 1)};
    const int fewestKeysInCase = std::max(0, terms.ifDrawn - (terms.pool - count));
    if (guarantee &&
        fewestKeysInCase + std::min(room, terms.ifDrawn - fewestKeysInCase) < terms.guarantee)
        return {0, tr("With %1 key numbers a line has room for %2 others: %3 if %4 cannot hold.")
                       .arg(count)
                       .arg(room)
                       .arg(terms.guarantee)
                       .arg(terms.ifDrawn)};
    return keys;
}
