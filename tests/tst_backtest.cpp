// The back-test of a hot / average / cold mix: what it counts over a history, how each draw is
// classed, the draws it skips, its button in the advanced window and its own window.
#include "support/TestContext.h"
#include "support/TestFiles.h"

#include "advanced/Advanced.h"
#include "advanced/Backtest.h"
#include "advanced/BacktestJob.h"
#include "advanced/BacktestReport.h"
#include "advanced/BacktestWindow.h"
#include "app/Program.h"
#include "lines/RandomGenerator.h"
#include "stats/HitCounts.h"

#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>
#include <functional>

using testfiles::child;

Q_DECLARE_METATYPE(Composition)

namespace {

using Numbers = QList<int>;

QString dateOf(int draw) {
    return QDate(1990, 1, 6).addDays(7 * draw).toString(QStringLiteral("dd/MM/yy"));
}

// One dated row per line of numbers, a week apart.
void fillRows(TDrawTable& table, int pick, const QList<Numbers>& rows) {
    table.SetHeader(pick, true);
    table.SetRowCount(qMax(TDrawTable::MinRowCount, int(rows.size()) + 1));
    for (int r = 0; r < rows.size(); ++r) {
        table.SetCellText(0, r + 1, QLatin1Char(' ') + dateOf(r));
        for (int k = 0; k < rows[r].size(); ++k)
            table.SetCellNumber(k + 1, r + 1, rows[r][k]);
    }
}

// `draws` rows of `pick` different numbers of 1..highest, the same for the same seed.
QList<Numbers> randomRows(int draws, int pick, int highest, quint32 seed) {
    RandomGenerator random(seed);
    QList<Numbers> rows;
    for (int d = 0; d < draws; ++d) {
        Numbers row;
        while (row.size() < pick) {
            const int n = random.next(highest) + 1;
            if (!row.contains(n))
                row << n;
        }
        rows << row;
    }
    return rows;
}

BacktestSetup setupOf(int pick, int highest, const Composition& composition, int lines) {
    BacktestSetup setup;
    setup.pick = pick;
    setup.highest = highest;
    setup.composition = composition;
    setup.linesPerDraw = lines;
    setup.seed = 4242;
    return setup;
}

QString rowStarting(const QStringList& report, const QString& start) {
    for (const QString& row : report)
        if (row.startsWith(start))
            return row;
    return {};
}

QStringList skippedDates(const BacktestTally& tally) {
    QStringList dates;
    for (const SkippedDraw& draw : tally.firstSkipped)
        dates << draw.date;
    return dates;
}

// A run as the window makes it: the job on its threads.
BacktestTally jobTally(const QVector<BacktestDraw>& history, const BacktestSetup& setup,
                       int threads = BacktestJob::DefaultThreads) {
    BacktestJob job(history, setup, threads);
    job.start();
    return job.result();
}

void compareTallies(const BacktestTally& a, const BacktestTally& b) {
    QCOMPARE(a.drawsTested, b.drawsTested);
    QCOMPARE(a.drawsSkipped, b.drawsSkipped);
    QCOMPARE(skippedDates(a), skippedDates(b));
    QVERIFY(a.mix == b.mix);
    QVERIFY(a.random == b.random);
    QCOMPARE(a.differenceSum, b.differenceSum);
    QCOMPARE(a.differenceSquares, b.differenceSquares);
}

// A loaded database in a program context, and the advanced window over it.
struct Fixture {
    TestContext t;
    std::unique_ptr<TForm9> advanced;

