#include "support/TicketFixture.h"

#include "database/DrawImport.h"
#include "tickets/TicketCheck.h"
#include "tickets/TicketData.h"
#include "tickets/Tickets.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace testfiles;

namespace {

QVector<int> numbersOf(const NumberSet& set) {
    QVector<int> numbers;
    for (int n = 1; n <= 99; ++n)
        if (set.has(n))
            numbers << n;
    return numbers;
}

TicketDraw draw(QDate date, const QVector<int>& numbers, int bonus = 0) {
    TicketDraw d;
    d.date = date;
    d.dateText = date.toString(QStringLiteral("dd/MM/yy"));
    for (int n : numbers)
        d.numbers.add(n);
    d.bonus = bonus;
    return d;
}

TicketGame sixOf49() {
    TicketGame game;
    game.pick = 6;
    game.range = 49;
    game.bonus = true;
    return game;
}

const QByteArray Signature = "Ballmere Pro Tickets\r\n";

} // namespace

class TestTickets : public QObject {
    Q_OBJECT

private slots:
    void readsPlayedLines_data();
    void readsPlayedLines();
    void fileRoundTrip();
    void fileRefusals_data();
    void fileRefusals();
    void accountSums();
    void accountWithPrizes();
    void ticketCheckedWhenItsDrawArrives_data();
    void ticketCheckedWhenItsDrawArrives();
    void openingDatabaseAnnouncesNothing();
    void windowAddsChecksAndRemoves();
    void refusedFileKeptUntilPlayerAgrees();
};

void TestTickets::readsPlayedLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QVector<int>>("numbers");
    QTest::addColumn<QVector<int>>("extras");
    QTest::newRow("check-file line") << "6/49  >  03 - 11 - 17 - 24 - 38 - 45" << true
                                     << QVector<int>{3, 11, 17, 24, 38, 45} << QVector<int>{};
    QTest::newRow("with an extra") << "5/50  >  01 - 02 - 03 - 04 - 50  +  12" << true
                                   << QVector<int>{1, 2, 3, 4, 50} << QVector<int>{12};
    QTest::newRow("no arrow") << "03 - 11 - 17" << false << QVector<int>{} << QVector<int>{};
    QTest::newRow("nothing after the arrow") << "6/49  >  " << false << QVector<int>{}
                                             << QVector<int>{};
    QTest::newRow("above 99") << "6/49  >  03 - 100" << false << QVector<int>{} << QVector<int>{};
    QTest::newRow("zero") << "6/49  >  00 - 11" << false << QVector<int>{} << QVector<int>{};
    QTest::newRow("twice") << "6/49  >  11 - 11" << false << QVector<int>{} << QVector<int>{};
    QTest::newRow("eight numbers") << "8/49  >  1 - 2 - 3 - 4 - 5 - 6 - 7 - 8" << false
                                   << QVector<int>{} << QVector<int>{};
    QTest::newRow("huge digits") << "6/49  >  99999999999999999999" << false << QVector<int>{}
                                 << QVector<int>{};
}

void TestTickets::readsPlayedLines() {
    QFETCH(QString, text);
    QFETCH(bool, read);
    TicketLine line;
    QCOMPARE(parsePlayedLine(text, &line), read);
    if (!read)
        return;
    QFETCH(QVector<int>, numbers);
    QFETCH(QVector<int>, extras);
    QCOMPARE(numbersOf(line.numbers), numbers);
    QCOMPARE(line.count, numbers.size());
    QCOMPARE(numbersOf(line.extras), extras);
}

void TestTickets::fileRoundTrip() {
    const QVector<Ticket> tickets = {{QDate(2025, 11, 19), LastDrawTicket},
                                     {QDate(2025, 11, 22), {LastDrawTicket.first()}}};
    const QByteArray bytes = TicketFile::encode(tickets);
    QCOMPARE(bytes, Signature + "\r\nDraw 2025-11-19\r\n" + LastDrawTicket.join("\r\n").toUtf8() +
                        "\r\n\r\nDraw 2025-11-22\r\n" + LastDrawTicket.first().toUtf8() + "\r\n");
    const TicketFile::ReadResult read = TicketFile::decode(bytes, QStringLiteral("x.bmt"));
    QCOMPARE(read.error, QString());
    QCOMPARE(read.tickets, tickets);

    QTemporaryDir folder;
    // Beside the draw file, under the game's name whatever the header file is called.
    const QString path =
        TicketFile::pathFor(folder.filePath(QStringLiteral("Copy.bmd")), QStringLiteral("My Game"));
    QCOMPARE(path, folder.filePath(QStringLiteral("My Game.bmt")));
    QCOMPARE(TicketFile::pathFor(path, QStringLiteral("../x")), QString());
    QCOMPARE(TicketFile::read(path).tickets.size(), 0); // none yet: no error
    QCOMPARE(TicketFile::read(path).error, QString());
    QCOMPARE(TicketFile::write(path, tickets), QString());
    QCOMPARE(TicketFile::read(path).tickets, tickets);
    // A folder in the way of the file: the guarded writer's message, nothing written.
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("Taken.bmt")));
    QVERIFY(!TicketFile::write(folder.filePath(QStringLiteral("Taken.bmt")), tickets).isEmpty());
}

