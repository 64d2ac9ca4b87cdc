#pragma once

// One page layout for everything printed or saved as a page: 15 mm margins, a header line
// (program, game, date printed) and a footer "Page x of y" around the content. Lists flow down
// as many columns as fit the page width; a chart fills a landscape page, scaled evenly.
// The geometry here is plain arithmetic on sizes, so it is tested without a printer.

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class QPainter;

namespace PageLayout {

constexpr double MarginMm = 15;
constexpr double ListPoints = 10;  // list lines: small enough for 100 lines on one page
constexpr double HeaderPoints = 8; // header and footer lines
constexpr double TitlePoints = 14; // a chart page's title
constexpr double ColumnGapMm = 6;  // between two columns of lines
constexpr double RuleGapMm = 3;    // between the header or footer rule and the content

QString programName();
// "Page 2 of 5"
QString footerText(int page, int pages);

// How a list flows over the pages: `introRows` full-width rows open the first page (a page of
// its own for each full page of them), then the lines run down column after column.
struct ColumnInput {
    double width = 0;      // the content's width between the margins
    double height = 0;     // the content's height between header and footer
    double lineHeight = 0; // one row
    double lineWidth = 0;  // the widest line
    double gap = 0;        // between two columns
    int introRows = 0;
    int lineCount = 0;
};

struct ColumnLayout {
    int columns = 1;     // as many as fit the width, at least one
    int rowsPerPage = 1; // at least one
    int pages = 1;       // at least one, also for an empty list
};

ColumnLayout layColumns(const ColumnInput& input);

// Where row `row` of column `column` on page `page` (all from 0) holds line `index`.
struct LinePlace {
    int page = 0;
    int column = 0;
    int row = 0;
};
LinePlace placeOfLine(const ColumnLayout& layout, int introRows, int index);
// Where intro row `index` goes: its page and its row.
LinePlace placeOfIntroRow(const ColumnLayout& layout, int index);

// A chart laid out at twice its on-screen width, at the room's shape within bounds, then scaled
// by one factor into the room: text and bars keep their proportions.
struct ChartPlacement {
    QSizeF layoutSize;
    QRectF target; // within the room, centred across it, at its top
};
ChartPlacement placeChart(const QSizeF& screenSize, const QRectF& room);

} // namespace PageLayout

// A list as a printed page: the header's game (empty: none), the date it was printed (filled in
// when printed), rows across the whole width at the top, then the lines in columns.
struct TextPage {
    QString title; // the document's title, the print job's name
    QString game;
    QString date;
    QStringList intro;
    QStringList lines;
};

// Renders a chart into `target`, laid out at `layoutSize`; without its own titles when the page
// carries them.
using ChartRendering = std::function<void(QPainter& painter, const QRectF& target,
                                          const QSizeF& layoutSize, bool withTitles)>;

struct LegendEntry {
    QString name;
    quint32 rgb = 0; // 0xRRGGBB
};

// A chart as a printed page: title, subtitle and legend above the chart, the verdict under it.
// Saved as a picture, the chart alone at its on-screen size.
struct ChartPage {
    QString title;
    QString subtitle;
    QString game;
    QString date;
    QVector<LegendEntry> legend; // empty: none shown
    QString verdict;             // empty: none shown
    QSizeF screenSize;
    ChartRendering render;
};
