// The statistics window through its controls; the bars are read through the chart's
// accessibility interface. With BALLMERE_SCREENSHOTS set to a folder, pictures of the window over
// the real 6/49 history and a printed page are saved there.
#include "charting/BarChart.h"
#include "platform/QtPrintService.h"
#include "stats/HitCounts.h"
#include "stats/Stats.h"
#include "support/DrawTestFiles.h"
#include "support/TestContext.h"
#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyleOptionGroupBox>
#include <QtTest>

using namespace testfiles;

namespace {

const QString RealHistory = QStringLiteral(BALLMERE_TEST_DATA "/draw-history-649.csv");

// " dd/mm/yy" from "Month D, YYYY" (misspelt months are known by their first three letters).
QString storedDate(const QString& text) {
    static const QStringList months{"jan", "feb", "mar", "apr", "may", "jun",
                                    "jul", "aug", "sep", "oct", "nov", "dec"};
    const QStringList parts = QString(text).remove(u',').split(u' ', Qt::SkipEmptyParts);
    if (parts.size() != 3)
        return u' ' + text;
    const int month = int(months.indexOf(parts[0].left(3).toLower())) + 1;
    return QStringLiteral(" %1/%2/%3")
        .arg(parts[1].toInt(), 2, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(parts[2].right(2));
}

struct Fixture {
    TestContext test;

    // A 6/49 game with bonus holding `rows` (the numbers, the last one the bonus from 7 on).
    explicit Fixture(const QList<QList<int>>& rows = {}, bool bonus = true) {
        setGame(bonus);
        for (const QList<int>& numbers : rows)
            appendRow(QStringLiteral(" 01/01/99"), numbers);
    }
    void setGame(bool bonus) {
        test.state.DatabaseLoaded = true;
        test.state.DataPick = 6;
        test.state.DataRandom = 49;
        test.state.DataBonus = bonus;
        test.table.SetHeader(6, bonus);
    }
    void appendRow(const QString& date, const QList<int>& numbers) {
        const int row = ++test.state.DataTotalDraws;
        if (row >= test.table.RowCount())
            test.table.SetRowCount(row + 1);
        test.table.SetCellText(0, row, date);
        for (int k = 0; k < numbers.size(); ++k)
            test.table.SetCellText(k + 1 == numbers.size() && k >= 6 ? 8 : k + 1, row,
                                   QStringLiteral("  %1").arg(numbers[k], 2, 10, QLatin1Char('0')));
        test.state.DataLastDraw = date;
    }
    bool loadRealHistory() {
        const QByteArray text = readFile(RealHistory);
        if (text.isEmpty())
            return false;
        for (const QByteArray& line : text.split('\n').mid(1)) {
            const int close = line.indexOf('"', 1);
            if (!line.startsWith('"') || close < 0)
                continue;
            QList<int> numbers;
            for (const QByteArray& cell : line.mid(close + 2).trimmed().split(','))
                numbers << cell.toInt();
            appendRow(storedDate(QString::fromLatin1(line.mid(1, close - 1))), numbers);
        }
        return test.state.DataTotalDraws > 3000;
    }
    // `count` draws of 1 to 6, the table grown once: cheap even for a long history.
    void appendDraws(int count) {
        const int first = test.state.DataTotalDraws + 1;
        test.state.DataTotalDraws += count;
        test.table.SetRowCount(std::max(test.table.RowCount(), test.state.DataTotalDraws + 1));
        for (int row = first; row <= test.state.DataTotalDraws; ++row) {
            test.table.SetCellText(0, row, QLatin1String(" 02/01/99"));
            for (int k = 1; k <= 6; ++k)
                test.table.SetCellNumber(k, row, k);
        }
        test.state.DataLastDraw = QStringLiteral(" 02/01/99");
    }

    std::unique_ptr<TForm8> open(int colourDepth = 24) {
        auto window = std::make_unique<TForm8>(
            test.context, nullptr, [colourDepth](const QWidget&) { return colourDepth; });
        window->show();
        return window;
    }
};

QAccessibleInterface* chartAccessible(const TForm8& window) {
    return QAccessible::queryAccessibleInterface(window.chart());
}

// "label=value class" per bar, as assistive technology reads it.
QStringList readBars(const TForm8& window) {
    QAccessibleInterface* const chart = chartAccessible(window);
    QStringList bars;
    for (int i = 0; i < chart->childCount(); ++i) {
        QAccessibleInterface* const bar = chart->child(i);
        bars << bar->text(QAccessible::Name) + u'=' + bar->text(QAccessible::Value) + u' ' +
                    bar->text(QAccessible::Description);
    }
    return bars;
}

QString barText(const TForm8& window, int number) {
    return readBars(window).value(number - 1);
}

// A text as read aloud: no-break spaces and hyphens as plain ones.
QString plain(QString text) {
    return text.replace(QChar(0x00A0), u' ').replace(QChar(0x2011), u'-');
}

void saveShot(QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("BALLMERE_SCREENSHOTS");
    if (!folder.isEmpty())
        QVERIFY(window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png"))));
}

} // namespace

class TestStatsWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void opening();
    void handlers_data();
    void handlers();
    void historyAndBonusBoxes_data();
    void historyAndBonusBoxes();
    void countedDraws_data();
    void countedDraws();
    void longHistory_data();
    void longHistory();
    void colourDepth();
    void expectedRange_data();
    void expectedRange();
    void hints();
    void wholeHints_data();
    void wholeHints();
    void printing();
    void everythingFits();
    void spacing();
    void realHistory();
};

void TestStatsWindow::initTestCase() {
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
}

void TestStatsWindow::opening() {
    Fixture f({{3, 17, 22, 31, 40, 45, 12}, {1, 2, 3, 4, 5, 6, 49}});
    auto window = f.open();
    QCOMPARE(window->windowTitle(),
             QStringLiteral("Statistics about your loaded lottery database"));
    QVERIFY(window->isModal());
    // A row for the fair-draw test beneath the rest.
    QCOMPARE(window->minimumSize(), QSize(499, 453));
    QCOMPARE(window->maximumSize(), QSize(499, 453));
    const QList<QPair<const char*, QRect>> places{
        {"Chart1", {2, 2, 495, 299}},     {"CheckBox1", {6, 304, 158, 19}},
        {"CheckBox3", {6, 323, 158, 19}}, {"CheckBox2", {6, 342, 158, 19}},
        {"Panel1", {166, 301, 74, 62}},   {"GroupBox1", {243, 301, 106, 62}},
        {"Label6", {351, 302, 143, 28}},  {"Label7", {351, 330, 143, 14}},
        {"Button1", {352, 348, 68, 21}},  {"Button8", {424, 348, 68, 21}},
        {"StatusBar1", {0, 432, 499, 21}}};
    for (const auto& [name, place] : places)
        QVERIFY2(child<QWidget>(*window, name)->geometry() == place, name);
    QCOMPARE(child<QLabel>(*window, "Label6")->text(),
             QStringLiteral("Winning Numbers For 01/01/99"));
    QCOMPARE(child<QLabel>(*window, "Label7")->text(), QStringLiteral("01 02 03 04 05 06 + 49"));
    QCOMPARE(chartAccessible(*window)->childCount(), 49);
    QCOMPARE(barText(*window, 3), QStringLiteral("3=2 "));
    QCOMPARE(barText(*window, 12), QStringLiteral("12=0 ")); // no bonus yet
    QCOMPARE(barText(*window, 49), QStringLiteral("49=0 "));
    QVERIFY(!window->chart()->valueTagsVisible());
    QVERIFY(child<QWidget>(*window, "Panel1")->isHidden());
    QCOMPARE(window->focusWidget(), child<QWidget>(*window, "Button8"));

    // Tab order from Close on.
    QStringList order;
    QWidget* widget = child<QWidget>(*window, "Button8");
    for (; order.size() < 6; widget = widget->nextInFocusChain()) {
        if (widget->focusPolicy() & Qt::TabFocus)
            order << widget->objectName();
    }
    QCOMPARE(order,
             QStringList({"Button8", "Chart1", "CheckBox1", "Button1", "CheckBox2", "CheckBox3"}));

    // Close ends the modal window; Escape does not.
    QTest::keyClick(window.get(), Qt::Key_Escape);
    QVERIFY(window->isVisible());
    child<QPushButton>(*window, "Button8")->click();
    QVERIFY(!window->isVisible());
    QCOMPARE(window->result(), int(QDialog::Accepted));
}

void TestStatsWindow::handlers_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("bars"); // numbers 3, 12, 17 and 49 afterwards
    QTest::addColumn<bool>("legend");
    QTest::addColumn<bool>("tags");

