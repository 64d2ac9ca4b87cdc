#include "advanced/HotColdPicker.h"
#include "advanced/QuickPicker.h"
#include "lines/LineGenerator.h"
#include "lines/RandomGenerator.h"
#include "state/LotteryState.h"
#include "support/Fakes.h"

#include <QMap>
#include <QtTest>
#include <boost/math/distributions/chi_squared.hpp>

Q_DECLARE_METATYPE(Composition)

namespace {

using Numbers = QList<int>;

TLotteryState game(int pick, int low, int high) {
    TLotteryState s;
    s.PickCount = pick;
    s.LowNumber = low;
    s.RandomBound = high + 1;
    return s;
}

Numbers lineOf(const TLotteryState& s, int pick) {
    return Numbers(s.LineNumbers.begin() + 1, s.LineNumbers.begin() + 1 + pick);
}

bool ascendingDistinct(const Numbers& line) {
    for (int i = 1; i < line.size(); ++i) {
        if (line[i - 1] >= line[i])
            return false;
    }
    return true;
}

HitCountTable countsOf(const Numbers& counts) {
    HitCountTable table{};
    for (int n = 1; n <= counts.size(); ++n)
        table[size_t(n)] = counts[n - 1];
    return table;
}

Numbers range(int from, int to) {
    Numbers numbers;
    for (int n = from; n <= to; ++n)
        numbers << n;
    return numbers;
}

} // namespace

class TestAdvancedPickers : public QObject {
    Q_OBJECT

private slots:
    void quickBatchSeedsOnce();
    void quickLinesAreNotPatterned();
    void quickLineFilters_data();
    void quickLineFilters();
    void pools_data();
    void pools();
    void compositionMakesValidLines();
    void compositionProblems_data();
    void compositionProblems();
    void sameLinesAsTheRedraws_data();
    void sameLinesAsTheRedraws();
    void impossibleLineIsBounded_data();
    void impossibleLineIsBounded();
};

// A batch reads the clock once and draws every line from the one generator seeded with it, so
// its lines are those of the main window's draw with that seed.
void TestAdvancedPickers::quickBatchSeedsOnce() {
    FakeClock clock;
    clock.advancePerRead = 1;
    const int start = clock.millis;
    QuickPicker picker(clock);
    picker.startBatch();
    TLotteryState s = game(6, 1, 49);
    TLotteryState expected = s;
    RandomGenerator random(RandomGenerator::seedFromTimeOfDay(start));
    for (int i = 0; i < 3; ++i) {
        const PickedLine line = picker.drawLine(s, {});
        QVERIFY(line.ok);
        QVERIFY(drawLine(expected, random));
        QCOMPARE(line.text, lineListText(expected));
    }
    QCOMPARE(clock.reads, 1);
}

// Lines of close neighbours (every gap 3 or less) are about 1 in 1,600 random lines of 6 from 49.
void TestAdvancedPickers::quickLinesAreNotPatterned() {
    FakeClock clock;
    clock.advancePerRead = 1;
    QuickPicker picker(clock);
    picker.startBatch();
    TLotteryState s = game(6, 1, 49);
    int patterned = 0;
    for (int i = 0; i < 100; ++i) {
        QVERIFY(picker.drawLine(s, {}).ok);
        const Numbers line = lineOf(s, 6);
        bool close = true;
        for (int k = 1; k < line.size(); ++k)
            close = close && line[k] - line[k - 1] <= 3;
        patterned += close;
    }
    QVERIFY2(patterned <= 1, qPrintable(QString::number(patterned)));
}

void TestAdvancedPickers::quickLineFilters_data() {
    QTest::addColumn<bool>("useFavorites");
    QTest::addColumn<bool>("useExcluded");
    QTest::addColumn<Numbers>("always");
    QTest::addColumn<Numbers>("never");
    const Numbers favourites{7, 12};
    const Numbers excluded{1, 2, 3, 4, 5, 6, 8};
    QTest::newRow("favourites ticked") << true << false << favourites << Numbers{};
    QTest::newRow("exclusions ticked") << false << true << Numbers{} << excluded;
    // The main window's flags are on, but the picker's own boxes decide.
    QTest::newRow("neither ticked") << false << false << Numbers{} << Numbers{};
}

void TestAdvancedPickers::quickLineFilters() {
    QFETCH(bool, useFavorites);
    QFETCH(bool, useExcluded);
    QFETCH(Numbers, always);
    QFETCH(Numbers, never);
    FakeClock clock;
    clock.advancePerRead = 1;
    QuickPicker picker(clock);
    picker.startBatch();
    TLotteryState s = game(6, 1, 15);
    s.UseFavorites = s.UseExcluded = true;
    s.Favorites = {0, 7, 12, 0, 0, 0, 0, 0};
    s.Excluded = {0, 1, 2, 3, 4, 5, 6, 8};
    int favouritesSeen = 0;
    for (int i = 0; i < 200; ++i) {
        const PickedLine line = picker.drawLine(s, {useFavorites, useExcluded});
        QVERIFY2(line.ok, qPrintable(line.problem));
        const Numbers numbers = lineOf(s, 6);
        QVERIFY(ascendingDistinct(numbers));
        for (const int n : always)
            QVERIFY2(numbers.contains(n), qPrintable(line.text));
        for (const int n : never)
            QVERIFY2(!numbers.contains(n), qPrintable(line.text));
        favouritesSeen += numbers.contains(7) && numbers.contains(12);
    }
    if (always.isEmpty())
        QVERIFY(favouritesSeen < 200);
}

