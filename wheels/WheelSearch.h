#pragma once

#include "wheels/SearchClock.h"
#include "wheels/WheelTerms.h"

#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class CoverAnnealer;
class SymmetricHunt;

// Looks for a wheel with as few lines as it can within an effort in seconds.
//
// Each worker thread (two by default, one per core) builds a greedy wheel, then anneals (see
// CoverAnnealer) for a wheel shorter than the best either has found; when it gets there the
// new wheel becomes the best and the hunt moves on. The first worker starts each size from
// that best wheel less its least useful line. The second (when there is one, no key numbers
// and the guarantee is T if T) hunts among wheels closed under a turn of the numbers
// (SymmetricHunt), where a walk line by line rarely arrives, a line below the best; the first
// joins in once a size has failed twice, with walks down from wheels of whole orbits above the
// best (OrbitSeeds) and a hunt of its own aiming far lower, one attempt at a time. An attempt
// that ends short is followed by one twice as long that goes on from where it stopped; a
// worker drops its attempt when the other gets there first. The search ends when
//   - the effort is spent (measured on the SearchClock given, else the steady clock),
//   - stop() or cancel() is called (from any thread),
//   - a wheel reaches the lower bound (the Schoenheim bound when M = T): none can be shorter,
//   - or each worker has made the most moves allowed (for tests and benchmarks).
//
// An effort that ends (or a stop that comes) before the first wheel is complete does not throw
// it away: the greedy start finishes in haste, its lines no longer chosen with care, and
// hurriedStart() says so. Only cancel() leaves the search with no wheel.
//
// Use from a window: construct, setProgress if wanted, call run() on a worker of its own (it
// blocks until the end), poll bestLineCount() or take the progress calls, stop() on cancel.

struct WheelSearchLimits {
    double effortSeconds = 20;
    quint64 maxMovesPerWorker = 0; // 0: no limit but the effort
    int threads = 2;
    quint64 seed = 1; // workers' generators start from it: same seed, same start
    // A set number of lines (over 0): the search keeps that many and leaves as few cases
    // uncovered as it can, ending early only when none is left.
    int budgetLines = 0;
    // Positions every line holds (key numbers).
    WheelLine keys = 0;
};

class WheelSearch {
public:
    // Called on a worker thread each time a shorter wheel is found.
    using Progress = std::function<void(int lineCount, qint64 elapsedMs)>;

    explicit WheelSearch(const WheelTerms& terms, const WheelSearchLimits& limits = {},
                         const SearchClock* clock = nullptr);
    ~WheelSearch();
    WheelSearch(const WheelSearch&) = delete;
    WheelSearch& operator=(const WheelSearch&) = delete;

    // Why the terms cannot be searched (WheelTermsProblem); run() then returns at once, empty.
    QString problem() const { return problem_; }
    quint64 lowerBound() const { return lowerBound_; }

    void setProgress(Progress progress) { progress_ = std::move(progress); }

    // Searches until one of the ends above; returns the best wheel (empty if stopped before
    // the first one was built). Call once.
    WheelLines run();

    // Safe from any thread, at any time. stop() keeps the best wheel; cancel() gives up.
    void stop() { stop_ = true; }
    void cancel() {
        cancelled_ = true;
        stop_ = true;
    }
    int bestLineCount() const { return bestCount_; } // 0 before the first wheel
    // Cases the best wheel leaves uncovered: 0 for a guarantee's wheel.
    quint64 bestUncovered() const { return bestUncovered_; }
    WheelLines bestLines() const;
    qint64 msToBest() const { return msToBest_; } // from the start of run()
    // The turn the best wheel is closed under, as "cycles of L, F fixed"; empty if none.
    QString bestTurn() const;
    bool reachedLowerBound() const;
    quint64 movesMade() const { return moves_; }
    qint64 msRun() const { return msRun_; } // from the start of run() to its end
    bool hurriedStart() const {
        return hurried_;
    } // the wheel is the greedy start, finished in haste

private:
    void work(int worker);
    void offer(const WheelLines& lines, bool hurried = false, const QString& turn = {});
    void offerBudget(const WheelLines& lines, quint32 uncovered);
    bool huntOnce(SymmetricHunt& hunt, const std::function<bool()>& ended);
    void workToBudget(CoverAnnealer& annealer, const std::function<bool()>& ended);
    bool timeIsUp() const;

    WheelTerms terms_;
    WheelSearchLimits limits_;
    QString problem_;
    quint64 lowerBound_ = 1;
    std::unique_ptr<SteadySearchClock> ownClock_;
    const SearchClock* clock_ = nullptr;
    qint64 startMs_ = 0;
    Progress progress_;

    std::atomic<bool> stop_{false};
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> hurried_{false};
    std::atomic<qint64> msRun_{0};
    std::atomic<int> bestCount_{0};
    std::atomic<quint64> bestUncovered_{0};
    std::atomic<qint64> msToBest_{0};
    std::atomic<quint64> moves_{0};
    mutable std::mutex bestMutex_;
    WheelLines best_;
    QString bestTurn_;
};
