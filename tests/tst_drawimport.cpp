#include "database/DrawImport.h"
#include "database/DrawImportDateCell.h"

#include "support/DatabaseFixture.h"
#include "support/FileSizeLimit.h"
#include "support/TestFiles.h"

#include <QStringEncoder>
#include <QtTest>

using namespace testfiles;

namespace {

// The published 6/49 history; BALLMERE_HISTORY names another copy.
QString historyPath() {
    const QString path = qEnvironmentVariable("BALLMERE_HISTORY");
    return path.isEmpty() ? QStringLiteral(BALLMERE_TEST_DATA "/draw-history-649.csv") : path;
}

// A pick-6-with-bonus database and a results file beside it.
struct ImportFixture : DatabaseFixture {
    using DatabaseFixture::DatabaseFixture;
    QString resultsPath = folder.filePath("results.csv");

    DrawImportResult import(const QByteArray& content, const DrawImportOptions& options = {}) {
        if (!writeFile(resultsPath, content))
            qFatal("cannot write %s", qPrintable(resultsPath));
        return importFile(resultsPath, options);
    }
    DrawImportResult importFile(const QString& path, const DrawImportOptions& options = {}) {
        return importDrawHistory(path, options, state, table);
    }
    QList<QByteArray> drawLines() const { return readFile(drawPath).split('\r'); }
    // The date cells of rows 1.. up to the last dated one.
    QStringList dates() const {
        QStringList cells;
        for (int row = 1; row < table.RowCount(); ++row)
            cells << table.CellText(0, row);
        while (!cells.isEmpty() && cells.last().isEmpty())
            cells.removeLast();
        return cells;
    }
};

QByteArray utf16(const QString& text, QStringConverter::Encoding encoding) {
    return QStringEncoder(encoding, QStringConverter::Flag::WriteBom).encode(text);
}

QStringList draw(const QString& date, const QStringList& numbers, const QString& bonus) {
    QStringList cells{u' ' + date};
    for (const QString& n : numbers)
        cells << QStringLiteral("  ") + n;
    return cells << QString() << (bonus.isEmpty() ? QString() : QStringLiteral("  ") + bonus)
                 << QString();
}

const QStringList Numbers{"03", "11", "12", "14", "41", "43"};

} // namespace

class TestDrawImport : public QObject {
    Q_OBJECT

private slots:
    void realHistoryTwice();
    void lineLayouts_data();
    void lineLayouts();
    void skippedLines_data();
    void skippedLines();
    void newerDownloadAddsOnlyNewDraws();
    void historyAfterItsLatestDraws();
    void dateOrder_data();
    void dateOrder();
    void storedDateCells_data();
    void storedDateCells();
    void againstStoredDraws_data();
    void againstStoredDraws();
    void failedSaveRestoresTheTable_data();
    void failedSaveRestoresTheTable();
};

void TestDrawImport::realHistoryTwice() {
    if (!QFile::exists(historyPath()))
        QSKIP("the published history is not at hand");
    ImportFixture game;
    const DrawImportResult first = game.importFile(historyPath());
    QCOMPARE(drawImportSummary(first),
             QStringLiteral("Imported 3,622 draws (12/06/82 to 19/11/25)."));
    const QList<QByteArray> lines = game.drawLines();
    QCOMPARE(lines.size(), 3622 + 1);
    QCOMPARE(
        lines.first(),
        "\" 12/06/82\",\"  03\",\"  11\",\"  12\",\"  14\",\"  41\",\"  43\",\"\",\"  13\",\"\"");
    QCOMPARE(
        lines[3621],
        "\" 19/11/25\",\"  14\",\"  17\",\"  28\",\"  31\",\"  42\",\"  48\",\"\",\"  05\",\"\"");
    QCOMPARE(game.state.DataTotalDraws, 3622);
    QCOMPARE(game.state.DataLastDraw, QStringLiteral(" 19/11/25"));
    QCOMPARE(game.table.RowCount(), 3623);

    const QByteArray onDisk = readFile(game.drawPath);
    const DrawImportResult again = game.importFile(historyPath());
    QCOMPARE(drawImportSummary(again),
             QStringLiteral("No new draws in draw-history-649.csv. 3,622 draws were already "
                            "stored."));
    QCOMPARE(readFile(game.drawPath), onDisk);
    QCOMPARE(game.state.DataTotalDraws, 3622);
}

