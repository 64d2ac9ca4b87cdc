#include "advanced/BacktestJob.h"

#include <algorithm>

BacktestJob::BacktestJob(QVector<BacktestDraw> draws, const BacktestSetup& setup, int threads)
    : draws_(std::move(draws)), setup_(setup) {
    // A short history needs no more threads than it has stretches.
    const int stretches = (drawsToTest() + StretchDraws - 1) / StretchDraws;
    parts_.resize(size_t(std::clamp(std::min(threads, stretches), 1, 64)));
}

BacktestJob::~BacktestJob() {
    stop();
    for (std::thread& thread : threads_) {
        if (thread.joinable())
            thread.join();
    }
}

void BacktestJob::start() {
    if (!threads_.empty())
        return;
    running_ = int(parts_.size());
    for (size_t p = 0; p < parts_.size(); ++p)
        threads_.emplace_back([this, p] { work(p); });
}

void BacktestJob::work(size_t part) {
    BacktestRunner runner(draws_, setup_);
    const int end = int(draws_.size());
    while (!stop_.load(std::memory_order_relaxed)) {
        const int from = BacktestFirstTested + nextStretch_.fetch_add(1) * StretchDraws;
        if (from >= end)
            break;
        runner.run(from, std::min(end, from + StretchDraws), &stop_, &done_);
    }
    parts_[part] = runner.tally();
    running_.fetch_sub(1, std::memory_order_release);
}

BacktestTally BacktestJob::result() {
    for (std::thread& thread : threads_) {
        if (thread.joinable())
            thread.join();
    }
    BacktestTally tally;
    for (const BacktestTally& part : parts_)
        tally.add(part);
    return tally;
}