    // Draws: 3 twice, 12 as a bonus, 17 once, 49 never.
    QTest::newRow("opened") << QStringList{} << QStringList{"3=2 ", "12=0 ", "17=1 ", "49=0 "}
                            << false << false;
    QTest::newRow("classes") << QStringList{"CheckBox3"}
                             << QStringList{"3=2 Hot", "12=0 Average", "17=1 Hot", "49=0 Average"}
                             << true << false;
    QTest::newRow("classes off again")
        << QStringList{"CheckBox3", "CheckBox3"} << QStringList{"3=2 ", "12=0 ", "17=1 ", "49=0 "}
        << false << false;
    QTest::newRow("bonus with classes recomputed")
        << QStringList{"CheckBox3", "CheckBox2"}
        << QStringList{"3=3 Hot", "12=1 Hot", "17=1 Hot", "49=0 Average"} << true << false;
    QTest::newRow("first draw only, bonus kept")
        << QStringList{"CheckBox2", "spin 1"} << QStringList{"3=1 ", "12=1 ", "17=1 ", "49=0 "}
        << false << false;
    QTest::newRow("tags leave the bars")
        << QStringList{"CheckBox3", "CheckBox1"}
        << QStringList{"3=2 Hot", "12=0 Average", "17=1 Hot", "49=0 Average"} << true << true;
    QTest::newRow("tags off") << QStringList{"CheckBox1", "CheckBox1"}
                              << QStringList{"3=2 ", "12=0 ", "17=1 ", "49=0 "} << false << false;
    QTest::newRow("typed history above the draws counts them all")
        << QStringList{"type 99999"} << QStringList{"3=2 ", "12=0 ", "17=1 ", "49=0 "} << false
        << false;
}

