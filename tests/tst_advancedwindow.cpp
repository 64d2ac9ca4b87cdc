#include "advanced/Advanced.h"
#include "advanced/ListOdds.h"
#include "advanced/ListOddsLabel.h"
#include "support/GameRulesFixture.h"
#include "wheels/WheelPrizes.h"
#include "stats/Stats.h"
#include "support/TestContext.h"
#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QtTest>
#include <memory>

using testfiles::child;

namespace {

using Numbers = QList<int>;

// The main window's game, favourites, exclusions and loaded database, and the two controls of
// the main window the picker touches.
struct Fixture {
    TestContext t;
    QLabel gameLabel{QStringLiteral("Pick 6 numbers from 1 - 49 inclusive")};
    QSpinBox lowNumber;
    std::unique_ptr<TForm9> window;

    Fixture() {
        t.state.PickCount = 6;
        t.state.LowNumber = 1;
        t.state.RandomBound = 50;
        t.clock.advancePerRead = 1;
        lowNumber.setRange(1, 90);
    }

    // A pick-6 database of 1..highest whose numbers were drawn counts[n - 1] times, six numbers
    // to a row; `draws` rows at least.
    void loadDatabase(const Numbers& counts, int draws = 10, int highest = 49) {
        t.table.SetHeader(6, true);
        Numbers flat;
        for (int n = 1; n <= counts.size(); ++n)
            flat += Numbers(counts[n - 1], n);
        const int rows = qMax(draws, int(flat.size() + 5) / 6);
        t.table.SetRowCount(qMax(TDrawTable::MinRowCount, rows + 1));
        for (int row = 1; row <= rows; ++row) {
            t.table.SetCellText(0, row, QStringLiteral(" 01/01/99"));
            for (int column = 1; column <= 6 && !flat.isEmpty(); ++column)
                t.table.SetCellText(
                    column, row, QStringLiteral("  %1").arg(flat.takeFirst(), 2, 10, QChar('0')));
        }
        t.state.DatabaseLoaded = true;
        t.state.DataPick = 6;
        t.state.DataRandom = highest;
        t.state.DataTotalDraws = rows;
    }

    TForm9& open() {
        window = std::make_unique<TForm9>(t.context, &gameLabel, &lowNumber);
        window->show();
        return *window;
    }

    template <typename T> T* get(const char* name) const { return child<T>(*window, name); }
    QPushButton* button(int n) const {
        return window->findChild<QPushButton*>(QStringLiteral("Button%1").arg(n));
    }
    QSpinBox* spin(int n) const {
        return window->findChild<QSpinBox*>(QStringLiteral("SpinEdit%1").arg(n));
    }
    QString edit(const char* name) const { return get<QLineEdit>(name)->text(); }
    QString label(const char* name) const { return get<QLabel>(name)->text(); }
    QStringList generated() const { return window->listLines().mid(4); }
    // Buttons 1..8 that are enabled, e.g. "3458".
    QString enabledButtons() const {
        QString enabled;
        for (int n : {1, 2, 3, 4, 5, 6, 8})
            if (button(n)->isEnabled())
                enabled += QString::number(n);
        return enabled;
    }
    void quick(const QString& count) {
        QLineEdit* edit = get<QLineEdit>("Edit10");
        edit->clear();
        QTest::keyClicks(edit, count);
        window->Button2Click();
    }
    void statistics(const QString& count, const Numbers& choice) {
        for (int n = 1; n <= 4; ++n)
            spin(n)->setValue(choice.value(n - 1));
        get<QLineEdit>("Edit1")->setText(count);
        window->Button1Click();
    }
};

// 8 numbers drawn 10 times, 33 drawn 3 times and 8 never: 8 hot, 33 average, 8 cold.
Numbers threeClasses() {
    return Numbers(8, 10) + Numbers(33, 3) + Numbers(8, 0);
}

Numbers numbersOf(const QString& line) {
    Numbers numbers;
    for (const QString& field : line.section(QLatin1String("  >  "), 1).split(QLatin1String(" - ")))
        numbers << field.toInt();
    return numbers;
}

} // namespace

