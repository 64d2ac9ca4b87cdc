// Advanced picking without a window: 100 hot / average / cold lines over a real 6/49 history,
// and how much of a 100-line quick batch is spent waiting for the clock to move.
//   bench_advanced [path/to/history.csv]
#include "advanced/HotColdPicker.h"
#include "advanced/QuickPicker.h"
#include "app/LotteryState.h"
#include "app/RandomGenerator.h"
#include "database/DrawTable.h"
#include "platform/SystemClock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <tuple>

namespace {

constexpr int Lines = 100;
constexpr int Runs = 21;
constexpr int QuickRuns = 5;
constexpr double GoalHotColdMs = 10.0;
// The quick batch is bounded by the clock when drawing itself takes under this share of it.
constexpr double GoalComputeShare = 0.05;

// "Month D, YYYY",n1,...,n6,bonus per line after a heading line.
int loadHistory(const QString& path, TDrawTable& table) {
    table.SetHeader(6, true);
    QFile csv(path);
    if (!csv.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    csv.readLine();
    int draws = 0;
    while (!csv.atEnd()) {
        const QString line = QString::fromUtf8(csv.readLine()).trimmed();
        const QStringList fields = line.section(u'"', 2).split(u',', Qt::SkipEmptyParts);
        if (fields.size() < 7)
            continue;
        table.SetRowCount(std::max(TDrawTable::MinRowCount, ++draws + 1));
        table.SetCellText(0, draws, QLatin1Char(' ') + line.section(u'"', 1, 1));
        for (int k = 0; k < 7; ++k)
            table.SetCellText(k < 6 ? k + 1 : 8, draws,
                              QStringLiteral("  %1").arg(fields[k].toInt(), 2, 10, QChar('0')));
    }
    return draws;
}

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

// A clock that moves on by one millisecond at every read: the drawing alone, with no waiting.
class SteppingClock : public Clock {
public:
    mutable int millis = 43'200'000;
    int millisecondsSinceMidnightUtc() const override { return millis++; }
    QString todayShortDate() const override { return {}; }
};

bool quick(QTextStream& out) {
    TLotteryState s;
    s.PickCount = 6;
    s.LowNumber = 1;
    s.RandomBound = 50;
    SystemClock systemClock;
    QList<double> batches, waiting, readings;
    for (int run = 0; run < QuickRuns; ++run) {
        QuickPicker picker(systemClock);
        QElapsedTimer timer;
        timer.start();
        for (int line = 0; line < Lines; ++line) {
            if (!picker.drawLine(s, {}).ok)
                return false;
        }
        const double total = timer.nsecsElapsed() / 1e6;
        const double fresh = double(picker.candidates() - picker.repeatedReadings());
        batches << total;
        waiting << total * double(picker.repeatedReadings()) / double(picker.candidates());
        readings << fresh;
    }
    // The same number of fresh readings with a clock that never repeats: the work itself.
    SteppingClock stepping;
    QuickPicker alone(stepping);
    QElapsedTimer timer;
    timer.start();
    while (alone.candidates() < qint64(median(readings))) {
        if (!alone.drawLine(s, {}).ok)
            return false;
    }
    const double work = timer.nsecsElapsed() / 1e6;
    const double batch = median(batches);
    const double share = work / batch;
    const bool met = share < GoalComputeShare;
    out << "quick picker, " << Lines << " lines of 6 from 1 - 49 on the system clock: " << ms(batch)
        << " ms per batch (median of " << QuickRuns << "), " << ms(median(waiting))
        << " ms of it re-reading a clock that had not moved ("
        << QString::number(median(waiting) / batch * 100, 'f', 2) << " %); "
        << qint64(median(readings)) << " fresh readings, which take " << ms(work)
        << " ms to draw from (" << QString::number(share * 100, 'f', 3)
        << " % of the batch; goal < " << GoalComputeShare * 100
        << " %, bounded by the clock: " << (met ? "met" : "NOT met") << ")\n";
    return met;
}

// The tightest ranges a user can set: every number of the range in every line. The clock
// readings one line takes there must stay far below the picker's budget.
bool tightest(QTextStream& out) {
    SystemClock systemClock;
    bool met = true;
    for (const auto& [pick, low, high] : {std::tuple{6, 44, 49}, std::tuple{7, 93, 99}}) {
        TLotteryState s;
        s.PickCount = pick;
        s.LowNumber = low;
        s.RandomBound = high + 1;
        qint64 most = 0;
        QElapsedTimer timer;
        timer.start();
        for (int line = 0; line < 10; ++line) {
            QuickPicker picker(systemClock);
            if (!picker.drawLine(s, {}).ok)
                return false;
            most = std::max(most, picker.candidates() - picker.repeatedReadings());
        }
        const bool ok = most * 10 < QuickPicker::MaxFreshReadingsPerLine;
        met = met && ok;
        out << "  tightest range, " << pick << " from " << low << " - " << high << ": 10 lines in "
            << ms(timer.nsecsElapsed() / 1e6) << " ms, at most " << most
            << " clock readings for a line (budget " << QuickPicker::MaxFreshReadingsPerLine
            << ", goal under a tenth of it: " << (ok ? "met" : "NOT met") << ")\n";
    }
    return met;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    const QString csv =
        args.size() > 1 ? args[1] : QStringLiteral(BALLMERE_HISTORY_CSV);
    TDrawTable table;
    const int draws = loadHistory(csv, table);
    bool met = true;
    if (draws > 0)
        met = hotCold(out, table, draws);
    else
        out << "real history: " << csv << " not found, hot / average / cold skipped\n";
    out.flush();
    met = quick(out) && met;
    out.flush();
    met = tightest(out) && met;
    return met ? 0 : 1;
}