    explicit Fixture(const QList<Numbers>& rows, int pick = 6, int highest = 49) {
        fillRows(t.table, pick, rows);
        t.state.PickCount = pick;
        t.state.LowNumber = 1;
        t.state.RandomBound = highest + 1;
        t.state.DatabaseLoaded = !rows.isEmpty();
        t.state.DataPick = pick;
        t.state.DataRandom = highest;
        t.state.DataTotalDraws = int(rows.size());
    }
    TForm9& open() {
        advanced = std::make_unique<TForm9>(t.context, nullptr, nullptr);
        advanced->show();
        return *advanced;
    }
    QPushButton* backtestButton() const { return child<QPushButton>(*advanced, "BacktestButton"); }
    void choose(const Numbers& choice) {
        for (int n = 1; n <= 4; ++n)
            child<QSpinBox>(*advanced, qPrintable(QStringLiteral("SpinEdit%1").arg(n)))
                ->setValue(choice.value(n - 1));
    }
    void setLines(const QString& text) { child<QLineEdit>(*advanced, "Edit1")->setText(text); }

    // Clicks Back-test and answers the window it opens: waits for its report, keeps it and
    // closes the window. Empty when no window opened.
    QStringList backtestReportOfClick() {
        QStringList report;
        QTimer answer;
        answer.setInterval(5);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto* window = qobject_cast<TBacktest*>(QApplication::activeModalWidget());
            if (window && !window->running()) {
                report = window->reportLines();
                window->close();
            }
        });
        answer.start();
        advanced->BacktestButtonClick();
        return report;
    }
};

} // namespace

class TestBacktest : public QObject {
    Q_OBJECT

private slots:
    void drawsAndExpectedRow_data();
    void drawsAndExpectedRow();
    void mixHitsTheDrawAfterItsHistory();
    void classedByTheDrawsBefore_data();
    void classedByTheDrawsBefore();
    void buttonEnabling_data();
    void buttonEnabling();
    void linesADraw_data();
    void linesADraw();
    void verdict_data();
    void verdict();
    void nullSaysBelowFivePercentOneRunInTwenty_data();
    void nullSaysBelowFivePercentOneRunInTwenty();
    void windowReportAndSave();
    void stopAndClose();
    void screenshots();
};

void TestBacktest::drawsAndExpectedRow_data() {
    QTest::addColumn<int>("pick");
    QTest::addColumn<int>("highest");
    QTest::addColumn<int>("draws");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("tested");
    QTest::addColumn<QString>("expected");
    QTest::newRow("10 draws: none tested")
        << 6 << 49 << 10 << 10 << 0 << "3 hits 0, 4 hits 0, 5 hits 0, 6 hits 0";
    QTest::newRow("11 draws, one line")
        << 6 << 49 << 11 << 1 << 1
        << "3 hits 0.0177, 4 hits 0.000969, 5 hits 0.0000184, 6 hits 0.0000000715";
    QTest::newRow("20 draws, 10 lines")
        << 6 << 49 << 20 << 10 << 10
        << "3 hits 1.77, 4 hits 0.0969, 5 hits 0.00184, 6 hits 0.00000715";
    QTest::newRow("100,000 lines: three figures above a thousand")
        << 6 << 49 << 1010 << 100 << 1000
        << "3 hits 1770, 4 hits 96.9, 5 hits 1.84, 6 hits 0.00715";
    QTest::newRow("two numbers a line: from 1 hit")
        << 2 << 10 << 11 << 10 << 1 << "1 hits 3.56, 2 hits 0.222";
}

void TestBacktest::drawsAndExpectedRow() {
    QFETCH(int, pick);
    QFETCH(int, highest);
    QFETCH(int, draws);
    QFETCH(int, lines);
    QFETCH(int, tested);
    QFETCH(QString, expected);
    TDrawTable table;
    fillRows(table, pick, randomRows(draws, pick, highest, 7));
    const QVector<BacktestDraw> history = backtestDraws(table);
    QCOMPARE(int(history.size()), draws);
    const BacktestSetup setup = setupOf(pick, highest, {0, 0, 0, pick}, lines);
    const BacktestTally tally = jobTally(history, setup, 1);
    QCOMPARE(tally.drawsTested, tested);
    QCOMPARE(tally.drawsSkipped, 0);
    quint64 mixLines = 0;
    quint64 randomLines = 0;
    for (size_t h = 0; h < tally.mix.size(); ++h) {
        mixLines += tally.mix[h];
        randomLines += tally.random[h];
    }
    QCOMPARE(mixLines, quint64(tested) * quint64(lines));
    QCOMPARE(randomLines, mixLines);
    // On two threads when there are two stretches.
    compareTallies(jobTally(history, setup, 2), tally);

    const QStringList report = backtestReport(setup, tally, draws, false);
    QVERIFY(report.contains(QStringLiteral("Draws tested: %1").arg(tested)));
    QCOMPARE(rowStarting(report, "Draws skipped"), QStringLiteral("Draws skipped: 0"));
    QCOMPARE(rowStarting(report, "Lines a draw"), QStringLiteral("Lines a draw: %1").arg(lines));
    QCOMPARE(rowStarting(report, "Expected for any lines"),
             QStringLiteral("Expected for any lines: ") + expected);
}

