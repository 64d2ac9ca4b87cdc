#pragma once

// Where everything of a bar chart goes, worked out from sizes alone: no painting, no fonts, so
// the screen, the printer and the tests all see the same geometry.
//
// Data coordinates: bar i occupies the slot [i, i + 1] along x; y is the bar's value, a whole
// number (ticks fall between whole numbers only when zoomed in that closely). A view is
// the window of data coordinates shown in the plot; the plot is the front face of a shallow box
// whose back face is shifted right and up by the depth.

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

struct ChartView {
    double xMin = 0;
    double xMax = 1;
    double yMin = 0;
    double yMax = 1;

    bool operator==(const ChartView& o) const {
        return xMin == o.xMin && xMax == o.xMax && yMin == o.yMin && yMax == o.yMax;
    }
    bool operator!=(const ChartView& o) const { return !(*this == o); }
};

// Text sizes the caller measured with its fonts, in layout pixels.
struct ChartTextSizes {
    double titleHeight = 0; // 0: no title
    double labelHeight = 12;
    double widestValueLabel = 20; // widest tick label on the value axis
    double widestBarLabel = 12;   // widest label under a bar
    double valueTitleWidth = 0;   // axis titles; 0 width / height: none
    double axisTitleHeight = 0;
    double tagWidth = 0; // widest value tag including its frame
    double tagHeight = 0;
};

struct ChartInput {
    QSizeF size;
    int barCount = 0;
    ChartView view;
    ChartTextSizes text;
    bool valueTagsVisible = false;
};

struct ChartTick {
    double value = 0;
    double y = 0; // layout pixels, on the front plane
};

struct ChartLayout {
    static constexpr double BarFraction = 0.9;   // of the slot width
    static constexpr double DepthFraction = 0.1; // of the smaller side of the space for the box
    static constexpr double TagLift = 20;        // pixels between a bar's top and its tag
    static constexpr double Margin = 6;
    static constexpr double TickLength = 4;
    // The narrowest view: closer than a tenth of a slot or one hit shows nothing more, and
    // labels of a narrower one would run out of digits to tell their values apart.
    static constexpr double MinViewWidth = 0.1;
    static constexpr double MinViewHeight = 1;
    // Far beyond any bar or count; a view reaching further is pulled in.
    static constexpr double MaxViewCoordinate = 1e10;
    static constexpr int MaxTicks = 100;

    QRectF area;       // the whole chart
    QRectF title;      // centred on the top
    QRectF plot;       // front face of the box
    double depth = 0;  // back face = plot shifted by (depth, -depth)
    QRectF valueTitle; // left of the value labels, centred on the plot's height
    QRectF barTitle;   // under the bar labels
    ChartView view;

    double slotWidth = 0;         // pixels per bar slot
    std::vector<QRectF> bars;     // front faces from 0 to the value (unclipped; may reach outside)
    int labelStep = 1;            // every labelStep-th bar carries its label
    std::vector<ChartTick> ticks; // at most MaxTicks
    double tickStep = 1;
    double barDepth = 0; // bars are as deep as they are wide, up to the box's depth
    // Tags too wide for their slots alternate between rows on one common line above the
    // highest bar in view; otherwise each tag sits TagLift above its own bar.
    int tagRows = 1;
    // Bar i's tag, all as wide as the widest; empty for bars whose top is out of view. Tags
    // never overlap each other and never reach over the value axis.
    std::vector<QRectF> tags;

    double xToPixel(double x) const;
    double yToPixel(double y) const;
    double pixelToX(double px) const;
    double pixelToY(double py) const;
    QPointF backOffset() const { return {depth, -depth}; }
    // The front face, the back face and the sides between: everything a bar may cover.
    std::vector<QPointF> boxOutline() const;
    bool barLabelShown(int bar) const;
    // A tick's label: as many decimals as the step needs, so neighbours always read apart.
    QString tickLabel(double value) const;
};

// Rows of tags needed so that tags `tagWidth` wide do not overlap in slots `slotWidth` wide.
int tagRowsFor(double slotWidth, double tagWidth);

// Geometry of a chart of `input.barCount` bars values given, shown through `input.view` made
// sound: an axis with an end that is not finite shows the whole of it, an empty or upside-down
// span is shown one unit wide, and one narrower than the narrowest view widens about its centre.
ChartLayout layoutChart(const ChartInput& input, const std::vector<double>& values);

// The whole chart: every slot, and values from 0 to a round number at or above the highest,
// leaving `headroom` pixels above the highest bar (for its tag) in a plot of `plotHeight`.
ChartView fullView(int barCount, double highest, double plotHeight, double labelHeight,
                   double headroom);

// What a left-button drag from `from` to `to` asks for: towards the lower right a zoom, towards
// the upper left the whole chart again; shorter than a few pixels, nothing.
enum class DragAction { None, Zoom, Restore };
DragAction leftDragAction(const QPointF& from, const QPointF& to);

// 1, 2 or 5 times a power of ten: the smallest such step giving at most maxTicks steps in range.
double niceStep(double range, int maxTicks);

// The view showing the part of `layout.view` under the pixel rectangle (clamped to the plot), or
// the current view when the rectangle is too small to mean a zoom. Never narrower than the
// narrowest view: a smaller rectangle gives that view about its centre, within `layout.view`.
ChartView zoomedView(const ChartLayout& layout, const QRectF& pixels);
// The view moved against a drag of `pixels` (content follows the mouse), kept within `limits`.
ChartView scrolledView(const ChartLayout& layout, const QPointF& pixels, const ChartView& limits);
// A view between a and b: t = 0 gives a, t = 1 gives b.
ChartView interpolatedView(const ChartView& a, const ChartView& b, double t);