void TestTickets::fileRefusals_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("line");
    const QByteArray line = LastDrawTicket.first().toUtf8() + "\r\n";
    QTest::newRow("foreign") << QByteArray("[Database]\r\nName=Lotto\r\n") << 1;
    QTest::newRow("empty") << QByteArray() << 1;
    QTest::newRow("no such date") << Signature + "Draw 2025-02-30\r\n" + line << 2;
    QTest::newRow("line before a date") << Signature + "\r\n" + line << 3;
    QTest::newRow("ticket without lines")
        << Signature + "Draw 2025-01-01\r\nDraw 2025-01-04\r\n" + line << 2;
    QTest::newRow("last ticket without lines") << Signature + "Draw 2025-01-01\r\n" << 2;
    QTest::newRow("not a line") << Signature + "Draw 2025-01-01\r\n" + line + "hello\r\n" << 4;
    QTest::newRow("too long") << Signature + "Draw 2025-01-01\r\n" + QByteArray(300, '1') << 3;
}

void TestTickets::fileRefusals() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, line);
    const TicketFile::ReadResult read = TicketFile::decode(bytes, QStringLiteral("Lotto.bmt"));
    QCOMPARE(read.errorLine, line);
    QVERIFY2(read.error.contains(QStringLiteral("Lotto.bmt cannot be read: line %1 ").arg(line)),
             qPrintable(read.error));
    QVERIFY(read.tickets.isEmpty());
}

namespace {

// Two draws, and three tickets: one for each draw (3 and 4 hits; 3 hits) and one still waiting.
QVector<TicketDraw> accountDraws() {
    return {draw({2025, 1, 1}, {1, 2, 3, 4, 5, 6}, 40),
            draw({2025, 1, 4}, {10, 11, 12, 13, 14, 15})};
}

QVector<Ticket> accountTickets() {
    return {
        {{2025, 1, 1},
         {"6/49  >  01 - 02 - 03 - 40 - 41 - 42", "6/49  >  01 - 02 - 03 - 04 - 41 - 42"}},
        {{2025, 1, 4}, {"6/49  >  10 - 11 - 12 - 40 - 41 - 42"}},
        {{2025, 1, 8}, {"6/49  >  10 - 11 - 12 - 40 - 41 - 42"}},
    };
}

} // namespace

void TestTickets::accountSums() {
    const TicketGame game = sixOf49();
    const QVector<TicketDraw> draws = accountDraws();
    const QVector<Ticket> tickets = accountTickets();
    const DrawsByDate byDate(draws);
    const TicketResult first = checkTicket(tickets[0], byDate.on(tickets[0].date), game);
    QCOMPARE(ticketResultText(first, game), QStringLiteral("1 line with 3 hits, 1 with 4"));
    QCOMPARE(lineHits(TicketLine{}, draws[0], game).extra, 0);
    TicketLine withBonus;
    QVERIFY(parsePlayedLine(u"6/49  >  01 - 02 - 03 - 40 - 41 - 42", &withBonus));
    QCOMPARE(lineHits(withBonus, draws[0], game).extra, 1);
    // A second drum of two numbers: the tenth cell's number counts too.
    TicketGame twoExtras = game;
    twoExtras.rules.extra = ExtraKind::SecondDrum;
    twoExtras.rules.extraCount = 2;
    twoExtras.rules.extraRange = 12;
    TicketDraw stars = draws[0];
    stars.bonus = 3;
    stars.secondExtra = 7;
    TicketLine both;
    both.extras.add(3);
    both.extras.add(7);
    both.extraCount = 2;
    QCOMPARE(lineHits(both, stars, twoExtras).extra, 2);
    QCOMPARE(ticketResultText(checkTicket(tickets[2], byDate.on(tickets[2].date), game), game),
             QStringLiteral("waiting"));

    const TicketAccount account = accountOf(tickets, byDate, game);
    QCOMPARE(account.draws, 2);
    QCOMPARE(account.lines, 3);
    QCOMPARE(account.waitingTickets, 1);
    // Three random lines reach 3 hits or more 3 x 0.018638 times on average.
    QCOMPARE(accountText(account, game),
             QStringLiteral("2 draws, 3 lines; 3 hits x2, 4 hits x1. Random lines would have "
                            "reached 3 hits or more 0.06 times on average for these draws. "
                            "1 ticket waiting for its draw."));
    QCOMPARE(accountText(accountOf({}, byDate, game), game), QStringLiteral("No tickets yet."));
}

