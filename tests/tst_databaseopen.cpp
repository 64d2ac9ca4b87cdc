#include "state/LotteryState.h"
#include "database/DatabaseHeader.h"
#include "database/DatabaseOps.h"
#include "platform/ProfileFile.h"
#include "database/DrawTable.h"

#include "support/DatabaseFixture.h"
#include "support/TestFiles.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

using namespace testfiles;

class TestDatabaseOpen : public QObject {
    Q_OBJECT

private slots:
    void opensHeaderAndDraws();
    void drawFileFollowsTheNameKey();
    void headerKeys_data();
    void headerKeys();
    void missingHeaderAtStartUp();
    void refusedNames_data();
    void refusedNames();
    void unreadableDrawFileChangesNothing();
    void unreadableHeaderChangesNothing_data();
    void unreadableHeaderChangesNothing();
    void loadingNeverWritesFiles();
    void headerWrittenInOrder();
    void headerWriteFailures();
    void fileNames_data();
    void fileNames();
};

void TestDatabaseOpen::opensHeaderAndDraws() {
    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath("Lotto.bmd"), LottoHeader));
    QVERIFY(writeFile(folder.filePath("Lotto.bmi"), numberedDrawFile(3)));
    TLotteryState state;
    TDrawTable table;
    const DatabaseOpenResult result = openDatabase(folder.filePath("Lotto.bmd"), state, table);
    QVERIFY(result.opened());
    QVERIFY(result.headerFound);
    QCOMPARE(fieldsOf(state),
             (QStringList{"1", "Lotto", "6", "49", "1", "Six from 49", "3", " 03/01/99"}));
    QCOMPARE(table.RowCount(), 15);
    QCOMPARE(table.CellText(8, 0), QStringLiteral("Bon"));
    QCOMPARE(table.CellText(6, 0), QStringLiteral("   6"));
    QCOMPARE(table.CellText(8, 2), QStringLiteral("  02"));
}

void TestDatabaseOpen::drawFileFollowsTheNameKey() {
    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath("Other.bmd"), LottoHeader));
    QVERIFY(writeFile(folder.filePath("Other.bmi"), numberedDrawFile(1)));
    QVERIFY(writeFile(folder.filePath("Lotto.bmi"), numberedDrawFile(5)));
    TLotteryState state;
    TDrawTable table;
    QVERIFY(openDatabase(folder.filePath("Other.bmd"), state, table).opened());
    QCOMPARE(state.DataName, QStringLiteral("Lotto"));
    QCOMPARE(state.DataTotalDraws, 5);
}

void TestDatabaseOpen::headerKeys_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields"); // name, pick, random, bonus, description
    // The previous game: "Prev", 5 from 39 with bonus, "old".
    QTest::newRow("all keys") << LottoHeader << QStringList{"Lotto", "6", "49", "1", "Six from 49"};
    QTest::newRow("no Bonus keeps the previous bonus")
        << headerText("Name=Lotto\r\nPick=6\r\nRandom=49\r\n")
        << QStringList{"Lotto", "6", "49", "1", "old"};
    QTest::newRow("Bonus 0") << headerText("Name=Lotto\r\nBonus=0\r\n")
                             << QStringList{"Lotto", "5", "39", "0", "old"};
    QTest::newRow("Bonus 2 means yes")
        << headerText("Name=Lotto\r\nBonus=2\r\n") << QStringList{"Lotto", "5", "39", "1", "old"};
    QTest::newRow("nonsense numbers keep previous")
        << headerText("Name=Lotto\r\nPick=six\r\nRandom=\r\nBonus=y\r\n")
        << QStringList{"Lotto", "5", "39", "1", "old"};
    QTest::newRow("hexadecimal") << headerText("Name=Lotto\r\nPick=0x7\r\nRandom=0X63\r\n")
                                 << QStringList{"Lotto", "7", "99", "1", "old"};
    QTest::newRow("names matched without case")
        << QByteArray("[DATABASE]\r\nNAME=Lotto\r\npick=4\r\n")
        << QStringList{"Lotto", "4", "39", "1", "old"};
    QTest::newRow("other sections ignored")
        << QByteArray("[Other]\r\nPick=1\r\n[Database]\r\nName=Lotto\r\n")
        << QStringList{"Lotto", "5", "39", "1", "old"};
    QTest::newRow("no Name keeps the previous name")
        << headerText("Pick=3\r\n") << QStringList{"Prev", "3", "39", "1", "old"};
    QTest::newRow("empty file") << QByteArray() << QStringList{"Prev", "5", "39", "1", "old"};
    QTest::newRow("binary junk") << QByteArray("\0\xff[\r\n=\r\n\x1A", 9)
                                 << QStringList{"Prev", "5", "39", "1", "old"};
    QTest::newRow("long description cut at 1,023")
        << headerText("Name=Lotto\r\nDescription=" + QByteArray(1500, 'd') + "\r\n")
        << QStringList{"Lotto", "5", "39", "1", QString(1023, u'd')};
}

