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
#include <optional>
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

// A range of values a bar is read against: its edges at `low` and `high`, a line at `centre`.
struct ChartBand {
    double centre = 0;
    double low = 0;
    double high = 0;
};

// The box of the widest value tag in one face of the tag font: with its text level, and turned
// upright (reading upwards), which is as thick as the digits are tall.
struct ChartTagFace {
    QSizeF level;
    QSizeF upright;
};

// Text sizes the caller measured with its fonts, in layout pixels.
struct ChartTextSizes {
    double titleHeight = 0;    // 0: no title
    double subtitleHeight = 0; // 0: no subtitle
    double labelHeight = 12;
    double widestValueLabel = 20; // widest tick label on the value axis
    double widestBarLabel = 12;   // widest label under a bar
    double valueTitleWidth = 0;   // axis titles; 0 width / height: none
    double axisTitleHeight = 0;
    double legendHeight = 0;            // 0: no legend row
    std::vector<ChartTagFace> tagFaces; // largest first; none: no tags
};

struct ChartInput {
    QSizeF size;
    int barCount = 0;
    ChartView view;
    ChartTextSizes text;
    bool valueTagsVisible = false;
    std::optional<ChartBand> band; // the whole chart's value axis reaches up to its top
};

struct ChartTick {
    double value = 0;
    double y = 0; // layout pixels, on the front plane
};

// What of a bar is drawn. A bar cut by the left or right edge of the plot is left out while
// some bar is in view whole, so that no side face stands without its front; when none is (zoomed
// in to about a slot) the cut bars are drawn flat, without side faces. A bar reaching above or
// below the plot is cut there as one solid, and shows its top face only when its top is in view.
struct ChartBarShape {
    bool column = false; // its slot is in view: labelled, though its top may lie below the view
    bool shown = false;
    QRectF front; // the part of the front face drawn, within the plot
    bool top = false;
    bool side = false;
};

// A band's lines on the bars' front plane at their true values, in layout pixels; a line out of
// view lies outside the plot.
struct ChartBandLines {
    double low = 0;
    double high = 0;
    double centre = 0;
};

// A label under the bar axis: the bar's own label centred at x.
struct ChartBarLabel {
    int bar = 0;
    double x = 0;
};

struct ChartLayout {
    static constexpr double BarFraction = 0.9;   // of the slot width
    static constexpr double DepthFraction = 0.1; // of the smaller side of the space for the box
    static constexpr double TagLift = 20;        // pixels between a bar's top and its tag
    static constexpr double TagGap = 1;          // at least between neighbouring tags
    static constexpr double TagFrameGap = 2;     // at least between a tag and the box's top edge
    static constexpr double LabelGap = 2;        // at least between neighbouring bar labels
    static constexpr double Margin = 6;
    static constexpr double TickLength = 4;
    // The narrowest view: closer than a tenth of a slot or one hit shows nothing more, and
    // labels of a narrower one would run out of digits to tell their values apart.
    static constexpr double MinViewWidth = 0.1;
    static constexpr double MinViewHeight = 1;
    // Far beyond any bar or count; a view reaching further is pulled in.
    static constexpr double MaxViewCoordinate = 1e10;
    static constexpr int MaxTicks = 100;
    // The value axis grows at most this much for the tags; a tag that finds no room below the
    // box's top edge even then comes down, and is left out if it would cover another bar.
    static constexpr double MaxTagGrowth = 1.15;

    QRectF area;      // the whole chart
    QRectF title;     // centred on the top
    QRectF subtitle;  // under the title
    QRectF legend;    // under the subtitle: what the band's lines mean; null without a band
    QRectF plot;      // front face of the box
    double depth = 0; // back face = plot shifted by (depth, -depth)
    // The left wall stands at the first slot and the floor at 0: drawn only while in view, so
    // that a zoomed view shows no piece of either between its bars.
    bool wallShown = true;
    bool floorShown = true;
    QRectF valueTitle; // left of the value labels, centred on the plot's height
    QRectF barTitle;   // under the bar labels
    ChartView view;

    double slotWidth = 0;     // pixels per bar slot
    std::vector<QRectF> bars; // front faces from 0 to the value (unclipped; may reach outside)
    std::vector<ChartBarShape> shapes; // what of each bar is drawn
    // Every labelStep-th bar (1, 2, 5, 10, 20, ...) carries its label: the smallest step whose
    // labels do not touch. Zoomed into less than a slot, the slots in view are labelled.
    int labelStep = 1;
    std::vector<ChartBarLabel> labels;
    std::vector<ChartTick> ticks; // at most MaxTicks
    std::optional<ChartBandLines> band;
    double tickStep = 1;
    double barDepth = 0; // bars are as deep as they are wide, up to the box's depth
    // The tags' face: the largest in which a tag, level or else upright, fits over every
    // tagStep-th bar (1, 2, 5, 10, ...: the same bars as labels at that step); -1 when tags are
    // hidden or too crowded to show.
    int tagFace = -1;
    bool tagsUpright = false;
    int tagStep = 1;
    // Bar i's tag; empty for bars not tagged or whose top is not drawn. A tag stands TagLift
    // above its bar, higher where another bar's front would reach it; it never overlaps another
    // tag or another bar's front, and stays within the plot's width and below the box's top
    // edge (in a zoomed view a tag that would rise above it comes down as far as it must).
    std::vector<QRectF> tags;

    double xToPixel(double x) const;
    double yToPixel(double y) const;
    double pixelToX(double px) const;
    double pixelToY(double py) const;
    QPointF backOffset() const { return {depth, -depth}; }
    // The front face, the back face and the sides between: everything a bar may cover.
    std::vector<QPointF> boxOutline() const;
    // Where the box's outline runs across the top at x: the left wall's top edge, then the back
    // wall's.
    double frameTop(double x) const;
    // A tick's label: as many decimals as the step needs, so neighbours always read apart.
    QString tickLabel(double value) const;
};

// Geometry of a chart of `input.barCount` bars values given, shown through `input.view` made
// sound: an axis with an end that is not finite shows the whole of it, an empty or upside-down
// span is shown one unit wide, and one narrower than the narrowest view widens about its centre.
ChartLayout layoutChart(const ChartInput& input, const std::vector<double>& values);

// The whole chart: every slot, and values from 0 to a round number at or above the highest.
ChartView fullView(int barCount, double highest, double plotHeight, double labelHeight);
// The whole chart of `input` (its view is not used), up to at least its band: with tags visible,
// the value axis reaches just as far above the round number as the tags need to stay below the
// box's top edge.
ChartView wholeChartView(const ChartInput& input, const std::vector<double>& values);
// The same for the bars in view along `input.view`'s numbers axis, which it keeps: the value
// axis from 0 fitted to them.
ChartView fittedView(const ChartInput& input, const std::vector<double>& values);

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
// The numbers axis after `notches` turns of the mouse wheel with the pointer at pixel x `at`:
// zoomed about the number under the pointer, 1.25 times closer a notch forward, or scrolled a
// tenth of the view a notch (forward: to the left). Kept within the slots of `barCount` bars and
// never narrower than the narrowest view; the value axis is left as it was.
ChartView wheelView(const ChartLayout& layout, int barCount, double at, double notches,
                    bool scroll);
// A view between a and b: t = 0 gives a, t = 1 gives b.
ChartView interpolatedView(const ChartView& a, const ChartView& b, double t);
