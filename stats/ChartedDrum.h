#pragma once

// Which numbers the statistics chart counts. The bonus box adds a same-drum bonus to the main
// numbers; for a game with a second drum it charts that drum alone instead, since its numbers
// come from another range and mixing the two drums into one count would mean nothing.

#include <QString>

struct GameRules;
struct TLotteryState;

struct ChartedDrum {
    bool secondDrum = false;   // the second drum's numbers alone
    bool includeBonus = false; // main numbers: the bonus cell counted too
    int highest = 0;           // one bar per number 1..highest
    int perDraw = 0;           // numbers each draw adds to the counts
    int extraCount = 0;        // second drum: its cells read, from the bonus cell on
};

// What the chart counts for the loaded game with the bonus box ticked or not.
ChartedDrum chartedDrum(const TLotteryState& state, bool bonusTicked);

// Whether the bonus box has anything to add: a same-drum bonus or a second drum.
bool bonusBoxUsable(const TLotteryState& state);

// "Extra numbers 1–26": the second drum in plain words.
QString secondDrumName(const GameRules& rules);
