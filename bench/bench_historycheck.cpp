// The whole-history check as the checker runs it: 100 lines against 100,000 made-up draws of
// 6 from 49 on two threads, the progress read as the window polls it; the median of 7 runs.
#include "lines/RandomGenerator.h"
#include "tickets/HistoryCheck.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <chrono>
#include <thread>

namespace {

constexpr int Lines = 100;
constexpr int Draws = 100'000;
constexpr int Runs = 7;
constexpr double GoalSeconds = 2.0;
constexpr int PollMs = 50;

NumberSet randomSix(RandomGenerator& random) {
    NumberSet set;
    for (int k = 0; k < 6;) {
        const int n = random.next(49) + 1;
        if (!set.has(n)) {
            set.add(n);
            ++k;
        }
    }
    return set;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    RandomGenerator random(20251119);
    QVector<TicketLine> lines;
    QStringList texts;
    for (int l = 0; l < Lines; ++l) {
        TicketLine line;
        line.numbers = randomSix(random);
        line.count = 6;
        lines << line;
        texts << QStringLiteral("line %1").arg(l + 1);
    }
    QVector<TicketDraw> draws;
    draws.reserve(Draws);
    for (int d = 0; d < Draws; ++d) {
        TicketDraw draw;
        draw.dateText = QStringLiteral("%1").arg(d);
        draw.numbers = randomSix(random);
        draw.bonus = random.next(49) + 1;
        draws << draw;
    }
    TicketGame game;
    game.pick = 6;
    game.range = 49;
    game.bonus = true;

    QTextStream out(stdout);
    std::vector<double> seconds;
    QStringList report;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        HistoryCheckJob job(lines, draws, game, 2);
        job.start();
        while (!job.finished())
            std::this_thread::sleep_for(std::chrono::milliseconds(qMin<qint64>(
                PollMs, qMax<qint64>(1, PollMs - timer.elapsed() % PollMs))));
        const HistoryTally tally = job.result();
        report = historyReport(tally, texts, draws, game, false);
        seconds.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    out << "history check, " << Lines << " lines x " << Draws << " draws, 2 threads: median "
        << QString::number(median, 'f', 3) << " s (goal < " << GoalSeconds << " s) "
        << (median < GoalSeconds ? "met" : "NOT MET") << "\n";
    for (int row = 2; row < 6 && row < report.size(); ++row)
        out << "  " << report[row] << "\n";
    return median < GoalSeconds ? 0 : 1;
}
