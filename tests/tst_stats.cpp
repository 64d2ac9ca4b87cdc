// Hit counting, the hot / average / cold rule, the bar list, the last-draw texts and the
// fair-draw test.
#include "state/LotteryState.h"
#include "check/LastDraw.h"
#include "database/DatabaseOps.h"
#include "database/DrawTable.h"
#include "stats/DrawNumbers.h"
#include "stats/FairDraw.h"
#include "stats/HitBars.h"
#include "stats/HitCounts.h"

#include <QRegularExpression>
#include <QTest>
#include <cmath>

using Counts = QMap<int, int>; // number -> expected count; numbers not named expect 0
Q_DECLARE_METATYPE(Fairness)

namespace {

// A table whose rows 1.. hold `rows`, each "date,n1,...,n7,bonus" with blanks kept.
TDrawTable tableOf(const QStringList& rows) {
    TDrawTable table;
    table.SetHeader(7, true);
    table.SetRowCount(std::max(TDrawTable::MinRowCount, int(rows.size()) + 1));
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList cells = rows[r].split(u',');
        for (int c = 0; c < cells.size(); ++c)
            table.SetCellText(c, r + 1, cells[c]);
    }
    return table;
}

const QString FirstDraw = " 01/01/99,  03,  17,  22,  31,  40,  45,,  12";
const QString SecondDraw = " 08/01/99,  03,  04,  05,  06,  07,  08,,  03";
const QString BigBonusDraw = " 15/01/99,  01,  02,  10,  11,  12,  13,,  55";

bool near(double a, double b, double relative = 1e-9) {
    return std::abs(a - b) <= relative * std::max(1.0, std::abs(b));
}

QString classLetters(const HitClassTable& classes, int highest) {
    QString letters;
    for (int k = 1; k <= highest; ++k)
        letters += classes[size_t(k)] == HitClass::Hot       ? u'H'
                   : classes[size_t(k)] == HitClass::Average ? u'A'
                                                             : u'C';
    return letters;
}

} // namespace

class TestStats : public QObject {
    Q_OBJECT

private slots:
    void countHits_data();
    void countHits();
    void classifyHits_data();
    void classifyHits();
    void bars_data();
    void bars();
    void lastDrawTexts_data();
    void lastDrawTexts();
    void fairDrawTest_data();
    void fairDrawTest();
    void expectedRange_data();
    void expectedRange();
    void verdicts_data();
    void verdicts();
};

void TestStats::countHits_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("includeBonus");
    QTest::addColumn<Counts>("expected");

    const QStringList two{FirstDraw, SecondDraw};
    const Counts firstOnly{{3, 1}, {17, 1}, {22, 1}, {31, 1}, {40, 1}, {45, 1}};
    const Counts both{{3, 2},  {4, 1},  {5, 1},  {6, 1},  {7, 1}, {8, 1},
                      {17, 1}, {22, 1}, {31, 1}, {40, 1}, {45, 1}};
    QTest::newRow("first draw only") << two << 1 << false << firstOnly;
    QTest::newRow("all draws") << two << 2 << false << both;
    QTest::newRow("n above the draws reaches empty rows") << two << 100 << false << both;
    QTest::newRow("an undated row is no draw")
        << QStringList{FirstDraw, ",  09,  10", "", SecondDraw} << 2 << false << both;
    QTest::newRow("n zero") << two << 0 << false << Counts{};
    QTest::newRow("n negative") << two << -3 << false << Counts{};
    Counts withBonus = both;
    withBonus[12] = 1;
    withBonus[3] = 3; // the second draw's bonus repeats its first number: counted twice
    QTest::newRow("bonus equal to a main number counts twice") << two << 2 << true << withBonus;
    QTest::newRow("bonus above the game's numbers is still counted")
        << QStringList{BigBonusDraw} << 1 << true
        << Counts{{1, 1}, {2, 1}, {10, 1}, {11, 1}, {12, 1}, {13, 1}, {55, 1}};
    QTest::newRow("numbers outside 1..99 and text are skipped")
        << QStringList{" 01/01/99,  00,  -5,  99,  ab,,   7, 100,  7x", " 02/01/99, +4,   ,7 ,  01"}
        << 2 << true << Counts{{99, 1}, {7, 1}, {4, 1}, {1, 1}};
}

void TestStats::countHits() {
    QFETCH(QStringList, rows);
    QFETCH(int, n);
    QFETCH(bool, includeBonus);
    QFETCH(Counts, expected);
    const TDrawTable table = tableOf(rows);
    const HitCountTable counts = CountHits(table, n, includeBonus);
    QCOMPARE(DrawNumbers(table).count(n, includeBonus), counts);
    QCOMPARE(counts[0], 0);
    for (int k = 1; k <= 99; ++k)
        QVERIFY2(counts[size_t(k)] == expected.value(k), qPrintable(QString::number(k)));
}

