#include "lines/CheckFile.h"
#include "app/Main.h"
#include "check/Check.h"
#include "support/TestContext.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QCheckBox>
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

using testfiles::child;

namespace {

const QStringList Saved{"6/49  >  07 - 12 - 19 - 23 - 35 - 48", "3/49  >  05 - 12 - 44",
                        "7/99  >  02 - 15 - 33 - 47 - 58 - 71 - 99"};

QByteArray checkFile(const QStringList& saved) {
    return CheckFile::encode(CheckFile::headerLines() + saved);
}

struct Fixture {
    TestContext t;
    std::unique_ptr<TForm6> window;

    explicit Fixture(int pick = 6) { t.state.PickCount = pick; }

    // Two stored draws; the last one holds `cells` in columns 1..8.
    void storeDraws(int pick, bool bonus, const QStringList& cells) {
        TLotteryState& s = t.state;
        s.DatabaseLoaded = true;
        s.DataPick = pick;
        s.DataBonus = bonus;
        s.DataTotalDraws = 2;
        s.DataLastDraw = QStringLiteral(" 13/12/97");
        t.table.SetHeader(pick, bonus);
        t.table.SetCellText(0, 1, QStringLiteral(" 06/12/97"));
        t.table.SetCellText(1, 1, QStringLiteral("  99"));
        t.table.SetCellText(0, 2, s.DataLastDraw);
        for (int column = 1; column <= 8; ++column)
            t.table.SetCellText(column, 2, cells.value(column - 1));
    }
    TForm6& open() {
        window = std::make_unique<TForm6>(t.context);
        window->show();
        return *window;
    }
    void load(const QByteArray& bytes) {
        QVERIFY(testfiles::writeFile(t.path("lines.bmc"), bytes));
        loadPath(t.path("lines.bmc"));
    }
    void loadPath(const QString& path) {
        t.dialogs.fileAnswers << path;
        click("Button1");
    }
    void click(const char* name) const {
        QTest::mouseClick(child<QAbstractButton>(*window, name), Qt::LeftButton);
    }
    QLineEdit* edit(int k) const {
        return window->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(k));
    }
    bool enabled(const char* name) const { return child<QWidget>(*window, name)->isEnabled(); }
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
    QString shown() const {
        QString all;
        for (int k = 1; k <= 8; ++k)
            all += edit(k)->isVisible() ? u'x' : u'-';
        return all;
    }
    // The captions under the boxes, "1".."7" and "Bonus", in the same form.
    QString captionsShown() const {
        QString all;
        for (const char* name :
             {"Label8", "Label9", "Label10", "Label11", "Label12", "Label13", "Label14", "Label2"})
            all += child<QLabel>(*window, name)->isVisible() ? u'x' : u'-';
        return all;
    }
};

} // namespace

class TestCheckWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void opening();
    void loadAndCheck();
    void shortFilesLeaveCheckAsItWas();
    void unreadableFilesChangeNothing_data();
    void unreadableFilesChangeNothing();
    void useLastLine_data();
    void useLastLine();
    void typingMovesOn();
    void hintsComeBackOnClose();
    void hostileFilesLoad_data();
    void hostileFilesLoad();
    void manyShortLinesLoad();
    void mainWindowOpensIt();
    void everythingFits();
};

void TestCheckWindow::initTestCase() {
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
}

