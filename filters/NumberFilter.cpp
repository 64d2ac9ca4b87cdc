#include "NumberFilter.h"

#include <algorithm>
#include <optional>

namespace NumberFilter {

Slots& slotsOf(TLotteryState& state, List list) {
    return list == List::Favorites ? state.Favorites : state.Excluded;
}

const Slots& slotsOf(const TLotteryState& state, List list) {
    return list == List::Favorites ? state.Favorites : state.Excluded;
}

bool& inForceOf(TLotteryState& state, List list) {
    return list == List::Favorites ? state.UseFavorites : state.UseExcluded;
}

bool inForceOf(const TLotteryState& state, List list) {
    return list == List::Favorites ? state.UseFavorites : state.UseExcluded;
}

int favoriteBoxCount(int pickCount) {
    return std::clamp(pickCount, 0, BoxCount);
}

int excludedBoxCount(int pickCount, int highest) {
    return std::clamp(highest - pickCount, 0, BoxCount);
}

int boxCount(List list, const TLotteryState& state) {
    return list == List::Favorites ? favoriteBoxCount(state.PickCount)
                                   : excludedBoxCount(state.PickCount, state.RandomBound - 1);
}

BoxTexts prefillTexts(const Slots& numbers, bool inForce) {
    BoxTexts texts;
    if (!inForce)
        return texts;
    for (int k = 1; k <= BoxCount; ++k)
        if (numbers[k] != 0)
            texts[k] = QString::number(numbers[k]);
    return texts;
}

QString unreadableMessage(const QString& boxText) {
    return boxText + QStringLiteral(" is not a valid number");
}

QString duplicateMessage() {
    return QStringLiteral("All numbers must be different");
}

QString crossCheckMessage(int number, List holder) {
    return QStringLiteral("You have already put number ") + QString::number(number) +
           QStringLiteral("\r\n") +
           (holder == List::Excluded ? QStringLiteral("      in your Excluded numbers")
                                     : QStringLiteral("      in your Favorite numbers"));
}

namespace {

// A whole decimal number, blanks around it allowed. A box of blanks looks empty and is taken
// as empty (0).
std::optional<int> readBox(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    bool ok = false;
    const int value = trimmed.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

bool hasDuplicate(const Slots& numbers) {
    for (int a = 1; a < BoxCount; ++a)
        for (int b = a + 1; numbers[a] != 0 && b <= BoxCount; ++b)
            if (numbers[a] == numbers[b])
                return true;
    return false;
}

// The first number of `numbers` that is also in `others`.
std::optional<int> firstShared(const Slots& numbers, const Slots& others) {
    for (int q = 1; q <= BoxCount; ++q)
        for (int i = 1; numbers[q] != 0 && i <= BoxCount; ++i)
            if (numbers[q] == others[i])
                return numbers[q];
    return std::nullopt;
}

} // namespace

UseResult use(List list, const TLotteryState& state, const BoxTexts& texts) {
    const bool wasInForce = inForceOf(state, list);
    UseResult result;
    result.texts = texts;

    bool allReadable = true;
    for (int k = 1; k <= BoxCount; ++k) {
        if (const auto value = readBox(texts[k])) {
            result.numbers[k] = *value;
        } else {
            result.warnings << unreadableMessage(texts[k]);
            result.numbers[k] = 0;
            result.texts[k] = QStringLiteral("00");
            allReadable = false;
        }
    }
    // The box now reads "00"; the dialog stays open so the user sees what was dropped.
    if (!allReadable)
        return result;

    const bool anyNumber =
        std::any_of(result.numbers.begin() + 1, result.numbers.end(), [](int n) { return n != 0; });
    if (!anyNumber) {
        if (!wasInForce) { // nothing entered, nothing in force: leave everything as it was
            result.numbers = slotsOf(state, list);
            return result;
        }
        result.closes = true; // the user emptied the list: it is switched off
        return result;
    }

    if (hasDuplicate(result.numbers)) {
        result.warnings << duplicateMessage();
        result.numbers = Slots{};
        return result;
    }

    const List otherList = other(list);
    if (inForceOf(state, otherList)) {
        if (const auto shared = firstShared(result.numbers, slotsOf(state, otherList))) {
            result.warnings << crossCheckMessage(*shared, otherList);
            return result;
        }
    }

    result.inForce = true;
    result.closes = true;
    return result;
}

void apply(TLotteryState& state, List list, const UseResult& result) {
    slotsOf(state, list) = result.numbers;
    inForceOf(state, list) = result.inForce;
}

void clear(TLotteryState& state, List list) {
    slotsOf(state, list) = Slots{};
    inForceOf(state, list) = false;
}

} // namespace NumberFilter
