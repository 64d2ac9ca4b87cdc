#include "database/Database.h"
#include "database/EntryRules.h"
#include "database/TwoDigitYear.h"
#include "platform/SystemClock.h"
#include "support/CaptionFit.h"
#include "support/DatabaseFixture.h"
#include "support/TestContext.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace testfiles;

namespace {

// The database window over a pick-6-with-bonus database "Lotto" in the program folder, shown
// and active so that focus and keys behave as for a user.
struct Window {
    TestContext t;
    QString headerPath = t.path(QStringLiteral("Lotto.bmd"));
    QString drawPath = t.path(QStringLiteral("Lotto.bmi"));
    std::unique_ptr<TForm7> window;

    explicit Window(const QByteArray& drawFile = {}, const QByteArray& header = LottoHeader) {
        writeFile(headerPath, header);
        if (!drawFile.isEmpty())
            writeFile(drawPath, drawFile);
        window = std::make_unique<TForm7>(t.context);
        window->OpenDatabase(headerPath);
        window->show();
        QApplication::setActiveWindow(window.get());
    }
    QLineEdit* edit(int k) const {
        return child<QLineEdit>(*window, qPrintable(QStringLiteral("Edit%1").arg(k)));
    }
    QPushButton* button(int k) const {
        return child<QPushButton>(*window, qPrintable(QStringLiteral("Button%1").arg(k)));
    }
    QTableView* grid() const { return child<QTableView>(*window, "SuperGrid1"); }
    QString label(const char* name) const { return child<QLabel>(*window, name)->text(); }
    // Types the date and the numbers of a pick-6 draw with its bonus into the boxes.
    void fill(const QString& date, const QStringList& numbers) {
        edit(8)->setText(date);
        const int boxes[] = {1, 2, 3, 4, 5, 6, 9};
        for (int i = 0; i < 7; ++i)
            edit(boxes[i])->setText(numbers.value(i));
    }
    QString focused() const {
        return window->focusWidget() ? window->focusWidget()->objectName() : QString();
    }
};

const QStringList SixAndBonus{"03", "17", "22", "31", "40", "45", "12"};

// A draw file holding DrawLine with its cell in `column` replaced by `cell`.
QByteArray withCell(int column, const QByteArray& cell) {
    QList<QByteArray> cells = DrawLine.split(',');
    cells[column] = '"' + cell + '"';
    return cells.join(',') + '\r';
}

QByteArray withEmptyRows(const QByteArray& lines, int rows) {
    QByteArray bytes = lines;
    for (int n = 0; n < rows; ++n)
        bytes += EmptyRow;
    return bytes;
}

} // namespace

class TestDatabaseEntry : public QObject {
    Q_OBJECT

private slots:
    void browseAndEntryStates_data();
    void browseAndEntryStates();
    void okChecks_data();
    void okChecks();
    void failedOkKeepsGridLocked();
    void addEditDeleteRoundTrip();
    void editOfUnreadableDate();
    void everyAcceptedDateIsKept();
    void editReadsTwoDigitYears_data();
    void editReadsTwoDigitYears();
    void editRefusesCellsItCannotShow_data();
    void editRefusesCellsItCannotShow();
    void deleteQuestionNamesTheDraw_data();
    void deleteQuestionNamesTheDraw();
    void deletingOnlyDrawKeepsButtons();
    void fifteenthDrawGrowsTable();
    void loadKeepsSelectedRow();
    void keyboardEntry();
    void windowManagerClose();
    void failedSaveKeepsDrawOnce();
    void captionsWhole();
    void eightCharacterDates_data();
    void eightCharacterDates();
    void importPublishedHistory();
};