void TestStatsWindow::handlers() {
    QFETCH(QStringList, steps);
    QFETCH(QStringList, bars);
    QFETCH(bool, legend);
    QFETCH(bool, tags);
    Fixture f({{3, 17, 22, 31, 40, 45, 12}, {1, 2, 3, 4, 5, 6, 3}});
    const QList<QStringList> stored = cellsOf(f.test.table);
    auto window = f.open();
    auto* const spin = child<QSpinBox>(*window, "SpinEdit1");
    for (const QString& step : steps) {
        if (step.startsWith(QLatin1String("spin ")))
            spin->setValue(step.mid(5).toInt());
        else if (step.startsWith(QLatin1String("type "))) {
            spin->findChild<QLineEdit*>()->selectAll();
            QTest::keyClicks(spin->findChild<QLineEdit*>(), step.mid(5));
        } else
            QTest::mouseClick(child<QCheckBox>(*window, qPrintable(step)), Qt::LeftButton);
    }
    const QStringList all = readBars(*window);
    QCOMPARE(all.size(), 49);
    QCOMPARE((QStringList{all[2], all[11], all[16], all[48]}), bars);
    QCOMPARE(child<QWidget>(*window, "Panel1")->isVisible(), legend);
    QCOMPARE(child<QCheckBox>(*window, "CheckBox3")->isChecked(), legend);
    QCOMPARE(window->chart()->valueTagsVisible(), tags);
    QCOMPARE(child<QCheckBox>(*window, "CheckBox1")->isChecked(), tags);
    QCOMPARE(child<QLabel>(*window, "Label7")->text(), QStringLiteral("01 02 03 04 05 06 + 03"));
    QCOMPARE(cellsOf(f.test.table), stored); // only ever read
}

void TestStatsWindow::historyAndBonusBoxes_data() {
    QTest::addColumn<int>("draws");
    QTest::addColumn<bool>("bonus");
    QTest::addColumn<int>("spinValue");
    QTest::addColumn<bool>("spinEnabled");
    QTest::addColumn<QString>("lastNumbers");

    QTest::newRow("one draw: history fixed at 1")
        << 1 << true << 1 << false << "01 02 03 04 05 06 + 07";
    QTest::newRow("two draws without bonus") << 2 << false << 2 << true << "01 02 03 04 05 06";
    QTest::newRow("no draws (from the advanced window)") << 0 << true << 1 << true << "";
}

