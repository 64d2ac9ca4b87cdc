#include "advanced/Backtest.h"

#include "state/LotteryState.h"
#include "lines/RandomGenerator.h"
#include "database/DatabaseOps.h"
#include "database/DrawTable.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr int LastNumberColumn = 7;
constexpr int MaxNumber = 99;

// A well-mixed 32-bit seed for one stream of one draw: neighbouring draws must not get
// neighbouring seeds, which would start the generator on nearly the same numbers.
quint32 drawSeed(quint32 seed, int draw, quint32 stream) {
    quint64 z = (quint64(seed) << 32 | quint32(draw)) + quint64(stream) * 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return quint32((z ^ (z >> 31)) >> 32);
}

} // namespace

QVector<BacktestDraw> backtestDraws(const TDrawTable& table) {
    QVector<BacktestDraw> draws;
    draws.reserve(table.RowCount());
    for (int row = 1; row < table.RowCount(); ++row) {
        if (!table.IsDraw(row))
            continue;
        BacktestDraw draw;
        draw.date = table.CellText(0, row).trimmed();
        for (int column = 1; column <= LastNumberColumn; ++column) {
            int value = 0;
            if (drawCellNumber(table.CellText(column, row), &value) && value >= 1 &&
                value <= MaxNumber)
                draw.numbers[size_t(draw.count++)] = quint8(value);
        }
        draws << draw;
    }
    return draws;
}

void BacktestTally::add(const BacktestTally& other) {
    drawsTested += other.drawsTested;
    drawsSkipped += other.drawsSkipped;
    firstSkipped += other.firstSkipped;
    std::sort(firstSkipped.begin(), firstSkipped.end(),
              [](const SkippedDraw& a, const SkippedDraw& b) { return a.index < b.index; });
    firstSkipped = firstSkipped.mid(0, BacktestSkippedNamed);
    for (size_t h = 0; h < mix.size(); ++h) {
        mix[h] += other.mix[h];
        random[h] += other.random[h];
    }
    differenceSum += other.differenceSum;
    differenceSquares += other.differenceSquares;
}

BacktestRunner::BacktestRunner(const QVector<BacktestDraw>& draws, const BacktestSetup& setup)
    : draws_(draws), setup_(setup),
      gameExists_(setup.pick >= 1 && setup.pick <= TLotteryState::MaxPick &&
                  setup.highest >= setup.pick && setup.highest <= MaxNumber) {}

void BacktestRunner::run(int from, int to, const std::atomic<bool>* stop, std::atomic<int>* done) {
    to = std::min(to, int(draws_.size()));
    from = std::max(from, counted_);
    // The draws between the last stretch and this one only count.
    for (; counted_ < std::min(from, to); ++counted_) {
        const BacktestDraw& draw = draws_[counted_];
        for (int k = 0; k < draw.count; ++k)
            ++counts_[draw.numbers[size_t(k)]];
    }
    for (int i = from; i < to; ++i) {
        if (stop && stop->load(std::memory_order_relaxed))
            break;
        if (i >= BacktestFirstTested) {
            bool tested = false;
            if (gameExists_) {
                const HotColdPicker picker(buildPools(counts_, setup_.highest), setup_.pick,
                                           setup_.highest, setup_.maxAttemptsPerLine);
                tested = picker.problem(setup_.composition).isEmpty() && testDraw(i, picker);
            }
            if (!tested) {
                if (tally_.firstSkipped.size() < BacktestSkippedNamed)
                    tally_.firstSkipped << SkippedDraw{i, draws_[i].date};
                ++tally_.drawsSkipped;
            }
            if (done)
                done->fetch_add(1, std::memory_order_relaxed);
        }
        const BacktestDraw& draw = draws_[i];
        for (int k = 0; k < draw.count; ++k)
            ++counts_[draw.numbers[size_t(k)]];
        counted_ = i + 1;
    }
}

// The lines of the mix and as many random lines for draw `index`, with their hits; false when
// no line of the mix came within the picker's limits.
bool BacktestRunner::testDraw(int index, const HotColdPicker& picker) {
    const BacktestDraw& draw = draws_[index];
    Drawn drawn{};
    for (int k = 0; k < draw.count; ++k)
        drawn[draw.numbers[size_t(k)]] = true;

    HitTally mix{};
    qint64 mixHits = 0;
    RandomGenerator random(drawSeed(setup_.seed, index, 1));
    HotColdPicker::Numbers line{};
    for (int l = 0; l < setup_.linesPerDraw; ++l) {
        if (!picker.drawNumbers(setup_.composition, random, &line))
            return false;
        int hits = 0;
        for (int k = 0; k < setup_.pick; ++k)
            hits += drawn[size_t(line[size_t(k)])];
        ++mix[size_t(hits)];
        mixHits += hits;
    }

    qint64 randomHits = 0;
    RandomGenerator plain(drawSeed(setup_.seed, index, 2));
    // Each draw starts from 1..R in order, so its lines depend on its own seed alone.
    std::iota(randomLine_.begin(), randomLine_.begin() + setup_.highest, 1);
    for (int l = 0; l < setup_.linesPerDraw; ++l) {
        const int hits = randomLineHits(plain, drawn);
        ++tally_.random[size_t(hits)];
        randomHits += hits;
    }
    for (size_t h = 0; h < mix.size(); ++h)
        tally_.mix[h] += mix[h];
    const qint64 difference = mixHits - randomHits;
    tally_.differenceSum += difference;
    tally_.differenceSquares += quint64(difference * difference);
    ++tally_.drawsTested;
    return true;
}

// A plain random line of the game: k different numbers of 1..R, every set equally likely,
// by a partial shuffle that needs exactly k draws of the generator.
int BacktestRunner::randomLineHits(RandomGenerator& random, const Drawn& drawn) {
    int hits = 0;
    for (int k = 0; k < setup_.pick; ++k) {
        const int j = k + random.next(setup_.highest - k);
        std::swap(randomLine_[size_t(k)], randomLine_[size_t(j)]);
        hits += drawn[size_t(randomLine_[size_t(k)])];
    }
    return hits;
}
