// The database named for reloading is read on a thread while the windows are built: which file
// that is, and that opening it takes exactly those rows, once.
#include "state/LotteryState.h"
#include "app/StartupReload.h"
#include "database/DatabaseOps.h"
#include "database/DrawFile.h"
#include "database/DrawFilePreload.h"
#include "database/DrawTable.h"

#include "support/DatabaseFixture.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace testfiles;

namespace {

QByteArray settingsText(const QByteArray& loadData, const QByteArray& name) {
    return "[Options]\r\nPick=6\r\nRandom=50\r\nLow=1\r\nSelection=5\r\nLoadData=" + loadData +
           "\r\nDataName=" + name + "\r\n";
}

QStringList allCells(const TDrawTable& table) {
    QStringList cells{QString::number(table.RowCount())};
    for (int row = 0; row < table.RowCount(); ++row)
        cells += rowCells(table, row);
    return cells;
}

} // namespace

class TestStartupReload : public QObject {
    Q_OBJECT

private slots:
    void drawFileToRead_data();
    void drawFileToRead();
    void pipesAreNotWaitedOn();
    void rowsTakenOnceForTheFileRead();
    void errorOfTheReadIsPassedOn();
    void openTakesThePreloadedRows();
};

void TestStartupReload::drawFileToRead_data() {
    QTest::addColumn<QByteArray>("settings"); // "" for no settings file
    QTest::addColumn<QByteArray>("header");   // "" for no header file
    QTest::addColumn<QString>("drawFile");    // in the folder; "" for none
    QTest::newRow("no settings") << QByteArray() << LottoHeader << "";
    QTest::newRow("reload off") << settingsText("0", "Lotto") << LottoHeader << "";
    QTest::newRow("reload on") << settingsText("1", "Lotto") << LottoHeader << "Lotto.bmi";
    QTest::newRow("header names another file")
        << settingsText("1", "Lotto") << headerText("Name=Other\r\n") << "Other.bmi";
    QTest::newRow("header without a name") << settingsText("1", "Lotto")
                                           << headerText("Pick=6\r\n") << "Lotto.bmi";
    QTest::newRow("no header") << settingsText("1", "Lotto") << QByteArray() << "Lotto.bmi";
    QTest::newRow("unusable stored name") << settingsText("1", "../Lotto") << LottoHeader << "";
    QTest::newRow("unusable header name")
        << settingsText("1", "Lotto") << headerText("Name=a/b\r\n") << "";
}

void TestStartupReload::drawFileToRead() {
    QFETCH(QByteArray, settings);
    QFETCH(QByteArray, header);
    QFETCH(QString, drawFile);
    QTemporaryDir folder;
    if (!settings.isEmpty())
        QVERIFY(writeFile(folder.filePath("Ballmere.ini"), settings));
    if (!header.isEmpty())
        QVERIFY(writeFile(folder.filePath("Lotto.bmd"), header));
    const QStringList before = entries(folder.path());
    QCOMPARE(startupDrawFilePath(folder.path() + u'/'),
             drawFile.isEmpty() ? QString() : folder.filePath(drawFile));
    QCOMPARE(entries(folder.path()), before);
}

// A pipe where a file should be is refused at once: the reading never blocks on one.
void TestStartupReload::pipesAreNotWaitedOn() {
    QTemporaryDir folder;
    const QString programFolder = folder.path() + u'/';
    QCOMPARE(::mkfifo(QFile::encodeName(folder.filePath("Ballmere.ini")).constData(), 0600), 0);
    QCOMPARE(startupDrawFilePath(programFolder), QString());

    QVERIFY(QFile::remove(folder.filePath("Ballmere.ini")));
    QVERIFY(writeFile(folder.filePath("Ballmere.ini"), settingsText("1", "Lotto")));
    QCOMPARE(::mkfifo(QFile::encodeName(folder.filePath("Lotto.bmd")).constData(), 0600), 0);
    QCOMPARE(::mkfifo(QFile::encodeName(folder.filePath("Lotto.bmi")).constData(), 0600), 0);
    const QString drawPath = startupDrawFilePath(programFolder);
    QCOMPARE(drawPath, folder.filePath("Lotto.bmi"));
    DrawFilePreload preload;
    preload.start([drawPath] { return drawPath; });
    TDrawTable table;
    QString error;
    QVERIFY(preload.take(drawPath, table, &error));
    QCOMPARE(error, QStringLiteral("File access denied"));
}

