#include "odds/BestHitTally.h"
#include "odds/Binomial.h"

#include <algorithm>
#include <thread>
#include <vector>

void BestHitTally::add(const BestHitTally& other) {
    for (size_t h = 0; h < counts.size(); ++h)
        counts[h] += other.counts[h];
    work += other.work;
    cancelled = cancelled || other.cancelled;
}

namespace {

// Walks the subsets of the union in increasing order of their numbers, keeping each line's hit
// count up to date as numbers join and leave, so a subset costs only the lines of its newest
// number. The last number of a full-size subset is never joined: only the best it would make
// is needed, and those leaves are most of the subsets.
class SubsetWalker {
public:
    SubsetWalker(const LineSetIndex& index, int lineSize, const std::array<quint64, 8>& weight,
                 TallyControl& control)
        : index_(index), lineSize_(lineSize), weight_(weight), control_(control),
          hits_(size_t(index.lineCount), 0) {}

    // Every subset whose two smallest numbers are the union's first-th and second-th.
    void walkFromPair(int first, int second) {
        const int best = join(second, join(first, 0));
        count(best, 2);
        if (lineSize_ > 2)
            walk(second + 1, 2, best);
        leave(second);
        leave(first);
        flush();
    }

    BestHitTally tally;

private:
    int join(int position, int best) {
        for (int i = index_.firstLine[size_t(position)]; i < index_.firstLine[size_t(position) + 1];
             ++i)
            best = std::max(best, int(++hits_[size_t(index_.linesOf[size_t(i)])]));
        return best;
    }
    void leave(int position) {
        for (int i = index_.firstLine[size_t(position)]; i < index_.firstLine[size_t(position) + 1];
             ++i)
            --hits_[size_t(index_.linesOf[size_t(i)])];
    }
    int bestIfJoined(int position, int best) const {
        for (int i = index_.firstLine[size_t(position)]; i < index_.firstLine[size_t(position) + 1];
             ++i)
            best = std::max(best, hits_[size_t(index_.linesOf[size_t(i)])] + 1);
        return best;
    }
    void count(int best, int size) {
        tally.counts[size_t(best)] += weight_[size_t(size)];
        ++tally.work;
    }
    // Hands the work done to the progress now and then, not on every subset.
    void flush(quint64 least = 0) {
        if (tally.work - reported_ > least) {
            control_.advance(tally.work - reported_);
            reported_ = tally.work;
        }
    }

    // The current subset has `size` numbers and its best line `best` hits; extend it by each
    // later number in turn.
    void walk(int start, int size, int best) {
        // Read here, not only between subtrees: one subtree of a large set takes seconds.
        if (tally.cancelled || control_.stopped()) {
            tally.cancelled = true;
            return;
        }
        const int unionSize = index_.unionSize();
        if (size + 1 == lineSize_) {
            std::array<quint64, 8> leaves{};
            for (int p = start; p < unionSize; ++p)
                ++leaves[size_t(bestIfJoined(p, best))];
            for (size_t h = 0; h < leaves.size(); ++h) {
                tally.counts[h] += leaves[h] * weight_[size_t(lineSize_)];
                tally.work += leaves[h];
            }
            flush(1 << 14);
            return;
        }
        for (int p = start; p < unionSize; ++p) {
            const int next = join(p, best);
            count(next, size + 1);
            walk(p + 1, size + 1, next);
            leave(p);
            if (tally.cancelled)
                return;
        }
    }

    const LineSetIndex& index_;
    const int lineSize_;
    const std::array<quint64, 8>& weight_;
    TallyControl& control_;
    std::vector<quint8> hits_;
    quint64 reported_ = 0;
};

} // namespace

BestHitTally TallyExactly(const LineSetIndex& index, int lineSize, int highest, int threads,
                          TallyControl& control) {
    const int unionSize = index.unionSize();
    std::array<quint64, 8> weight{};
    for (int s = 0; s <= lineSize; ++s)
        weight[size_t(s)] = Binomial(highest - unionSize, lineSize - s);

    // The empty subset and the single numbers need no walk: each single number is on a line.
    BestHitTally total;
    total.counts[0] = weight[0];
    total.counts[1] = quint64(unionSize) * weight[1];
    total.work = 1 + quint64(unionSize);
    control.advance(total.work);
    if (lineSize < 2 || unionSize < 2)
        return total;

    // Subtrees are handed out by their two smallest numbers, biggest first, to whichever thread
    // is free: about u^2 / 2 pieces balance two threads well.
    std::atomic<int> nextPair{0};
    const int pairSlots = unionSize * unionSize;
    auto work = [&](SubsetWalker& walker) {
        for (int slot = nextPair++; slot < pairSlots; slot = nextPair++) {
            const int first = slot / unionSize, second = slot % unionSize;
            if (second <= first)
                continue;
            if (walker.tally.cancelled || control.stopped()) {
                walker.tally.cancelled = true;
                return;
            }
            walker.walkFromPair(first, second);
        }
    };
    const int helpers = std::clamp(threads, 1, 8) - 1;
    std::vector<SubsetWalker> walkers(size_t(helpers) + 1,
                                      SubsetWalker(index, lineSize, weight, control));
    std::vector<std::thread> running;
    for (int t = 1; t <= helpers; ++t)
        running.emplace_back(work, std::ref(walkers[size_t(t)]));
    work(walkers[0]);
    for (std::thread& thread : running)
        thread.join();
    for (const SubsetWalker& walker : walkers)
        total.add(walker.tally);
    return total;
}
