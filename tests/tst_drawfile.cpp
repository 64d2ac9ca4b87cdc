#include "database/DrawFile.h"
#include "database/DrawTable.h"

#include "support/DrawTestFiles.h"
#include "support/TestFiles.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace testfiles;

namespace {

TDrawTable parse(const QByteArray& bytes, qsizetype piece = -1) {
    TDrawTable table;
    DrawFileParser parser(table);
    if (piece <= 0)
        piece = qMax<qsizetype>(1, bytes.size());
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
        if (!parser.feed(bytes.constData() + at, qMin(piece, bytes.size() - at)))
            break;
    }
    parser.finish();
    return table;
}

// A few lines near the length a reader keeps, in quoted cells holding the bytes the reader and
// the writer treat specially, so that rows are saved in their compact form.
QByteArray longLines(QRandomGenerator& random) {
    static const char special[] = {'\n', ',', '{', '}', ' ', '\t', '\xC3', '\xA9', '\xFF'};
    QByteArray bytes;
    const int lines = 1 + random.bounded(4);
    for (int line = 0; line < lines; ++line) {
        const int cells = 1 + random.bounded(3);
        for (int c = 0; c < cells; ++c) {
            QByteArray cell((1990 + random.bounded(70)) / cells, 'a');
            for (char& byte : cell) {
                if (random.bounded(1000) == 0)
                    byte = special[random.bounded(int(sizeof special))];
            }
            if (!cell.isEmpty() && random.bounded(3) == 0)
                cell[0] = '\n';
            bytes += (c > 0 ? ",\"" : "\"") + cell + '"';
        }
        bytes += random.bounded(2) == 0 ? "\r" : "\r\n";
    }
    return bytes;
}

} // namespace

class TestDrawFile : public QObject {
    Q_OBJECT

private slots:
    void lineEnds_data();
    void lineEnds();
    void rowCount_data();
    void rowCount();
    void fields_data();
    void fields();
    void longLineKeepsItsFirst2048Characters();
    void piecesOfAnySizeReadTheSame();
    void encodings_data();
    void encodings();
    void roundTripKeepsEveryCell();
    void longLinesSurviveARoundTrip_data();
    void longLinesSurviveARoundTrip();
    void missingFileIsEmptyTable();
    void notARegularFileIsRefused();
    void hugeLineLoads();
    void tooManyLinesIsRefused();
    void randomBytesNeverBreakTheReader();
};

void TestDrawFile::lineEnds_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<int>>("datedRows"); // rows holding a date; row 1 holds the draw
    QTest::addColumn<int>("rowCount");
    const auto upTo = [](int last) {
        QList<int> rows;
        for (int r = 1; r <= last; ++r)
            rows << r;
        return rows;
    };

    QTest::newRow("CR") << repeatedDrawLine(16, "\r") << upTo(16) << 17;
    QTest::newRow("CR LF") << repeatedDrawLine(16, "\r\n") << upTo(16) << 17;
    QTest::newRow("last line without CR")
        << repeatedDrawLine(15, "\r") + DrawLine << upTo(16) << 17;
    QTest::newRow("LF alone does not split") << repeatedDrawLine(16, "\n") << upTo(1) << 15;
    QTest::newRow("a second LF is text of the next line")
        << DrawLine + "\r\n\n\r" + DrawLine + "\r" << QList<int>{1, 2, 3} << 15;
    QTest::newRow("0x1A ends the file")
        << repeatedDrawLine(2, "\r") + "\x1A" + repeatedDrawLine(20, "\r") << upTo(2) << 15;
    QTest::newRow("0x1A inside a line ends it there")
        << DrawLine + "\r" + DrawLine.left(12) + "\x1A" + DrawLine << upTo(2) << 15;
    QTest::newRow("0x1A right after CR")
        << repeatedDrawLine(1, "\r") + "\x1A\r" + DrawLine << upTo(1) << 15;
    QTest::newRow("empty file") << QByteArray() << QList<int>{} << 15;
    QTest::newRow("empty lines count") << QByteArray(19, '\r') + DrawLine << QList<int>{20} << 21;
}

void TestDrawFile::lineEnds() {
    QFETCH(QByteArray, bytes);
    QFETCH(QList<int>, datedRows);
    QFETCH(int, rowCount);

    const TDrawTable table = parse(bytes);
    QCOMPARE(table.RowCount(), rowCount);
    for (int r = 1; r < table.RowCount(); ++r)
        QCOMPARE(!table.CellText(0, r).isEmpty(), datedRows.contains(r));
    // Column 9 of a line not split at its LF runs on into the following text.
    if (datedRows.value(0) == 1)
        QCOMPARE(rowCells(table, 1).mid(0, 9), drawCells().mid(0, 9));
}

