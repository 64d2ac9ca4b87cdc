#include "database/DatabaseOps.h"
#include "database/DrawTable.h"
#include "database/DrawTableModel.h"

#include "support/DrawTestFiles.h"

#include <QtTest>

namespace {

// Row r holds date "d<r>" and number "  <r>" in column 1.
TDrawTable numberedTable(int draws, int rowCount) {
    TDrawTable table;
    table.SetRowCount(rowCount);
    for (int r = 1; r <= draws; ++r) {
        table.SetCellText(0, r, QStringLiteral("d%1").arg(r));
        table.SetCellText(1, r, QStringLiteral("  %1").arg(r, 2, 10, QLatin1Char('0')));
    }
    return table;
}

} // namespace

class TestDrawTable : public QObject {
    Q_OBJECT

private slots:
    void startsWithFifteenEmptyRows();
    void cellsOutsideTheTable();
    void cellsReadBackAsSet_data();
    void cellsReadBackAsSet();
    void copiesAreIndependent();
    void setRowCount_data();
    void setRowCount();
    void clearRowsKeepsHeader();
    void setHeader_data();
    void setHeader();
    void deleteRowMovesLaterRowsUp();
    void deleteRowOutsideIsIgnored_data();
    void deleteRowOutsideIsIgnored();
    void countDraws_data();
    void countDraws();
    void cellNumber_data();
    void cellNumber();
    void cellForms_data();
    void cellForms();
    void modelShowsTableOneToOne();
    void gridShowsTheGamesColumns_data();
    void gridShowsTheGamesColumns();
};

void TestDrawTable::startsWithFifteenEmptyRows() {
    const TDrawTable table;
    QCOMPARE(table.RowCount(), TDrawTable::MinRowCount);
    for (int r = 0; r < table.RowCount(); ++r) {
        for (int c = 0; c < TDrawTable::ColCount; ++c)
            QCOMPARE(table.CellText(c, r), QString());
    }
    QCOMPARE(table.CountDraws(), 0);
}

void TestDrawTable::cellsOutsideTheTable() {
    TDrawTable table;
    for (const auto& [column, row] : {std::pair{-1, 1}, {10, 1}, {0, -1}, {0, 15}, {9, 100}}) {
        table.SetCellText(column, row, QStringLiteral("x"));
        QCOMPARE(table.CellText(column, row), QString());
    }
    QCOMPARE(table.RowCount(), 15);
    table.SetCellText(9, 14, QStringLiteral("corner"));
    QCOMPARE(table.CellText(9, 14), QStringLiteral("corner"));
    table.SetCellText(9, 14, QString());
    QCOMPARE(table.CellText(9, 14), QString());
}

void TestDrawTable::cellsReadBackAsSet_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("writes"); // in turn to the same cell; the last one stays
    const QStringList forms{"  07",
                            "  00",
                            "  99",
                            " 07",
                            "   7",
                            "07",
                            "  7 ",
                            "  -5",
                            "  ٣٤",
                            "x",
                            " ",
                            " 06/12/97",
                            "Décembre 1997",
                            "Thirteen+one!",
                            "Fourteen chars",
                            "A longer text than a date"};
    for (const int column : {0, 1, 8, 9}) {
        for (const QString& form : forms)
            QTest::addRow("column %d: \"%s\"", column, qPrintable(form))
                << column << QStringList{form};
        QTest::addRow("column %d: text over number", column) << column << QStringList{"  07", "d1"};
        QTest::addRow("column %d: number over text", column) << column << QStringList{"d1", "  07"};
        QTest::addRow("column %d: emptied", column) << column << QStringList{"d1", "  07", ""};
        QTest::addRow("column %d: short over long", column)
            << column << QStringList{"A longer text than a date", " 06/12/97"};
        QTest::addRow("column %d: long over short", column)
            << column << QStringList{" 06/12/97", "A longer text than a date"};
    }
}

