#pragma once

#include "advanced/Backtest.h"

#include <atomic>
#include <thread>
#include <vector>

// One back-test run away from the window. The draws are handed out in stretches of a few
// hundred, in order, to whichever thread is free, so a thread the system slows down takes
// fewer; each thread counts the draws between its stretches as it goes. The window polls it.
class BacktestJob {
public:
    static constexpr int DefaultThreads = 2;
    static constexpr int StretchDraws = 512;

    BacktestJob(QVector<BacktestDraw> draws, const BacktestSetup& setup,
                int threads = DefaultThreads);
    ~BacktestJob(); // stops and waits
    BacktestJob(const BacktestJob&) = delete;
    BacktestJob& operator=(const BacktestJob&) = delete;

    void start();
    // Ends every thread after the draw it is on; what was tested so far is kept.
    void stop() { stop_ = true; }
    bool stopped() const { return stop_; }

    // True before start() as well.
    bool finished() const { return running_.load(std::memory_order_acquire) == 0; }
    int storedDraws() const { return int(draws_.size()); }
    int drawsToTest() const { return backtestDrawsToTest(storedDraws()); }
    int drawsDone() const { return done_.load(std::memory_order_relaxed); }
    // Waits for the threads, then adds up what they tested.
    BacktestTally result();

private:
    void work(size_t part);

    const QVector<BacktestDraw> draws_;
    const BacktestSetup setup_;
    std::vector<BacktestTally> parts_;
    std::vector<std::thread> threads_;
    std::atomic<bool> stop_{false};
    std::atomic<int> nextStretch_{0};
    std::atomic<int> done_{0};
    std::atomic<int> running_{0};
};
