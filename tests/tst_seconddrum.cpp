// Draws of a game with a second drum: the entry panel's extra boxes and their range, the
// tenth cell of the draw file, the grid's columns and the import of extra columns.
#include "check/Check.h"
#include "database/Database.h"
#include "database/DrawImport.h"
#include "support/DatabaseFixture.h"
#include "support/TestContext.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace testfiles;

namespace {

const QByteArray StarsHeader =
    headerText("Name=Stars\r\nPick=5\r\nRandom=50\r\nBonus=0\r\nDescription=Two stars\r\n") +
    "[Rules]\r\nExtra=SecondDrum\r\nExtraCount=2\r\nExtraRange=12\r\nPrice=2.50\r\n"
    "Tiers=5+2 Jackpot; 4+2 250.00; 2+0 4.00; 0+2 8.00\r\n";
const QByteArray PowerHeader =
    headerText("Name=Stars\r\nPick=5\r\nRandom=69\r\nBonus=0\r\nDescription=One ball\r\n") +
    "[Rules]\r\nExtra=SecondDrum\r\nExtraCount=1\r\nExtraRange=26\r\n";

struct Game {
    TestContext t;
    QString headerPath = t.path(QStringLiteral("Stars.bmd"));
    QString drawPath = t.path(QStringLiteral("Stars.bmi"));
    std::unique_ptr<TForm7> window;

    explicit Game(const QByteArray& header) {
        writeFile(headerPath, header);
        window = std::make_unique<TForm7>(t.context);
        window->OpenDatabase(headerPath);
    }
    QLineEdit* edit(int k) const {
        return child<QLineEdit>(*window, qPrintable(QStringLiteral("Edit%1").arg(k)));
    }
    void add(const QStringList& numbers) {
        child<QPushButton>(*window, "Button9")->click();
        edit(8)->setText(QStringLiteral("06/12/25"));
        const int boxes[] = {1, 2, 3, 4, 5, 9, 10};
        for (int i = 0; i < 7; ++i)
            edit(boxes[i])->setText(numbers.value(i));
        child<QPushButton>(*window, "Button6")->click();
    }
};

} // namespace

class TestSecondDrum : public QObject {
    Q_OBJECT

private slots:
    void entryTakesExtrasOfTheSecondDrum_data() {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QByteArray>("line"); // the draw file's first line; "" when refused
        QTest::newRow("two extras stored in cells 9 and 10")
            << StarsHeader << QStringList{"3", "11", "17", "24", "38", "7", "12"} << ""
            << QByteArray("\" 06/12/25\",\"  03\",\"  11\",\"  17\",\"  24\",\"  38\",\"\",\"\","
                          "\"  07\",\"  12\"\r");
        QTest::newRow("extra above the drum")
            << StarsHeader << QStringList{"3", "11", "17", "24", "38", "7", "13"}
            << "Extra numbers are from 1 to 12" << QByteArray();
        QTest::newRow("extra of 0")
            << StarsHeader << QStringList{"3", "11", "17", "24", "38", "0", "2"}
            << "Extra numbers are from 1 to 12" << QByteArray();
        QTest::newRow("one extra, tenth cell empty")
            << PowerHeader << QStringList{"3", "11", "17", "24", "69", "26", ""} << ""
            << QByteArray("\" 06/12/25\",\"  03\",\"  11\",\"  17\",\"  24\",\"  69\",\"\",\"\","
                          "\"  26\",\"\"\r");
    }
    void entryTakesExtrasOfTheSecondDrum() {
        QFETCH(QByteArray, header);
        QFETCH(QStringList, numbers);
        QFETCH(QString, warning);
        QFETCH(QByteArray, line);
        Game game(header);
        const bool two = header == StarsHeader;
        game.add(numbers);
        QCOMPARE(game.t.dialogs.warnings, warning.isEmpty() ? QStringList() : QStringList{warning});
        QCOMPARE(readFile(game.drawPath).left(line.size()), line);
        if (!line.isEmpty()) {
            // The grid shows the date, five numbers and the extra columns.
            QCOMPARE(game.window->gridModel()->columnCount(), two ? 8 : 7);
            return;
        }
        QVERIFY(game.edit(10)->isVisibleTo(game.window.get()) == two);
        QCOMPARE(child<QLabel>(*game.window, "Label3")->text(),
                 two ? QStringLiteral("Extras") : QStringLiteral("Extra"));
    }

    void editShowsBothExtras() {
        Game game(StarsHeader);
        game.add({"3", "11", "17", "24", "38", "7", "12"});
        child<QPushButton>(*game.window, "Button4")->click();
        QCOMPARE(game.edit(9)->text(), QStringLiteral("07"));
        QCOMPARE(game.edit(10)->text(), QStringLiteral("12"));
    }

    // The checker takes the winning extras from the last stored draw and names each tier.
    void checkerNamesTiers() {
        Game game(StarsHeader);
        game.add({"3", "11", "17", "24", "44", "7", "12"});
        const QString lines = game.t.path(QStringLiteral("lines.bmc"));
        writeFile(lines, "Ballmere Professional\r\nVersion 1.01\r\n\r\n" + QByteArray(60, '-') +
                             "\r\n5/50  >  03 - 11 - 17 - 24 - 38  +  07 - 12\r\n"
                             "5/50  >  01 - 02 - 05 - 06 - 07  +  12 - 07\r\n");
        game.t.dialogs.fileAnswers << lines;
        game.t.state.PickCount = 5;
        TForm6 checker(game.t.context);
        child<QPushButton>(checker, "Button1")->click();
        child<QCheckBox>(checker, "CheckBox2")->click();
        QCOMPARE(child<QLineEdit>(checker, "ExtraEdit")->text(), QStringLiteral("07 12"));
        QVERIFY(child<QLineEdit>(checker, "ExtraEdit")->isVisibleTo(&checker));
        child<QPushButton>(checker, "Button2")->click();
        const QStringList shown =
            child<QPlainTextEdit>(checker, "Memo1")->toPlainText().split(u'\n');
        // The second line wins by its extra numbers alone, in either order.
        QCOMPARE(shown.mid(0, 2),
                 (QStringList{"03  11  17  24    (4 Number Hit) + 2 extras: 4 + 2, 250",
                              "  (0 Number Hit) + 2 extras: 0 + 2, 8"}));
    }

    void importReadsExtraColumns() {
        Game game(StarsHeader);
        const QString csv = game.t.path(QStringLiteral("results.csv"));
        writeFile(csv, "Date,B1,B2,B3,B4,B5,S1,S2\r\n"
                       "2025-01-03,1,2,3,4,5,7,12\r\n"
                       "2025-01-07,6,7,8,9,10,13,1\r\n" // a star beyond the drum
                       "2025-01-10,11,12,13,14,15,3\r\n");
        const DrawImportResult result =
            importDrawHistory(csv, {QStringLiteral("dd/MM/yy"), NumericDateOrder::DayFirst},
                              game.t.state, game.t.table);
        QCOMPARE(result.added, 2);
        QCOMPARE(result.skipped[int(SkippedLine::OutOfRange)], 1);
        QCOMPARE(rowCells(game.t.table, 1).mid(8), (QStringList{"  07", "  12"}));
        QCOMPARE(rowCells(game.t.table, 2).mid(8), (QStringList{"  03", ""}));
    }
};

QTEST_MAIN(TestSecondDrum)
#include "tst_seconddrum.moc"
