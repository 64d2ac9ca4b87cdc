// One line's chances against the hypergeometric table, and a set's chances against every draw
// of small games counted one by one.
#include "odds/Binomial.h"
#include "odds/LineOdds.h"
#include "odds/SetOdds.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>
#include <limits>
#include <thread>

using Lines = QVector<QVector<int>>;
using Counts = QVector<quint64>; // draws whose best line has exactly 0, 1, ... hits

namespace {

// Every draw of k from 1..highest (highest <= 63), each line's hits counted directly.
Counts bruteForce(const Lines& lines, int k, int highest) {
    std::vector<quint64> masks;
    for (const QVector<int>& line : lines) {
        quint64 mask = 0;
        for (int number : line)
            mask |= quint64(1) << (number - 1);
        masks.push_back(mask);
    }
    Counts counts(k + 1, 0);
    const quint64 end = quint64(1) << highest;
    for (quint64 draw = (quint64(1) << k) - 1; draw < end;) {
        int best = 0;
        for (quint64 mask : masks)
            best = std::max(best, int(qPopulationCount(mask & draw)));
        ++counts[best];
        const quint64 lowest = draw & (~draw + 1), ripple = draw + lowest;
        draw = ripple | (((draw ^ ripple) >> 2) / lowest);
    }
    return counts;
}

Lines randomLines(int count, int size, int fromNumbers) {
    QRandomGenerator random(quint32(count * 100 + fromNumbers));
    Lines lines;
    while (lines.size() < count) {
        QVector<int> line;
        while (line.size() < size)
            if (const int n = random.bounded(1, fromNumbers + 1); !line.contains(n))
                line.append(n);
        lines.append(line);
    }
    return lines;
}

const Lines SmallWheel{{1, 2, 3, 4, 5, 6},    {1, 2, 3, 7, 8, 9},    {4, 5, 6, 7, 8, 9},
                       {1, 2, 3, 10, 11, 12}, {4, 5, 6, 10, 11, 12}, {7, 8, 9, 10, 11, 12}};

QVector<int> oneToThirty() {
    return {25, 26, 27, 28, 29, 30};
}

// Seven lines of seven with no number in common, 1..49.
Lines sevenApartLines() {
    Lines lines;
    for (int l = 0; l < 7; ++l) {
        QVector<int> line;
        for (int i = 1; i <= 7; ++i)
            line.append(l * 7 + i);
        lines.append(line);
    }
    return lines;
}

} // namespace

class TestOdds : public QObject {
    Q_OBJECT

private slots:
    void binomial_data();
    void binomial();
    void oneLine_data();
    void oneLine();
    void expectedLines();
    void setOddsExact_data();
    void setOddsExact();
    void setOddsEstimated();
    void refusedAndCancelled_data();
    void refusedAndCancelled();
    void exactOrEstimateByCost_data();
    void exactOrEstimateByCost();
    void stopsWithinAFifth_data();
    void stopsWithinAFifth();
};

void TestOdds::binomial_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("r");
    QTest::addColumn<quint64>("expected");
    QTest::newRow("6 of 49") << 49 << 6 << quint64(13'983'816);
    QTest::newRow("7 of 99 passes 32 bits") << 99 << 7 << quint64(14'887'031'544);
    QTest::newRow("middle of 67 fills 64 bits") << 67 << 33 << quint64(14226520737620288370ULL);
    QTest::newRow("past 64 bits saturates") << 99 << 49 << std::numeric_limits<quint64>::max();
    QTest::newRow("none of none") << 0 << 0 << quint64(1);
    QTest::newRow("more than there are") << 5 << 7 << quint64(0);
    QTest::newRow("negative") << 5 << -1 << quint64(0);
}

void TestOdds::binomial() {
    QFETCH(int, n);
    QFETCH(int, r);
    QFETCH(quint64, expected);
    QCOMPARE(Binomial(n, r), expected);
}