void TestDatabaseEntry::browseAndEntryStates_data() {
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QList<int>>("shownBoxes");
    QTest::newRow("pick 6 with bonus") << LottoHeader << QList<int>{1, 2, 3, 4, 5, 6, 9};
    QTest::newRow("pick 7 without bonus")
        << headerText("Name=Lotto\r\nPick=7\r\nRandom=49\r\nBonus=0\r\n")
        << QList<int>{1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("pick 9 shows no number box")
        << headerText("Name=Lotto\r\nPick=9\r\nRandom=49\r\nBonus=0\r\n") << QList<int>{};
}

void TestDatabaseEntry::browseAndEntryStates() {
    QFETCH(QByteArray, header);
    QFETCH(QList<int>, shownBoxes);
    Window w(numberedDrawFile(2), header);
    const QColor grey = QGuiApplication::palette().color(QPalette::Button);
    const QColor white = QGuiApplication::palette().color(QPalette::Base);
    const auto checkBrowse = [&] {
        QVERIFY(w.grid()->isEnabled());
        QVERIFY(!child<QWidget>(*w.window, "Panel1")->isEnabled());
        for (int k : {1, 2, 3, 4, 5, 8, 9})
            QVERIFY2(w.button(k)->isEnabled(), qPrintable(QString::number(k)));
        for (int k : {6, 7})
            QVERIFY(!w.button(k)->isEnabled());
        for (int k = 1; k <= 9; ++k) {
            QVERIFY(w.edit(k)->text().isEmpty());
            QCOMPARE(w.edit(k)->isHidden(), k != 8);
        }
        QCOMPARE(w.edit(8)->palette().color(QPalette::Base), grey);
        QVERIFY(child<QLabel>(*w.window, "Label3")->isHidden()); // "Bonus" goes with its box
        QVERIFY(!w.window->entering());
    };
    checkBrowse();

    w.window->Button9Click();
    QVERIFY(!w.grid()->isEnabled());
    QVERIFY(child<QWidget>(*w.window, "Panel1")->isEnabled());
    for (int k : {1, 2, 3, 4, 5, 8, 9})
        QVERIFY(!w.button(k)->isEnabled());
    for (int k : {6, 7})
        QVERIFY(w.button(k)->isEnabled());
    for (int k : {1, 2, 3, 4, 5, 6, 7, 9})
        QCOMPARE(!w.edit(k)->isHidden(), shownBoxes.contains(k));
    QCOMPARE(!child<QLabel>(*w.window, "Label3")->isHidden(), shownBoxes.contains(9));
    QCOMPARE(w.edit(8)->palette().color(QPalette::Base), white);
    QCOMPARE(w.edit(8)->text(), QStringLiteral("07/12/26"));
    QCOMPARE(w.focused(), QStringLiteral("Edit8"));

    w.edit(1)->setText(QStringLiteral("5"));
    w.window->Button7Click();
    checkBrowse();
    QVERIFY(!w.window->EditingLine);
    QCOMPARE(readFile(w.drawPath), numberedDrawFile(2));
}

void TestDatabaseEntry::okChecks_data() {
    QTest::addColumn<QString>("date");
    QTest::addColumn<QStringList>("numbers"); // Edit1..Edit6, Edit9
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("emptied");
    QTest::addColumn<QStringList>("stored"); // row 1 after a successful Ok

    const QStringList none;
    const QString date = QStringLiteral("06/12/97");
    QTest::newRow("date of 6") << "6/1/97" << SixAndBonus
                               << QStringList{"You need to enter a valid date"} << "Edit8"
                               << "" << none;
    QTest::newRow("date of 10") << "06/12/1997" << SixAndBonus
                                << QStringList{"You need to enter a valid date"} << "Edit8"
                                << "" << none;
    QTest::newRow("date of blanks")
        << "        " << SixAndBonus << QStringList{"You need to enter a valid date"} << "Edit8"
        << "" << none;
    // Eight characters that the draw file would not give back.
    for (const char* unstorable : {"\"\"\"\"\"\"\"\"", "06/12/9\"", "06\r12/97", "06\n12/97",
                                   "06\t12/97", "06/12/9 ", "06/12/\0327", "\00106/12/9"})
        QTest::newRow(qPrintable("date " + QByteArray(unstorable).toHex()))
            << QString::fromLatin1(unstorable) << SixAndBonus
            << QStringList{"You need to enter a valid date"} << "Edit8"
            << "" << none;
    QTest::newRow("empty first box, letters in the next")
        << date << QStringList{"", "ab", "22", "31", "40", "45", "12"}
        << QStringList{"Please enter all numbers"} << "Edit1"
        << "" << none;
    QTest::newRow("empty bonus box") << date << QStringList{"03", "17", "22", "31", "40", "45", ""}
                                     << QStringList{"Please enter data in all numbers"} << "Edit9"
                                     << "" << none;
    QTest::newRow("letters") << date << QStringList{"03", "17", "x7", "31", "40", "", "12"}
                             << QStringList{"x7 is not a valid number"} << "Edit3"
                             << "Edit3" << none;
    QTest::newRow("another script's digit")
        << date << QStringList{"03", "17", "22", "31", "40", "45", QStringLiteral("\u0663")}
        << QStringList{QStringLiteral("\u0663 is not a valid number")} << "Edit9"
        << "Edit9" << none;
    QTest::newRow("a blank and a sign")
        << date << QStringList{"03", "17", "22", "31", "40", " ", "12"}
        << QStringList{"  is not a valid number"} << "Edit6"
        << "Edit6" << none;
    QTest::newRow("stored as typed, padded")
        << date << QStringList{"7", "07", "-5", "+7", "00", "99", "1"} << none << ""
        << ""
        << QStringList{" 06/12/97", "  07", "  07", "  -5", "  +7", "  00", "  99", "", "  01", ""};
}

void TestDatabaseEntry::okChecks() {
    QFETCH(QString, date);
    QFETCH(QStringList, numbers);
    QFETCH(QStringList, messages);
    QFETCH(QString, focus);
    QFETCH(QString, emptied);
    QFETCH(QStringList, stored);
    QCOMPARE(checkDrawEntry(date, numbers).message, messages.value(0));
    if (date.size() > 8)
        return; // more than the date box holds
    Window w;
    w.window->Button9Click();
    w.fill(date, numbers);
    w.window->Button6Click();
    QCOMPARE(w.t.dialogs.messages(), messages);
    if (stored.isEmpty()) {
        QVERIFY(w.window->entering());
        QVERIFY(!QFile::exists(w.drawPath));
        QCOMPARE(w.focused(), focus);
        if (focus == QLatin1String("Edit8"))
            QCOMPARE(w.edit(8)->text(), QStringLiteral("07/12/26"));
        for (int k : {1, 2, 3, 4, 5, 6, 9}) {
            const QString name = QStringLiteral("Edit%1").arg(k);
            QCOMPARE(w.edit(k)->text().isEmpty(),
                     name == emptied || numbers.value(k == 9 ? 6 : k - 1).isEmpty());
        }
        return;
    }
    QVERIFY(!w.window->entering());
    QCOMPARE(rowCells(w.t.table, 1), stored);
    QCOMPARE(w.label("Label13"), QStringLiteral("1"));
    QCOMPARE(w.label("Label14"), QStringLiteral(" 06/12/97"));
    QCOMPARE(w.t.state.DataTotalDraws, 1);
    QCOMPARE(w.window->gridModel()->index(0, 3).data().toString(), QStringLiteral("  -5"));
}

void TestDatabaseEntry::failedOkKeepsGridLocked() {
    Window w(numberedDrawFile(3));
    w.window->SuperGrid1SelectCell(2);
    w.window->Button4Click();
    w.edit(1)->clear();
    w.window->Button6Click();
    QCOMPARE(w.t.dialogs.messages(), QStringList{"Please enter all numbers"});
    QVERIFY(!w.grid()->isEnabled());
    QVERIFY(w.window->EditingLine);
    w.edit(1)->setText(QStringLiteral("44"));
    w.window->Button6Click();
    QCOMPARE(w.t.table.CellText(1, 2), QStringLiteral("  44"));
    QCOMPARE(w.t.table.CellText(1, 1), QStringLiteral("  11"));
}

void TestDatabaseEntry::addEditDeleteRoundTrip() {
    Window w;
    w.window->Button9Click();
    w.fill(QStringLiteral("06/12/97"), SixAndBonus);
    w.window->Button6Click();
    QCOMPARE(readFile(w.drawPath), withEmptyRows(DrawLine + "\r", 13));
    QVERIFY(w.button(3)->isEnabled() && w.button(4)->isEnabled());

    w.window->Button4Click(); // row 1 is selected from the start
    QCOMPARE(w.edit(8)->text(), QStringLiteral("06/12/97"));
    QCOMPARE(w.edit(1)->text(), QStringLiteral("03"));
    QCOMPARE(w.edit(9)->text(), QStringLiteral("12"));
    QCOMPARE(w.edit(7)->text(), QStringLiteral("00")); // hidden boxes are filled too
    w.edit(2)->setText(QStringLiteral("18"));
    w.edit(8)->setText(QStringLiteral("07/12/97"));
    w.window->Button6Click();
    QByteArray edited = DrawLine;
    edited.replace("  17", "  18").replace("06/12/97", "07/12/97");
    QCOMPARE(readFile(w.drawPath), withEmptyRows(edited + "\r", 13));
    QVERIFY(!w.window->EditingLine);

    w.t.dialogs.questionAnswers = {false, true};
    w.window->Button3Click();
    QCOMPARE(readFile(w.drawPath), withEmptyRows(edited + "\r", 13));
    w.window->Button3Click();
    QCOMPARE(w.t.dialogs.questions,
             QStringList(2, QStringLiteral("Are you sure you want to Delete this line ?\n"
                                           " 07/12/97:  03  18  22  31  40  45  + 12")));
    QCOMPARE(readFile(w.drawPath), withEmptyRows({}, 14));
    QCOMPARE(w.label("Label13"), QStringLiteral("0"));
    QCOMPARE(w.label("Label14"), QString());
    QVERIFY(w.t.dialogs.messages().isEmpty());
}

void TestDatabaseEntry::editOfUnreadableDate() {
    QByteArray file = numberedDrawFile(1);
    file.replace("01/01/99", "01-01-99");
    Window w(file);
    w.window->Button4Click();
    QCOMPARE(w.t.dialogs.messages(), QStringList{"' 01-01-99' is not a valid date"});
    QVERIFY(w.window->entering());
    w.window->Button7Click();
    QVERIFY(!w.window->entering());
    QCOMPARE(readFile(w.drawPath), file);
    QCOMPARE(w.t.table.CellText(0, 1), QStringLiteral(" 01-01-99"));

    // Another order of day, month and year reads its own dates.
    w.t.clock.dateFormat = QStringLiteral("dd-MM-yy");
    w.window->Button4Click();
    QCOMPARE(w.edit(8)->text(), QStringLiteral("01-01-99"));
}

// Whatever character a date accepted by Ok holds, the draw file gives it back unchanged.
void TestDatabaseEntry::everyAcceptedDateIsKept() {
    TDrawTable table;
    table.SetRowCount(0x10000);
    int row = 0;
    for (char16_t c = 1; c != 0; ++c) {
        const QString date = QStringLiteral("01/01/9") + QChar(c);
        if (!checkDrawEntry(date, {}).failed())
            table.SetCellText(0, ++row, drawDateCell(date));
    }
    QVERIFY(row > 60000);
    table.SetRowCount(row + 1);
    QTemporaryDir folder;
    QCOMPARE(table.SaveRows(folder.filePath(QStringLiteral("dates.bmi"))), QString());
    TDrawTable again;
    QVERIFY(again.LoadRows(folder.filePath(QStringLiteral("dates.bmi"))));
    QVERIFY(cellsOf(again) == cellsOf(table));
}

void TestDatabaseEntry::editReadsTwoDigitYears_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<QString>("shown"); // "" when Edit refuses the date
    QTest::newRow("29/02/00 is in 2000") << "dd/MM/yy" << QByteArray(" 29/02/00") << "29/02/00";
    QTest::newRow("29/02/50 is in 1950") << "dd/MM/yy" << QByteArray(" 29/02/50") << "";
    QTest::newRow("29/02/48 is in 2048") << "dd/MM/yy" << QByteArray(" 29/02/48") << "29/02/48";
    QTest::newRow("month first") << "MM/dd/yy" << QByteArray(" 02/29/00") << "02/29/00";
    QTest::newRow("year first") << "yy-MM-dd" << QByteArray(" 00-02-29") << "00-02-29";
    QTest::newRow("one-digit day and month") << "dd.MM.yy" << QByteArray(" 9.2.00") << "09.02.00";
    QTest::newRow("31st of April") << "dd/MM/yy" << QByteArray(" 31/04/00") << "";
    QTest::newRow("month name, 29 Feb 00") << "dd MMMyy" << QByteArray(" 29 Feb00") << "29 Feb00";
    QTest::newRow("month name, 29 Feb 50") << "dd MMMyy" << QByteArray(" 29 Feb50") << "";
}

