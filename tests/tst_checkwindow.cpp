#include "app/Main.h"
#include "check/Check.h"
#include "support/CheckTestFiles.h"
#include "support/TestContext.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>
#include <memory>

using testfiles::checkFileBytes;
using testfiles::child;

namespace {

// The last draw of a stored game: date, numbers of columns 1..7 and the bonus cell.
struct StoredDraw {
    int pick = 6;
    bool bonus = true;
    QStringList cells{"  03", "  17", "  22", "  31", "  40", "  45", "", "  12"};
};

struct Fixture {
    TestContext t;
    std::unique_ptr<TForm6> window;

    explicit Fixture(int pick = 6) { t.state.PickCount = pick; }

    void storeDraws(const StoredDraw& draw) {
        TLotteryState& s = t.state;
        s.DatabaseLoaded = true;
        s.DataPick = draw.pick;
        s.DataBonus = draw.bonus;
        s.DataTotalDraws = 2;
        s.DataLastDraw = QStringLiteral(" 13/12/97");
        t.table.SetHeader(draw.pick, draw.bonus);
        t.table.SetCellText(0, 1, QStringLiteral(" 06/12/97"));
        t.table.SetCellText(1, 1, QStringLiteral("  99"));
        t.table.SetCellText(0, 2, s.DataLastDraw);
        for (int column = 1; column <= 8; ++column)
            t.table.SetCellText(column, 2, draw.cells.value(column - 1));
    }
    TForm6& open() {
        window = std::make_unique<TForm6>(t.context);
        window->show();
        return *window;
    }
    // Loads `bytes` as a check file through the open dialog.
    void load(const QByteArray& bytes, const QString& name = QStringLiteral("lines.bmc")) {
        const QString path = t.path(name);
        QVERIFY(testfiles::writeFile(path, bytes));
        loadPath(path);
    }
    void loadPath(const QString& path) {
        t.dialogs.fileAnswers << path;
        QTest::mouseClick(button("Button1"), Qt::LeftButton);
    }
    QLineEdit* edit(int k) const {
        return window->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(k));
    }
    QPushButton* button(const char* name) const { return child<QPushButton>(*window, name); }
    QString text(const char* name) const { return child<QLabel>(*window, name)->text(); }
    QStringList memo(const char* name) const {
        return child<QPlainTextEdit>(*window, name)->toPlainText().split(u'\n');
    }
    QStringList boxes() const {
        QStringList all;
        for (int k = 1; k <= 8; ++k)
            all << edit(k)->text();
        return all;
    }
    QList<bool> shown() const {
        QList<bool> all;
        for (int k = 1; k <= 8; ++k)
            all << edit(k)->isVisible();
        return all;
    }
    void check() const { QTest::mouseClick(button("Button2"), Qt::LeftButton); }
};

QList<bool> boxesShown(int numbers, bool bonus) {
    QList<bool> all;
    for (int k = 1; k <= 7; ++k)
        all << (k <= numbers);
    return all << bonus;
}

const QStringList Saved{"6/49  >  07 - 12 - 19 - 23 - 35 - 48", "3/49  >  05 - 12 - 44",
                        "6/49  >  01 - 02 - 03 - 04 - 06 - 08"};

} // namespace

class TestCheckWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void opening_data();
    void opening();
    void lastDrawPanel();
    void loadAndCheck();
    void checkPadsBoxesAndUsesBonus();
    void shortFilesLeaveCheckAsItWas();
    void unreadableFilesChangeNothing_data();
    void unreadableFilesChangeNothing();
    void useLastLine_data();
    void useLastLine();
    void typingMovesOn();
    void hintsComeBackOnClose();
    void hostileFilesLoad_data();
    void hostileFilesLoad();
    void mainWindowOpensIt();
    void everythingFits_data();
    void everythingFits();
};

void TestCheckWindow::initTestCase() {
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
}

void TestCheckWindow::opening_data() {
    QTest::addColumn<int>("pick");
    QTest::newRow("pick 1") << 1;
    QTest::newRow("pick 6") << 6;
    QTest::newRow("pick 7") << 7;
}

