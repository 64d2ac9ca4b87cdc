#include "lines/CheckFile.h"

#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void putBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

const QByteArray HeaderBytes =
    "Ballmere Professional\r\nVersion 1.01\r\n\r\n" + QByteArray(60, '-') + "\r\n";

} // namespace

class TestCheckFile : public QObject {
    Q_OBJECT

private slots:
    void headerOnlyFile();
    void generatedLines_data();
    void generatedLines();
    void cannotCreate_data();
    void cannotCreate();
    void replacesExistingFileWhole();
    void read_data();
    void read();
    void encodings_data();
    void encodings();
    void unreadable_data();
    void unreadable();
    void tooLarge();
    void numberAt_data();
    void numberAt();
    void arbitraryBytesLoad();
    void extras_data();
    void extras();
};

void TestCheckFile::headerOnlyFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Ballmere.bmc");
    QCOMPARE(CheckFile::write(path, CheckFile::headerLines()), QString());
    QCOMPARE(fileBytes(path), HeaderBytes);
    QCOMPARE(HeaderBytes.size(), 21 + 12 + 0 + 60 + 4 * 2);
}

void TestCheckFile::generatedLines_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("length");

    QTest::newRow("one number") << "1/49  >  07" << 11;
    QTest::newRow("six numbers") << "6/49  >  03 - 11 - 17 - 24 - 38 - 45" << 36;
    QTest::newRow("seven numbers to 99") << "7/99  >  02 - 15 - 33 - 47 - 58 - 71 - 99" << 41;
}

void TestCheckFile::generatedLines() {
    QFETCH(QString, line);
    QFETCH(int, length);

    QCOMPARE(line.size(), length);
    QTemporaryDir dir;
    const QString path = dir.filePath("lines.bmc");
    const QStringList lines = CheckFile::headerLines() << line << "2/9  >  03 - 60";
    QCOMPARE(CheckFile::write(path, lines), QString());
    QCOMPARE(fileBytes(path), HeaderBytes + line.toLatin1() + "\r\n2/9  >  03 - 60\r\n");

    QStringList back;
    QVERIFY(CheckFile::read(path, &back));
    QCOMPARE(back, lines);
}

void TestCheckFile::cannotCreate_data() {
    QTest::addColumn<QString>("name");

    QTest::newRow("missing folder") << "missing/Ballmere.bmc";
    QTest::newRow("name of a folder") << "folder";
}

// The message names the file, and nothing is left behind.
void TestCheckFile::cannotCreate() {
    QFETCH(QString, name);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    const QString path = dir.filePath(name);
    QCOMPARE(CheckFile::write(path, CheckFile::headerLines()),
             QStringLiteral("Cannot create file %1").arg(path));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"folder"});
    QVERIFY(QDir(dir.filePath("folder")).isEmpty());
}

void TestCheckFile::replacesExistingFileWhole() {
    QTemporaryDir dir;
    const QString path = dir.filePath("old.bmc");
    putBytes(path, QByteArray(5000, 'x'));
    QCOMPARE(CheckFile::write(path, CheckFile::headerLines()), QString());
    QCOMPARE(fileBytes(path), HeaderBytes);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.bmc"});
}

void TestCheckFile::read_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("LF only") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("CR only") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("last line unended") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("empty lines kept") << QByteArray("\r\n\r\na\r\n") << QStringList{"", "", "a"};
    QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("NUL and high bytes")
        << QByteArray("1/49  >  0\0\xff\r\n", 14)
        << QStringList{QString::fromLatin1(QByteArray("1/49  >  0\0\xff", 12))};
    QTest::newRow("valid UTF-8") << QByteArray("a\r\n1/49  >  \xc3\xa9")
                                 << QStringList{"a", "1/49  >  é"};
    QTest::newRow("byte order mark dropped, a later one kept")
        << QByteArray("\xef\xbb\xbf"
                      "a\r\n\xef\xbb\xbf"
                      "b")
        << QStringList{QStringLiteral("a"), QStringLiteral("\ufeffb")};
    QTest::newRow("one bad byte makes it all Latin-1")
        << QByteArray("\xc3\xa9\r\n\xe9") << QStringList{"Ã©", "é"};
}

void TestCheckFile::read() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);

    QTemporaryDir dir;
    const QString path = dir.filePath("in.bmc");
    putBytes(path, bytes);
    QStringList lines{"stale"};
    QVERIFY(CheckFile::read(path, &lines));
    QCOMPARE(lines, expected);
}

// The same lines saved by other programs in each encoding they use for text.
void TestCheckFile::encodings_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QString text = QStringLiteral("Ballmère Pro\r\n6/49  >  03 - 12\n\u20ac 1\r");
    const auto encoded = [&](QStringConverter::Encoding encoding, bool mark) -> QByteArray {
        return QStringEncoder(encoding, mark ? QStringConverter::Flag::WriteBom
                                             : QStringConverter::Flag::Default)
            .encode(text);
    };
    QTest::newRow("UTF-8") << encoded(QStringConverter::Utf8, false);
    QTest::newRow("UTF-8 with its mark") << encoded(QStringConverter::Utf8, true);
    QTest::newRow("UTF-16LE with its mark") << encoded(QStringConverter::Utf16LE, true);
    QTest::newRow("UTF-16BE with its mark") << encoded(QStringConverter::Utf16BE, true);
}

void TestCheckFile::encodings() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath("in.bmc");
    putBytes(path, bytes);
    QStringList lines;
    QVERIFY(CheckFile::read(path, &lines));
    QCOMPARE(lines, QStringList({QStringLiteral("Ballmère Pro"), QStringLiteral("6/49  >  03 - 12"),
                                 QStringLiteral("\u20ac 1")}));
}

