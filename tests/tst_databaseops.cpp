#include "state/LotteryState.h"
#include "database/DatabaseHeader.h"
#include "database/DatabaseOps.h"
#include "database/DrawTable.h"

#include "support/DatabaseFixture.h"
#include "support/TestFiles.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace testfiles;

class TestDatabaseOps : public QObject {
    Q_OBJECT

private slots:
    void drawFileBesideHeaderWhateverTheCurrentFolder();
    void startEmptyClearsThePreviousGame();
    void appendWritesTheDrawAndTheFile();
    void fifteenthDrawGrowsTheTable();
    void deletingTheOnlyDraw();
    void deletingKeepsTotalsInStep();
    void emptyRowsAreRefused_data();
    void emptyRowsAreRefused();
    void replaceOverwritesTheRow();
    void appendNeverOverwritesAStoredDraw();
    void failedSaveKeepsTheChange();
    void unusableStoredNameChangesNothing();
};

void TestDatabaseOps::drawFileBesideHeaderWhateverTheCurrentFolder() {
    QTemporaryDir gameFolder;
    QTemporaryDir elsewhere;
    const QString headerPath = gameFolder.filePath("Lotto.bmd");
    QVERIFY(writeFile(headerPath, LottoHeader));
    QVERIFY(writeFile(gameFolder.filePath("Lotto.bmi"), numberedDrawFile(2)));
    const QString saved = QDir::currentPath();
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    TLotteryState state;
    TDrawTable table;
    const bool opened = openDatabase(headerPath, state, table).opened();
    const DrawChangeResult added = appendDraw(drawEntry("03/01/99"), state, table);
    QDir::setCurrent(saved);

    QVERIFY(opened);
    QCOMPARE(added.error, QString());
    QCOMPARE(entries(elsewhere.path()), QStringList());
    QCOMPARE(readFile(gameFolder.filePath("Lotto.bmi")).count('\r'), 14);
    TDrawTable reloaded;
    QVERIFY(openDatabase(headerPath, state, reloaded).opened());
    QCOMPARE(state.DataTotalDraws, 3);
}

void TestDatabaseOps::startEmptyClearsThePreviousGame() {
    DatabaseFixture loaded(20);
    QCOMPARE(loaded.table.RowCount(), 21);
    const QByteArray onDisk = readFile(loaded.drawPath);
    loaded.state.DataName = QStringLiteral("New");
    loaded.state.DataPick = 3;
    loaded.state.DataBonus = false;
    QTemporaryDir programFolder;
    const QString newHeader = programFolder.filePath("New.bmd");
    startEmptyDatabase(newHeader, loaded.state, loaded.table);
    QCOMPARE(loaded.state.DataHeaderPath, newHeader);
    QVERIFY(loaded.state.DatabaseLoaded);
    QCOMPARE(loaded.state.DataTotalDraws, 0);
    QCOMPARE(loaded.state.DataLastDraw, QString());
    QCOMPARE(loaded.table.RowCount(), 15);
    QCOMPARE(loaded.table.CountDraws(), 0);
    QCOMPARE(loaded.table.CellText(3, 0), QStringLiteral("   3"));
    QCOMPARE(loaded.table.CellText(4, 0), QStringLiteral("    "));
    QCOMPARE(loaded.table.CellText(8, 0), QStringLiteral("   "));
    QCOMPARE(readFile(loaded.drawPath), onDisk);
    QVERIFY(!QFile::exists(loaded.folder.filePath("New.bmi")));

    // The new game's draws go beside its own header, not the previous game's.
    QCOMPARE(appendDraw(drawEntry("01/01/01"), loaded.state, loaded.table).error, QString());
    QVERIFY(QFile::exists(programFolder.filePath("New.bmi")));
    QVERIFY(!QFile::exists(loaded.folder.filePath("New.bmi")));
}

void TestDatabaseOps::appendWritesTheDrawAndTheFile() {
    DatabaseFixture game;
    QVERIFY(!QFile::exists(game.drawPath));
    const DrawChangeResult result = game.append("06/12/97");
    QCOMPARE(result.error, QString());
    QCOMPARE(result.row, 1);
    QVERIFY(result.changed);
    QCOMPARE(game.state.DataTotalDraws, 1);
    QCOMPARE(game.state.DataLastDraw, QStringLiteral(" 06/12/97"));
    // Only the numbers of the game are written; column 7 stays empty for a pick of 6.
    QByteArray expected = "\" 06/12/97\",\"  07\",\"  12\",\"  -5\",\"  33\",\"  40\",\"  41\","
                          "\"\",\"  09\",\"\"\r";
    for (int i = 2; i < 15; ++i)
        expected += EmptyRow;
    QCOMPARE(readFile(game.drawPath), expected);

    // Without a bonus the bonus column is left alone.
    game.state.DataBonus = false;
    QCOMPARE(game.append("07/12/97").row, 2);
    QCOMPARE(game.table.CellText(8, 2), QString());
}

