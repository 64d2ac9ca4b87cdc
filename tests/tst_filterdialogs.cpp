#include "filters/Exclude.h"
#include "filters/Favorite.h"
#include "support/TestContext.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using NumberFilter::List;

Q_DECLARE_METATYPE(NumberFilter::List)

namespace {

// The main window's part in it: the label a dialog shows or hides.
struct Fixture {
    TestContext t;
    QWidget mainWindow;
    QLabel* const label = new QLabel(&mainWindow);
    std::unique_ptr<NumberFilterDialog> dialog;

    explicit Fixture(int pick = 6, int highest = 49) {
        t.state.PickCount = pick;
        t.state.LowNumber = 1;
        t.state.RandomBound = highest + 1;
        label->hide();
    }

    NumberFilterDialog& open(List list) {
        if (list == List::Favorites)
            dialog = std::make_unique<TForm3>(t.context, label, nullptr);
        else
            dialog = std::make_unique<TForm5>(t.context, label, nullptr);
        dialog->show();
        return *dialog;
    }

    QLineEdit* edit(int k) const {
        return dialog->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(k));
    }
    QPushButton* button(int k) const {
        return dialog->findChild<QPushButton*>(QStringLiteral("Button%1").arg(k));
    }
    void type(int k, const QString& text) const { QTest::keyClicks(edit(k), text); }
    void click(int k) const { QTest::mouseClick(button(k), Qt::LeftButton); }
    QStringList texts() const {
        QStringList all;
        for (int k = 1; k <= 7; ++k)
            all << edit(k)->text();
        return all;
    }
    bool labelShown() const { return !label->isHidden(); }
};

QList<int> values(const TLotteryState::Slots& s) {
    return QList<int>(s.begin() + 1, s.end());
}

} // namespace

class TestFilterDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void shownBoxes_data();
    void shownBoxes();
    void captionsAndHints_data();
    void captionsAndHints();
    void prefill();
    void useTakesTheNumbers_data();
    void useTakesTheNumbers();
    void useWithEmptyBoxes();
    void useAfterEmptyingEveryBox();
    void twelveInTwoBoxes();
    void numberInTheOtherList_data();
    void numberInTheOtherList();
    void doubleZeroCountsAsEmpty();
    void unreadableBoxKeepsTheDialogOpen();
    void clearThenClose();
    void closing_data();
    void closing();
    void twoDigitsMoveOn_data();
    void twoDigitsMoveOn();
    void oneDigitStays();
    void tabMovesOnce();
    void everythingFits_data();
    void everythingFits();
};

// The program's font: the system's sans at 8 points.
void TestFilterDialogs::initTestCase() {
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
}

void TestFilterDialogs::shownBoxes_data() {
    QTest::addColumn<List>("list");
    QTest::addColumn<int>("pick");
    QTest::addColumn<int>("highest");
    QTest::addColumn<int>("shown");

    QTest::newRow("favourites pick 6") << List::Favorites << 6 << 49 << 6;
    QTest::newRow("favourites pick 1") << List::Favorites << 1 << 49 << 1;
    QTest::newRow("favourites pick 7") << List::Favorites << 7 << 9 << 7;
    QTest::newRow("excluded H 9 pick 6") << List::Excluded << 6 << 9 << 3;
    QTest::newRow("excluded H 12 pick 7") << List::Excluded << 7 << 12 << 5;
    QTest::newRow("excluded H 49 pick 6") << List::Excluded << 6 << 49 << 7;
}

void TestFilterDialogs::shownBoxes() {
    QFETCH(List, list);
    QFETCH(int, pick);
    QFETCH(int, highest);
    QFETCH(int, shown);
    Fixture f(pick, highest);
    f.open(list);
    for (int k = 1; k <= 7; ++k)
        QCOMPARE(f.edit(k)->isVisible(), k <= shown);
}

void TestFilterDialogs::captionsAndHints_data() {
    QTest::addColumn<List>("list");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("hints");

    QTest::newRow("favourites")
        << List::Favorites << "Enter Favorite Numbers"
        << QStringList{"|Use the above numbers. They will always appear in your lines",
                       "|Clear Favorite numbers", "|Close Favorite selection box"};
    QTest::newRow("excluded")
        << List::Excluded << "Enter Excluded Numbers"
        << QStringList{"|Use the selected Excluded numbers. They will never appear in your lines",
                       "|Clear Excluded numbers", "|Close Excluded selection box"};
}

