#pragma once

#include "odds/LineSetIndex.h"

#include <QtGlobal>
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

// Every subset S of the union with |S| <= k, weighted by C(R - u, k - |S|): counts sum to C(R, k).
BestHitTally TallyExactly(const LineSetIndex& index, int lineSize, int highest, int threads,
                          const std::atomic<bool>* stop);

// `draws` random draws of k numbers from 1..highest; counts sum to the draws made.
BestHitTally TallyRandomDraws(const LineSetIndex& index, int lineSize, int highest, quint64 draws,
                              quint64 seed, int threads, const std::atomic<bool>* stop);
