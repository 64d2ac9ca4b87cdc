// Every file the program writes is whole or untouched, whatever the disk does; every file it
// reads is a regular file of bounded size, so pipes and devices never block or exhaust it.
#include "lines/CheckFile.h"
#include "state/LotteryState.h"
#include "app/Main.h"
#include "app/Settings.h"
#include "database/DatabaseHeader.h"
#include "database/DrawFile.h"
#include "database/DrawTable.h"
#include "platform/ProfileFile.h"
#include "platform/SafeFile.h"
#include "support/FileSizeLimit.h"
#include "support/TestContext.h"
#include "support/TestFiles.h"

#include <QtTest>

#include <atomic>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace testfiles;

namespace {

// Runs `read` on a thread; if it is still blocked after a few seconds, a writer opens and closes
// `fifo` so that it ends, and false is returned: the read blocked on the pipe.
bool endsWithoutBlocking(const QString& fifo, const std::function<void()>& read) {
    std::atomic<bool> done{false};
    std::thread reader([&] {
        read();
        done = true;
    });
    for (int waited = 0; !done && waited < 5000; waited += 10)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const bool blocked = !done;
    if (blocked) {
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY);
        if (fd >= 0)
            ::close(fd);
    }
    reader.join();
    return !blocked;
}

QByteArray bigLines() {
    return QByteArray(300, 'x');
}

} // namespace

class TestFileSafety : public QObject {
    Q_OBJECT

private slots:
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
    void settingsAtExitReportAFailedWrite();
    void readerTakesOnlyRegularFilesOfBoundedSize();
    void pipesNeverBlockStartUp();
};

void TestFileSafety::failedWriteKeepsTheOldFile_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<std::function<QString(const QString&)>>("save");
    QTest::addColumn<QString>("message");

    QTest::newRow("check file") << "lines.bmc"
                                << std::function<QString(const QString&)>([](const QString& path) {
                                       QStringList lines = CheckFile::headerLines();
                                       for (int i = 0; i < 40; ++i)
                                           lines << QString(40, u'7');
                                       return CheckFile::write(path, lines);
                                   })
                                << "Stream write error";
    QTest::newRow("settings") << "Ballmere.ini"
                              << std::function<QString(const QString&)>([](const QString& path) {
                                     TLotteryState state;
                                     state.DatabaseLoaded = true;
                                     state.DataName = QString(600, u'n');
                                     return Settings::save(path, state, 5);
                                 })
                              << "Unable to write to %1";
    QTest::newRow("header")
        << "Lotto.bmd" << std::function<QString(const QString&)>([](const QString& path) {
               return writeDatabaseHeader(path, {"Lotto", 6, 49, true, QString(600, u'd')});
           })
        << "Unable to write to %1";
    QTest::newRow("draw file") << "Lotto.bmi"
                               << std::function<QString(const QString&)>([](const QString& path) {
                                      TDrawTable table;
                                      table.SetRowCount(40);
                                      for (int row = 1; row < 40; ++row)
                                          table.SetCellText(0, row, QStringLiteral(" 01/01/99"));
                                      return saveDrawFile(path, table);
                                  })
                               << "Disk full";
}

void TestFileSafety::failedWriteKeepsTheOldFile() {
    QFETCH(QString, fileName);
    QFETCH(std::function<QString(const QString&)>, save);
    QFETCH(QString, message);
    QTemporaryDir folder;
    const QString path = folder.filePath(fileName);
    const QByteArray old = "[Database]\r\nold content\r\n";
    QVERIFY(writeFile(path, old));
    QString error;
    {
        const FileSizeLimit limit(200); // the old file fits, the new one does not
        error = save(path);
    }
    QCOMPARE(error, message.contains(QLatin1String("%1")) ? message.arg(path) : message);
    QCOMPARE(readFile(path), old);
    QCOMPARE(entries(folder.path()), QStringList{fileName}); // no temporary file left behind
}

void TestFileSafety::settingsAtExitReportAFailedWrite() {
    TestContext t;
    const QByteArray old = "[Options]\r\nPick=3\r\nSelection=2\r\nRandom=31\r\nLow=1\r\n"
                           "LoadData=0\r\nDataName=\r\n; " +
                           bigLines() + "\r\n";
    QVERIFY(writeFile(t.path("Ballmere.ini"), old));
    {
        const FileSizeLimit limit(old.size() - 10); // ends after the window, which writes
        TForm1 window(t.context);
    }
    QCOMPARE(t.dialogs.messages(),
             QStringList{QStringLiteral("Unable to write to %1").arg(t.path("Ballmere.ini"))});
    QCOMPARE(readFile(t.path("Ballmere.ini")), old);
}

void TestFileSafety::readerTakesOnlyRegularFilesOfBoundedSize() {
    QTemporaryDir folder;
    const QString fifo = folder.filePath("pipe");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zeroLink = folder.filePath("zero");
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), zeroLink));
    const QString big = folder.filePath("big");
    QVERIFY(writeFile(big, QByteArray(2000, 'b')));
    const QString small = folder.filePath("small");
    QVERIFY(writeFile(small, "tick"));

    QCOMPARE(readRegularFile(fifo, 100).status, FileReadResult::NotRegular);
    QCOMPARE(readRegularFile(zeroLink, 100).status, FileReadResult::NotRegular);
    QCOMPARE(readRegularFile(folder.path(), 100).status, FileReadResult::NotRegular);
    QCOMPARE(readRegularFile(big, 1999).status, FileReadResult::TooLarge);
    QCOMPARE(readRegularFile(folder.filePath("none"), 100).status, FileReadResult::Missing);
    const FileReadResult read = readRegularFile(small, 4);
    QVERIFY(read.ok());
    QCOMPARE(read.bytes, QByteArray("tick"));

    // Nor is a pipe or device ever replaced by a write.
    QCOMPARE(writeWholeFile(fifo, "x"), WriteFileResult::CannotCreate);
    QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
}

void TestFileSafety::pipesNeverBlockStartUp() {
    TestContext t;
    for (const char* name : {"Ballmere.ini", "SOUND.DAT"})
        QCOMPARE(::mkfifo(QFile::encodeName(t.path(name)).constData(), 0600), 0);
    TLotteryState state;
    int selection = 0;
    QVERIFY(endsWithoutBlocking(t.path("Ballmere.ini"), [&] {
        Settings::load(t.path("Ballmere.ini"), state, &selection);
    }));
    QCOMPARE(state.PickCount, 6); // as without a file
    QVERIFY(endsWithoutBlocking(
        t.path("SOUND.DAT"), [&] { (void)readRegularFile(t.path("SOUND.DAT"), 4 * 1024 * 1024); }));

    // The whole window: it starts with the defaults, plays nothing, and reports at the end
    // that the settings could not be written rather than replacing the pipe.
    {
        TForm1 window(t.context);
        QCOMPARE(t.state.RandomBound, 50);
    }
    QCOMPARE(t.sound.plays, 0);
    QCOMPARE(t.dialogs.messages(),
             QStringList{QStringLiteral("Unable to write to %1").arg(t.path("Ballmere.ini"))});
    QVERIFY(!QFileInfo(t.path("Ballmere.ini")).isFile());
}

QTEST_MAIN(TestFileSafety)
#include "tst_filesafety.moc"
