// Wheels: the Schoenheim bound, the guarantee check on hand-made wheels, the refusals of terms
// and of the player's numbers, and the search reaching the bound where it is exact.
#include "support/GameRulesFixture.h"

#include "games/TierOdds.h"
#include "wheels/CoverAnnealer.h"
#include "wheels/FastRandom.h"
#include "wheels/GuaranteeCheck.h"
#include "wheels/LineSymmetry.h"
#include "wheels/OrbitSeeds.h"
#include "wheels/PlayerNumbers.h"
#include "wheels/SymmetricHunt.h"
#include "wheels/WheelPrizes.h"
#include "wheels/WheelSearch.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QTest>
#include <algorithm>
#include <map>
#include <thread>

Q_DECLARE_METATYPE(WheelTerms)
Q_DECLARE_METATYPE(SymmetricHunt::Aim)

using Lines = QVector<QVector<int>>; // positions 1..V of the player's numbers
using Numbers = QVector<int>;

namespace {

WheelLines masksOf(const Lines& lines) {
    WheelLines masks;
    for (const QVector<int>& line : lines) {
        WheelLine mask = 0;
        for (int position : line)
            mask |= WheelLine(1) << (position - 1);
        masks.push_back(mask);
    }
    return masks;
}

Numbers oneTo(int last) {
    Numbers numbers;
    for (int n = 1; n <= last; ++n)
        numbers.append(n);
    return numbers;
}

const Lines Fano{{1, 2, 4}, {2, 3, 5}, {3, 4, 6}, {4, 5, 7}, {5, 6, 1}, {6, 7, 2}, {7, 1, 3}};
const Lines TwoHalves{{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}};
const Lines SixOfSeven{{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 7}, {1, 2, 3, 4, 6, 7},
                       {1, 2, 3, 5, 6, 7}, {1, 2, 4, 5, 6, 7}, {1, 3, 4, 5, 6, 7}};

// Attempts a hunt on `pool` numbers makes before its turns start over from the first: all
// of them, then the closer half, down to one.
size_t attemptsPerRound(int pool) {
    size_t attempts = 1;
    for (size_t contenders = SymmetriesOf(pool).size(); contenders > 1;
         contenders = (contenders + 1) / 2)
        attempts += contenders;
    return attempts;
}

// Attempts that are built, then dropped at the walk's first question.
void dropAttempts(SymmetricHunt& hunt, const CoverAnnealer& annealer, int target, size_t count) {
    for (size_t t = 0; t < count; ++t) {
        const quint64 before = annealer.moves();
        QVERIFY(!hunt.attempt(target, [&] { return annealer.moves() > before; }));
    }
}

// Its time is set by hand: the search never waits on real seconds.
class HandClock : public SearchClock {
public:
    qint64 nowMs() const override { return now; }
    std::atomic<qint64> now{0};
};

} // namespace

class TestWheels : public QObject {
    Q_OBJECT

private slots:
    void schoenheim_data();
    void schoenheim();
    void guarantee_data();
    void guarantee();
    void termRefusals_data();
    void termRefusals();
    void playerNumbers_data();
    void playerNumbers();
    void searchReachesBound_data();
    void searchReachesBound();
    void searchEnds_data();
    void searchEnds();
    void beforeTheFirstWheel_data();
    void beforeTheFirstWheel();
    void loneWorkerHunts();
    void huntAims_data();
    void huntAims();
    void huntShapes_data();
    void huntShapes();
    void huntOvertaken();
    void huntLengthens();
    void huntMoves_data();
    void huntMoves();
    void huntRounds_data();
    void huntRounds();
    void symmetricWalk_data();
    void symmetricWalk();
    void orbitSeeds_data();
    void orbitSeeds();
    void stopAskedByWork_data();
    void stopAskedByWork();
    void stopHeardOnLongWheels_data();
    void stopHeardOnLongWheels();
    void budgetAndKeys_data();
    void budgetAndKeys();
    void keyRefusals_data();
    void keyRefusals();
    void anyPrize_data();
    void anyPrize();
};

void TestWheels::schoenheim_data() {
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("t");
    QTest::addColumn<quint64>("bound");
    QTest::newRow("C(7,3,2), the Fano plane") << 7 << 3 << 2 << quint64(7);
    QTest::newRow("C(8,4,3)") << 8 << 4 << 3 << quint64(14);
    QTest::newRow("C(7,6,5)") << 7 << 6 << 5 << quint64(6);
    QTest::newRow("C(10,6,3)") << 10 << 6 << 3 << quint64(7);
    QTest::newRow("C(12,6,5)") << 12 << 6 << 5 << quint64(132);
    QTest::newRow("C(14,6,4)") << 14 << 6 << 4 << quint64(75);
    QTest::newRow("C(22,6,3), a Steiner system") << 22 << 6 << 3 << quint64(77);
}

void TestWheels::schoenheim() {
    QFETCH(int, v);
    QFETCH(int, k);
    QFETCH(int, t);
    QFETCH(quint64, bound);
    QCOMPARE(SchoenheimBound(v, k, t), bound);
}