void TestTickets::accountWithPrizes() {
    TicketGame game = sixOf49();
    game.rules.present = true;
    game.rules.extra = ExtraKind::SameDrumBonus;
    game.rules.priceCents = 300;
    game.rules.tiers = {{6, 0, true, 0}, {5, 1, false, 500000}, {5, 0, false, 100000},
                        {4, 0, false, 5000}, {3, 0, false, 1000}};
    const QVector<TicketDraw> draws = accountDraws();
    // 3 hits with the bonus (no tier asks for it), 4 hits.
    const QVector<Ticket> tickets = accountTickets();
    const DrawsByDate byDate(draws);
    QCOMPARE(ticketResultText(checkTicket(tickets[0], byDate.on(tickets[0].date), game), game),
             QStringLiteral("1 line with 3 hits, 1 with 4 · 60.00"));
    // A random line: 10.00 P(3) + 50.00 P(4) + 1,000.00 P(5) 42/43 + 5,000.00 P(5) / 43,
    // 24.51 cents in all; three lines 73.53.
    QCOMPARE(accountText(accountOf(tickets, byDate, game), game),
             QStringLiteral("2 draws, 3 lines, 9.00 spent; won 70.00 (3 hits x2, 4 hits x1). "
                            "Random lines would have won 0.74 on average for these draws (not "
                            "counting the jackpot). 1 ticket waiting for its draw."));
}

void TestTickets::ticketCheckedWhenItsDrawArrives_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("entered") << "entered";
    QTest::newRow("imported") << "imported";
    QTest::newRow("updated") << "updated";
}

void TestTickets::ticketCheckedWhenItsDrawArrives() {
    QFETCH(QString, how);
    TicketWindow w({{LastHistoryDate, LastDrawTicket}});
    QCOMPARE(w.status(), QString());
    if (how == QLatin1String("entered")) {
        QTest::mouseClick(child<QPushButton>(*w.window, "Button9"), Qt::LeftButton);
        child<QLineEdit>(*w.window, "Edit8")->setText(QStringLiteral("19/11/25"));
        const QStringList numbers = {"14", "17", "28", "31", "42", "48"};
        for (int k = 1; k <= 6; ++k)
            child<QLineEdit>(*w.window, qPrintable(QStringLiteral("Edit%1").arg(k)))
                ->setText(numbers[k - 1]);
        child<QLineEdit>(*w.window, "Edit9")->setText(QStringLiteral("5"));
        QTest::mouseClick(child<QPushButton>(*w.window, "Button6"), Qt::LeftButton);
    } else if (how == QLatin1String("imported")) {
        w.t.dialogs.fileAnswers << HistoryCsv;
        QTest::mouseClick(child<QPushButton>(*w.window, "Button5"), Qt::LeftButton);
    } else {
        // An update stores what it fetched through the import's apply step, then hands the
        // result to the window as the import does.
        DrawImport import = readDrawHistory(HistoryCsv, w.t.state, w.t.table, {});
        applyDrawImport(import, w.t.state, w.t.table);
        QCOMPARE(import.result.error, QString());
        w.window->importFinished(import.result);
    }
    QCOMPARE(w.t.dialogs.messages(), QStringList());
    QCOMPARE(w.status(), QStringLiteral("Your tickets for 19/11/25: 1 line with 3 hits, 1 with 4"));
}

void TestTickets::openingDatabaseAnnouncesNothing() {
    TicketWindow w({{QDate(1999, 1, 2), LastDrawTicket}}, numberedDrawFile(3));
    QCOMPARE(w.t.state.DataTotalDraws, 3);
    QCOMPARE(w.status(), QString());
    // Another game's draws are no arrival either.
    const QString other = w.t.path(QStringLiteral("Other.bmd"));
    writeFile(other, headerText("Name=Other\r\nPick=6\r\nRandom=49\r\n"));
    writeFile(w.t.path(QStringLiteral("Other.bmi")), numberedDrawFile(4));
    w.window->OpenDatabase(other);
    QCOMPARE(w.status(), QString());
}