// Ten draws of 1..6 make those six hot; the eleventh shares three of them with every line.
void TestBacktest::mixHitsTheDrawAfterItsHistory() {
    TDrawTable table;
    fillRows(table, 6, QList<Numbers>(10, {1, 2, 3, 4, 5, 6}) << Numbers{1, 2, 3, 10, 11, 12});
    const BacktestSetup setup = setupOf(6, 49, {6, 0, 0, 0}, 10);
    const BacktestTally tally = jobTally(backtestDraws(table), setup);
    const QStringList report = backtestReport(setup, tally, 11, false);
    QCOMPARE(rowStarting(report, "Your mix: "),
             QStringLiteral("Your mix: 3 hits 10, 4 hits 0, 5 hits 0, 6 hits 0"));
    QVERIFY(report.contains(QStringLiteral("Draws tested: 1")));
    QCOMPARE(rowStarting(report, "Draws tested"),
             QStringLiteral("Draws tested: 1 of 11 (the first 10 only teach the classes)"));
}

// A game of 3 from 1..9 over 80 draws: the classes change often, and a mix that needs more
// numbers of a class than it holds skips the draw.
void TestBacktest::classedByTheDrawsBefore_data() {
    QTest::addColumn<Composition>("composition");
    QTest::newRow("3 cold") << Composition{0, 0, 3, 0};
    QTest::newRow("2 hot, 1 random") << Composition{2, 0, 0, 1};
    QTest::newRow("2 cold, 1 random") << Composition{0, 0, 2, 1};
    QTest::newRow("3 average") << Composition{0, 3, 0, 0};
}

void TestBacktest::classedByTheDrawsBefore() {
    QFETCH(Composition, composition);
    constexpr int Draws = 80;
    TDrawTable table;
    fillRows(table, 3, randomRows(Draws, 3, 9, 5));
    const auto skippedWhenClassedBy = [&](int drawsCounted) {
        return !HotColdPicker(buildPools(CountHits(table, drawsCounted, false), 9), 3, 9)
                    .problem(composition)
                    .isEmpty();
    };
    QStringList skipped;
    QStringList skippedCountingItself;
    for (int i = BacktestFirstTested; i < Draws; ++i) {
        if (skippedWhenClassedBy(i))
            skipped << dateOf(i);
        if (skippedWhenClassedBy(i + 1))
            skippedCountingItself << dateOf(i);
    }
    QVERIFY(!skipped.isEmpty());
    QVERIFY(skipped != skippedCountingItself); // the history tells the two apart

    const QVector<BacktestDraw> history = backtestDraws(table);
    const BacktestSetup setup = setupOf(3, 9, composition, 5);
    const BacktestTally tally = jobTally(history, setup);
    QCOMPARE(tally.drawsSkipped, int(skipped.size()));
    QCOMPARE(tally.drawsTested, Draws - BacktestFirstTested - int(skipped.size()));
    QCOMPARE(skippedDates(tally), skipped.mid(0, BacktestSkippedNamed));
    const QString named = skipped.mid(0, 3).join(QLatin1String(", "));
    QCOMPARE(rowStarting(backtestReport(setup, tally, Draws, false), "Draws skipped"),
             QStringLiteral("Draws skipped: %1 (the mix could not be made for them%2: %3)")
                 .arg(skipped.size())
                 .arg(skipped.size() > 3 ? QStringLiteral("; the first") : QString(), named));

    // Any split of the draws into stretches, each runner counting the draws it passes over,
    // adds up to the same.
    BacktestRunner first(history, setup);
    first.run(0, 25);
    first.run(50, Draws);
    BacktestRunner second(history, setup);
    second.run(25, 50);
    BacktestTally split = second.tally();
    split.add(first.tally());
    compareTallies(split, tally);
}

