// Line generation speed without any window: numbers drawn per second through drawLine().
#include "app/LineGenerator.h"
#include "app/RandomGenerator.h"

#include <QElapsedTimer>
#include <QTextStream>

namespace {

constexpr int Lines = 100'000;
constexpr double GoalNumbersPerSecond = 1'000'000.0;

struct Case {
    const char* name;
    TLotteryState state;
};

TLotteryState game(int pick, int low, int high) {
    TLotteryState s;
    s.PickCount = pick;
    s.LowNumber = low;
    s.RandomBound = high + 1;
    return s;
}

TLotteryState sevenOf99WithFilters() {
    TLotteryState s = game(7, 1, 99);
    s.UseFavorites = true;
    s.Favorites = {0, 0, 12, 0, 0, 77, 0, 0}; // slots 2 and 5: often taken by earlier slots
    s.UseExcluded = true;
    s.Excluded = {0, 5, 10, 15, 20, 25, 30, 35};
    return s;
}

} // namespace

int main() {
    QTextStream out(stdout);
    const Case cases[] = {
        {"pick 6 from 1..49", game(6, 1, 49)},
        {"pick 7 from 1..99, favourites + exclusions", sevenOf99WithFilters()},
        {"pick 7 from 1..9, favourites + exclusions (tight)",
         [] {
             TLotteryState s = game(7, 1, 9);
             s.UseFavorites = true;
             s.Favorites = {0, 0, 0, 0, 6, 7, 8, 9};
             s.UseExcluded = true;
             s.Excluded = {0, 1, 2, 0, 0, 0, 0, 0};
             return s;
         }()},
    };

    bool allMet = true;
    for (const Case& c : cases) {
        TLotteryState s = c.state;
        RandomGenerator rng(RandomGenerator::seedFromTimeOfDay(12 * 3600 * 1000));
        qint64 checksum = 0;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < Lines; ++i) {
            if (!drawLine(s, rng)) {
                out << c.name << ": drawLine refused: " << generationProblem(s) << Qt::endl;
                return 1;
            }
            checksum += s.LineNumbers[1];
        }
        const qint64 ns = std::max<qint64>(1, timer.nsecsElapsed());
        const double numbers = double(Lines) * s.PickCount;
        const double perSecond = numbers / (double(ns) / 1e9);
        const bool met = perSecond >= GoalNumbersPerSecond;
        allMet = allMet && met;
        out << c.name << ": " << Lines << " lines in " << QString::number(ns / 1e6, 'f', 1)
            << " ms, " << QString::number(perSecond / 1e6, 'f', 2) << " million numbers/s"
            << (met ? "" : "  (below the goal of 1 million/s)") << "  [checksum " << checksum << "]"
            << Qt::endl;
    }
    return allMet ? 0 : 2;
}
