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
    // Candidates allowed for one line, restarts included. A real clock moves every millisecond
    // and a line takes a few tens of thousands of candidates; a clock that stands still for
    // this many reads is treated as stopped.
    static constexpr qint64 DefaultMaxCandidates = 20'000'000;

    explicit QuickPicker(const Clock& clock, qint64 maxCandidatesPerLine = DefaultMaxCandidates);

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
    const qint64 maxCandidates_;
    qint64 candidates_ = 0;
    qint64 repeatedReadings_ = 0;
    int lastReading_ = -1;
};