void TestDrawFile::rowCount_data() {
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<int>("rowCount");
    QTest::newRow("3 lines") << 3 << 15;
    QTest::newRow("14 lines") << 14 << 15;
    QTest::newRow("15 lines") << 15 << 16;
    QTest::newRow("20 lines") << 20 << 21;
}

void TestDrawFile::rowCount() {
    QFETCH(int, lineCount);
    QFETCH(int, rowCount);
    const TDrawTable table = parse(repeatedDrawLine(lineCount, "\r"));
    QCOMPARE(table.RowCount(), rowCount);
    QCOMPARE(table.CountDraws(), lineCount);
}

void TestDrawFile::fields_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QStringList>("cells");
    const auto padded = [](QStringList cells) {
        while (cells.size() < TDrawTable::ColCount)
            cells << QString();
        return cells;
    };

    QTest::newRow("a draw") << DrawLine << drawCells();
    QTest::newRow("empty row") << EmptyLine << padded({});
    QTest::newRow("blanks only") << QByteArray("\"    \",\"\t \"") << padded({});
    QTest::newRow("trailing blanks and tabs trimmed, leading kept")
        << QByteArray("\"  07  \",\"  08\t\t\",\" x \t \"") << padded({"  07", "  08", " x"});
    QTest::newRow("comma inside quotes") << QByteArray("\"a,b\",c") << padded({"a,b", "c"});
    QTest::newRow("unquoted fields") << QByteArray(" 1, 2 ,3") << padded({" 1", " 2", "3"});
    QTest::newRow("text around quotes joins")
        << QByteArray("ab\"c,d\"e,f") << padded({"abc,de", "f"});
    QTest::newRow("picture reference dropped")
        << QByteArray("{pic.bmp}abc,{a,b}d,e") << padded({"abc", "d", "e"});
    QTest::newRow("brace inside quotes is text") << QByteArray("\"{x}\"") << padded({"{x}"});
    QTest::newRow("open quote ends with the line")
        << QByteArray("\"abc,def") << padded({"abc,def"});
    QTest::newRow("open brace ends with the line") << QByteArray("a{bc,def") << padded({"a"});
    QTest::newRow("fields past the tenth ignored")
        << QByteArray("0,1,2,3,4,5,6,7,8,9,10,11")
        << QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    QTest::newRow("empty fields keep their place") << QByteArray(",,x") << padded({"", "", "x"});
    QTest::newRow("doubled quote is no escape") << QByteArray("\"a\"\"b\"") << padded({"ab"});
    // Quoted fields first, then a field written another way: the rest follows the same rules.
    QTest::newRow("quoted, then text after a quote")
        << QByteArray("\"a\",\"b\"c,\"d\"") << padded({"a", "bc", "d"});
    QTest::newRow("quoted, then unquoted with a picture")
        << QByteArray("\"a\", {p}b ,\"c\",") << padded({"a", " b", "c"});
    QTest::newRow("number and empty fields last on the line")
        << QByteArray("\"  07\",\"\",\"  42\"") << padded({"  07", "", "  42"});
    QTest::newRow("number then text after its quote")
        << QByteArray("\"  07\"x,\"  08\"") << padded({"  07x", "  08"});
    QTest::newRow("empty then text after its quote")
        << QByteArray("\"\"x,\"  08\"") << padded({"x", "  08"});
    QTest::newRow("number forms that are text")
        << QByteArray("\" 07\",\"  7\",\"  0a\",\"  123\",\"  07 \"")
        << padded({" 07", "  7", "  0a", "  123", "  07"});
    QTest::newRow("unclosed number") << QByteArray("\"  07") << padded({"  07"});
    QTest::newRow("eleven quoted fields")
        << QByteArray("\"0\",\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\",\"9\",\"10\"")
        << QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
}

void TestDrawFile::fields() {
    QFETCH(QByteArray, line);
    QFETCH(QStringList, cells);
    const TDrawTable table = parse(line + "\r");
    QCOMPARE(rowCells(table, 1), cells);
}

void TestDrawFile::longLineKeepsItsFirst2048Characters() {
    const QByteArray first = "\"" + QByteArray(2040, 'a') + "\",\"bcdefghij\",\"k\"";
    const TDrawTable table = parse(first + "\r" + DrawLine + "\r", 1000);
    // The second field is cut at the 2,048th character; the third lies beyond it.
    QCOMPARE(table.CellText(0, 1), QString(2040, u'a'));
    QCOMPARE(table.CellText(1, 1), QStringLiteral("bcde"));
    QCOMPARE(table.CellText(2, 1), QString());
    QCOMPARE(rowCells(table, 2), drawCells());
}