void TestCheckWindow::opening() {
    Fixture f(4);
    TForm6& w = f.open();
    QCOMPARE(w.windowTitle(), QStringLiteral("Check for winning numbers"));
    QCOMPARE(w.size(), QSize(500, 387));
    QCOMPARE(f.shown(), QStringLiteral("xxxx---x"));
    QCOMPARE(f.captionsShown(), f.shown());
    QVERIFY(!child<QWidget>(w, "Panel1")->isVisible());
    QVERIFY(!f.enabled("Button2"));
    QCOMPARE(f.memo("Memo2"), CheckFile::headerLines());
    QCOMPARE(f.text("Label7"), QStringLiteral("Total Loaded Draws : 0"));
    QCOMPARE(w.MinimumCorrect(), 3);
    QVERIFY(!w.IncludeBonus());
    QCOMPARE(child<QWidget>(w, "Button1")->statusTip(),
             QStringLiteral("|Loads a previously saved Check file"));

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

void TestCheckWindow::loadAndCheck() {
    Fixture f;
    TForm6& w = f.open();
    f.load(checkFile(Saved));
    QCOMPARE(f.t.dialogs.fileDialogs.value(0).title,
             QStringLiteral("Load Ballmere Pro Check File"));
    QCOMPARE(f.memo("Memo2"), CheckFile::headerLines() + Saved);
    QCOMPARE(f.text("Label7"), QStringLiteral("Total Loaded Draws : 3"));
    QVERIFY(f.enabled("Button2"));

    QTest::keyClicks(f.edit(1), "7");
    f.edit(2)->setText("12");
    f.edit(3)->setText("44");
    f.edit(8)->setText("5");
    child<QSpinBox>(w, "SpinEdit1")->stepDown();
    QCOMPARE(w.MinimumCorrect(), 2);
    f.click("CheckBox1");
    QVERIFY(w.IncludeBonus());
    QVERIFY(child<QLabel>(w, "Label6")->isVisible());
    f.click("Button2");
    QCOMPARE(f.boxes(), (QStringList{"07", "12", "44", "", "", "", "", "05"}));
    QCOMPARE(f.memo("Memo1"),
             (QStringList{"07  12    (2 Number Hit)", "05  12  44    (3 Number Hit)  (Bonus)", "",
                          "2 Winning combinations found!!!"}));

    f.click("CheckBox1");
    QVERIFY(!child<QLabel>(w, "Label6")->isVisible());
    f.edit(1)->clear();
    f.click("Button2");
    QCOMPARE(f.memo("Memo1"),
             (QStringList{"12  44    (2 Number Hit)", "", "1 Winning line found"}));
}

void TestCheckWindow::shortFilesLeaveCheckAsItWas() {
    Fixture f;
    f.open();
    f.load(checkFile({}));
    QCOMPARE(f.text("Label7"), QStringLiteral("Total Loaded Draws : 0"));
    QVERIFY(!f.enabled("Button2"));
    f.load("Ballmere Professional\r\n");
    QCOMPARE(f.text("Label7"), QStringLiteral("Total Loaded Draws : 0"));
    f.load(checkFile(Saved));
    f.load(checkFile({}));
    QVERIFY(f.enabled("Button2"));
    f.click("Button2");
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
    f.load(checkFile(Saved));
    f.loadPath(f.t.path(name));
    QCOMPARE(f.t.dialogs.errors, QStringList{message.arg(f.t.path(name))});
    QCOMPARE(f.memo("Memo2"), CheckFile::headerLines() + Saved);
    QCOMPARE(f.text("Label7"), QStringLiteral("Total Loaded Draws : 3"));
    QVERIFY(f.enabled("Button2"));
}

void TestCheckWindow::useLastLine_data() {
    QTest::addColumn<int>("pickCount");
    QTest::addColumn<int>("dataPick");
    QTest::addColumn<bool>("dataBonus");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("filled");
    QTest::addColumn<QString>("shownTicked");
    QTest::addColumn<QString>("shownUnticked");

    QTest::newRow("6 with bonus") << 6 << 6 << true << QStringList{"  03", "  17", "  22", "  31",
                                                                   "  40", "  45", "",     "  12"}
                                  << " 13/12/97 :  03  17  22  31  40  45  12"
                                  << QStringList{"03", "17", "22", "31", "40", "45", "", "12"}
                                  << "xxxxxx-x"
                                  << "xxxxxx-x";
    // The hidden bonus box keeps its text: it still takes part as the bonus entry.
    QTest::newRow("5 without bonus, a cell not a number")
        << 7 << 5 << false << QStringList{"  01", "  02", "  x3", "  04", "  05"}
        << " 13/12/97 :  01  02  x3  04  05"
        << QStringList{"01", "02", "", "04", "05", "", "", "88"} << "xxxxx---"
        << "xxxxxxxx";
    QTest::newRow("7 on a pick-1 window")
        << 1 << 7 << true
        << QStringList{"  01", "  02", "  03", "  04", "  05", "  06", "  07", "  08"}
        << " 13/12/97 :  01  02  03  04  05  06  07  08"
        << QStringList{"01", "02", "03", "04", "05", "06", "07", "08"} << "xxxxxxxx"
        << "x------x";
}

void TestCheckWindow::useLastLine() {
    QFETCH(int, pickCount);
    QFETCH(int, dataPick);
    QFETCH(bool, dataBonus);
    QFETCH(QStringList, cells);
    QFETCH(QString, caption);
    QFETCH(QStringList, filled);
    QFETCH(QString, shownTicked);
    QFETCH(QString, shownUnticked);
    Fixture f(pickCount);
    f.storeDraws(dataPick, dataBonus, cells);
    f.open();
    QVERIFY(child<QWidget>(*f.window, "Panel1")->isVisible());
    QCOMPARE(f.text("Label15"), caption);
    f.edit(8)->setText("88");
    f.click("CheckBox2");
    QCOMPARE(f.shown(), shownTicked);
    QCOMPARE(f.captionsShown(), shownTicked);
    QCOMPARE(f.boxes(), filled);
    f.click("CheckBox2");
    QCOMPARE(f.shown(), shownUnticked);
    QCOMPARE(f.captionsShown(), shownUnticked);
    QCOMPARE(f.boxes(), QStringList(8, QString()));
}

// Each key goes wherever the focus is at that moment, as a user's typing does.
void TestCheckWindow::typingMovesOn() {
    Fixture f(3);
    TForm6& w = f.open();
    f.load(checkFile(Saved));
    QVERIFY(QTest::qWaitForWindowActive(&w));
    f.edit(1)->setFocus();
    const auto type = [&](const QString& keys) {
        for (const QChar key : keys)
            QTest::keyClick(w.focusWidget(), key.toLatin1());
    };
    type("0512449");
    QCOMPARE(f.boxes(), (QStringList{"05", "12", "44", "", "", "", "", "9"}));
    type("1");
    QCOMPARE(w.focusWidget(), child<QWidget>(w, "Button2"));
}

void TestCheckWindow::hintsComeBackOnClose() {
    Fixture f;
    QStringList mainHints;
    f.t.hints.setHandler([&](const QString& text) { mainHints << text; });
    f.open();
    f.t.hints.handler()(QStringLiteral("Close the Checking page"));
    QCOMPARE(child<QStatusBar>(*f.window, "StatusBar1")->currentMessage(),
             QStringLiteral("Close the Checking page"));
    f.click("Button8");
    QVERIFY(!f.window->isVisible());
    f.window.reset();
    f.t.hints.handler()(QStringLiteral("back"));
    QCOMPARE(mainHints, QStringList{"back"});
}

void TestCheckWindow::hostileFilesLoad_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("count");

    QByteArray binary(4096, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 37) & 0xff);
    QTest::newRow("binary bytes") << binary << "";
    QTest::newRow("NUL bytes") << checkFile({QString(QChar(0)) + ">  12\0"}) << "1";
    QTest::newRow("anchor in the last column") << checkFile({"6/49  >"}) << "1";
    QTest::newRow("10 MB single line")
        << QByteArray(10 * 1000 * 1000, '7').insert(5000, ">  12") << "0";
    QTest::newRow("Latin-1 text") << checkFile({}) + "6/49  >  12 \xe9\r\n"
                                  << "1";
}

