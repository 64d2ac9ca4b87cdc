#include "database/Database.h"
#include "database/Newdata.h"
#include "support/DatabaseFixture.h"
#include "support/TestContext.h"
#include "support/TestFiles.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>

using namespace testfiles;

namespace {

QString labelText(const QWidget& window, const char* name) {
    const auto* label = window.findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

bool enabled(const QWidget& window, const char* name) {
    const auto* button = window.findChild<QPushButton*>(QLatin1String(name));
    return button && button->isEnabled();
}

} // namespace

class TestDatabaseWindow : public QObject {
    Q_OBJECT

private slots:
    void startsEmpty();
    void showsOpenedDatabase();
    void refusedDatabaseLeavesWindowAsItWas();
    void missingHeaderLocksDrawButtons_data();
    void missingHeaderLocksDrawButtons();
    void gridFillsItsWidth();
};

void TestDatabaseWindow::startsEmpty() {
    TestContext test;
    TForm7 window(test.context);
    QCOMPARE(window.windowTitle(), QStringLiteral("Database for your lottery game"));
    QVERIFY(!window.isVisible());
    QCOMPARE(window.minimumSize(), window.maximumSize());

    const auto* grid = window.findChild<QTableView*>(QStringLiteral("SuperGrid1"));
    QVERIFY(grid);
    QCOMPARE(grid->model(), window.gridModel());
    QCOMPARE(grid->model()->rowCount(), 14);
    QCOMPARE(grid->model()->columnCount(), 9); // every column a draw can fill
    QVERIFY(grid->columnWidth(0) >= 58);       // wider when the font needs it
    QVERIFY(grid->columnWidth(5) >= 28);       // the numbers share the rest
    QCOMPARE(grid->rowHeight(0), 18);
    QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    QCOMPARE(window.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText(),
             QStringLiteral("No Database Loaded !!"));
    for (const char* button : {"Button9", "Button4", "Button3"})
        QVERIFY2(!enabled(window, button), button);
    for (const char* button : {"Button1", "Button2", "Button8"})
        QVERIFY2(enabled(window, button), button);
    QCOMPARE(test.state.DataHeaderPath, QString());
}

void TestDatabaseWindow::showsOpenedDatabase() {
    TestContext test;
    const QString headerPath = test.path(QStringLiteral("Lotto.bmd"));
    QVERIFY(writeFile(headerPath, LottoHeader));
    QVERIFY(
        writeFile(test.path(QStringLiteral("Lotto.bmi")), DrawLine + "\r\" 13/12/97\",\"  01\"\r"));
    TForm7 window(test.context);
    const DatabaseOpenResult result = window.OpenDatabase(headerPath);
    QVERIFY(result.opened());

    QCOMPARE(labelText(window, "Label10"), QStringLiteral("Lotto"));
    QCOMPARE(labelText(window, "Label11"), QStringLiteral("6"));
    QCOMPARE(labelText(window, "Label12"), QStringLiteral("49"));
    QCOMPARE(labelText(window, "Label1"), QStringLiteral("Yes"));
    QCOMPARE(labelText(window, "Label13"), QStringLiteral("2"));
    QCOMPARE(labelText(window, "Label14"), QStringLiteral(" 13/12/97"));
    // The stored blank is kept but drawn outside: the date's first figure stands under the
    // first figure of the total above it.
    const QLabel* total = window.findChild<QLabel*>(QStringLiteral("Label13"));
    const QLabel* last = window.findChild<QLabel*>(QStringLiteral("Label14"));
    QCOMPARE(last->x() + last->contentsRect().x() + last->fontMetrics().horizontalAdvance(u' '),
             total->x() + total->contentsRect().x());
    QCOMPARE(window.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText(),
             QStringLiteral("Six from 49"));
    for (const char* button : {"Button9", "Button4", "Button3"})
        QVERIFY2(enabled(window, button), button);

    const QAbstractItemModel* model = window.gridModel();
    QCOMPARE(model->headerData(7, Qt::Horizontal).toString(), QStringLiteral("Bon"));
    QCOMPARE(model->index(0, 6).data().toString(), QStringLiteral("  45"));
    QCOMPARE(model->index(1, 0).data().toString(), QStringLiteral(" 13/12/97"));
    QCOMPARE(test.state.DataHeaderPath, headerPath);

    // Changes made to the table elsewhere show after a refresh.
    test.table.SetRowCount(40);
    window.RefreshDetails();
    QCOMPARE(model->rowCount(), 39);
}

void TestDatabaseWindow::refusedDatabaseLeavesWindowAsItWas() {
    TestContext test;
    const QString headerPath = test.path(QStringLiteral("Bad.bmd"));
    QVERIFY(writeFile(headerPath, headerText("Name=../Bad\r\n")));
    TForm7 window(test.context);
    const DatabaseOpenResult result = window.OpenDatabase(headerPath);
    QCOMPARE(result.error, QStringLiteral("\"../Bad\" is not a valid database name"));
    QVERIFY(!test.state.DatabaseLoaded);
    QCOMPARE(labelText(window, "Label10"), QString());
    QVERIFY(!enabled(window, "Button9"));
    QCOMPARE(test.state.DataHeaderPath, QString());
}

void TestDatabaseWindow::missingHeaderLocksDrawButtons_data() {
    QTest::addColumn<bool>("drawsLeft"); // the draw file is still there
    QTest::addColumn<bool>("buildWhenShown");
    QTest::addColumn<bool>("create"); // then a database is created rather than loaded
    QTest::newRow("no draws") << false << false << false;
    QTest::newRow("draws without their header") << true << false << false;
    QTest::newRow("window built later, as at start-up") << true << true << false;
    QTest::newRow("then a new database") << true << false << true;
}

// The database named in the settings is gone: its name shows, but there is no game to record
// draws of until a database is loaded or created.
void TestDatabaseWindow::missingHeaderLocksDrawButtons() {
    QFETCH(bool, drawsLeft);
    QFETCH(bool, buildWhenShown);
    QFETCH(bool, create);
    TestContext test;
    test.state.DatabaseLoaded = true;
    test.state.DataName = QStringLiteral("Lotto");
    const QString headerPath = test.path(QStringLiteral("Lotto.bmd"));
    if (drawsLeft)
        QVERIFY(writeFile(test.path(QStringLiteral("Lotto.bmi")), numberedDrawFile(2)));
    TForm7 window(test.context,
                  buildWhenShown ? TForm7::Widgets::BuildWhenShown : TForm7::Widgets::BuildNow);
    QVERIFY(window.OpenDatabase(headerPath).opened());
    window.show();
    const char* const drawButtons[] = {"Button9", "Button4", "Button3", "Button5"};
    const auto checkLocked = [&] {
        QCOMPARE(labelText(window, "Label10"), QStringLiteral("Lotto"));
        QCOMPARE(labelText(window, "Label11"), QStringLiteral("0"));
        for (const char* button : drawButtons)
            QVERIFY2(!enabled(window, button), button);
        for (const char* button : {"Button1", "Button2", "Button8"})
            QVERIFY2(enabled(window, button), button);
    };
    checkLocked();
    window.Button7Click(); // back to browsing sets the buttons again
    checkLocked();

    if (create) {
        TForm10 dialog(test.context, &window);
        for (const auto& [box, text] :
             {std::pair{"Edit1", "Keno"}, {"Edit2", "6"}, {"Edit3", "49"}, {"Edit4", "y"}})
            child<QLineEdit>(dialog, box)->setText(QLatin1String(text));
        dialog.Button1Click();
        QCOMPARE(test.dialogs.messages(), QStringList());
        window.Button7Click();
        drawsLeft = false;
    } else {
        QVERIFY(writeFile(headerPath, LottoHeader));
        QVERIFY(window.OpenDatabase(headerPath).opened());
    }
    for (const char* button : drawButtons)
        QVERIFY2(enabled(window, button) == (drawsLeft || button == QByteArray("Button9") ||
                                             button == QByteArray("Button5")),
                 button);
}

// The game's columns fill the grid beside its scroll bar; before any database no row stands out
// as chosen.
void TestDatabaseWindow::gridFillsItsWidth() {
    TestContext test;
    TForm7 window(test.context);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto* grid = window.findChild<QTableView*>(QStringLiteral("SuperGrid1"));
    QVERIFY(!grid->selectionModel()->isSelected(grid->model()->index(0, 1)));
    QVERIFY(writeFile(test.path(QStringLiteral("Lotto.bmd")), LottoHeader));
    QVERIFY(writeFile(test.path(QStringLiteral("Lotto.bmi")), numberedDrawFile(30)));
    QVERIFY(window.OpenDatabase(test.path(QStringLiteral("Lotto.bmd"))).opened());
    QApplication::processEvents();
    QVERIFY(grid->selectionModel()->isSelected(grid->model()->index(0, 1)));
    QVERIFY(grid->verticalScrollBar()->isVisible());
    QCOMPARE(grid->horizontalHeader()->length(), grid->viewport()->width());
}

QTEST_MAIN(TestDatabaseWindow)
#include "tst_databasewindow.moc"