class TestAdvancedWindow : public QObject {
    Q_OBJECT

private slots:
    void captionsFit_data();
    void captionsFit();
    void opening();
    void quickCount_data();
    void quickCount();
    void quickFilters();
    void statsAfterAQuickBatch();
    void expectedHitsFollowTheList();
    void oddsWording_data();
    void oddsWording();
    void oddsOfTheList();
    void batchLetsTheWindowPaint();
    void rangeGuard();
    void editingAfterABatch();
    void saveClearPrint();
    void statisticsGroup_data();
    void statisticsGroup();
    void spinEditsCountThePicks();
    void statisticsBatch();
    void statisticsCount_data();
    void statisticsCount();
    void impossibleLinesStopTheBatch();
    void statsOnTop();
    void screenshots();
};

void TestAdvancedWindow::captionsFit_data() {
    QTest::addColumn<bool>("database");
    QTest::newRow("no database") << false;
    QTest::newRow("database") << true;
}

void TestAdvancedWindow::captionsFit() {
    QFETCH(bool, database);
    Fixture f;
    if (database)
        f.loadDatabase(threeClasses());
    TForm9& window = f.open();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->wordWrap())
            QVERIFY(label->heightForWidth(label->width()) <= label->height());
        else
            QVERIFY2(label->sizeHint().width() <= label->width() &&
                         label->sizeHint().height() <= label->height(),
                     qPrintable(label->objectName()));
    }
    // A push button's size hint has a floor of its own; its caption needs a few pixels of room.
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        const int needed =
            qobject_cast<QPushButton*>(button)
                ? button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width() + 8
                : button->sizeHint().width();
        QVERIFY2(needed <= button->width(), qPrintable(button->objectName()));
    }
    // Hints go to the status bar; the odds line's tool tip is the one exception.
    for (QWidget* w : window.findChildren<QWidget*>())
        QVERIFY2(w->toolTip().isEmpty() || w->objectName() == QLatin1String("OddsLabel"),
                 qPrintable(w->objectName()));
}

void TestAdvancedWindow::opening() {
    Fixture f;
    TForm9& window = f.open();
    QCOMPARE(window.windowTitle(), QStringLiteral("Advanced picking of numbers"));
    QCOMPARE(window.size(), QSize(500, 387 + 30)); // and the line of expected hits
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(f.label("Label8"), QStringLiteral("Pick 6 numbers from 1 - 49 inclusive"));
    QCOMPARE(f.label("Label7"), QStringLiteral("0 Picks Left"));
    QCOMPARE(f.enabledButtons(), QStringLiteral("8"));
    QCOMPARE(window.listLines().size(), 4);
    QCOMPARE(f.get<QLineEdit>("Edit10")->maxLength(), 3);

    // Hints go to this window's status bar while it is open, and back when it closes.
    f.t.hints.handler()(QStringLiteral("Print the above draws"));
    QCOMPARE(f.get<QStatusBar>("StatusBar1")->currentMessage(),
             QStringLiteral("Print the above draws"));
    f.window.reset();
    QVERIFY(!f.t.hints.handler());
}