void TestDrawTable::cellsReadBackAsSet() {
    QFETCH(int, column);
    QFETCH(QStringList, writes);
    TDrawTable table;
    TDrawTable fromLatin1; // the same writes as Latin-1 text where they are
    for (const QString& text : writes) {
        table.SetCellText(column, 3, text);
        const QByteArray bytes = text.toLatin1();
        if (QString::fromLatin1(bytes) == text)
            fromLatin1.SetCellText(column, 3, QLatin1String(bytes));
        else
            fromLatin1.SetCellText(column, 3, text);
    }
    QCOMPARE(table.CellText(column, 3), writes.last());
    QCOMPARE(fromLatin1.CellText(column, 3), writes.last());
    for (int c = 0; c < TDrawTable::ColCount; ++c) {
        if (c != column)
            QCOMPARE(table.CellText(c, 3), QString());
    }
    QCOMPARE(table.CountDraws(), column == 0 && !writes.last().isEmpty() ? 1 : 0);
    table.DeleteRow(1);
    QCOMPARE(table.CellText(column, 2), writes.last());
}

void TestDrawTable::copiesAreIndependent() {
    TDrawTable table = numberedTable(3, 15);
    table.SetHeader(6, true);
    table.SetCellText(9, 2, QStringLiteral("note"));
    TDrawTable copy = table;
    copy.SetCellText(9, 2, QStringLiteral("changed"));
    copy.SetCellText(0, 0, QStringLiteral("When"));
    copy.SetCellText(1, 1, QStringLiteral("  42"));
    QCOMPARE(table.CellText(9, 2), QStringLiteral("note"));
    QCOMPARE(table.CellText(0, 0), QStringLiteral("    Date"));
    QCOMPARE(table.CellText(1, 1), QStringLiteral("  01"));
    table = copy;
    QCOMPARE(table.CellText(9, 2), QStringLiteral("changed"));
    QCOMPARE(table.CellText(3, 0), QStringLiteral("   3"));
}

void TestDrawTable::setRowCount_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("expected");
    QTest::newRow("grow") << 40 << 40;
    QTest::newRow("shrink") << 3 << 3;
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("never below one") << 0 << 1;
    QTest::newRow("negative") << -5 << 1;
}

void TestDrawTable::setRowCount() {
    QFETCH(int, count);
    QFETCH(int, expected);
    TDrawTable table = numberedTable(5, 15);
    table.SetCellText(0, 0, QStringLiteral("head"));
    table.SetRowCount(count);
    QCOMPARE(table.RowCount(), expected);
    QCOMPARE(table.CellText(0, 0), QStringLiteral("head"));
    for (int r = 1; r < expected; ++r)
        QCOMPARE(table.CellText(0, r), r <= 5 ? QStringLiteral("d%1").arg(r) : QString());
    // Rows dropped and grown again come back empty.
    table.SetRowCount(15);
    QCOMPARE(table.CellText(0, 4), expected > 4 ? QStringLiteral("d4") : QString());
}

void TestDrawTable::clearRowsKeepsHeader() {
    TDrawTable table = numberedTable(20, 25);
    table.SetHeader(6, true);
    table.ClearRows();
    QCOMPARE(table.RowCount(), 25);
    QCOMPARE(table.CountDraws(), 0);
    for (int r = 1; r < 25; ++r)
        QCOMPARE(table.CellText(1, r), QString());
    QCOMPARE(table.CellText(0, 0), QStringLiteral("    Date"));
}

void TestDrawTable::setHeader_data() {
    QTest::addColumn<int>("pick");
    QTest::addColumn<bool>("bonus");
    QTest::addColumn<QStringList>("header");
    QTest::newRow("pick 6 with bonus")
        << 6 << true << QStringList{"    Date", "   1", "   2", "   3", "   4",
                                    "   5",     "   6", "    ", "Bon",  ""};
    QTest::newRow("pick 7 without bonus")
        << 7 << false << QStringList{"    Date", "   1", "   2", "   3", "   4",
                                     "   5",     "   6", "   7", "   ",  ""};
    QTest::newRow("pick 1") << 1 << false << QStringList{"    Date", "   1", "    ", "    ", "    ",
                                                         "    ",     "    ", "    ", "   ",  ""};
    // Outside 1..7 the header stays as the previous game left it.
    const QStringList previous{"    Date", "   1", "   2", "   3", "    ",
                               "    ",     "    ", "    ", "Bon",  ""};
    QTest::newRow("pick 0 leaves it") << 0 << false << previous;
    QTest::newRow("pick 8 leaves it") << 8 << false << previous;
}

