#include "platform/ProfileFile.h"
#include "support/ReadOnlyFolder.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace testfiles;

class TestProfile : public QObject {
    Q_OBJECT

private slots:
    void readsIntegers_data();
    void readsIntegers();
    void namesMatchWithoutCase();
    void missingFileAndKeysKeepDefaults();
    void longValuesAreCut();
    void updateInPlaceKeepsEverythingElse();
    void bytesOfOtherEncodingsAreKept();
    void newFileIsWrittenWithCrLf();
    void failedSaveLeavesOldFile();
};

void TestProfile::readsIntegers_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("decimal") << QByteArray("42") << 42;
    QTest::newRow("negative") << QByteArray("-5") << -5;
    QTest::newRow("blanks around") << QByteArray("  7  ") << 7;
    QTest::newRow("hex lower") << QByteArray("0x1f") << 31;
    QTest::newRow("hex upper prefix") << QByteArray("0X1F") << 31;
    QTest::newRow("hex all bits") << QByteArray("0xFFFFFFFF") << -1;
    QTest::newRow("text") << QByteArray("six") << 99;
    QTest::newRow("digits then text") << QByteArray("12abc") << 99;
    QTest::newRow("empty") << QByteArray("") << 99;
    QTest::newRow("bare prefix") << QByteArray("0x") << 99;
    QTest::newRow("too large") << QByteArray("99999999999") << 99;
}

void TestProfile::readsIntegers() {
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    QVERIFY(writeFile(path, "[Options]\r\nPick=" + value + "\r\n"));
    QCOMPARE(ProfileFile(path).readInt("Options", "Pick", 99), expected);
}

void TestProfile::namesMatchWithoutCase() {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    QVERIFY(writeFile(path, "[oPtIoNs]\r\npick=3\r\nDATANAME=Lotto\r\n"));
    const ProfileFile file(path);
    QCOMPARE(file.readInt("Options", "Pick", 0), 3);
    QCOMPARE(file.readString("OPTIONS", "DataName", ""), QString("Lotto"));

    ProfileFile update(path);
    update.writeInt("Options", "PICK", 5);
    QVERIFY(update.save());
    QCOMPARE(readFile(path), QByteArray("[oPtIoNs]\r\nPICK=5\r\nDATANAME=Lotto\r\n"));
}

void TestProfile::missingFileAndKeysKeepDefaults() {
    QTemporaryDir dir;
    const ProfileFile missing(dir.filePath("none.ini"));
    QVERIFY(!missing.exists());
    QCOMPARE(missing.readInt("Options", "Pick", 6), 6);
    QCOMPARE(missing.readString("Options", "DataName", "x"), QString("x"));

    const QString path = dir.filePath("a.ini");
    QVERIFY(writeFile(path, "[Other]\r\nPick=2\r\n[Options]\r\n; Pick=3\r\nLow=4\r\n"));
    const ProfileFile file(path);
    QCOMPARE(file.readInt("Options", "Pick", 6), 6); // other section and comment do not count
    QCOMPARE(file.readInt("Options", "Low", 1), 4);
}

void TestProfile::longValuesAreCut() {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    QVERIFY(writeFile(path, "[Options]\r\nDataName=" + QByteArray(3000, 'n') + "\r\n"));
    QCOMPARE(ProfileFile(path).readString("Options", "DataName", "").size(), 1023);
}

void TestProfile::updateInPlaceKeepsEverythingElse() {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    QVERIFY(writeFile(
        path, "; my notes\r\n[Options]\r\nPick=2\r\nColour=red\r\n\r\n[Window]\r\nTop=5\r\n"));
    ProfileFile file(path);
    file.writeInt("Options", "Pick", 7);
    file.writeString("Options", "DataName", "Lotto");
    file.writeString("Extra", "Key", "v");
    QVERIFY(file.save());
    QCOMPARE(readFile(path), QByteArray("; my notes\r\n[Options]\r\nPick=7\r\nColour=red\r\n"
                                        "DataName=Lotto\r\n\r\n[Window]\r\nTop=5\r\n"
                                        "[Extra]\r\nKey=v\r\n"));
}

void TestProfile::bytesOfOtherEncodingsAreKept() {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    // A Latin-1 comment and section, a UTF-8 value, a lone LF and no end on the last line.
    const QByteArray before = "; Caf\xe9 notes\r\n[Options]\r\nDataName=Ma\xf1"
                              "ana\r\nPick=2\n"
                              "[Fen\xeatre]\r\nTitle=\xc3\xa9t\xc3\xa9";
    QVERIFY(writeFile(path, before));
    ProfileFile file(path);
    QCOMPARE(file.readString("Options", "DataName", ""), QString::fromUtf8("Ma\u00f1ana"));
    QCOMPARE(file.readString(QString::fromUtf8("Fen\u00eatre"), "Title", ""),
             QString::fromUtf8("\u00e9t\u00e9"));
    file.writeInt("Options", "Pick", 2);
    file.writeString("Options", "DataName", QString::fromUtf8("Ma\u00f1ana"));
    QVERIFY(file.save());
    QCOMPARE(readFile(path), before); // nothing changed, nothing rewritten

    file.writeInt("Options", "Pick", 3);
    file.writeString(QString::fromUtf8("Fen\u00eatre"), "Top", "5");
    QVERIFY(file.save());
    QCOMPARE(readFile(path), QByteArray("; Caf\xe9 notes\r\n[Options]\r\nDataName=Ma\xf1"
                                        "ana\r\n"
                                        "Pick=3\n[Fen\xeatre]\r\nTitle=\xc3\xa9t\xc3\xa9\r\n"
                                        "Top=5\r\n"));
}

void TestProfile::newFileIsWrittenWithCrLf() {
    QTemporaryDir dir;
    const QString path = dir.filePath("new.ini");
    ProfileFile file(path);
    file.writeInt("Options", "Pick", 6);
    file.writeString("Options", "DataName", "");
    QVERIFY(file.save());
    QCOMPARE(readFile(path), QByteArray("[Options]\r\nPick=6\r\nDataName=\r\n"));
}

void TestProfile::failedSaveLeavesOldFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    QVERIFY(writeFile(path, "[Options]\r\nPick=2\r\n"));
    ProfileFile file(path);
    file.writeInt("Options", "Pick", 3);
    {
        const ReadOnlyFolder readOnly(dir.path());
        if (!readOnly.effective())
            QSKIP("this file system cannot make a folder read-only");
        QVERIFY(!file.save());
    }
    QCOMPARE(readFile(path), QByteArray("[Options]\r\nPick=2\r\n"));
}

QTEST_GUILESS_MAIN(TestProfile)
#include "tst_profile.moc"
