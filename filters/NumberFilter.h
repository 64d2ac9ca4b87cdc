#pragma once

#include "state/LotteryState.h"

#include <QString>
#include <QStringList>
#include <array>

// Favourite and excluded numbers: what the entry boxes of their dialogs show, and how a Use
// turns the boxes' texts into the list's slots and flag. Box k edits slot k, so box texts are
// numbered 1..7 like the slots (index 0 unused).
namespace NumberFilter {

enum class List { Favorites, Excluded };

using Slots = TLotteryState::Slots;
using BoxTexts = std::array<QString, TLotteryState::MaxPick + 1>;

constexpr int BoxCount = TLotteryState::MaxPick;

constexpr List other(List list) {
    return list == List::Favorites ? List::Excluded : List::Favorites;
}

Slots& slotsOf(TLotteryState& state, List list);
const Slots& slotsOf(const TLotteryState& state, List list);
bool& inForceOf(TLotteryState& state, List list);
bool inForceOf(const TLotteryState& state, List list);

// Boxes shown, counted from box 1. Favourites: one per number of the line.
int favoriteBoxCount(int pickCount);
// Excluded: never so many that fewer than pickCount of 1..highest stay drawable; at most seven.
int excludedBoxCount(int pickCount, int highest);
// The count for the state's current game (its highest number is RandomBound - 1).
int boxCount(List list, const TLotteryState& state);

// A list in force shows its non-zero slots in plain decimal; a list not in force shows nothing.
BoxTexts prefillTexts(const Slots& numbers, bool inForce);

QString unreadableMessage(const QString& boxText);
QString duplicateMessage();
// `number` is already in the list `holder`.
QString crossCheckMessage(int number, List holder);

// What a Use leaves behind. `texts` are the boxes' texts afterwards: an unreadable text is
// replaced by "00".
struct UseResult {
    Slots numbers{};
    bool inForce = false;
    BoxTexts texts{};
    QStringList warnings;
    bool closes = false;
};

// Reads all seven boxes, shown or hidden (hidden ones were filled from the slots, so they keep
// their numbers); an empty box or "00" clears its slot. The list is in force afterwards only
// when every box was readable, some slot holds a number, the numbers are all different and
// none of them is in the other list (when that one is in force). Pressing Use on a list that
// is not in force with nothing entered changes nothing.
UseResult use(List list, const TLotteryState& state, const BoxTexts& texts);

// Stores a Use's slots and flag.
void apply(TLotteryState& state, List list, const UseResult& result);

// The Clear button: no numbers, list not in force.
void clear(TLotteryState& state, List list);

} // namespace NumberFilter
