#include "filters/NumberFilter.h"

#include <QtTest>

using NumberFilter::BoxTexts;
using NumberFilter::List;
using NumberFilter::Slots;

Q_DECLARE_METATYPE(NumberFilter::List)

namespace {

// Slots 1..7 from a short list; missing ones are 0.
Slots numbers(const QList<int>& values) {
    Slots s{};
    for (int k = 0; k < values.size() && k < NumberFilter::BoxCount; ++k)
        s[k + 1] = values[k];
    return s;
}

BoxTexts boxes(const QStringList& texts) {
    BoxTexts b;
    for (int k = 0; k < texts.size() && k < NumberFilter::BoxCount; ++k)
        b[k + 1] = texts[k];
    return b;
}

QList<int> values(const Slots& s) {
    return QList<int>(s.begin() + 1, s.end());
}

QStringList texts(const BoxTexts& b) {
    return QStringList(b.begin() + 1, b.end());
}

const QString inExcluded = QStringLiteral("\r\n      in your Excluded numbers");
const QString inFavorites = QStringLiteral("\r\n      in your Favorite numbers");

} // namespace

class TestFilters : public QObject {
    Q_OBJECT

private slots:
    void excludedBoxCount_data();
    void excludedBoxCount();
    void favoriteBoxCount();
    void boxCountFollowsTheCurrentGame();
    void prefill();
    void use_data();
    void use();
    void useNeverTouchesTheOtherList();
    void clear();
};

void TestFilters::excludedBoxCount_data() {
    QTest::addColumn<int>("highest");
    QTest::addColumn<QList<int>>("byPick"); // boxes for pick 1..7

    QTest::newRow("H 9") << 9 << QList<int>{7, 7, 6, 5, 4, 3, 2};
    QTest::newRow("H 10") << 10 << QList<int>{7, 7, 7, 6, 5, 4, 3};
    QTest::newRow("H 11") << 11 << QList<int>{7, 7, 7, 7, 6, 5, 4};
    QTest::newRow("H 12") << 12 << QList<int>{7, 7, 7, 7, 7, 6, 5};
    QTest::newRow("H 13") << 13 << QList<int>{7, 7, 7, 7, 7, 7, 6};
    QTest::newRow("H 14") << 14 << QList<int>{7, 7, 7, 7, 7, 7, 7};
    QTest::newRow("H 99") << 99 << QList<int>{7, 7, 7, 7, 7, 7, 7};
}

void TestFilters::excludedBoxCount() {
    QFETCH(int, highest);
    QFETCH(QList<int>, byPick);
    for (int pick = 1; pick <= 7; ++pick) {
        QCOMPARE(NumberFilter::excludedBoxCount(pick, highest), byPick[pick - 1]);
        // Whatever is excluded, a line of `pick` numbers can still be drawn from 1..highest.
        QVERIFY(highest - NumberFilter::excludedBoxCount(pick, highest) >= pick);
    }
}

void TestFilters::favoriteBoxCount() {
    for (int pick = 1; pick <= 7; ++pick)
        QCOMPARE(NumberFilter::favoriteBoxCount(pick), pick);
    // A hand-edited settings file may give anything.
    QCOMPARE(NumberFilter::favoriteBoxCount(0), 0);
    QCOMPARE(NumberFilter::favoriteBoxCount(12), 7);
    QCOMPARE(NumberFilter::excludedBoxCount(6, -1), 0);
}

void TestFilters::boxCountFollowsTheCurrentGame() {
    TLotteryState state;
    state.PickCount = 6;
    state.RandomBound = 10; // highest 9
    state.DataRandom = 49;  // the loaded game does not count
    state.DataPick = 1;
    QCOMPARE(NumberFilter::boxCount(List::Favorites, state), 6);
    QCOMPARE(NumberFilter::boxCount(List::Excluded, state), 3);
}

void TestFilters::prefill() {
    const Slots s = numbers({7, 0, 23, 0, 0, 0, 45});
    QCOMPARE(texts(NumberFilter::prefillTexts(s, true)),
             (QStringList{"7", "", "23", "", "", "", "45"}));
    QCOMPARE(texts(NumberFilter::prefillTexts(s, false)), QStringList(7, QString()));
}

