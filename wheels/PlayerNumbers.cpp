#include "wheels/PlayerNumbers.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <bitset>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("PlayerNumbers", text);
}

// Digits only: no sign, so "-3" is not read as a number, and at most 3 of them, so a long run
// of digits is refused as out of range rather than overflowing.
bool readNumber(QStringView text, int* number) {
    if (text.isEmpty() || text.size() > 3)
        return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    *number = text.toInt();
    return true;
}

PlayerNumbers refused(const QString& problem) {
    return {{}, problem};
}

} // namespace

PlayerNumbers ReadPlayerNumbers(const QString& text, int low, int high, int lineSize) {
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    const QStringList parts = text.split(separators, Qt::SkipEmptyParts);
    std::bitset<1000> chosen;
    auto outOfRange = [&](int number) {
        return tr("%1 is not one of the game's numbers %2 to %3.").arg(number).arg(low).arg(high);
    };
    for (const QString& part : parts) {
        const qsizetype dash = part.indexOf(u'-');
        const QStringView from = dash < 0 ? QStringView(part) : QStringView(part).left(dash);
        const QStringView to = dash < 0 ? QStringView(part) : QStringView(part).mid(dash + 1);
        int first = 0, last = 0;
        if (!readNumber(from, &first) || !readNumber(to, &last))
            return refused(tr("\"%1\" is not a number or a range such as 1-12.").arg(part));
        if (first > last)
            return refused(tr("The range %1 runs backwards: write %2-%3.")
                               .arg(part)
                               .arg(last)
                               .arg(first));
        if (first < low || first > high)
            return refused(outOfRange(first));
        if (last > high)
            return refused(outOfRange(last));
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
        return refused(tr("%1 numbers given: a wheel takes at most %2.")
                           .arg(count)
                           .arg(MaxPlayerNumbers));
    PlayerNumbers read;
    for (int number = std::max(low, 0); number <= std::min(high, 999); ++number)
        if (chosen[size_t(number)])
            read.numbers.append(number);
    return read;
}