void TestDatabaseEntry::editReadsTwoDigitYears() {
    QFETCH(QString, format);
    QFETCH(QByteArray, cell);
    QFETCH(QString, shown);
    static_assert(yearFromTwoDigits(0) == 2000 && yearFromTwoDigits(49) == 2049);
    static_assert(yearFromTwoDigits(50) == 1950 && yearFromTwoDigits(99) == 1999);
    Window w(withCell(0, cell));
    w.t.clock.dateFormat = format;
    w.window->Button4Click();
    const QString refusal = QStringLiteral("'%1' is not a valid date").arg(QString(cell));
    QCOMPARE(w.t.dialogs.messages(), shown.isEmpty() ? QStringList{refusal} : QStringList());
    QCOMPARE(w.edit(8)->text(), shown);
}

void TestDatabaseEntry::editRefusesCellsItCannotShow_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<QString>("message"); // "" when Edit shows the row
    QTest::addColumn<QString>("shown");   // the cell's box then
    QTest::newRow("beyond any integer")
        << 1 << QByteArray("  2147483648") << "'  2147483648' is not a valid number"
        << "";
    QTest::newRow("three digits") << 3 << QByteArray("  123") << "'  123' is not a valid number"
                                  << "";
    QTest::newRow("bonus") << 8 << QByteArray("  100") << "'  100' is not a valid number"
                           << "";
    QTest::newRow("negative, one digit") << 4 << QByteArray("  -5") << ""
                                         << "-5";
    // Column 7 is not used by a pick-6 game: Ok does not store its box.
    QTest::newRow("unused column") << 7 << QByteArray("  123") << ""
                                   << "12";
}