void TestCheckWindow::opening() {
    QFETCH(int, pick);
    Fixture f(pick);
    TForm6& w = f.open();
    QCOMPARE(w.windowTitle(), QStringLiteral("Check for winning numbers"));
    QCOMPARE(w.size(), QSize(500, 387));
    QVERIFY(!(w.windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(f.shown(), boxesShown(pick, true));
    QVERIFY(!child<QWidget>(w, "Panel1")->isVisible());
    QVERIFY(!f.button("Button2")->isEnabled());
    QCOMPARE(f.memo("Memo2"), CheckFile::headerLines());
    QCOMPARE(f.text("Label7"), QStringLiteral("Total Loaded Draws : 0"));
    QCOMPARE(child<QSpinBox>(w, "SpinEdit1")->value(), 3);
    QCOMPARE(w.MinimumCorrect(), 3);
    QVERIFY(!w.IncludeBonus());
    QCOMPARE(f.button("Button1")->statusTip(),
             QStringLiteral("|Loads a previously saved Check file"));
    for (int k = 1; k <= 8; ++k)
        QCOMPARE(f.edit(k)->maxLength(), 2);

    const QStringList tabOrder{"Edit1",     "Edit2", "Edit3", "Edit4",     "Edit5",
                               "Edit6",     "Edit7", "Edit8", "Button2",   "Button1",
                               "SpinEdit1", "Memo2", "Memo1", "CheckBox1", "Button8"};
    QStringList chain;
    QWidget* widget = f.edit(1);
    do {
        if (tabOrder.contains(widget->objectName()) && !chain.contains(widget->objectName()))
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != f.edit(1));
    QCOMPARE(chain, tabOrder);
}

void TestCheckWindow::lastDrawPanel() {
    Fixture f;
    f.storeDraws({});
    f.open();
    QVERIFY(child<QWidget>(*f.window, "Panel1")->isVisible());
    QCOMPARE(f.text("Label15"), QStringLiteral(" 13/12/97 :  03  17  22  31  40  45  12"));
}

void TestCheckWindow::loadAndCheck() {
    Fixture f;
    f.open();
    f.load(checkFileBytes(Saved));
    QCOMPARE(f.t.dialogs.fileDialogs.size(), 1);
    QCOMPARE(f.t.dialogs.fileDialogs[0].title, QStringLiteral("Load Ballmere Pro Check File"));
    QCOMPARE(f.t.dialogs.fileDialogs[0].defaultExtension, QStringLiteral("bmc"));
    QCOMPARE(f.memo("Memo2"), CheckFile::headerLines() + Saved);
    QCOMPARE(f.text("Label7"), QStringLiteral("Total Loaded Draws : 3"));
    QVERIFY(f.button("Button2")->isEnabled());

    const QStringList winning{"05", "12", "23", "31", "40", "44"};
    for (int k = 1; k <= 6; ++k)
        QTest::keyClicks(f.edit(k), winning[k - 1]);
    child<QSpinBox>(*f.window, "SpinEdit1")->stepDown();
    QCOMPARE(f.window->MinimumCorrect(), 2);
    f.check();
    QCOMPARE(f.memo("Memo1"),
             (QStringList{"12  23    (2 Number Hit)", "05  12  44    (3 Number Hit)", "",
                          "2 Winning combinations found!!!"}));
    f.t.dialogs.fileAnswers.clear(); // cancelled: nothing changes
    QTest::mouseClick(f.button("Button1"), Qt::LeftButton);
    QCOMPARE(f.text("Label7"), QStringLiteral("Total Loaded Draws : 3"));
}

void TestCheckWindow::checkPadsBoxesAndUsesBonus() {
    Fixture f;
    f.open();
    f.load(checkFileBytes(Saved));
    QTest::keyClicks(f.edit(1), "7");
    f.edit(2)->setText("12");
    f.edit(3)->setText("23");
    f.edit(8)->setText("5");
    QCheckBox* const bonus = child<QCheckBox>(*f.window, "CheckBox1");
    QTest::mouseClick(bonus, Qt::LeftButton);
    QVERIFY(f.window->IncludeBonus());
    QVERIFY(child<QLabel>(*f.window, "Label6")->isVisible());
    f.check();
    QCOMPARE(f.boxes(), (QStringList{"07", "12", "23", "", "", "", "", "05"}));
    QCOMPARE(f.memo("Memo1"),
             (QStringList{"07  12  23    (3 Number Hit)", "", "1 Winning line found"}));

    QTest::mouseClick(bonus, Qt::LeftButton);
    QVERIFY(!child<QLabel>(*f.window, "Label6")->isVisible());
    f.edit(3)->clear();
    f.check();
    QCOMPARE(f.memo("Memo1"), QStringList{"No winning combinations found"});
}

void TestCheckWindow::shortFilesLeaveCheckAsItWas() {
    Fixture f;
    f.open();
    f.load(checkFileBytes({}));
    QCOMPARE(f.text("Label7"), QStringLiteral("Total Loaded Draws : 0"));
    QVERIFY(!f.button("Button2")->isEnabled());
    f.load("Ballmere Professional\r\n");
    QCOMPARE(f.text("Label7"), QStringLiteral("Total Loaded Draws : 0"));
    f.load(checkFileBytes(Saved));
    QVERIFY(f.button("Button2")->isEnabled());
    f.load(checkFileBytes({}));
    QVERIFY(f.button("Button2")->isEnabled());
    f.check();
    QCOMPARE(f.memo("Memo1"), QStringList{"No winning combinations found"});
}

void TestCheckWindow::unreadableFilesChangeNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "none.bmc"
                             << "Cannot open file %1";
    QTest::newRow("folder") << "folder.bmc"
                            << "Cannot open file %1";
    QTest::newRow("over 64 MiB")
        << "huge.bmc"
        << "Cannot open file %1\nIt is larger than any check file (64 MB).";
}

void TestCheckWindow::unreadableFilesChangeNothing() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    Fixture f;
    QVERIFY(QDir(f.t.folder.path()).mkdir("folder.bmc"));
    QFile huge(f.t.path("huge.bmc"));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(CheckFile::MaxFileSize + 1));
    huge.close();
    f.open();
    f.load(checkFileBytes(Saved));
    f.loadPath(f.t.path(name));
    QCOMPARE(f.t.dialogs.errors, QStringList{message.arg(f.t.path(name))});
    QCOMPARE(f.memo("Memo2"), CheckFile::headerLines() + Saved);
    QCOMPARE(f.text("Label7"), QStringLiteral("Total Loaded Draws : 3"));
    QVERIFY(f.button("Button2")->isEnabled());
}

