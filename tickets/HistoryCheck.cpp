#include "tickets/HistoryCheck.h"

#include "games/Money.h"
#include "odds/LineOdds.h"
#include "state/GroupedCount.h"
#include "tickets/Prizes.h"
#include "tickets/TicketCheck.h"

#include <QLocale>
#include <algorithm>

void HistoryTally::add(const HistoryTally& other) {
    for (size_t h = 0; h < byHits.size(); ++h)
        byHits[h] += other.byHits[h];
    if (byTier.size() < other.byTier.size())
        byTier.resize(other.byTier.size());
    for (int t = 0; t < other.byTier.size(); ++t)
        byTier[t] += other.byTier[t];
    drawsDone += other.drawsDone;
    const bool better = other.bestHits > bestHits ||
                        (other.bestHits == bestHits && other.bestExtra > bestExtra);
    const bool same = other.bestHits == bestHits && other.bestExtra == bestExtra;
    if (better) {
        bestHits = other.bestHits;
        bestExtra = other.bestExtra;
        bestCount = other.bestCount;
        bestFirst = other.bestFirst;
    } else if (same) {
        bestCount += other.bestCount;
        bestFirst += other.bestFirst;
        std::sort(bestFirst.begin(), bestFirst.end(), [](const HistoryBest& a, const HistoryBest& b) {
            return a.draw != b.draw ? a.draw < b.draw : a.line < b.line;
        });
        bestFirst.resize(qMin<qsizetype>(bestFirst.size(), NamedBest));
    }
}

void tallyHistory(const QVector<TicketLine>& lines, const QVector<TicketDraw>& draws,
                  const TicketGame& game, int from, int to, HistoryTally* tally) {
    const bool tiers = game.hasPrizes();
    if (tally->byTier.size() < game.rules.tiers.size())
        tally->byTier.resize(game.rules.tiers.size());
    for (int d = qMax(0, from); d < qMin(to, int(draws.size())); ++d) {
        const TicketDraw& draw = draws[d];
        for (int l = 0; l < lines.size(); ++l) {
            const LineHits hits = lineHits(lines[l], draw, game);
            ++tally->byHits[size_t(qBound(0, hits.main, 7))];
            if (tiers) {
                const int tier = prizeTier(game, hits);
                if (tier >= 0)
                    ++tally->byTier[tier];
            }
            if (hits.main < tally->bestHits ||
                (hits.main == tally->bestHits && hits.extra < tally->bestExtra))
                continue;
            if (hits.main > tally->bestHits || hits.extra > tally->bestExtra) {
                tally->bestHits = hits.main;
                tally->bestExtra = hits.extra;
                tally->bestCount = 0;
                tally->bestFirst.clear();
            }
            ++tally->bestCount;
            if (tally->bestFirst.size() < HistoryTally::NamedBest)
                tally->bestFirst.append({d, l});
        }
        ++tally->drawsDone;
    }
}

HistoryCheckJob::HistoryCheckJob(QVector<TicketLine> lines, QVector<TicketDraw> draws,
                                 TicketGame game, int threads)
    : lines_(std::move(lines)), draws_(std::move(draws)), game_(std::move(game)),
      threadCount_(qMax(1, threads)) {}

HistoryCheckJob::~HistoryCheckJob() {
    stop();
    result();
}

void HistoryCheckJob::start() {
    if (!threads_.empty())
        return;
    parts_.assign(size_t(threadCount_), HistoryTally());
    running_ = threadCount_;
    for (int t = 0; t < threadCount_; ++t)
        threads_.emplace_back(&HistoryCheckJob::work, this, size_t(t));
}

// Stretches are handed out in order: each thread's stretches rise, so its first best results
// are in draw order, and the merge keeps the earliest of all.
void HistoryCheckJob::work(size_t part) {
    const int draws = int(draws_.size());
    while (!stop_.load(std::memory_order_relaxed)) {
        const int from = nextStretch_.fetch_add(1) * StretchDraws;
        if (from >= draws)
            break;
        const int to = qMin(draws, from + StretchDraws);
        tallyHistory(lines_, draws_, game_, from, to, &parts_[part]);
        done_.fetch_add(to - from, std::memory_order_relaxed);
    }
    running_.fetch_sub(1, std::memory_order_release);
}