void TestDatabaseEntry::editRefusesCellsItCannotShow() {
    QFETCH(int, column);
    QFETCH(QByteArray, cell);
    QFETCH(QString, message);
    QFETCH(QString, shown);
    const QByteArray file = withCell(column, cell);
    Window w(file);
    w.window->Button4Click();
    QCOMPARE(w.t.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(w.edit(column == 8 ? 9 : column)->text(), shown);
    w.window->Button7Click();
    QCOMPARE(readFile(w.drawPath), file);
}

void TestDatabaseEntry::deleteQuestionNamesTheDraw_data() {
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QString>("draw");
    QTest::newRow("six and a bonus") << drawCells() << " 06/12/97:  03  17  22  31  40  45  + 12";
    QTest::newRow("no bonus") << QStringList{" 19/11/25", "  14", "  17", "  28"}
                              << " 19/11/25:  14  17  28";
    QTest::newRow("seven, hand-edited cells")
        << QStringList{" 1/2/03", "  01", "  02", "  03", "  04", "  05", "  06", "  07", "", "7"}
        << " 1/2/03:  01  02  03  04  05  06  07";
    QTest::newRow("pick 1, bonus")
        << QStringList{" 02/01/99", "  09", "", "", "", "", "", "", " 3"} << " 02/01/99:  09  + 3";
}

void TestDatabaseEntry::deleteQuestionNamesTheDraw() {
    QFETCH(QStringList, cells);
    QFETCH(QString, draw);
    TDrawTable table;
    for (int column = 0; column < cells.size(); ++column)
        table.SetCellText(column, 2, cells[column]);
    QCOMPARE(deleteQuestionText(table, 2),
             QStringLiteral("Are you sure you want to Delete this line ?\n") + draw);
}

void TestDatabaseEntry::deletingOnlyDrawKeepsButtons() {
    Window w(numberedDrawFile(1));
    w.t.dialogs.questionAnswers = {true};
    w.window->Button3Click();
    QCOMPARE(w.t.state.DataTotalDraws, 0);
    QVERIFY(w.button(3)->isEnabled() && w.button(4)->isEnabled());
    w.window->Button4Click();
    w.window->Button3Click();
    QCOMPARE(w.t.dialogs.messages(), QStringList(2, QStringLiteral("This is an empty line")));
    QCOMPARE(w.t.dialogs.questions.size(), 1);
    QVERIFY(!w.window->entering());
}

void TestDatabaseEntry::fifteenthDrawGrowsTable() {
    Window w(numberedDrawFile(14));
    w.window->Button9Click();
    w.fill(QStringLiteral("15/01/99"), SixAndBonus);
    w.window->Button6Click();
    QCOMPARE(w.t.table.RowCount(), 16);
    QCOMPARE(w.t.table.CellText(0, 15), QStringLiteral(" 15/01/99"));
    QCOMPARE(w.window->gridModel()->rowCount(), 15);
    QCOMPARE(w.label("Label13"), QStringLiteral("15"));
    QCOMPARE(int(readFile(w.drawPath).count('\r')), 15);
}

void TestDatabaseEntry::loadKeepsSelectedRow() {
    Window w(numberedDrawFile(12));
    w.grid()->selectRow(8); // row 9 of the table
    QCOMPARE(w.window->SelectedRow, 9);
    QTest::keyClick(w.grid(), Qt::Key_Up);
    QCOMPARE(w.window->SelectedRow, 8);
    QTest::keyClick(w.grid(), Qt::Key_Down);
    QCOMPARE(w.window->SelectedRow, 9);

    const QString other = w.t.path(QStringLiteral("Other.bmd"));
    writeFile(other, headerText("Name=Other\r\nPick=6\r\nRandom=49\r\nBonus=1\r\n"));
    writeFile(w.t.path(QStringLiteral("Other.bmi")), numberedDrawFile(3));
    w.t.dialogs.fileAnswers = {other};
    w.window->Button2Click();
    const FileDialogOptions options = w.t.dialogs.fileDialogs.constLast();
    QCOMPARE(options.title, QStringLiteral("Load Ballmere Pro Database"));
    QCOMPARE(options.defaultExtension, QStringLiteral("bmd"));
    QVERIFY(options.filter.startsWith(QStringLiteral("Ballmere Pro Database *.bmd (")));
    QCOMPARE(w.label("Label10"), QStringLiteral("Other"));
    QCOMPARE(w.label("Label13"), QStringLiteral("3"));
    QCOMPARE(w.window->SelectedRow, 9);
    QCOMPARE(w.grid()->selectionModel()->selectedRows().value(0).row(), 8);

    w.window->Button4Click();
    QCOMPARE(w.t.dialogs.messages(), QStringList{"This is an empty line"});
    w.grid()->selectRow(1);
    w.window->Button4Click();
    QVERIFY(w.window->entering());
    QCOMPARE(w.edit(8)->text(), QStringLiteral("02/01/99"));
}

void TestDatabaseEntry::keyboardEntry() {
    Window w(numberedDrawFile(1));
    QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
    QTest::keyClick(w.window.get(), Qt::Key_A, Qt::AltModifier); // &Add Line
    QTRY_VERIFY(w.window->entering());
    QCOMPARE(w.focused(), QStringLiteral("Edit8"));
    QCOMPARE(w.edit(8)->selectedText(), QStringLiteral("07/12/26")); // today, typed over
    QTest::keyClicks(w.edit(8), QStringLiteral("08/12/26"));
    QCOMPARE(w.edit(8)->text(), QStringLiteral("08/12/26"));
    QCOMPARE(w.focused(), QStringLiteral("Edit1"));
    for (const char* number : {"04", "15", "16", "23", "42", "48", "07"})
        QTest::keyClicks(w.window->focusWidget(), QLatin1String(number));
    QCOMPARE(w.edit(6)->text(), QStringLiteral("48"));
    QCOMPARE(w.edit(9)->text(), QStringLiteral("07"));
    QCOMPARE(w.focused(), QStringLiteral("Button6"));
    QTest::keyClick(w.window->focusWidget(), Qt::Key_Return);
    QVERIFY(!w.window->entering());
    QCOMPARE(w.t.table.CellText(0, 2), QStringLiteral(" 08/12/26"));
    QCOMPARE(w.t.table.CellText(8, 2), QStringLiteral("  07"));

    // Enter in a box presses Ok as well, and so does its mnemonic.
    QTest::keyClick(w.window.get(), Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(w.window->entering());
    QTest::keyClick(w.edit(8), Qt::Key_Return);
    QCOMPARE(w.t.dialogs.messages(), QStringList{"Please enter all numbers"});
    w.fill(QStringLiteral("09/12/26"), SixAndBonus);
    QTest::keyClick(w.edit(9), Qt::Key_O, Qt::AltModifier);
    QTRY_VERIFY(!w.window->entering());
    QCOMPARE(w.t.table.CellText(0, 3), QStringLiteral(" 09/12/26"));
    QVERIFY(w.t.dialogs.errors.isEmpty());
}

void TestDatabaseEntry::windowManagerClose() {
    Window w;
    w.window->Button9Click();
    QVERIFY(!w.window->close());
    QVERIFY(w.window->isVisible());
    w.window->Button7Click();
    w.window->close();
    QVERIFY(!w.window->isVisible());
}

void TestDatabaseEntry::failedSaveKeepsDrawOnce() {
    Window w(numberedDrawFile(1));
    const QByteArray before = readFile(w.drawPath);
    QFile::remove(w.drawPath);
    QVERIFY(QDir(w.t.folder.path()).mkdir(QStringLiteral("Lotto.bmi"))); // cannot be replaced
    w.window->Button9Click();
    w.fill(QStringLiteral("02/01/99"), SixAndBonus);
    w.window->Button6Click();
    QCOMPARE(w.t.dialogs.errors.size(), 1);
    QVERIFY(!w.window->entering());
    QCOMPARE(w.t.table.CountDraws(), 2);
    QCOMPARE(w.label("Label13"), QStringLiteral("2"));
    QVERIFY(QFileInfo(w.drawPath).isDir());
    Q_UNUSED(before);
}

void TestDatabaseEntry::captionsWhole() {
    Window w;
    w.window->Button9Click();
    const QStringList clipped = clippedCaptions(*w.window);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
}

void TestDatabaseEntry::eightCharacterDates_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("format");
    QTest::newRow("en_GB") << "en_GB"
                           << "dd/MM/yy";
    QTest::newRow("fr_FR") << "fr_FR"
                           << "dd/MM/yy";
    QTest::newRow("en_US") << "en_US"
                           << "MM/dd/yy";
    QTest::newRow("de_DE") << "de_DE"
                           << "dd.MM.yy";
    QTest::newRow("en_CA") << "en_CA"
                           << "yy-MM-dd";
    QTest::newRow("ja_JP") << "ja_JP"
                           << "yy/MM/dd";
    QTest::newRow("C") << "C"
                       << "dd/MM/yy";
}

void TestDatabaseEntry::eightCharacterDates() {
    QFETCH(QString, locale);
    QFETCH(QString, format);
    QCOMPARE(eightCharacterDateFormat(QLocale(locale)), format);
    QCOMPARE(QDate(2026, 1, 2).toString(format).size(), 8);
}

void TestDatabaseEntry::importPublishedHistory() {
    {
        TestContext t;
        TForm7 empty(t.context);
        QVERIFY(!child<QPushButton>(empty, "Button5")->isEnabled()); // nothing to import into
    }
    Window w;
    const QString history = QStringLiteral(BALLMERE_TEST_DATA "/draw-history-649.csv");
    w.t.dialogs.fileAnswers << history << history;
    QTest::mouseClick(w.button(5), Qt::LeftButton);
    QCOMPARE(w.t.dialogs.fileDialogs.value(0).title, QStringLiteral("Import Draw History"));
    QCOMPARE(w.t.dialogs.informations, QStringList{"Imported 3,622 draws (12/06/82 to 19/11/25)."});
    QCOMPARE(w.label("Label13"), QStringLiteral("3622"));
    QCOMPARE(w.label("Label14"), QStringLiteral(" 19/11/25"));
    QCOMPARE(w.grid()->model()->rowCount(), 3622);
    // The grid opens on the newest draw.
    QCOMPARE(w.grid()->rowAt(w.grid()->viewport()->height() - 1), 3621);
    const QByteArray saved = readFile(w.drawPath);
    QVERIFY(saved.startsWith("\" 12/06/82\","));

    // The same file again adds nothing and says so.
    QTest::mouseClick(w.button(5), Qt::LeftButton);
    QCOMPARE(w.t.dialogs.warnings.size(), 1);
    QVERIFY(w.t.dialogs.warnings.first().startsWith("No new draws in draw-history-649.csv."));
    QCOMPARE(readFile(w.drawPath), saved);
    QCOMPARE(w.t.state.DataTotalDraws, 3622);
}

QTEST_MAIN(TestDatabaseEntry)
#include "tst_databaseentry.moc"