void TestStatsWindow::historyAndBonusBoxes() {
    QFETCH(int, draws);
    QFETCH(bool, bonus);
    QFETCH(int, spinValue);
    QFETCH(bool, spinEnabled);
    QFETCH(QString, lastNumbers);
    Fixture f({}, bonus);
    for (int n = 0; n < draws; ++n)
        f.appendRow(QStringLiteral(" 0%1/02/03").arg(n + 1),
                    bonus ? QList<int>{1, 2, 3, 4, 5, 6, 7} : QList<int>{1, 2, 3, 4, 5, 6});
    auto window = f.open();
    auto* const spin = child<QSpinBox>(*window, "SpinEdit1");
    QCOMPARE(spin->minimum(), 1);
    QCOMPARE(spin->maximum(), std::max(1, draws));
    QCOMPARE(spin->value(), spinValue);
    QCOMPARE(spin->isEnabled(), spinEnabled);
    QCOMPARE(spin->findChild<QLineEdit*>()->maxLength(), 5);
    QCOMPARE(child<QCheckBox>(*window, "CheckBox2")->isEnabled(), bonus);
    QCOMPARE(child<QLabel>(*window, "Label7")->text(), lastNumbers);
    if (draws == 0) {
        QCOMPARE(child<QLabel>(*window, "Label6")->text(), QStringLiteral("Winning Numbers For"));
        QTest::mouseClick(child<QCheckBox>(*window, "CheckBox3"), Qt::LeftButton);
        for (const QString& bar : readBars(*window))
            QVERIFY2(bar.endsWith(QLatin1String("=0 Cold")), qPrintable(bar));
    }
}

void TestStatsWindow::countedDraws_data() {
    QTest::addColumn<int>("draws");
    QTest::addColumn<QString>("history"); // typed into the History box; empty: as opened
    QTest::addColumn<QString>("subtitle");

    QTest::newRow("all draws") << 3 << ""
                               << "Draws 1 to 3: 01/02/03 to 03/02/03";
    QTest::newRow("the first two") << 3 << "2"
                                   << "Draws 1 to 2: 01/02/03 to 02/02/03";
    QTest::newRow("the first only") << 3 << "1"
                                    << "Draw 1: 01/02/03";
    QTest::newRow("more than stored") << 3 << "99999"
                                      << "Draws 1 to 3: 01/02/03 to 03/02/03";
    QTest::newRow("a thousand") << 1200 << "1000"
                                << "Draws 1 to 1,000: 01/02/03 to 10/02/03";
    QTest::newRow("none stored") << 0 << ""
                                 << "No draws stored";
}

// The chart says which draws it counts: the first n, from the first stored draw's date to the
// n-th, undated rows skipped.
void TestStatsWindow::countedDraws() {
    QFETCH(int, draws);
    QFETCH(QString, history);
    QFETCH(QString, subtitle);
    Fixture f;
    for (int n = 1; n <= draws; ++n) {
        f.appendRow(QStringLiteral(" %1/02/03").arg(1 + (n - 1) % 10, 2, 10, QLatin1Char('0')),
                    {1, 2, 3, 4, 5, 6, 7});
        if (n == 1)
            ++f.test.state.DataTotalDraws; // an undated row left between: no draw
    }
    auto window = f.open();
    if (!history.isEmpty()) {
        auto* const edit = child<QSpinBox>(*window, "SpinEdit1")->findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClicks(edit, history);
    }
    QCOMPARE(window->chart()->subtitle(), subtitle);
}

void TestStatsWindow::longHistory_data() {
    QTest::addColumn<int>("draws");

    QTest::newRow("99,999 draws") << 99'999;
    QTest::newRow("120,000 draws") << 120'000;
}

// The History box holds every digit of "all draws": shown whole, counted whole, and typed in
// again after a shorter stretch.
void TestStatsWindow::longHistory() {
    QFETCH(int, draws);
    Fixture f;
    f.appendDraws(draws);
    auto window = f.open();
    auto* const spin = child<QSpinBox>(*window, "SpinEdit1");
    auto* const edit = spin->findChild<QLineEdit*>();
    const QString all = QString::number(draws);
    QCOMPARE(spin->maximum(), draws);
    QCOMPARE(edit->text(), all);
    QVERIFY(edit->fontMetrics().horizontalAdvance(all) + 4 <= edit->width()); // not cut off
    QVERIFY(edit->font().pointSizeF() >= 6);
    QCOMPARE(barText(*window, 1), QStringLiteral("1=") + all + u' ');
    QTest::keyClick(edit, Qt::Key_Enter);
    QCOMPARE(spin->value(), draws);
    QCOMPARE(barText(*window, 1), QStringLiteral("1=") + all + u' ');

    spin->setValue(7);
    QCOMPARE(barText(*window, 6), QStringLiteral("6=7 "));
    edit->selectAll();
    QTest::keyClicks(edit, all);
    QTest::keyClick(edit, Qt::Key_Enter);
    QCOMPARE(spin->value(), draws);
    QCOMPARE(edit->text(), all);
    QCOMPARE(barText(*window, 6), QStringLiteral("6=") + all + u' ');
    saveShot(*window, QStringLiteral("stats-long-history-") + all);
}