void TestAdvancedWindow::quickCount_data() {
    QTest::addColumn<int>("pick");
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("edit10After");
    QTest::addColumn<QString>("enabledAfter");
    const QString range = QStringLiteral("Must be a number between 1 - 100");
    const QString pick1 = QStringLiteral("Sorry!! This feature is not available for Pick 1 games");
    QTest::newRow("100") << 6 << "100" << 100 << QStringList{} << "100"
                         << "3458";
    QTest::newRow("1 of 7") << 7 << "1" << 1 << QStringList{} << "1"
                            << "3458";
    QTest::newRow("101") << 6 << "101" << 0 << QStringList{range} << ""
                         << "8";
    QTest::newRow("letters") << 6 << "abc" << 0 << QStringList{range} << ""
                             << "8";
    QTest::newRow("1e2") << 6 << "1e2" << 0 << QStringList{range} << ""
                         << "8";
    QTest::newRow("0: nothing said") << 6 << "0" << 0 << QStringList{} << "0"
                                     << "8";
    QTest::newRow("-3: nothing said") << 6 << "-3" << 0 << QStringList{} << "-3"
                                      << "8";
    QTest::newRow("pick 1") << 1 << "5" << 0 << QStringList{pick1} << "5"
                            << "8";
    QTest::newRow("pick 1, letters") << 1 << "x" << 0 << QStringList{range, pick1} << ""
                                     << "8";
}

void TestAdvancedWindow::quickCount() {
    QFETCH(int, pick);
    QFETCH(QString, count);
    QFETCH(int, lines);
    QFETCH(QStringList, messages);
    QFETCH(QString, edit10After);
    QFETCH(QString, enabledAfter);
    Fixture f;
    f.t.state.PickCount = pick;
    f.open();
    f.quick(count);
    QCOMPARE(f.t.dialogs.warnings, messages);
    QCOMPARE(f.generated().size(), lines);
    QCOMPARE(f.edit("Edit10"), edit10After);
    QCOMPARE(f.enabledButtons(), enabledAfter);
    QCOMPARE(f.get<QPlainTextEdit>("Memo2")->toPlainText().split(u'\n'), f.window->listLines());
    const QString prefix = QStringLiteral("%1/49  >  ").arg(pick);
    for (const QString& line : f.generated()) {
        QVERIFY(line.startsWith(prefix));
        QCOMPARE(numbersOf(line).size(), pick);
    }
    if (lines > 0) {
        QCOMPARE(f.get<QProgressBar>("ProgressBar1")->maximum(), lines);
        QCOMPARE(f.get<QProgressBar>("ProgressBar1")->value(), lines);
    }
}

// A quick batch opens the way to the statistics whenever a database is loaded, however few
// draws it holds; the hot / average / cold group still needs ten.
void TestAdvancedWindow::statsAfterAQuickBatch() {
    Fixture f;
    f.loadDatabase(Numbers(49, 0), 3);
    f.open();
    QVERIFY(!f.button(6)->isEnabled());
    f.quick(QStringLiteral("2"));
    QCOMPARE(f.enabledButtons(), QStringLiteral("34568"));
    QVERIFY(!f.get<QLineEdit>("Edit1")->isEnabled());
}

// The odds line says "working…" while the list's chances are worked out, its tool tip counts
// the expected hits among the list's lines, and both go with the lines on Clear. Closing the
// window does not wait for the sum over every draw of 6 from 49.
void TestAdvancedWindow::expectedHitsFollowTheList() {
    Fixture f;
    f.open();
    QCOMPARE(f.label("OddsLabel"), QString());
    f.quick(QStringLiteral("100"));
    QCOMPARE(f.label("OddsLabel"), QStringLiteral("Chances for these 100 lines: working…"));
    QCOMPARE(f.get<QLabel>("OddsLabel")->toolTip(),
             QStringLiteral("Expected among 100 lines: 6 hits 0.00000715, "
                            "5 hits 0.00184, 4 hits 0.0969, 3 hits 1.77"));
    f.window->Button3Click();
    QCOMPARE(f.label("OddsLabel"), QString());
    QCOMPARE(f.get<QLabel>("OddsLabel")->toolTip(), QString());
    QVERIFY(f.get<QPushButton>("WheelsButton")->isEnabled());

    f.quick(QStringLiteral("100"));
    QElapsedTimer closing;
    closing.start();
    f.window.reset();
    QVERIFY2(closing.elapsed() < 2000, qPrintable(QString::number(closing.elapsed())));
}

