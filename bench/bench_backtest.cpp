// The back-test of a hot / average / cold mix as its window runs it (the draws read from the
// table, two threads, the report): over a real 6/49 history at 10 lines a draw, and over
// 100,000 made-up draws at 100 lines a draw with the progress looked at as the window does.
//   bench_backtest [path/to/history.csv]
#include "HistoryCsv.h"
#include "advanced/Backtest.h"
#include "advanced/BacktestJob.h"
#include "advanced/BacktestReport.h"
#include "lines/RandomGenerator.h"
#include "database/DrawTable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <thread>

namespace {

constexpr int RealRuns = 7;
constexpr double GoalRealSeconds = 0.5;
constexpr int LongDraws = 100'000;
constexpr double GoalLongSeconds = 20.0;
constexpr int PollMs = 50; // as the window polls

// Uniform draws of 6 from 1..49, the same every run.
void makeDraws(TDrawTable& table, int draws) {
    table.SetHeader(6, false);
    table.SetRowCount(draws + 1);
    RandomGenerator random(20240601);
    for (int d = 1; d <= draws; ++d) {
        table.SetCellText(0, d, QStringLiteral(" 01/01/00"));
        std::array<bool, 50> taken{};
        for (int k = 1; k <= 6;) {
            const int n = random.next(49) + 1;
            if (!taken[size_t(n)]) {
                taken[size_t(n)] = true;
                table.SetCellNumber(k++, d, n);
            }
        }
    }
}

struct Run {
    double seconds = 0;
    double cpuSeconds = 0; // of both threads: the wall time on two free cores is about half
    int polls = 0;         // progress readings while it ran
    int risingPolls = 0;   // readings above the one before
    QStringList report;
};

Run backtest(const TDrawTable& table, const Composition& composition, int lines) {
    Run run;
    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpuStart = std::clock();
    BacktestSetup setup;
    setup.composition = composition;
    setup.linesPerDraw = lines;
    setup.seed = 43'200'000;
    BacktestJob job(backtestDraws(table), setup);
    job.start();
    int last = 0;
    while (!job.finished()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(PollMs));
        const int done = job.drawsDone();
        ++run.polls;
        run.risingPolls += done > last;
        last = done;
    }
    run.report = backtestReport(setup, job.result(), job.storedDraws(), false);
    run.seconds = timer.nsecsElapsed() / 1e9;
    run.cpuSeconds = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    return run;
}

QString mix(const Composition& c) {
    return QStringLiteral("%1/%2/%3/%4").arg(c.hot).arg(c.average).arg(c.cold).arg(c.random);
}

QString row(const QStringList& report, const QString& start) {
    for (const QString& line : report)
        if (line.startsWith(start))
            return line;
    return {};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    const QString csv = args.size() > 1 ? args[1] : QStringLiteral(BALLMERE_HISTORY_CSV);
    bool met = true;
    const Composition compositions[] = {{2, 2, 1, 1}, {0, 0, 0, 6}, {0, 3, 3, 0}, {6, 0, 0, 0}};

    TDrawTable real;
    if (const int draws = loadHistory(csv, real); draws > 0) {
        for (const Composition& c : compositions) {
            QList<double> times;
            Run run;
            for (int r = 0; r < RealRuns; ++r) {
                run = backtest(real, c, 10);
                times << run.seconds;
            }
            std::sort(times.begin(), times.end());
            const double t = times[times.size() / 2];
            const bool ok = t < GoalRealSeconds;
            met = met && ok;
            out << "real history, " << draws << " draws, mix " << mix(c)
                << ", 10 lines a draw: " << QString::number(t, 'f', 3) << " s (median of "
                << RealRuns << ", goal < " << GoalRealSeconds << " s: " << (ok ? "met" : "NOT met")
                << "); " << row(run.report, QStringLiteral("Draws tested: ")) << ", "
                << row(run.report, QStringLiteral("Draws skipped")) << "\n";
            out.flush();
        }
    } else {
        out << "real history: " << csv << " not found, skipped\n";
    }

    TDrawTable made;
    makeDraws(made, LongDraws);
    for (const Composition& c : compositions) {
        const Run run = backtest(made, c, 100);
        const bool ok = run.seconds < GoalLongSeconds && run.risingPolls + 1 >= run.polls;
        met = met && ok;
        out << LongDraws << " made-up draws, mix " << mix(c)
            << ", 100 lines a draw, 2 threads: " << QString::number(run.seconds, 'f', 2) << " s, "
            << QString::number(run.cpuSeconds, 'f', 2) << " s of processor time (goal < "
            << GoalLongSeconds
            << " s with the progress rising at every look: " << (ok ? "met" : "NOT met") << "); "
            << run.risingPolls << " of " << run.polls << " looks rising; "
            << row(run.report, QStringLiteral("t = ")) << "\n";
        out.flush();
    }
    return met ? 0 : 1;
}