void TestDrawFile::piecesOfAnySizeReadTheSame() {
    QByteArray bytes = repeatedDrawLine(3, "\r\n") + "\"" + QByteArray(3000, 'z') + "\"\r\n\r" +
                       EmptyLine + "\r" + DrawLine + "\n" + DrawLine + "\r";
    const QList<QStringList> whole = cellsOf(parse(bytes));
    for (const qsizetype piece : {1, 2, 3, 7, 64, 2047, 2048, 2049})
        QCOMPARE(cellsOf(parse(bytes, piece)), whole);
    QCOMPARE(whole.size(), 15);
    QCOMPARE(whole[4][0], QString(2047, u'z'));
    QCOMPARE(whole[5], QStringList(10));
}

void TestDrawFile::encodings_data() {
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("cell");
    QTest::newRow("UTF-8") << QByteArray("\xC3\xA9t\xC3\xA9") << QStringLiteral("\u00e9t\u00e9");
    QTest::newRow("Latin-1 when not UTF-8")
        << QByteArray("\xE9t\xE9") << QStringLiteral("\u00e9t\u00e9");
    QTest::newRow("cut UTF-8 sequence") << QByteArray("a\xC3") << QStringLiteral("a\u00c3");
    QTest::newRow("byte order mark kept")
        << QByteArray("\xEF\xBB\xBFx") << QStringLiteral("\ufeffx");
    QTest::newRow("NUL bytes kept") << QByteArray("a\0b", 3) << QString::fromLatin1("a\0b", 3);
}

void TestDrawFile::encodings() {
    QFETCH(QByteArray, field);
    QFETCH(QString, cell);
    QTemporaryDir folder;
    const QString path = folder.filePath("x.bmi");
    QVERIFY(writeFile(path, "\"" + field + "\"\r"));
    TDrawTable table;
    QVERIFY(table.LoadRows(path));
    QCOMPARE(table.CellText(0, 1), cell);

    // Saved and read again, the cell is unchanged.
    QCOMPARE(table.SaveRows(path), QString());
    TDrawTable again;
    QVERIFY(again.LoadRows(path));
    QCOMPARE(again.CellText(0, 1), cell);
}

void TestDrawFile::roundTripKeepsEveryCell() {
    QTemporaryDir folder;
    const QString path = folder.filePath("x.bmi");
    const QByteArray bytes = repeatedDrawLine(18, "\r\n") + "a , \"b\"{pic}, \"\xE9\" ,\"  7\"\r" +
                             EmptyLine +
                             "\r\"x\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"last\"\r";
    QVERIFY(writeFile(path, bytes));
    TDrawTable first;
    QVERIFY(first.LoadRows(path));
    QCOMPARE(first.SaveRows(path), QString());
    TDrawTable second;
    QVERIFY(second.LoadRows(path));
    QCOMPARE(cellsOf(second), cellsOf(first));
    QCOMPARE(second.RowCount(), 22);

    // A file written by the program comes back byte for byte.
    const QByteArray written = readFile(path);
    QCOMPARE(second.SaveRows(path), QString());
    QCOMPARE(readFile(path), written);
}

void TestDrawFile::longLinesSurviveARoundTrip_data() {
    QTest::addColumn<QByteArray>("line");
    // Latin-1 text grows when written as UTF-8; unquoted cells grow when quoted.
    QTest::newRow("Latin-1 near the limit") << QByteArray(" 01/01/99," + QByteArray(1000, '\xe9') +
                                                          "," + QByteArray(1000, '\xfc') + ",  07");
    QTest::newRow("unquoted near the limit")
        << QByteArray("a,b,c,d,e,f,g,h,i," + QByteArray(2030, 'j'));
    QTest::newRow("comma inside, Latin-1 beside") << QByteArray(
        "\"x,y\",{pic}" + QByteArray(1500, '\xe9') + ",\"\xc3\xa9\"," + QByteArray(480, 'k'));
    // Cut at the limit inside a two-byte UTF-8 character: the cell stays UTF-8.
    QTest::newRow("cut inside a character") << QByteArray(QByteArray(2047, 'a') + "\xc3\xa9tail");
    // A second line whose cell begins with LF, right after the first line's CR.
    QTest::newRow("cell beginning with LF after a line end")
        << QByteArray("\"x\"\r\"\n" + QByteArray(2040, 'a') + "\"");
}

void TestDrawFile::longLinesSurviveARoundTrip() {
    QFETCH(QByteArray, line);
    QTemporaryDir folder;
    const QString path = folder.filePath("x.bmi");
    QVERIFY(writeFile(path, line + "\r" + DrawLine + "\r"));
    TDrawTable first;
    QVERIFY(first.LoadRows(path));
    const QStringList firstRow = cellsOf(first).first();
    for (const QString& cell : firstRow)
        QVERIFY2(!cell.contains(QChar(0xc3)), "a cut character turned the cell into Latin-1");
    QCOMPARE(first.SaveRows(path), QString());
    const QByteArray saved = readFile(path);
    TDrawTable second;
    QVERIFY(second.LoadRows(path));
    QCOMPARE(cellsOf(second), cellsOf(first));
    QCOMPARE(second.SaveRows(path), QString());
    QCOMPARE(readFile(path), saved);
}

