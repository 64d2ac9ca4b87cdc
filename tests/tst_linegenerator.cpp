#include "lines/LineGenerator.h"
#include "lines/RandomGenerator.h"

#include <QtTest>

Q_DECLARE_METATYPE(TLotteryState)

namespace {

using Numbers = QList<int>;

TLotteryState game(int pick, int low, int high, const Numbers& favourites = {},
                   const Numbers& excluded = {}) {
    TLotteryState s;
    s.PickCount = pick;
    s.LowNumber = low;
    s.RandomBound = high + 1;
    s.UseFavorites = !favourites.isEmpty();
    for (int k = 1; k <= favourites.size() && k <= TLotteryState::MaxPick; ++k)
        s.Favorites[k] = favourites[k - 1];
    s.UseExcluded = !excluded.isEmpty();
    for (int k = 1; k <= excluded.size() && k <= TLotteryState::MaxPick; ++k)
        s.Excluded[k] = excluded[k - 1];
    return s;
}

Numbers lineOf(const TLotteryState& s) {
    Numbers line;
    for (int k = 1; k <= s.PickCount; ++k)
        line << s.LineNumbers[k];
    return line;
}

// Slots above the pick count must keep whatever they held.
void fillSentinels(TLotteryState& s) {
    for (int k = 1; k <= TLotteryState::MaxPick; ++k) {
        s.LineNumbers[k] = 90 + k;
        s.LineText[k] = QStringLiteral("x%1").arg(k);
    }
}

} // namespace

class TestLineGenerator : public QObject {
    Q_OBJECT

private slots:
    void lineExtras_data();
    void lineExtras();
    void generatorSequence_data();
    void generatorSequence();
    void seedFromTimeOfDay_data();
    void seedFromTimeOfDay();
    void rangeCaption_data();
    void rangeCaption();
    void twoDigitText_data();
    void twoDigitText();
    void correctRange_data();
    void correctRange();
    void exactLines_data();
    void exactLines();
    void validLines_data();
    void validLines();
    void problems_data();
    void problems();
    void drawSourceOverload();
    void giveUpAfterTryBudget();
    void lineListText_data();
    void lineListText();
};

// Expected values worked out independently (python) from seed = seed * 134775813 + 1 mod 2^32
// and (seed * n) >> 32.
void TestLineGenerator::generatorSequence_data() {
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("n");
    QTest::addColumn<Numbers>("expected");
    QTest::addColumn<quint32>("finalSeed");

    QTest::newRow("seed 0") << 0u << 49 << Numbers{0, 1, 42, 9, 13, 32, 15, 7} << 0x296b6d78u;
    QTest::newRow("seed 1") << 1u << 49 << Numbers{1, 42, 9, 13, 32, 15, 7, 18} << 0x5f4b0359u;
    QTest::newRow("13:45:30.250, n 100")
        << 49530250u << 100 << Numbers{23, 62, 86, 94, 94, 73, 83, 28} << 0x48db5dc2u;
    QTest::newRow("wraps at 2^32")
        << 0xffffffffu << 10 << Numbers{9, 2, 5, 1, 8, 0, 4, 9} << 0xf38bd797u;
    QTest::newRow("n 2") << 123456789u << 2 << Numbers{1, 0, 0, 0, 1, 1, 1, 0} << 0x0dc2e5edu;
    QTest::newRow("n 0 still advances") << 1u << 0 << Numbers(8, 0) << 0x5f4b0359u;
}

void TestLineGenerator::generatorSequence() {
    QFETCH(quint32, seed);
    QFETCH(int, n);
    QFETCH(Numbers, expected);
    QFETCH(quint32, finalSeed);

    RandomGenerator rng(seed);
    Numbers drawn;
    for (int i = 0; i < expected.size(); ++i)
        drawn << rng.next(n);
    QCOMPARE(drawn, expected);
    QCOMPARE(rng.seed(), finalSeed);

    rng.setSeed(seed);
    QCOMPARE(rng.next(n), expected.first());
}

void TestLineGenerator::seedFromTimeOfDay_data() {
    QTest::addColumn<QTime>("time");
    QTest::addColumn<quint32>("expected");

    QTest::newRow("midnight") << QTime(0, 0) << 0u;
    QTest::newRow("13:45:30.250") << QTime(13, 45, 30, 250) << 49530250u;
    QTest::newRow("last millisecond") << QTime(23, 59, 59, 999) << 86399999u;
}