HistoryTally HistoryCheckJob::result() {
    for (std::thread& thread : threads_)
        if (thread.joinable())
            thread.join();
    HistoryTally total;
    total.byTier.fill(0, game_.rules.tiers.size());
    for (const HistoryTally& part : parts_)
        total.add(part);
    return total;
}

namespace {

QString expectedText(long double expected) {
    const double e = double(expected);
    if (e == 0 || e >= 0.1)
        return QLocale(QLocale::English).toString(e, 'f', 2); // grouped, as every count
    return QString::number(e, 'g', 2);
}

QString bestLabel(const HistoryTally& tally, const TicketGame& game) {
    QString text = QStringLiteral("%1 hits").arg(tally.bestHits);
    if (tally.bestExtra > 0)
        text += game.rules.hasSecondDrum() ? QStringLiteral(" + %1").arg(tally.bestExtra)
                                           : QStringLiteral(" + bonus");
    return text;
}

} // namespace

QStringList historyReport(const HistoryTally& tally, const QStringList& lineTexts,
                          const QVector<TicketDraw>& draws, const TicketGame& game, bool stopped) {
    QStringList report;
    const qint64 lines = lineTexts.size();
    const qint64 checked = tally.drawsDone;
    report << QStringLiteral("%1 against %2 stored draws")
                  .arg(countedLines(lines), groupedCount(checked));
    if (stopped)
        report << QStringLiteral("Stopped: %1 of %2 draws checked.")
                      .arg(groupedCount(checked), groupedCount(draws.size()));
    report << QString();
    const quint64 pairs = quint64(lines) * quint64(checked);
    const int top = qBound(0, game.pick, 7);
    for (int h = qMin(3, top); h <= top; ++h)
        report << QStringLiteral("%1 hits: %2 times, expected %3")
                      .arg(h)
                      .arg(groupedCount(qint64(tally.byHits[size_t(h)])))
                      .arg(expectedText(ExpectedLinesWithHits(pairs, game.pick, game.range, h)));
    if (game.hasPrizes()) {
        const QVector<double> chances = tierChanceList(game);
        report << QString();
        for (int t = 0; t < game.rules.tiers.size(); ++t) {
            const double chance = t < chances.size() ? chances[t] : 0.0;
            const PrizeTier& tier = game.rules.tiers[t];
            // A tier whose amount the rules leave open (0) is named alone.
            const QString pays = tier.jackpot ? QStringLiteral(" (jackpot)")
                                 : tier.prizeCents > 0
                                     ? QStringLiteral(" (%1)").arg(prizeText(tier.prizeCents))
                                     : QString();
            report << QStringLiteral("%1%2: %3 times, expected %4")
                          .arg(tierLabel(game, t), pays)
                          .arg(groupedCount(t < tally.byTier.size() ? qint64(tally.byTier[t]) : 0))
                          .arg(expectedText((long double)(chance) * pairs));
        }
    }
    if (tally.bestHits > 0 && !tally.bestFirst.isEmpty()) {
        report << QString();
        report << QStringLiteral("Best: %1, %2 %3")
                      .arg(bestLabel(tally, game))
                      .arg(groupedCount(qint64(tally.bestCount)))
                      .arg(tally.bestCount == 1 ? QStringLiteral("time") : QStringLiteral("times"));
        for (const HistoryBest& best : tally.bestFirst) {
            if (best.draw < 0 || best.draw >= draws.size() || best.line < 0 || best.line >= lines)
                continue;
            report << QStringLiteral("%1  %2").arg(draws[best.draw].dateText,
                                                   lineTexts[best.line].trimmed());
        }
        if (tally.bestCount > quint64(tally.bestFirst.size()))
            report << QStringLiteral("and %1 more")
                          .arg(groupedCount(qint64(tally.bestCount) - tally.bestFirst.size()));
    }
    return report;
}
