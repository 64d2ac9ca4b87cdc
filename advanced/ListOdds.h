#pragma once

// What a player hopes for from the list: the chance that at least one of its lines has h hits
// in the next draw, exact from the set odds (an estimate, said as "about", where the exact sum
// costs too much), worked out away from the window.

#include "odds/SetOdds.h"

#include <QString>
#include <QVector>
#include <atomic>
#include <thread>

// "83 %" from 50 % up, "1 in 10.8" below: one in X with X to three figures under 100 and
// whole, grouped, from there ("1 in 139,838"). A chance that is not certain never reads 100 %.
QString chanceWording(long double chance);

// "Chance that one of these 100 lines has 6 hits: 1 in 139,838 · 5 hits: 1 in 540 · ...",
// from a whole line down to 3 hits (to 1 for shorter lines).
QString listOddsText(const SetOdds& odds, int lines, int lineSize);

// What the label says while the odds are worked out.
QString listOddsWorkingText(int lines);

// One computation of a list's set odds on a thread of its own; the window polls it. Stops
// within a fraction of a second when told or destroyed.
class ListOddsJob {
public:
    ListOddsJob(QVector<QVector<int>> lines, int lineSize, int highest);
    ~ListOddsJob(); // stops and waits
    ListOddsJob(const ListOddsJob&) = delete;
    ListOddsJob& operator=(const ListOddsJob&) = delete;

    bool finished() const { return finished_.load(std::memory_order_acquire); }
    // Only once finished().
    const SetOdds& odds() const { return odds_; }
    int lineCount() const { return int(lines_.size()); }
    int lineSize() const { return lineSize_; }

private:
    const QVector<QVector<int>> lines_;
    const int lineSize_;
    const int highest_;
    SetOdds odds_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> finished_{false};
    std::thread thread_;
};