void TestLineGenerator::seedFromTimeOfDay() {
    QFETCH(QTime, time);
    QFETCH(quint32, expected);
    QCOMPARE(RandomGenerator::seedFromTimeOfDay(time.msecsSinceStartOfDay()), expected);
}

void TestLineGenerator::rangeCaption_data() {
    QTest::addColumn<int>("pick");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("randomBound");
    QTest::addColumn<QString>("expected");

    QTest::newRow("pick 6") << 6 << 1 << 50 << "Pick 6 numbers from 1 - 49 inclusive";
    QTest::newRow("pick 1 singular") << 1 << 1 << 50 << "Pick 1 number from 1 - 49 inclusive";
    QTest::newRow("pick 7 to 99") << 7 << 10 << 100 << "Pick 7 numbers from 10 - 99 inclusive";
}

void TestLineGenerator::rangeCaption() {
    QFETCH(int, pick);
    QFETCH(int, low);
    QFETCH(int, randomBound);
    QFETCH(QString, expected);
    QCOMPARE(::rangeCaption(pick, low, randomBound), expected);
}

void TestLineGenerator::twoDigitText_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("expected");

    QTest::newRow("7") << 7 << "07";
    QTest::newRow("0") << 0 << "00";
    QTest::newRow("10") << 10 << "10";
    QTest::newRow("99") << 99 << "99";
}

void TestLineGenerator::twoDigitText() {
    QFETCH(int, number);
    QFETCH(QString, expected);
    QCOMPARE(::twoDigitText(number), expected);
}

void TestLineGenerator::correctRange_data() {
    QTest::addColumn<int>("pick");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<bool>("corrected");
    QTest::addColumn<int>("lowAfter");
    QTest::addColumn<QString>("caption");

    QTest::newRow("44-49 pick 6 fits")
        << 6 << 44 << 49 << false << 44 << "Pick 6 numbers from 44 - 49 inclusive";
    QTest::newRow("45-49 pick 6") << 6 << 45 << 49 << true << 1
                                  << "Pick 6 numbers from 1 - 49 inclusive";
    QTest::newRow("low above high")
        << 6 << 60 << 49 << true << 1 << "Pick 6 numbers from 1 - 49 inclusive";
    QTest::newRow("pick 1 on 9-9")
        << 1 << 9 << 9 << false << 9 << "Pick 1 number from 9 - 9 inclusive";
}

void TestLineGenerator::correctRange() {
    QFETCH(int, pick);
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(bool, corrected);
    QFETCH(int, lowAfter);
    QFETCH(QString, caption);

    TLotteryState s = game(pick, low, high);
    QCOMPARE(::correctRange(s), corrected);
    QCOMPARE(s.LowNumber, lowAfter);
    QCOMPARE(s.RandomBound, high + 1);
    QCOMPARE(::rangeCaption(s.PickCount, s.LowNumber, s.RandomBound), caption);
}

// Whole lines for fixed seeds, worked out independently, including how many draws each took: a
// favourite still uses up its draw, and a restart goes on with the same generator.
void TestLineGenerator::exactLines_data() {
    QTest::addColumn<TLotteryState>("state");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<Numbers>("expected");
    QTest::addColumn<quint32>("finalSeed");

    QTest::newRow("6/49") << game(6, 1, 49) << 0u << Numbers{1, 10, 13, 15, 33, 43} << 1368768587u;
    QTest::newRow("6/49 other seed")
        << game(6, 1, 49) << 12345u << Numbers{3, 14, 17, 19, 27, 31} << 1467157059u;
    QTest::newRow("favourites 40 and 3")
        << game(6, 1, 49, {40, 3}) << 42u << Numbers{3, 7, 10, 36, 40, 42} << 3131320749u;
    QTest::newRow("7/99 with exclusions")
        << game(7, 1, 99, {}, {5, 10, 15, 20, 25, 30, 35}) << 86399999u
        << Numbers{8, 23, 33, 72, 85, 94, 99} << 4056855447u;
    QTest::newRow("favourite taken earlier: restarts")
        << game(6, 1, 9, {0, 0, 5}) << 2u << Numbers{1, 2, 5, 6, 7, 8} << 779207208u;
    QTest::newRow("pick 3, two restarts")
        << game(3, 1, 9, {0, 0, 5}) << 2u << Numbers{5, 7, 8} << 2861928246u;
}