void TestBacktest::buttonEnabling_data() {
    QTest::addColumn<int>("draws");
    QTest::addColumn<Numbers>("choice");
    QTest::addColumn<bool>("generateFirst");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("no database") << 0 << Numbers{0, 0, 0, 6} << false << false;
    QTest::newRow("10 draws") << 10 << Numbers{0, 0, 0, 6} << false << false;
    QTest::newRow("11 draws") << 11 << Numbers{0, 0, 0, 6} << false << true;
    QTest::newRow("a pick left") << 11 << Numbers{0, 0, 0, 5} << false << false;
    QTest::newRow("lines in the list") << 11 << Numbers{0, 0, 0, 6} << true << true;
}

void TestBacktest::buttonEnabling() {
    QFETCH(int, draws);
    QFETCH(Numbers, choice);
    QFETCH(bool, generateFirst);
    QFETCH(bool, enabled);
    Fixture f(randomRows(draws, 6, 49, 3));
    f.open();
    QVERIFY(!f.backtestButton()->isEnabled());
    f.choose(choice);
    if (generateFirst) {
        f.setLines(QStringLiteral("5"));
        f.advanced->Button1Click();
        QCOMPARE(f.advanced->listLines().size(), 4 + 5);
    }
    QCOMPARE(f.backtestButton()->isEnabled(), enabled);
}

// The count of lines is read as the statistics Generate reads it.
void TestBacktest::linesADraw_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<QString>("linesRow"); // empty: no window
    QTest::addColumn<QString>("edit1After");
    const QString range = QStringLiteral("Must be a number between 1 - 100");
    QTest::newRow("7") << "7" << QStringList{} << "Lines a draw: 7"
                       << "7";
    QTest::newRow("letters: 10") << "ab" << QStringList{range + "\r\nDefaulting to 10 Draws"}
                                 << "Lines a draw: 10"
                                 << "10";
    QTest::newRow("0") << "0" << QStringList{range} << ""
                       << "";
    QTest::newRow("101") << "101" << QStringList{range} << ""
                         << "";
}

void TestBacktest::linesADraw() {
    QFETCH(QString, text);
    QFETCH(QStringList, warnings);
    QFETCH(QString, linesRow);
    QFETCH(QString, edit1After);
    Fixture f(randomRows(30, 6, 49, 5));
    f.open();
    f.choose({0, 0, 0, 6});
    f.setLines(text);
    const QStringList report = f.backtestReportOfClick();
    QCOMPARE(f.t.dialogs.warnings, warnings);
    QCOMPARE(rowStarting(report, "Lines a draw"), linesRow);
    QCOMPARE(child<QLineEdit>(*f.advanced, "Edit1")->text(), edit1After);
    QCOMPARE(f.advanced->listLines().size(), 4); // the list is left alone
}

