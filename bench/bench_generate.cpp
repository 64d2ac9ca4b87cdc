// Line generation: drawLine() against a floor that draws the same lines with the same generator
// and rules, its settings checked once rather than for every line, and the texts taken from a
// table. Both must give the same lines (same checksum). Medians of several rounds, paired.
#include "lines/LineGenerator.h"
#include "lines/RandomGenerator.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr int Lines = 100'000;
constexpr int Rounds = 7;
constexpr double GoalRatio = 2.0;

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

TLotteryState sevenOf9Tight() {
    TLotteryState s = game(7, 1, 9);
    s.UseFavorites = true;
    s.Favorites = {0, 0, 0, 0, 6, 7, 8, 9};
    s.UseExcluded = true;
    s.Excluded = {0, 1, 2, 0, 0, 0, 0, 0};
    return s;
}

// The floor: the same rules, written for speed, settings prepared once.
class FloorGenerator {
public:
    explicit FloorGenerator(const TLotteryState& s)
        : pick_(s.PickCount), bound_(s.RandomBound), low_(std::max(1, s.LowNumber)) {
        for (int k = 1; k <= pick_; ++k)
            favourite_[size_t(k)] =
                s.UseFavorites && s.Favorites[size_t(k)] >= low_ ? s.Favorites[size_t(k)] : 0;
        if (s.UseExcluded)
            for (int k = 1; k <= TLotteryState::MaxPick; ++k)
                if (s.Excluded[size_t(k)] > 0 && s.Excluded[size_t(k)] < 128)
                    excluded_[size_t(s.Excluded[size_t(k)])] = true;
        for (int n = 0; n < 100; ++n)
            texts_[size_t(n)] = twoDigitText(n);
    }

    void draw(RandomGenerator& rng, std::array<int, 8>& numbers, std::array<QString, 8>& texts) {
        int k = 1;
        while (k <= pick_) {
            const int drawn = rng.next(bound_);
            const int candidate = favourite_[size_t(k)] ? favourite_[size_t(k)] : drawn;
            if (std::find(numbers.begin() + 1, numbers.begin() + k, candidate) !=
                numbers.begin() + k) {
                if (favourite_[size_t(k)])
                    k = 1;
                continue;
            }
            if (excluded_[size_t(candidate)] || candidate < low_)
                continue;
            numbers[size_t(k++)] = candidate;
        }
        for (int j = 2; j <= pick_; ++j) // insertion sort: a line is short
            for (int i = j; i > 1 && numbers[size_t(i - 1)] > numbers[size_t(i)]; --i)
                std::swap(numbers[size_t(i - 1)], numbers[size_t(i)]);
        for (int j = 1; j <= pick_; ++j)
            texts[size_t(j)] = texts_[size_t(numbers[size_t(j)])];
    }

private:
    int pick_, bound_, low_;
    std::array<int, 8> favourite_{};
    std::array<bool, 128> excluded_{};
    std::array<QString, 100> texts_;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main() {
    QTextStream out(stdout);
    struct Case {
        const char* name;
        TLotteryState state;
    };
    const Case cases[] = {
        {"pick 6 from 1..49", game(6, 1, 49)},
        {"pick 7 from 1..99, favourites + exclusions", sevenOf99WithFilters()},
        {"pick 7 from 1..9, favourites + exclusions (tight)", sevenOf9Tight()},
    };
    const quint32 seed = RandomGenerator::seedFromTimeOfDay(12 * 3600 * 1000);
    out << "goal: drawLine() within x" << GoalRatio << " of a floor drawing the same lines ("
        << Lines << " lines, median of " << Rounds << " paired rounds)" << Qt::endl;

    bool allMet = true;
    for (const Case& c : cases) {
        std::vector<double> programMs, floorMs, ratios;
        for (int round = 0; round < Rounds; ++round) {
            TLotteryState s = c.state;
            RandomGenerator rng(seed);
            qint64 checksum = 0;
            QElapsedTimer timer;
            timer.start();
            for (int i = 0; i < Lines; ++i) {
                if (!drawLine(s, rng)) {
                    out << c.name << ": drawLine refused: " << generationProblem(s) << Qt::endl;
                    return 2;
                }
                checksum += s.LineNumbers[1] * 7 + s.LineNumbers[size_t(s.PickCount)] +
                            s.LineText[1].size();
            }
            const double program = timer.nsecsElapsed() / 1e6;

            FloorGenerator floor(c.state);
            RandomGenerator floorRng(seed);
            std::array<int, 8> numbers{};
            std::array<QString, 8> texts;
            qint64 floorChecksum = 0;
            timer.start();
            for (int i = 0; i < Lines; ++i) {
                floor.draw(floorRng, numbers, texts);
                floorChecksum +=
                    numbers[1] * 7 + numbers[size_t(c.state.PickCount)] + texts[1].size();
            }
            const double floorTime = timer.nsecsElapsed() / 1e6;
            if (checksum != floorChecksum) {
                out << c.name << ": the floor drew other lines than drawLine()" << Qt::endl;
                return 2;
            }
            programMs.push_back(program);
            floorMs.push_back(floorTime);
            ratios.push_back(program / floorTime);
        }
        const double ratio = median(ratios);
        const bool met = ratio <= GoalRatio;
        allMet = allMet && met;
        out << c.name << ": drawLine " << QString::number(median(programMs), 'f', 1)
            << " ms, floor " << QString::number(median(floorMs), 'f', 1) << " ms, x"
            << QString::number(ratio, 'f', 2) << (met ? "  goal met" : "  goal NOT met")
            << Qt::endl;
    }
    return allMet ? 0 : 1;
}
