#pragma once

// Draws a bar chart from its bars and style onto any painter, in layout pixels: the widget
// paints at its own size, printing and images lay it out at another size and scale it.

#include "ChartLayout.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>
#include <vector>

class QPainter;

struct ChartBar {
    QString label;
    int value = 0;
    QColor colour;       // invalid: the chart's own palette colour
    QString description; // read by assistive technology
};

struct ChartStyle {
    QString title;
    QString subtitle;   // under the title, in the label font
    QString barTitle;   // under the bar labels
    QString valueTitle; // left of the value labels, written horizontally
    QFont font;         // labels and tags; pixel-sized, so it scales with the layout
    QFont titleFont;
    QColor titleColour = Qt::blue;
    bool valueTagsVisible = false;
    bool rich = true; // shaded bar sides and a gradient background; flat and plain otherwise
    // Shaded between dashed lines at its edges drawn across the bars' fronts, a solid line at its
    // centre, and named in a legend row under the subtitle.
    std::optional<ChartBand> band;
};

class ChartPainter {
public:
    ChartPainter(const std::vector<ChartBar>& bars, const ChartStyle& style);

    // The layout at `size` through `view`; no view: the whole chart.
    ChartLayout layout(const QSizeF& size, const ChartView* view = nullptr) const;
    ChartView wholeView(const QSizeF& size) const;
    // The view along `numbers`' numbers axis, the value axis fitted to the bars in it.
    ChartView fittedView(const QSizeF& size, const ChartView& numbers) const;
    void paint(QPainter& painter, const ChartLayout& layout) const;

    // The palette colour of bar i; neighbouring bars always differ.
    static QColor automaticColour(int bar);
    QColor colourOf(int bar) const;

private:
    ChartInput input(const QSizeF& size, const ChartView& view) const;
    QFont tagFont(int face) const;
    void paintBackground(QPainter& painter, const QRectF& area) const;
    void paintWalls(QPainter& painter, const ChartLayout& layout) const;
    void paintBars(QPainter& painter, const ChartLayout& layout) const;
    void paintAxes(QPainter& painter, const ChartLayout& layout) const;
    void paintTags(QPainter& painter, const ChartLayout& layout) const;

    const std::vector<ChartBar>& bars_;
    const ChartStyle& style_;
    std::vector<double> values_;
    ChartTextSizes text_;
    std::vector<int> tagPixels_; // the tag font's pixel size in each of text_.tagFaces
};

// A font of `points` at the usual 96 pixels per inch, sized in pixels so that it scales with
// the painter rather than with the device's resolution.
QFont chartFont(const QFont& base, double points, bool bold = false);