void TestTickets::windowAddsChecksAndRemoves() {
    TicketWindow w({}, numberedDrawFile(2));
    w.mainList = LastDrawTicket;
    TTickets tickets(w.t.context, w.mainList);
    QCOMPARE(tickets.objectName(), QStringLiteral("Tickets"));
    QCOMPARE(tickets.windowTitle(), QStringLiteral("My Tickets"));
    auto* date = child<QLineEdit>(tickets, "DrawDateEdit");
    QCOMPARE(date->text(), QStringLiteral("03/01/99")); // the day after the last draw
    auto* list = child<QTableWidget>(tickets, "TicketList");
    QVERIFY(list->isColumnHidden(2)); // no price: no cost

    QTest::mouseClick(child<QPushButton>(tickets, "AddListButton"), Qt::LeftButton);
    QCOMPARE(list->rowCount(), 1);
    QCOMPARE(list->item(0, 3)->text(), QStringLiteral("waiting"));
    // Draw 2 is 11 12 13 14 15 16: a file line with three of them.
    const QString file = w.t.path(QStringLiteral("lines.bmc"));
    writeFile(file, "a\r\nb\r\nc\r\nd\r\n6/49  >  11 - 12 - 13 - 40 - 41 - 42\r\n");
    date->setText(QStringLiteral("02/01/99"));
    w.t.dialogs.fileAnswers << file;
    QTest::mouseClick(child<QPushButton>(tickets, "AddFileButton"), Qt::LeftButton);
    QCOMPARE(list->rowCount(), 2); // by date: the new one first
    QCOMPARE(list->item(0, 0)->text(), QStringLiteral("02/01/99"));
    QCOMPARE(list->item(0, 3)->text(), QStringLiteral("1 line with 3 hits"));
    QCOMPARE(TicketFile::read(w.ticketPath).tickets.size(), 2);
    QVERIFY(child<QPlainTextEdit>(tickets, "SummaryText")
                ->toPlainText()
                .startsWith(QStringLiteral("1 draw, 1 line; 3 hits x1.")));

    // A line of another game is refused with its line number.
    writeFile(file, "a\r\nb\r\nc\r\nd\r\n5/49  >  11 - 12 - 13 - 40 - 41\r\n");
    w.t.dialogs.fileAnswers << file;
    QTest::mouseClick(child<QPushButton>(tickets, "AddFileButton"), Qt::LeftButton);
    QCOMPARE(w.t.dialogs.warnings.value(0),
             QStringLiteral("Line 5 cannot be played in this game: it holds 5 numbers, the game "
                            "draws 6."));

    list->selectRow(1);
    w.t.dialogs.questionAnswers << false << true;
    QTest::mouseClick(child<QPushButton>(tickets, "RemoveButton"), Qt::LeftButton);
    QCOMPARE(list->rowCount(), 2);
    QTest::mouseClick(child<QPushButton>(tickets, "RemoveButton"), Qt::LeftButton);
    QCOMPARE(w.t.dialogs.questions.value(1),
             QStringLiteral("Remove the ticket for 03/01/99 (3 lines)?"));
    QCOMPARE(list->rowCount(), 1);
    QCOMPARE(TicketFile::read(w.ticketPath).tickets.size(), 1);
}

void TestTickets::refusedFileKeptUntilPlayerAgrees() {
    TicketWindow w;
    const QByteArray foreign = Signature + "Draw 2025-01-01\r\nnot a line\r\n";
    writeFile(w.ticketPath, foreign);
    w.mainList = LastDrawTicket;
    TTickets tickets(w.t.context, w.mainList);
    QVERIFY(child<QPlainTextEdit>(tickets, "SummaryText")->toPlainText().contains("line 3"));
    auto* add = child<QPushButton>(tickets, "AddListButton");
    w.t.dialogs.questionAnswers << false;
    QTest::mouseClick(add, Qt::LeftButton);
    QCOMPARE(readFile(w.ticketPath), foreign);
    QCOMPARE(child<QTableWidget>(tickets, "TicketList")->rowCount(), 0);
    w.t.dialogs.questionAnswers << true;
    QTest::mouseClick(add, Qt::LeftButton);
    QCOMPARE(TicketFile::read(w.ticketPath).tickets.size(), 1);
}

QTEST_MAIN(TestTickets)
#include "tst_tickets.moc"
