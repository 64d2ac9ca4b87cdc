#include "support/TestContext.h"
#include "support/TestFiles.h"

#include "check/Check.h"
#include "lines/RandomGenerator.h"
#include "tickets/HistoryCheck.h"
#include "tickets/HistoryCheckWindow.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <set>

using namespace testfiles;

namespace {

using Numbers = std::set<int>;

// `count` distinct numbers of 1..highest.
Numbers randomNumbers(RandomGenerator& random, int count, int highest) {
    Numbers numbers;
    while (int(numbers.size()) < count)
        numbers.insert(random.next(highest) + 1);
    return numbers;
}

QString lineText(const Numbers& numbers) {
    QStringList fields;
    for (int n : numbers)
        fields << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1/%2  >  ").arg(numbers.size()).arg(20) +
           fields.join(QStringLiteral(" - "));
}

// Draws dated from 01/01/00 on, a day apart, in the table and as the game's state.
void fillTable(TestContext& t, const std::vector<Numbers>& draws, int pick, int highest) {
    t.state.DatabaseLoaded = true;
    t.state.DataPick = pick;
    t.state.DataRandom = highest;
    t.table.SetHeader(pick, false);
    t.table.SetRowCount(int(draws.size()) + 1);
    for (size_t d = 0; d < draws.size(); ++d) {
        const int row = int(d) + 1;
        t.table.SetCellText(0, row, QDate(2000, 1, 1).addDays(qint64(d)).toString(" dd/MM/yy"));
        int column = 1;
        for (int n : draws[d])
            t.table.SetCellNumber(column++, row, n);
    }
    t.state.DataTotalDraws = int(draws.size());
}

} // namespace

class TestHistoryCheck : public QObject {
    Q_OBJECT

private slots:
    void againstBruteForce_data();
    void againstBruteForce();
    void report();
    void closeDuringCheck();
    void fromTheChecker();
};

void TestHistoryCheck::againstBruteForce_data() {
    QTest::addColumn<int>("threads");
    QTest::addColumn<int>("pick");
    QTest::addColumn<int>("draws");
    QTest::newRow("one thread") << 1 << 6 << 300;
    QTest::newRow("two threads, several stretches") << 2 << 6 << 1000;
    QTest::newRow("three threads, pick 4") << 3 << 4 << 777;
}

void TestHistoryCheck::againstBruteForce() {
    QFETCH(int, threads);
    QFETCH(int, pick);
    QFETCH(int, draws);
    constexpr int Highest = 20; // small, so that every hit count comes up
    RandomGenerator random(quint32(draws * 31 + pick));
    std::vector<Numbers> lines(12);
    std::vector<Numbers> drawn(static_cast<size_t>(draws) + 0);
    for (Numbers& line : lines)
        line = randomNumbers(random, pick, Highest);
    for (Numbers& draw : drawn)
        draw = randomNumbers(random, pick, Highest);

    TestContext t;
    fillTable(t, drawn, pick, Highest);
    QVector<TicketLine> played;
    for (const Numbers& line : lines) {
        TicketLine p;
        QVERIFY(parsePlayedLine(lineText(line), &p));
        played << p;
    }
    HistoryCheckJob job(played, ticketDrawsOf(t.table, QStringLiteral("dd/MM/yy")),
                        ticketGameOf(t.state), threads);
    job.start();
    const HistoryTally tally = job.result();

    std::array<quint64, 8> expected{};
    int best = -1;
    quint64 bestCount = 0;
    int firstBestDraw = -1;
    for (int d = 0; d < draws; ++d)
        for (const Numbers& line : lines) {
            int hits = 0;
            for (int n : line)
                hits += int(drawn[size_t(d)].count(n));
            ++expected[size_t(hits)];
            if (hits > best) {
                best = hits;
                bestCount = 0;
                firstBestDraw = d;
            }
            bestCount += hits == best;
        }
    QCOMPARE(tally.drawsDone, draws);
    QCOMPARE(tally.byHits, expected);
    QCOMPARE(tally.bestHits, best);
    QCOMPARE(tally.bestCount, bestCount);
    QCOMPARE(tally.bestFirst.value(0).draw, firstBestDraw);
}

