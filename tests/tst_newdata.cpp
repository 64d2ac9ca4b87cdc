#include "database/Database.h"
#include "database/DatabaseHeader.h"
#include "database/Newdata.h"
#include "support/CaptionFit.h"
#include "support/DatabaseFixture.h"
#include "support/FileSizeLimit.h"
#include "support/TestContext.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

using namespace testfiles;

namespace {

// The database window and, over it, a shown new database dialog.
struct Dialog {
    TestContext t;
    TForm7 window{t.context};
    std::unique_ptr<TForm10> dialog;

    Dialog() { open(); }
    void open() {
        dialog = std::make_unique<TForm10>(t.context, &window);
        dialog->show();
    }
    QLineEdit* edit(int k) const {
        return child<QLineEdit>(*dialog, qPrintable(QStringLiteral("Edit%1").arg(k)));
    }
    QPlainTextEdit* memo() const { return child<QPlainTextEdit>(*dialog, "Memo1"); }
    void fill(const QStringList& texts) {
        for (int k = 1; k <= 4; ++k)
            edit(k)->setText(texts.value(k - 1));
    }
    QString label(const char* name) const { return child<QLabel>(window, name)->text(); }
};

} // namespace

class TestNewdata : public QObject {
    Q_OBJECT

private slots:
    void checksInOrder_data();
    void checksInOrder();
    void savesHeaderAndStartsEmpty_data();
    void savesHeaderAndStartsEmpty();
    void existingNameOnlyInProgramFolder();
    void descriptionIsTwoDisplayedLines();
    void replacesLoadedDatabase();
    void headerWriteFailure();
    void controlsHintsAndCaptions();
};

void TestNewdata::checksInOrder_data() {
    QTest::addColumn<QStringList>("boxes"); // name, pick, range, bonus
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("after"); // the boxes after Save

    QTest::newRow("empty bonus") << QStringList{"Lotto", "6", "49", ""}
                                 << QStringList{"Please enter data in all boxes"}
                                 << QStringList{"Lotto", "6", "49", ""};
    QTest::newRow("pick 8") << QStringList{"Lotto", "8", "49", "y"}
                            << QStringList{"You must pick from 1 - 7 numbers"}
                            << QStringList{"Lotto", "", "49", "y"};
    QTest::newRow("pick 0 and range 5: only the first")
        << QStringList{"Lotto", "0", "5", "y"} << QStringList{"You must pick from 1 - 7 numbers"}
        << QStringList{"Lotto", "", "5", "y"};
    QTest::newRow("letters in pick and range")
        << QStringList{"Lotto", "x", "ab", "y"}
        << QStringList{"x is not a valid number", "ab is not a valid number"}
        << QStringList{"Lotto", "", "", "y"};
    QTest::newRow("range 8") << QStringList{"Lotto", "6", "8", "n"}
                             << QStringList{"You must enter a number between 9 - 99"}
                             << QStringList{"Lotto", "6", "", "n"};
    QTest::newRow("range 5") << QStringList{"Lotto", "6", "5", "n"}
                             << QStringList{"You must enter a number between 9 - 99"}
                             << QStringList{"Lotto", "6", "", "n"};
    QTest::newRow("a folder in the name")
        << QStringList{"../Lotto", "6", "49", "n"}
        << QStringList{"\"../Lotto\" is not a valid database name"}
        << QStringList{"", "6", "49", "n"};
    QTest::newRow("blanks only") << QStringList{"   ", "6", "49", "n"}
                                 << QStringList{"\"   \" is not a valid database name"}
                                 << QStringList{"", "6", "49", "n"};
    // Names the header file would not give back as typed, or no file name on every system.
    const QStringList refused{"Lotto ", " Lotto", "Lotto\u00a0", "Lotto.",    ".Lotto",
                              "Lo:to",  "Lo*to",  "Lo?to",       "Lo\"to",    "Lo<to",
                              "Lo>to",  "Lo|to",  "Lo\u007fto",  "Lo\u0085to"};
    for (const QString& name : refused)
        QTest::newRow(qPrintable(QStringLiteral("name [%1]").arg(name)))
            << QStringList{name, "6", "49", "n"}
            << QStringList{QStringLiteral("\"%1\" is not a valid database name").arg(name)}
            << QStringList{"", "6", "49", "n"};
    QTest::newRow("name with a tab")
        << QStringList{"Lo\tto", "6", "49", "n"}
        << QStringList{"\"Lo?to\" is not a valid database name"} << QStringList{"", "6", "49", "n"};
}

void TestNewdata::checksInOrder() {
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, after);
    Dialog d;
    const QStringList before = fieldsOf(d.t.state);
    d.fill(boxes);
    d.dialog->Button1Click();
    QCOMPARE(d.t.dialogs.messages(), messages);
    QStringList texts;
    for (int k = 1; k <= 4; ++k)
        texts << d.edit(k)->text();
    QCOMPARE(texts, after);
    QVERIFY(d.dialog->isVisible());
    QCOMPARE(entries(d.t.folder.path()), QStringList());
    QCOMPARE(fieldsOf(d.t.state), before); // nothing set until every check passed
}

