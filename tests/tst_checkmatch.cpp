#include "check/LastDraw.h"
#include "check/LineMatch.h"

#include "support/GameRulesFixture.h"

#include <QtTest>

using namespace LineMatch;

namespace {

const QString Example = QStringLiteral("6/49  >  07 - 12 - 19 - 23 - 35 - 48");

// Seven entries; missing ones are empty boxes ("00").
WinningEntries entriesOf(const QStringList& numbers, const QString& bonus = {}) {
    WinningEntries entries;
    for (int k = 0; k < FieldCount; ++k)
        entries.numbers[size_t(k)] = entryOf(paddedEntry(numbers.value(k)));
    entries.bonus = entryOf(paddedEntry(bonus));
    return entries;
}

QStringList banner() {
    return {"Ballmere Professional", "Version 1.01 >  07 - 12", "", QString(60, u'-')};
}

} // namespace

class TestCheckMatch : public QObject {
    Q_OBJECT

private slots:
    void matchLine_data();
    void matchLine();
    void paddedEntries_data();
    void paddedEntries();
    void checkLines_data();
    void checkLines();
    void lastDrawBoxText_data();
    void lastDrawBoxText();
    void tiersNamed_data();
    void tiersNamed();
};

void TestCheckMatch::matchLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QString>("bonus");
    QTest::addColumn<bool>("includeBonus");
    QTest::addColumn<int>("hits");
    QTest::addColumn<bool>("bonusHit");
    QTest::addColumn<QString>("result");

    const QStringList winning{"05", "12", "23", "31", "40", "44"};
    QTest::newRow("worked example") << Example << winning << "07" << true << 3 << true
                                    << "07  12  23    (3 Number Hit)  (Bonus)";
    QTest::newRow("bonus not ticked")
        << Example << winning << "07" << false << 2 << false << "12  23    (2 Number Hit)";
    QTest::newRow("7 padded to 07")
        << Example << QStringList{"7"} << "" << false << 1 << false << "07    (1 Number Hit)";
    QTest::newRow("same number in two boxes")
        << Example << QStringList{"12", "35", "12"} << "" << false << 3 << false
        << "12  12  35    (3 Number Hit)";
    QTest::newRow("field is a main entry and the bonus")
        << Example << QStringList{"07"} << "07" << true << 2 << true
        << "07  07    (2 Number Hit)  (Bonus)";
    QTest::newRow("three-number line, empty boxes")
        << "3/49  >  07 - 12 - 19" << QStringList{"19", "07"} << "" << true << 2 << false
        << "07  19    (2 Number Hit)";
    QTest::newRow("no anchor") << "Version 1.01  07 - 12" << QStringList{"07", "12"} << "" << false
                               << 0 << false << "  (0 Number Hit)";
    QTest::newRow("first anchor counts") << "1/9  >  07 >  12" << QStringList{"07", "12"} << ""
                                         << false << 1 << false << "07    (1 Number Hit)";
    // Fields past the end read as blanks; two blanks typed in a box match every one of them.
    QTest::newRow("anchor far right")
        << QString(60, u'x') + ">  07" << QStringList{"07", "  "} << "" << false << 7 << false
        << "07" + QString(28, u' ') + "(7 Number Hit)";
    QTest::newRow("anchor in the last column") << "6/49  >" << QStringList{"00", "0", "7"} << ""
                                               << false << 0 << false << "  (0 Number Hit)";
    QTest::newRow("letters and NUL are plain text")
        << QStringLiteral("1/9  >  a") + QChar(0) + " - 05"
        << QStringList{QStringLiteral("a") + QChar(0), "5"} << "" << false << 2 << false
        << QStringLiteral("a") + QChar(0) + "  05    (2 Number Hit)";
}

void TestCheckMatch::matchLine() {
    QFETCH(QString, line);
    QFETCH(QStringList, numbers);
    QFETCH(QString, bonus);
    QFETCH(bool, includeBonus);
    QFETCH(int, hits);
    QFETCH(bool, bonusHit);
    QFETCH(QString, result);

    const MatchResult match = MatchLine(line, entriesOf(numbers, bonus), includeBonus);
    QCOMPARE(match.hits, hits);
    QCOMPARE(match.bonusHit, bonusHit);
    QCOMPARE(resultLine(match), result);
    // The whole check lists a line the same way.
    const QString listed =
        LineMatch::checkLines(banner() << line, entriesOf(numbers, bonus), 1, includeBonus)
            .text.section(u'\n', 0, 0);
    QCOMPARE(listed, hits > 0 ? result : QStringLiteral("No winning combinations found"));
}