void TestHistoryCheck::report() {
    TicketGame game;
    game.pick = 6;
    game.range = 49;
    HistoryTally tally;
    tally.byHits = {0, 0, 0, 2, 1, 0, 0, 0};
    tally.drawsDone = 2;
    tally.bestHits = 4;
    tally.bestExtra = 0;
    tally.bestCount = 1;
    tally.bestFirst = {{1, 0}};
    TicketDraw first, second;
    first.dateText = QStringLiteral("01/01/00");
    second.dateText = QStringLiteral("02/01/00");
    const QStringList lines = {QStringLiteral("6/49  >  01 - 02 - 03 - 04 - 05 - 06"),
                               QStringLiteral("6/49  >  07 - 08 - 09 - 10 - 11 - 12")};
    // Four (line, draw) pairs: 4 x 0.0176504 = 0.0706 lines with 3 hits.
    QCOMPARE(historyReport(tally, lines, {first, second}, game, false),
             QStringList({"2 lines against 2 stored draws", "", "3 hits: 2 times, expected 0.071",
                          "4 hits: 1 times, expected 0.0039", "5 hits: 0 times, expected 7.4e-05",
                          "6 hits: 0 times, expected 2.9e-07", "", "Best: 4 hits, 1 time",
                          "02/01/00  6/49  >  01 - 02 - 03 - 04 - 05 - 06"}));
    QCOMPARE(historyReport(tally, lines, {first, second}, game, true).value(1),
             QStringLiteral("Stopped: 2 of 2 draws checked."));

    // With prize tiers, their rows follow the hit counts.
    game.rules.present = true;
    game.rules.tiers = {{3, 0, false, 1000}, {4, 0, false, 5000}, {6, 0, true, 0}};
    tally.byTier = {2, 1, 0};
    QCOMPARE(historyReport(tally, lines, {first, second}, game, false).mid(5, 5),
             QStringList({"6 hits: 0 times, expected 2.9e-07", "",
                          "3 hits (10): 2 times, expected 0.071",
                          "4 hits (50): 1 times, expected 0.0039",
                          "6 hits (jackpot): 0 times, expected 2.9e-07"}));
}

void TestHistoryCheck::closeDuringCheck() {
    TestContext t;
    RandomGenerator random(7);
    std::vector<Numbers> drawn(50000);
    for (Numbers& draw : drawn)
        draw = randomNumbers(random, 6, 49);
    fillTable(t, drawn, 6, 49);
    QStringList texts;
    QVector<TicketLine> lines;
    for (int l = 0; l < 300; ++l) {
        TicketLine p;
        texts << lineText(randomNumbers(random, 6, 49));
        QVERIFY(parsePlayedLine(texts.last(), &p));
        lines << p;
    }
    THistoryCheck window(t.context, texts, lines);
    QCOMPARE(window.objectName(), QStringLiteral("HistoryCheck"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Against All Draws"));
    window.show();
    QVERIFY(window.running());
    QElapsedTimer timer;
    timer.start();
    child<QPushButton>(window, "CloseButton")->click();
    QVERIFY(timer.elapsed() < 2000); // generous under the sanitizers; about 1 ms in a release
    QVERIFY(!window.running());
    QVERIFY(!window.isVisible());
}

void TestHistoryCheck::fromTheChecker() {
    TestContext t;
    // Three draws of 6 of 20; the line holds 4 of the second's numbers. Expected 3 hits:
    // 3 x C(6,3) C(14,3) / C(20,6) = 3 x 7280 / 38760.
    fillTable(t, {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 7}, {10, 11, 12, 13, 14, 15}}, 6, 20);
    t.state.PickCount = 6;
    const QString file = t.path(QStringLiteral("lines.bmc"));
    writeFile(file, "a\r\nb\r\nc\r\nd\r\n6/20  >  01 - 02 - 03 - 07 - 16 - 17\r\n");
    TForm6 checker(t.context);
    auto* history = child<QPushButton>(checker, "HistoryButton");
    QVERIFY(!history->isEnabled());
    t.dialogs.fileAnswers << file;
    child<QPushButton>(checker, "Button1")->click();
    QVERIFY(history->isEnabled());

    QStringList report;
    QTimer::singleShot(0, this, [&] {
        auto* window = qobject_cast<THistoryCheck*>(QApplication::activeModalWidget());
        QVERIFY(window);
        for (int wait = 0; wait < 500 && window->running(); ++wait)
            QTest::qWait(10);
        report = window->reportLines();
        window->close();
    });
    history->click();
    QCOMPARE(report.mid(0, 6), QStringList({"1 line against 3 stored draws", "",
                                            "3 hits: 1 times, expected 0.56",
                                            "4 hits: 1 times, expected 0.11",
                                            "5 hits: 0 times, expected 0.0065",
                                            "6 hits: 0 times, expected 7.7e-05"}));
    QCOMPARE(report.value(8), QStringLiteral("02/01/00  6/20  >  01 - 02 - 03 - 07 - 16 - 17"));
}

QTEST_MAIN(TestHistoryCheck)
#include "tst_historycheck.moc"