void TestFilters::use_data() {
    QTest::addColumn<List>("list");
    QTest::addColumn<QList<int>>("slotsBefore");
    QTest::addColumn<bool>("inForceBefore");
    QTest::addColumn<QList<int>>("otherSlots");
    QTest::addColumn<bool>("otherInForce");
    QTest::addColumn<QStringList>("boxTexts");
    QTest::addColumn<QList<int>>("slotsAfter");
    QTest::addColumn<bool>("inForceAfter");
    QTest::addColumn<QStringList>("textsAfter"); // empty list: unchanged
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<bool>("closes");

    const QList<int> none(7, 0);
    const auto F = List::Favorites;
    const auto E = List::Excluded;

    QTest::newRow("numbers taken")
        << F << none << false << none << false << QStringList{"3", "60"}
        << QList<int>{3, 60, 0, 0, 0, 0, 0} << true << QStringList{} << QStringList{} << true;
    QTest::newRow("all empty, not in force: nothing changes")
        << F << QList<int>{5, 9} << false << none << false << QStringList{}
        << QList<int>{5, 9, 0, 0, 0, 0, 0} << false << QStringList{} << QStringList{} << false;
    QTest::newRow("all emptied while in force: switched off")
        << F << QList<int>{5, 9} << true << none << false << QStringList{} << none << false
        << QStringList{} << QStringList{} << true;
    QTest::newRow("emptied box clears its slot")
        << F << QList<int>{5, 9, 11} << true << none << false << QStringList{"5", "", "11"}
        << QList<int>{5, 0, 11, 0, 0, 0, 0} << true << QStringList{} << QStringList{} << true;
    QTest::newRow("12 in two boxes")
        << F << QList<int>{4} << true << none << false << QStringList{"12", "", "", "12"} << none
        << false << QStringList{} << QStringList{"All numbers must be different"} << false;
    QTest::newRow("one message for several pairs")
        << E << none << false << none << false << QStringList{"1", "1", "2", "2"} << none << false
        << QStringList{} << QStringList{"All numbers must be different"} << false;
    QTest::newRow("00 counts as empty")
        << F << none << false << none << false << QStringList{"00", "5", "00", "0"}
        << QList<int>{0, 5, 0, 0, 0, 0, 0} << true << QStringList{} << QStringList{} << true;
    QTest::newRow("only 00, not in force")
        << F << none << false << none << false << QStringList{"00", "00"} << none << false
        << QStringList{} << QStringList{} << false;
    QTest::newRow("only 00 while in force")
        << F << QList<int>{8} << true << none << false << QStringList{"00"} << none << false
        << QStringList{} << QStringList{} << true;
    QTest::newRow("blank box is empty")
        << F << none << false << none << false << QStringList{" ", "7 "}
        << QList<int>{0, 7, 0, 0, 0, 0, 0} << true << QStringList{} << QStringList{} << true;
    QTest::newRow("unreadable box keeps the dialog open although later boxes hold numbers")
        << F << QList<int>{3} << true << none << false
        << QStringList{"x1", "17", "", "", "", "", "9"} << QList<int>{0, 17, 0, 0, 0, 0, 9} << false
        << QStringList{"00", "17", "", "", "", "", "9"} << QStringList{"x1 is not a valid number"}
        << false;
    QTest::newRow("every unreadable box reported")
        << E << none << false << none << false << QStringList{"a", "5", "1.", "", "", "", "+"}
        << QList<int>{0, 5, 0, 0, 0, 0, 0} << false
        << QStringList{"00", "5", "00", "", "", "", "00"}
        << QStringList{"a is not a valid number", "1. is not a valid number",
                       "+ is not a valid number"}
        << false;
    QTest::newRow("favourite also excluded")
        << F << none << false << QList<int>{0, 0, 7} << true << QStringList{"3", "7"}
        << QList<int>{3, 7, 0, 0, 0, 0, 0} << false << QStringList{}
        << QStringList{"You have already put number 7" + inExcluded} << false;
    QTest::newRow("first shared number reported once")
        << F << none << false << QList<int>{9, 0, 3} << true << QStringList{"3", "9"}
        << QList<int>{3, 9, 0, 0, 0, 0, 0} << false << QStringList{}
        << QStringList{"You have already put number 3" + inExcluded} << false;
    QTest::newRow("exclusions not in force are not compared")
        << F << none << false << QList<int>{7} << false << QStringList{"7"}
        << QList<int>{7, 0, 0, 0, 0, 0, 0} << true << QStringList{} << QStringList{} << true;
    QTest::newRow("excluded number that is a favourite")
        << E << none << false << QList<int>{0, 0, 0, 0, 0, 0, 40} << true << QStringList{"", "40"}
        << QList<int>{0, 40, 0, 0, 0, 0, 0} << false << QStringList{}
        << QStringList{"You have already put number 40" + inFavorites} << false;
    QTest::newRow("duplicates checked before the other list")
        << E << none << false << QList<int>{5} << true << QStringList{"5", "5"} << none << false
        << QStringList{} << QStringList{"All numbers must be different"} << false;
    QTest::newRow("out of the game's range kept")
        << F << none << false << none << false << QStringList{"60", "-1", "99"}
        << QList<int>{60, -1, 99, 0, 0, 0, 0} << true << QStringList{} << QStringList{} << true;
    QTest::newRow("hidden slot of a list in force kept through its prefilled box")
        << F << QList<int>{1, 0, 0, 0, 0, 0, 42} << true << none << false
        << QStringList{"2", "", "", "", "", "", "42"} << QList<int>{2, 0, 0, 0, 0, 0, 42} << true
        << QStringList{} << QStringList{} << true;
    QTest::newRow("stale slot of a list not in force is not revived")
        << F << QList<int>{0, 0, 0, 0, 0, 0, 42} << false << none << false << QStringList{"2"}
        << QList<int>{2, 0, 0, 0, 0, 0, 0} << true << QStringList{} << QStringList{} << true;
}

