#include "database/Database.h"
#include "support/DatabaseFixture.h"
#include "support/TestContext.h"
#include "support/TestFiles.h"

#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
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
    QCOMPARE(grid->model()->columnCount(), 10);
    QVERIFY(grid->columnWidth(0) >= 58); // wider when the font needs it
    QCOMPARE(grid->columnWidth(5), 28);
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
    QCOMPARE(window.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText(),
             QStringLiteral("Six from 49"));
    for (const char* button : {"Button9", "Button4", "Button3"})
        QVERIFY2(enabled(window, button), button);

    const QAbstractItemModel* model = window.gridModel();
    QCOMPARE(model->headerData(8, Qt::Horizontal).toString(), QStringLiteral("Bon"));
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

QTEST_MAIN(TestDatabaseWindow)
#include "tst_databasewindow.moc"