void TestDatabaseOpen::headerKeys() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath("game.bmd"), bytes));
    TLotteryState state;
    state.DataName = QStringLiteral("Prev");
    state.DataPick = 5;
    state.DataRandom = 39;
    state.DataBonus = true;
    state.DataDescription = QStringLiteral("old");
    TDrawTable table;
    QVERIFY(openDatabase(folder.filePath("game.bmd"), state, table).opened());
    QCOMPARE(fieldsOf(state).mid(1, 5), fields);
}

void TestDatabaseOpen::missingHeaderAtStartUp() {
    QTemporaryDir folder;
    TLotteryState state;
    state.DatabaseLoaded = true;
    state.DataName = QStringLiteral("Gone");
    TDrawTable table;
    const DatabaseOpenResult result = openDatabase(folder.filePath("Gone.bmd"), state, table);
    QCOMPARE(result.error, QString());
    QVERIFY(!result.headerFound);
    QCOMPARE(fieldsOf(state), (QStringList{"1", "Gone", "0", "0", "0", "", "0", ""}));
    QCOMPARE(cellsOf(table), cellsOf(TDrawTable()));
    QVERIFY(entries(folder.path()).isEmpty());

    // Draws left without their header still load.
    QVERIFY(writeFile(folder.filePath("Gone.bmi"), numberedDrawFile(2)));
    QVERIFY(openDatabase(folder.filePath("Gone.bmd"), state, table).opened());
    QCOMPARE(state.DataTotalDraws, 2);
}

void TestDatabaseOpen::refusedNames_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("error");
    QTest::newRow("parent folder")
        << QByteArray("../evil") << "\"../evil\" is not a valid database name";
    QTest::newRow("absolute path")
        << QByteArray("/tmp/evil") << "\"/tmp/evil\" is not a valid database name";
    QTest::newRow("backslash") << QByteArray("a\\b") << "\"a\\b\" is not a valid database name";
    QTest::newRow("dot dot") << QByteArray("..") << "\"..\" is not a valid database name";
    QTest::newRow("control character")
        << QByteArray("a\tb") << "\"a?b\" is not a valid database name";
    QTest::newRow("empty") << QByteArray() << "This database has no name";
}

void TestDatabaseOpen::refusedNames() {
    QFETCH(QByteArray, name);
    QFETCH(QString, error);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir("sub"));
    const QString headerPath = folder.filePath("sub/game.bmd");
    QVERIFY(writeFile(headerPath, headerText("Name=" + name + "\r\nPick=6\r\n")));
    DatabaseFixture loaded(2);
    const QStringList fields = fieldsOf(loaded.state);
    const auto cells = cellsOf(loaded.table);

    const DatabaseOpenResult result = openDatabase(headerPath, loaded.state, loaded.table);
    QCOMPARE(result.error, error);
    QCOMPARE(fieldsOf(loaded.state), fields);
    QCOMPARE(cellsOf(loaded.table), cells);
    QCOMPARE(entries(folder.path()), QStringList{"sub"});
    QCOMPARE(entries(folder.filePath("sub")), QStringList{"game.bmd"});

    QVERIFY(!isSafeDatabaseName(QString::fromLatin1(name)));
    QCOMPARE(writeDatabaseHeader(folder.filePath("new.bmd"),
                                 {QString::fromLatin1(name), 6, 49, false, {}}),
             error);
    QVERIFY(!QFile::exists(folder.filePath("new.bmd")));
}

void TestDatabaseOpen::unreadableDrawFileChangesNothing() {
    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath("Lotto.bmd"), LottoHeader));
    QVERIFY(QDir(folder.path()).mkdir("Lotto.bmi"));
    DatabaseFixture loaded(3);
    const QStringList fields = fieldsOf(loaded.state);
    const auto cells = cellsOf(loaded.table);
    const DatabaseOpenResult result =
        openDatabase(folder.filePath("Lotto.bmd"), loaded.state, loaded.table);
    QCOMPARE(result.error, QStringLiteral("File access denied"));
    QCOMPARE(fieldsOf(loaded.state), fields);
    QCOMPARE(cellsOf(loaded.table), cells);
}

void TestDatabaseOpen::unreadableHeaderChangesNothing_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("error");
    QTest::newRow("a folder") << "folder"
                              << "File access denied";
    QTest::newRow("no permission") << "no permission"
                                   << "File access denied";
    QTest::newRow("too large") << "too large"
                               << "The header file is too large";
}

