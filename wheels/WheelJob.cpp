#include "wheels/WheelJob.h"

#include "wheels/FastRandom.h"

// Everything the thread touches lives here, owned jointly by the job and the thread, so a job
// dropped by the window while its thread still ends its last step never leaves it dangling.
struct WheelJob::Shared {
    Shared(const WheelTerms& terms, const QVector<int>& numbers, int highest,
           const WheelSearchLimits& limits, const SearchClock* clock)
        : terms(terms), playerNumbers(numbers), highest(highest), search(terms, limits, clock) {}

    void run() {
        const WheelLines found = given.empty() ? search.run() : given;
        result.reachedLowerBound = search.reachedLowerBound();
        result.hurriedStart = search.hurriedStart();
        result.msToBest = search.msToBest();
        result.msSearched = search.msRun();
        if (!found.empty() && !cancelled) {
            phase = WheelPhase::Checking;
            result.check = CheckGuarantee(terms, found, &cancelled);
            result.lines = WheelNumbers(found, playerNumbers, &cancelled);
            phase = WheelPhase::Odds;
            SetOddsOptions options;
            options.stop = &oddsStop;
            options.progress = &oddsProgress;
            if (!oddsStop)
                result.odds = ComputeSetOdds(result.lines, terms.lineSize, highest, options);
            else
                result.odds.cancelled = true;
            for (int g = 0; extraGroups > 1 && g < extraGroups && !oddsStop; ++g) {
                QVector<QVector<int>> groupLines;
                for (int i = g; i < result.lines.size(); i += extraGroups)
                    groupLines.append(result.lines[i]);
                result.groupOdds.append(
                    ComputeSetOdds(groupLines, terms.lineSize, highest, options));
            }
            if (compareRandom && !oddsStop) {
                const QVector<QVector<int>> lines = randomLines();
                if (!oddsStop)
                    result.randomOdds = ComputeSetOdds(lines, terms.lineSize, highest, options);
            }
            result.odds.cancelled = result.odds.cancelled || oddsStop;
        }
        phase = WheelPhase::Done;
    }

    // As many lines as the wheel, each k of the player's numbers at random (a fixed seed, so
    // the comparison is the same each time); cut short by a stop, which hundreds of thousands
    // of lines took a fifth of a second to hear.
    QVector<QVector<int>> randomLines() const {
        FastRandom random(0x5eed);
        const WheelLine all = (WheelLine(1) << terms.pool) - 1;
        WheelLines lines;
        for (qsizetype i = 0; i < result.lines.size() && !oddsStop; ++i) {
            WheelLine line = 0;
            while (BitCount(line) < terms.lineSize)
                line |= random.bitOf(all & ~line);
            lines.push_back(line);
        }
        return WheelNumbers(lines, playerNumbers, &oddsStop);
    }

    const WheelTerms terms;
    const QVector<int> playerNumbers;
    const int highest;
    WheelSearch search;
    WheelLines given;
    WheelResult result;
    std::atomic<WheelPhase> phase{WheelPhase::Searching};
    std::atomic<bool> cancelled{false};
    std::atomic<bool> oddsStop{false};
    std::atomic<int> oddsProgress{0};
    int extraGroups = 0;
    bool compareRandom = false;
};

WheelJob::WheelJob(const WheelTerms& terms, const QVector<int>& playerNumbers, int highest,
                   const WheelSearchLimits& limits, const SearchClock* clock)
    : shared_(std::make_shared<Shared>(terms, playerNumbers, highest, limits, clock)) {}

WheelJob::~WheelJob() {
    cancel();
    if (!thread_.joinable())
        return;
    if (finished())
        thread_.join(); // it has returned, or is returning: no wait worth the name
    else
        thread_.detach();
}

WheelJob::WheelJob(const WheelTerms& terms, const QVector<int>& playerNumbers, int highest,
                   const WheelLines& given)
    : shared_(
          std::make_shared<Shared>(terms, playerNumbers, highest, WheelSearchLimits{}, nullptr)) {
    shared_->given = given;
}

void WheelJob::setExtraGroups(int groups) {
    shared_->extraGroups = groups;
}

void WheelJob::setRandomComparison(bool compare) {
    shared_->compareRandom = compare;
}

void WheelJob::start() {
    thread_ = std::thread([shared = shared_] { shared->run(); });
}

void WheelJob::stop() {
    if (shared_->phase == WheelPhase::Searching)
        shared_->search.stop();
    else
        shared_->oddsStop = true;
}

void WheelJob::cancel() {
    shared_->cancelled = true;
    shared_->oddsStop = true;
    shared_->search.cancel();
}

bool WheelJob::finished() const {
    return shared_->phase == WheelPhase::Done;
}

WheelPhase WheelJob::phase() const {
    return shared_->phase;
}

int WheelJob::bestLineCount() const {
    return shared_->search.bestLineCount();
}

quint64 WheelJob::bestUncovered() const {
    return shared_->search.bestUncovered();
}

int WheelJob::oddsProgress() const {
    return shared_->oddsProgress;
}

const QVector<int>& WheelJob::playerNumbers() const {
    return shared_->playerNumbers;
}

const WheelResult& WheelJob::result() const {
    return shared_->result;
}
