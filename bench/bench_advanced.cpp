// Advanced picking without a window: 100 hot / average / cold lines over a real 6/49 history,
// and 100-line quick batches.
//   bench_advanced [path/to/history.csv]
#include "HistoryCsv.h"
#include "advanced/HotColdPicker.h"
#include "advanced/QuickPicker.h"
#include "lines/RandomGenerator.h"
#include "database/DrawTable.h"
#include "platform/SystemClock.h"
#include "state/LotteryState.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <tuple>

namespace {

constexpr int Lines = 100;
constexpr int Runs = 21;
constexpr int QuickRuns = 21;
constexpr double GoalHotColdMs = 10.0;
constexpr double GoalQuickBatchMs = 10.0;

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

QString ms(double value) {
    return QString::number(value, 'f', value < 10 ? 3 : 1);
}

// The history's counts, pools and `Lines` lines of each composition, timed.
bool hotCold(QTextStream& out, const TDrawTable& table, int draws) {
    QList<double> opening;
    HotColdPools pools;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        pools = buildPools(CountHits(table, draws, false), 49);
        opening << timer.nsecsElapsed() / 1e6;
    }
    out << "hot / average / cold over " << draws << " real draws: " << pools.hot.size() << " hot, "
        << pools.average.size() << " average, " << pools.cold.size() << " cold; counts and pools "
        << ms(median(opening)) << " ms (median of " << Runs << ")\n";

    const HotColdPicker picker(pools, 6, 49);
    const int hot = int(std::min<qsizetype>(6, pools.hot.size()));
    const Composition compositions[] = {
        {2, 2, 1, 1}, {0, 0, 0, 6}, {hot, 0, 0, 6 - hot}, {0, 3, 3, 0}};
    bool met = true;
    for (const Composition& c : compositions) {
        QList<double> times;
        TLotteryState s;
        qint64 checksum = 0;
        for (int run = 0; run < Runs; ++run) {
            RandomGenerator random(RandomGenerator::seedFromTimeOfDay(43'200'000 + run));
            QElapsedTimer timer;
            timer.start();
            for (int line = 0; line < Lines; ++line) {
                if (!picker.drawLine(s, c, random).ok)
                    return false;
                checksum += s.LineNumbers[1];
            }
            times << timer.nsecsElapsed() / 1e6;
        }
        const double t = median(times);
        met = met && t < GoalHotColdMs;
        out << "  " << c.hot << " hot, " << c.average << " avg, " << c.cold << " cold, " << c.random
            << " random: " << Lines << " lines in " << ms(t) << " ms (median of " << Runs
            << ", goal < " << GoalHotColdMs << " ms: " << (t < GoalHotColdMs ? "met" : "NOT met")
            << ")  [checksum " << checksum << "]\n";
    }
    return met;
}

// Lines whose neighbours all lie 3 or less apart: about 1 in 1,600 random lines of 6 from 49.
bool patterned(const TLotteryState& s) {
    for (int k = 2; k <= s.PickCount; ++k) {
        if (s.LineNumbers[k] - s.LineNumbers[k - 1] > 3)
            return false;
    }
    return true;
}

// A quick batch as the window runs it, on the system clock, and the tightest ranges a user can
// set (every number of the range in every line).
bool quick(QTextStream& out) {
    SystemClock systemClock;
    bool met = true;
    for (const auto& [pick, low, high] :
         {std::tuple{6, 1, 49}, std::tuple{6, 44, 49}, std::tuple{7, 93, 99}}) {
        TLotteryState s;
        s.PickCount = pick;
        s.LowNumber = low;
        s.RandomBound = high + 1;
        QList<double> batches;
        int close = 0;
        for (int run = 0; run < QuickRuns; ++run) {
            QuickPicker picker(systemClock);
            QElapsedTimer timer;
            timer.start();
            picker.startBatch();
            for (int line = 0; line < Lines; ++line) {
                if (!picker.drawLine(s, {}).ok)
                    return false;
                close += patterned(s);
            }
            batches << timer.nsecsElapsed() / 1e6;
        }
        const double batch = median(batches);
        const bool ok = batch < GoalQuickBatchMs;
        met = met && ok;
        out << "quick picker, " << Lines << " lines of " << pick << " from " << low << " - " << high
            << ": " << ms(batch) << " ms per batch (median of " << QuickRuns << ", goal < "
            << GoalQuickBatchMs << " ms: " << (ok ? "met" : "NOT met") << "); " << close << " of "
            << Lines * QuickRuns << " lines with every gap 3 or less\n";
    }
    return met;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    const QString csv = args.size() > 1 ? args[1] : QStringLiteral(BALLMERE_HISTORY_CSV);
    TDrawTable table;
    const int draws = loadHistory(csv, table);
    bool met = true;
    if (draws > 0)
        met = hotCold(out, table, draws);
    else
        out << "real history: " << csv << " not found, hot / average / cold skipped\n";
    out.flush();
    met = quick(out) && met;
    return met ? 0 : 1;
}