void TestWheels::guarantee_data() {
    QTest::addColumn<WheelTerms>("terms");
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<quint64>("cases");
    QTest::addColumn<quint64>("missed");
    QTest::addColumn<Numbers>("firstMissed");
    QTest::newRow("Fano plane covers every pair")
        << WheelTerms{7, 3, 2, 2} << Fano << quint64(21) << quint64(0) << Numbers{};
    QTest::newRow("Fano plane less a line misses its three pairs")
        << WheelTerms{7, 3, 2, 2} << Fano.mid(0, 6) << quint64(21) << quint64(3) << Numbers{1, 3};
    QTest::newRow("two halves of 12: 3 if 5")
        << WheelTerms{12, 6, 3, 5} << TwoHalves << quint64(792) << quint64(0) << Numbers{};
    QTest::newRow("two halves of 12 miss 3 if 4 on a 2-2 split")
        << WheelTerms{12, 6, 3, 4} << TwoHalves << quint64(495) << quint64(225)
        << Numbers{1, 2, 7, 8};
    QTest::newRow("4 if 6 on 9 numbers in 3 lines")
        << WheelTerms{9, 6, 4, 6}
        << Lines{{1, 2, 3, 4, 5, 6}, {1, 2, 3, 7, 8, 9}, {4, 5, 6, 7, 8, 9}} << quint64(84)
        << quint64(0) << Numbers{};
    QTest::newRow("C(7,6,5) in six lines")
        << WheelTerms{7, 6, 5, 5} << SixOfSeven << quint64(21) << quint64(0) << Numbers{};
    QTest::newRow("five lines of six of seven miss one 5-set")
        << WheelTerms{7, 6, 5, 5} << SixOfSeven.mid(0, 5) << quint64(21) << quint64(1)
        << Numbers{3, 4, 5, 6, 7};
}

void TestWheels::guarantee() {
    QFETCH(WheelTerms, terms);
    QFETCH(Lines, lines);
    QFETCH(quint64, cases);
    QFETCH(quint64, missed);
    QFETCH(Numbers, firstMissed);
    const GuaranteeCheck check = CheckGuarantee(terms, masksOf(lines));
    QVERIFY2(check.problem.isEmpty(), qPrintable(check.problem));
    QCOMPARE(check.holds, missed == 0);
    QCOMPARE(check.casesChecked, cases);
    QCOMPARE(check.missedCases, missed);
    QCOMPARE(LineNumbers(check.firstMissed, oneTo(terms.pool)), firstMissed);
    // Stopped, it claims nothing: a Close never waits for the check.
    const std::atomic<bool> stop{true};
    const GuaranteeCheck stopped = CheckGuarantee(terms, masksOf(lines), &stop);
    QVERIFY(!stopped.holds);
    QCOMPARE(stopped.casesChecked, quint64(0));
}

void TestWheels::termRefusals_data() {
    QTest::addColumn<WheelTerms>("terms");
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<QString>("problem"); // empty: accepted
    const QLocale locale;
    QTest::newRow("6/49 wheel of 3 if 3 on 49 numbers") << WheelTerms{49, 6, 3, 3} << Lines{} << "";
    QTest::newRow("7 a line, 3 if 7 on 29 numbers: 1,560,780 cases")
        << WheelTerms{29, 7, 3, 7} << Lines{} << "";
    QTest::newRow("30 numbers taken 7: 2,035,800 cases")
        << WheelTerms{30, 7, 3, 7} << Lines{}
        << locale.toString(quint64(2'035'800)) + " cases, more than the " +
               locale.toString(quint64(2'000'000));
    QTest::newRow("lines of 8") << WheelTerms{20, 8, 3, 3} << Lines{} << "Lines of 8";
    QTest::newRow("lines of 1") << WheelTerms{20, 1, 1, 1} << Lines{} << "Lines of 1";
    QTest::newRow("no more numbers than a line")
        << WheelTerms{6, 6, 3, 3} << Lines{} << "6 numbers";
    QTest::newRow("50 numbers") << WheelTerms{50, 6, 3, 3} << Lines{} << "50 numbers";
    QTest::newRow("more drawn than a line holds") << WheelTerms{12, 6, 3, 7} << Lines{} << "If 7";
    QTest::newRow("guarantee above the drawn") << WheelTerms{12, 6, 4, 3} << Lines{} << "4 hits";
    QTest::newRow("guarantee of 1") << WheelTerms{12, 6, 1, 3} << Lines{} << "1 hits";
    QTest::newRow("a line of 5 in a wheel of 6")
        << WheelTerms{12, 6, 3, 3} << Lines{{1, 2, 3, 4, 5}} << "Line 1";
    QTest::newRow("a line past the player's numbers")
        << WheelTerms{12, 6, 3, 3} << Lines{{1, 2, 3, 4, 5, 6}, {8, 9, 10, 11, 12, 13}} << "Line 2";
}

void TestWheels::termRefusals() {
    QFETCH(WheelTerms, terms);
    QFETCH(Lines, lines);
    QFETCH(QString, problem);
    const GuaranteeCheck check = CheckGuarantee(terms, masksOf(lines));
    if (problem.isEmpty()) {
        QCOMPARE(WheelTermsProblem(terms), QString());
        return;
    }
    QVERIFY2(check.problem.contains(problem), qPrintable(check.problem));
    QCOMPARE(check.casesChecked, quint64(0));
    if (lines.isEmpty()) {
        WheelSearch search(terms);
        QCOMPARE(search.problem(), check.problem);
        QVERIFY(search.run().empty());
    }
}

