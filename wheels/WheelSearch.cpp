#include "wheels/WheelSearch.h"

#include "wheels/CoverAnnealer.h"
#include "wheels/OrbitSeeds.h"
#include "wheels/SymmetricHunt.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace {

// Failed attempts at one size before the first worker starts hunting beside its walk.
constexpr int HuntAfterFailures = 2;

} // namespace

qint64 SteadySearchClock::nowMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

WheelSearch::WheelSearch(const WheelTerms& terms, const WheelSearchLimits& limits,
                         const SearchClock* clock)
    : terms_(terms), limits_(limits), problem_(WheelTermsProblem(terms)), clock_(clock) {
    if (!clock_) {
        ownClock_ = std::make_unique<SteadySearchClock>();
        clock_ = ownClock_.get();
    }
    if (problem_.isEmpty())
        lowerBound_ = WheelLowerBound(terms);
}

WheelSearch::~WheelSearch() = default;

WheelLines WheelSearch::bestLines() const {
    std::lock_guard<std::mutex> lock(bestMutex_);
    return best_;
}

bool WheelSearch::reachedLowerBound() const {
    return limits_.budgetLines == 0 && bestCount_ > 0 && quint64(bestCount_) <= lowerBound_;
}

bool WheelSearch::timeIsUp() const {
    return double(clock_->nowMs() - startMs_) >= limits_.effortSeconds * 1000.0;
}

QString WheelSearch::bestTurn() const {
    std::lock_guard<std::mutex> lock(bestMutex_);
    return bestTurn_;
}

void WheelSearch::offer(const WheelLines& lines, bool hurried, const QString& turn) {
    std::lock_guard<std::mutex> lock(bestMutex_);
    if (!best_.empty() && lines.size() >= best_.size())
        return;
    best_ = lines;
    bestTurn_ = turn;
    hurried_ = hurried;
    bestCount_ = int(lines.size());
    msToBest_ = clock_->nowMs() - startMs_;
    if (lines.size() <= lowerBound_)
        stop_ = true;
    // Under the lock, so the window sees the calls one at a time and in order.
    if (progress_)
        progress_(bestCount_, msToBest_);
}

// A set number of lines: the fewest uncovered cases either worker reaches is the best.
void WheelSearch::offerBudget(const WheelLines& lines, quint32 uncovered) {
    std::lock_guard<std::mutex> lock(bestMutex_);
    if (!best_.empty() && uncovered >= bestUncovered_)
        return;
    best_ = lines;
    bestUncovered_ = uncovered;
    bestCount_ = int(lines.size());
    msToBest_ = clock_->nowMs() - startMs_;
    if (uncovered == 0)
        stop_ = true;
    if (progress_)
        progress_(bestCount_, msToBest_);
}

// The greedy start cut at the budget, then attempts twice as long each time while cases stay
// uncovered, each walk going on from where the last ended; the fewest uncovered seen is kept.
void WheelSearch::workToBudget(CoverAnnealer& annealer, const std::function<bool()>& ended) {
    annealer.keepFewest();
    if (!annealer.buildGreedy([&] { return bool(cancelled_); }, ended, size_t(limits_.budgetLines)))
        return;
    offerBudget(annealer.fewestUncoveredLines(), annealer.fewestUncovered());
    AnnealSchedule attempt;
    for (int round = 0; !ended() && annealer.fewestUncovered() > 0; ++round) {
        attempt.levelMoves =
            std::max<quint64>(500, quint64(terms_.lineSize) * 4 * quint64(limits_.budgetLines))
            << std::min(round, 6);
        annealer.anneal(attempt, ended);
        offerBudget(annealer.fewestUncoveredLines(), annealer.fewestUncovered());
    }
}