void TestAdvancedWindow::oddsWording_data() {
    QTest::addColumn<double>("chance");
    QTest::addColumn<QString>("wording");
    QTest::newRow("a hundred lines of 6 from 49") << 100.0 / 13'983'816 << "1 in 139,838";
    QTest::newRow("1 in 100, whole from there") << 0.01 << "1 in 100";
    QTest::newRow("just above 1 in 100: three figures") << 1 / 99.9 << "1 in 99.9";
    QTest::newRow("1 in 10.8") << 1 / 10.8 << "1 in 10.8";
    QTest::newRow("just under 1 in 10") << 1 / 9.99 << "1 in 9.99";
    QTest::newRow("just under a half") << 0.4999 << "1 in 2.00";
    QTest::newRow("a half: percent from here") << 0.5 << "50 %";
    QTest::newRow("83 %") << 0.8312 << "83 %";
    QTest::newRow("99.4 %") << 0.994 << "99 %";
    QTest::newRow("not certain never reads 100 %") << 0.9996 << "over 99 %";
    QTest::newRow("certain") << 1.0 << "100 %";
    QTest::newRow("impossible") << 0.0 << "none";
}

void TestAdvancedWindow::oddsWording() {
    QFETCH(double, chance);
    QFETCH(QString, wording);
    QCOMPARE(chanceWording(chance), wording);
}

// A small game, whose exact odds come at once: the label shows them on one line, with "about"
// only where an estimate stands in for the exact sum.
void TestAdvancedWindow::oddsOfTheList() {
    Fixture f;
    f.t.state.PickCount = 3;
    f.t.state.RandomBound = 10;
    f.open();
    f.quick(QStringLiteral("5"));
    QVector<QVector<int>> lines;
    for (const QString& line : f.generated())
        lines << numbersOf(line);
    const SetOdds odds = ComputeSetOdds(lines, 3, 9);
    QVERIFY(!odds.estimated);
    QTRY_COMPARE(f.label("OddsLabel"), listOddsText(odds, 5, 3));
    QVERIFY(f.label("OddsLabel")
                .startsWith(QLatin1String("Chance that one of these 5 lines has "
                                          "3 hits: 1 in ")));
    QLabel* label = f.get<QLabel>("OddsLabel");
    QVERIFY(!label->wordWrap());
    QVERIFY(label->sizeHint().width() <= label->width());

    // With the loaded game's rules, the chance of any prize and the lines' expected return
    // follow the chances of hits.
    QLabel prizes;
    ListOddsLabel withRules(&prizes);
    const GameRules rules = testgames::rulesOf(
        ExtraKind::None, 0, 0, {testgames::tier(3, 0, 1000), testgames::tier(2, 0, 100)});
    withRules.show(lines, 3, 9, rules);
    QTRY_VERIFY(!withRules.working());
    const QStringList rows =
        PrizeRows(rules, 3, 9, 5, AnyPrizeChance(rules, 3, odds, {}, false, {}));
    QVERIFY(rows.value(0).startsWith(QLatin1String("Any prize on these 5 lines: 1 in ")));
    QCOMPARE(prizes.text(), QStringList({listOddsText(odds, 5, 3), rows[0], rows[1]})
                                .join(QStringLiteral(" · ")));

    SetOdds estimate;
    estimate.estimated = true;
    estimate.atLeast = {1, 1, 0.9, 0.5, 0.003, 1.8e-5, 7.2e-6};
    estimate.standardError = {0, 0.001, 0.001, 0.001, 0.0001, 0.00001, 0};
    QCOMPARE(listOddsText(estimate, 100, 6),
             QStringLiteral("Chance that one of these 100 lines has 6 hits: 1 in 138,889 · "
                            "5 hits: about 1 in 55,556 · 4 hits: about 1 in 333 · "
                            "3 hits: about 50 %"));
    estimate.atLeast[1] = 0.3;
    QCOMPARE(listOddsText(estimate, 1, 1), QStringLiteral("Chance that this line has 1 hit: "
                                                          "about 1 in 3.33"));
}

