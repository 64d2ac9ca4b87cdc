#pragma once

#include "odds/SetOdds.h"
#include "wheels/GuaranteeCheck.h"
#include "wheels/WheelSearch.h"

#include <QVector>
#include <atomic>
#include <memory>
#include <thread>

// One wheel built away from the window: the search, then the exhaustive check of its guarantee
// and the odds of its lines, all on a thread of its own. The window polls it, and never waits
// for it: stop and cancel only ask, and each part answers within a fifth of a second.
struct WheelResult {
    QVector<QVector<int>> lines; // the player's numbers on each line; empty if none was built
    GuaranteeCheck check;
    SetOdds odds; // cancelled when the odds were stopped
    // Lines played with extra numbers in turn: the odds of each group's lines (line i in group
    // i mod G), for the chance of any prize.
    QVector<SetOdds> groupOdds;
    // As many random lines of the same numbers, to compare a wheel of a set size with.
    SetOdds randomOdds;
    quint64 uncovered = 0;          // cases the search left uncovered (a set number of lines)
    bool reachedLowerBound = false; // no wheel of this kind can have fewer lines
    bool hurriedStart = false;      // the effort ended before the first wheel was complete
    qint64 msToBest = 0;
    qint64 msSearched = 0; // the search alone, without the check and the odds
};

enum class WheelPhase { Searching, Checking, Odds, Done };

class WheelJob {
public:
    WheelJob(const WheelTerms& terms, const QVector<int>& playerNumbers, int highest,
             const WheelSearchLimits& limits, const SearchClock* clock = nullptr);
    // A wheel given whole (read from a file): no search, only its check and odds.
    WheelJob(const WheelTerms& terms, const QVector<int>& playerNumbers, int highest,
             const WheelLines& given);
    // Cancels; a thread still running is left to end on its own.
    ~WheelJob();
    WheelJob(const WheelJob&) = delete;
    WheelJob& operator=(const WheelJob&) = delete;

    // Before start(): the odds of each of `groups` groups of lines too (when over 1), and of
    // as many random lines of the player's numbers.
    void setExtraGroups(int groups);
    void setRandomComparison(bool compare);
    void start();
    // During the search: ends it keeping the best wheel; the check and the odds follow. After
    // it: ends the odds, keeping the wheel and its check.
    void stop();
    // Ends everything, the odds included; returns at once.
    void cancel();

    bool finished() const;
    WheelPhase phase() const;
    int bestLineCount() const;
    quint64 bestUncovered() const;
    int oddsProgress() const; // thousandths of the odds' work done
    // Complete once finished() is true.
    const WheelResult& result() const;
    const QVector<int>& playerNumbers() const;

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};