void TestStats::classifyHits_data() {
    QTest::addColumn<QList<int>>("counts"); // for 1..R
    QTest::addColumn<QString>("classes");
    QTest::addColumn<double>("mean");
    QTest::addColumn<double>("deviation");

    QTest::newRow("one hot, eight average, one cold")
        << QList<int>{5, 3, 3, 3, 3, 3, 3, 3, 3, 1} << "HAAAAAAAAC" << 3.0 << std::sqrt(0.8);
    QTest::newRow("all equal are cold") << QList<int>(10, 4) << QString(10, u'C') << 4.0 << 0.0;
    QTest::newRow("all zero are cold") << QList<int>(49, 0) << QString(49, u'C') << 0.0 << 0.0;
    QList<int> oneDraw(49, 0);
    for (int k : {3, 17, 22, 31, 40, 45})
        oneDraw[k - 1] = 1;
    QString sixHot(49, u'A');
    for (int k : {3, 17, 22, 31, 40, 45})
        sixHot[k - 1] = u'H';
    // Mean 6/49, deviation about 0.328: zero lies above the negative lower limit.
    QTest::newRow("one draw of six from 49") << oneDraw << sixHot << 6.0 / 49 << 0.32787;
    // Mean 2, deviation 1: counts exactly on a limit fall to the outer class.
    QTest::newRow("on the limits") << QList<int>{1, 3, 1, 3} << "CHCH" << 2.0 << 1.0;
}

void TestStats::classifyHits() {
    QFETCH(QList<int>, counts);
    QFETCH(QString, classes);
    QFETCH(double, mean);
    QFETCH(double, deviation);
    HitCountTable table{};
    for (int k = 1; k <= counts.size(); ++k)
        table[size_t(k)] = counts[k - 1];
    table[size_t(counts.size() + 1)] = 1000; // above R: no part in the limits
    HitClassTable result{};
    const HitLimits limits = ClassifyHits(int(counts.size()), table, &result);
    QCOMPARE(classLetters(result, int(counts.size())), classes);
    QVERIFY(std::abs(limits.mean - mean) < 1e-4);
    QVERIFY(std::abs(limits.deviation - deviation) < 1e-4);
    QCOMPARE(limits.lower, limits.mean - limits.deviation);
    QCOMPARE(limits.upper, limits.mean + limits.deviation);
}

void TestStats::bars_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("highest");
    QTest::addColumn<bool>("includeBonus");
    QTest::addColumn<bool>("showClasses");
    QTest::addColumn<QString>("classes"); // empty: palette colours

    QString sixHot(49, u'A');
    for (int k : {3, 17, 22, 31, 40, 45})
        sixHot[k - 1] = u'H';
    QTest::newRow("palette colours") << QStringList{FirstDraw} << 49 << false << false << "";
    QTest::newRow("classes") << QStringList{FirstDraw} << 49 << false << true << sixHot;
    QString bigBonus(49, u'A');
    for (int k : {1, 2, 10, 11, 12, 13})
        bigBonus[k - 1] = u'H';
    QTest::newRow("bonus above R makes no bar and leaves the classes")
        << QStringList{BigBonusDraw} << 49 << true << true << bigBonus;
    QTest::newRow("no draws: all cold") << QStringList{} << 9 << true << true << QString(9, u'C');
    QTest::newRow("damaged highest number is kept to 99")
        << QStringList{FirstDraw} << 150 << false << false << "";
}

void TestStats::bars() {
    QFETCH(QStringList, rows);
    QFETCH(int, highest);
    QFETCH(bool, includeBonus);
    QFETCH(bool, showClasses);
    QFETCH(QString, classes);
    const TDrawTable table = tableOf(rows);
    TLotteryState state;
    state.DataRandom = highest;
    state.HitCounts.fill(-7); // scratch left over from elsewhere
    const HitBarList bars = BuildHitBars(table, state, int(rows.size()), includeBonus, showClasses);

    QCOMPARE(state.HitCounts, CountHits(table, int(rows.size()), includeBonus));
    QCOMPARE(int(bars.size()), std::min(highest, 99));
    QString letters;
    for (int k = 1; k <= int(bars.size()); ++k) {
        const HitBar& bar = bars[size_t(k - 1)];
        QCOMPARE(bar.label, QString::number(k));
        QCOMPARE(bar.value, state.HitCounts[size_t(k)]);
        QCOMPARE(bar.classified, showClasses);
        if (showClasses) {
            QCOMPARE(bar.rgb, hitClassRgb(bar.hitClass));
            letters += hitClassName(bar.hitClass).at(0);
        }
    }
    QCOMPARE(letters, classes);
    QCOMPARE(hitClassRgb(HitClass::Hot), 0xFF0000u);
    QCOMPARE(hitClassRgb(HitClass::Average), 0x808080u);
    QCOMPARE(hitClassRgb(HitClass::Cold), 0x0000FFu);
}