void TestStatsWindow::expectedRange_data() {
    QTest::addColumn<QList<QList<int>>>("draws");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("bar");     // as assistive technology reads that number afterwards
    QTest::addColumn<QString>("verdict"); // empty: none shown

    // 3 twice, ten more numbers once: chi-square and p worked out by hand as in tst_stats.
    const QList<QList<int>> two{{3, 17, 22, 31, 40, 45, 12}, {1, 2, 3, 4, 5, 6, 3}};
    const QString twoDraws = "Too few draws to judge: each number is expected only 0.24 times, "
                             "and the test needs at least 5 (2 draws, chi-square 50.42 with 48 "
                             "degrees of freedom, p = 0.378).";
    QTest::newRow("opened: not shown") << two << QStringList{} << 3 << "3=2 "
                                       << "";
    QTest::newRow("ticked") << two << QStringList{"CheckBox4"} << 3
                            << "3=2 expected 0.24, above the expected range 0.00 to 1.17"
                            << twoDraws;
    QTest::newRow("unticked again") << two << QStringList{"CheckBox4", "CheckBox4"} << 3 << "3=2 "
                                    << "";
    QTest::newRow("bonus: the band follows, the test does not")
        << two << QStringList{"CheckBox4", "CheckBox2"} << 3
        << "3=3 expected 0.29, above the expected range 0.00 to 1.28" << twoDraws;
    QTest::newRow("with classes") << two << QStringList{"CheckBox3", "CheckBox4"} << 3
                                  << "3=2 Hot; expected 0.24, above the expected range 0.00 to 1.17"
                                  << twoDraws;
    QTest::newRow("first draw only")
        << two << QStringList{"CheckBox4", "spin 1"} << 12
        << "12=0 expected 0.12, within the expected range 0.00 to 0.78"
        << "Too few draws to judge: each number is expected only 0.12 times, and the test needs "
           "at least 5 (1 draw, chi-square 48.00 with 48 degrees of freedom, p = 0.473).";
    QTest::newRow("no draws") << QList<QList<int>>{} << QStringList{"CheckBox4"} << 3 << "3=0 "
                              << "No draws are charted, so there is nothing to test.";
}

// "Show expected range" starts unticked; ticked, it shades the band, states the verdict and
// describes each bar against the band.
void TestStatsWindow::expectedRange() {
    QFETCH(QList<QList<int>>, draws);
    QFETCH(QStringList, steps);
    QFETCH(int, number);
    QFETCH(QString, bar);
    QFETCH(QString, verdict);
    Fixture f(draws);
    auto window = f.open();
    auto* const box = child<QCheckBox>(*window, "CheckBox4");
    QCOMPARE(box->text(), QStringLiteral("Show expected range"));
    QVERIFY(!box->isChecked());
    for (const QString& step : steps) {
        if (step.startsWith(QLatin1String("spin ")))
            child<QSpinBox>(*window, "SpinEdit1")->setValue(step.mid(5).toInt());
        else
            QTest::mouseClick(child<QCheckBox>(*window, qPrintable(step)), Qt::LeftButton);
    }
    auto* const label = child<QLabel>(*window, "VerdictLabel");
    QCOMPARE(label->isVisible(), !verdict.isEmpty());
    QCOMPARE(box->isChecked(), !verdict.isEmpty());
    if (!verdict.isEmpty())
        QCOMPARE(plain(label->text()), verdict);
    QCOMPARE(window->chart()->band().has_value(), bar.contains(QLatin1String("expected")));
    QCOMPARE(barText(*window, number), bar);
}

