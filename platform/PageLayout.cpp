#include "PageLayout.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>

namespace PageLayout {

namespace {

// A hair's tolerance, so that a column or a row that fits exactly is not lost to rounding.
constexpr double Slack = 1e-6;
// The chart's height to its width on a page: no flatter and no taller than these.
constexpr double FlattestChart = 0.4;
constexpr double TallestChart = 0.8;
const QSizeF UsualChartSize(495, 299);

int whole(double ratio) {
    return ratio > 0 ? int(std::floor(ratio + Slack)) : 0;
}

int roundedUp(int count, int per) {
    return (count + per - 1) / per;
}

} // namespace

QString programName() {
    return QStringLiteral("Ballmere Pro");
}

QString footerText(int page, int pages) {
    return QStringLiteral("Page %1 of %2").arg(page).arg(pages);
}

ColumnLayout layColumns(const ColumnInput& input) {
    ColumnLayout layout;
    if (input.lineHeight > 0)
        layout.rowsPerPage = std::max(1, whole(input.height / input.lineHeight));
    if (input.lineWidth > 0)
        layout.columns =
            std::max(1, whole((input.width + input.gap) / (input.lineWidth + input.gap)));
    const int rows = layout.rowsPerPage;
    const int introRows = std::max(0, input.introRows);
    const int lineCount = std::max(0, input.lineCount);
    const int introPages = introRows / rows;
    const int rest = introRows % rows;
    if (lineCount == 0) {
        layout.pages = std::max(1, introPages + (rest > 0 ? 1 : 0));
        return layout;
    }
    const int firstPageLines = (rows - rest) * layout.columns;
    layout.pages = introPages + 1;
    if (lineCount > firstPageLines)
        layout.pages += roundedUp(lineCount - firstPageLines, rows * layout.columns);
    return layout;
}

LinePlace placeOfLine(const ColumnLayout& layout, int introRows, int index) {
    const int rows = layout.rowsPerPage;
    const int introPages = introRows / rows;
    const int rest = introRows % rows;
    const int firstRows = rows - rest;
    const int firstPageLines = firstRows * layout.columns;
    if (index < firstPageLines)
        return {introPages, index / firstRows, rest + index % firstRows};
    const int after = index - firstPageLines;
    const int perPage = rows * layout.columns;
    const int within = after % perPage;
    return {introPages + 1 + after / perPage, within / rows, within % rows};
}

LinePlace placeOfIntroRow(const ColumnLayout& layout, int index) {
    return {index / layout.rowsPerPage, 0, index % layout.rowsPerPage};
}

ChartPlacement placeChart(const QSizeF& screenSize, const QRectF& room) {
    const QSizeF screen = screenSize.isEmpty() ? UsualChartSize : screenSize;
    ChartPlacement placement;
    if (room.isEmpty())
        return placement;
    const double shape = std::clamp(room.height() / room.width(), FlattestChart, TallestChart);
    const double width = std::min(room.width(), room.height() / shape);
    const double height = width * shape;
    placement.target = QRectF(room.left() + (room.width() - width) / 2, room.top(), width, height);
    placement.layoutSize = QSizeF(2 * screen.width(), 2 * screen.width() * shape);
    return placement;
}

} // namespace PageLayout
