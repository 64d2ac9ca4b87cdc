// The wheels window: refusals, a search to its end, and the texts of the wheel it shows.
#include "support/TestContext.h"
#include "support/TestFiles.h"

#include "lines/CheckFile.h"
#include "wheels/WheelTexts.h"
#include "wheels/Wheels.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

using testfiles::child;

namespace {

struct Fixture {
    TestContext t;
    std::unique_ptr<TWheels> window;

    explicit Fixture(int pick = 6, int high = 49) {
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
    void oddsRows();
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

// Six numbers on one line of a 6/49 game: exactly the hypergeometric chances.
void TestWheelsWindow::oddsRows() {
    const SetOdds odds = ComputeSetOdds({{1, 2, 3, 4, 5, 6}}, 6, 49);
    const QStringList rows = WheelTexts::oddsRows(odds, 6);
    QCOMPARE(rows.size(), 6);
    QCOMPARE(rows.first(), QStringLiteral("6 or more on one line: 1 in 13,983,816 (0.00000715 %)"));
    QCOMPARE(rows[3], QStringLiteral("3 or more on one line: 1 in 53.7 (1.86 %)"));
}

QTEST_MAIN(TestWheelsWindow)
#include "tst_wheelswindow.moc"