void TestNewdata::savesHeaderAndStartsEmpty_data() {
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QString>("bonusLabel");
    QTest::newRow("range 9, bonus Y")
        << QStringList{"Lotto", "6", "9", "Y"}
        << headerText("Name=Lotto\r\nPick=6\r\nRandom=9\r\nBonus=1\r\nDescription=\r\n") << "Yes";
    QTest::newRow("range 99, bonus n")
        << QStringList{"Big", "7", "99", "n"}
        << headerText("Name=Big\r\nPick=7\r\nRandom=99\r\nBonus=0\r\nDescription=\r\n") << "No";
    QTest::newRow("bonus other")
        << QStringList{"Odd", "1", "10", "x"}
        << headerText("Name=Odd\r\nPick=1\r\nRandom=10\r\nBonus=0\r\nDescription=\r\n") << "No";
    QTest::newRow("inner blanks, dots and accents")
        << QStringList{"Lotto 6.49 \u00e9", "6", "49", "y"}
        << headerText("Name=Lotto 6.49 \xc3\xa9\r\nPick=6\r\nRandom=49\r\nBonus=1\r\n"
                      "Description=\r\n")
        << "Yes";
}

void TestNewdata::savesHeaderAndStartsEmpty() {
    QFETCH(QStringList, boxes);
    QFETCH(QByteArray, header);
    QFETCH(QString, bonusLabel);
    Dialog d;
    d.fill(boxes);
    d.dialog->Button1Click();
    QCOMPARE(d.t.dialogs.messages(), QStringList());
    QVERIFY(!d.dialog->isVisible());
    const QString headerPath = d.t.path(boxes[0] + QStringLiteral(".bmd"));
    QCOMPARE(readFile(headerPath), header);
    QCOMPARE(readDatabaseHeader(headerPath, {}).name, boxes[0]); // read back as typed
    QCOMPARE(entries(d.t.folder.path()), QStringList{boxes[0] + QStringLiteral(".bmd")});
    QVERIFY(d.t.state.DatabaseLoaded);
    QCOMPARE(d.t.state.DataHeaderPath, headerPath);
    QCOMPARE(d.label("Label10"), boxes[0]);
    QCOMPARE(d.label("Label11"), boxes[1]);
    QCOMPARE(d.label("Label12"), boxes[2]);
    QCOMPARE(d.label("Label1"), bonusLabel);
    QCOMPARE(d.label("Label13"), QStringLiteral("0"));
    QVERIFY(child<QPushButton>(d.window, "Button9")->isEnabled());
    QCOMPARE(d.t.table.RowCount(), 15);
}

void TestNewdata::existingNameOnlyInProgramFolder() {
    Dialog d;
    QVERIFY(writeFile(d.t.path(QStringLiteral("Lotto.bmd")), LottoHeader));
    QVERIFY(d.window.OpenDatabase(d.t.path(QStringLiteral("Lotto.bmd"))).opened());
    d.fill({"Lotto", "6", "49", "y"});
    d.dialog->Button1Click();
    QCOMPARE(d.t.dialogs.messages(),
             QStringList{"You already have a database named :\r\nLotto. Please enter a different "
                         "name"});
    QCOMPARE(d.edit(1)->text(), QString());
    QCOMPARE(readFile(d.t.path(QStringLiteral("Lotto.bmd"))), LottoHeader);

    // A database of that name in another folder is no obstacle.
    QTemporaryDir elsewhere;
    QVERIFY(writeFile(elsewhere.filePath(QStringLiteral("Keno.bmd")), LottoHeader));
    d.fill({"Keno", "6", "49", "y"});
    d.dialog->Button1Click();
    QCOMPARE(d.t.dialogs.messages().size(), 1);
    QVERIFY(QFile::exists(d.t.path(QStringLiteral("Keno.bmd"))));
    QCOMPARE(d.t.state.DataName, QStringLiteral("Keno"));
}

void TestNewdata::descriptionIsTwoDisplayedLines() {
    Dialog d;
    QVERIFY(QTest::qWaitForWindowExposed(d.dialog.get()));
    const QString word = QStringLiteral("Lottery ");
    d.memo()->setPlainText(word.repeated(40).trimmed());
    const QString description = firstTwoDisplayedLines(d.memo());
    QVERIFY(description.size() > word.size() * 2);
    QVERIFY(description.size() < word.size() * 39);
    QVERIFY(word.repeated(40).startsWith(description));

    d.memo()->setPlainText(QStringLiteral("First\nSecond\nThird"));
    QCOMPARE(firstTwoDisplayedLines(d.memo()), QStringLiteral("FirstSecond"));
    QTest::keyClick(d.memo(), Qt::Key_Return);
    QCOMPARE(d.memo()->blockCount(), 3);

    d.fill({"Lotto", "6", "49", "y"});
    d.dialog->Button1Click();
    QCOMPARE(d.t.state.DataDescription, QStringLiteral("FirstSecond"));
    QCOMPARE(child<QPlainTextEdit>(d.window, "Memo1")->toPlainText(),
             QStringLiteral("FirstSecond"));
}