void TestDatabaseOps::fifteenthDrawGrowsTheTable() {
    DatabaseFixture game(14);
    QCOMPARE(game.table.RowCount(), 15);
    QCOMPARE(game.lineCount(), 14);
    const DrawChangeResult fifteenth = game.append("15/01/99");
    QCOMPARE(fifteenth.row, 15);
    QCOMPARE(game.table.RowCount(), 16);
    QCOMPARE(game.state.DataTotalDraws, 15);
    QCOMPARE(game.lineCount(), 15);
    QCOMPARE(game.append("16/01/99").row, 16);
    QCOMPARE(game.table.RowCount(), 17);

    QCOMPARE(deleteDraw(4, game.state, game.table).error, QString());
    QCOMPARE(game.table.RowCount(), 16);
    QCOMPARE(deleteDraw(4, game.state, game.table).error, QString());
    QCOMPARE(game.table.RowCount(), 15);
    QCOMPARE(game.state.DataTotalDraws, 14);
    QCOMPARE(game.state.DataLastDraw, QStringLiteral(" 16/01/99"));
    QCOMPARE(game.lineCount(), 14);
}

void TestDatabaseOps::deletingTheOnlyDraw() {
    DatabaseFixture game(1);
    const DrawChangeResult result = deleteDraw(1, game.state, game.table);
    QCOMPARE(result.error, QString());
    QCOMPARE(game.table.RowCount(), 15);
    QCOMPARE(game.table.CountDraws(), 0);
    QCOMPARE(game.state.DataTotalDraws, 0);
    QCOMPARE(game.state.DataLastDraw, QString());
    QCOMPARE(readFile(game.drawPath), EmptyRow.repeated(14));
}

void TestDatabaseOps::deletingKeepsTotalsInStep() {
    DatabaseFixture game(5);
    QCOMPARE(deleteDraw(5, game.state, game.table).error, QString());
    QCOMPARE(game.state.DataLastDraw, QStringLiteral(" 04/01/99"));
    QCOMPARE(deleteDraw(1, game.state, game.table).error, QString());
    QCOMPARE(game.state.DataTotalDraws, 3);
    QCOMPARE(game.state.DataLastDraw, QStringLiteral(" 04/01/99"));
    QCOMPARE(game.table.CellText(0, 1), QStringLiteral(" 02/01/99"));
}

void TestDatabaseOps::emptyRowsAreRefused_data() {
    QTest::addColumn<int>("row");
    QTest::newRow("empty row") << 5;
    QTest::newRow("header row") << 0;
    QTest::newRow("negative") << -3;
    QTest::newRow("past the end") << 15;
}

void TestDatabaseOps::emptyRowsAreRefused() {
    QFETCH(int, row);
    DatabaseFixture game(3);
    const QByteArray onDisk = readFile(game.drawPath);
    const QStringList fields = fieldsOf(game.state);
    const auto cells = cellsOf(game.table);
    for (const DrawChangeResult& result :
         {deleteDraw(row, game.state, game.table),
          replaceDraw(row, drawEntry("01/02/03"), game.state, game.table)}) {
        QCOMPARE(result.error, QStringLiteral("This is an empty line"));
        QVERIFY(!result.changed);
    }
    QCOMPARE(fieldsOf(game.state), fields);
    QCOMPARE(cellsOf(game.table), cells);
    QCOMPARE(readFile(game.drawPath), onDisk);
}

void TestDatabaseOps::replaceOverwritesTheRow() {
    DatabaseFixture game(3);
    game.table.SetCellText(9, 2, QStringLiteral("keep"));
    game.state.DataPick = 2;
    const DrawChangeResult middle =
        replaceDraw(2, {"31/12/99", {"1", "2"}, "3"}, game.state, game.table);
    QCOMPARE(middle.error, QString());
    QCOMPARE(game.table.CellText(0, 2), QStringLiteral(" 31/12/99"));
    QCOMPARE(game.table.CellText(2, 2), QStringLiteral("  02"));
    QCOMPARE(game.table.CellText(3, 2), QStringLiteral("  -5")); // above the pick: untouched
    QCOMPARE(game.table.CellText(8, 2), QStringLiteral("  03"));
    QCOMPARE(game.table.CellText(9, 2), QStringLiteral("keep"));
    QCOMPARE(game.state.DataTotalDraws, 3);
    QCOMPARE(game.state.DataLastDraw, QStringLiteral(" 03/01/99"));
    QVERIFY(readFile(game.drawPath).contains("\" 31/12/99\",\"  01\",\"  02\",\"  -5\""));

    // Editing the last draw's date changes the last draw shown.
    QCOMPARE(replaceDraw(3, drawEntry("30/12/99"), game.state, game.table).error, QString());
    QCOMPARE(game.state.DataLastDraw, QStringLiteral(" 30/12/99"));
}

