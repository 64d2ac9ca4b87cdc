#pragma once

#include "tickets/TicketData.h"

#include <QStringList>
#include <array>
#include <atomic>
#include <thread>
#include <vector>

// Every line of a check file against every stored draw: how often a line reached each number
// of hits and each prize tier, beside the exact expectation, and where the best results came.

struct HistoryBest {
    int draw = 0; // index into the draws
    int line = 0; // index into the lines
};

struct HistoryTally {
    std::array<quint64, 8> byHits{}; // (line, draw) pairs by main hits
    QVector<quint64> byTier;
    int drawsDone = 0;
    int bestHits = -1;
    int bestExtra = -1;
    quint64 bestCount = 0;          // pairs at the best result
    QVector<HistoryBest> bestFirst; // the first few of them, in draw order

    static constexpr int NamedBest = 10;
    void add(const HistoryTally& other);
};

// Checks draws [from, to) into `tally`; `stop` is looked at between stretches of draws.
void tallyHistory(const QVector<TicketLine>& lines, const QVector<TicketDraw>& draws,
                  const TicketGame& game, int from, int to, HistoryTally* tally);

// Runs the check on threads of its own; the window polls it.
class HistoryCheckJob {
public:
    static constexpr int StretchDraws = 256;

    HistoryCheckJob(QVector<TicketLine> lines, QVector<TicketDraw> draws, TicketGame game,
                    int threads = 2);
    ~HistoryCheckJob(); // stops and waits
    HistoryCheckJob(const HistoryCheckJob&) = delete;
    HistoryCheckJob& operator=(const HistoryCheckJob&) = delete;

    void start();
    void stop() { stop_ = true; }
    bool stopped() const { return stop_; }
    bool finished() const { return running_.load(std::memory_order_acquire) == 0; }
    int drawsToCheck() const { return int(draws_.size()); }
    int drawsDone() const { return done_.load(std::memory_order_relaxed); }
    // Waits for the threads, then adds up what they checked.
    HistoryTally result();

    const QVector<TicketDraw>& draws() const { return draws_; }

private:
    void work(size_t part);

    const QVector<TicketLine> lines_;
    const QVector<TicketDraw> draws_;
    const TicketGame game_;
    const int threadCount_;
    std::vector<HistoryTally> parts_;
    std::vector<std::thread> threads_;
    std::atomic<bool> stop_{false};
    std::atomic<int> nextStretch_{0};
    std::atomic<int> done_{0};
    std::atomic<int> running_{0};
};

// The report: one row a hit count from 3 (or fewer for a short line) up to the line's size,
// the prize tiers when the game has them, then the draws of the best results.
QStringList historyReport(const HistoryTally& tally, const QStringList& lineTexts,
                          const QVector<TicketDraw>& draws, const TicketGame& game, bool stopped);
