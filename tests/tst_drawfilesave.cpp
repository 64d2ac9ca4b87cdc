#include "database/DrawFile.h"
#include "database/DrawTable.h"

#include "support/DrawTestFiles.h"
#include "support/ReadOnlyFolder.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace testfiles;

class TestDrawFileSave : public QObject {
    Q_OBJECT

private slots:
    void savedBytesAreExact();
    void saveLeavesOutWhatTheFormatCannotCarry();
    void saveFailures_data();
    void saveFailures();
    void failedSaveKeepsPreviousFile();
    void diskFullKeepsPreviousFile();
    void errorTexts_data();
    void errorTexts();
};

void TestDrawFileSave::savedBytesAreExact() {
    QTemporaryDir folder;
    const QString path = folder.filePath("Lotto.bmi");
    TDrawTable table = sampleTable();
    QCOMPARE(table.SaveRows(path), QString());
    QByteArray expected = DrawLine + "\r";
    for (int i = 2; i < 15; ++i)
        expected += EmptyLine + "\r";
    QCOMPARE(readFile(path), expected);

    // Rows past 14 are written too, empty or not.
    table.SetRowCount(17);
    table.SetCellText(0, 16, QStringLiteral(" 01/01/99"));
    QCOMPARE(table.SaveRows(path), QString());
    expected += EmptyLine + "\r" + "\" 01/01/99\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r";
    QCOMPARE(readFile(path), expected);
}

void TestDrawFileSave::saveLeavesOutWhatTheFormatCannotCarry() {
    QTemporaryDir folder;
    const QString path = folder.filePath("x.bmi");
    TDrawTable table;
    table.SetCellText(0, 1, QStringLiteral("12\"06\r97\x1A"));
    table.SetCellText(1, 1, QStringLiteral("\u00e9\""));
    table.SetCellText(2, 1, QStringLiteral("  07"));
    QCOMPARE(table.SaveRows(path), QString());
    QVERIFY(readFile(path).startsWith("\"120697\",\"\xC3\xA9\",\"  07\",\"\""));
    TDrawTable again;
    QVERIFY(again.LoadRows(path));
    QCOMPARE(again.RowCount(), 15);
    QCOMPARE(again.CellText(2, 1), QStringLiteral("  07"));

    // A short accented date is written as UTF-8 like any other cell, and reads back the same.
    table.SetCellText(0, 2, QStringLiteral("\u00e9t\u00e9\""));
    QCOMPARE(table.SaveRows(path), QString());
    QVERIFY(readFile(path).contains("\r\"\xC3\xA9t\xC3\xA9\",\"\","));
    QVERIFY(again.LoadRows(path));
    QCOMPARE(again.CellText(0, 2), QStringLiteral("\u00e9t\u00e9"));
}

void TestDrawFileSave::saveFailures_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("error");
    QTest::newRow("missing folder") << "no such folder/x.bmi"
                                    << "I/O error 2";
    QTest::newRow("name too long") << QString(300, u'n') + ".bmi"
                                   << "Invalid filename";
    QTest::newRow("a folder in the way") << "folder"
                                         << "File access denied";
}

void TestDrawFileSave::saveFailures() {
    QFETCH(QString, name);
    QFETCH(QString, error);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkpath("folder/inside"));
    const TDrawTable table = sampleTable();
    QCOMPARE(table.SaveRows(folder.filePath(name)), error);
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"folder"});
}

void TestDrawFileSave::failedSaveKeepsPreviousFile() {
    QTemporaryDir folder;
    const QString path = folder.filePath("x.bmi");
    const QByteArray previous = repeatedDrawLine(20, "\r");
    QVERIFY(writeFile(path, previous));
    ReadOnlyFolder readOnly(folder.path());
    if (!readOnly.effective())
        QSKIP("this file system lets the folder be written");
    QCOMPARE(sampleTable().SaveRows(path), QStringLiteral("File access denied"));
    QCOMPARE(readFile(path), previous);
}

void TestDrawFileSave::diskFullKeepsPreviousFile() {
    // A file size limit makes writes fail the way a full disk does, even for root.
    QTemporaryDir folder;
    const QString path = folder.filePath("x.bmi");
    const QByteArray previous = repeatedDrawLine(3, "\r");
    QVERIFY(writeFile(path, previous));
    TDrawTable big = sampleTable();
    big.SetRowCount(5000);

    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
    const QString error = big.SaveRows(path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(error, QStringLiteral("Disk full"));
    QCOMPARE(readFile(path), previous);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"x.bmi"});
}

void TestDrawFileSave::errorTexts_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("ENOSPC") << ENOSPC << "Disk full";
    QTest::newRow("EDQUOT") << EDQUOT << "Disk full";
    QTest::newRow("EACCES") << EACCES << "File access denied";
    QTest::newRow("EROFS") << EROFS << "File access denied";
    QTest::newRow("ENAMETOOLONG") << ENAMETOOLONG << "Invalid filename";
    QTest::newRow("EIO") << EIO << "I/O error 5";
    QTest::newRow("ENOENT") << ENOENT << "I/O error 2";
}

void TestDrawFileSave::errorTexts() {
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(fileErrorText(code), text);
}

QTEST_GUILESS_MAIN(TestDrawFileSave)
#include "tst_drawfilesave.moc"