// One attempt of a hunt among symmetric wheels at the size it aims at, below the best either
// worker has; false when there is no shorter wheel to aim at.
bool WheelSearch::huntOnce(SymmetricHunt& hunt, const std::function<bool()>& ended) {
    const int best = bestCount_;
    if (ended() || best <= 1 || quint64(best) <= lowerBound_)
        return false;
    const int target = hunt.target(best, int(lowerBound_));
    if (target < 1)
        return false;
    // Dropped, and not counted, when the other worker gets there first.
    if (hunt.attempt(target, ended, [&] { return bestCount_ <= target; }))
        offer(hunt.lines(), false, hunt.turnFound());
    return true;
}

void WheelSearch::work(int worker) {
    const quint64 seed = limits_.seed * 0x2545f4914f6cdd1dULL + quint64(worker) + 1;
    CoverAnnealer annealer(terms_, seed);
    annealer.setKeys(limits_.keys);
    // The first worker's own hunt among symmetric wheels, made when it is first wanted.
    std::unique_ptr<CoverAnnealer> huntAnnealer;
    std::unique_ptr<SymmetricHunt> hunt;
    std::unique_ptr<OrbitSeeds> seeds;
    const auto movesMade = [&] {
        return annealer.moves() + (huntAnnealer ? huntAnnealer->moves() : 0) +
               (seeds ? seeds->moves() : 0);
    };
    const auto ended = [&] {
        return stop_ || timeIsUp() ||
               (limits_.maxMovesPerWorker > 0 && movesMade() >= limits_.maxMovesPerWorker);
    };
    if (limits_.budgetLines > 0) {
        workToBudget(annealer, ended);
        moves_ += annealer.moves();
        return;
    }
    // A hurried start is wanted only until either worker has a wheel.
    const auto abandon = [&] { return cancelled_ || (bestCount_ > 0 && ended()); };
    if (annealer.buildGreedy(abandon, ended))
        offer(annealer.lines(), annealer.hurried());
    // Coverings (M = T) only: on a lotto design (3 if 5 on 49 numbers) two plain walks found
    // the shorter wheel.
    const bool hunts = limits_.keys == 0 && terms_.ifDrawn == terms_.guarantee;
    if (worker % 2 == 1 && hunts) {
        SymmetricHunt hunt(terms_, annealer);
        while (hunt.hasTurns() && huntOnce(hunt, ended)) {
        }
        moves_ += annealer.moves();
        return;
    }
    const AnnealSchedule schedule;
    int failures = 0;
    int overtaken = 0; // attempts in a row the other worker got there first
    // Stuck at a size, this worker hunts among symmetric wheels too, after each of its longer
    // attempts for the time given (at least one attempt), from other turns than the
    // second worker's and aiming far lower: its walk sits in a hollow then, and a symmetric
    // wheel can lead out of it. The hunt ends when either worker gets there.
    const auto huntBeside = [&](int target, qint64 walked) {
        if (!hunt) {
            huntAnnealer = std::make_unique<CoverAnnealer>(terms_, ~seed);
            hunt = std::make_unique<SymmetricHunt>(terms_, *huntAnnealer,
                                                   SymmetricHunt::Aim::FarBelow);
        }
        const qint64 huntStart = clock_->nowMs();
        while (huntOnce(*hunt, ended) && bestCount_ > target &&
               clock_->nowMs() - huntStart < walked) {
        }
    };
    // Stuck at a size, this worker also walks down from wheels of whole orbits above the best
    // (OrbitSeeds), one after another for the time given.
    const auto seedBeside = [&](int target, qint64 walked) {
        const qint64 seedStart = clock_->nowMs();
        const auto spent = [&] {
            return ended() || bestCount_ <= target || clock_->nowMs() - seedStart >= walked;
        };
        while (!spent() && seeds->promising()) {
            const WheelLines found = seeds->descend(bestCount_, annealer.temperature(), spent);
            if (!found.empty())
                offer(found);
        }
    };
    // One line at a time, even far above the best size where lines come off easily. Taking
    // several off at once (twice as many after each size reached at the first attempt) sent
    // the walk into hollows it did not leave: on 16 numbers, 4 if 4, from a symmetric wheel of
    // 171 lines it was at 161 within 0.2 s, at 160 by 4 s, and no lower in the 16 s left. On
    // 20 numbers, 3 if 3 (20 s, two threads, seeds 17 to 32) the search ended at 75 lines or
    // more in none of 16 runs so, against 3 of 16 with the larger steps; later runs of the
    // same search, though, ended there in 3 of 8, so that gain is not shown.
    while (!ended() && bestCount_ > 0) {
        const WheelLines start = bestLines();
        const int target = std::max<int>(int(start.size()) - 1, int(lowerBound_));
        if (target < 1 || target >= int(start.size()))
            break;
        // A new size starts from the best wheel less its least useful line; after a failed
        // attempt the walk goes on from where it stopped (starting over from the same wheel
        // would keep it in the same hollow), each attempt twice as long as the last, up to 64
        // times, since the last lines are the hardest to save; then once more from the start.
        // A wheel of hundreds of thousands of lines takes a while to load and thin: both ask
        // whether the search has ended as they go. The walk usually holds the best wheel
        // already, having just found it, and is not loaded again.
        if (annealer.lines().size() != size_t(target)) {
            if (annealer.lines() != start && !annealer.load(start, ended))
                break;
            if (!annealer.dropLeastUseful(ended))
                break;
        }
        AnnealSchedule attempt = schedule;
        attempt.levelMoves = std::max<quint64>(500, quint64(terms_.lineSize) * 4 * quint64(target))
                             << std::min(failures, 6);
        const auto abandoned = [&] { return ended() || bestCount_ <= target; };
        const qint64 attemptStart = clock_->nowMs();
        if (annealer.anneal(attempt, abandoned)) {
            offer(annealer.lines());
            failures = 0;
        } else if (bestCount_ > target) {
            // Not when the other worker got there first.
            if (++failures > 6) {
                // Stuck after the longest attempt: the size starts again from the best wheel,
                // its temperature learnt anew (a walk can settle at one that never gets there).
                annealer.forgetTemperature();
                annealer.load({});
                failures = 0;
            } else if (failures >= HuntAfterFailures && hunts) {
                // The two share the time the attempt took while the tries come to something,
                // and the hunt has it all after. On 18 numbers, 4 if 4 (20 s, two threads,
                // seeds 1 to 8), with all of it for each, the search stalled at 249 to 287
                // lines in 3 runs; sharing it, it reached 236 in all 8.
                const qint64 walked = clock_->nowMs() - attemptStart;
                if (!seeds)
                    seeds = std::make_unique<OrbitSeeds>(terms_, seed ^ 0x9e3779b97f4a7c15ULL);
                const bool seeding = seeds->promising();
                if (seeding)
                    seedBeside(target, walked / 2);
                huntBeside(target, seeding ? walked / 2 : walked);
            }
        } else {
            failures = 0;
            // The other worker's hunt riding a turn down a line at a time overtakes every
            // attempt, a few seconds apart, and can stall far above the best size (on 18
            // numbers, 4 if 4, a turn of 6 cycles of 3 went from 296 to 291 lines in 10 s):
            // this worker hunts elsewhere then, as when stuck. That cell (20 s, two threads,
            // seeds 1 to 16) reached 236 lines in 12 runs so, against 7 without.
            if (++overtaken >= HuntAfterFailures && hunts)
                huntBeside(bestCount_ - 1, clock_->nowMs() - attemptStart);
            continue;
        }
        overtaken = 0;
    }
    moves_ += movesMade();
}

WheelLines WheelSearch::run() {
    if (!problem_.isEmpty())
        return {};
    startMs_ = clock_->nowMs();
    const int threads = std::clamp(limits_.threads, 1, 8);
    std::vector<std::thread> helpers;
    for (int worker = 1; worker < threads; ++worker)
        helpers.emplace_back(&WheelSearch::work, this, worker);
    work(0);
    for (std::thread& helper : helpers)
        helper.join();
    msRun_ = clock_->nowMs() - startMs_;
    return bestLines();
}
