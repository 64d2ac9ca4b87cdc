#include "ChartBand.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// Translucent, so that the grid and the walls' own colours show through.
const QColor BandColour(0, 150, 100, 50);
// Dark dashes on white read across bars of any colour.
const QColor BandEdgeColour(0, 100, 60);
const QColor BandUnderColour(255, 255, 255);
const QColor BandCentreColour(0, 60, 40);
constexpr double BandEdgeWidth = 2;
constexpr double LegendSample = 24; // length of a line drawn in the legend
constexpr double LegendGap = 12;    // between the legend's entries

// As the chart's own lines: one pixel wide on pixel centres, areas on pixel boundaries.
double line(double v) {
    return std::floor(v) + 0.5;
}
double edge(double v) {
    return std::round(v);
}

QPen pen(const QColor& colour, Qt::PenStyle style = Qt::SolidLine) {
    QPen p(colour, 1, style);
    p.setCapStyle(Qt::FlatCap);
    return p;
}

int decimalsOf(const ChartBand& band) {
    return band.high - band.low < 10 ? 1 : 0;
}

} // namespace

QString bandRangeText(const ChartBand& band) {
    const int decimals = decimalsOf(band);
    const QLocale english(QLocale::English);
    return QStringLiteral("Expected range %1\u2013%2")
        .arg(english.toString(band.low, 'f', decimals), english.toString(band.high, 'f', decimals));
}

QString bandCentreText(const ChartBand& band) {
    const int decimals = decimalsOf(band);
    return QStringLiteral("Expected %1")
        .arg(QLocale(QLocale::English).toString(band.centre, 'f', decimals));
}

// Shaded on the bars' front plane, where the lines stand: the bars stand in front of it.
void paintBandShade(QPainter& painter, const ChartLayout& layout) {
    if (!layout.band)
        return;
    const QRectF& plot = layout.plot;
    const double top = std::clamp(layout.band->high, plot.top(), plot.bottom());
    const double bottom = std::clamp(layout.band->low, plot.top(), plot.bottom());
    if (top < bottom)
        painter.fillRect(QRectF(QPointF(edge(plot.left()), edge(top)),
                                QPointF(edge(plot.right()), edge(bottom))),
                         BandColour);
}

// The edges dashed and the centre solid, across the bars' fronts at their true values, so that
// each bar's top reads against them.
void paintBandLines(QPainter& painter, const ChartLayout& layout) {
    if (!layout.band)
        return;
    const QRectF& plot = layout.plot;
    const double left = edge(plot.left()) + 1; // clear of the value axis
    const double right = edge(plot.right());
    const auto across = [&](double y, const QPen& under, const QPen& over) {
        if (y < plot.top() - 0.5 || y > plot.bottom() + 0.5)
            return;
        painter.setPen(under);
        painter.drawLine(QPointF(left, y), QPointF(right, y));
        painter.setPen(over);
        painter.drawLine(QPointF(left, y), QPointF(right, y));
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen under = pen(BandUnderColour);
    under.setWidthF(BandEdgeWidth);
    QPen dashed = pen(BandEdgeColour, Qt::DashLine);
    dashed.setWidthF(BandEdgeWidth);
    for (const double y : {layout.band->high, layout.band->low})
        across(edge(y), under, dashed);
    QPen centreUnder = pen(BandUnderColour);
    centreUnder.setWidthF(3);
    across(line(layout.band->centre), centreUnder, pen(BandCentreColour));
    painter.restore();
}

void paintBandLegend(QPainter& painter, const ChartLayout& layout, const QFont& font,
                     const ChartBand& band) {
    if (layout.legend.isNull())
        return;
    const QString range = bandRangeText(band);
    const QString centre = bandCentreText(band);
    const QFontMetricsF metrics(font);
    const double rangeWidth = metrics.horizontalAdvance(range);
    const double centreWidth = metrics.horizontalAdvance(centre);
    const double width = 2 * (LegendSample + 4) + rangeWidth + LegendGap + centreWidth;
    double x = std::round(layout.legend.center().x() - width / 2);
    const double y = edge(layout.legend.center().y());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(font);
    const auto entry = [&](const QPen& sample, const QString& text, double textWidth) {
        QPen under = pen(BandUnderColour);
        under.setWidthF(sample.widthF() + (sample.style() == Qt::SolidLine ? 2 : 0));
        painter.setPen(under);
        painter.drawLine(QPointF(x, y), QPointF(x + LegendSample, y));
        painter.setPen(sample);
        painter.drawLine(QPointF(x, y), QPointF(x + LegendSample, y));
        x += LegendSample + 4;
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x, layout.legend.top(), textWidth + 2, layout.legend.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
        x += textWidth + LegendGap;
    };
    QPen dashed = pen(BandEdgeColour, Qt::DashLine);
    dashed.setWidthF(BandEdgeWidth);
    entry(dashed, range, rangeWidth);
    entry(pen(BandCentreColour), centre, centreWidth);
    painter.restore();
}