void TestLineGenerator::exactLines() {
    QFETCH(TLotteryState, state);
    QFETCH(quint32, seed);
    QFETCH(Numbers, expected);
    QFETCH(quint32, finalSeed);

    RandomGenerator rng(seed);
    QVERIFY(drawLine(state, rng));
    QCOMPARE(lineOf(state), expected);
    QCOMPARE(rng.seed(), finalSeed);
    for (int k = 1; k <= state.PickCount; ++k)
        QCOMPARE(state.LineText[k], ::twoDigitText(expected[k - 1]));
}

void TestLineGenerator::validLines_data() {
    QTest::addColumn<TLotteryState>("state");
    QTest::addColumn<Numbers>("always");    // in every line
    QTest::addColumn<Numbers>("never");     // in no line
    QTest::addColumn<Numbers>("sometimes"); // in some lines but not all

    QTest::newRow("44-49 is the only line")
        << game(6, 44, 49) << Numbers{44, 45, 46, 47, 48, 49} << Numbers{} << Numbers{};
    QTest::newRow("favourite 60 above the range")
        << game(6, 1, 49, {60}) << Numbers{60} << Numbers{} << Numbers{};
    QTest::newRow("favourite 7 below low 10")
        << game(6, 10, 49, {7}) << Numbers{} << Numbers{7} << Numbers{10, 20};
    QTest::newRow("favourite in box 7 with pick 6")
        << game(6, 1, 49, {0, 0, 0, 0, 0, 0, 13}) << Numbers{} << Numbers{} << Numbers{13};
    QTest::newRow("exclusions never drawn")
        << game(7, 1, 20, {}, {2, 4, 6, 8, 10, 12, 14}) << Numbers{}
        << Numbers{2, 4, 6, 8, 10, 12, 14} << Numbers{1, 3, 20};
    QTest::newRow("excluded 0 excludes nothing")
        << game(7, 1, 9, {}, {0, 0, 0, 0, 0, 0, 0}) << Numbers{} << Numbers{} << Numbers{1, 5, 9};
    QTest::newRow("favourite often taken by an earlier slot")
        << game(6, 1, 9, {0, 0, 5}) << Numbers{5} << Numbers{} << Numbers{1, 9};
    QTest::newRow("random slots have exactly enough")
        << game(7, 1, 9, {0, 0, 0, 6, 7, 8, 9}, {1, 2}) << Numbers{3, 4, 5, 6, 7, 8, 9}
        << Numbers{1, 2} << Numbers{};
    QTest::newRow("pick 1") << game(1, 1, 49) << Numbers{} << Numbers{} << Numbers{1, 49};
}

void TestLineGenerator::validLines() {
    QFETCH(TLotteryState, state);
    QFETCH(Numbers, always);
    QFETCH(Numbers, never);
    QFETCH(Numbers, sometimes);

    QVERIFY(generationProblem(state).isEmpty());
    const int pick = state.PickCount;
    QHash<int, int> seen;
    const int lines = 2000;
    for (quint32 seed = 0; seed < quint32(lines); ++seed) {
        TLotteryState s = state;
        fillSentinels(s);
        RandomGenerator rng(seed * 2654435761u);
        QVERIFY(drawLine(s, rng));
        for (int k = 1; k <= pick; ++k) {
            const int n = s.LineNumbers[k];
            const bool favourite =
                s.UseFavorites && n > s.RandomBound - 1 &&
                std::find(s.Favorites.begin() + 1, s.Favorites.begin() + 1 + pick, n) !=
                    s.Favorites.begin() + 1 + pick;
            QVERIFY2((n >= s.LowNumber && n < s.RandomBound) || favourite,
                     qPrintable(QString::number(n)));
            if (k > 1)
                QVERIFY(s.LineNumbers[k - 1] < n);
            QCOMPARE(s.LineText[k], ::twoDigitText(n));
            ++seen[n];
        }
        for (int k = pick + 1; k <= TLotteryState::MaxPick; ++k) {
            QCOMPARE(s.LineNumbers[k], 90 + k);
            QCOMPARE(s.LineText[k], QStringLiteral("x%1").arg(k));
        }
    }
    for (int n : always)
        QCOMPARE(seen.value(n), lines);
    for (int n : never)
        QCOMPARE(seen.value(n), 0);
    for (int n : sometimes) {
        QVERIFY2(seen.value(n) > 0, qPrintable(QString::number(n)));
        QVERIFY2(seen.value(n) < lines, qPrintable(QString::number(n)));
    }
}