void TestDrawImport::lineLayouts_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("cells");
    const QStringList june12 = draw("12/06/82", Numbers, "13");
    const QString dmy = QStringLiteral("dd/MM/yy");
    QTest::newRow("month name, comma")
        << QByteArray("\"June 12, 1982\",3,11,12,14,41,43,13") << dmy << june12;
    QTest::newRow("month name, blanks")
        << QByteArray("Jun 12 1982 3 11 12 14 41 43 13") << dmy << june12;
    QTest::newRow("day before month")
        << QByteArray("12 June 1982;03;11;12;14;41;43;13") << dmy << june12;
    QTest::newRow("dashed month name")
        << QByteArray("12-Jun-82\t3\t11\t12\t14\t41\t43\t13") << dmy << june12;
    QTest::newRow("ISO with time, semicolons")
        << QByteArray("1982-06-12T20:00:00;3;11;12;14;41;43;13") << dmy << june12;
    QTest::newRow("ISO, pipes") << QByteArray("| 1982-06-12 | 3 | 11 | 12 | 14 | 41 | 43 | 13 |")
                                << dmy << june12;
    QTest::newRow("day-first, 4-digit year") << QByteArray("12/06/1982,3,11,12,14,41,43,13\r\n"
                                                           "13/06/1982,1,2,3,4,5,6,7")
                                             << dmy << june12;
    QTest::newRow("month-first, 2-digit year") << QByteArray("06/12/82,3,11,12,14,41,43,13\n"
                                                             "06/13/82,1,2,3,4,5,6,7")
                                               << dmy << june12;
    QTest::newRow("undecided: the locale's order")
        << QByteArray("06.12.82 3 11 12 14 41 43 13") << QStringLiteral("MM/dd/yy")
        << draw("06/12/82", Numbers, "13");
    QTest::newRow("draw number first, text after")
        << QByteArray("1,June 12 1982,3,11,12,14,41,43,13,3X,N/A,\"$1,000,000\"") << dmy << june12;
    QTest::newRow("ordinal day, weekday, stored as yy-MM-dd")
        << QByteArray("Saturday 12th June 1982 - 3 11 12 14 41 43 13") << QStringLiteral("yy-MM-dd")
        << draw("82-06-12", Numbers, "13");
    QTest::newRow("numbers in one quoted field, no bonus")
        << QByteArray("2025-11-19,\"03 11 12 14 41 43\"") << QStringLiteral("dd.MM.yy")
        << draw("19.11.25", Numbers, "");
    QTest::newRow("bonus equal to a main number")
        << QByteArray("June 12 1982,3,11,12,14,41,43,43") << dmy << draw("12/06/82", Numbers, "43");
    QTest::newRow("UTF-8 byte order mark")
        << QByteArray("\xEF\xBB\xBFJune 12 1982,3,11,12,14,41,43") << dmy
        << draw("12/06/82", Numbers, "");
    const QString june12Line = QStringLiteral("June 12 1982,3,11,12,14,41,43,13\r\n");
    QTest::newRow("UTF-16LE with its mark")
        << utf16(june12Line, QStringConverter::Utf16LE) << dmy << june12;
    QTest::newRow("UTF-16BE with its mark")
        << utf16(june12Line, QStringConverter::Utf16BE) << dmy << june12;
    QTest::newRow("four-digit cells hold any year")
        << QByteArray("2082-06-12,3,11,12,14,41,43,13") << QStringLiteral("dd/MM/yyyy")
        << draw("12/06/2082", Numbers, "13");
    QTest::newRow("misspelt: Febraury") << QByteArray("Febraury 3, 1990,3,11,12,14,41,43,13") << dmy
                                        << draw("03/02/90", Numbers, "13");
    QTest::newRow("misspelt: Decmber") << QByteArray("Decmber 24 2001,3,11,12,14,41,43,13") << dmy
                                       << draw("24/12/01", Numbers, "13");
    QTest::newRow("abbreviated: Sept.") << QByteArray("Sept. 9, 2009,3,11,12,14,41,43,13") << dmy
                                        << draw("09/09/09", Numbers, "13");
}