// Made-up tallies: `draws` differences whose sum and sum of squares give the mean and spread.
void TestBacktest::verdict_data() {
    QTest::addColumn<int>("draws");
    QTest::addColumn<qint64>("sum");
    QTest::addColumn<quint64>("squares");
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("statistic");
    const QString over100 = QStringLiteral("Over 100 draws your mix caught ");
    // 100 draws, 10 lines a draw, deviation 3 hits a draw: t = 3.33.
    QTest::newRow("clear difference")
        << 100 << qint64(100) << quint64(100 + 99 * 9)
        << over100 + "0.100 more numbers a line than random lines (give or take 0.060): "
                     "a clear difference, beyond what chance gives."
        << "t = 3.33, p = 0.00121";
    QTest::newRow("clear difference, fewer")
        << 100 << qint64(-100) << quint64(100 + 99 * 9)
        << over100 + "0.100 fewer numbers a line than random lines (give or take 0.060): "
                     "a clear difference, beyond what chance gives."
        << "t = -3.33, p = 0.00121";
    // Deviation 4.545: t = 2.20.
    QTest::newRow("within chance now and then")
        << 100 << qint64(100) << quint64(2145)
        << over100 + "0.100 more numbers a line than random lines (give or take 0.090): "
                     "within what chance gives now and then."
        << "t = 2.20, p = 0.0301";
    QTest::newRow("no better than chance")
        << 100 << qint64(10) << quint64(1000)
        << over100 + "0.010 more numbers a line than random lines (give or take 0.063): "
                     "no better than chance."
        << "t = 0.31, p = 0.754";
    QTest::newRow("29 draws: too few, however clear")
        << 29 << qint64(290) << quint64(2900 + 28)
        << "Over 29 draws your mix caught 1.000 more numbers a line than random lines "
           "(give or take 0.038). Too few draws to judge."
        << "t = 53.85, p = 8.03e-30";
    QTest::newRow("the same difference every draw: no p of 0")
        << 2 << qint64(10) << quint64(50)
        << "Over 2 draws your mix caught 0.500 more numbers a line than random lines "
           "(give or take 0.000). Too few draws to judge."
        << "t = n/a (every draw gave the same difference), p = 0.500";
    QTest::newRow("one draw") << 1 << qint64(0) << quint64(0)
                              << "Over 1 draw your mix caught as many numbers a line as random "
                                 "lines. Too few draws to judge."
                              << "t = n/a, p = n/a";
    QTest::newRow("none") << 0 << qint64(0) << quint64(0)
                          << "No draw was tested. Too few draws to judge."
                          << "t = n/a, p = n/a";
}

void TestBacktest::verdict() {
    QFETCH(int, draws);
    QFETCH(qint64, sum);
    QFETCH(quint64, squares);
    QFETCH(QString, sentence);
    QFETCH(QString, statistic);
    BacktestTally tally;
    tally.drawsTested = draws;
    tally.differenceSum = sum;
    tally.differenceSquares = squares;
    const QStringList report =
        backtestReport(setupOf(6, 49, {0, 0, 0, 6}, 10), tally, draws + 10, false);
    QCOMPARE(report.first(), sentence);
    QCOMPARE(rowStarting(report, "t = "), statistic);
}

// An all-random mix cannot beat random lines: over made-up histories its p-value falls below
// 0.05 about one run in twenty once the report judges (30 draws tested), and never more often
// at any length. Below that, whole-number differences leave a test of two or three draws
// little room to reach 0.05 at all (two draws whose signs are flipped give p of 0.5 at least).
void TestBacktest::nullSaysBelowFivePercentOneRunInTwenty_data() {
    QTest::addColumn<int>("storedDraws");
    QTest::addColumn<int>("lines");
    QTest::newRow("12 draws, 10 lines") << 12 << 10;
    QTest::newRow("13 draws, 1 line") << 13 << 1;
    QTest::newRow("20 draws, 10 lines") << 20 << 10;
    QTest::newRow("30 draws, 10 lines") << 30 << 10;
    QTest::newRow("40 draws, 10 lines") << 40 << 10;
    QTest::newRow("41 draws, 1 line") << 41 << 1;
    QTest::newRow("210 draws, 5 lines") << 210 << 5;
}

