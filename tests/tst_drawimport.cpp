#include "database/DrawImport.h"

#include "support/DatabaseFixture.h"
#include "support/FileSizeLimit.h"
#include "support/TestFiles.h"

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
};

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
    void failedSaveRestoresTheTable();
};

void TestDrawImport::realHistoryTwice() {
    if (!QFile::exists(historyPath()))
        QSKIP("the published history is not at hand");
    ImportFixture game;
    const DrawImportResult first = game.importFile(historyPath());
    QCOMPARE(drawImportSummary(first), QStringLiteral("Imported 3622 draws (12/06/82 to 19/11/25). "
                                                      "1 line without a draw was skipped."));
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
             QStringLiteral("No new draws in draw-history-649.csv. 3622 draws were already stored. "
                            "1 line without a draw was skipped."));
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
        << "No draws found in results.csv. 1 line without a draw was skipped. "
           "2 lines with fewer than 6 numbers were skipped (lines 2, 3).";
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
    QTest::newRow("date twice") << QByteArray("12/06/82,3,11,12,14,41,43\n12/06/82,1,2,3,4,5,6")
                                << "Imported 1 draw (12/06/82). 1 line with the date of an "
                                   "earlier line was skipped (line 2).";
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
        QCOMPARE(game.table.CellText(0, 3), QStringLiteral(" 12/06/82"));
    }
}

void TestDrawImport::newerDownloadAddsOnlyNewDraws() {
    ImportFixture game(2); // 01/01/99 and 02/01/99
    const QByteArray older = "June 19 1982,8,33,36,37,39,41,9\r\n"
                             "June 12 1982,3,11,12,14,41,43,13\r"
                             "January 2 1999,1,2,3,4,5,6,7\n";
    QCOMPARE(game.import(older).added, 2);
    const DrawImportResult newer = game.import("June 26 1982,1,2,3,4,5,6,7\n" + older);
    QCOMPARE(drawImportSummary(newer),
             QStringLiteral("Imported 1 draw (26/06/82). 3 draws were already stored."));
    QStringList dates;
    for (int row = 1; row <= 5; ++row)
        dates << game.table.CellText(0, row);
    QCOMPARE(dates, QStringList({" 01/01/99", " 02/01/99", " 12/06/82", " 19/06/82", " 26/06/82"}));
    QCOMPARE(game.state.DataTotalDraws, 5);
    QCOMPARE(game.state.DataLastDraw, QStringLiteral(" 26/06/82"));
    QCOMPARE(game.drawLines().size(), 14 + 1);
}

void TestDrawImport::failedSaveRestoresTheTable() {
    ImportFixture game(20);
    const auto cells = cellsOf(game.table);
    const QStringList fields = fieldsOf(game.state);
    const QByteArray onDisk = readFile(game.drawPath);
    const QString results = QDir(QDir::tempPath()).filePath("tst_drawimport_results.csv");
    QVERIFY(writeFile(results, "June 12 1982,3,11,12,14,41,43,13\n"));
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