void TestDrawFile::missingFileIsEmptyTable() {
    QTemporaryDir folder;
    TDrawTable table = sampleTable();
    table.SetRowCount(30);
    QVERIFY(table.LoadRows(folder.filePath("none.bmi")));
    QCOMPARE(table.RowCount(), 30);
    QCOMPARE(table.CountDraws(), 0);
    QCOMPARE(table.CellText(8, 0), QStringLiteral("Bon")); // the header stays
    QVERIFY(!QFile::exists(folder.filePath("none.bmi")));
}

void TestDrawFile::notARegularFileIsRefused() {
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir("dir.bmi"));
    TDrawTable table = sampleTable();
    QCOMPARE(loadDrawFile(folder.filePath("dir.bmi"), table), QStringLiteral("File access denied"));
    QCOMPARE(table.CountDraws(), 0);
    QVERIFY(!table.LoadRows(folder.filePath("dir.bmi")));
}

void TestDrawFile::hugeLineLoads() {
    QTemporaryDir folder;
    const QString path = folder.filePath("x.bmi");
    QByteArray bytes(10 * 1024 * 1024, 'q');
    bytes[0] = '"';
    bytes += "\r" + DrawLine + "\r";
    QVERIFY(writeFile(path, bytes));
    TDrawTable table;
    QVERIFY(table.LoadRows(path));
    QCOMPARE(table.CellText(0, 1), QString(2047, u'q'));
    QCOMPARE(rowCells(table, 2), drawCells());
}

void TestDrawFile::tooManyLinesIsRefused() {
    TDrawTable table;
    DrawFileParser parser(table);
    const QByteArray endings(MaxDrawRowCount - 1, '\r');
    QVERIFY(parser.feed(endings.constData(), endings.size()));
    QVERIFY(!parser.tooManyLines());
    QCOMPARE(table.RowCount(), MaxDrawRowCount);
    QVERIFY(!parser.feed("\r", 1));
    QVERIFY(parser.tooManyLines());
    QCOMPARE(table.RowCount(), MaxDrawRowCount);
}

void TestDrawFile::randomBytesNeverBreakTheReader() {
    // Bytes drawn mostly from those the reader treats specially, plus truncated real files.
    static const char alphabet[] = {'"',    ',',  '{', '}', '\r', '\n',   ' ',    '\t',
                                    '\x1A', '\0', 'a', '0', '7',  '\xC3', '\xA9', '\xFF'};
    QRandomGenerator random(20240611);
    QTemporaryDir folder;
    const QString path = folder.filePath("x.bmi");
    const QByteArray valid =
        repeatedDrawLine(16, "\r") + "\"{a}b\",\"\xC3\xA9\"\r\n" + EmptyLine + "\r";

    for (int round = 0; round < 400; ++round) {
        QByteArray bytes;
        if (round % 4 == 0) {
            bytes = valid.left(random.bounded(valid.size() + 1));
        } else if (round % 4 == 3) {
            bytes = longLines(random);
        } else {
            bytes.resize(random.bounded(round % 4 == 1 ? 5000 : 300));
            for (char& byte : bytes)
                byte = random.bounded(3) == 0 ? char(random.bounded(256))
                                              : alphabet[random.bounded(int(sizeof alphabet))];
        }
        const TDrawTable table = parse(bytes, 1 + random.bounded(600));
        QVERIFY(table.RowCount() >= TDrawTable::MinRowCount);
        QVERIFY(table.RowCount() <= TDrawTable::MinRowCount + bytes.count('\r') + 1);
        for (int r = 1; r < table.RowCount(); ++r) {
            for (int c = 0; c < TDrawTable::ColCount; ++c) {
                const QString cell = table.CellText(c, r);
                QVERIFY(!cell.contains(u'"') && !cell.contains(u'\r'));
                QVERIFY(!cell.endsWith(u' ') && !cell.endsWith(u'\t'));
                QVERIFY(cell.size() <= MaxDrawLineLength);
            }
        }
        // Whatever was read is written and read back unchanged.
        QCOMPARE(table.SaveRows(path), QString());
        TDrawTable again;
        QVERIFY(again.LoadRows(path));
        if (cellsOf(again) != cellsOf(table))
            QFAIL(qPrintable("round trip differs for input " + bytes.toHex()));
    }
}

QTEST_GUILESS_MAIN(TestDrawFile)
#include "tst_drawfile.moc"
