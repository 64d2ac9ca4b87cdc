#pragma once

#include "odds/SetOdds.h"
#include "wheels/GuaranteeCheck.h"
#include "wheels/WheelSearch.h"

#include <QVector>
#include <atomic>
#include <thread>

// One wheel built away from the window: the search, then the exhaustive check of its guarantee
// and the exact odds of its lines, all on a thread of its own. The window polls it.
struct WheelResult {
    QVector<QVector<int>> lines; // the player's numbers on each line; empty if none was built
    GuaranteeCheck check;
    SetOdds odds;
    bool reachedLowerBound = false; // no wheel of this kind can have fewer lines
    qint64 msToBest = 0;
};

class WheelJob {
public:
    WheelJob(const WheelTerms& terms, const QVector<int>& playerNumbers, int highest,
             const WheelSearchLimits& limits);
    ~WheelJob(); // stops and waits
    WheelJob(const WheelJob&) = delete;
    WheelJob& operator=(const WheelJob&) = delete;

    void start();
    // Ends the search keeping the best wheel found; the check and the odds still follow.
    void stop() { search_.stop(); }
    // Ends everything, the odds included, and waits for the thread.
    void cancel();

    bool finished() const { return finished_; }
    int bestLineCount() const { return search_.bestLineCount(); }
    // Complete once finished() is true.
    const WheelResult& result() const { return result_; }
    const QVector<int>& playerNumbers() const { return playerNumbers_; }

private:
    void run();

    const WheelTerms terms_;
    const QVector<int> playerNumbers_;
    const int highest_;
    WheelSearch search_;
    WheelResult result_;
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> finished_{false};
    std::thread thread_;
};