void TestStats::lastDrawTexts_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("numbers"); // as the statistics window shows them
    QTest::addColumn<QString>("stored");  // as the checker names them

    QTest::newRow("two draws: the second")
        << QStringList{FirstDraw, SecondDraw} << "Winning Numbers For 08/01/99"
        << "03 04 05 06 07 08 + 03"
        << "  03  04  05  06  07  08  03";
    QTest::newRow("empty cells add nothing")
        << QStringList{FirstDraw} << "Winning Numbers For 01/01/99"
        << "03 17 22 31 40 45 + 12"
        << "  03  17  22  31  40  45  12";
    QTest::newRow("no draws") << QStringList{} << "Winning Numbers For"
                              << ""
                              << "";
    // The second draw sits in row 3: not the row the draw count names.
    QTest::newRow("an empty row before the last draw")
        << QStringList{FirstDraw, "", SecondDraw} << "Winning Numbers For 08/01/99"
        << "03 04 05 06 07 08 + 03"
        << "  03  04  05  06  07  08  03";
}

void TestStats::lastDrawTexts() {
    QFETCH(QStringList, rows);
    QFETCH(QString, heading);
    QFETCH(QString, numbers);
    QFETCH(QString, stored);
    const TDrawTable table = tableOf(rows);
    TLotteryState state;
    state.DatabaseLoaded = true;
    updateDrawTotals(state, table);
    QCOMPARE(lastDrawHeading(state), heading);
    QCOMPARE(lastDrawForDisplay(table), numbers);
    // The checker's last line is the same draw.
    QCOMPARE(LastDraw::available(state, table), !numbers.isEmpty());
    QCOMPARE(LastDraw::caption(state, table), state.DataLastDraw + " :" + stored);
}

void TestStats::fairDrawTest_data() {
    QTest::addColumn<QList<int>>("counts"); // for 1..R
    QTest::addColumn<int>("draws");
    QTest::addColumn<int>("perDraw");
    QTest::addColumn<double>("chiSquare");
    QTest::addColumn<double>("pValue"); // negative: no test

    // 30 draws of 3 from 9: each number expected 10 times, 8 degrees of freedom. For an even
    // number of degrees the upper tail has the closed form e^(-x/2) * sum over i < df/2 of
    // (x/2)^i / i!, which gave these p-values independently of the program.
    // Squares 1+1+0+4+4+0+1+1+0 = 12, over 10, times 8/6: 1.6; e^-0.8 (1 + 0.8 + 0.32 + 0.0853).
    QTest::newRow("fair-looking") << QList<int>{9, 11, 10, 12, 8, 10, 9, 11, 10} << 30 << 3 << 1.6
                                  << 0.9909201421998459;
    // Squares 100+36+4+0+1+4+16+25+36 = 222, over 10, times 8/6: 29.6.
    QTest::newRow("skewed") << QList<int>{20, 16, 12, 10, 9, 8, 6, 5, 4} << 30 << 3 << 29.6
                            << 0.00024869506115067204;
    // Six numbers of 49 in one draw: (6 * (1 - E)^2 / E + 43 * E) * 48/43 with E = 6/49 is 48.
    QList<int> oneDraw(49, 0);
    for (int k : {3, 17, 22, 31, 40, 45})
        oneDraw[k - 1] = 1;
    QTest::newRow("one draw of 6 from 49") << oneDraw << 1 << 6 << 48.0 << 0.472849720547744;
    QTest::newRow("no draws: no test") << QList<int>(49, 0) << 0 << 6 << 0.0 << -1.0;
}

void TestStats::fairDrawTest() {
    QFETCH(QList<int>, counts);
    QFETCH(int, draws);
    QFETCH(int, perDraw);
    QFETCH(double, chiSquare);
    QFETCH(double, pValue);
    HitCountTable table{};
    for (int k = 1; k <= counts.size(); ++k)
        table[size_t(k)] = counts[k - 1];
    table[size_t(counts.size() + 1)] = 500; // a bonus above R takes no part
    const int highest = int(counts.size());
    const std::optional<FairDrawTest> test = ::fairDrawTest(table, draws, perDraw, highest);
    QCOMPARE(test.has_value(), draws > 0 && perDraw < highest);
    if (!test)
        return;
    QCOMPARE(test->degreesOfFreedom, highest - 1);
    QVERIFY2(near(test->chiSquare, chiSquare),
             qPrintable(QString::number(test->chiSquare, 'g', 17)));
    if (pValue >= 0)
        QVERIFY2(near(test->pValue, pValue, 1e-7),
                 qPrintable(QString::number(test->pValue, 'g', 17)));
}