void TestLineGenerator::problems_data() {
    QTest::addColumn<TLotteryState>("state");
    QTest::addColumn<QString>("expected");

    QTest::newRow("6/49") << game(6, 1, 49) << "";
    QTest::newRow("pick 0") << game(0, 1, 49) << "A line must hold from 1 to 7 numbers";
    QTest::newRow("pick 8") << game(8, 1, 49) << "A line must hold from 1 to 7 numbers";
    QTest::newRow("pick -1") << game(-1, 1, 49) << "A line must hold from 1 to 7 numbers";
    QTest::newRow("high 100") << game(6, 1, 100) << "The highest number must not be above 99";
    QTest::newRow("favourite 100")
        << game(6, 1, 49, {100}) << "Your Favorite number 100 is above 99";
    QTest::newRow("favourite excluded")
        << game(6, 1, 49, {0, 12}, {30, 12})
        << "Your Favorite number 12 is also one of your Excluded numbers";
    QTest::newRow("favourite above range excluded")
        << game(6, 1, 49, {60}, {60})
        << "Your Favorite number 60 is also one of your Excluded numbers";
    QTest::newRow("favourite excluded, exclusions off") << [] {
        TLotteryState s = game(6, 1, 49, {12}, {12});
        s.UseExcluded = false;
        return s;
    }() << "";
    QTest::newRow("excluded favourite beyond pick")
        << game(6, 1, 49, {0, 0, 0, 0, 0, 0, 12}, {12}) << "";
    QTest::newRow("excluded favourite below low") << game(6, 20, 49, {12}, {12}) << "";
    QTest::newRow("favourite twice")
        << game(6, 1, 49, {12, 0, 0, 12}) << "Your Favorite number 12 is entered more than once";
    QTest::newRow("favourite twice, one beyond pick") << game(3, 1, 49, {12, 0, 0, 12}) << "";
    QTest::newRow("favourite twice below low") << game(6, 10, 49, {7, 7}) << "";
    QTest::newRow("range too small")
        << game(6, 1, 4) << "The range 1 - 4 holds fewer than 6 numbers";
    QTest::newRow("range empty") << game(6, 1, 0) << "The range 1 - 0 holds fewer than 6 numbers";
    QTest::newRow("favourites above fill a small range") << game(6, 1, 4, {60, 70}) << "";
    QTest::newRow("low 0 counts from 1")
        << game(6, 0, 5) << "The range 1 - 5 holds fewer than 6 numbers";
    QTest::newRow("low 0, just enough") << game(6, 0, 6) << "";
    QTest::newRow("too many excluded") << game(7, 1, 9, {}, {1, 2, 3})
                                       << "Too many Excluded numbers: only 6 of the numbers 1 - 9 "
                                          "can be drawn, but a line needs 7";
    QTest::newRow("excluded repeated count once") << game(7, 1, 9, {}, {1, 1, 2}) << "";
    QTest::newRow("excluded outside the range") << game(7, 1, 9, {}, {50, 60, 70}) << "";
    QTest::newRow("too few left for the random slots")
        << game(7, 1, 9, {0, 0, 0, 0, 0, 0, 4}, {1, 2, 3})
        << "Too many Excluded numbers: only 6 of the numbers 1 - 9 can be drawn, but a line needs "
           "7";
    QTest::newRow("favourite above frees a slot")
        << game(7, 1, 9, {0, 0, 0, 0, 0, 0, 60}, {1, 2, 3}) << "";
    QTest::newRow("exclusions under a raised low")
        << game(6, 44, 49, {}, {45})
        << "Too many Excluded numbers: only 5 of the numbers 44 - 49 can be drawn, but a line "
           "needs 6";
}

// A refused line draws nothing and changes nothing; an accepted one completes.
void TestLineGenerator::problems() {
    QFETCH(TLotteryState, state);
    QFETCH(QString, expected);

    QCOMPARE(generationProblem(state), expected);
    TLotteryState s = state;
    fillSentinels(s);
    RandomGenerator rng(777);
    const bool drawn = drawLine(s, rng);
    QCOMPARE(drawn, expected.isEmpty());
    if (!drawn) {
        QCOMPARE(rng.seed(), 777u);
        for (int k = 1; k <= TLotteryState::MaxPick; ++k) {
            QCOMPARE(s.LineNumbers[k], 90 + k);
            QCOMPARE(s.LineText[k], QStringLiteral("x%1").arg(k));
        }
    }
}

