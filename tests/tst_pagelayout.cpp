// The page layout's arithmetic: how many columns fit, how many rows a page holds, how many pages
// a list takes and where each line lands; a chart scaled by one factor whatever the room.
#include "lines/CheckFile.h"
#include "lines/ListPage.h"
#include "platform/PageLayout.h"
#include "state/LotteryState.h"
#include "wheels/WheelPage.h"

#include <QtTest>

using namespace PageLayout;

Q_DECLARE_METATYPE(ColumnInput)

namespace {

// A4 portrait between 15 mm margins, header and footer, in points; list lines at 10 points.
ColumnInput a4List(int introRows, int lineCount, double lineWidth = 170) {
    ColumnInput input;
    input.width = 510;
    input.height = 720;
    input.lineHeight = 11.5; // 62 rows
    input.lineWidth = lineWidth;
    input.gap = 17;
    input.introRows = introRows;
    input.lineCount = lineCount;
    return input;
}

} // namespace

class TestPageLayout : public QObject {
    Q_OBJECT

private slots:
    void columnsAndPages_data();
    void columnsAndPages();
    void whereLinesLand_data();
    void whereLinesLand();
    void chartScaledEvenly_data();
    void chartScaledEvenly();
    void listsKeepTheirBannerOnTop_data();
    void listsKeepTheirBannerOnTop();
};

void TestPageLayout::columnsAndPages_data() {
    QTest::addColumn<ColumnInput>("input");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::newRow("1 line") << a4List(4, 1) << 2 << 62 << 1;
    QTest::newRow("50 lines") << a4List(4, 50) << 2 << 62 << 1;
    QTest::newRow("100 lines") << a4List(4, 100) << 2 << 62 << 1;
    QTest::newRow("first page full") << a4List(4, 116) << 2 << 62 << 1;
    QTest::newRow("one line more") << a4List(4, 117) << 2 << 62 << 2;
    QTest::newRow("300 lines") << a4List(4, 300) << 2 << 62 << 3;
    QTest::newRow("three columns just fit") << a4List(0, 100, (510 - 2 * 17) / 3.0) << 3 << 62 << 1;
    QTest::newRow("wider than the page") << a4List(0, 100, 900) << 1 << 62 << 2;
    QTest::newRow("no lines, banner only") << a4List(4, 0) << 2 << 62 << 1;
    QTest::newRow("nothing at all") << a4List(0, 0) << 2 << 62 << 1;
    QTest::newRow("intro fills a page") << a4List(62, 1) << 2 << 62 << 2;
    QTest::newRow("intro beyond a page") << a4List(70, 120) << 2 << 62 << 3;
    ColumnInput tiny = a4List(0, 3);
    tiny.height = 5; // less than one row: still one row a page
    QTest::newRow("row taller than the page") << tiny << 2 << 1 << 2;
}

void TestPageLayout::columnsAndPages() {
    QFETCH(ColumnInput, input);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(int, pages);
    const ColumnLayout layout = layColumns(input);
    QCOMPARE(layout.columns, columns);
    QCOMPARE(layout.rowsPerPage, rows);
    QCOMPARE(layout.pages, pages);
    // The last line lands on the last page, and no two lines share a place.
    if (input.lineCount > 0) {
        QCOMPARE(placeOfLine(layout, input.introRows, input.lineCount - 1).page, pages - 1);
        QSet<QString> places;
        for (int i = 0; i < input.lineCount; ++i) {
            const LinePlace p = placeOfLine(layout, input.introRows, i);
            QVERIFY(p.column < columns && p.row < rows);
            places << QString("%1/%2/%3").arg(p.page).arg(p.column).arg(p.row);
        }
        QCOMPARE(places.size(), input.lineCount);
    }
}

void TestPageLayout::whereLinesLand_data() {
    QTest::addColumn<int>("introRows");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("first line under the banner") << 4 << 0 << 0 << 0 << 4;
    QTest::newRow("foot of the first column") << 4 << 57 << 0 << 0 << 61;
    QTest::newRow("second column starts under the banner") << 4 << 58 << 0 << 1 << 4;
    QTest::newRow("next page starts at the top") << 4 << 116 << 1 << 0 << 0;
    QTest::newRow("next page, second column") << 4 << 116 + 62 << 1 << 1 << 0;
    QTest::newRow("after a page of intro") << 62 << 0 << 1 << 0 << 0;
}