void TestNewdata::replacesLoadedDatabase() {
    Dialog d;
    const QString oldDraws = d.t.path(QStringLiteral("Old.bmi"));
    QVERIFY(writeFile(d.t.path(QStringLiteral("Old.bmd")), headerText("Name=Old\r\nPick=6\r\n"
                                                                      "Random=49\r\nBonus=1\r\n")));
    QVERIFY(writeFile(oldDraws, numberedDrawFile(3)));
    QVERIFY(d.window.OpenDatabase(d.t.path(QStringLiteral("Old.bmd"))).opened());
    d.window.SuperGrid1SelectCell(3);
    d.fill({"New", "5", "39", "n"});
    d.dialog->Button1Click();
    QCOMPARE(d.t.table.CountDraws(), 0);
    QCOMPARE(d.t.table.CellText(8, 0), QStringLiteral("   "));
    QCOMPARE(d.t.table.CellText(6, 0), QStringLiteral("    "));
    QCOMPARE(readFile(oldDraws), numberedDrawFile(3));
    QCOMPARE(d.t.state.DataTotalDraws, 0);
    QCOMPARE(d.t.state.DataLastDraw, QString());
    QCOMPARE(d.label("Label14"), QString());
    QCOMPARE(d.window.SelectedRow, 3);
    // Edit and Delete keep their state and find the line empty.
    QVERIFY(child<QPushButton>(d.window, "Button4")->isEnabled());
    d.window.Button4Click();
    QCOMPARE(d.t.dialogs.messages(), QStringList{"This is an empty line"});

    // The first draw creates the new draw file beside the new header.
    d.window.Button9Click();
    child<QLineEdit>(d.window, "Edit8")->setText(QStringLiteral("06/12/97"));
    for (int k = 1; k <= 5; ++k)
        child<QLineEdit>(d.window, qPrintable(QStringLiteral("Edit%1").arg(k)))
            ->setText(QString::number(k));
    d.window.Button6Click();
    QVERIFY(readFile(d.t.path(QStringLiteral("New.bmi")))
                .startsWith("\" 06/12/97\",\"  01\",\"  02\",\"  03\",\"  04\",\"  05\",\"\""));
}

void TestNewdata::headerWriteFailure() {
    Dialog d;
    const QStringList before = fieldsOf(d.t.state);
    d.fill({"Lotto", "6", "49", "y"});
    {
        const FileSizeLimit diskFull(16); // the header cannot be written whole, even by root
        d.dialog->Button1Click();
    }
    QCOMPARE(d.t.dialogs.messages(),
             QStringList{QStringLiteral("Unable to write to %1").arg(d.t.path("Lotto.bmd"))});
    QVERIFY(d.dialog->isVisible());
    QCOMPARE(fieldsOf(d.t.state), before);
    QCOMPARE(d.t.state.DataHeaderPath, QString());
}

void TestNewdata::controlsHintsAndCaptions() {
    Dialog d;
    QCOMPARE(d.dialog->windowTitle(), QStringLiteral("New Database"));
    QCOMPARE(d.dialog->minimumSize(), d.dialog->maximumSize());
    const QList<int> limits{13, 1, 2, 1};
    for (int k = 1; k <= 4; ++k)
        QCOMPARE(d.edit(k)->maxLength(), limits[k - 1]);
    QStringList order;
    QWidget* w = d.edit(1);
    for (; order.size() < 7; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
    QCOMPARE(order,
             QStringList({"Edit1", "Edit2", "Edit3", "Edit4", "Memo1", "Button1", "Button8"}));
    QCOMPARE(d.dialog->focusWidget(), d.edit(1));

    // The hints show in the database window's status bar.
    d.window.show();
    QApplication::setActiveWindow(&d.window);
    QVERIFY(QTest::qWaitForWindowActive(&d.window));
    d.open();
    QStatusTipEvent tip(d.edit(3)->statusTip());
    QCoreApplication::sendEvent(d.edit(3), &tip);
    QCOMPARE(child<QStatusBar>(d.window, "StatusBar1")->currentMessage(),
             QStringLiteral("The range of numbers picked from. (Min = 9, Max = 99)"));

    const QStringList clipped = clippedCaptions(*d.dialog);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
    d.dialog->Button8Click();
    QVERIFY(!d.dialog->isVisible());
    QCOMPARE(entries(d.t.folder.path()), QStringList());
}

QTEST_MAIN(TestNewdata)
#include "tst_newdata.moc"
