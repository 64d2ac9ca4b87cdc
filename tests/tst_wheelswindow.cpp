// The wheels window: refusals, a search to its end, and the texts of the wheel it shows.
#include "support/GameRulesFixture.h"
#include "support/TestContext.h"
#include "support/TestFiles.h"

#include "games/Money.h"
#include "games/TierOdds.h"
#include "lines/CheckFile.h"
#include "wheels/WheelTexts.h"
#include "wheels/Wheels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QtTest>

using testfiles::child;

Q_DECLARE_METATYPE(SetOdds)

namespace {

// Its time is set by hand: a test ends the effort when it likes.
class HandClock : public SearchClock {
public:
    qint64 nowMs() const override { return now; }
    std::atomic<qint64> now{0};
};

// A search left to end on its own after its window has gone still reads the clock: it lives
// as long as the program.
HandClock& handClock() {
    static HandClock clock;
    clock.now = 0;
    return clock;
}

// The effort is spent from the search's first look: it hands in its greedy start.
class SpentClock : public SearchClock {
public:
    qint64 nowMs() const override { return reads++ == 0 ? 0 : 1'000'000'000; }
    mutable std::atomic<int> reads{0};
};

SpentClock& spentClock() {
    static SpentClock clock;
    clock.reads = 0;
    return clock;
}

SetOdds exactOdds(std::array<long double, 8> atLeast) {
    SetOdds odds;
    odds.atLeast = atLeast;
    return odds;
}

SetOdds estimatedOdds(std::array<long double, 8> atLeast, std::array<long double, 8> error,
                      std::array<long double, 8> lessThan) {
    SetOdds odds;
    odds.estimated = true;
    odds.atLeast = atLeast;
    odds.standardError = error;
    odds.lessThan = lessThan;
    return odds;
}

struct Fixture {
    TestContext t;
    std::unique_ptr<TWheels> window;