void TestDrawImport::lineLayouts() {
    QFETCH(QByteArray, line);
    QFETCH(QString, format);
    QFETCH(QStringList, cells);
    ImportFixture game;
    const DrawImportResult result = game.import(line, {format, numericDateOrderOf(format)});
    QCOMPARE(result.error, QString());
    QCOMPARE(rowCells(game.table, 1), cells);
}

void TestDrawImport::skippedLines_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("summary");
    QTest::newRow("another game: five numbers")
        << QByteArray("Date,N1,N2,N3,N4,N5\nJune 12 1982,3,11,12,14,41\nJune 19 1982,8,33,36,37,39")
        << "No draws found in results.csv. "
           "2 lines with fewer than 6 numbers were skipped (lines 2, 3).";
    QTest::newRow("headings passed over, other lines without a date counted")
        << QByteArray("Lotto 6/49 results\nDate,Ball 1,Ball 2,Ball 3,Ball 4,Ball 5,Ball 6,Bonus\n"
                      "DRAW DATE;NUMBER_1;NUMBER_2;BONUS\nJune 12 1982,3,11,12,14,41,43,13\n"
                      "Jackpot 5 000 000\n3,11,12,14,41,43,13")
        << "Imported 1 draw (12/06/82). 2 lines without a draw were skipped.";
    QTest::newRow("out of range")
        << QByteArray("June 12 1982,3,11,12,14,41,50,13\nJune 19 1982,0,11,12,14,41,43\n"
                      "June 26 1982,3,11,12,14,41,43,100")
        << "No draws found in results.csv. "
           "3 lines with a number out of range were skipped (lines 1, 2, 3).";
    QTest::newRow("repeated number") << QByteArray("June 12 1982,3,11,12,14,41,3,13")
                                     << "No draws found in results.csv. "
                                        "1 line with a number drawn twice was skipped (line 1).";
    QTest::newRow("date that does not exist")
        << QByteArray("31/02/2024,3,11,12,14,41,43,13\nFebruary 30 2024,3,11,12,14,41,43,13")
        << "No draws found in results.csv. "
           "2 lines with a date that does not exist were skipped (lines 1, 2).";
    QTest::newRow("draw twice") << QByteArray(
                                       "12/06/82,3,11,12,14,41,43\n12/06/82,3,11,12,14,41,43")
                                << "Imported 1 draw (12/06/82). 1 line with the draw of an "
                                   "earlier line was skipped (line 2).";
    QTest::newRow("a century apart")
        << QByteArray("1982-06-12,3,11,12,14,41,43,13\n2082-06-12,1,2,3,4,5,6,7\n"
                      "1949-12-31,1,2,3,4,5,6,7")
        << "Imported 1 draw (12/06/82). "
           "2 lines with a year outside 1950 to 2049 were skipped (lines 2, 3).";
    QTest::newRow("only blank lines")
        << QByteArray("\r\n  \n,,,,\r\"\"\n") << "No draws found in results.csv.";
    QTest::newRow("blank lines around a draw")
        << QByteArray("\n\nJune 12 1982,3,11,12,14,41,43\n\n") << "Imported 1 draw (12/06/82).";
    QByteArray manyBad;
    for (int day = 1; day <= 7; ++day)
        manyBad += "June " + QByteArray::number(day) + " 1982,1,2,3\n";
    QTest::newRow("the first five named")
        << manyBad
        << "No draws found in results.csv. "
           "7 lines with fewer than 6 numbers were skipped (lines 1, 2, 3, 4, 5, ...).";
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                            << "results.csv is not a text file";
    QTest::newRow("10 MB single line")
        << "June 12 1982," + QByteArray(10 * 1024 * 1024, '7')
        << "No draws found in results.csv. 1 line too long to be a draw was skipped (line 1).";
    QTest::newRow("over a million lines")
        << QByteArray(1000001, '\n')
        << "results.csv is too large to import: a results file may hold at most "
           "1,000,000 lines and 64 MiB";
}