void TestStatsWindow::colourDepth() {
    Fixture f({{1, 2, 3, 4, 5, 6, 7}});
    QVERIFY(f.open(24)->chart()->isRich());
    QVERIFY(!f.open(8)->chart()->isRich());
    QVERIFY(f.open(16)->chart()->isRich());
}

void TestStatsWindow::hints() {
    Fixture f({{1, 2, 3, 4, 5, 6, 7}});
    QStringList before;
    f.test.hints.setHandler([&before](const QString& text) { before << text; });
    {
        auto window = f.open();
        for (QWidget* control : window->findChildren<QWidget*>())
            QVERIFY2(control->toolTip().isEmpty(), qPrintable(control->objectName()));
        QStatusTipEvent tip(child<QWidget>(*window, "CheckBox2")->statusTip());
        QApplication::sendEvent(child<QWidget>(*window, "CheckBox2"), &tip);
        QCOMPARE(child<QStatusBar>(*window, "StatusBar1")->currentMessage(),
                 QStringLiteral("Include the Bonus number in the above statistics"));
        QVERIFY(before.isEmpty());
    }
    // Handed back to whoever had it.
    f.test.hints.handler()(QStringLiteral("back"));
    QCOMPARE(before, QStringList{"back"});
}

void TestStatsWindow::wholeHints_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("smaller");

    QTest::newRow("the chart's long hint, in a smaller face") << "Chart1" << true;
    QTest::newRow("a short hint, as it is") << "CheckBox2" << false;
    QTest::newRow("a short one after the long one") << "Chart1,CheckBox2" << false;
}

// Every hint reads whole in the status bar's message area (its width less 6 and 12 pixels).
void TestStatsWindow::wholeHints() {
    QFETCH(QString, control);
    QFETCH(bool, smaller);
    Fixture f({{1, 2, 3, 4, 5, 6, 7}});
    auto window = f.open();
    auto* const bar = child<QStatusBar>(*window, "StatusBar1");
    QString hint;
    for (const QString& name : control.split(u',')) {
        QWidget* const widget = child<QWidget>(*window, qPrintable(name));
        hint = widget->statusTip().mid(1);
        QStatusTipEvent tip(widget->statusTip());
        QApplication::sendEvent(widget, &tip);
    }
    QCOMPARE(bar->currentMessage(), hint);
    QVERIFY(bar->fontMetrics().horizontalAdvance(hint) <= bar->width() - 18);
    QCOMPARE(bar->font().pointSizeF() < window->font().pointSizeF(), smaller);
    QVERIFY(bar->font().pointSizeF() >= 6);
    saveShot(*window, QStringLiteral("stats-hint-") + QString(control).replace(u',', u'-'));
}

void TestStatsWindow::printing() {
    Fixture f({{1, 2, 3, 4, 5, 6, 7}});
    auto window = f.open();
    child<QPushButton>(*window, "Button1")->click();
    QCOMPARE(f.test.printer.jobs, 1);
    QCOMPARE(f.test.printer.pages, 1);
    QCOMPARE(f.test.printer.jobTitle, QStringLiteral("Number frequencies"));
    QCOMPARE(f.test.printer.chart.subtitle, window->chart()->subtitle());

    f.test.printer.failWith = QStringLiteral("There is no default printer currently selected");
    child<QPushButton>(*window, "Button1")->click();
    QCOMPARE(f.test.dialogs.questions.size(), 1);
    QVERIFY(f.test.dialogs.questions.first().startsWith(f.test.printer.failWith));
    QVERIFY(window->isVisible());
}