void TestDatabaseOps::appendNeverOverwritesAStoredDraw() {
    // Hand-edited files may have gaps between draws.
    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath("Lotto.bmd"), LottoHeader));
    QByteArray gaps = numberedDrawLine(1) + numberedDrawLine(2) + EmptyRow + numberedDrawLine(4) +
                      EmptyRow.repeated(10);
    QVERIFY(writeFile(folder.filePath("Lotto.bmi"), gaps));
    TLotteryState state;
    TDrawTable table;
    QVERIFY(openDatabase(folder.filePath("Lotto.bmd"), state, table).opened());
    // The new draw follows the last stored one and is the last draw.
    QCOMPARE(appendDraw(drawEntry("09/09/99"), state, table).row, 5);
    QCOMPARE(table.CellText(0, 4), QStringLiteral(" 04/01/99"));
    QCOMPARE(state.DataTotalDraws, table.CountDraws());
    QCOMPARE(state.DataTotalDraws, 4);
    QCOMPARE(state.DataLastDraw, QStringLiteral(" 09/09/99"));

    gaps = numberedDrawLine(1) + EmptyRow.repeated(17) + numberedDrawLine(9);
    QVERIFY(writeFile(folder.filePath("Lotto.bmi"), gaps));
    QVERIFY(openDatabase(folder.filePath("Lotto.bmd"), state, table).opened());
    QCOMPARE(table.RowCount(), 20);
    QCOMPARE(appendDraw(drawEntry("09/09/99"), state, table).row, 20);
    QCOMPARE(table.CellText(0, 19), QStringLiteral(" 09/01/99"));
    QCOMPARE(state.DataTotalDraws, 3);
    QCOMPARE(state.DataLastDraw, QStringLiteral(" 09/09/99"));

    // Trailing empty rows: the draw goes right after the last one, not to the end.
    gaps = numberedDrawLine(1) + numberedDrawLine(2) + EmptyRow.repeated(20);
    QVERIFY(writeFile(folder.filePath("Lotto.bmi"), gaps));
    QVERIFY(openDatabase(folder.filePath("Lotto.bmd"), state, table).opened());
    QCOMPARE(appendDraw(drawEntry("09/09/99"), state, table).row, 3);
    QCOMPARE(state.DataTotalDraws, 3);
    QCOMPARE(state.DataLastDraw, table.CellText(0, state.DataTotalDraws));
}

void TestDatabaseOps::failedSaveKeepsTheChange() {
    DatabaseFixture game(2);
    game.state.DataHeaderPath = game.folder.filePath("gone/Lotto.bmd");
    const DrawChangeResult result = appendDraw(drawEntry("03/01/99"), game.state, game.table);
    QCOMPARE(result.error, QStringLiteral("I/O error 2"));
    QVERIFY(result.changed);
    QCOMPARE(game.table.CountDraws(), 3);
    QCOMPARE(game.state.DataTotalDraws, 3);
    QCOMPARE(game.state.DataLastDraw, QStringLiteral(" 03/01/99"));
    QCOMPARE(game.lineCount(), 14); // the earlier file is as it was
}

void TestDatabaseOps::unusableStoredNameChangesNothing() {
    DatabaseFixture game(2);
    game.state.DataName = QStringLiteral("../Lotto");
    const auto cells = cellsOf(game.table);
    const QByteArray onDisk = readFile(game.drawPath);
    for (const DrawChangeResult& result :
         {game.append("03/01/99"), deleteDraw(1, game.state, game.table),
          replaceDraw(1, drawEntry("01/02/03"), game.state, game.table)}) {
        QCOMPARE(result.error, QStringLiteral("\"../Lotto\" is not a valid database name"));
        QVERIFY(!result.changed);
    }
    QCOMPARE(cellsOf(game.table), cells);
    QCOMPARE(game.state.DataTotalDraws, 2);
    QCOMPARE(readFile(game.drawPath), onDisk);
}

QTEST_GUILESS_MAIN(TestDatabaseOps)
#include "tst_databaseops.moc"