void TestWheels::playerNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("k");
    QTest::addColumn<Numbers>("numbers");
    QTest::addColumn<QString>("problem");
    QTest::newRow("a range") << "1-12" << 49 << 6 << oneTo(12) << "";
    QTest::newRow("blanks, commas, repeats, ranges overlapping")
        << " 9,3 ,, 5\t7 3 1-3 2-4 " << 49 << 2 << Numbers{1, 2, 3, 4, 5, 7, 9} << "";
    QTest::newRow("the whole 6/49 game") << "1-49" << 49 << 6 << oneTo(49) << "";
    QTest::newRow("a word") << "1-12 x" << 49 << 6 << Numbers{} << "\"x\" is not a number";
    QTest::newRow("a sign") << "-3 1-12" << 49 << 6 << Numbers{} << "\"-3\" is not a number";
    QTest::newRow("a range of three parts") << "1-3-5" << 49 << 2 << Numbers{} << "\"1-3-5\"";
    QTest::newRow("a range with no end") << "3 1-" << 49 << 2 << Numbers{} << "\"1-\"";
    QTest::newRow("blanks around the dash")
        << "1 - 7,  9 -12" << 49 << 6 << oneTo(12).mid(0, 7) + Numbers{9, 10, 11, 12} << "";
    QTest::newRow("leading zeros") << "0012 0001-0007" << 49 << 6 << oneTo(7) + Numbers{12} << "";
    QTest::newRow("no-break spaces separate")
        << QString::fromUtf8("1-7\u00a012\u202f13") << 49 << 6 << oneTo(7) + Numbers{12, 13} << "";
    QTest::newRow("a range backwards") << "12-1" << 49 << 6 << Numbers{} << "12-1 runs backwards";
    QTest::newRow("0 is below the game")
        << "0 1 2 3 4 5 6" << 49 << 6 << Numbers{} << "0 is not one of the game's numbers 1 to 49";
    QTest::newRow("a range past the game") << "40-50" << 49 << 6 << Numbers{} << "50 is not one";
    QTest::newRow("a long number")
        << "1-7 123456789012" << 49 << 6 << Numbers{} << "123456789012 is not one";
    QTest::newRow("too few for lines of 6")
        << "1 2 3 4 5 6" << 49 << 6 << Numbers{} << "6 numbers given: lines of 6 need at least 7";
    QTest::newRow("nothing typed") << "  , " << 49 << 6 << Numbers{} << "0 numbers given";
    QTest::newRow("more than 49") << "1-50" << 99 << 6 << Numbers{} << "50 numbers given";
}

void TestWheels::playerNumbers() {
    QFETCH(QString, text);
    QFETCH(int, high);
    QFETCH(int, k);
    QFETCH(Numbers, numbers);
    QFETCH(QString, problem);
    const PlayerNumbers read = ReadPlayerNumbers(text, 1, high, k);
    QCOMPARE(read.numbers, numbers);
    if (problem.isEmpty())
        QVERIFY2(read.ok(), qPrintable(read.problem));
    else
        QVERIFY2(read.problem.contains(problem), qPrintable(read.problem));
}

void TestWheels::searchReachesBound_data() {
    QTest::addColumn<WheelTerms>("terms");
    QTest::addColumn<int>("lines");
    QTest::newRow("C(8,4,3) = 14") << WheelTerms{8, 4, 3, 3} << 14;
    QTest::newRow("C(7,6,5) = 6") << WheelTerms{7, 6, 5, 5} << 6;
    QTest::newRow("C(7,3,2) = 7") << WheelTerms{7, 3, 2, 2} << 7;
}

// Small cases where the bound is the true size: the search stops there by itself, well before
// its move limit (the effort is never reached: the clock does not move).
void TestWheels::searchReachesBound() {
    QFETCH(WheelTerms, terms);
    QFETCH(int, lines);
    HandClock clock;
    WheelSearchLimits limits;
    limits.maxMovesPerWorker = 20'000'000;
    WheelSearch search(terms, limits, &clock);
    std::vector<int> progress;
    search.setProgress([&](int count, qint64) { progress.push_back(count); });
    const WheelLines found = search.run();
    QCOMPARE(int(found.size()), lines);
    QVERIFY(search.reachedLowerBound());
    QVERIFY(CheckGuarantee(terms, found).holds);
    QVERIFY(std::is_sorted(progress.rbegin(), progress.rend()));
    QCOMPARE(progress.back(), lines);
}

void TestWheels::searchEnds_data() {
    QTest::addColumn<WheelTerms>("terms");
    QTest::addColumn<QString>("end"); // "stop", "effort" or "moves"
    QTest::newRow("stopped at the first wheel") << WheelTerms{16, 6, 3, 3} << "stop";
    QTest::newRow("effort spent at the first wheel") << WheelTerms{16, 6, 3, 3} << "effort";
    QTest::newRow("moves spent, a lotto design") << WheelTerms{12, 6, 3, 5} << "moves";
}

// However it ends, the search hands back the best wheel it found, and that wheel holds.
void TestWheels::searchEnds() {
    QFETCH(WheelTerms, terms);
    QFETCH(QString, end);
    HandClock clock;
    WheelSearchLimits limits;
    limits.effortSeconds = 5;
    limits.maxMovesPerWorker = end == "moves" ? 20'000 : 0;
    WheelSearch search(terms, limits, &clock);
    int firstCount = 0;
    search.setProgress([&](int count, qint64) {
        if (firstCount == 0)
            firstCount = count;
        if (end == "stop")
            search.stop();
        else if (end == "effort")
            clock.now = 5'000;
    });
    const WheelLines found = search.run();
    QVERIFY(!found.empty());
    QCOMPARE(int(found.size()), search.bestLineCount());
    QVERIFY(CheckGuarantee(terms, found).holds);
    QVERIFY(!search.reachedLowerBound());
    // The other worker may still hand in a shorter wheel as the first one stops.
    QVERIFY(int(found.size()) <= firstCount);
    if (end == "moves")
        QVERIFY(found.size() <= 3);
}

void TestWheels::beforeTheFirstWheel_data() {
    QTest::addColumn<QString>("end"); // "effort", "stop" or "cancel"
    QTest::addColumn<bool>("wheel");
    QTest::newRow("effort spent: the start is finished in haste") << "effort" << true;
    QTest::newRow("stopped: the same") << "stop" << true;
    QTest::newRow("cancelled: nothing") << "cancel" << false;
}