void TestCheckWindow::useLastLine_data() {
    QTest::addColumn<int>("pickCount");
    QTest::addColumn<int>("dataPick");
    QTest::addColumn<bool>("dataBonus");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QStringList>("filled");

    QTest::newRow("6 with bonus") << 6 << 6 << true << QStringList{"  03", "  17", "  22", "  31",
                                                                   "  40", "  45", "",     "  12"}
                                  << QStringList{"03", "17", "22", "31", "40", "45", "", "12"};
    QTest::newRow("5 without bonus, old bonus text stays")
        << 7 << 5 << false << QStringList{"  01", "  02", "  x3", "  04", "  05"}
        << QStringList{"01", "02", "", "04", "05", "", "", "88"};
    QTest::newRow("7 with bonus on a pick-3 window")
        << 3 << 7 << true
        << QStringList{"  01", "  02", "  03", "  04", "  05", "  06", "  07", "  08"}
        << QStringList{"01", "02", "03", "04", "05", "06", "07", "08"};
}

void TestCheckWindow::useLastLine() {
    QFETCH(int, pickCount);
    QFETCH(int, dataPick);
    QFETCH(bool, dataBonus);
    QFETCH(QStringList, cells);
    QFETCH(QStringList, filled);
    Fixture f(pickCount);
    f.storeDraws({dataPick, dataBonus, cells});
    f.open();
    f.edit(8)->setText("88");
    QCheckBox* const useLast = child<QCheckBox>(*f.window, "CheckBox2");
    QTest::mouseClick(useLast, Qt::LeftButton);
    QCOMPARE(f.shown(), boxesShown(dataPick, dataBonus));
    QCOMPARE(f.boxes(), filled);

    QTest::mouseClick(useLast, Qt::LeftButton);
    QCOMPARE(f.shown(), boxesShown(pickCount, true));
    QCOMPARE(f.boxes(), QStringList(8, QString()));
}

// Each key goes wherever the focus is at that moment, as a user's typing does.
void TestCheckWindow::typingMovesOn() {
    Fixture f(3);
    TForm6& w = f.open();
    f.load(checkFileBytes(Saved));
    QVERIFY(QTest::qWaitForWindowActive(&w));
    f.edit(1)->setFocus();
    const auto type = [&](const QString& keys) {
        for (const QChar key : keys)
            QTest::keyClick(w.focusWidget(), key.toLatin1());
    };
    type("0512449");
    QCOMPARE(f.boxes(), (QStringList{"05", "12", "44", "", "", "", "", "9"}));
    type("1");
    QCOMPARE(w.focusWidget(), f.button("Button2"));
}

void TestCheckWindow::hintsComeBackOnClose() {
    Fixture f;
    QStringList mainHints;
    f.t.hints.setHandler([&](const QString& text) { mainHints << text; });
    f.open();
    f.t.hints.handler()(QStringLiteral("Close the Checking page"));
    QCOMPARE(child<QStatusBar>(*f.window, "StatusBar1")->currentMessage(),
             QStringLiteral("Close the Checking page"));
    QTest::mouseClick(f.button("Button8"), Qt::LeftButton);
    QVERIFY(!f.window->isVisible());
    f.window.reset();
    f.t.hints.handler()(QStringLiteral("back"));
    QCOMPARE(mainHints, QStringList{"back"});
}