void TestStartupReload::rowsTakenOnceForTheFileRead() {
    QTemporaryDir folder;
    const QString path = folder.filePath("Lotto.bmi");
    QVERIFY(writeFile(path, numberedDrawFile(9) + numberedDrawLine(3)));
    TDrawTable expected;
    QCOMPARE(loadDrawFile(path, expected), QString());

    DrawFilePreload preload;
    preload.start([path] { return path; });
    TDrawTable table;
    table.SetCellText(0, 1, QStringLiteral("kept"));
    QString error = QStringLiteral("unset");
    QVERIFY(!preload.take(folder.filePath("Other.bmi"), table, &error));
    QCOMPARE(table.CellText(0, 1), QStringLiteral("kept"));
    QCOMPARE(error, QStringLiteral("unset"));
    // Once asked, the rows are gone even for the file read: a later open reads it afresh.
    QVERIFY(!preload.take(path, table, &error));

    DrawFilePreload second;
    second.start([path] { return path; });
    QVERIFY(second.take(path, table, &error));
    QCOMPARE(error, QString());
    QCOMPARE(allCells(table), allCells(expected));
    QVERIFY(!second.take(path, table, &error));

    DrawFilePreload none;
    none.start([] { return QString(); });
    QVERIFY(!none.take(QString(), table, &error));
    DrawFilePreload neverStarted;
    QVERIFY(!neverStarted.take(path, table, &error));
}

void TestStartupReload::errorOfTheReadIsPassedOn() {
    QTemporaryDir folder;
    const QString path = folder.filePath("Lotto.bmi");
    QVERIFY(QDir(folder.path()).mkdir("Lotto.bmi")); // a folder is no draw file
    DrawFilePreload preload;
    preload.start([path] { return path; });
    TDrawTable table;
    QString error;
    QVERIFY(preload.take(path, table, &error));
    QCOMPARE(error, QStringLiteral("File access denied"));
    QCOMPARE(table.CountDraws(), 0);
}

void TestStartupReload::openTakesThePreloadedRows() {
    QTemporaryDir folder;
    const QString programFolder = folder.path() + u'/';
    const QString headerPath = folder.filePath("Lotto.bmd");
    QVERIFY(writeFile(headerPath, LottoHeader));
    QVERIFY(writeFile(folder.filePath("Lotto.bmi"), numberedDrawFile(5)));
    QVERIFY(writeFile(folder.filePath("Ballmere.ini"), settingsText("1", "Lotto")));
    TLotteryState direct;
    TDrawTable directTable;
    QVERIFY(openDatabase(headerPath, direct, directTable).opened());

    DrawFilePreload preload;
    preload.start([programFolder] { return startupDrawFilePath(programFolder); });
    TLotteryState state;
    TDrawTable table;
    QVERIFY(openDatabase(headerPath, state, table, &preload).opened());
    QCOMPARE(fieldsOf(state), fieldsOf(direct));
    QCOMPARE(allCells(table), allCells(directTable));
    QCOMPARE(state.DataHeaderPath, headerPath);
    TDrawTable unused;
    QString error;
    QVERIFY(!preload.take(folder.filePath("Lotto.bmi"), unused, &error)); // the open took them

    // A preload of another file leaves the open to read its own.
    DrawFilePreload other;
    other.start([programFolder] { return programFolder + "Other.bmi"; });
    TLotteryState fresh;
    TDrawTable freshTable;
    QVERIFY(openDatabase(headerPath, fresh, freshTable, &other).opened());
    QCOMPARE(fieldsOf(fresh), fieldsOf(direct));
    QCOMPARE(allCells(freshTable), allCells(directTable));
}

QTEST_GUILESS_MAIN(TestStartupReload)
#include "tst_startupreload.moc"
