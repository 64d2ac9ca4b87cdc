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
// whose best line has h hits. There are sum_{s <= k} C(u, s) such subsets: about 16 million for
// u = 49 and k = 6, fine on two threads; beyond the exact limit the chances are estimated from
// random draws instead, with a standard error.

struct SetOddsOptions {
    // Subsets of the union summed at most for an exact answer; above, an estimate.
    quint64 exactLimit = 50'000'000;
    // Random draws for an estimate (split over the threads).
    quint64 simulatedDraws = 2'000'000;
    // The estimate is repeatable: the same seed gives the same answer.
    quint64 seed = 1'000'003;
    int threads = 2;
    // Set from any thread to stop early; the result is then marked cancelled.
    const std::atomic<bool>* stop = nullptr;
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
    // Subsets summed (exact) or draws simulated (estimate).
    quint64 work = 0;
    bool cancelled = false;
    // Non-empty when the input was refused; nothing else is set then.
    QString problem;
};

// Subsets of a union of u numbers that a draw of k can meet: sum_{s = 0..k} C(u, s).
quint64 UnionSubsetCount(int unionSize, int lineSize);

// Whether ComputeSetOdds will be exact for these lines (the union's subsets within the limit).
bool SetOddsAreExact(const QVector<QVector<int>>& lines, int lineSize, int highest,
                     quint64 exactLimit = SetOddsOptions{}.exactLimit);

// lines: numbers in 1..highest (repeats within a line count once); lineSize: numbers drawn,
// 1..7; highest: the game's highest number, up to 99. No lines: the best has 0 hits.
SetOdds ComputeSetOdds(const QVector<QVector<int>>& lines, int lineSize, int highest,
                       const SetOddsOptions& options = {});