void TestFilterDialogs::captionsAndHints() {
    QFETCH(List, list);
    QFETCH(QString, caption);
    QFETCH(QStringList, hints);
    Fixture f;
    auto& dialog = f.open(list);
    QCOMPARE(dialog.windowTitle(), caption);
    QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowSystemMenuHint));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    const QStringList captions{"&Use", "&Clear", "Cl&ose"};
    for (int k = 1; k <= 3; ++k) {
        QCOMPARE(f.button(k)->text(), captions[k - 1]);
        QCOMPARE(f.button(k)->statusTip(), hints[k - 1]);
        QVERIFY(f.button(k)->toolTip().isEmpty());
    }
    for (int k = 1; k <= 7; ++k)
        QCOMPARE(f.edit(k)->maxLength(), 2);
}

void TestFilterDialogs::prefill() {
    Fixture f(6);
    f.t.state.Favorites = {0, 7, 0, 23, 0, 0, 0, 45};
    f.t.state.UseFavorites = true;
    f.t.state.Excluded = {0, 4, 5};
    f.t.state.UseExcluded = false;

    f.open(List::Favorites);
    QCOMPARE(f.texts(), (QStringList{"7", "", "23", "", "", "", "45"})); // box 7 hidden
    f.open(List::Excluded);
    QCOMPARE(f.texts(), QStringList(7, QString()));
}

void TestFilterDialogs::useTakesTheNumbers_data() {
    QTest::addColumn<List>("list");
    QTest::newRow("favourites") << List::Favorites;
    QTest::newRow("excluded") << List::Excluded;
}

void TestFilterDialogs::useTakesTheNumbers() {
    QFETCH(List, list);
    Fixture f;
    f.open(list);
    f.type(1, QStringLiteral("3"));
    f.type(2, QStringLiteral("60"));
    f.type(5, QStringLiteral("7"));
    f.click(1);

    QVERIFY(f.t.dialogs.warnings.isEmpty());
    QCOMPARE(values(NumberFilter::slotsOf(f.t.state, list)), (QList<int>{3, 60, 0, 0, 7, 0, 0}));
    QVERIFY(NumberFilter::inForceOf(f.t.state, list));
    QVERIFY(!NumberFilter::inForceOf(f.t.state, NumberFilter::other(list)));
    QVERIFY(f.labelShown());
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.dialog->result(), int(QDialog::Accepted));

    // Opened again, it shows what is in force.
    f.open(list);
    QCOMPARE(f.texts(), (QStringList{"3", "60", "", "", "7", "", ""}));
}

void TestFilterDialogs::useWithEmptyBoxes() {
    Fixture f;
    f.t.state.Favorites = {0, 0, 0, 0, 0, 0, 0, 30}; // left over, not in force
    f.open(List::Favorites);
    f.click(1);
    QVERIFY(f.dialog->isVisible());
    QVERIFY(f.t.dialogs.warnings.isEmpty());
    QVERIFY(!f.t.state.UseFavorites);
    QCOMPARE(f.t.state.Favorites[7], 30);
    QVERIFY(!f.labelShown());
}

void TestFilterDialogs::useAfterEmptyingEveryBox() {
    Fixture f(2);
    f.t.state.Favorites = {0, 8, 9};
    f.t.state.UseFavorites = true;
    f.label->show();
    f.open(List::Favorites);
    for (int k = 1; k <= 2; ++k) {
        f.edit(k)->selectAll();
        QTest::keyClick(f.edit(k), Qt::Key_Backspace);
    }
    QCOMPARE(f.texts(), QStringList(7, QString()));
    f.click(1);
    QVERIFY(!f.dialog->isVisible());
    QVERIFY(!f.t.state.UseFavorites);
    QCOMPARE(values(f.t.state.Favorites), QList<int>(7, 0));
    QVERIFY(!f.labelShown());
}

void TestFilterDialogs::twelveInTwoBoxes() {
    Fixture f;
    f.open(List::Favorites);
    f.type(1, QStringLiteral("12"));
    f.type(4, QStringLiteral("12"));
    f.click(1);
    QCOMPARE(f.t.dialogs.warnings, QStringList{"All numbers must be different"});
    QVERIFY(f.dialog->isVisible());
    QVERIFY(!f.t.state.UseFavorites);
    QCOMPARE(values(f.t.state.Favorites), QList<int>(7, 0));
    QCOMPARE(f.texts(), (QStringList{"12", "", "", "12", "", "", ""}));
    QVERIFY(!f.labelShown());

    f.click(1);
    QCOMPARE(f.t.dialogs.warnings, QStringList(2, "All numbers must be different"));
    QVERIFY(f.dialog->isVisible());
}