// The boxes refuse to tick with nothing in force, and pass the main window's lists on.
void TestAdvancedWindow::quickFilters() {
    Fixture f;
    f.open();
    QCheckBox* favourites = f.get<QCheckBox>("CheckBox1");
    QCheckBox* excluded = f.get<QCheckBox>("CheckBox2");
    QTest::mouseClick(favourites, Qt::LeftButton);
    QTest::mouseClick(excluded, Qt::LeftButton);
    QCOMPARE(f.t.dialogs.warnings, (QStringList{"There are no Favorite numbers selected",
                                                "There are no Excluded numbers selected"}));
    QVERIFY(!favourites->isChecked() && !excluded->isChecked());

    f.t.state.UseFavorites = f.t.state.UseExcluded = true;
    f.t.state.Favorites = {0, 7, 12, 0, 0, 0, 0, 0};
    f.t.state.Excluded = {0, 1, 2, 3, 4, 5, 6, 8};
    f.t.state.RandomBound = 16;
    QTest::mouseClick(favourites, Qt::LeftButton);
    QTest::mouseClick(excluded, Qt::LeftButton);
    QVERIFY(favourites->isChecked() && excluded->isChecked());
    f.quick(QStringLiteral("20"));
    QCOMPARE(f.t.dialogs.warnings.size(), 2);
    QCOMPARE(f.generated().size(), 20);
    for (const QString& line : f.generated()) {
        const Numbers numbers = numbersOf(line);
        QVERIFY2(numbers.contains(7) && numbers.contains(12) && numbers.first() == 7 &&
                     !numbers.contains(8),
                 qPrintable(line));
    }
}

// Timers and repaints run between lines; clicks wait, and the window will not close meanwhile.
void TestAdvancedWindow::batchLetsTheWindowPaint() {
    Fixture f;
    TForm9& window = f.open();
    QTest::keyClicks(f.get<QLineEdit>("Edit10"), QStringLiteral("30"));
    int progress = -1;
    bool closed = true;
    QTimer::singleShot(0, &window, [&] {
        progress = f.get<QProgressBar>("ProgressBar1")->value();
        closed = window.close();
    });
    window.Button2Click();
    QCOMPARE(progress, 1);
    QVERIFY(!closed);
    QCOMPARE(f.generated().size(), 30);
    QVERIFY(window.isVisible());
}

void TestAdvancedWindow::rangeGuard() {
    Fixture f;
    f.t.state.LowNumber = 46;
    f.lowNumber.setValue(46);
    f.open();
    f.quick(QStringLiteral("3"));
    QCOMPARE(f.t.state.LowNumber, 1);
    QCOMPARE(f.lowNumber.value(), 1);
    QCOMPARE(f.label("Label8"), QStringLiteral("Pick 6 numbers from 1 - 49 inclusive"));
    QCOMPARE(f.generated().size(), 3);
}

void TestAdvancedWindow::editingAfterABatch() {
    Fixture f;
    f.open();
    f.quick(QStringLiteral("2"));
    QTest::keyClicks(f.get<QLineEdit>("Edit10"), QStringLiteral("12"));
    QCOMPARE(f.t.dialogs.warnings, QStringList(2, "Please Save then Clear your draws"));
    QVERIFY(!f.button(2)->isEnabled());
    QCOMPARE(f.generated().size(), 2);
}