void TestDrawTable::setHeader() {
    QFETCH(int, pick);
    QFETCH(bool, bonus);
    QFETCH(QStringList, header);
    TDrawTable table;
    table.SetHeader(3, true);
    table.SetHeader(pick, bonus);
    QCOMPARE(testfiles::rowCells(table, 0), header);
}

void TestDrawTable::deleteRowMovesLaterRowsUp() {
    TDrawTable table = numberedTable(16, 17);
    table.DeleteRow(3);
    QCOMPARE(table.RowCount(), 16);
    QCOMPARE(table.CellText(0, 2), QStringLiteral("d2"));
    QCOMPARE(table.CellText(0, 3), QStringLiteral("d4"));
    QCOMPARE(table.CellText(1, 3), QStringLiteral("  04"));
    QCOMPARE(table.CellText(0, 15), QStringLiteral("d16"));
    table.DeleteRow(15);
    QCOMPARE(table.RowCount(), 15);
    QCOMPARE(table.CountDraws(), 14);
}

void TestDrawTable::deleteRowOutsideIsIgnored_data() {
    QTest::addColumn<int>("row");
    QTest::newRow("header") << 0;
    QTest::newRow("negative") << -1;
    QTest::newRow("row count") << 15;
    QTest::newRow("far") << 1000;
}

void TestDrawTable::deleteRowOutsideIsIgnored() {
    QFETCH(int, row);
    TDrawTable table = numberedTable(3, 15);
    table.SetHeader(6, false);
    table.DeleteRow(row);
    QCOMPARE(table.RowCount(), 15);
    QCOMPARE(table.CountDraws(), 3);
    QCOMPARE(table.CellText(0, 0), QStringLiteral("    Date"));
}

// The draws are the dated rows wherever they stand: the count and the last draw agree.
void TestDrawTable::countDraws_data() {
    QTest::addColumn<QList<int>>("datedRows");
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("lastRow");
    QTest::newRow("none") << QList<int>{} << 15 << 0 << 0;
    QTest::newRow("one") << QList<int>{1} << 15 << 1 << 1;
    QTest::newRow("twenty") << QList<int>{1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                          11, 12, 13, 14, 15, 16, 17, 18, 19, 20}
                            << 21 << 20 << 20;
    QTest::newRow("row 1 empty") << QList<int>{2, 3, 9} << 15 << 3 << 9;
    QTest::newRow("gaps after row 1") << QList<int>{1, 5, 14, 30} << 31 << 4 << 30;
}

void TestDrawTable::countDraws() {
    QFETCH(QList<int>, datedRows);
    QFETCH(int, rowCount);
    QFETCH(int, count);
    QFETCH(int, lastRow);
    TDrawTable table;
    table.SetRowCount(rowCount);
    for (const int r : datedRows)
        table.SetCellText(0, r, QStringLiteral(" 01/01/99"));
    table.SetCellText(1, 1, QStringLiteral("  07")); // numbers alone do not make a draw
    QCOMPARE(table.CountDraws(), count);
    QCOMPARE(table.LastDrawRow(), lastRow);
    QCOMPARE(table.HasDraws(), count > 0);
    QVERIFY(!table.IsDraw(0)); // the header row
}

void TestDrawTable::cellNumber_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("stored form") << "  07" << true << 7;
    QTest::newRow("two digits") << "  49" << true << 49;
    QTest::newRow("zero") << "  00" << true << 0;
    QTest::newRow("negative") << "  -5" << true << -5;
    QTest::newRow("plus sign") << "  +5" << true << 5;
    QTest::newRow("no blanks") << "12" << true << 12;
    QTest::newRow("large") << "2147483647" << true << 2147483647;
    QTest::newRow("most negative") << "-2147483648" << true << int(-2147483647 - 1);
    QTest::newRow("overflow") << "2147483648" << false << 0;
    QTest::newRow("long overflow") << "99999999999999999999999" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("blanks only") << "    " << false << 0;
    QTest::newRow("sign only") << "  -" << false << 0;
    QTest::newRow("letters") << "  ab" << false << 0;
    QTest::newRow("inner blank") << "  1 2" << false << 0;
    QTest::newRow("date") << " 06/12/97" << false << 0;
}

void TestDrawTable::cellNumber() {
    QFETCH(QString, cell);
    QFETCH(bool, ok);
    QFETCH(int, value);
    int read = 12345;
    QCOMPARE(drawCellNumber(cell, &read), ok);
    QCOMPARE(read, ok ? value : 12345);
}