void TestCheckMatch::paddedEntries_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("entry");

    QTest::newRow("empty") << ""
                           << ""
                           << "00";
    QTest::newRow("one digit") << "7"
                               << "07"
                               << "07";
    QTest::newRow("two digits") << "23"
                                << "23"
                                << "23";
    QTest::newRow("one letter") << "a"
                                << "0a"
                                << "0a";
    QTest::newRow("one blank") << " "
                               << "0 "
                               << "0 ";
    QTest::newRow("two blanks") << "  "
                                << "  "
                                << "  ";
}

void TestCheckMatch::paddedEntries() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, entry);
    QCOMPARE(paddedEntry(typed), shown);
    QCOMPARE(entryOf(paddedEntry(typed)), entry);
}

void TestCheckMatch::checkLines_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<QStringList>("expected");

    const QStringList saved = banner() << "6/49  >  01 - 02 - 03 - 04 - 05 - 06"
                                       << "no anchor 07 12 23" << Example
                                       << "6/49  >  12 - 20 - 22 - 30 - 40 - 49"
                                       << "3/49  >  05 - 06 - 07";
    QTest::newRow("minimum 3, one winner")
        << saved << 3
        << QStringList{"07  12  23    (3 Number Hit)  (Bonus)", "", "1 Winning line found"};
    QTest::newRow("minimum 1, every line with a hit")
        << saved << 1
        << QStringList{"05    (1 Number Hit)",
                       "07  12  23    (3 Number Hit)  (Bonus)",
                       "12  40    (2 Number Hit)",
                       "05  07    (2 Number Hit)  (Bonus)",
                       "",
                       "4 Winning combinations found!!!"};
    QTest::newRow("no winner") << saved << 4 << QStringList{"No winning combinations found"};
    QTest::newRow("banner only") << banner() << 1 << QStringList{"No winning combinations found"};
    QTest::newRow("fewer lines than the banner")
        << QStringList{"6/49  >  07"} << 1 << QStringList{"No winning combinations found"};
}

void TestCheckMatch::checkLines() {
    QFETCH(QStringList, lines);
    QFETCH(int, minimum);
    QFETCH(QStringList, expected);
    const auto result = LineMatch::checkLines(
        lines, entriesOf({"05", "12", "23", "31", "40", "44"}, "07"), minimum, true);
    QCOMPARE(result.text.split(u'\n'), expected);
}

void TestCheckMatch::lastDrawBoxText_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("box");

    QTest::newRow("stored below 10") << "  07"
                                     << "07";
    QTest::newRow("stored two digits") << "  45"
                                       << "45";
    QTest::newRow("zero") << "  00"
                          << "00";
    QTest::newRow("negative") << "  -5"
                              << "-5";
    QTest::newRow("three digits") << "  100"
                                  << "";
    QTest::newRow("not a number") << "  x7"
                                  << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestCheckMatch::lastDrawBoxText() {
    QFETCH(QString, cell);
    QFETCH(QString, box);
    QCOMPARE(LastDraw::boxText(cell), box);
}

// A second-drum game's lines name their tier; one that wins by its extra number alone is listed
// below the minimum, one that wins nothing is not.
void TestCheckMatch::tiersNamed_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QVector<int>>("extras");
    QTest::addColumn<QString>("result"); // "" when not listed
    const QString five = QStringLiteral("5/69  >  03 - 11 - 17 - 24 - 38");
    QTest::newRow("4 + 1") << five + "  +  12" << QVector<int>{12}
                           << "03  11  17  24    (4 Number Hit) + 1 extra: 4 + 1, 50,000";
    QTest::newRow("4 + 0") << five + "  +  13" << QVector<int>{12}
                           << "03  11  17  24    (4 Number Hit): 4 + 0, 100";
    QTest::newRow("a line without extras")
        << five << QVector<int>{12} << "03  11  17  24    (4 Number Hit): 4 + 0, 100";
    QTest::newRow("0 + 1 listed") << QStringLiteral("5/69  >  01 - 02 - 05 - 06 - 07  +  12")
                                  << QVector<int>{12} << "  (0 Number Hit) + 1 extra: 0 + 1, 4";
    QTest::newRow("1 + 0 not listed")
        << QStringLiteral("5/69  >  03 - 02 - 05 - 06 - 07  +  11") << QVector<int>{12} << "";
}

void TestCheckMatch::tiersNamed() {
    QFETCH(QString, line);
    QFETCH(QVector<int>, extras);
    QFETCH(QString, result);
    const GameRules rules = testgames::presetRules(testgames::Powerball);
    const auto checked = LineMatch::checkLines(TextLines::fromList(banner() << line),
                                               entriesOf({"03", "11", "17", "24", "44"}), 3, false,
                                               {&rules, extras});
    QCOMPARE(checked.winners, result.isEmpty() ? 0 : 1);
    if (!result.isEmpty())
        QCOMPARE(checked.text.section(u'\n', 0, 0), result);
}

QTEST_APPLESS_MAIN(TestCheckMatch)

#include "tst_checkmatch.moc"
