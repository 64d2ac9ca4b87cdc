#include "lines/LineGenerator.h"

#include "lines/CheckFile.h"

#include <algorithm>

namespace {

constexpr int MaxNumber = 99; // the widest number a two-digit field holds

// A safety net only: lines that generationProblem() lets through need a few hundred tries at
// worst, restarts included.
constexpr qint64 MaxTriesPerLine = 10'000'000;

// Numbers are 1..99, so a low end of 0 or below (hand-edited settings) still keeps 0 out.
int effectiveLow(const TLotteryState& s) {
    return std::max(1, s.LowNumber);
}

bool pickInRange(int pick) {
    return pick >= 1 && pick <= TLotteryState::MaxPick;
}

bool isExcluded(const TLotteryState& s, int number) {
    if (!s.UseExcluded || number == 0)
        return false;
    for (int i = 1; i <= TLotteryState::MaxPick; ++i) {
        if (s.Excluded[i] == number)
            return true;
    }
    return false;
}

bool favouriteInForce(const TLotteryState& s, int slot) {
    return s.UseFavorites && s.Favorites[slot] >= effectiveLow(s);
}

// The texts of 0..99, made once: a line takes shared copies instead of building its own.
const std::array<QString, MaxNumber + 1>& twoDigitTexts() {
    static const std::array<QString, MaxNumber + 1> texts = [] {
        std::array<QString, MaxNumber + 1> made;
        for (int n = 0; n <= MaxNumber; ++n)
            made[size_t(n)] = QString::number(n).rightJustified(2, QLatin1Char('0'));
        return made;
    }();
    return texts;
}

void resetSlots(TLotteryState& s) {
    const QString& zero = twoDigitTexts()[0];
    for (int k = 1; k <= s.PickCount; ++k) {
        s.LineNumbers[k] = 0;
        s.LineText[k] = zero;
    }
}

void sortAndFormat(TLotteryState& s) {
    bool exchanged = true;
    while (exchanged) {
        exchanged = false;
        for (int j = 1; j < s.PickCount; ++j) {
            if (s.LineNumbers[j] > s.LineNumbers[j + 1]) {
                std::swap(s.LineNumbers[j], s.LineNumbers[j + 1]);
                exchanged = true;
            }
        }
    }
    for (int k = 1; k <= s.PickCount; ++k)
        s.LineText[k] = twoDigitText(s.LineNumbers[k]);
}

template <typename Draw> bool drawWith(TLotteryState& s, Draw&& drawBelow, qint64 maxTries) {
    if (!generationProblem(s).isEmpty())
        return false;
    resetSlots(s);
    const int low = effectiveLow(s);
    // The settings as the loop asks them, looked up once per line.
    std::array<int, TLotteryState::MaxPick + 1> favourites{}; // 0: a random slot
    for (int k = 1; k <= s.PickCount; ++k)
        favourites[size_t(k)] = favouriteInForce(s, k) ? s.Favorites[k] : 0;
    std::array<bool, MaxNumber + 1> excluded{};
    for (int i = 1; i <= TLotteryState::MaxPick; ++i)
        if (s.UseExcluded && s.Excluded[i] > 0 && s.Excluded[i] <= MaxNumber)
            excluded[size_t(s.Excluded[i])] = true;
    qint64 tries = 0;
    int k = 1;
    while (k <= s.PickCount) {
        if (++tries > maxTries) {
            resetSlots(s);
            return false;
        }
        // Every try takes a number from the generator, even when a favourite replaces it, so a
        // seed always gives the same line.
        const int drawn = drawBelow(s.RandomBound);
        if (drawn < 0) {
            resetSlots(s);
            return false;
        }
        const bool favourite = favourites[size_t(k)] != 0;
        const int candidate = favourite ? favourites[size_t(k)] : drawn;
        const auto accepted = s.LineNumbers.begin() + 1;
        if (std::find(accepted, accepted + (k - 1), candidate) != accepted + (k - 1)) {
            // An earlier random slot took this slot's favourite: no retry of this slot can
            // succeed, so the whole line starts again.
            if (favourite)
                k = 1;
            continue;
        }
        if (candidate < low ||
            (candidate <= MaxNumber ? excluded[size_t(candidate)] : isExcluded(s, candidate)))
            continue;
        s.LineNumbers[k++] = candidate;
    }
    sortAndFormat(s);
    return true;
}

} // namespace

QString rangeCaption(int pick, int low, int randomBound) {
    return QStringLiteral("Pick %1 %2 from %3 - %4 inclusive")
        .arg(pick)
        .arg(pick == 1 ? QStringLiteral("number") : QStringLiteral("numbers"))
        .arg(low)
        .arg(randomBound - 1);
}