void TestDrawImport::skippedLines() {
    QFETCH(QByteArray, content);
    QFETCH(QString, summary);
    ImportFixture game(2);
    const auto cells = cellsOf(game.table);
    const QByteArray onDisk = readFile(game.drawPath);
    const DrawImportResult result = game.import(content);
    QCOMPARE(drawImportSummary(result), summary);
    if (result.added == 0) {
        QCOMPARE(cellsOf(game.table), cells);
        QCOMPARE(readFile(game.drawPath), onDisk);
        QCOMPARE(game.state.DataTotalDraws, 2);
    } else {
        QCOMPARE(game.state.DataTotalDraws, 2 + result.added);
        QCOMPARE(game.table.CellText(0, 1), QStringLiteral(" 12/06/82"));
    }
}

void TestDrawImport::newerDownloadAddsOnlyNewDraws() {
    ImportFixture game(2); // 01/01/99 and 02/01/99
    const QByteArray older = "June 19 1982,8,33,36,37,39,41,9\r\n"
                             "June 12 1982,3,11,12,14,41,43,13\r"
                             "January 2 1999,1,2,3,4,5,6,7\n";
    QCOMPARE(game.import(older).added, 3); // 2 January 1999: another draw on a stored day
    const DrawImportResult newer = game.import("June 26 1982,1,2,3,4,5,6,7\n" + older);
    QCOMPARE(drawImportSummary(newer),
             QStringLiteral("Imported 1 draw (26/06/82). 3 draws were already stored."));
    QCOMPARE(game.dates(), QStringList({" 12/06/82", " 19/06/82", " 26/06/82", " 01/01/99",
                                        " 02/01/99", " 02/01/99"}));
    QCOMPARE(game.state.DataTotalDraws, 6);
    QCOMPARE(game.state.DataLastDraw, QStringLiteral(" 02/01/99"));
    QCOMPARE(game.drawLines().size(), 14 + 1);
}

// A database holding the two latest draws, then the whole history: the table ends as a plain
// import of the history would leave it.
void TestDrawImport::historyAfterItsLatestDraws() {
    if (!QFile::exists(historyPath()))
        QSKIP("the published history is not at hand");
    const QList<QByteArray> history = readFile(historyPath()).trimmed().split('\n');
    ImportFixture plain;
    plain.importFile(historyPath());
    ImportFixture game;
    QCOMPARE(game.import(history[history.size() - 2] + '\n' + history.last()).added, 2);
    const DrawImportResult result = game.importFile(historyPath());
    QCOMPARE(drawImportSummary(result),
             QStringLiteral("Imported 3,620 draws (12/06/82 to 12/11/25). 2 draws were already "
                            "stored."));
    QCOMPARE(game.state.DataLastDraw, QStringLiteral(" 19/11/25"));
    QCOMPARE(game.state.DataTotalDraws, 3622);
    QCOMPARE(cellsOf(game.table), cellsOf(plain.table));
    QCOMPARE(readFile(game.drawPath), readFile(plain.drawPath));
}

