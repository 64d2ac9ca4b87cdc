#include "wheels/WheelJob.h"

WheelJob::WheelJob(const WheelTerms& terms, const QVector<int>& playerNumbers, int highest,
                   const WheelSearchLimits& limits)
    : terms_(terms), playerNumbers_(playerNumbers), highest_(highest), search_(terms, limits) {}

WheelJob::~WheelJob() {
    cancel();
}

void WheelJob::start() {
    thread_ = std::thread([this] { run(); });
}

void WheelJob::cancel() {
    cancelled_ = true;
    search_.stop();
    if (thread_.joinable())
        thread_.join();
}

void WheelJob::run() {
    const WheelLines lines = search_.run();
    result_.reachedLowerBound = search_.reachedLowerBound();
    result_.msToBest = search_.msToBest();
    if (!lines.empty() && !cancelled_) {
        result_.lines = WheelNumbers(lines, playerNumbers_);
        result_.check = CheckGuarantee(terms_, lines);
        SetOddsOptions options;
        options.stop = &cancelled_;
        result_.odds = ComputeSetOdds(result_.lines, terms_.lineSize, highest_, options);
    }
    finished_ = true;
}
