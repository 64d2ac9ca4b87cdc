// What the program leaves until it is needed: the database window built when first shown must
// show what one built at once shows, and the sound device's answer waits for the first paint.
#include "app/Main.h"
#include "database/Database.h"
#include "platform/LazySoundOutput.h"
#include "support/TestContext.h"
#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QtTest>

using namespace testfiles;

namespace {

// Every caption, text and enabled state of the window's controls, and the grid's size and row.
QStringList snapshot(const QWidget& window) {
    QStringList shown;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        QString text;
        if (auto* label = qobject_cast<const QLabel*>(w))
            text = label->text();
        else if (auto* button = qobject_cast<const QAbstractButton*>(w))
            text = button->text();
        else if (auto* edit = qobject_cast<const QLineEdit*>(w))
            text = edit->text();
        else if (auto* memo = qobject_cast<const QPlainTextEdit*>(w))
            text = memo->toPlainText();
        else if (auto* grid = qobject_cast<const QTableView*>(w))
            text = QStringLiteral("%1 rows, row %2")
                       .arg(grid->model()->rowCount())
                       .arg(grid->currentIndex().row());
        else
            continue;
        shown << QStringLiteral("%1 %2 [%3]").arg(w->objectName(), text).arg(w->isEnabled());
    }
    shown.sort();
    return shown;
}

QByteArray drawLine(const char* date, const char* numbers, const char* bonus) {
    QByteArray line = QByteArray("\"") + date + "\"";
    for (const QByteArray& n : QByteArray(numbers).split(' '))
        line += ",\"  " + n + "\"";
    return line + ",\"\",\"  " + bonus + "\",\"\"\r";
}

// The database window after the start-up reload of `settings`, once shown.
QStringList databaseWindowAfterStart(const QByteArray& settings, const QByteArray& drawFile,
                                     TForm7::Widgets widgets) {
    TestContext t;
    if (!writeFile(t.path("Lotto.bmd"), "[Database]\r\nName=Lotto\r\nPick=6\r\nRandom=49\r\n"
                                        "Bonus=1\r\nDescription=Six from forty-nine\r\n") ||
        !writeFile(t.path("Ballmere.ini"), settings))
        return {"set-up failed"};
    if (drawFile == "folder")
        QDir(t.folder.path()).mkdir("Lotto.bmi");
    else if (!writeFile(t.path("Lotto.bmi"), drawFile))
        return {"set-up failed"};
    TForm1 window(t.context);
    TForm7 database(t.context, widgets);
    window.setDatabaseWindow(&database);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return {"main window never shown"};
    database.show();
    if (!QTest::qWaitForWindowExposed(&database))
        return {"database window never shown"};
    return snapshot(database);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void databaseWindowBuiltWhenShown_data();
    void databaseWindowBuiltWhenShown();
    void soundAnswerWaitsUntilAskedToAnswer();
};

void TestStartup::databaseWindowBuiltWhenShown_data() {
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QByteArray>("drawFile");
    const QByteArray reload = "[Options]\r\nLoadData=1\r\nDataName=Lotto\r\n";
    const QByteArray draws = drawLine(" 06/12/97", "03 17 22 31 40 45", "12") +
                             drawLine(" 13/12/97", "01 02 03 04 05 06", "07");
    QTest::newRow("reloaded") << reload << draws;
    QTest::newRow("reloaded, no draws yet") << reload << QByteArray();
    QTest::newRow("reload refused") << reload << QByteArray("folder");
    QTest::newRow("named database missing")
        << QByteArray("[Options]\r\nLoadData=1\r\nDataName=Gone\r\n") << draws;
    QTest::newRow("no database") << QByteArray("[Options]\r\nLoadData=0\r\n") << draws;
}

void TestStartup::databaseWindowBuiltWhenShown() {
    QFETCH(QByteArray, settings);
    QFETCH(QByteArray, drawFile);
    const QStringList atOnce =
        databaseWindowAfterStart(settings, drawFile, TForm7::Widgets::BuildNow);
    QVERIFY(atOnce.size() > 20);
    QCOMPARE(databaseWindowAfterStart(settings, drawFile, TForm7::Widgets::BuildWhenShown), atOnce);
}

void TestStartup::soundAnswerWaitsUntilAskedToAnswer() {
    QTemporaryDir noPlugins;
    LazySoundOutput sound(noPlugins.path());
    QList<int> answers;
    QObject receiver;
    auto gone = std::make_unique<QObject>();
    sound.askDeviceCount(&receiver, [&](int devices) { answers << devices; });
    sound.askDeviceCount(gone.get(), [&](int) { answers << -1; });
    gone.reset();
    QVERIFY(answers.isEmpty());
    sound.startAnswering();
    QCOMPARE(answers, QList<int>{0}); // no sound plugin: no device; a receiver gone: no answer
    sound.askDeviceCount(&receiver, [&](int devices) { answers << devices; });
    QCOMPARE(answers, (QList<int>{0, 0}));
    sound.play(QByteArray("RIFF"));
    sound.stop(); // without a back end both do nothing
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