// Rows as their date and first number: " 01/01/99  07".
void TestDrawImport::dateOrder_data() {
    QTest::addColumn<QStringList>("stored"); // each with 07 as its first number
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("summary");
    QTest::newRow("newer draws follow")
        << QStringList{"01/01/99", "03/01/99"}
        << QByteArray("5/1/1999,1,2,3,4,5,6\n4/1/1999,1,2,3,4,5,6")
        << QStringList{" 01/01/99  07", " 03/01/99  07", " 04/01/99  01", " 05/01/99  01"}
        << "Imported 2 draws (04/01/99 to 05/01/99).";
    QTest::newRow("older draws merged, stored first on a day")
        << QStringList{"01/01/99", "03/01/99"}
        << QByteArray("2/1/1999,1,2,3,4,5,6\n1/1/1999,1,2,3,4,5,6\n"
                      "31/12/1998,1,2,3,4,5,6\n1/1/1999,2,3,4,5,6,7\n3/1/1999,1,2,3,4,5,6")
        << QStringList{" 31/12/98  01", " 01/01/99  07", " 01/01/99  01", " 01/01/99  02",
                       " 02/01/99  01", " 03/01/99  07", " 03/01/99  01"}
        << "Imported 5 draws (31/12/98 to 03/01/99).";
    QTest::newRow("a row without a readable date: after all rows")
        << QStringList{"01/01/99", "31/02/99", "03/01/99"}
        << QByteArray("2/1/1999,1,2,3,4,5,6\n4/1/1999,1,2,3,4,5,6")
        << QStringList{" 01/01/99  07", " 31/02/99  07", " 03/01/99  07", " 02/01/99  01",
                       " 04/01/99  01"}
        << "Imported 2 draws (02/01/99 to 04/01/99). They were added at the end, not in date "
           "order, as row 2 of the table has no readable date.";
    QTest::newRow("a row without a readable date, newer draws")
        << QStringList{"01/01/99", "31/02/99"} << QByteArray("2/1/1999,1,2,3,4,5,6")
        << QStringList{" 01/01/99  07", " 31/02/99  07", " 02/01/99  01"}
        << "Imported 1 draw (02/01/99).";
}

// The table stays in date order, so its last row is the latest draw; the file holds the same.
void TestDrawImport::dateOrder() {
    QFETCH(QStringList, stored);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, rows);
    QFETCH(QString, summary);
    ImportFixture game;
    for (const QString& date : stored)
        QCOMPARE(game.append(date).error, QString());
    QCOMPARE(drawImportSummary(game.import(content)), summary);
    const auto unquoted = [](const QByteArray& field) { return field.mid(1, field.size() - 2); };
    QStringList inTable;
    QStringList inFile;
    const QList<QByteArray> lines = game.drawLines();
    for (int row = 1; row <= rows.size(); ++row) {
        inTable << game.table.CellText(0, row) + game.table.CellText(1, row);
        const QList<QByteArray> fields = lines.value(row - 1).split(',');
        inFile << QString::fromLatin1(unquoted(fields.value(0)) + unquoted(fields.value(1)));
    }
    QCOMPARE(inTable, rows);
    QCOMPARE(inFile, rows);
    QCOMPARE(game.table.CellText(0, rows.size() + 1), QString());
    QCOMPARE(game.state.DataLastDraw, rows.last().left(9));
    QCOMPARE(game.state.DataTotalDraws, rows.size());
}

// Stored cells read back as the dates they were written for, in the user's format.
void TestDrawImport::storedDateCells_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QDate>("date");
    QTest::newRow("day first") << "dd/MM/yy"
                               << " 12/06/82" << QDate(1982, 6, 12);
    QTest::newRow("2049 is the last of the century") << "dd/MM/yy"
                                                     << " 31/12/49" << QDate(2049, 12, 31);
    QTest::newRow("year first, one-digit day") << "yy-MM-dd"
                                               << " 99-12-1" << QDate(1999, 12, 1);
    QTest::newRow("month first, four-digit year") << "MM/dd/yyyy"
                                                  << " 06/12/2082" << QDate(2082, 6, 12);
    QTest::newRow("month name") << "dd MMM yy"
                                << " 12 Jun 49" << QDate(2049, 6, 12);
    QTest::newRow("month name, 29 Feb 00") << "dd MMM yy"
                                           << " 29 Feb 00" << QDate(2000, 2, 29);
    QTest::newRow("quoted text and day name") << "ddd d 'of' MMMM yy"
                                              << " Tue 29 of February 00" << QDate(2000, 2, 29);
    QTest::newRow("another format") << "dd/MM/yy"
                                    << " 12.06.82" << QDate();
    QTest::newRow("four digits for two") << "dd/MM/yy"
                                         << " 12/06/1982" << QDate();
    QTest::newRow("not a date") << "dd/MM/yy"
                                << " 31/02/99" << QDate();
}