QString twoDigitText(int number) {
    if (number >= 0 && number <= MaxNumber)
        return twoDigitTexts()[size_t(number)];
    const QString digits = QString::number(number);
    return number >= 0 && number < 10 ? QLatin1Char('0') + digits : digits;
}

bool correctRange(TLotteryState& s) {
    if (s.RandomBound - s.LowNumber >= s.PickCount)
        return false;
    s.LowNumber = 1;
    return true;
}

QString generationProblem(const TLotteryState& s) {
    const int pick = s.PickCount;
    if (!pickInRange(pick))
        return QStringLiteral("A line must hold from 1 to 7 numbers");
    const int high = s.RandomBound - 1;
    if (high > MaxNumber)
        return QStringLiteral("The highest number must not be above 99");

    // Favourites above the high end are placed as they are, so they need no room in the range.
    int favouritesAbove = 0;
    for (int k = 1; k <= pick; ++k) {
        if (!favouriteInForce(s, k))
            continue;
        const int favourite = s.Favorites[k];
        if (favourite > MaxNumber)
            return QStringLiteral("Your Favorite number %1 is above 99").arg(favourite);
        if (isExcluded(s, favourite))
            return QStringLiteral("Your Favorite number %1 is also one of your Excluded numbers")
                .arg(favourite);
        for (int j = 1; j < k; ++j) {
            if (favouriteInForce(s, j) && s.Favorites[j] == favourite)
                return QStringLiteral("Your Favorite number %1 is entered more than once")
                    .arg(favourite);
        }
        if (favourite > high)
            ++favouritesAbove;
    }

    // Favourites are distinct and drawable by now, so the random slots find enough numbers
    // exactly when the range, less the exclusions, holds what the line needs from it.
    const int low = effectiveLow(s);
    const int needed = pick - favouritesAbove;
    if (high - low + 1 < needed)
        return QStringLiteral("The range %1 - %2 holds fewer than %3 numbers")
            .arg(low)
            .arg(high)
            .arg(needed);
    // The range less the distinct exclusions inside it.
    int drawable = std::max(0, high - low + 1);
    if (s.UseExcluded) {
        for (int i = 1; i <= TLotteryState::MaxPick; ++i) {
            const int excluded = s.Excluded[i];
            if (excluded < low || excluded > high ||
                std::find(s.Excluded.begin() + 1, s.Excluded.begin() + i, excluded) !=
                    s.Excluded.begin() + i)
                continue;
            --drawable;
        }
    }
    if (drawable < needed)
        return QStringLiteral("Too many Excluded numbers: only %1 of the numbers %2 - %3 can be "
                              "drawn, but a line needs %4")
            .arg(drawable)
            .arg(low)
            .arg(high)
            .arg(needed);
    return {};
}

bool drawLine(TLotteryState& s, RandomGenerator& rng) {
    return drawWith(
        s, [&rng](int n) { return rng.next(n); }, MaxTriesPerLine);
}

bool drawLine(TLotteryState& s, const std::function<int(int n)>& drawBelow) {
    return drawBelow && drawWith(s, drawBelow, MaxTriesPerLine);
}

QString lineListText(const TLotteryState& s) {
    QString text = QStringLiteral("%1/%2  >  ").arg(s.PickCount).arg(s.RandomBound - 1);
    const int count = std::clamp(s.PickCount, 0, TLotteryState::MaxPick);
    for (int k = 1; k <= count; ++k) {
        if (k > 1)
            text += QStringLiteral(" - ");
        text += s.LineText[k];
    }
    return text;
}

QString lineListText(const TLotteryState& s, const QVector<int>& extras) {
    return lineListText(s) + CheckFile::extrasText(extras);
}

QVector<int> drawLineExtras(const TLotteryState& game, int pick, int highest,
                            RandomGenerator& rng) {
    const GameRules& rules = game.DataRules;
    const int count = rules.present && !game.DataBonus ? rules.drumNumbers() : 0;
    if (!game.DatabaseLoaded || count == 0 || pick != game.DataPick || highest != game.DataRandom ||
        rules.extraRange < count)
        return {};
    // The second of two is drawn from the numbers left, so every pair is equally likely.
    QVector<int> extras{1 + rng.next(rules.extraRange)};
    if (count > 1) {
        int second = 1 + rng.next(rules.extraRange - 1);
        if (second >= extras[0])
            ++second;
        extras << second;
        std::sort(extras.begin(), extras.end());
    }
    return extras;
}