void TestFilters::use() {
    QFETCH(List, list);
    QFETCH(QList<int>, slotsBefore);
    QFETCH(bool, inForceBefore);
    QFETCH(QList<int>, otherSlots);
    QFETCH(bool, otherInForce);
    QFETCH(QStringList, boxTexts);
    QFETCH(QList<int>, slotsAfter);
    QFETCH(bool, inForceAfter);
    QFETCH(QStringList, textsAfter);
    QFETCH(QStringList, warnings);
    QFETCH(bool, closes);

    TLotteryState state;
    NumberFilter::slotsOf(state, list) = numbers(slotsBefore);
    NumberFilter::inForceOf(state, list) = inForceBefore;
    NumberFilter::slotsOf(state, NumberFilter::other(list)) = numbers(otherSlots);
    NumberFilter::inForceOf(state, NumberFilter::other(list)) = otherInForce;

    const BoxTexts before = boxes(boxTexts);
    const auto result = NumberFilter::use(list, state, before);

    QCOMPARE(values(result.numbers), slotsAfter);
    QCOMPARE(result.inForce, inForceAfter);
    QCOMPARE(texts(result.texts), textsAfter.isEmpty() ? texts(before) : textsAfter);
    QCOMPARE(result.warnings, warnings);
    QCOMPARE(result.closes, closes);
    // The dialog only closes on a list in force or one the user has just emptied.
    if (result.closes && !result.inForce)
        QCOMPARE(values(result.numbers), QList<int>(7, 0));

    NumberFilter::apply(state, list, result);
    QCOMPARE(values(NumberFilter::slotsOf(state, list)), slotsAfter);
    QCOMPARE(NumberFilter::inForceOf(state, list), inForceAfter);
}

void TestFilters::useNeverTouchesTheOtherList() {
    TLotteryState state;
    state.Favorites = numbers({7});
    state.UseFavorites = true;
    state.Excluded = numbers({7, 8});
    state.UseExcluded = true;
    NumberFilter::apply(state, List::Excluded,
                        NumberFilter::use(List::Excluded, state, boxes({"7", "8"})));
    QCOMPARE(values(state.Favorites), (QList<int>{7, 0, 0, 0, 0, 0, 0}));
    QVERIFY(state.UseFavorites);
    QVERIFY(!state.UseExcluded);
}

void TestFilters::clear() {
    TLotteryState state;
    state.Excluded = numbers({1, 2, 3, 4, 5, 6, 7});
    state.UseExcluded = true;
    state.Favorites = numbers({9});
    state.UseFavorites = true;
    NumberFilter::clear(state, List::Excluded);
    QCOMPARE(values(state.Excluded), QList<int>(7, 0));
    QVERIFY(!state.UseExcluded);
    QVERIFY(state.UseFavorites);
    QCOMPARE(state.Favorites[1], 9);
}

QTEST_MAIN(TestFilters)
#include "tst_filters.moc"