void TestFilterDialogs::numberInTheOtherList_data() {
    QTest::addColumn<List>("list");
    QTest::addColumn<QString>("message");
    QTest::newRow("favourite also excluded")
        << List::Favorites << "You have already put number 7\r\n      in your Excluded numbers";
    QTest::newRow("excluded also a favourite")
        << List::Excluded << "You have already put number 7\r\n      in your Favorite numbers";
}

void TestFilterDialogs::numberInTheOtherList() {
    QFETCH(List, list);
    QFETCH(QString, message);
    Fixture f;
    NumberFilter::slotsOf(f.t.state, NumberFilter::other(list)) = {0, 0, 7};
    NumberFilter::inForceOf(f.t.state, NumberFilter::other(list)) = true;
    f.open(list);
    f.type(1, QStringLiteral("3"));
    f.type(2, QStringLiteral("7"));
    f.click(1);
    QCOMPARE(f.t.dialogs.warnings, QStringList{message});
    QVERIFY(f.dialog->isVisible());
    QVERIFY(!NumberFilter::inForceOf(f.t.state, list));
    QCOMPARE(values(NumberFilter::slotsOf(f.t.state, list)), (QList<int>{3, 7, 0, 0, 0, 0, 0}));
    QCOMPARE(f.texts(), (QStringList{"3", "7", "", "", "", "", ""}));
    QVERIFY(NumberFilter::inForceOf(f.t.state, NumberFilter::other(list)));
}

void TestFilterDialogs::doubleZeroCountsAsEmpty() {
    Fixture f;
    f.open(List::Excluded);
    f.type(1, QStringLiteral("00"));
    f.type(2, QStringLiteral("00"));
    f.type(3, QStringLiteral("5"));
    f.click(1);
    QVERIFY(f.t.dialogs.warnings.isEmpty());
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(values(f.t.state.Excluded), (QList<int>{0, 0, 5, 0, 0, 0, 0}));
    QVERIFY(f.t.state.UseExcluded);
}

void TestFilterDialogs::unreadableBoxKeepsTheDialogOpen() {
    Fixture f;
    f.t.state.Favorites = {0, 4};
    f.t.state.UseFavorites = true;
    f.label->show();
    f.open(List::Favorites);
    f.edit(1)->clear();
    f.type(1, QStringLiteral("a"));
    f.type(6, QStringLiteral("9"));
    f.click(1);
    QCOMPARE(f.t.dialogs.warnings, QStringList{"a is not a valid number"});
    QVERIFY(f.dialog->isVisible());
    QCOMPARE(f.edit(1)->text(), QStringLiteral("00"));
    QVERIFY(!f.t.state.UseFavorites);
    QVERIFY(!f.labelShown());

    // "00" now reads as an empty box.
    f.click(1);
    QCOMPARE(f.t.dialogs.warnings.size(), 1);
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(values(f.t.state.Favorites), (QList<int>{0, 0, 0, 0, 0, 9, 0}));
    QVERIFY(f.labelShown());
}

void TestFilterDialogs::clearThenClose() {
    Fixture f(4);
    f.t.state.Favorites = {0, 1, 2, 3, 4, 5, 6, 7};
    f.t.state.UseFavorites = true;
    f.label->show();
    f.open(List::Favorites);
    f.click(2);
    QVERIFY(f.dialog->isVisible());
    QCOMPARE(f.texts(), QStringList(7, QString()));
    QVERIFY(!f.labelShown());
    f.click(3);
    QVERIFY(!f.dialog->isVisible());
    QVERIFY(!f.t.state.UseFavorites);
    QCOMPARE(values(f.t.state.Favorites), QList<int>(7, 0));
    QVERIFY(!f.labelShown());
}

void TestFilterDialogs::closing_data() {
    QTest::addColumn<bool>("inForce");
    QTest::addColumn<bool>("escape");
    QTest::newRow("Close, list in force") << true << false;
    QTest::newRow("Close, list off") << false << false;
    QTest::newRow("Escape, list in force") << true << true;
    QTest::newRow("Escape, list off") << false << true;
}

// Nothing is read from the boxes; the label follows the flag.
void TestFilterDialogs::closing() {
    QFETCH(bool, inForce);
    QFETCH(bool, escape);
    Fixture f;
    f.t.state.Excluded = {0, 13};
    f.t.state.UseExcluded = inForce;
    f.label->show();
    f.open(List::Excluded);
    f.edit(1)->setText(QStringLiteral("99"));
    if (escape)
        QTest::keyClick(f.edit(1), Qt::Key_Escape);
    else
        f.click(3);
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.t.state.UseExcluded, inForce);
    QCOMPARE(f.t.state.Excluded[1], 13);
    QCOMPARE(f.labelShown(), inForce);
}

