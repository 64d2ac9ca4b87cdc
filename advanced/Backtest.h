#pragma once

// The back-test of a hot / average / cold mix over the stored history. For every draw from
// the eleventh on, the numbers are classed by the draws before it (as the picker classes them
// when the window opens), lines of the mix are made as the picker makes them, and their hits
// in that draw are counted beside as many plain random lines of the game.

#include "advanced/HotColdPicker.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <atomic>

class RandomGenerator;
class TDrawTable;

// One stored draw: its date as stored, without the leading blank, and the main numbers that
// the hit counts take from it (columns 1..7, whole numbers 1..99).
struct BacktestDraw {
    QString date;
    std::array<quint8, 7> numbers{};
    int count = 0;
};

// The dated rows of the table, in order.
QVector<BacktestDraw> backtestDraws(const TDrawTable& table);

// The picker needs ten draws to class the numbers, so the eleventh is the first tested.
constexpr int BacktestFirstTested = 10; // index into the draws
constexpr int BacktestSkippedNamed = 3; // skipped draws named by their dates

inline int backtestDrawsToTest(int storedDraws) {
    return storedDraws > BacktestFirstTested ? storedDraws - BacktestFirstTested : 0;
}

struct BacktestSetup {
    int pick = 6;     // numbers a line and a draw
    int highest = 49; // numbers are 1..highest
    Composition composition;
    int linesPerDraw = 10;
    quint32 seed = 0;
    int maxAttemptsPerLine = HotColdPicker::DefaultMaxAttempts;
};

// Lines by their hits in the draw they were tested on: [h] for h = 0..7 hits.
using HitTally = std::array<quint64, 8>;

struct SkippedDraw {
    int index = 0; // into the draws
    QString date;
};

struct BacktestTally {
    int drawsTested = 0;
    int drawsSkipped = 0;
    QList<SkippedDraw> firstSkipped; // the first skipped draws, oldest first
    HitTally mix{};
    HitTally random{};
    // Per tested draw, the hits of the mix's lines less those of the random lines: the sum
    // and the sum of squares over the draws, whole numbers so that any split of the draws
    // adds up to the same figures.
    qint64 differenceSum = 0;
    quint64 differenceSquares = 0;

    // Adds the tally of later draws.
    void add(const BacktestTally& later);
};

// Tests stretches of the draws in ascending order, each after counting the draws before it
// that it has not counted yet; draws before the eleventh are only counted. Each draw's lines
// come from generators seeded by setup.seed and the draw's place, so the figures do not depend
// on how the draws are split into stretches or between threads.
class BacktestRunner {
public:
    BacktestRunner(const QVector<BacktestDraw>& draws, const BacktestSetup& setup);

    // Tests draws [from, to); `from` may not lie before the end of the last stretch. `stop` is
    // looked at between draws; `done` goes up by one for each draw tested or skipped.
    void run(int from, int to, const std::atomic<bool>* stop = nullptr,
             std::atomic<int>* done = nullptr);
    const BacktestTally& tally() const { return tally_; }

private:
    using Drawn = std::array<bool, 100>;
    bool testDraw(int index, const HotColdPicker& picker);
    int randomLineHits(RandomGenerator& random, const Drawn& drawn);

    const QVector<BacktestDraw>& draws_;
    const BacktestSetup setup_;
    const bool gameExists_;
    HitCountTable counts_{};
    int counted_ = 0; // draws [0, counted_) are in counts_
    std::array<int, 99> randomLine_{};
    BacktestTally tally_;
};