void TestAdvancedWindow::saveClearPrint() {
    Fixture f;
    f.open();
    f.quick(QStringLiteral("3"));
    const QString path = f.t.path(QStringLiteral("picks"));
    f.t.dialogs.fileAnswers << path;
    f.window->Button4Click();
    const FileDialogOptions options = f.t.dialogs.fileDialogs.value(0);
    QCOMPARE(options.title, QStringLiteral("Save Ballmere Pro Check File"));
    QCOMPARE(options.defaultExtension, QStringLiteral("bmc"));
    QCOMPARE(options.initialName, QStringLiteral("Ballmere"));
    QVERIFY(options.confirmOverwrite && options.confirmCreate);
    QCOMPARE(testfiles::readFile(path + ".bmc"),
             (f.window->listLines().join("\r\n") + "\r\n").toLatin1());

    f.window->Button5Click();
    QCOMPARE(f.t.printer.printedLines, f.window->listLines());

    f.t.printer.failWith = QStringLiteral("There is no default printer currently selected");
    f.window->Button5Click();
    QCOMPARE(f.t.dialogs.questions.size(), 1);
    QVERIFY(f.t.dialogs.questions.first().startsWith(f.t.printer.failWith));
    QCOMPARE(f.generated().size(), 3);

    f.window->Button3Click();
    QCOMPARE(f.window->listLines().size(), 4);
    QCOMPARE(f.enabledButtons(), QStringLiteral("238"));
    QCOMPARE(f.get<QProgressBar>("ProgressBar1")->value(), -1); // empty again
}

void TestAdvancedWindow::statisticsGroup_data() {
    QTest::addColumn<Numbers>("counts");
    QTest::addColumn<int>("draws");
    QTest::addColumn<QStringList>("available"); // Edit5, Edit6, Edit7, Edit9
    QTest::addColumn<Numbers>("maxima");        // SpinEdit1..4, 0 when disabled
    QTest::addColumn<QString>("picksLeft");
    QTest::newRow("9 draws: unusable") << threeClasses() << 9 << QStringList{"0", "0", "0", "0"}
                                       << Numbers{0, 0, 0, 0} << "0 Picks Left";
    QTest::newRow("10 draws") << (Numbers(8, 5) + Numbers(41, 0)) << 10
                              << QStringList{"8", "41", "0", "49"} << Numbers{6, 6, 0, 6}
                              << "6 Picks Left";
    QTest::newRow("3 hot") << (Numbers(3, 10) + Numbers(46, 1)) << 10
                           << QStringList{"3", "46", "0", "49"} << Numbers{3, 6, 0, 6}
                           << "6 Picks Left";
    // 60 numbers over 12: every count is 5, so every number is hot and cold and none average.
    QTest::newRow("all equal") << (Numbers(12, 5)) << 10 << QStringList{"12", "0", "12", "12"}
                               << Numbers{6, 0, 6, 6} << "6 Picks Left";
}

void TestAdvancedWindow::statisticsGroup() {
    QFETCH(Numbers, counts);
    QFETCH(int, draws);
    QFETCH(QStringList, available);
    QFETCH(Numbers, maxima);
    QFETCH(QString, picksLeft);
    Fixture f;
    f.loadDatabase(counts, draws, int(counts.size()));
    f.t.state.DataTotalDraws = draws;
    f.open();
    const bool usable = draws >= 10;
    QCOMPARE((QStringList{f.edit("Edit5"), f.edit("Edit6"), f.edit("Edit7"), f.edit("Edit9")}),
             available);
    for (int n = 1; n <= 4; ++n) {
        QCOMPARE(f.spin(n)->isEnabled(), maxima[n - 1] > 0);
        QCOMPARE(f.spin(n)->maximum(), maxima[n - 1]);
    }
    QCOMPARE(f.label("Label7"), picksLeft);
    QCOMPARE(f.get<QLineEdit>("Edit1")->isEnabled(), usable);
    QCOMPARE(f.button(6)->isEnabled(), usable);
    QVERIFY(!f.button(1)->isEnabled());
    QCOMPARE(f.get<QGroupBox>("GroupBox1")->statusTip(),
             usable ? QStringLiteral("|Select how many Hot, Cold, Average numbers you want to use")
                    : QStringLiteral("|To use the Advanced Picker, Load a Database with at "
                                     "least 10 Draws"));
}

