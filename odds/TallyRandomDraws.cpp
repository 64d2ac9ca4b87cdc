#include "odds/BestHitTally.h"

#include <algorithm>
#include <random>
#include <thread>
#include <vector>

namespace {

// One thread's share of the random draws, with its own generator so the answer depends only on
// the seed and the thread count, never on timing.
BestHitTally drawRandomly(const LineSetIndex& index, int lineSize, int highest, quint64 draws,
                          quint64 seed, TallyControl& control) {
    BestHitTally tally;
    std::mt19937_64 generator(seed);
    std::vector<quint8> hits(size_t(index.lineCount), 0);
    std::array<int, 8> drawn{};
    for (quint64 d = 0; d < draws; ++d) {
        // Every draw: with many lines one draw alone can take milliseconds.
        if (control.stopped()) {
            tally.cancelled = true;
            break;
        }
        if ((d & 0xff) == 0xff)
            control.advance(0x100);
        // k distinct numbers: redraw a number already taken (at most 7 of 99, so rarely).
        quint64 taken[2] = {0, 0};
        for (int i = 0; i < lineSize;) {
            const int number = 1 + int(((generator() >> 32) * quint64(highest)) >> 32);
            quint64& word = taken[number >> 6];
            const quint64 bit = quint64(1) << (number & 63);
            if (word & bit)
                continue;
            word |= bit;
            drawn[size_t(i++)] = index.positionOf[size_t(number)];
        }
        // Every line holding a drawn number, once for each of them.
        const auto eachLineHit = [&](auto&& visit) {
            for (int i = 0; i < lineSize; ++i) {
                const int position = drawn[size_t(i)];
                if (position < 0)
                    continue;
                for (int j = index.firstLine[size_t(position)];
                     j < index.firstLine[size_t(position) + 1]; ++j)
                    visit(hits[size_t(index.linesOf[size_t(j)])]);
            }
        };
        int best = 0;
        eachLineHit([&best](auto& lineHits) { best = std::max(best, int(++lineHits)); });
        eachLineHit([](auto& lineHits) { --lineHits; });
        ++tally.counts[size_t(best)];
        ++tally.work;
    }
    return tally;
}

} // namespace

BestHitTally TallyRandomDraws(const LineSetIndex& index, int lineSize, int highest, quint64 draws,
                              quint64 seed, int threads, TallyControl& control) {
    const int count = std::clamp(threads, 1, 8);
    std::vector<BestHitTally> shares(static_cast<size_t>(count));
    std::vector<std::thread> running;
    auto share = [&](int t) {
        const quint64 mine = draws / quint64(count) + (quint64(t) < draws % quint64(count) ? 1 : 0);
        shares[size_t(t)] = drawRandomly(index, lineSize, highest, mine,
                                         seed + 0x9e3779b97f4a7c15ULL * quint64(t), control);
    };
    for (int t = 1; t < count; ++t)
        running.emplace_back(share, t);
    share(0);
    for (std::thread& thread : running)
        thread.join();
    BestHitTally total;
    for (const BestHitTally& tally : shares)
        total.add(tally);
    return total;
}
