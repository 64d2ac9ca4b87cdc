// The database named in the settings, reloaded when the main window is first shown, and the
// main window's details panel.
#include "app/Main.h"
#include "database/Database.h"
#include "support/TestContext.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

using namespace testfiles;

namespace {

QByteArray drawLine(const char* date, const char* numbers, const char* bonus) {
    QByteArray line = QByteArray("\"") + date + "\"";
    for (const QByteArray& n : QByteArray(numbers).split(' '))
        line += ",\"  " + n + "\"";
    return line + ",\"\",\"  " + bonus + "\",\"\"\r";
}

void writeLotto(TestContext& t, const QByteArray& name = "Lotto") {
    QVERIFY(writeFile(t.path("Lotto.bmd"), "[Database]\r\nName=" + name +
                                               "\r\nPick=6\r\nRandom=49\r\nBonus=1\r\n"
                                               "Description=Six from forty-nine\r\n"));
    QVERIFY(writeFile(t.path("Lotto.bmi"), drawLine(" 06/12/97", "03 17 22 31 40 45", "12") +
                                               drawLine(" 13/12/97", "01 02 03 04 05 06", "07")));
}

// The panel as the next paint of the window leaves it.
QStringList details(TForm1& window) {
    if (!QTest::qWaitForWindowExposed(&window))
        return {"window never shown"};
    window.repaint();
    QStringList shown;
    for (const char* name : {"Label10", "Label11", "Label12", "Label19", "Label13", "Label14"})
        shown << child<QLabel>(window, name)->text();
    return shown << child<QPlainTextEdit>(window, "Memo1")->toPlainText();
}

} // namespace

class TestMainDatabase : public QObject {
    Q_OBJECT

private slots:
    void reloadsTheStoredDatabase();
    void missingDatabaseShowsItsNameOnly();
    void noDatabaseRecorded();
    void reloadRunsOnce();
    void headerNamingAnotherFolderIsRefused();
    void refusedReloadLeavesBothWindowsEmpty_data();
    void refusedReloadLeavesBothWindowsEmpty();
    void databaseOpenedElsewhereSurvivesTheReturn();
};

void TestMainDatabase::reloadsTheStoredDatabase() {
    TestContext t;
    writeLotto(t);
    QVERIFY(writeFile(t.path("Ballmere.ini"), "[Options]\r\nLoadData=1\r\nDataName=Lotto\r\n"));
    TForm1 window(t.context);
    TForm7 database(t.context);
    window.setDatabaseWindow(&database);
    QVERIFY(!child<QPushButton>(window, "Button5")->isEnabled());
    window.show();

    QCOMPARE(details(window),
             (QStringList{"Lotto", "6", "49", "Yes", "2", " 13/12/97", "Six from forty-nine"}));
    QVERIFY(child<QPushButton>(window, "Button5")->isEnabled());
    QCOMPARE(t.table.CellText(3, 1), QString("  22"));
    QVERIFY(!database.isVisible());
    QVERIFY(t.dialogs.messages().isEmpty());
}

void TestMainDatabase::missingDatabaseShowsItsNameOnly() {
    TestContext t;
    QVERIFY(writeFile(t.path("Ballmere.ini"), "[Options]\r\nLoadData=1\r\nDataName=Gone\r\n"));
    {
        TForm1 window(t.context);
        window.show();
        QCOMPARE(details(window), (QStringList{"Gone", "0", "0", "No", "0", "", ""}));
        QVERIFY(!child<QPushButton>(window, "Button5")->isEnabled());
        QVERIFY(t.dialogs.messages().isEmpty());
        QCOMPARE(t.table.RowCount(), 15);
    }
    const QByteArray stored = readFile(t.path("Ballmere.ini"));
    QVERIFY(stored.contains("LoadData=1\r\n"));
    QVERIFY(stored.contains("DataName=Gone\r\n"));
    QVERIFY(!QFile::exists(t.path("Gone.bmi")));
}

void TestMainDatabase::noDatabaseRecorded() {
    TestContext t;
    writeLotto(t);
    QVERIFY(writeFile(t.path("Ballmere.ini"), "[Options]\r\nLoadData=0\r\nDataName=Lotto\r\n"));
    TForm1 window(t.context);
    window.show();
    QCOMPARE(details(window), (QStringList{"", "", "", "", "", "", "No Database Loaded !!"}));
    QVERIFY(t.table.CellText(0, 1).isEmpty());
}

void TestMainDatabase::reloadRunsOnce() {
    TestContext t;
    writeLotto(t);
    QVERIFY(writeFile(t.path("Ballmere.ini"), "[Options]\r\nLoadData=1\r\nDataName=Lotto\r\n"));
    TForm1 window(t.context);
    window.show();
    QCOMPARE(t.state.DataTotalDraws, 2);
    QVERIFY(writeFile(t.path("Lotto.bmi"), drawLine(" 20/12/97", "01 02 03 04 05 06", "07")));
    window.hide();
    window.show();
    QCOMPARE(t.state.DataTotalDraws, 2);
    QCOMPARE(t.table.CellText(0, 2), QString(" 13/12/97"));
}