void TestAdvancedPickers::pools_data() {
    QTest::addColumn<Numbers>("counts");
    QTest::addColumn<Numbers>("hot");
    QTest::addColumn<Numbers>("average");
    QTest::addColumn<Numbers>("cold");
    QTest::newRow("one hot, eight average, one cold")
        << Numbers{5, 3, 3, 3, 3, 3, 3, 3, 3, 1} << Numbers{1} << range(2, 9) << Numbers{10};
    QTest::newRow("all equal: hot and cold at once")
        << Numbers(10, 4) << range(1, 10) << Numbers{} << range(1, 10);
    QTest::newRow("never drawn: average when the deviation exceeds the mean")
        << (Numbers{1, 1} + Numbers(10, 0)) << Numbers{1, 2} << range(3, 12) << Numbers{};
    QTest::newRow("never drawn: cold otherwise")
        << (Numbers{0, 0} + Numbers(10, 3)) << Numbers{} << range(3, 12) << Numbers{1, 2};
}

void TestAdvancedPickers::pools() {
    QFETCH(Numbers, counts);
    QFETCH(Numbers, hot);
    QFETCH(Numbers, average);
    QFETCH(Numbers, cold);
    const HotColdPools pools = buildPools(countsOf(counts), int(counts.size()));
    QCOMPARE(pools.hot, hot);
    QCOMPARE(pools.average, average);
    QCOMPARE(pools.cold, cold);
}

void TestAdvancedPickers::compositionMakesValidLines() {
    HotColdPools pools;
    pools.hot = range(1, 8);
    pools.average = range(9, 41);
    pools.cold = range(42, 49);
    const HotColdPicker picker(pools, 6, 49);
    const Composition composition{2, 2, 1, 1};
    QVERIFY(picker.problem(composition).isEmpty());
    RandomGenerator random(20261207);
    TLotteryState s;
    for (int i = 0; i < 500; ++i) {
        const PickedLine line = picker.drawLine(s, composition, random);
        QVERIFY(line.ok);
        const Numbers numbers = lineOf(s, 6);
        QVERIFY2(ascendingDistinct(numbers) && numbers.first() >= 1 && numbers.last() <= 49,
                 qPrintable(line.text));
        const auto in = [&numbers](const Numbers& pool) {
            return int(std::count_if(numbers.begin(), numbers.end(),
                                     [&pool](int n) { return pool.contains(n); }));
        };
        // The random number may fall into any class.
        QVERIFY(in(pools.hot) >= 2 && in(pools.average) >= 2 && in(pools.cold) >= 1);
        QCOMPARE(in(pools.hot) + in(pools.average) + in(pools.cold), 6);
        QVERIFY(line.text.startsWith(QLatin1String("6/49  >  ")));
        QCOMPARE(line.text.mid(9, 2), s.LineText[1]);
    }
}

void TestAdvancedPickers::compositionProblems_data() {
    QTest::addColumn<Composition>("composition");
    QTest::addColumn<QString>("problem");
    QTest::newRow("short of the pick")
        << Composition{1, 1, 1, 1} << "The Hot, Avg, Cold and Random numbers must add up to 6";
    QTest::newRow("negative") << Composition{7, 0, 0, -1}
                              << "The Hot, Avg, Cold and Random numbers must add up to 6";
    QTest::newRow("more than the class holds")
        << Composition{0, 0, 3, 3} << "Only 2 Cold numbers are available";
}

void TestAdvancedPickers::compositionProblems() {
    QFETCH(Composition, composition);
    QFETCH(QString, problem);
    HotColdPools pools;
    pools.hot = range(1, 8);
    pools.average = range(9, 47);
    pools.cold = {48, 49};
    const HotColdPicker picker(pools, 6, 49);
    QCOMPARE(picker.problem(composition), problem);
    TLotteryState s;
    RandomGenerator random;
    const PickedLine line = picker.drawLine(s, composition, random);
    QVERIFY(!line.ok);
    QCOMPARE(line.problem, problem);
}