void TestAdvancedWindow::spinEditsCountThePicks() {
    Fixture f;
    f.loadDatabase(threeClasses());
    f.open();
    f.spin(1)->setValue(2);
    QCOMPARE(f.label("Label7"), QStringLiteral("4 Picks Left"));
    f.spin(2)->setValue(2);
    f.spin(4)->setValue(1);
    QCOMPARE(f.label("Label7"), QStringLiteral("1 Pick Left"));
    QVERIFY(!f.button(1)->isEnabled());
    f.spin(3)->stepUp();
    QCOMPARE(f.label("Label7"), QStringLiteral("0 Picks Left"));
    QVERIFY(f.button(1)->isEnabled());

    f.spin(3)->stepUp();
    QCOMPARE(f.t.dialogs.warnings, QStringList{"Maximum picks has been reached"});
    QCOMPARE(f.spin(3)->value(), 1);
    QCOMPARE(f.label("Label7"), QStringLiteral("0 Picks Left"));
    QVERIFY(f.button(1)->isEnabled());

    // Typed past the total: a negative count, and no Generate.
    QSpinBox* random = f.spin(4);
    random->selectAll();
    QTest::keyClicks(random, QStringLiteral("6"));
    QCOMPARE(f.label("Label7"), QStringLiteral("-5 Picks Left"));
    QVERIFY(!f.button(1)->isEnabled());
}

void TestAdvancedWindow::statisticsBatch() {
    Fixture f;
    f.loadDatabase(threeClasses());
    f.open();
    f.statistics(QStringLiteral("100"), {2, 2, 1, 1});
    QVERIFY(f.t.dialogs.warnings.isEmpty());
    QCOMPARE(f.generated().size(), 100);
    QCOMPARE(f.enabledButtons(), QStringLiteral("34568"));
    for (const QString& line : f.generated()) {
        const Numbers numbers = numbersOf(line);
        QVERIFY2(line.startsWith(QLatin1String("6/49  >  ")) && numbers.size() == 6 &&
                     numbers.last() >= 42, // the cold one
                 qPrintable(line));
    }
    // Clear brings the complete composition's Generate back.
    f.window->Button3Click();
    QCOMPARE(f.enabledButtons(), QStringLiteral("12368"));
}

void TestAdvancedWindow::statisticsCount_data() {
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("edit1After");
    QTest::addColumn<QString>("enabledAfter");
    QTest::newRow("letters: 10 lines")
        << "ab" << 10 << "Must be a number between 1 - 100\r\nDefaulting to 10 Draws"
        << "10"
        << "34568";
    QTest::newRow("0") << "0" << 0 << "Must be a number between 1 - 100"
                       << ""
                       << "168";
    QTest::newRow("101") << "101" << 0 << "Must be a number between 1 - 100"
                         << ""
                         << "168";
}

void TestAdvancedWindow::statisticsCount() {
    QFETCH(QString, count);
    QFETCH(int, lines);
    QFETCH(QString, message);
    QFETCH(QString, edit1After);
    QFETCH(QString, enabledAfter);
    Fixture f;
    f.loadDatabase(threeClasses());
    f.open();
    f.statistics(count, {0, 3, 3, 0});
    QCOMPARE(f.t.dialogs.warnings, QStringList{message});
    QCOMPARE(f.generated().size(), lines);
    QCOMPARE(f.edit("Edit1"), edit1After);
    QCOMPARE(f.enabledButtons(), enabledAfter);
}

// A header claiming six numbers from 1 - 5: no line can ever be valid.
void TestAdvancedWindow::impossibleLinesStopTheBatch() {
    Fixture f;
    f.loadDatabase(Numbers(5, 12), 10, 5);
    f.open();
    f.statistics(QStringLiteral("5"), {0, 0, 0, 6});
    QCOMPARE(f.t.dialogs.warnings,
             QStringList{"No line of 6 different numbers could be made from 0 Hot, 0 Avg, 0 Cold "
                         "and 6 Random numbers."});
    QVERIFY(f.generated().isEmpty());
    QCOMPARE(f.enabledButtons(), QStringLiteral("168"));
}