void TestDrawImport::storedDateCells() {
    QFETCH(QString, format);
    QFETCH(QString, cell);
    QFETCH(QDate, date);
    QCOMPARE(DateCellFormat(format).dateOf(cell), date);
}

// A first import, then a second: a draw is stored already only when its date, numbers and bonus
// are.
void TestDrawImport::againstStoredDraws_data() {
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<int>("total");
    const QByteArray june12 = "12/06/82,3,11,12,14,41,43,13\n";
    const QString stored = "No new draws in results.csv. 1 draw was already stored.";
    QTest::newRow("the same draw") << june12 << june12 << stored << 1;
    QTest::newRow("its numbers in another order")
        << june12 << QByteArray("12/06/82,43,41,14,12,11,3,13") << stored << 1;
    QTest::newRow("without its bonus")
        << june12 << QByteArray("12/06/82,3,11,12,14,41,43") << stored << 1;
    QTest::newRow("another draw that day")
        << june12 << QByteArray("12/06/82,1,2,3,4,5,6,7") << "Imported 1 draw (12/06/82)." << 2;
    QTest::newRow("another bonus") << june12 << QByteArray("12/06/82,3,11,12,14,41,43,9")
                                   << "Imported 1 draw (12/06/82)." << 2;
    QTest::newRow("two draws on a day in one file")
        << QByteArray() << june12 + "12/06/82,1,2,3,4,5,6,7"
        << "Imported 2 draws (12/06/82 to 12/06/82)." << 2;
    QTest::newRow("the same day a century later")
        << june12 << QByteArray("12/06/2082,3,11,12,14,41,43,13")
        << "No draws found in results.csv. 1 line with a year outside 1950 to 2049 was skipped "
           "(line 1)."
        << 1;
}

void TestDrawImport::againstStoredDraws() {
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QFETCH(QString, summary);
    QFETCH(int, total);
    ImportFixture game;
    if (!first.isEmpty())
        QCOMPARE(game.import(first).added, 1);
    QCOMPARE(drawImportSummary(game.import(second)), summary);
    QCOMPARE(game.state.DataTotalDraws, total);
}

void TestDrawImport::failedSaveRestoresTheTable_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("appended") << QByteArray("June 12 2025,3,11,12,14,41,43,13\n");
    QTest::newRow("merged") << QByteArray("June 12 1982,3,11,12,14,41,43,13\n");
}

void TestDrawImport::failedSaveRestoresTheTable() {
    QFETCH(QByteArray, content);
    ImportFixture game(20);
    const auto cells = cellsOf(game.table);
    const QStringList fields = fieldsOf(game.state);
    const QByteArray onDisk = readFile(game.drawPath);
    const QString results = QDir(QDir::tempPath()).filePath("tst_drawimport_results.csv");
    QVERIFY(writeFile(results, content));
    DrawImportResult result;
    {
        const FileSizeLimit diskFull(onDisk.size()); // the longer file cannot be written
        result = game.importFile(results);
    }
    QFile::remove(results);
    QCOMPARE(drawImportSummary(result), QStringLiteral("Disk full"));
    QCOMPARE(result.added, 0);
    QCOMPARE(cellsOf(game.table), cells);
    QCOMPARE(game.table.RowCount(), 21);
    QCOMPARE(fieldsOf(game.state), fields);
    QCOMPARE(readFile(game.drawPath), onDisk);
}

QTEST_GUILESS_MAIN(TestDrawImport)
#include "tst_drawimport.moc"