void TestDatabaseOpen::unreadableHeaderChangesNothing() {
    QFETCH(QString, kind);
    QFETCH(QString, error);
    QTemporaryDir folder;
    const QString headerPath = folder.filePath("Lotto.bmd");
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(folder.path()).mkdir("Lotto.bmd"));
    } else if (kind == QLatin1String("too large")) {
        QVERIFY(writeFile(headerPath, LottoHeader + QByteArray(1024 * 1024, ';')));
    } else {
        QVERIFY(writeFile(headerPath, LottoHeader));
    }
    // The system refuses the read as it does a file without read permission (root included).
    const ProfileFile header = kind == QLatin1String("no permission")
                                   ? ProfileFile(headerPath, {FileReadResult::Failed, {}, EACCES})
                                   : ProfileFile(headerPath);
    DatabaseFixture loaded(3);
    loaded.state.DataName = QStringLiteral("Old");
    const QStringList fields = fieldsOf(loaded.state);
    const QString loadedHeader = loaded.state.DataHeaderPath;
    const auto cells = cellsOf(loaded.table);
    const QStringList before = entries(folder.path());

    const DatabaseOpenResult result = openDatabase(header, loaded.state, loaded.table);
    QCOMPARE(result.error, error);
    QCOMPARE(fieldsOf(loaded.state), fields);
    QCOMPARE(loaded.state.DataHeaderPath, loadedHeader);
    QCOMPARE(cellsOf(loaded.table), cells);
    QCOMPARE(entries(folder.path()), before);
}

void TestDatabaseOpen::loadingNeverWritesFiles() {
    QTemporaryDir folder;
    const QString headerPath = folder.filePath("Lotto.bmd");
    const QString drawPath = folder.filePath("Lotto.bmi");
    // A hand-made file: LF line ends, odd quoting; nothing about it gets "repaired" on disk.
    const QByteArray draws = numberedDrawFile(20) + "a,b\n\"c\r\n";
    QVERIFY(writeFile(headerPath, LottoHeader + "; comment\r\n"));
    QVERIFY(writeFile(drawPath, draws));
    const QDateTime headerTime = QFileInfo(headerPath).lastModified();
    const QDateTime drawTime = QFileInfo(drawPath).lastModified();
    TLotteryState state;
    TDrawTable table;
    for (int i = 0; i < 2; ++i)
        QVERIFY(openDatabase(headerPath, state, table).opened());
    QCOMPARE(state.DataTotalDraws, 21);
    QCOMPARE(readFile(headerPath), LottoHeader + "; comment\r\n");
    QCOMPARE(readFile(drawPath), draws);
    QCOMPARE(QFileInfo(headerPath).lastModified(), headerTime);
    QCOMPARE(QFileInfo(drawPath).lastModified(), drawTime);
    QCOMPARE(entries(folder.path()), (QStringList{"Lotto.bmd", "Lotto.bmi"}));
}

void TestDatabaseOpen::headerWrittenInOrder() {
    QTemporaryDir folder;
    const QString path = folder.filePath("Lotto.bmd");
    QCOMPARE(writeDatabaseHeader(path, {"Lotto", 6, 49, true, "Six from 49"}), QString());
    QCOMPARE(readFile(path), LottoHeader);
    QCOMPARE(writeDatabaseHeader(folder.filePath("Pick3.bmd"), {"Pick3", 3, 9, false, ""}),
             QString());
    QCOMPARE(readFile(folder.filePath("Pick3.bmd")),
             headerText("Name=Pick3\r\nPick=3\r\nRandom=9\r\nBonus=0\r\nDescription=\r\n"));
}

void TestDatabaseOpen::headerWriteFailures() {
    QTemporaryDir folder;
    const QString path = folder.filePath("missing/Lotto.bmd");
    QCOMPARE(writeDatabaseHeader(path, {"Lotto", 6, 49, true, ""}),
             QStringLiteral("Unable to write to ") + path);
    QVERIFY(entries(folder.path()).isEmpty());
}

void TestDatabaseOpen::fileNames_data() {
    QTest::addColumn<QString>("headerPath");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("drawPath");
    QTest::newRow("absolute") << "/games/Other.bmd"
                              << "Lotto"
                              << "/games/Lotto.bmi";
    QTest::newRow("relative") << "games/x.BMD"
                              << "Lotto"
                              << "games/Lotto.bmi";
    QTest::newRow("bare") << "x.bmd"
                          << "Lotto"
                          << "./Lotto.bmi";
}

void TestDatabaseOpen::fileNames() {
    QFETCH(QString, headerPath);
    QFETCH(QString, name);
    QFETCH(QString, drawPath);
    QCOMPARE(drawFilePath(headerPath, name), drawPath);
    QCOMPARE(headerFilePath(QStringLiteral("/prog/"), name), "/prog/" + name + ".bmd");
    QCOMPARE(headerFilePath(QStringLiteral("/prog"), name), "/prog/" + name + ".bmd");
    QVERIFY(isSafeDatabaseName(name));
    QVERIFY(isSafeDatabaseName(QStringLiteral("Lotto 6/49").remove(u'/')));
    QVERIFY(isSafeDatabaseName(QStringLiteral("a.b")));
}

QTEST_GUILESS_MAIN(TestDatabaseOpen)
#include "tst_databaseopen.moc"