// Every caption whole, nothing on a frame line, at the program's font; the longest last draw
// (seven numbers and a bonus) too.
void TestStatsWindow::everythingFits() {
    Fixture f({{1, 2, 3, 4, 5, 6, 7}});
    f.appendRow(QStringLiteral(" 28/11/25"), {10, 20, 30, 40, 45, 49, 38, 99});
    auto window = f.open();
    QTest::mouseClick(child<QCheckBox>(*window, "CheckBox3"), Qt::LeftButton);
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->parentWidget()->inherits("QStatusBar"))
            continue;
        const QString name = label->objectName();
        const QSize hint = label->sizeHint();
        if (label->wordWrap())
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(name));
        else
            QVERIFY2(hint.width() <= label->width() && hint.height() <= label->height(),
                     qPrintable(name + u' ' + QString::number(hint.width())));
    }
    for (QCheckBox* box : window->findChildren<QCheckBox*>())
        QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(box->objectName()));
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        const QString caption = QString(button->text()).remove(u'&');
        QVERIFY(button->fontMetrics().horizontalAdvance(caption) + 16 <= button->width());
        QVERIFY(button->fontMetrics().height() + 6 <= button->height());
    }

    auto* const group = child<QGroupBox>(*window, "GroupBox1");
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect frame = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                       QStyle::SC_GroupBoxFrame, group);
    const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                       QStyle::SC_GroupBoxLabel, group);
    auto* const panel = child<QFrame>(*window, "Panel1");
    const QList<QPair<QWidget*, QRect>> insides{
        {group, frame.adjusted(2, std::max(2, title.bottom() + 1 - frame.top()), -2, -2)},
        {panel, panel->contentsRect()}};
    for (const auto& [box, inside] : insides) {
        for (QWidget* control : box->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            QVERIFY2(inside.contains(control->geometry()), qPrintable(control->objectName()));
        QVERIFY(window->rect().contains(box->geometry()));
    }
    // The legend level with the History group, its words clear of its border; the last draw
    // inside the window's frame.
    QCOMPARE(panel->y(), group->y());
    for (QLabel* label : panel->findChildren<QLabel*>())
        QVERIFY2(label->x() + label->fontMetrics().horizontalAdvance(label->text()) + 3 <=
                     panel->contentsRect().right(),
                 qPrintable(label->text()));
    const QRect bevel = child<QFrame>(*window, "Bevel1")->contentsRect();
    for (const char* name : {"Label6", "Label7"})
        QVERIFY2(bevel.adjusted(2, 0, -2, 0).contains(child<QLabel>(*window, name)->geometry()),
                 name);
    saveShot(*window, QStringLiteral("stats-longest-draw"));
}

// The last draw's line keeps 4 pixels from the Print and Close buttons beneath it, whatever the
// display's scale (ctest runs this at 200 % too).
void TestStatsWindow::spacing() {
    Fixture f({{1, 2, 3, 4, 5, 6, 7}});
    f.appendRow(QStringLiteral(" 28/11/25"), {10, 20, 30, 40, 45, 49, 38, 99});
    auto window = f.open();
    auto* const label = child<QLabel>(*window, "Label7");
    // Its text, centred in the label: no taller than the label, or it spills over.
    const QRect line = label->geometry();
    const int textBottom =
        line.top() + (line.height() + std::max(line.height(), label->fontMetrics().height())) / 2;
    for (const char* name : {"Button1", "Button8"}) {
        const QRect button = child<QPushButton>(*window, name)->geometry();
        QVERIFY2(button.top() - textBottom >= 4,
                 qPrintable(QStringLiteral("%1: %2 px").arg(name).arg(button.top() - textBottom)));
    }
    saveShot(*window, QStringLiteral("stats-spacing"));
}

