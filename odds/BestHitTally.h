#pragma once

#include "odds/LineSetIndex.h"

#include <QtGlobal>
#include <algorithm>
#include <array>
#include <atomic>

// How many draws (or weighted subsets) gave the best line 0..7 hits. Internal to the odds: the
// two ways of filling it, exact and simulated, each over several threads.
struct BestHitTally {
    std::array<quint64, 8> counts{};
    quint64 work = 0;
    bool cancelled = false;

    void add(const BestHitTally& other);
};

// What the threads of one tally share: the stop flag, and the work done out of the planned
// work for the progress.
class TallyControl {
public:
    TallyControl(const std::atomic<bool>* stop, std::atomic<int>* progress, quint64 planned)
        : stop_(stop), progress_(progress), planned_(std::max<quint64>(planned, 1)) {}

    bool stopped() const { return stop_ && stop_->load(std::memory_order_relaxed); }
    void advance(quint64 units) {
        const quint64 done = done_.fetch_add(units, std::memory_order_relaxed) + units;
        if (progress_)
            progress_->store(int(std::min<quint64>(1000, done * 1000 / planned_)),
                             std::memory_order_relaxed);
    }

private:
    const std::atomic<bool>* stop_;
    std::atomic<int>* progress_;
    const quint64 planned_;
    std::atomic<quint64> done_{0};
};

// Every subset S of the union with |S| <= k, weighted by C(R - u, k - |S|): counts sum to C(R, k).
BestHitTally TallyExactly(const LineSetIndex& index, int lineSize, int highest, int threads,
                          TallyControl& control);

// `draws` random draws of k numbers from 1..highest; counts sum to the draws made.
BestHitTally TallyRandomDraws(const LineSetIndex& index, int lineSize, int highest, quint64 draws,
                              quint64 seed, int threads, TallyControl& control);