void TestAdvancedWindow::statsOnTop() {
    Fixture f;
    f.loadDatabase(threeClasses());
    TForm9& window = f.open();
    QStatusBar* status = f.get<QStatusBar>("StatusBar1");
    status->showMessage(QStringLiteral("See statistics about the loaded lottery database"));
    bool opened = false;
    QTimer::singleShot(0, &window, [&] {
        auto* statistics = qobject_cast<TForm8*>(QApplication::activeModalWidget());
        opened = statistics && statistics->parentWidget() == &window &&
                 status->currentMessage().isEmpty();
        if (statistics)
            statistics->Button8Click();
    });
    QTest::mouseClick(f.button(6), Qt::LeftButton);
    QVERIFY(opened);
    // The hints come back to this window once the statistics window has gone.
    f.t.hints.handler()(QStringLiteral("Clear the above draws"));
    QCOMPARE(status->currentMessage(), QStringLiteral("Clear the above draws"));
}

// Pictures of the window to look at, with no database and with a real draw history:
// BALLMERE_SHOTS=folder [BALLMERE_HISTORY=draws.csv] tst_advancedwindow screenshots
void TestAdvancedWindow::screenshots() {
    const QString folder = qEnvironmentVariable("BALLMERE_SHOTS");
    if (folder.isEmpty())
        QSKIP("set BALLMERE_SHOTS to a folder to save pictures of the window");
    const auto save = [&folder](QWidget& window, const QString& name) {
        QVERIFY(window.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png")));
    };
    {
        Fixture f;
        save(f.open(), QStringLiteral("1-no-database"));
        f.quick(QStringLiteral("100"));
        save(*f.window, QStringLiteral("2-no-database-quick"));
    }
    const QString history = qEnvironmentVariable(
        "BALLMERE_HISTORY", QStringLiteral(BALLMERE_TEST_DATA "/draw-history-649.csv"));
    const QStringList lines = QString::fromUtf8(testfiles::readFile(history)).split(u'\n');
    Fixture f;
    f.loadDatabase({}, 0);
    int draws = 0;
    for (const QString& line : lines.mid(1)) {
        // "Month D, YYYY",n1,...,n6,bonus
        const QStringList numbers = line.section(u'"', 2).split(u',', Qt::SkipEmptyParts);
        if (numbers.size() < 7)
            continue;
        f.t.table.SetRowCount(qMax(TDrawTable::MinRowCount, ++draws + 1));
        f.t.table.SetCellText(0, draws, QLatin1Char(' ') + line.section(u'"', 1, 1));
        for (int column = 1; column <= 7; ++column)
            f.t.table.SetCellText(column == 7 ? 8 : column, draws,
                                  QStringLiteral("  %1").arg(numbers[column - 1].trimmed().toInt(),
                                                             2, 10, QChar('0')));
    }
    QVERIFY(draws > 1000);
    f.t.state.DataTotalDraws = draws;
    save(f.open(), QStringLiteral("3-history"));
    f.spin(1)->setValue(2);
    f.spin(2)->setValue(2);
    f.spin(3)->setValue(1);
    save(*f.window, QStringLiteral("4-history-chosen"));
    f.spin(4)->setValue(1);
    f.get<QLineEdit>("Edit1")->setText(QStringLiteral("100"));
    f.window->Button1Click();
    save(*f.window, QStringLiteral("5-history-hot-cold"));
    f.window->Button3Click();
    f.quick(QStringLiteral("40"));
    save(*f.window, QStringLiteral("6-history-quick"));
}

QTEST_MAIN(TestAdvancedWindow)
#include "tst_advancedwindow.moc"