void TestStats::expectedRange_data() {
    QTest::addColumn<int>("draws");
    QTest::addColumn<int>("perDraw");
    QTest::addColumn<double>("expected"); // negative: no range
    QTest::addColumn<double>("deviation");

    QTest::newRow("1,000 of 6 from 49")
        << 1000 << 6 << 122.44897959183673 << std::sqrt(1000 * 6.0 / 49 * 43.0 / 49);
    QTest::newRow("1,000 of 6 and a bonus from 49")
        << 1000 << 7 << 142.85714285714286 << std::sqrt(1000 * 7.0 / 49 * 42.0 / 49);
    QTest::newRow("no draws") << 0 << 6 << -1.0 << 0.0;
}

void TestStats::expectedRange() {
    QFETCH(int, draws);
    QFETCH(int, perDraw);
    QFETCH(double, expected);
    QFETCH(double, deviation);
    const std::optional<ExpectedRange> range = ::expectedRange(draws, perDraw, 49);
    QCOMPARE(range.has_value(), expected >= 0);
    if (!range)
        return;
    QVERIFY(near(range->expected, expected));
    QVERIFY(near(range->deviation, deviation));
    QVERIFY(near(range->low, expected - 2 * deviation));
    QVERIFY(near(range->high, expected + 2 * deviation));
    QVERIFY(range->contains(range->low) && range->contains(range->high));
    QVERIFY(!range->contains(range->high + 0.01) && !range->contains(range->low - 0.01));
}

void TestStats::verdicts_data() {
    QTest::addColumn<int>("draws");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("pValue");
    QTest::addColumn<Fairness>("fairness");
    QTest::addColumn<QString>("verdict"); // empty: only the fairness is checked

    // Words first, then the figures.
    const QString numbers = QStringLiteral(" (3,622 draws, chi-square 61.58 with 48 degrees of "
                                           "freedom, p = %1).");
    QTest::newRow("fair") << 3622 << 443.5 << 0.0904 << Fairness::Fair
                          << "Fair: these counts are what a fair draw gives, so hot and cold "
                             "numbers here are chance" +
                                 numbers.arg("0.090");
    QTest::newRow("a little uneven")
        << 3622 << 443.5 << 0.03 << Fairness::LittleUneven
        << "A little uneven: about 1 fair game in 20 is this uneven by chance, so this is no "
           "proof that any number is favoured" +
               numbers.arg("0.030");
    QTest::newRow("uneven") << 3622 << 443.5 << 0.004 << Fairness::Uneven
                            << "Uneven: these counts are more uneven than a fair draw usually "
                               "is, so some numbers may truly come up more often, or some draws "
                               "may be stored wrongly" +
                                   numbers.arg("0.004");
    // Words follow the p-value as shown.
    QTest::newRow("0.0496 reads 0.050: fair") << 3622 << 443.5 << 0.0496 << Fairness::Fair << "";
    QTest::newRow("too few draws whatever p")
        << 1 << 0.1224 << 0.001 << Fairness::TooFewDraws
        << "Too few draws to judge: each number is expected only 0.12 times, and the test needs "
           "at least 5 (1 draw, chi-square 61.58 with 48 degrees of freedom, p = 0.001).";
}

void TestStats::verdicts() {
    QFETCH(int, draws);
    QFETCH(double, expected);
    QFETCH(double, pValue);
    QFETCH(Fairness, fairness);
    QFETCH(QString, verdict);
    FairDrawTest test;
    test.draws = draws;
    test.degreesOfFreedom = 48;
    test.chiSquare = 61.5849;
    test.pValue = pValue;
    test.expected = expected;
    QCOMPARE(fairnessOf(test), fairness);
    const QString text = fairDrawVerdict(test);
    if (!verdict.isEmpty())
        QCOMPARE(QString(text).replace(QChar(0x00A0), u' ').replace(QChar(0x2011), u'-'), verdict);
    // No line may end inside a figure: "p = 0.667" stays whole.
    const QString figures = text.mid(text.lastIndexOf(u'(') + 1).chopped(2);
    for (const QString& figure : figures.split(QRegularExpression(", | with ")))
        QVERIFY2(!figure.contains(u' ') && !figure.contains(u'-'), qPrintable(figure));
}

QTEST_GUILESS_MAIN(TestStats)
#include "tst_stats.moc"