void TestCheckWindow::hostileFilesLoad_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("saved");

    QByteArray binary(4096, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 37) & 0xff);
    QTest::newRow("binary bytes") << binary << -1;
    QTest::newRow("NUL bytes") << checkFileBytes({QString(QChar(0)) + ">  12\0"}) << 1;
    QTest::newRow("anchor in the last column") << checkFileBytes({"6/49  >"}) << 1;
    QTest::newRow("10 MB single line")
        << QByteArray(10 * 1000 * 1000, '7').insert(5000, ">  12") << 0;
    QTest::newRow("Latin-1 text") << checkFileBytes({}) + "6/49  >  12 \xe9\r\n" << 1;
}

// Any bytes load and check in reasonable time; the window stays usable.
void TestCheckWindow::hostileFilesLoad() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, saved);
    Fixture f;
    f.open();
    f.load(checkFileBytes(Saved));
    f.edit(1)->setText("12");
    QElapsedTimer timer;
    timer.start();
    f.load(bytes);
    f.check();
    QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
    if (saved >= 0)
        QCOMPARE(f.text("Label7"), QStringLiteral("Total Loaded Draws : %1").arg(saved));
    QVERIFY(!f.memo("Memo1").isEmpty());
    for (const QString& line : f.memo("Memo2"))
        QVERIFY(line.size() <= 1001); // a huge line is shown cut, never laid out whole
}

void TestCheckWindow::mainWindowOpensIt() {
    TestContext t;
    TForm1 mainWindow(t.context);
    int seen = 0;
    QTimer::singleShot(0, [&] {
        auto* const checker = qobject_cast<TForm6*>(QApplication::activeModalWidget());
        QVERIFY(checker);
        ++seen;
        QTest::mouseClick(child<QPushButton>(*checker, "Button8"), Qt::LeftButton);
    });
    QMetaObject::invokeMethod(&mainWindow, "Button4Click");
    QCOMPARE(seen, 1);
    QVERIFY(mainWindow.findChildren<TForm6*>().isEmpty());
}

void TestCheckWindow::everythingFits_data() {
    QTest::addColumn<bool>("withHistory");
    QTest::newRow("no database") << false;
    QTest::newRow("real history") << true;
}

// Every caption fits its control at the program's font, and nothing leaves its frame. With
// BALLMERE_SCREENSHOTS set to a folder the window is saved there after a check.
void TestCheckWindow::everythingFits() {
    QFETCH(bool, withHistory);
    Fixture f;
    if (withHistory) {
        const QString csv = qEnvironmentVariable(
            "BALLMERE_HISTORY", QStringLiteral("/work/shared/data/canada-649.csv"));
        if (!testfiles::loadHistory(csv, f.t.state, f.t.table))
            QSKIP("the draw history is not at hand");
    }
    TForm6& w = f.open();
    f.load(checkFileBytes(Saved + QStringList{"7/99  >  02 - 15 - 33 - 47 - 58 - 71 - 99"}));
    if (withHistory)
        QTest::mouseClick(child<QCheckBox>(w, "CheckBox2"), Qt::LeftButton);
    QTest::mouseClick(child<QCheckBox>(w, "CheckBox1"), Qt::LeftButton);
    child<QSpinBox>(w, "SpinEdit1")->setValue(1);
    f.check();

    QApplication::processEvents(); // the memos lay their text out
    // The banner and the longest line a program writes fit the list without scrolling sideways.
    QVERIFY(!child<QPlainTextEdit>(w, "Memo2")->horizontalScrollBar()->isVisible());
    const QString folder = qEnvironmentVariable("BALLMERE_SCREENSHOTS");
    if (!folder.isEmpty())
        QVERIFY(w.grab().save(QDir(folder).filePath(
            QStringLiteral("checker-%1.png").arg(withHistory ? "history" : "plain"))));

    for (QLabel* label : w.findChildren<QLabel*>()) {
        if (label->isHidden() && label->objectName() != "Label6")
            continue;
        if (label->wordWrap())
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                     qPrintable(label->objectName()));
        else
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->objectName()));
        QVERIFY2(label->parentWidget()->rect().contains(label->geometry()),
                 qPrintable(label->objectName()));
    }
    for (QAbstractButton* button : w.findChildren<QAbstractButton*>()) {
        QVERIFY2(
            button->sizeHint().width() <= button->width(),
            qPrintable(
                QStringLiteral("%1 %2").arg(button->objectName()).arg(button->sizeHint().width())));
        QVERIFY2(button->parentWidget()->rect().contains(button->geometry()),
                 qPrintable(button->objectName()));
    }
}

QTEST_MAIN(TestCheckWindow)

#include "tst_checkwindow.moc"