// An end before the greedy start is complete keeps that start, finished in haste, and it holds.
void TestWheels::beforeTheFirstWheel() {
    QFETCH(QString, end);
    QFETCH(bool, wheel);
    const WheelTerms terms{30, 6, 3, 5};
    HandClock clock;
    WheelSearchLimits limits;
    limits.effortSeconds = end == "effort" ? 0 : 5; // spent from the first look at the clock
    WheelSearch search(terms, limits, &clock);
    end == "stop" ? search.stop() : end == "cancel" ? search.cancel() : void();
    const WheelLines found = search.run();
    QCOMPARE(!found.empty(), wheel);
    QCOMPARE(search.hurriedStart(), wheel);
    if (wheel)
        QVERIFY(CheckGuarantee(terms, found).holds);
}

// On one core the only worker hunts among symmetric wheels once its walk is stuck (it never
// did: such wheels were out of a one-core machine's reach), and the moves it makes there count
// against its limit.
void TestWheels::loneWorkerHunts() {
    const WheelTerms terms{11, 5, 3, 3};
    HandClock clock;
    WheelSearchLimits limits;
    limits.threads = 1;
    limits.maxMovesPerWorker = 500'000;
    WheelSearch search(terms, limits, &clock);
    const WheelLines found = search.run();
    QCOMPARE(int(found.size()), 20);
    QVERIFY(CheckGuarantee(terms, found).holds);
    QVERIFY2(search.bestTurn().startsWith("2 x 5 + 1 fixed"), qPrintable(search.bestTurn()));
    QVERIFY(search.movesMade() < limits.maxMovesPerWorker + 2'048);
}

void TestWheels::huntAims_data() {
    QTest::addColumn<SymmetricHunt::Aim>("aim");
    QTest::addColumn<int>("pool");
    QTest::addColumn<int>("best");
    QTest::addColumn<int>("lowest");
    QTest::addColumn<QList<int>>("targets"); // after 0, 1, 2... rounds of failed attempts
    QTest::newRow("a line below the best")
        << SymmetricHunt::Aim::NextSize << 12 << 100 << 60 << QList<int>{99, 99, 99, 99};
    QTest::newRow("halfway to the bound, the gap halved after each round")
        << SymmetricHunt::Aim::FarBelow << 12 << 100 << 60 << QList<int>{80, 90, 95, 98, 99};
    // On 7 numbers the far hunt starts at the cycle of 5 with 2 fixed.
    QTest::newRow("one cycle: up to a size its orbits fill, within half an orbit, below the best")
        << SymmetricHunt::Aim::FarBelow << 7 << 38 << 10 << QList<int>{25, 31, 35, 37};
}

// Where a hunt aims as its rounds of the turns fall short; never below the bound.
void TestWheels::huntAims() {
    QFETCH(SymmetricHunt::Aim, aim);
    QFETCH(int, pool);
    QFETCH(int, best);
    QFETCH(int, lowest);
    QFETCH(QList<int>, targets);
    const WheelTerms terms{pool, 4, 3, 3};
    CoverAnnealer annealer(terms, 5);
    SymmetricHunt hunt(terms, annealer, aim);
    for (int round = 0; round < targets.size(); ++round) {
        QCOMPARE(hunt.target(best, lowest), targets[round]);
        QCOMPARE(hunt.target(lowest + 1, lowest), lowest);
        dropAttempts(hunt, annealer, 10, attemptsPerRound(pool));
    }
}

void TestWheels::huntShapes_data() {
    QTest::addColumn<int>("earlier"); // the size of the turn's last attempt (0: none)
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("orbits"); // of 12 lines, the first turn's on 12 numbers
    QTest::newRow("30 lines: 2 orbits leave 6 free, half an orbit") << 0 << 30 << 2;
    QTest::newRow("26 lines: 2 orbits would leave 2 free, so 1 and 14 free") << 0 << 26 << 1;
    QTest::newRow("24 lines: the one cycle's orbits fill it") << 0 << 24 << 2;
    QTest::newRow("12 lines: the one orbit") << 0 << 12 << 1;
    QTest::newRow("24 lines after 26 with 1 orbit: built anew") << 26 << 24 << 2;
    QTest::newRow("28 lines after 30: gone on from") << 30 << 28 << 2;
}

// How many orbits a hunt's wheel has: as many as fit, one fewer when that leaves less than
// half an orbit's lines free, unless the orbits of one cycle fill the size exactly.
void TestWheels::huntShapes() {
    QFETCH(int, earlier);
    QFETCH(int, target);
    QFETCH(int, orbits);
    const WheelTerms terms{12, 5, 3, 3};
    CoverAnnealer annealer(terms, 5);
    SymmetricHunt hunt(terms, annealer);
    if (earlier > 0)
        dropAttempts(hunt, annealer, earlier, attemptsPerRound(terms.pool));
    dropAttempts(hunt, annealer, target, 1);
    QCOMPARE(annealer.orbitLines(), size_t(orbits) * 12);
    QCOMPARE(annealer.lines().size(), size_t(target));
}

// An attempt stopped because another walk got there first keeps the turn's place; one that
// falls short (here dropped at once) gives it to the next turn.
void TestWheels::huntOvertaken() {
    const WheelTerms terms{12, 5, 3, 3};
    CoverAnnealer annealer(terms, 5);
    SymmetricHunt hunt(terms, annealer);
    const std::vector<LineSymmetry> turns = SymmetriesOf(terms.pool);
    QVERIFY(turns[0].order() != turns[1].order());
    const quint64 before = annealer.moves();
    QVERIFY(!hunt.attempt(30, [] { return false; }, [&] { return annealer.moves() > before; }));
    QCOMPARE(annealer.symmetry().order(), turns[0].order());
    dropAttempts(hunt, annealer, 29, 1);
    QCOMPARE(annealer.symmetry().order(), turns[0].order());
    dropAttempts(hunt, annealer, 28, 1);
    QCOMPARE(annealer.symmetry().order(), turns[1].order());
}

// A turn's next attempt is twice as long only when its last came closer than any before: one
// that stays in a hollow keeps the length it had. 20 lines never cover 9 numbers, 4 a line,
// 3 if 3 (the lower bound is 25).
void TestWheels::huntLengthens() {
    const WheelTerms terms{9, 4, 3, 3};
    CoverAnnealer annealer(terms, 5);
    SymmetricHunt hunt(terms, annealer);
    struct Seen {
        quint64 firstMoves = 0;
        quint32 fewestLeft = 0;
        int doublings = 0;
        bool cameCloser = true; // its last attempt
    };
    std::map<std::pair<int, int>, Seen> byTurn; // by (cycle length, fixed numbers)
    int lengthened = 0, heldShort = 0;          // attempts after one that came closer, or not
    for (int a = 0; a < 13; ++a) {
        const quint64 before = annealer.moves();
        QVERIFY(!hunt.attempt(20, [] { return false; }));
        const quint64 moves = annealer.moves() - before;
        const quint32 left = annealer.lowestCost();
        Seen& seen = byTurn[{annealer.symmetry().order(), annealer.symmetry().fixedPoints()}];
        if (seen.firstMoves == 0) {
            seen.firstMoves = moves;
        } else {
            lengthened += seen.cameCloser;
            heldShort += !seen.cameCloser;
        }
        QCOMPARE(moves, seen.firstMoves << std::min(seen.doublings, 6));
        seen.cameCloser = seen.fewestLeft == 0 || left < seen.fewestLeft;
        if (seen.cameCloser) {
            seen.fewestLeft = left;
            ++seen.doublings;
        }
    }
    QVERIFY(lengthened > 0 && heldShort > 0);
}

void TestWheels::huntMoves_data() {
    QTest::addColumn<int>("orbits");
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("freeLines");
    QTest::addColumn<quint64>("levelMoves"); // lines of 6
    QTest::newRow("orbits of 4: 4 k per orbit") << 25 << 4 << 0 << quint64(600);
    QTest::newRow("orbits of 3 and 3 free: 2592 moves weighed by 219 / 75") << 24 << 3 << 3
                                                                         << quint64(887);
    QTest::newRow("cycles of 19: far fewer, but 500 at least") << 3 << 19 << 18 << quint64(500);
}

// A hunt's turns share a round's time: a move on long orbits is dearer, so they get fewer.
void TestWheels::huntMoves() {
    QFETCH(int, orbits);
    QFETCH(int, order);
    QFETCH(int, freeLines);
    QFETCH(quint64, levelMoves);
    QCOMPARE(SymmetricHunt::levelMovesFor(size_t(orbits), size_t(order), size_t(freeLines), 6),
             levelMoves);
}

void TestWheels::huntRounds_data() {
    QTest::addColumn<QList<int>>("contenders"); // in the order tried
    QTest::addColumn<QList<int>>("closest");     // by turn: cases its last attempt left
    QTest::addColumn<QList<int>>("next");
    QTest::newRow("the closer half, closest first")
        << QList<int>{0, 1, 2, 3, 4} << QList<int>{9, 3, 7, 5, 1} << QList<int>{4, 1, 3};
    QTest::newRow("ties in the order tried") << QList<int>{3, 1, 0} << QList<int>{2, 2, 2, 2, 2}
                                             << QList<int>{3, 1};
    QTest::newRow("after a lone turn, all again from the hunt's first")
        << QList<int>{4} << QList<int>{0, 0, 0, 0, 0} << QList<int>{2, 3, 4, 0, 1};
}

// After each round of the turns that falls short, the closer half goes on to the next.
void TestWheels::huntRounds() {
    QFETCH(QList<int>, contenders);
    QFETCH(QList<int>, closest);
    QFETCH(QList<int>, next);
    const std::vector<size_t> round(contenders.begin(), contenders.end());
    const std::vector<quint32> cases(closest.begin(), closest.end());
    const std::vector<size_t> after = SymmetricHunt::nextRound(round, cases, 5, 2);
    QCOMPARE(QList<int>(after.begin(), after.end()), next);
}

void TestWheels::symmetricWalk_data() {
    QTest::addColumn<WheelTerms>("terms");
    QTest::addColumn<int>("cycle");
    QTest::addColumn<int>("fixed");
    QTest::addColumn<int>("orbits");
    QTest::addColumn<int>("freeLines");
    QTest::addColumn<int>("halfOrbits"); // of the orbits
    QTest::newRow("22 numbers in two cycles of 11, 3 if 3") << WheelTerms{22, 6, 3, 3} << 11 << 0
                                                            << 6 << 0 << 0;
    QTest::newRow("16 numbers, cycles of 5 and a fixed one, 4 if 4")
        << WheelTerms{16, 6, 4, 4} << 5 << 1 << 20 << 7 << 0;
    QTest::newRow("a lotto design, one cycle of 10 and two fixed")
        << WheelTerms{12, 5, 3, 5} << 10 << 2 << 1 << 3 << 0;
    QTest::newRow("18 numbers, a cycle of 15 and three fixed, 4 if 4")
        << WheelTerms{18, 6, 4, 4} << 15 << 3 << 8 << 2 << 0;
    QTest::newRow("orbits of lines that a turn maps to themselves")
        << WheelTerms{9, 6, 3, 3} << 3 << 0 << 4 << 1 << 0;
    QTest::newRow("three lines of their own: most cases have no line one number short")
        << WheelTerms{20, 5, 4, 4} << 5 << 0 << 0 << 3 << 0;
    QTest::newRow("16 numbers in one cycle, 3 half orbits, 4 if 4")
        << WheelTerms{16, 6, 4, 4} << 16 << 0 << 11 << 2 << 3;
    QTest::newRow("16 numbers in two cycles of 8, 2 half orbits, 3 if 3")
        << WheelTerms{16, 6, 3, 3} << 8 << 0 << 6 << 1 << 2;
}

// Walks of orbit moves, taken and refused, leave a wheel still closed under the turn and a count
// of uncovered cases that the exhaustive check agrees with.
void TestWheels::symmetricWalk() {
    QFETCH(WheelTerms, terms);
    QFETCH(int, cycle);
    QFETCH(int, fixed);
    QFETCH(int, orbits);
    QFETCH(int, freeLines);
    QFETCH(int, halfOrbits);
    const LineSymmetry turn(terms.pool, cycle, fixed);
    const WheelLine all = (WheelLine(1) << terms.pool) - 1;
    for (WheelLine mask : {WheelLine(0b1011), all, WheelLine(1) << (terms.pool - 1)}) {
        QCOMPARE(turn.image(mask, 0), mask);
        QCOMPARE(BitCount(turn.image(mask, 1)), BitCount(mask));
        QCOMPARE(turn.image(turn.image(mask, cycle - 1), 1), mask);
    }
    CoverAnnealer annealer(terms, 11);
    QVERIFY(annealer.buildSymmetric(turn, size_t(orbits), size_t(freeLines), [] { return false; },
                                    size_t(halfOrbits)));
    const WheelLines built = annealer.lines();
    AnnealSchedule schedule;
    schedule.levelMoves = 300;
    schedule.levels = 20;
    annealer.anneal(schedule, [&] { return annealer.moves() >= 3'000; });
    // Half orbits stay half orbits, and the walk moved them.
    bool halvesMoved = false;
    for (size_t first = 0; first < size_t(halfOrbits * cycle); first += size_t(cycle)) {
        QCOMPARE(turn.image(annealer.lines()[first], cycle / 2), annealer.lines()[first]);
        halvesMoved = halvesMoved || annealer.lines()[first] != built[first];
    }
    QCOMPARE(halvesMoved, halfOrbits > 0);
    const auto checkWheel = [&](const CoverAnnealer& walked, int expectedLines) {
        const WheelLines& lines = walked.lines();
        QCOMPARE(int(lines.size()), expectedLines);
        QCOMPARE(int(walked.orbitLines()), orbits * cycle);
        for (size_t l = 0; l < walked.orbitLines(); ++l)
            QCOMPARE(lines[l], turn.image(lines[l - l % size_t(cycle)], int(l % size_t(cycle))));
        for (WheelLine line : lines)
            QCOMPARE(BitCount(line), terms.lineSize);
        QCOMPARE(quint64(walked.uncoveredCount()), CheckGuarantee(terms, lines).missedCases);
    };
    checkWheel(annealer, orbits * cycle + freeLines);
    // Another annealer goes on from the wheel, keeping its orbits whole as it walks.
    CoverAnnealer goesOn(terms, 12);
    QVERIFY(goesOn.loadSymmetric(turn, annealer.lines(), annealer.orbitLines()));
    goesOn.anneal(schedule, [&] { return goesOn.moves() >= 3'000; });
    checkWheel(goesOn, orbits * cycle + freeLines);
    // Lines are dropped from the free ones only, then no more.
    for (int l = 0; l < freeLines; ++l)
        QVERIFY(annealer.dropLeastUseful());
    QVERIFY(!annealer.dropLeastUseful());
    checkWheel(annealer, orbits * cycle);
}

void TestWheels::orbitSeeds_data() {
    QTest::addColumn<WheelTerms>("terms");
    QTest::addColumn<int>("best");
    QTest::addColumn<bool>("shorter");  // whether a shorter wheel can be had
    QTest::addColumn<int>("stopEvery"); // moves a try may make before it is stopped; 0: never
    QTest::newRow("10 numbers, 3 if 3, above the shortest")
        << WheelTerms{10, 4, 3, 3} << 36 << true << 0;
    QTest::newRow("10 numbers, 3 if 3, at the bound") << WheelTerms{10, 4, 3, 3} << 30 << false << 0;
    QTest::newRow("12 numbers, 6 a line, 4 if 4") << WheelTerms{12, 6, 4, 4} << 60 << true << 0;
    QTest::newRow("13 numbers, 5 a line, 3 if 3") << WheelTerms{13, 5, 3, 3} << 40 << true << 0;
    QTest::newRow("16 numbers, 6 a line, 4 if 4: the shortest known has half orbits")
        << WheelTerms{16, 6, 4, 4} << 153 << true << 0;
    QTest::newRow("tries stopped while covering, going on from their wheel")
        << WheelTerms{12, 6, 4, 4} << 60 << true << 2'000;
}

// A wheel of whole orbits, walked down: what it gives is a covering shorter than the best, made
// of whole lines none of which repeats (a turn can bring a line back to itself), and nothing
// when the best cannot be beaten.
void TestWheels::orbitSeeds() {
    QFETCH(WheelTerms, terms);
    QFETCH(int, best);
    QFETCH(bool, shorter);
    QFETCH(int, stopEvery);
    OrbitSeeds seeds(terms, 5);
    QVERIFY(seeds.descend(best, 0.3, [] { return true; }).empty());
    WheelLines found;
    for (int t = 0; t < (stopEvery > 0 ? 400 : 8) && found.empty(); ++t) {
        const quint64 before = seeds.moves();
        found = seeds.descend(best, 0.3, [&] {
            return stopEvery > 0 && seeds.moves() - before >= quint64(stopEvery);
        });
    }
    QCOMPARE(!found.empty(), shorter);
    if (!shorter)
        return;
    QVERIFY(int(found.size()) < best);
    QVERIFY(CheckGuarantee(terms, found).holds);
    for (WheelLine line : found)
        QCOMPARE(BitCount(line), terms.lineSize);
    std::sort(found.begin(), found.end());
    QVERIFY(std::adjacent_find(found.begin(), found.end()) == found.end());
}

void TestWheels::stopAskedByWork_data() {
    QTest::addColumn<WheelTerms>("terms");
    QTest::addColumn<int>("every"); // moves between two questions at most
    QTest::newRow("16 numbers, 3 if 3: 10 cases a move") << WheelTerms{16, 6, 3, 3} << 1024;
    QTest::newRow("12 numbers, 3 if 5: 100 cases a move") << WheelTerms{12, 6, 3, 5} << 128;
    QTest::newRow("24 numbers, 2 if 7: 26,208 cases a move") << WheelTerms{24, 7, 2, 7} << 1;
}

// The annealer asks whether to stop after about the same work whatever the terms: asking every
// 1,024 moves heard Stop and the effort's end seconds late when one move prices 100,000 cases.
void TestWheels::stopAskedByWork() {
    QFETCH(WheelTerms, terms);
    QFETCH(int, every);
    CoverAnnealer annealer(terms, 7);
    annealer.load({(WheelLine(1) << terms.lineSize) - 1}); // one line never covers every case
    int asked = 0;
    QVERIFY(!annealer.anneal({}, [&] { return ++asked == 2; }));
    QCOMPARE(int(annealer.moves()), every + 1);
}

// Loading a long wheel and weighing its lines for one to drop ask the stop as they go: a wheel
// of 400,000 lines losing 32 of them took seconds to hear a Close. So do a few hundred lines
// that each cover thousands of cases.
void TestWheels::stopHeardOnLongWheels_data() {
    QTest::addColumn<WheelTerms>("terms");
    QTest::addColumn<int>("lineCount");
    QTest::newRow("20,000 lines on 30 numbers, 4 if 4") << WheelTerms{30, 6, 4, 4} << 20'000;
    QTest::newRow("600 lines of 18,711 cases each: 3 if 5 on 49 numbers")
        << WheelTerms{49, 6, 3, 5} << 600;
}

void TestWheels::stopHeardOnLongWheels() {
    QFETCH(WheelTerms, terms);
    QFETCH(int, lineCount);
    FastRandom random(3);
    WheelLines lines(size_t(lineCount), 0);
    for (WheelLine& line : lines)
        while (BitCount(line) < terms.lineSize)
            line |= random.bitOf(((WheelLine(1) << terms.pool) - 1) & ~line);
    CoverAnnealer annealer(terms, 7);
    int asked = 0;
    const auto everySecondAsk = [&] { return ++asked % 2 == 0; };
    QVERIFY(!annealer.load(lines, everySecondAsk));
    QVERIFY(annealer.lines().size() < lines.size() / 2);
    QVERIFY(annealer.load(lines));
    QVERIFY(!annealer.dropLeastUseful(everySecondAsk));
    QCOMPARE(annealer.lines().size(), lines.size());
    QCOMPARE(asked, 4);
}

void TestWheels::budgetAndKeys_data() {
    QTest::addColumn<WheelTerms>("terms");
    QTest::addColumn<int>("budget");   // 0: the fewest lines for the guarantee
    QTest::addColumn<Numbers>("keys"); // positions 1..V
    QTest::newRow("16 numbers, 20 lines, 3 if 3") << WheelTerms{16, 6, 3, 3} << 20 << Numbers{};
    QTest::newRow("12 numbers, 3 lines, 3 if 5") << WheelTerms{12, 6, 3, 5} << 3 << Numbers{};
    QTest::newRow("enough lines to cover") << WheelTerms{7, 6, 5, 5} << 6 << Numbers{};
    QTest::newRow("more lines than all of them") << WheelTerms{7, 6, 5, 5} << 9 << Numbers{};
    QTest::newRow("12 numbers, 10 lines, two keys")
        << WheelTerms{12, 6, 3, 3} << 10 << Numbers{1, 2};
    QTest::newRow("guarantee with a key") << WheelTerms{10, 5, 3, 3} << 0 << Numbers{4};
    QTest::newRow("guarantee with three keys") << WheelTerms{12, 6, 3, 4} << 0 << Numbers{1, 5, 12};
}

// A set number of lines: that many, the search's uncovered count is the exhaustive check's;
// key numbers on every line, and a guarantee with them still holds.
void TestWheels::budgetAndKeys() {
    QFETCH(WheelTerms, terms);
    QFETCH(int, budget);
    QFETCH(Numbers, keys);
    HandClock clock;
    WheelSearchLimits limits;
    limits.maxMovesPerWorker = 200'000;
    limits.budgetLines = budget;
    limits.keys = masksOf({keys}).front();
    WheelSearch search(terms, limits, &clock);
    const WheelLines found = search.run();
    const GuaranteeCheck check = CheckGuarantee(terms, found);
    QVERIFY(check.problem.isEmpty());
    if (budget > 0) {
        QCOMPARE(int(found.size()), budget);
        QCOMPARE(search.bestUncovered(), check.missedCases);
        QVERIFY(!search.reachedLowerBound() || check.holds);
    } else {
        QVERIFY(check.holds);
    }
    if (budget >= 6 && terms.pool == 7)
        QVERIFY(check.holds);
    for (WheelLine line : found)
        QCOMPARE(line & limits.keys, limits.keys);
}

void TestWheels::keyRefusals_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("guarantee");
    QTest::addColumn<QString>("problem"); // empty: read
    QTest::newRow("two of mine") << "3, 17" << true << "";
    QTest::newRow("none") << "  " << true << "";
    QTest::newRow("not one of mine") << "3 4" << true << "Key number 4 is not one of your numbers";
    QTest::newRow("a whole line") << "1-3 17 20 23" << false << "at most 5 of them";
    // 4 keys leave 2 places: a case of 3 other numbers cannot meet a line in 3.
    QTest::newRow("no room for the guarantee") << "1 2 3 17" << true << "3 if 3 cannot hold";
    QTest::newRow("no room, but a set number of lines") << "1 2 3 17" << false << "";
}

void TestWheels::keyRefusals() {
    QFETCH(QString, text);
    QFETCH(bool, guarantee);
    QFETCH(QString, problem);
    const Numbers mine{1, 2, 3, 17, 20, 23, 30, 31, 40, 41};
    const KeyNumbers keys = ReadKeyNumbers(text, mine, WheelTerms{10, 6, 3, 3}, guarantee);
    if (problem.isEmpty())
        QVERIFY2(keys.ok(), qPrintable(keys.problem));
    else
        QVERIFY2(keys.problem.contains(problem), qPrintable(keys.problem));
}

void TestWheels::anyPrize_data() {
    QTest::addColumn<GameRules>("rules");
    QTest::addColumn<Lines>("lines"); // numbers of a 5/69 or 5/50 game
    QTest::addColumn<Numbers>("extras");
    QTest::addColumn<bool>("every");
    QTest::addColumn<QString>("row"); // the chance's row, or the part after "1 in" checked apart
    const Lines one{{1, 2, 3, 4, 5}};
    const Lines two{{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}};
    const GameRules powerball = testgames::presetRules(testgames::Powerball);
    // One line with one extra: the line's own chance of any tier.
    QTest::newRow("one line, one extra") << powerball << one << Numbers{7} << false << "single";
    // The extra draw matches one of two groups, or the main lines need 3.
    QTest::newRow("each line, two extras")
        << powerball << one << Numbers{7, 9} << true << "two of 26";
    QTest::newRow("in turn, two extras")
        << powerball << two << Numbers{7, 9} << false << "two of 26";
    // The second extra has no line to go on: the one line's own chance.
    QTest::newRow("more extras than lines")
        << powerball << one << Numbers{7, 9} << false << "single";
    // Groups asking 1 and 2 main hits at once: only bounds.
    QTest::newRow("pairs in turn: bounds")
        << testgames::presetRules(QStringLiteral("EuroMillions 5/50 + 2/12")) << two
        << Numbers{1, 2, 3} << false << "between";
    // Only lines with an extra matched can win: two groups of three in play, not the third.
    using testgames::tier;
    QTest::newRow("a group that cannot win: bounds")
        << testgames::rulesOf(ExtraKind::SecondDrum, 2, 12,
                              {tier(2, 1), tier(3, 1), tier(4, 1), tier(5, 1, 0, true)})
        << Lines{{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}} << Numbers{1, 2, 3}
        << false << "between";
}

// The chance of any prize against the tiers' own chances where they must agree, and stated as
// bounds where the lines' groups ask for different main hits.
void TestWheels::anyPrize() {
    QFETCH(GameRules, rules);
    QFETCH(Lines, lines);
    QFETCH(Numbers, extras);
    QFETCH(bool, every);
    QFETCH(QString, row);
    QVERIFY(rules.present);
    const int range = rules.extraRange == 26 ? 69 : 50;
    const QVector<QVector<int>> groups = ExtraGroups(extras, rules.extraCount);
    const SetOdds whole = ComputeSetOdds(lines, 5, range);
    QVector<SetOdds> groupOdds;
    for (int g = 0; !every && g < groups.size(); ++g) {
        Lines part;
        for (int i = g; i < lines.size(); i += int(groups.size()))
            part.append(lines[i]);
        groupOdds.append(ComputeSetOdds(part, 5, range));
    }
    const PrizeChance chance = AnyPrizeChance(rules, 5, whole, groups, every, groupOdds);
    const double mainThree = double(whole.atLeast[3]);
    if (row == "single") {
        QVERIFY(chance.exact());
        QVERIFY(qFuzzyCompare(chance.low, tierChances(5, 69, rules).anyPrize));
    } else if (row == "two of 26") {
        QVERIFY(chance.exact());
        QVERIFY(qFuzzyCompare(chance.low, 2.0 / 26 + 24.0 / 26 * mainThree));
    } else {
        QVERIFY(!chance.exact());
        QVERIFY(chance.low > 0 && chance.low < chance.high && chance.high <= 1);
    }
    const QStringList rows =
        PrizeRows(rules, 5, range, int(lines.size()) * (every ? 2 : 1), chance);
    QCOMPARE(rows.size(), 2);
    QVERIFY2(rows[0].contains(row == "between" ? "between 1 in" : "1 in"), qPrintable(rows[0]));
}

QTEST_GUILESS_MAIN(TestWheels)
#include "tst_wheels.moc"