void TestBacktest::nullSaysBelowFivePercentOneRunInTwenty() {
    QFETCH(int, storedDraws);
    QFETCH(int, lines);
    constexpr int Runs = 1500;
    int below = 0;
    int claimed = 0;
    for (int run = 0; run < Runs; ++run) {
        TDrawTable table;
        fillRows(table, 6, randomRows(storedDraws, 6, 49, quint32(run * 7919 + storedDraws)));
        BacktestSetup setup = setupOf(6, 49, {0, 0, 0, 6}, lines);
        setup.seed = quint32(run);
        const QVector<BacktestDraw> history = backtestDraws(table);
        BacktestRunner runner(history, setup);
        runner.run(0, storedDraws);
        const BacktestComparison comparison = compareWithRandom(runner.tally(), lines);
        below += comparison.available && comparison.p < 0.05;
        claimed +=
            backtestVerdict(comparison, runner.tally().drawsTested) !=
                BacktestVerdict::NoBetterThanChance &&
            backtestVerdict(comparison, runner.tally().drawsTested) != BacktestVerdict::TooFewDraws;
    }
    const double share = double(below) / Runs;
    const bool judged = storedDraws - BacktestFirstTested >= BacktestMinimumDraws;
    qInfo("p below 0.05 in %.1f %% of %d runs", 100 * share, Runs);
    QVERIFY2(share <= 0.065 && (!judged || share >= 0.035), qPrintable(QString::number(share)));
    QCOMPARE(claimed, judged ? below : 0);
}