void TestPageLayout::whereLinesLand() {
    QFETCH(int, introRows);
    QFETCH(int, index);
    QFETCH(int, page);
    QFETCH(int, column);
    QFETCH(int, row);
    const ColumnLayout layout = layColumns(a4List(introRows, 1000));
    const LinePlace place = placeOfLine(layout, introRows, index);
    QCOMPARE(place.page, page);
    QCOMPARE(place.column, column);
    QCOMPARE(place.row, row);
}

void TestPageLayout::chartScaledEvenly_data() {
    QTest::addColumn<QSizeF>("screen");
    QTest::addColumn<QRectF>("room");
    // A landscape A4 page's room under title, subtitle and legend, above a verdict.
    QTest::newRow("landscape page") << QSizeF(495, 299) << QRectF(0, 90, 3000, 1500);
    QTest::newRow("tall room") << QSizeF(495, 299) << QRectF(10, 10, 1000, 3000);
    QTest::newRow("flat room") << QSizeF(495, 299) << QRectF(10, 10, 3000, 400);
    QTest::newRow("unknown screen size") << QSizeF() << QRectF(0, 0, 800, 500);
}

void TestPageLayout::chartScaledEvenly() {
    QFETCH(QSizeF, screen);
    QFETCH(QRectF, room);
    const ChartPlacement placement = placeChart(screen, room);
    QVERIFY(!placement.layoutSize.isEmpty());
    const double across = placement.target.width() / placement.layoutSize.width();
    const double down = placement.target.height() / placement.layoutSize.height();
    QVERIFY2(qAbs(across - down) < 1e-9 * across, "bars and letters keep their shape");
    QVERIFY(room.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(placement.target));
    // Laid out at twice the screen's width: text prints at about its size on screen.
    if (!screen.isEmpty())
        QCOMPARE(placement.layoutSize.width(), 2 * screen.width());
    // A chart, not a strip nor a tower.
    const double shape = placement.target.height() / placement.target.width();
    QVERIFY(shape >= 0.4 - 1e-9 && shape <= 0.8 + 1e-9);
    // It uses the room's whole width or whole height.
    QVERIFY(qFuzzyCompare(placement.target.width(), room.width()) ||
            qFuzzyCompare(placement.target.height(), room.height()));
}

void TestPageLayout::listsKeepTheirBannerOnTop_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("intro");
    QTest::addColumn<QStringList>("lines");
    const QStringList banner = CheckFile::headerLines();
    const QStringList lines{"6/49  >  01 - 05 - 12 - 17 - 23 - 44",
                            "6/49  >  02 - 06 - 12 - 19 - 23 - 45"};
    QTest::newRow("draw list") << "list" << banner << lines;
    QTest::newRow("banner only") << "list" << banner << QStringList();
    QTest::newRow("no banner") << "no banner" << QStringList() << lines;
    QTest::newRow("wheel") << "wheel"
                           << QStringList{"Your numbers: 01 02 05 06 12 17 19 23 44 45",
                                          "2 lines: if 3 ...",
                                          "",
                                          "Chances in one draw of the game",
                                          "6 or more on one line: 1 in 6,991,908 (0.0000143 %)",
                                          ""}
                           << lines;
}

void TestPageLayout::listsKeepTheirBannerOnTop() {
    QFETCH(QString, kind);
    QFETCH(QStringList, intro);
    QFETCH(QStringList, lines);
    TLotteryState state;
    state.DataName = "Lotto 6/49";
    const QStringList list = kind == "no banner" ? lines : CheckFile::headerLines() + lines;
    const TextPage page = kind == "wheel"
                              ? WheelPage::page(state, {1, 2, 5, 6, 12, 17, 19, 23, 44, 45},
                                                intro[1], {intro[4]}, list)
                              : ListPage::page(state, list, "Draw list");
    QCOMPARE(page.intro, intro);
    QCOMPARE(page.lines, lines);
    // A game named in the header only while it is loaded.
    QCOMPARE(page.game, QString());
    state.DatabaseLoaded = true;
    QCOMPARE(ListPage::page(state, list, "Draw list").game, state.DataName);
}

QTEST_MAIN(TestPageLayout)
#include "tst_pagelayout.moc"