// The lines' rule: class numbers drawn from 0..highest until they lie in their pool, random ones
// from 0..highest, the whole line drawn again until its numbers differ and none is 0. Every
// ordered choice it can end on is equally likely, so the chance of a line is its share of
// those choices: counted here outright, then held against 40,000 lines of the picker.
void TestAdvancedPickers::sameLinesAsTheRedraws_data() {
    QTest::addColumn<Numbers>("hot");
    QTest::addColumn<Numbers>("average");
    QTest::addColumn<Numbers>("cold");
    QTest::addColumn<int>("highest");
    QTest::addColumn<Composition>("composition");
    QTest::newRow("three classes and random")
        << Numbers{1, 2, 3} << Numbers{4, 5, 6} << Numbers{7, 8, 9} << 9 << Composition{1, 1, 0, 1};
    QTest::newRow("all hot from four")
        << Numbers{1, 2, 3, 4} << Numbers{} << Numbers{} << 9 << Composition{3, 0, 0, 0};
    QTest::newRow("hot and cold the same numbers")
        << range(1, 7) << Numbers{} << range(1, 7) << 7 << Composition{1, 0, 1, 1};
    QTest::newRow("overlapping in part: the rule itself")
        << Numbers{1, 2, 3, 4} << Numbers{} << Numbers{3, 4, 5, 6} << 8 << Composition{1, 0, 1, 1};
    QTest::newRow("a pool reaching past the game")
        << Numbers{1, 2, 12} << Numbers{5, 6} << Numbers{} << 9 << Composition{1, 1, 0, 1};
}

void TestAdvancedPickers::sameLinesAsTheRedraws() {
    QFETCH(Numbers, hot);
    QFETCH(Numbers, average);
    QFETCH(Numbers, cold);
    QFETCH(int, highest);
    QFETCH(Composition, composition);
    constexpr int Pick = 3;
    QList<Numbers> slotPools;
    const auto within = [highest](const Numbers& pool) {
        Numbers reached;
        for (const int n : pool)
            if (n >= 1 && n <= highest)
                reached << n;
        return reached;
    };
    slotPools += QList<Numbers>(composition.hot, within(hot));
    slotPools += QList<Numbers>(composition.average, within(average));
    slotPools += QList<Numbers>(composition.cold, within(cold));
    slotPools += QList<Numbers>(composition.random, range(1, highest));
    QMap<Numbers, double> share;
    int choices = 0;
    for (const int a : slotPools[0])
        for (const int b : slotPools[1])
            for (const int c : slotPools[2]) {
                if (a == b || a == c || b == c)
                    continue;
                Numbers line{a, b, c};
                std::sort(line.begin(), line.end());
                share[line] += 1;
                ++choices;
            }
    QVERIFY(choices > 0);

    constexpr int Lines = 40'000;
    const HotColdPicker picker({hot, average, cold}, Pick, highest);
    RandomGenerator random(1234567);
    QMap<Numbers, int> seen;
    HotColdPicker::Numbers numbers{};
    for (int i = 0; i < Lines; ++i) {
        QVERIFY(picker.drawNumbers(composition, random, &numbers));
        seen[Numbers(numbers.begin(), numbers.begin() + Pick)] += 1;
    }
    double chiSquare = 0;
    for (auto it = seen.cbegin(); it != seen.cend(); ++it)
        QVERIFY2(share.contains(it.key()), "a line the rule never makes");
    for (auto it = share.cbegin(); it != share.cend(); ++it) {
        const double expected = Lines * it.value() / choices;
        const double difference = seen.value(it.key()) - expected;
        chiSquare += difference * difference / expected;
    }
    const boost::math::chi_squared distribution(double(share.size() - 1));
    const double p = boost::math::cdf(boost::math::complement(distribution, chiSquare));
    QVERIFY2(p > 0.001, qPrintable(QStringLiteral("chi-square %1 over %2 lines, p = %3")
                                       .arg(chiSquare)
                                       .arg(share.size())
                                       .arg(p)));
}

// Six different numbers from 1..5 cannot be: the picker says so and ends, whether it draws
// slot by slot or by the rule's whole-line redraws.
void TestAdvancedPickers::impossibleLineIsBounded_data() {
    QTest::addColumn<Numbers>("hot");
    QTest::addColumn<Numbers>("cold");
    QTest::addColumn<Composition>("composition");
    QTest::addColumn<QString>("mix");
    QTest::newRow("slot by slot") << range(1, 5) << range(1, 5) << Composition{0, 0, 0, 6}
                                  << "0 Hot, 0 Avg, 0 Cold and 6 Random";
    QTest::newRow("redraws, pools overlapping in part")
        << Numbers{1, 2} << Numbers{2, 3} << Composition{1, 0, 1, 4}
        << "1 Hot, 0 Avg, 1 Cold and 4 Random";
}

void TestAdvancedPickers::impossibleLineIsBounded() {
    QFETCH(Numbers, hot);
    QFETCH(Numbers, cold);
    QFETCH(Composition, composition);
    QFETCH(QString, mix);
    const HotColdPicker picker({hot, {}, cold}, 6, 5, 2000);
    TLotteryState s;
    RandomGenerator random(7);
    const PickedLine line = picker.drawLine(s, composition, random);
    QVERIFY(!line.ok);
    QCOMPARE(
        line.problem,
        QStringLiteral("No line of 6 different numbers could be made from %1 numbers").arg(mix));
}

QTEST_GUILESS_MAIN(TestAdvancedPickers)
#include "tst_advancedpickers.moc"