void TestOdds::oneLine_data() {
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("highest");
    QTest::addColumn<int>("hits");
    QTest::addColumn<quint64>("draws");
    QTest::addColumn<quint64>("all");
    const quint64 all649 = 13'983'816;
    QTest::newRow("6/49 jackpot: 1 in 13,983,816") << 6 << 49 << 6 << quint64(1) << all649;
    QTest::newRow("6/49 five") << 6 << 49 << 5 << quint64(258) << all649;
    QTest::newRow("6/49 four") << 6 << 49 << 4 << quint64(13'545) << all649;
    QTest::newRow("6/49 three") << 6 << 49 << 3 << quint64(246'820) << all649;
    QTest::newRow("6/49 two") << 6 << 49 << 2 << quint64(1'851'150) << all649;
    QTest::newRow("6/49 one") << 6 << 49 << 1 << quint64(5'775'588) << all649;
    QTest::newRow("6/49 none") << 6 << 49 << 0 << quint64(6'096'454) << all649;
    QTest::newRow("7/99 jackpot") << 7 << 99 << 7 << quint64(1) << quint64(14'887'031'544);
    QTest::newRow("more hits than numbers") << 6 << 49 << 7 << quint64(0) << all649;
    QTest::newRow("no such game") << 6 << 5 << 3 << quint64(0) << quint64(0);
}

void TestOdds::oneLine() {
    QFETCH(int, k);
    QFETCH(int, highest);
    QFETCH(int, hits);
    QFETCH(quint64, draws);
    QFETCH(quint64, all);
    QCOMPARE(DrawsWithHits(k, highest, hits), draws);
    QCOMPARE(AllDraws(k, highest), all);
    QCOMPARE(double(ChanceOfHits(k, highest, hits)), all ? double(draws) / double(all) : 0.0);
}

void TestOdds::expectedLines() {
    QCOMPARE(double(ExpectedLinesWithHits(100, 6, 49, 3)), 100 * 246'820 / 13'983'816.0);
}

void TestOdds::setOddsExact_data() {
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("highest");
    QTest::addColumn<int>("threads");
    QTest::addColumn<quint64>("subsets"); // sum over s <= k of C(union, s)
    QTest::newRow("one line, 6 from 20")
        << Lines{{1, 2, 3, 4, 5, 6}} << 6 << 20 << 2 << quint64(64);
    QTest::newRow("a 4-if-6 wheel on 12 numbers, 6 from 20")
        << SmallWheel << 6 << 20 << 2 << quint64(2'510);
    QTest::newRow("same on one thread") << SmallWheel << 6 << 20 << 1 << quint64(2'510);
    QTest::newRow("overlapping lines of 3, 3 from 15")
        << Lines{{1, 2, 3}, {3, 4, 5}, {5, 6, 1}, {2, 4, 6}, {7, 8, 15}} << 3 << 15 << 2
        << quint64(1 + 9 + 36 + 84);
    QTest::newRow("repeats in a line count once, a line repeated")
        << Lines{{1, 1, 2, 3, 4, 5}, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}} << 6 << 20 << 2
        << quint64(64);
    QTest::newRow("lines of 2, 2 from 8")
        << Lines{{1, 2}, {2, 3}, {7, 8}} << 2 << 8 << 2 << quint64(1 + 5 + 10);
    QTest::newRow("single numbers, 1 from 9") << Lines{{4}, {9}} << 1 << 9 << 2 << quint64(3);
    QTest::newRow("no lines") << Lines{} << 6 << 20 << 2 << quint64(1);
}

void TestOdds::setOddsExact() {
    QFETCH(Lines, lines);
    QFETCH(int, k);
    QFETCH(int, highest);
    QFETCH(int, threads);
    QFETCH(quint64, subsets);
    std::atomic<int> progress{0};
    SetOddsOptions options;
    options.threads = threads;
    options.progress = &progress;
    const SetOdds odds = ComputeSetOdds(lines, k, highest, options);
    QVERIFY(odds.problem.isEmpty());
    QVERIFY(!odds.estimated);
    QCOMPARE(odds.work, subsets);
    QCOMPARE(progress.load(), 1000);
    const Counts expected = bruteForce(lines, k, highest);
    quint64 atLeast = 0;
    for (int h = k; h >= 0; --h) {
        QCOMPARE(odds.drawsWithBest[size_t(h)], expected[h]);
        atLeast += expected[h];
        QCOMPARE(double(odds.atLeast[size_t(h)]), double(atLeast) / double(AllDraws(k, highest)));
        QCOMPARE(double(odds.standardError[size_t(h)]), 0.0);
    }
}

// Made to estimate: every tier within five standard errors of the exact count, the top tier
// exact, and the same seed giving the same answer.
void TestOdds::setOddsEstimated() {
    SetOddsOptions options;
    options.workLimit = 0;
    options.simulatedDraws = 200'000;
    const SetOdds odds = ComputeSetOdds(SmallWheel, 6, 20, options);
    QVERIFY(odds.estimated);
    QCOMPARE(odds.work, quint64(1)); // a work limit of 0 still draws once
    // Walking the 2,510 subsets costs about 3 steps each; a draw about 6 * (1 + 2 * 36 / 20).
    options.workLimit = 7'000;
    const SetOdds estimate = ComputeSetOdds(SmallWheel, 6, 20, options);
    QVERIFY(estimate.estimated);
    QCOMPARE(estimate.work, quint64(253));
    const Counts exact = bruteForce(SmallWheel, 6, 20);
    quint64 atLeast = 0;
    for (int h = 6; h >= 1; --h) {
        atLeast += exact[h];
        const double truth = double(atLeast) / 38'760;
        if (h == 6) {
            QCOMPARE(double(estimate.atLeast[6]), truth);
            QCOMPARE(double(estimate.standardError[6]), 0.0);
            continue;
        }
        QVERIFY2(std::abs(double(estimate.atLeast[size_t(h)]) - truth) <=
                     5 * double(estimate.standardError[size_t(h)]) + 3.0 / 253,
                 qPrintable(QStringLiteral("%1 hits").arg(h)));
    }
    const SetOdds again = ComputeSetOdds(SmallWheel, 6, 20, options);
    QCOMPARE(double(again.atLeast[3]), double(estimate.atLeast[3]));
    // A line given again in another order is not a second line for the top tier.
    Lines repeated = SmallWheel;
    repeated.append(QVector<int>(SmallWheel[0].rbegin(), SmallWheel[0].rend()));
    QCOMPARE(double(ComputeSetOdds(repeated, 6, 20, options).atLeast[6]),
             double(estimate.atLeast[6]));
}

void TestOdds::refusedAndCancelled_data() {
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("highest");
    QTest::addColumn<bool>("estimate");
    QTest::addColumn<QString>("problem"); // empty: accepted, then stopped before it starts
    QTest::newRow("number above the game") << Lines{{1, 2, 50}} << 6 << 49 << false << "50";
    QTest::newRow("number 0") << Lines{{0, 2, 3}} << 6 << 49 << false << "Line 1 holds 0";
    QTest::newRow("lines of 8") << Lines{{1}} << 8 << 49 << false << "8 numbers";
    QTest::newRow("game too small") << Lines{{1}} << 6 << 5 << false << "1 to 5";
    QTest::newRow("exact, stopped") << SmallWheel << 6 << 49 << false << QString();
    QTest::newRow("estimate, stopped") << SmallWheel << 6 << 49 << true << QString();
}

void TestOdds::refusedAndCancelled() {
    QFETCH(Lines, lines);
    QFETCH(int, k);
    QFETCH(int, highest);
    QFETCH(bool, estimate);
    QFETCH(QString, problem);
    const std::atomic<bool> stop{true};
    SetOddsOptions options;
    options.stop = &stop;
    options.workLimit = estimate ? 0 : options.workLimit;
    const SetOdds odds = ComputeSetOdds(lines, k, highest, options);
    if (problem.isEmpty()) {
        QVERIFY(odds.problem.isEmpty());
        QVERIFY(odds.cancelled);
    } else {
        QVERIFY2(odds.problem.contains(problem), qPrintable(odds.problem));
        QVERIFY(!odds.cancelled);
    }
}

void TestOdds::exactOrEstimateByCost_data() {
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("highest");
    QTest::addColumn<bool>("estimated");
    QTest::addColumn<QVector<int>>("lessThan"); // tiers the sample missed, stated as a bound
    QTest::addColumn<QVector<int>>("never");    // tiers no line can reach
    // At most 768,211 subsets of 30 numbers either way: few lines are cheap to walk, many not.
    QTest::newRow("6 lines on 30 numbers: exact")
        << randomLines(5, 6, 30) + Lines{oneToThirty()} << 6 << 49 << false << QVector<int>{}
        << QVector<int>{};
    QTest::newRow("300 lines on 30 numbers: estimated")
        << randomLines(300, 6, 30) << 6 << 49 << true << QVector<int>{} << QVector<int>{};
    QTest::newRow("7 apart lines of 7 from 99: the sample misses 6 and 5")
        << sevenApartLines() << 7 << 99 << true << QVector<int>{6, 5} << QVector<int>{};
    QTest::newRow("lines of 3 in a 6 game: 6, 5 and 4 are impossible")
        << randomLines(200, 3, 30) << 6 << 49 << true << QVector<int>{} << QVector<int>{6, 5, 4};
}

// The walk is priced by its subsets times the lines each touches; a costly set is estimated
// within the same bound, and only a tier no line can reach is "never".
void TestOdds::exactOrEstimateByCost() {
    QFETCH(Lines, lines);
    QFETCH(int, k);
    QFETCH(int, highest);
    QFETCH(bool, estimated);
    QFETCH(QVector<int>, lessThan);
    QFETCH(QVector<int>, never);
    SetOddsOptions options;
    options.workLimit = 4'000'000;
    options.simulatedDraws = 5'000;
    const SetOdds odds = ComputeSetOdds(lines, k, highest, options);
    QCOMPARE(odds.estimated, estimated);
    for (int h = 1; h <= k; ++h) {
        const bool bound = lessThan.contains(h), impossible = never.contains(h);
        QVERIFY2((odds.lessThan[size_t(h)] > 0) == bound, qPrintable(QString::number(h)));
        QVERIFY2((odds.atLeast[size_t(h)] == 0) == (bound || impossible),
                 qPrintable(QString::number(h)));
        if (bound) // none in 5,000 draws: below 1 in 1,669 with 95 % confidence
            QCOMPARE(double(odds.lessThan[size_t(h)]), 1 - std::pow(0.05, 1 / 5000.0));
    }
}

void TestOdds::stopsWithinAFifth_data() {
    QTest::addColumn<bool>("estimate");
    QTest::newRow("exact") << false;
    QTest::newRow("estimate") << true;
}

// 3,000 lines on 49 numbers: one subtree of the exact walk or a few thousand draws take longer
// than a fifth of a second, so the stop flag must be read inside them.
void TestOdds::stopsWithinAFifth() {
    QFETCH(bool, estimate);
    const Lines lines = randomLines(3000, 6, 49);
    std::atomic<bool> stop{false};
    SetOddsOptions options;
    options.stop = &stop;
    // The walk costs about 5.8e9 steps; an estimate within 5e9 makes a million draws.
    options.workLimit = estimate ? 5'000'000'000 : std::numeric_limits<quint64>::max();
    options.simulatedDraws = std::numeric_limits<quint64>::max() / 4;
    QElapsedTimer sinceStop;
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        sinceStop.start();
        stop = true;
    });
    const SetOdds odds = ComputeSetOdds(lines, 6, 49, options);
    const qint64 ms = sinceStop.elapsed();
    stopper.join();
    QVERIFY(odds.cancelled);
    QVERIFY2(ms < 200, qPrintable(QString::number(ms)));
}

QTEST_GUILESS_MAIN(TestOdds)
#include "tst_odds.moc"