// Any bytes load and check; a huge line is shown cut, never laid out whole.
void TestCheckWindow::hostileFilesLoad() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, count);
    Fixture f;
    f.open();
    f.edit(1)->setText("12");
    f.load(bytes);
    f.click("Button2");
    if (!count.isEmpty())
        QCOMPARE(f.text("Label7"), "Total Loaded Draws : " + count);
    QVERIFY(!f.memo("Memo1").isEmpty());
    for (const QString& line : f.memo("Memo2"))
        QVERIFY(line.size() <= 1001);
}

// Twenty million empty lines and one saved line at the end: the list shows the first lines and
// how many more there are, so it is laid out at once; the count and the check take every line.
void TestCheckWindow::manyShortLinesLoad() {
    constexpr int Empty = 20 * 1024 * 1024;
    Fixture f;
    f.open();
    f.load(checkFile({}) + QByteArray(Empty, '\n') + "3/49  >  12 - 13 - 14\r\n");
    QCOMPARE(f.text("Label7"), QStringLiteral("Total Loaded Draws : %1").arg(Empty + 1));
    const QStringList shown = f.memo("Memo2");
    QCOMPARE(shown.size(), 4 + 100000 + 1);
    QCOMPARE(shown.first(), CheckFile::headerLines().first());
    QCOMPARE(shown.last(), QStringLiteral("(20,871,521 more lines, not shown)"));
    QVERIFY(f.enabled("Button2"));

    for (int k = 1; k <= 3; ++k)
        f.edit(k)->setText(QString::number(11 + k));
    f.click("Button2");
    QCOMPARE(f.memo("Memo1"),
             (QStringList{"12  13  14    (3 Number Hit)", "", "1 Winning line found"}));
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

// Every caption fits its control at the program's font and stays inside its parent, and the
// longest saved line fits the list. With BALLMERE_SCREENSHOTS set to a folder the window is
// saved there after a check.
void TestCheckWindow::everythingFits() {
    Fixture f;
    f.storeDraws(6, true, {"  03", "  17", "  22", "  31", "  40", "  45", "", "  12"});
    TForm6& w = f.open();
    f.load(checkFile(Saved));
    f.click("CheckBox2");
    f.click("CheckBox1");
    f.click("Button2");
    QApplication::processEvents(); // the memos lay their text out
    QVERIFY(!child<QPlainTextEdit>(w, "Memo2")->horizontalScrollBar()->isVisible());
    const QString folder = qEnvironmentVariable("BALLMERE_SCREENSHOTS");
    if (!folder.isEmpty())
        QVERIFY(w.grab().save(QDir(folder).filePath("checker.png")));

    for (QLabel* label : w.findChildren<QLabel*>()) {
        const char* const name = qPrintable(label->objectName());
        if (label->wordWrap())
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
        else
            QVERIFY2(label->sizeHint().width() <= label->width(), name);
        QVERIFY2(label->parentWidget()->rect().contains(label->geometry()), name);
    }
    for (QAbstractButton* button : w.findChildren<QAbstractButton*>()) {
        QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->objectName()));
        QVERIFY2(button->parentWidget()->rect().contains(button->geometry()),
                 qPrintable(button->objectName()));
    }
}

QTEST_MAIN(TestCheckWindow)

#include "tst_checkwindow.moc"