void TestDrawTable::cellForms_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("cell");
    QTest::newRow("one digit") << "7"
                               << "  07";
    QTest::newRow("two digits") << "07"
                                << "  07";
    QTest::newRow("negative") << "-5"
                              << "  -5";
    QTest::newRow("large") << "23"
                           << "  23";
    QTest::newRow("empty") << ""
                           << "  ";
}

void TestDrawTable::cellForms() {
    QFETCH(QString, typed);
    QFETCH(QString, cell);
    QCOMPARE(drawNumberCell(typed), cell);
    QCOMPARE(drawDateCell(QStringLiteral("06/12/97")), QStringLiteral(" 06/12/97"));
}

void TestDrawTable::modelShowsTableOneToOne() {
    TDrawTable table = numberedTable(3, 15);
    table.SetHeader(6, true);
    table.SetCellText(8, 1, QStringLiteral("  13"));
    DrawTableModel model(table);
    QCOMPARE(model.rowCount(), 14);
    QCOMPARE(model.columnCount(), 8);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Date"));
    QCOMPARE(model.headerData(7, Qt::Horizontal).toString(), QStringLiteral("Bon"));
    QCOMPARE(model.index(0, 7).data().toString(), QStringLiteral("  13"));
    QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("d1"));
    QCOMPARE(model.index(2, 1).data().toString(), QStringLiteral("  03"));
    QCOMPARE(model.index(13, 0).data().toString(), QString());
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(model.flags(model.index(0, 0)) & Qt::ItemIsSelectable);

    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    table.SetRowCount(30);
    table.SetCellText(0, 29, QStringLiteral("last"));
    model.refresh();
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 29);
    QCOMPARE(model.index(28, 0).data().toString(), QStringLiteral("last"));
}

// The grid shows a game's own columns; before there is a game, every column a draw can fill
// ("-": no caption) and no row can be chosen.
void TestDrawTable::gridShowsTheGamesColumns_data() {
    QTest::addColumn<int>("pick"); // 0: no game
    QTest::addColumn<bool>("bonus");
    QTest::addColumn<QString>("columns");
    QTest::newRow("no game") << 0 << false << "- - - - - - - - -";
    QTest::newRow("1") << 1 << false << "Date 1";
    QTest::newRow("1 bonus") << 1 << true << "Date 1 Bon";
    QTest::newRow("2") << 2 << false << "Date 1 2";
    QTest::newRow("2 bonus") << 2 << true << "Date 1 2 Bon";
    QTest::newRow("3") << 3 << false << "Date 1 2 3";
    QTest::newRow("3 bonus") << 3 << true << "Date 1 2 3 Bon";
    QTest::newRow("4") << 4 << false << "Date 1 2 3 4";
    QTest::newRow("4 bonus") << 4 << true << "Date 1 2 3 4 Bon";
    QTest::newRow("5") << 5 << false << "Date 1 2 3 4 5";
    QTest::newRow("5 bonus") << 5 << true << "Date 1 2 3 4 5 Bon";
    QTest::newRow("6") << 6 << false << "Date 1 2 3 4 5 6";
    QTest::newRow("6 bonus") << 6 << true << "Date 1 2 3 4 5 6 Bon";
    QTest::newRow("7") << 7 << false << "Date 1 2 3 4 5 6 7";
    QTest::newRow("7 bonus") << 7 << true << "Date 1 2 3 4 5 6 7 Bon";
}

void TestDrawTable::gridShowsTheGamesColumns() {
    QFETCH(int, pick);
    QFETCH(bool, bonus);
    QFETCH(QString, columns);
    TDrawTable table = numberedTable(2, 15);
    DrawTableModel model(table);
    table.SetHeader(pick, bonus);
    model.refresh(); // a game loaded after the grid was made
    QStringList captions;
    for (int column = 0; column < model.columnCount(); ++column) {
        const QString caption = model.headerData(column, Qt::Horizontal).toString();
        captions << (caption.isEmpty() ? QStringLiteral("-") : caption);
    }
    QCOMPARE(captions.join(u' '), columns);
    QCOMPARE(bool(model.flags(model.index(0, 1)) & Qt::ItemIsSelectable), pick > 0);
}

QTEST_GUILESS_MAIN(TestDrawTable)
#include "tst_drawtable.moc"