void TestMainDatabase::headerNamingAnotherFolderIsRefused() {
    TestContext t;
    writeLotto(t, "../Lotto");
    QVERIFY(writeFile(t.path("Ballmere.ini"), "[Options]\r\nLoadData=1\r\nDataName=Lotto\r\n"));
    const QByteArray header = readFile(t.path("Lotto.bmd"));
    TForm1 window(t.context);
    window.show();
    QCOMPARE(t.dialogs.warnings.size(), 1);
    QCOMPARE(t.state.DataTotalDraws, 0);
    QVERIFY(t.table.CellText(0, 1).isEmpty());
    QCOMPARE(readFile(t.path("Lotto.bmd")), header);
}

void TestMainDatabase::refusedReloadLeavesBothWindowsEmpty_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("drawFileIsFolder");
    QTest::newRow("draw file a folder") << QByteArray("Lotto") << true;
    QTest::newRow("unusable name in the header") << QByteArray("../Lotto") << false;
}

void TestMainDatabase::refusedReloadLeavesBothWindowsEmpty() {
    QFETCH(QByteArray, name);
    QFETCH(bool, drawFileIsFolder);
    TestContext t;
    writeLotto(t, name);
    if (drawFileIsFolder) {
        QVERIFY(QFile::remove(t.path("Lotto.bmi")));
        QVERIFY(QDir(t.folder.path()).mkdir("Lotto.bmi"));
    }
    const QByteArray settings = "[Options]\r\nLoadData=1\r\nDataName=Lotto\r\n";
    QVERIFY(writeFile(t.path("Ballmere.ini"), settings));
    const QStringList before = entries(t.folder.path());
    {
        TForm1 window(t.context);
        TForm7 database(t.context);
        window.setDatabaseWindow(&database);
        window.show();
        QCOMPARE(t.dialogs.warnings.size(), 1);
        QCOMPARE(details(window), (QStringList{"", "", "", "", "", "", "No Database Loaded !!"}));
        QCOMPARE(child<QPlainTextEdit>(database, "Memo1")->toPlainText(),
                 QString("No Database Loaded !!"));
        QCOMPARE(child<QLabel>(database, "Label10")->text(), QString());
        QVERIFY(!child<QPushButton>(window, "Button5")->isEnabled());
        QVERIFY(!t.state.DatabaseLoaded);
    }
    // The next start tries the same database again; nothing else on disk changed.
    const QByteArray stored = readFile(t.path("Ballmere.ini"));
    QVERIFY(stored.contains("LoadData=1\r\n"));
    QVERIFY(stored.contains("DataName=Lotto\r\n"));
    QCOMPARE(entries(t.folder.path()), before);
    QCOMPARE(QFileInfo(t.path("Lotto.bmi")).isDir(), drawFileIsFolder);
}

void TestMainDatabase::databaseOpenedElsewhereSurvivesTheReturn() {
    TestContext t;
    QTemporaryDir elsewhere;
    QVERIFY(writeFile(elsewhere.filePath("Lotto.bmd"),
                      "[Database]\r\nName=Lotto\r\nPick=6\r\nRandom=49\r\n"));
    QVERIFY(writeFile(elsewhere.filePath("Lotto.bmi"),
                      drawLine(" 06/12/97", "03 17 22 31 40 45", "12")));
    TForm1 window(t.context);
    TForm7 database(t.context);
    window.setDatabaseWindow(&database);
    window.show();
    QTest::mouseClick(child<QPushButton>(window, "Button3"), Qt::LeftButton);
    QVERIFY(database.isVisible());
    QVERIFY(!window.isVisible());
    QVERIFY(database.OpenDatabase(elsewhere.filePath("Lotto.bmd")).opened());

    // While the database window is in front its status bar shows the hints.
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&database, &activate);
    QEvent enter(QEvent::Enter);
    auto* close = child<QPushButton>(database, "Button8");
    QCoreApplication::sendEvent(close, &enter);
    QCOMPARE(child<QStatusBar>(database, "StatusBar1")->currentMessage(),
             QString("Close the Database page"));

    QTest::mouseClick(close, Qt::LeftButton);
    QVERIFY(!database.isVisible());
    QVERIFY(window.isVisible());
    QCoreApplication::sendEvent(child<QPushButton>(window, "Button8"), &enter);
    QCOMPARE(child<QStatusBar>(window, "StatusBar1")->currentMessage(),
             QString("Exit Ballmere Pro"));
    QCOMPARE(t.state.DataTotalDraws, 1);
    QCOMPARE(details(window).value(4), QString("1"));
    QVERIFY(child<QPushButton>(window, "Button5")->isEnabled());
}

QTEST_MAIN(TestMainDatabase)
#include "tst_maindatabase.moc"
