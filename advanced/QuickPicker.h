#pragma once

#include "advanced/PickedLine.h"
#include "lines/RandomGenerator.h"

class Clock;
struct TLotteryState;

// Favourites and exclusions as the picker's own two check boxes set them, independent of the
// main window's.
struct QuickPickOptions {
    bool useFavorites = false;
    bool useExcluded = false;
};

// The main window's line draw, many lines at a time. The generator is seeded from the clock
// once per batch and then kept: seeds a millisecond apart start this generator on nearly equal
// numbers, so seeding it anew for every candidate made lines of close neighbours.
class QuickPicker {
public:
    explicit QuickPicker(const Clock& clock) : clock_(clock) {}

    // Empty when lines can be drawn with these settings, else the reason for the user.
    QString problem(const TLotteryState& s, const QuickPickOptions& options) const;

    // Seeds the generator from the clock: call before each batch.
    void startBatch();

    // Draws PickCount numbers from LowNumber to RandomBound - 1 into s.LineNumbers / LineText
    // (sorted, two-digit texts) and returns the line's text.
    PickedLine drawLine(TLotteryState& s, const QuickPickOptions& options);

private:
    const Clock& clock_;
    RandomGenerator random_;
};