void TestBacktest::windowReportAndSave() {
    Fixture f(randomRows(30, 6, 49, 5));
    TBacktest window(f.t.context, {0, 0, 0, 6}, 10);
    window.show();
    QCOMPARE(window.objectName(), QStringLiteral("Backtest"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Back-test"));
    QTRY_VERIFY(!window.running());
    const QStringList report = window.reportLines();
    QCOMPARE(child<QPlainTextEdit>(window, "ReportText")->toPlainText(), report.join(u'\n'));
    QVERIFY(child<QPlainTextEdit>(window, "ReportText")->isReadOnly());
    QVERIFY(report.first().startsWith(QLatin1String("Over 20 draws your mix caught ")));
    QVERIFY(report.first().endsWith(QLatin1String(". Too few draws to judge.")));
    QVERIFY(report.contains(QStringLiteral("Draws tested: 20")));
    QVERIFY(report.contains(
        QStringLiteral("Draws tested: 20 of 30 (the first 10 only teach the classes)")));
    QVERIFY(report.contains(QStringLiteral("Details:")));
    QCOMPARE(rowStarting(report, "Hits   ").simplified(),
             QStringLiteral("Hits Your mix Random lines Expected"));
    QVERIFY(rowStarting(report, "   6   ").endsWith(QLatin1String("   0.0000143")));
    QCOMPARE(rowStarting(report, "Draws skipped"), QStringLiteral("Draws skipped: 0"));
    QCOMPARE(rowStarting(report, "Lines a draw"), QStringLiteral("Lines a draw: 10"));
    QVERIFY(rowStarting(report, "Your mix: 3 hits ").endsWith(QLatin1String(" 6 hits 0")));
    QVERIFY(!rowStarting(report, "Random lines: 3 hits ").isEmpty());
    QCOMPARE(rowStarting(report, "Expected for any lines"),
             QStringLiteral("Expected for any lines: 3 hits 3.53, 4 hits 0.194, 5 hits 0.00369, "
                            "6 hits 0.0000143"));
    QVERIFY(rowStarting(report, "Test: ").contains(QLatin1String("Student's t-test")));
    QVERIFY(rowStarting(report, "t = ").contains(QLatin1String(", p = ")));
    // A run shorter than a poll still shows where it ended.
    const auto* bar = child<QProgressBar>(window, "ProgressBar1");
    QCOMPARE(bar->value(), bar->maximum());
    QCOMPARE(bar->text(), QStringLiteral("20 of 20 draws"));

    // The clock seeds the run: the same reading gives the same report.
    TBacktest again(f.t.context, {0, 0, 0, 6}, 10);
    QTRY_VERIFY(!again.running());
    QCOMPARE(again.reportLines(), report);

    const QString path = f.t.path(QStringLiteral("report"));
    f.t.dialogs.fileAnswers << path << f.t.path(QStringLiteral("missing/report.txt"));
    child<QPushButton>(window, "SaveButton")->click();
    QCOMPARE(f.t.dialogs.fileDialogs.last().title, QStringLiteral("Save Back-test Report"));
    QCOMPARE(f.t.dialogs.fileDialogs.last().defaultExtension, QStringLiteral("txt"));
    QCOMPARE(testfiles::readFile(path + QStringLiteral(".txt")),
             (report.join(QLatin1String("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    QVERIFY(f.t.dialogs.errors.isEmpty());
    child<QPushButton>(window, "SaveButton")->click();
    QCOMPARE(f.t.dialogs.errors, QStringList{QStringLiteral("Cannot create file ") +
                                             f.t.path(QStringLiteral("missing/report.txt"))});
}

void TestBacktest::stopAndClose() {
    Fixture f(randomRows(30'000, 6, 49, 9));
    {
        TBacktest window(f.t.context, {0, 0, 0, 6}, 100);
        window.show();
        QVERIFY(window.reportLines().isEmpty());
        child<QPushButton>(window, "StopButton")->click();
        QTRY_VERIFY(!window.running());
        const QStringList report = window.reportLines();
        QVERIFY(rowStarting(report, "Stopped after ").endsWith(QLatin1String(" of 29990 draws")));
        QVERIFY(rowStarting(report, "Draws tested: ") != QLatin1String("Draws tested: 29990"));
        QVERIFY(!child<QPushButton>(window, "StopButton")->isEnabled());
        QVERIFY(child<QPushButton>(window, "SaveButton")->isEnabled());
    }
    TBacktest window(f.t.context, {0, 0, 0, 6}, 100);
    window.show();
    window.close();
    QVERIFY(!window.running());
    QVERIFY(window.reportLines().isEmpty());
}

// Pictures to look at: the advanced window with the button, and a report over the real
// history. BALLMERE_SHOTS=folder tst_backtest screenshots
void TestBacktest::screenshots() {
    const QString folder = qEnvironmentVariable("BALLMERE_SHOTS");
    if (folder.isEmpty())
        QSKIP("set BALLMERE_SHOTS to a folder to save pictures of the windows");
    Program::configureApplication(); // the program's style and face
    QList<Numbers> rows;
    const QStringList lines =
        QString::fromUtf8(
            testfiles::readFile(QStringLiteral(BALLMERE_TEST_DATA "/draw-history-649.csv")))
            .split(u'\n');
    for (const QString& line : lines.mid(1)) {
        const QStringList fields = line.section(u'"', 2).split(u',', Qt::SkipEmptyParts);
        if (fields.size() >= 6) {
            Numbers row;
            for (int k = 0; k < 6; ++k)
                row << fields[k].trimmed().toInt();
            rows << row;
        }
    }
    QVERIFY(rows.size() > 3000);
    Fixture f(rows);
    f.open();
    f.choose({2, 2, 1, 1});
    f.setLines(QStringLiteral("100"));
    f.advanced->Button1Click();
    QCOMPARE(f.advanced->listLines().size(), 4 + 100);
    QVERIFY(f.advanced->grab().save(folder + QStringLiteral("/advanced-working.png")));
    QTRY_VERIFY_WITH_TIMEOUT(
        !child<QLabel>(*f.advanced, "OddsLabel")->text().endsWith(QStringLiteral("working…")),
        120'000);
    QVERIFY(f.advanced->grab().save(folder + QStringLiteral("/advanced.png")));
    TBacktest window(f.t.context, {2, 2, 1, 1}, 10, f.advanced.get());
    window.show();
    QVERIFY(window.grab().save(folder + QStringLiteral("/report-starting.png")));
    QTRY_VERIFY(!window.running());
    QVERIFY(window.grab().save(folder + QStringLiteral("/report.png")));
    QFile text(folder + QStringLiteral("/report.txt"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write(window.reportLines().join(u'\n').toUtf8() + '\n');
}

QTEST_MAIN(TestBacktest)
#include "tst_backtest.moc"
