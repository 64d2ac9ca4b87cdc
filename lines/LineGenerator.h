#pragma once

#include "lines/RandomGenerator.h"
#include "state/LotteryState.h"

#include <QString>
#include <QVector>
#include <functional>

// One random line: range correction, a check that a line can be drawn at all, the draw itself
// (favourites in their slots, exclusions never, one generator draw per try), the ascending sort
// and the texts shown in the counters and the draw list.

// "Pick 6 numbers from 1 - 49 inclusive"; " number from " when pick is 1.
QString rangeCaption(int pick, int low, int randomBound);

// "07", "23": a leading zero below 10.
QString twoDigitText(int number);

// When the range holds fewer numbers than the pick count, LowNumber becomes 1 and true is
// returned, so that the caller can show the new low end and caption.
bool correctRange(TLotteryState& s);

// Empty when drawLine() can complete a line with these settings; otherwise a warning for the
// user naming what stops it. Ask before drawing anything.
QString generationProblem(const TLotteryState& s);

// Fills LineNumbers[1..PickCount] in ascending order and LineText[1..PickCount] with their texts;
// slots above PickCount are left alone. A favourite that repeats a number drawn for an earlier
// slot starts the line again with the same generator. Returns false, with nothing changed, when
// generationProblem() is not empty, and false with the slots reset to 0 / "00" if the (very
// generous) try budget ran out.
bool drawLine(TLotteryState& s, RandomGenerator& rng);

// The same draw with any source of numbers 0..n-1; a negative number from the source ends the
// draw as a spent try budget does.
bool drawLine(TLotteryState& s, const std::function<int(int n)>& drawBelow);

// The draw-list line: "6/49  >  03 - 11 - 17 - 24 - 38 - 45".
QString lineListText(const TLotteryState& s);
// The same with the line's extra numbers after it: "5/69  >  03 - 11 - 17 - 24 - 38  +  12".
QString lineListText(const TLotteryState& s, const QVector<int>& extras);

// The player's extra numbers for a line of `pick` from 1..`highest`: when that is the loaded
// game and it has a second drum, as many numbers as the drum gives, different, each drawn
// uniformly from 1..S, ascending; none otherwise (and nothing is drawn from `rng`).
QVector<int> drawLineExtras(const TLotteryState& game, int pick, int highest, RandomGenerator& rng);