    explicit Fixture(int pick = 6, int high = 49, const GameRules& rules = {}) {
        t.state.DataRules = rules;
        // The wheel is for the loaded game.
        t.state.DatabaseLoaded = true;
        t.state.DataPick = pick;
        t.state.DataRandom = high;
        t.state.PickCount = pick;
        t.state.LowNumber = 1;
        t.state.RandomBound = high + 1;
        window = std::make_unique<TWheels>(t.context);
        window->show();
    }
    template <typename T> T* get(const char* name) const { return child<T>(*window, name); }
    void build(const QString& numbers, int match, int ifDrawn) {
        get<QLineEdit>("NumbersEdit")->setText(numbers);
        get<QSpinBox>("MatchSpin")->setValue(match);
        get<QSpinBox>("IfSpin")->setValue(ifDrawn);
        window->BuildButtonClick();
    }
};

} // namespace

class TestWheelsWindow : public QObject {
    Q_OBJECT

private slots:
    void refusals_data();
    void refusals();
    void spinsKeepIfAtLeastMatch();
    void searchToTheBound();
    void closeDuringASearch();
    void oddsWording_data();
    void oddsWording();
    void effortBar_data();
    void effortBar();
    void largeCountsGrouped();
    void newBuildClearsTheLastWheel();
    void largeWheelAsks_data();
    void largeWheelAsks();
    void closeDuringTheOdds();
    void checkAWheelFile_data();
    void checkAWheelFile();
    void goalAndKeys_data();
    void goalAndKeys();
    void rulesOnlyForTheirGame();
    void extraNumbers_data();
    void extraNumbers();
};

void TestWheelsWindow::refusals_data() {
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<int>("ifDrawn");
    QTest::addColumn<QString>("part"); // a piece of the message
    QTest::newRow("out of range") << "1-10 50" << 3 << "50";
    QTest::newRow("too few") << "1 2 3 4 5 6" << 3 << "7";
    QTest::newRow("does not read") << "1-12 x7" << 3 << "x7";
    QTest::newRow("too many cases") << "1-49" << 6 << "2,000,000";
}

// A refused text or size builds nothing and says what is wrong.
void TestWheelsWindow::refusals() {
    QFETCH(QString, numbers);
    QFETCH(int, ifDrawn);
    QFETCH(QString, part);
    Fixture f;
    f.build(numbers, 3, ifDrawn);
    QCOMPARE(f.t.dialogs.warnings.size(), 1);
    QVERIFY2(f.t.dialogs.warnings.first().contains(part), qPrintable(f.t.dialogs.warnings.first()));
    QVERIFY(!f.window->searching());
    QCOMPARE(f.window->listLines(), CheckFile::headerLines());
    QVERIFY(!f.get<QPushButton>("SaveButton")->isEnabled());
}

void TestWheelsWindow::spinsKeepIfAtLeastMatch() {
    Fixture f;
    QCOMPARE(f.get<QSpinBox>("MatchSpin")->value(), 3);
    QCOMPARE(f.get<QSpinBox>("IfSpin")->value(), 3);
    QCOMPARE(f.get<QSpinBox>("MatchSpin")->maximum(), 6);
    f.get<QSpinBox>("MatchSpin")->setValue(5);
    QCOMPARE(f.get<QSpinBox>("IfSpin")->value(), 5);
    QCOMPARE(f.get<QSpinBox>("IfSpin")->minimum(), 5);
}

// C(7, 6, 5) = 6 lines is the least possible: the search stops there by itself.
void TestWheelsWindow::searchToTheBound() {
    Fixture f;
    f.build(QStringLiteral("3, 9-12 20,21"), 5, 5);
    QVERIFY(f.window->searching());
    QCOMPARE(f.get<QPushButton>("BuildButton")->text(), QStringLiteral("&Stop"));
    QTRY_VERIFY_WITH_TIMEOUT(!f.window->searching(), 20000);
    QCOMPARE(f.get<QPushButton>("BuildButton")->text(), QStringLiteral("&Build"));
    const QStringList lines = f.window->listLines().mid(4);
    QCOMPARE(lines.size(), 6);
    for (const QString& line : lines)
        QVERIFY2(line.startsWith(QLatin1String("6/49  >  ")) && line.size() == 9 + 6 * 2 + 5 * 3,
                 qPrintable(line));
    QCOMPARE(f.get<QLabel>("SummaryLabel")->text(),
             QStringLiteral("6 lines: if 5 of the drawn numbers are among your 7, one line has "
                            "at least 5 of them (all 21 cases checked)"));
    QCOMPARE(f.get<QPlainTextEdit>("OddsText")->toPlainText().split(u'\n').size(), 6);
    QVERIFY(f.get<QPushButton>("SaveButton")->isEnabled());
    QVERIFY(f.get<QPushButton>("PrintButton")->isEnabled());
}

void TestWheelsWindow::closeDuringASearch() {
    Fixture f;
    f.get<QSpinBox>("EffortSpin")->setValue(600);
    f.build(QStringLiteral("1-30"), 4, 4);
    QVERIFY(f.window->searching());
    f.window->close();
    QVERIFY(!f.window->searching());
}

void TestWheelsWindow::oddsWording_data() {
    QTest::addColumn<SetOdds>("odds");
    QTest::addColumn<int>("k");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("one line of a 6/49 game")
        << ComputeSetOdds({{1, 2, 3, 4, 5, 6}}, 6, 49) << 6
        << QStringList{"6 on one line: 1 in 13,983,816 (0.00000715 %)",
                       "5 or more on one line: 1 in 53,992 (0.00185 %)",
                       "4 or more on one line: 1 in 1,013 (0.0987 %)",
                       "3 or more on one line: 1 in 53.7 (1.86 %)",
                       "2 or more on one line: 1 in 6.62 (15.1 %)",
                       "1 or more on one line: 56.4 %"};
    QTest::newRow("from 50 % up, no \"1 in\"")
        << exactOdds({1, 1, 0.5L, 0.499L}) << 3
        << QStringList{"3 on one line: 1 in 2.00 (49.9 %)", "2 or more on one line: 50.0 %",
                       "1 or more on one line: 100 %"};
    QTest::newRow("an estimate: about, a bound where the sample missed, never where impossible")
        << estimatedOdds({1, 0.9L, 0.01L, 0, 0}, {0, 0.001L, 0.0002L}, {0, 0, 0, 0.0006L}) << 4
        << QStringList{"4 on one line: never", "3 or more on one line: less than 1 in 1,667",
                       "2 or more on one line: about 1 in 100 (1.00 % ± 0.0200 %)",
                       "1 or more on one line: about 90.0 % ± 0.100 %"};
}

// Below 50 % a row reads "1 in X (P %)", from 50 % up just "P %"; the top row has no "or more".
void TestWheelsWindow::oddsWording() {
    QFETCH(SetOdds, odds);
    QFETCH(int, k);
    QFETCH(QStringList, rows);
    QCOMPARE(WheelTexts::oddsRows(odds, k), rows);
}

void TestWheelsWindow::effortBar_data() {
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<QString>("text");
    QTest::newRow("under way") << qint64(4'249) << "4.2 s of 10 s";
    QTest::newRow("past the effort") << qint64(10'380) << "10.0 s of 10 s";
}

void TestWheelsWindow::effortBar() {
    QFETCH(qint64, ms);
    QFETCH(QString, text);
    QCOMPARE(WheelTexts::effortBar(ms, 10), text);
}

// A wheel of hundreds of thousands of lines reads "426,958 lines", as its cases do.
void TestWheelsWindow::largeCountsGrouped() {
    GuaranteeCheck check;
    check.holds = true;
    check.casesChecked = 1'906'884;
    QCOMPARE(WheelTexts::summary({49, 6, 5, 5}, 426'958, check),
             QStringLiteral("426,958 lines: if 5 of the drawn numbers are among your 49, one line "
                            "has at least 5 of them (all 1,906,884 cases checked)"));
    WheelResult result;
    result.msSearched = 8'000;
    QCOMPARE(WheelTexts::searchOutcome(426'958, result, 8),
             QStringLiteral("426,958 lines, the fewest found in 8.0 s"));
}

// A new Build takes the last wheel away at once: no lines, summary, odds or Save beside it.
void TestWheelsWindow::newBuildClearsTheLastWheel() {
    Fixture f;
    HandClock& clock = handClock();
    f.window->setSearchClock(&clock);
    f.build(QStringLiteral("1-7"), 5, 5);
    QTRY_VERIFY_WITH_TIMEOUT(!f.window->searching(), 20000);
    QCOMPARE(f.window->listLines().size(), 4 + 6);
    f.build(QStringLiteral("1-30"), 4, 4);
    QVERIFY(f.window->searching());
    QCOMPARE(f.window->listLines(), CheckFile::headerLines());
    QCOMPARE(f.get<QPlainTextEdit>("LinesList")->toPlainText(),
             CheckFile::headerLines().join(u'\n'));
    QCOMPARE(f.get<QLabel>("SummaryLabel")->text(), QString());
    QCOMPARE(f.get<QPlainTextEdit>("OddsText")->toPlainText(), QString());
    QVERIFY(!f.get<QPushButton>("SaveButton")->isEnabled());
    QVERIFY(!f.window->findChild<QStatusBar*>()->currentMessage().contains("6 lines"));
}

void TestWheelsWindow::largeWheelAsks_data() {
    QTest::addColumn<qint64>("priceCents"); // 0: the game has no rules
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("cost");
    QTest::newRow("priced, yes") << qint64(250) << true << ": at 2.50 a line they cost ";
    QTest::newRow("priced, no") << qint64(250) << false << ": at 2.50 a line they cost ";
    QTest::newRow("no price known") << qint64(0) << true << ". Save all of them?";
}

// A wheel of over 100 lines says how many and, when the price is known, what they cost, before
// it is saved or printed; No keeps it in the window.
void TestWheelsWindow::largeWheelAsks() {
    QFETCH(qint64, priceCents);
    QFETCH(bool, yes);
    QFETCH(QString, cost);
    GameRules rules;
    rules.present = priceCents > 0;
    rules.priceCents = priceCents;
    Fixture f(6, 49, rules);
    f.window->setSearchClock(&spentClock());
    f.build(QStringLiteral("1-12"), 5, 5); // at least 132 lines
    QTRY_VERIFY_WITH_TIMEOUT(!f.window->searching(), 20000);
    const int lines = int(f.window->listLines().size()) - 4;
    QVERIFY(lines >= 132);
    QVERIFY(f.window->findChild<QStatusBar*>()->currentMessage().contains("the effort ran out"));
    f.t.dialogs.questionAnswers = {yes, yes};
    f.t.dialogs.fileAnswers = {QString(), QString()};
    f.get<QPushButton>("SaveButton")->click();
    QCOMPARE(f.t.dialogs.questions.size(), 1);
    const QString& question = f.t.dialogs.questions.first();
    QVERIFY2(question.startsWith(QStringLiteral("This wheel has %1 lines").arg(lines)) &&
                 question.contains(cost),
             qPrintable(question));
    if (priceCents > 0)
        QVERIFY(question.contains(QLocale(QLocale::English).toString(lines * 2.5, 'f', 2)));
    QCOMPARE(f.t.dialogs.fileDialogs.size(), yes ? 1 : 0);
    f.get<QPushButton>("PrintButton")->click();
    QCOMPARE(f.t.dialogs.questions.size(), 2);
    QVERIFY(f.t.dialogs.questions.last().endsWith("Print all of them?"));
}

// 1-40, 4 if 4 ended at once: over 17,000 lines, whose odds went on 100 to 150 ms after the
// window first showed them, longer than its poll. On 1-30 they could end between two polls, and
// the odds were never seen. Close neither waits for them nor leaves them running.
void TestWheelsWindow::closeDuringTheOdds() {
    Fixture f;
    f.window->setSearchClock(&spentClock());
    f.build(QStringLiteral("1-40"), 4, 4);
    auto* bar = f.window->findChild<QProgressBar*>("ProgressBar1");
    QTRY_VERIFY2_WITH_TIMEOUT(bar->format().contains("odds"),
                              qPrintable(f.window->findChild<QStatusBar*>()->currentMessage()),
                              20000);
    QElapsedTimer timer;
    timer.start();
    f.window->close();
    QVERIFY2(timer.elapsed() < 100, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(!f.window->searching());
}

void TestWheelsWindow::checkAWheelFile_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("summary"); // empty: refused
    QTest::addColumn<QString>("warning");
    const QStringList fano{"3/49  >  01 - 02 - 04", "3/49  >  02 - 03 - 05",
                           "3/49  >  03 - 04 - 06", "3/49  >  04 - 05 - 07",
                           "3/49  >  01 - 05 - 06", "3/49  >  02 - 06 - 07",
                           "3/49  >  01 - 03 - 07"};
    QTest::newRow("the Fano plane: no hole")
        << fano << "7 lines on 7 numbers: 2 if 2 holds in every case"
        << "";
    QTest::newRow("less a line: its pairs are holes")
        << fano.mid(0, 6)
        << "6 lines on 7 numbers: 2 if 2 fails in 3 of 21 cases, for example 01 03"
        << "";
    QStringList everyThree; // more lines than the list shows in one step
    for (int a = 1; a <= 42; ++a)
        for (int b = a + 1; b <= 42; ++b)
            for (int c = b + 1; c <= 42; ++c)
                everyThree << QString::asprintf("3/49  >  %02d - %02d - %02d", a, b, c);
    QTest::newRow("every 3 of 42 numbers, shown a step at a time")
        << everyThree << "11,480 lines on 42 numbers: 2 if 2 holds in every case"
        << "";
    QTest::newRow("a number twice on a line") << QStringList{"3/49  >  01 - 02 - 02"} << ""
                                              << "Line 5 of the file";
    QTest::newRow("no lines") << QStringList{} << ""
                              << "no lines";
}

// A check file read back as a wheel on the numbers it uses, checked over every case.
void TestWheelsWindow::checkAWheelFile() {
    QFETCH(QStringList, lines);
    QFETCH(QString, summary);
    QFETCH(QString, warning);
    Fixture f(3, 49);
    f.get<QSpinBox>("MatchSpin")->setValue(2);
    f.get<QSpinBox>("IfSpin")->setValue(2);
    const QString path = f.t.path(QStringLiteral("wheel.bmc"));
    QCOMPARE(CheckFile::write(path, CheckFile::headerLines() + lines), QString());
    f.t.dialogs.fileAnswers = {path};
    f.get<QPushButton>("LoadWheelButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!f.window->searching(), 20000);
    if (!warning.isEmpty()) {
        QCOMPARE(f.t.dialogs.warnings.size(), 1);
        QVERIFY2(f.t.dialogs.warnings.first().contains(warning),
                 qPrintable(f.t.dialogs.warnings.first()));
        return;
    }
    QCOMPARE(f.get<QLabel>("SummaryLabel")->text(), summary);
    QCOMPARE(f.window->listLines().mid(4), lines);
    QCOMPARE(f.get<QPlainTextEdit>("OddsText")->toPlainText().split(u'\n').size(), 3);
    QTRY_COMPARE(f.get<QPlainTextEdit>("LinesList")->toPlainText(),
                 f.window->listLines().join(u'\n'));
}

void TestWheelsWindow::goalAndKeys_data() {
    QTest::addColumn<int>("goal"); // GoalCombo's index
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("summary"); // a pattern
    QTest::newRow("20 lines on 16 numbers")
        << 1 << ""
        << "^20 lines: 3 if 3 holds in [0-9,]+ of 560 cases \\([0-9.]+ %\\)$";
    QTest::newRow("20 lines, two keys")
        << 1 << "1 2"
        << "^20 lines: 3 if 3 holds in [0-9,]+ of 560 cases \\([0-9.]+ %\\)$";
    QTest::newRow("a guarantee, two keys") << 0 << "1 2"
                                           << "one line has at least 3 of them";
    QTest::newRow("a key not mine") << 0 << "1 20"
                                    << "Key number 20";
}

// A set number of lines says how much of the guarantee it holds and how random lines fare;
// key numbers are on every line, and the guarantee still holds with them.
void TestWheelsWindow::goalAndKeys() {
    QFETCH(int, goal);
    QFETCH(QString, keys);
    QFETCH(QString, summary);
    Fixture f;
    f.window->setSearchClock(&spentClock());
    f.get<QComboBox>("GoalCombo")->setCurrentIndex(goal);
    QCOMPARE(f.get<QSpinBox>("BudgetSpin")->isEnabled(), goal == 1);
    f.get<QLineEdit>("KeyEdit")->setText(keys);
    f.build(QStringLiteral("1-16"), 3, 3);
    if (!f.t.dialogs.warnings.isEmpty()) {
        QVERIFY2(f.t.dialogs.warnings.first().contains(summary),
                 qPrintable(f.t.dialogs.warnings.first()));
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(!f.window->searching(), 20000);
    const QString text = f.get<QLabel>("SummaryLabel")->text();
    QVERIFY2(text.contains(QRegularExpression(summary)), qPrintable(text));
    const QStringList lines = f.window->listLines().mid(4);
    if (goal == 1)
        QCOMPARE(lines.size(), 20);
    for (const QString& line : lines)
        QVERIFY2(keys.isEmpty() || line.startsWith("6/49  >  01 - 02 - "), qPrintable(line));
    const QStringList odds = f.get<QPlainTextEdit>("OddsText")->toPlainText().split(u'\n');
    QCOMPARE(odds.last().startsWith("Random lines of these numbers: 3 or more on one line 1 in "),
             goal == 1);
}

// Lines of another pick or range than the loaded game's are no lines of that game: no extra
// numbers, no prizes and no price.
void TestWheelsWindow::rulesOnlyForTheirGame() {
    TestContext t;
    t.state.DataRules = testgames::presetRules(testgames::Powerball);
    t.state.DatabaseLoaded = true;
    t.state.DataPick = 5;
    t.state.DataRandom = 69;
    t.state.PickCount = 6;
    t.state.LowNumber = 1;
    t.state.RandomBound = 50;
    TWheels window(t.context);
    window.show();
    QVERIFY(!child<QLineEdit>(window, "ExtraEdit")->isVisible());
    child<QLineEdit>(window, "NumbersEdit")->setText("1-7");
    child<QSpinBox>(window, "MatchSpin")->setValue(5);
    child<QSpinBox>(window, "IfSpin")->setValue(5);
    window.BuildButtonClick();
    QTRY_VERIFY_WITH_TIMEOUT(!window.searching(), 20000);
    QVERIFY(!child<QPlainTextEdit>(window, "OddsText")->toPlainText().contains("prize"));
}

void TestWheelsWindow::extraNumbers_data() {
    QTest::addColumn<QString>("extras");
    QTest::addColumn<bool>("every");
    QTest::addColumn<QStringList>("ends"); // the played lines' extras, in order; empty: refused
    QTest::addColumn<QString>("part");     // of the summary, or of the refusal
    QTest::newRow("in turn") << "3 9" << false << QStringList{"  +  03", "  +  09", "  +  03"}
                             << "The lines take the 2 extra choices in turn: 6 lines played, "
                                "costing 12.00.";
    QTest::newRow("every line gets each")
        << "3 9" << true << QStringList{"  +  03", "  +  03", "  +  03"}
        << "Every line is played with each of the 2 extra choices: 12 lines played, costing "
           "24.00.";
    QTest::newRow("none typed") << "" << false << QStringList{} << "1 to 26";
    QTest::newRow("off the second drum") << "3 27" << false << QStringList{} << "1 to 26";
}

// A second-drum game's wheel carries the extra numbers typed, in turn or on every line, and its
// odds add the chance of any prize and the expected return of the lines played.
void TestWheelsWindow::extraNumbers() {
    QFETCH(QString, extras);
    QFETCH(bool, every);
    QFETCH(QStringList, ends);
    QFETCH(QString, part);
    const GameRules rules = testgames::presetRules(testgames::Powerball);
    Fixture f(5, 69, rules);
    QVERIFY(f.get<QLineEdit>("ExtraEdit")->isVisible());
    f.get<QLineEdit>("ExtraEdit")->setText(extras);
    f.get<QCheckBox>("EveryExtraCheck")->setChecked(every);
    f.build(QStringLiteral("1-6"), 5, 5); // C(6, 5, 5): the 6 lines of 5
    if (ends.isEmpty()) {
        QCOMPARE(f.t.dialogs.warnings.size(), 1);
        QVERIFY2(f.t.dialogs.warnings.first().contains(part),
                 qPrintable(f.t.dialogs.warnings.first()));
        QVERIFY(!f.window->searching());
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(!f.window->searching(), 20000);
    const QStringList lines = f.window->listLines().mid(4);
    QCOMPARE(lines.size(), every ? 12 : 6);
    for (int i = 0; i < ends.size(); ++i)
        QVERIFY2(lines[i].startsWith("5/69  >  0") && lines[i].endsWith(ends[i]),
                 qPrintable(lines[i]));
    QVERIFY2(f.get<QLabel>("SummaryLabel")->text().endsWith(part),
             qPrintable(f.get<QLabel>("SummaryLabel")->text()));
    const QStringList odds = f.get<QPlainTextEdit>("OddsText")->toPlainText().split(u'\n');
    QCOMPARE(odds.size(), 5 + 2);
    QVERIFY2(
        odds[5].startsWith(QStringLiteral("Any prize on these %1 lines: 1 in ").arg(lines.size())),
        qPrintable(odds[5]));
    const qint64 expected =
        qint64(std::llround(expectedReturnCents(5, 69, rules, false) * double(lines.size())));
    QCOMPARE(odds[6], QStringLiteral("Expected return of the %1 lines: %2 for %3 (the jackpot "
                                     "not counted)")
                          .arg(lines.size())
                          .arg(moneyText(expected), moneyText(200 * lines.size())));
}

QTEST_MAIN(TestWheelsWindow)
#include "tst_wheelswindow.moc"