void TestLineGenerator::drawSourceOverload() {
    TLotteryState byGenerator = game(6, 1, 49, {40, 3}, {7});
    TLotteryState bySource = byGenerator;
    RandomGenerator rng(99);
    RandomGenerator source(99);
    QVERIFY(drawLine(byGenerator, rng));
    QVERIFY(drawLine(bySource, [&source](int n) { return source.next(n); }));
    QCOMPARE(lineOf(bySource), lineOf(byGenerator));
    QCOMPARE(source.seed(), rng.seed());

    QVERIFY(!drawLine(bySource, std::function<int(int)>()));
}

// A source that never gives a usable number must not hang the program.
void TestLineGenerator::giveUpAfterTryBudget() {
    TLotteryState s = game(6, 1, 49);
    fillSentinels(s);
    QVERIFY(!drawLine(s, [](int) { return 0; }));
    for (int k = 1; k <= 6; ++k) {
        QCOMPARE(s.LineNumbers[k], 0);
        QCOMPARE(s.LineText[k], QStringLiteral("00"));
    }
    QCOMPARE(s.LineNumbers[7], 97);
}

void TestLineGenerator::lineListText_data() {
    QTest::addColumn<int>("pick");
    QTest::addColumn<int>("high");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("expected");

    QTest::newRow("pick 6") << 6 << 49 << QStringList{"03", "11", "17", "24", "38", "45", "99"}
                            << "6/49  >  03 - 11 - 17 - 24 - 38 - 45";
    QTest::newRow("pick 1") << 1 << 49 << QStringList{"07", "11"} << "1/49  >  07";
    QTest::newRow("pick 7 to 99") << 7 << 99
                                  << QStringList{"02", "15", "33", "47", "58", "71", "99"}
                                  << "7/99  >  02 - 15 - 33 - 47 - 58 - 71 - 99";
    QTest::newRow("favourite above the high end")
        << 2 << 9 << QStringList{"03", "60"} << "2/9  >  03 - 60";
}

void TestLineGenerator::lineListText() {
    QFETCH(int, pick);
    QFETCH(int, high);
    QFETCH(QStringList, texts);
    QFETCH(QString, expected);

    TLotteryState s = game(pick, 1, high);
    for (int k = 1; k <= texts.size(); ++k)
        s.LineText[k] = texts[k - 1];
    QCOMPARE(::lineListText(s), expected);
}

// A line of the loaded second-drum game carries its extra numbers, each set of them equally
// likely; any other line carries none and leaves the generator where it was.
void TestLineGenerator::lineExtras_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("pick");
    QTest::addColumn<int>("highest");
    QTest::addColumn<int>("sets"); // equally likely sets; 0: no extras
    QTest::newRow("one of 6") << 1 << 5 << 69 << 6;
    QTest::newRow("two of 5") << 2 << 5 << 69 << 10;
    QTest::newRow("another pick") << 1 << 6 << 69 << 0;
    QTest::newRow("another range") << 2 << 5 << 49 << 0;
}

void TestLineGenerator::lineExtras() {
    QFETCH(int, count);
    QFETCH(int, pick);
    QFETCH(int, highest);
    QFETCH(int, sets);
    TLotteryState game;
    game.DatabaseLoaded = true;
    game.DataPick = 5;
    game.DataRandom = 69;
    game.DataRules.present = true;
    game.DataRules.extra = ExtraKind::SecondDrum;
    game.DataRules.extraCount = count;
    game.DataRules.extraRange = count == 1 ? 6 : 5;
    RandomGenerator rng(1997);
    constexpr int Draws = 20000;
    QMap<QVector<int>, int> seen;
    for (int i = 0; i < Draws; ++i) {
        const QVector<int> extras = drawLineExtras(game, pick, highest, rng);
        if (sets == 0) {
            QVERIFY(extras.isEmpty());
            QCOMPARE(rng.seed(), 1997u);
            return;
        }
        QCOMPARE(extras.size(), count);
        QVERIFY(extras.first() >= 1 && extras.last() <= game.DataRules.extraRange);
        QVERIFY(count == 1 || extras[0] < extras[1]);
        ++seen[extras];
    }
    QCOMPARE(seen.size(), sets);
    for (int n : seen)
        QVERIFY2(qAbs(n - Draws / sets) < Draws / sets / 10, qPrintable(QString::number(n)));
    game.PickCount = 5;
    game.RandomBound = 70;
    game.LineText = {"", "03", "11", "17", "24", "38"};
    QCOMPARE(::lineListText(game, {3, 7}),
             QStringLiteral("5/69  >  03 - 11 - 17 - 24 - 38  +  03 - 07"));
}

QTEST_GUILESS_MAIN(TestLineGenerator)
#include "tst_linegenerator.moc"
