#pragma once

#include "advanced/PickedLine.h"

#include <QtGlobal>

class Clock;
struct TLotteryState;

// Favourites and exclusions as the picker's own two check boxes set them, independent of the
// main window's.
struct QuickPickOptions {
    bool useFavorites = false;
    bool useExcluded = false;
};

// The main window's line draw with the generator re-seeded from the clock before every
// candidate: candidates read within one tick of the clock are equal and are refused as repeats
// until the clock moves on, which paces a batch by the clock.
class QuickPicker {
public:
    // A real clock moves every millisecond, after some ten to a hundred thousand reads; one
    // that has not moved after this many reads in a row has stopped.
    static constexpr qint64 DefaultMaxStalledReads = 100'000'000;
    // Readings of a moving clock one line may take, ten seconds' worth: the tightest range a
    // user can set needs a few hundred.
    static constexpr qint64 MaxFreshReadingsPerLine = 10'000;

    explicit QuickPicker(const Clock& clock, qint64 maxStalledReads = DefaultMaxStalledReads);

    // Empty when lines can be drawn with these settings, else the reason for the user.
    QString problem(const TLotteryState& s, const QuickPickOptions& options) const;

    // Draws PickCount numbers from LowNumber to RandomBound - 1 into s.LineNumbers / LineText
    // (sorted, two-digit texts) and returns the line's text.
    PickedLine drawLine(TLotteryState& s, const QuickPickOptions& options);

    // Every candidate drawn so far, and those whose clock reading equalled the one before: the
    // latter are time spent waiting for the clock to move.
    qint64 candidates() const { return candidates_; }
    qint64 repeatedReadings() const { return repeatedReadings_; }

private:
    const Clock& clock_;
    const qint64 maxStalledReads_;
    qint64 candidates_ = 0;
    qint64 repeatedReadings_ = 0;
    int lastReading_ = -1;
};