void TestFilterDialogs::twoDigitsMoveOn_data() {
    QTest::addColumn<List>("list");
    QTest::addColumn<int>("pick");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("next");

    QTest::newRow("favourites 1 -> 2") << List::Favorites << 7 << 1 << "Edit2";
    QTest::newRow("favourites 6 -> 7") << List::Favorites << 7 << 6 << "Edit7";
    QTest::newRow("favourites 7 -> Use") << List::Favorites << 7 << 7 << "Button1";
    QTest::newRow("favourites pick 3: hidden boxes skipped")
        << List::Favorites << 3 << 3 << "Button1";
    QTest::newRow("excluded 5 -> 6") << List::Excluded << 6 << 5 << "Edit6";
    QTest::newRow("excluded 6 -> Use") << List::Excluded << 6 << 6 << "Button1";
    QTest::newRow("excluded 7 -> 1") << List::Excluded << 6 << 7 << "Edit1";
}

void TestFilterDialogs::twoDigitsMoveOn() {
    QFETCH(List, list);
    QFETCH(int, pick);
    QFETCH(int, box);
    QFETCH(QString, next);
    Fixture f(pick);
    auto& dialog = f.open(list);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    f.edit(box)->setFocus();
    f.type(box, QStringLiteral("12"));
    QCOMPARE(f.edit(box)->text(), QStringLiteral("12"));
    QVERIFY(dialog.focusWidget());
    QCOMPARE(dialog.focusWidget()->objectName(), next);
}

void TestFilterDialogs::oneDigitStays() {
    Fixture f;
    auto& dialog = f.open(List::Favorites);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    f.edit(2)->setFocus();
    f.type(2, QStringLiteral("4"));
    QCOMPARE(dialog.focusWidget(), f.edit(2));
    // A third key in a full box changes nothing and keeps the focus where it is.
    f.edit(3)->setFocus();
    f.edit(3)->setText(QStringLiteral("45"));
    f.type(3, QStringLiteral("6"));
    QCOMPARE(f.edit(3)->text(), QStringLiteral("45"));
    QCOMPARE(dialog.focusWidget(), f.edit(3));
}

void TestFilterDialogs::tabMovesOnce() {
    Fixture f;
    auto& dialog = f.open(List::Favorites);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    f.edit(1)->setFocus();
    f.type(1, QStringLiteral("4"));
    QTest::keyClick(f.edit(1), Qt::Key_Tab);
    QCOMPARE(dialog.focusWidget(), f.edit(2));
    QTest::keyClick(f.edit(2), Qt::Key_Shift);
    QCOMPARE(dialog.focusWidget(), f.edit(2));
}

void TestFilterDialogs::everythingFits_data() {
    useTakesTheNumbers_data();
}

// Every caption and two digits fit their controls at the program's font; with
// BALLMERE_SCREENSHOTS set to a folder the dialogs are saved there for a look.
void TestFilterDialogs::everythingFits() {
    QFETCH(List, list);
    Fixture f(7);
    auto& dialog = f.open(list);
    for (int k = 1; k <= 7; ++k)
        f.edit(k)->setText(QStringLiteral("88"));
    for (int k = 1; k <= 3; ++k) {
        QPushButton* const button = f.button(k);
        QVERIFY(dialog.rect().contains(button->geometry()));
        const QString caption = QString(button->text()).remove(u'&');
        QVERIFY(button->fontMetrics().horizontalAdvance(caption) + 16 <= button->width());
        QVERIFY(button->fontMetrics().height() + 6 <= button->height());
    }
    for (int k = 1; k <= 7; ++k) {
        QLineEdit* const edit = f.edit(k);
        QVERIFY(dialog.rect().contains(edit->geometry()));
        QVERIFY(edit->fontMetrics().horizontalAdvance(edit->text()) + 8 <= edit->width());
        QVERIFY(edit->fontMetrics().height() + 4 <= edit->height());
        if (k > 1)
            QCOMPARE(edit->y(), f.edit(1)->y());
    }
    const QString folder = qEnvironmentVariable("BALLMERE_SCREENSHOTS");
    if (!folder.isEmpty())
        QVERIFY(dialog.grab().save(QDir(folder).filePath(dialog.objectName() + ".png")));
}

QTEST_MAIN(TestFilterDialogs)

#include "tst_filterdialogs.moc"