// The window over 3,622 real draws: counts agree with counting the table directly, and
// pictures of each state when asked for.
void TestStatsWindow::realHistory() {
    Fixture f({}, true);
    if (!f.loadRealHistory())
        QSKIP("the real draw history is not available");
    auto window = f.open();
    const HitCountTable counts = CountHits(f.test.table, f.test.state.DataTotalDraws, false);
    const QStringList bars = readBars(*window);
    for (int k = 1; k <= 49; ++k)
        QCOMPARE(bars[k - 1], QStringLiteral("%1=%2 ").arg(k).arg(counts[size_t(k)]));
    saveShot(*window, QStringLiteral("stats-plain"));

    QTest::mouseClick(child<QCheckBox>(*window, "CheckBox3"), Qt::LeftButton);
    saveShot(*window, QStringLiteral("stats-classes"));
    QTest::mouseClick(child<QCheckBox>(*window, "CheckBox1"), Qt::LeftButton);
    saveShot(*window, QStringLiteral("stats-tags"));

    BarChart* const chart = window->chart();
    const ChartLayout layout = chart->currentLayout();
    const QPointF from = layout.plot.topLeft() + QPointF(layout.plot.width() * 0.3, 30);
    const QPointF to = layout.plot.topLeft() + QPointF(layout.plot.width() * 0.55, 150);
    chart->setAnimationInterval(1);
    chart->zoomTo(QRectF(from, to));
    QTRY_VERIFY(!chart->isAnimating());
    QVERIFY(chart->isZoomed());
    saveShot(*window, QStringLiteral("stats-zoomed"));
    // On through the mouse, 6 x 6 pixels at a time, as far as the chart goes.
    for (int zoom = 1; zoom <= 20; ++zoom) {
        const QPoint at = chart->currentLayout().plot.center().toPoint();
        QTest::mousePress(chart, Qt::LeftButton, {}, at);
        QTest::mouseRelease(chart, Qt::LeftButton, {}, at + QPoint(6, 6));
        QTRY_VERIFY(!chart->isAnimating());
        if (zoom % 5 == 0 || zoom == 2)
            saveShot(*window, QStringLiteral("stats-zoomed-%1").arg(zoom, 2, 10, QLatin1Char('0')));
    }
    QVERIFY(std::abs(chart->view().yMax - chart->view().yMin - ChartLayout::MinViewHeight) < 1e-9);
    child<QSpinBox>(*window, "SpinEdit1")->setValue(1000); // a redraw shows everything again
    QVERIFY(!chart->isZoomed());
    QVERIFY2(chart->subtitle().startsWith(QLatin1String("Draws 1 to 1,000: 12/06/82 to ")),
             qPrintable(chart->subtitle()));
    saveShot(*window, QStringLiteral("stats-first-1000"));
    child<QSpinBox>(*window, "SpinEdit1")->setValue(1);
    QVERIFY(!chart->isZoomed());
    saveShot(*window, QStringLiteral("stats-first-draw"));

    // The expected range over all draws and over the first thousand, without the classes.
    QTest::mouseClick(child<QCheckBox>(*window, "CheckBox3"), Qt::LeftButton);
    QTest::mouseClick(child<QCheckBox>(*window, "CheckBox1"), Qt::LeftButton);
    QTest::mouseClick(child<QCheckBox>(*window, "CheckBox4"), Qt::LeftButton);
    child<QSpinBox>(*window, "SpinEdit1")->setValue(f.test.state.DataTotalDraws);
    QCOMPARE(
        plain(child<QLabel>(*window, "VerdictLabel")->text()),
        QStringLiteral("Fair: these counts are what a fair draw gives, so hot and cold numbers "
                       "here are chance (3,622 draws, chi-square 61.58 with 48 degrees of "
                       "freedom, p = 0.090)."));
    saveShot(*window, QStringLiteral("stats-band-all"));
    child<QSpinBox>(*window, "SpinEdit1")->setValue(1000);
    qInfo("%s", qPrintable(child<QLabel>(*window, "VerdictLabel")->text()));
    saveShot(*window, QStringLiteral("stats-band-first-1000"));

    // The page through the real printing service, into a PDF file.
    const QString folder = qEnvironmentVariable("BALLMERE_SCREENSHOTS");
    const QString pdf = (folder.isEmpty() ? f.test.folder.path() : folder) + "/stats-printed.pdf";
    QtPrintService printer(pdf);
    Platform platform{f.test.sound, printer, f.test.dialogs, f.test.clock, f.test.path({})};
    AppContext context{f.test.state, f.test.table, platform, f.test.hints};
    TForm8 printing(context);
    QTest::mouseClick(child<QCheckBox>(printing, "CheckBox3"), Qt::LeftButton);
    QTest::mouseClick(child<QCheckBox>(printing, "CheckBox4"), Qt::LeftButton);
    child<QPushButton>(printing, "Button1")->click();
    QVERIFY(f.test.dialogs.errors.isEmpty());
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext is not installed");
    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    QVERIFY(text.waitForFinished());
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* word :
         {"Number frequencies", "Numbers", "Hits", "45", "Hot", "Average", "Cold",
          "Fair: these counts", "3,622"})
        QVERIFY2(words.contains(QLatin1String(word)), word);
    QVERIFY2(words.contains(QStringLiteral("Expected range 404\u2013483")), qPrintable(words));
    QProcess info;
    info.start("pdfinfo", {pdf});
    QVERIFY(info.waitForFinished());
    QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                .contains(QRegularExpression("Title: +Number frequencies")));
    if (!folder.isEmpty())
        QProcess::execute("pdftoppm", {"-png", "-r", "60", "-singlefile", pdf,
                                       QDir(folder).filePath("stats-printed")});
}

QTEST_MAIN(TestStatsWindow)
#include "tst_statswindow.moc"
