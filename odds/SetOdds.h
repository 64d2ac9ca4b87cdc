#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>
#include <array>
#include <atomic>

// The chances of a set of lines: for every h, the chance that the best line of the set has at
// least h hits in one draw of k numbers from 1..R.
//
// Only which of the lines' numbers are drawn matters. With U the union of the lines' numbers
// (u of them), a draw meets U in some subset S with |S| <= k, and exactly C(R - u, k - |S|) of
// the C(R, k) draws meet U in that very S (the rest of the draw comes from outside U). So summing
// C(R - u, k - |S|) over the subsets S whose best line has h hits counts, exactly, the draws
// whose best line has h hits. There are sum_{s <= k} C(u, s) such subsets, and each costs about
// as many steps as lines hold its newest number: the exact answer is taken when that cost stays
// within the work limit, else the chances are estimated from random draws within the same
// limit, with a standard error.

struct SetOddsOptions {
    // Steps (one line's hit count raised or lowered) allowed; past it, an estimate.
    quint64 workLimit = 400'000'000;
    // Random draws for an estimate at most (split over the threads); fewer when each draw is
    // dear, so the estimate keeps within the work limit too.
    quint64 simulatedDraws = 2'000'000;
    // The estimate is repeatable: the same seed gives the same answer.
    quint64 seed = 1'000'003;
    int threads = 2;
    // Set from any thread to stop early: read often enough to end within a few milliseconds;
    // the result is then marked cancelled.
    const std::atomic<bool>* stop = nullptr;
    // Thousandths of the work done, written as it goes (from any of the threads).
    std::atomic<int>* progress = nullptr;
};

struct SetOdds {
    static constexpr int MaxHits = 7;
    // atLeast[h]: chance that the best line has at least h hits (atLeast[0] is 1), h = 0..7.
    std::array<long double, MaxHits + 1> atLeast{};
    // Exact answers only: draws whose best line has exactly h hits, out of allDraws.
    std::array<quint64, MaxHits + 1> drawsWithBest{};
    quint64 allDraws = 0;
    // An estimate ("about"): the standard error of each atLeast[h]; an entry of 0 is exact even
    // in an estimate (the top tier of lines of k numbers is counted, not sampled).
    bool estimated = false;
    std::array<long double, MaxHits + 1> standardError{};
    // An estimate's tier that no random draw reached though a line can reach it: atLeast[h] is
    // then 0 and this is an upper bound on the chance (95 % confidence).
    std::array<long double, MaxHits + 1> lessThan{};
    // Most hits any one line can have: the game's k or fewer for shorter lines. Tiers above it
    // are impossible.
    int mostHits = 0;
    // Subsets summed (exact) or draws simulated (estimate).
    quint64 work = 0;
    bool cancelled = false;
    // Non-empty when the input was refused; nothing else is set then.
    QString problem;
};

// Subsets of a union of u numbers that a draw of k can meet: sum_{s = 0..k} C(u, s).
quint64 UnionSubsetCount(int unionSize, int lineSize);

// lines: numbers in 1..highest (repeats within a line count once); lineSize: numbers drawn,
// 1..7; highest: the game's highest number, up to 99. No lines: the best has 0 hits.
SetOdds ComputeSetOdds(const QVector<QVector<int>>& lines, int lineSize, int highest,
                       const SetOddsOptions& options = {});