void TestCheckFile::unreadable_data() {
    QTest::addColumn<QString>("path");

    QTest::newRow("missing file") << "none.bmc";
    QTest::newRow("folder") << ".";
    if (QFileInfo::exists("/dev/zero"))
        QTest::newRow("endless device") << "/dev/zero";
}

void TestCheckFile::unreadable() {
    QFETCH(QString, path);

    QTemporaryDir dir;
    QStringList lines{"kept"};
    QVERIFY(!CheckFile::read(QDir(dir.path()).filePath(path), &lines));
    QCOMPARE(lines, QStringList{"kept"});
}

// A file larger than any check file is refused before it is read.
void TestCheckFile::tooLarge() {
    QTemporaryDir dir;
    QFile file(dir.filePath("huge.bmc"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(CheckFile::MaxFileSize + 1));
    file.close();
    TextLines lines = TextLines::fromList({"kept"});
    QCOMPARE(CheckFile::readLines(file.fileName(), &lines), CheckFile::ReadStatus::TooLarge);
    QCOMPARE(lines.toList(), QStringList{"kept"});
}

void TestCheckFile::numberAt_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("expected");

    const QString seven = "7/99  >  02 - 15 - 33 - 47 - 58 - 71 - 99";
    QTest::newRow("first of seven") << seven << 1 << 2;
    QTest::newRow("fourth of seven") << seven << 4 << 47;
    QTest::newRow("last of seven") << seven << 7 << 99;
    QTest::newRow("one-number line") << "1/49  >  07" << 1 << 7;
    QTest::newRow("past the end") << "1/49  >  07" << 2 << 0;
    QTest::newRow("seventh of six") << "6/49  >  03 - 11 - 17 - 24 - 38 - 45" << 7 << 0;
    QTest::newRow("cut inside a field") << "1/49  >  0" << 1 << 0;
    QTest::newRow("no anchor") << "Version 1.01" << 1 << 0;
    QTest::newRow("first anchor counts") << "1/49  >  07 > 33" << 1 << 7;
    QTest::newRow("not digits") << "1/49  >  -7" << 1 << 0;
    QTest::newRow("k 0") << seven << 0 << 0;
    QTest::newRow("k 8") << seven + " - 12" << 8 << 0;
}

void TestCheckFile::numberAt() {
    QFETCH(QString, line);
    QFETCH(int, k);
    QFETCH(int, expected);
    QCOMPARE(CheckFile::numberAt(line, k), expected);
}

// Whatever a file holds, it loads and its fields read without a crash.
void TestCheckFile::arbitraryBytesLoad() {
    QTemporaryDir dir;
    const QString path = dir.filePath("noise.bmc");
    QRandomGenerator random(20240331);
    const QByteArray alphabet("0123456789> -/\r\n\x00\xff", 18);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes(random.bounded(300), '\0');
        for (char& c : bytes)
            c = alphabet.at(random.bounded(alphabet.size()));
        putBytes(path, bytes);
        QStringList lines;
        QVERIFY(CheckFile::read(path, &lines));
        for (const QString& line : std::as_const(lines)) {
            for (int k = 0; k <= 8; ++k) {
                const int n = CheckFile::numberAt(line, k);
                if (n < 0 || n > 99)
                    QFAIL(qPrintable(QStringLiteral("%1 at %2 of \"%3\"").arg(n).arg(k).arg(line)));
            }
        }
    }
}

// Extra numbers follow the main ones and leave the main fields where every reader finds them.
void TestCheckFile::extras_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QVector<int>>("extras");
    QTest::addColumn<QVector<int>>("mainNumbers"); // numberAt 1..7
    const QString five = QStringLiteral("5/69  >  03 - 11 - 17 - 24 - 38");
    QTest::newRow("one extra") << five + CheckFile::extrasText({12}) << QVector<int>{12}
                               << QVector<int>{3, 11, 17, 24, 38, 0, 0};
    QTest::newRow("two extras") << five + CheckFile::extrasText({3, 7}) << QVector<int>{3, 7}
                                << QVector<int>{3, 11, 17, 24, 38, 0, 0};
    QTest::newRow("none") << five << QVector<int>{} << QVector<int>{3, 11, 17, 24, 38, 0, 0};
    QTest::newRow("seven and two extras")
        << QStringLiteral("7/99  >  01 - 02 - 03 - 04 - 05 - 06 - 07  +  98 - 99")
        << QVector<int>{98, 99} << QVector<int>{1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("plus without numbers") << five + QStringLiteral("  +  ") << QVector<int>{}
                                          << QVector<int>{3, 11, 17, 24, 38, 0, 0};
    QTest::newRow("three extras") << five + QStringLiteral("  +  01 - 02 - 03") << QVector<int>{}
                                  << QVector<int>{3, 11, 17, 24, 38, 0, 0};
}

void TestCheckFile::extras() {
    QFETCH(QString, line);
    QFETCH(QVector<int>, extras);
    QFETCH(QVector<int>, mainNumbers);
    if (extras.size() == 1)
        QCOMPARE(line, QStringLiteral("5/69  >  03 - 11 - 17 - 24 - 38  +  12"));
    QCOMPARE(CheckFile::extrasOf(line), extras);
    for (int k = 1; k <= 7; ++k)
        QCOMPARE(CheckFile::numberAt(line, k), mainNumbers[k - 1]);
}

QTEST_GUILESS_MAIN(TestCheckFile)
#include "tst_checkfile.moc"
