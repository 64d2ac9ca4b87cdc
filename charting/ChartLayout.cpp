#include "ChartLayout.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double MinZoomPixels = 4;
constexpr double LabelGap = 4;
constexpr int MaxTagRows = 4;

// The part of a view's span along one axis that is kept between limits.
void clampSpan(double& lo, double& hi, double limitLo, double limitHi) {
    const double span = hi - lo;
    if (span >= limitHi - limitLo) {
        lo = limitLo;
        hi = limitLo + span;
        return;
    }
    if (lo < limitLo) {
        lo = limitLo;
        hi = limitLo + span;
    } else if (hi > limitHi) {
        hi = limitHi;
        lo = limitHi - span;
    }
}

// A span shorter than `narrowest` widened about its centre, kept within limits as wide.
void widenWithin(double& lo, double& hi, double narrowest, double limitLo, double limitHi) {
    if (hi - lo >= narrowest)
        return;
    if (limitHi - limitLo <= narrowest) {
        lo = limitLo;
        hi = limitHi;
        return;
    }
    const double centre = lo + (hi - lo) / 2;
    lo = centre - narrowest / 2;
    hi = centre + narrowest / 2;
    clampSpan(lo, hi, limitLo, limitHi);
}

// One axis of a view made fit to lay out: see layoutChart.
void soundSpan(double& lo, double& hi, double whole, double narrowest) {
    if (!std::isfinite(lo) || !std::isfinite(hi)) {
        lo = 0;
        hi = whole;
    }
    lo = std::clamp(lo, -ChartLayout::MaxViewCoordinate, ChartLayout::MaxViewCoordinate);
    hi = std::clamp(hi, -ChartLayout::MaxViewCoordinate, ChartLayout::MaxViewCoordinate);
    if (!(hi > lo))
        hi = lo + 1;
    if (hi - lo < narrowest) {
        const double centre = lo + (hi - lo) / 2;
        lo = centre - narrowest / 2;
        hi = centre + narrowest / 2;
    }
}

// Each tag TagLift above its bar; when they are too wide for their slots, neighbours alternate
// between rows on a common line above the highest bar in view. Within a row a tag moves right
// just enough to clear the one before it and the value axis.
void placeTags(ChartLayout& layout, double width, double height) {
    const QRectF& plot = layout.plot;
    const int count = int(layout.bars.size());
    layout.tags.assign(size_t(count), QRectF());
    std::vector<int> shown;
    double highest = plot.bottom();
    for (int i = 0; i < count; ++i) {
        const QRectF& face = layout.bars[size_t(i)];
        const double centre = face.center().x();
        if (centre < plot.left() || centre > plot.right() || face.top() < plot.top() - 0.5 ||
            face.top() > plot.bottom() + 0.5)
            continue; // a bar cut off by the view has no top to label
        shown.push_back(i);
        highest = std::min(highest, face.top());
    }
    const int rows = layout.tagRows;
    std::vector<double> rowEnd(size_t(rows), plot.left() + 1);
    for (const int i : shown) {
        const QRectF& face = layout.bars[size_t(i)];
        const int row = i % rows;
        const double bottom = rows > 1 ? highest - ChartLayout::TagLift - row * (height + 2)
                                       : face.top() - ChartLayout::TagLift;
        const double left =
            std::max(std::round(face.center().x() - width / 2), rowEnd[size_t(row)]);
        layout.tags[size_t(i)] = QRectF(left, std::round(bottom - height), width, height);
        rowEnd[size_t(row)] = left + width + 1;
    }
}

// Steps of the value axis that leave room for their labels: with the ends, never more ticks
// than MaxTicks, however tall the plot.
int tickCapacity(double plotHeight, double labelHeight) {
    const double steps = plotHeight / std::max(1.0, labelHeight * 1.8);
    return steps >= 1 ? int(std::min(steps, double(ChartLayout::MaxTicks - 2))) : 1;
}

} // namespace

double ChartLayout::xToPixel(double x) const {
    return plot.left() + (x - view.xMin) * slotWidth;
}

double ChartLayout::yToPixel(double y) const {
    return plot.bottom() - (y - view.yMin) / (view.yMax - view.yMin) * plot.height();
}

double ChartLayout::pixelToX(double px) const {
    return view.xMin + (px - plot.left()) / slotWidth;
}

double ChartLayout::pixelToY(double py) const {
    return view.yMin + (plot.bottom() - py) / plot.height() * (view.yMax - view.yMin);
}

std::vector<QPointF> ChartLayout::boxOutline() const {
    const QPointF back = backOffset();
    return {plot.bottomLeft(),         plot.topLeft(),
            plot.topLeft() + back,     plot.topRight() + back,
            plot.bottomRight() + back, plot.bottomRight()};
}

int tagRowsFor(double slotWidth, double tagWidth) {
    const double rows = std::ceil((tagWidth + 2) / slotWidth);
    if (!(slotWidth > 0) || !(rows > 1))
        return 1;
    return int(std::min(rows, double(MaxTagRows)));
}

bool ChartLayout::barLabelShown(int bar) const {
    return (bar + 1) % labelStep == 0;
}

QString ChartLayout::tickLabel(double value) const {
    int decimals = 0;
    while (decimals < 6 && std::abs(tickStep * std::pow(10.0, decimals) -
                                    std::round(tickStep * std::pow(10.0, decimals))) > 1e-6)
        ++decimals;
    return QString::number(value, 'f', decimals);
}

double niceStep(double range, int maxTicks) {
    if (!(range > 0) || maxTicks < 1)
        return 1;
    const double raw = range / maxTicks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * power >= raw * (1 - 1e-9))
            return m * power;
    }
    return 10 * power;
}

ChartLayout layoutChart(const ChartInput& input, const std::vector<double>& values) {
    ChartLayout layout;
    const ChartTextSizes& text = input.text;
    const double width = input.size.width();
    const double height = input.size.height();
    const double m = ChartLayout::Margin;
    layout.area = QRectF(QPointF(0, 0), input.size);

    double top = m;
    if (text.titleHeight > 0) {
        layout.title = QRectF(0, m, width, text.titleHeight);
        top += text.titleHeight + m;
    }
    double left = m;
    if (text.valueTitleWidth > 0)
        left += text.valueTitleWidth + m;
    left += text.widestValueLabel + ChartLayout::TickLength + 3;
    double bottom = height - m;
    if (text.axisTitleHeight > 0)
        bottom -= text.axisTitleHeight + 2;
    bottom -= text.labelHeight + ChartLayout::TickLength + 2;
    const double right = width - m;

    const double spaceWidth = std::max(2.0, right - left);
    const double spaceHeight = std::max(2.0, bottom - top);
    layout.depth = std::round(ChartLayout::DepthFraction * std::min(spaceWidth, spaceHeight));
    layout.plot = QRectF(left, top + layout.depth, std::max(1.0, spaceWidth - layout.depth),
                         std::max(1.0, spaceHeight - layout.depth));
    const QRectF& plot = layout.plot;
    if (text.valueTitleWidth > 0)
        layout.valueTitle = QRectF(m, plot.center().y() - text.axisTitleHeight / 2,
                                   text.valueTitleWidth, text.axisTitleHeight);
    if (text.axisTitleHeight > 0)
        layout.barTitle = QRectF(plot.left(), height - m - text.axisTitleHeight, plot.width(),
                                 text.axisTitleHeight);

    double highest = 1;
    for (const double value : values)
        if (std::isfinite(value))
            highest = std::max(highest, value);
    ChartView view = input.view;
    soundSpan(view.xMin, view.xMax, std::max(1, input.barCount), ChartLayout::MinViewWidth);
    soundSpan(view.yMin, view.yMax, highest, ChartLayout::MinViewHeight);
    layout.view = view;
    layout.slotWidth = plot.width() / (view.xMax - view.xMin);

    const double inset = (1 - ChartLayout::BarFraction) / 2;
    layout.bars.reserve(size_t(std::max(0, input.barCount)));
    for (int i = 0; i < input.barCount; ++i) {
        const double value = i < int(values.size()) ? values[size_t(i)] : 0;
        const QPointF corner(layout.xToPixel(i + inset), layout.yToPixel(std::max(0.0, value)));
        const QPointF base(layout.xToPixel(i + 1 - inset), layout.yToPixel(0));
        layout.bars.push_back(QRectF(corner, base).normalized());
    }

    const double labelRoom = text.widestBarLabel + LabelGap;
    while (layout.labelStep * layout.slotWidth < labelRoom && layout.labelStep < 1'000'000)
        layout.labelStep = int(niceStep(layout.labelStep * 1.5, 1)); // 1, 2, 5, 10, 20, ...

    layout.tickStep =
        niceStep(view.yMax - view.yMin, tickCapacity(plot.height(), text.labelHeight));
    // Values are counts: fractions only when fewer than two whole numbers are in view.
    if (layout.tickStep < 1 && std::floor(view.yMax) - std::ceil(view.yMin) >= 1)
        layout.tickStep = 1;
    // The view is at least MinViewHeight tall and within MaxViewCoordinate, and the step at
    // least a MaxTicks-th of it, so tick numbers stay exact and the count bounded.
    const double first = std::ceil(view.yMin / layout.tickStep - 1e-9);
    for (int n = 0; n < ChartLayout::MaxTicks; ++n) {
        const double value = (first + n) * layout.tickStep;
        if (value > view.yMax + layout.tickStep * 1e-9)
            break;
        layout.ticks.push_back({value, layout.yToPixel(value)});
    }

    layout.barDepth =
        std::min(layout.depth, std::max(1.0, layout.slotWidth * ChartLayout::BarFraction));
    if (input.valueTagsVisible)
        layout.tagRows = tagRowsFor(layout.slotWidth, text.tagWidth);
    if (input.valueTagsVisible)
        placeTags(layout, text.tagWidth, text.tagHeight);
    return layout;
}

ChartView fullView(int barCount, double highest, double plotHeight, double labelHeight,
                   double headroom) {
    ChartView view;
    view.xMax = std::max(1, barCount);
    double top = std::max(0.0, highest);
    if (headroom > 0 && plotHeight > 2 * headroom)
        top = top * plotHeight / (plotHeight - headroom);
    const double step = std::max(1.0, niceStep(top, tickCapacity(plotHeight, labelHeight)));
    view.yMax = top > 0 ? std::ceil(top / step - 1e-9) * step : 1;
    if (view.yMax < top) // rounding
        view.yMax += step;
    return view;
}

DragAction leftDragAction(const QPointF& from, const QPointF& to) {
    const QPointF d = to - from;
    if (d.x() >= MinZoomPixels && d.y() >= MinZoomPixels)
        return DragAction::Zoom;
    if (d.x() <= 0 && d.y() <= 0 && (d.x() <= -MinZoomPixels || d.y() <= -MinZoomPixels))
        return DragAction::Restore;
    return DragAction::None;
}

ChartView zoomedView(const ChartLayout& layout, const QRectF& pixels) {
    const QRectF r = pixels.normalized() & layout.plot;
    if (r.width() < MinZoomPixels || r.height() < MinZoomPixels)
        return layout.view;
    ChartView view;
    view.xMin = layout.pixelToX(r.left());
    view.xMax = layout.pixelToX(r.right());
    view.yMin = layout.pixelToY(r.bottom());
    view.yMax = layout.pixelToY(r.top());
    const ChartView& from = layout.view;
    widenWithin(view.xMin, view.xMax, ChartLayout::MinViewWidth, from.xMin, from.xMax);
    widenWithin(view.yMin, view.yMax, ChartLayout::MinViewHeight, from.yMin, from.yMax);
    return view;
}

ChartView scrolledView(const ChartLayout& layout, const QPointF& pixels, const ChartView& limits) {
    ChartView view = layout.view;
    const double dx = pixels.x() / layout.slotWidth;
    const double dy = pixels.y() / layout.plot.height() * (view.yMax - view.yMin);
    view.xMin -= dx;
    view.xMax -= dx;
    view.yMin += dy;
    view.yMax += dy;
    clampSpan(view.xMin, view.xMax, limits.xMin, limits.xMax);
    clampSpan(view.yMin, view.yMax, limits.yMin, limits.yMax);
    return view;
}

ChartView interpolatedView(const ChartView& a, const ChartView& b, double t) {
    const auto mix = [t](double from, double to) { return from + (to - from) * t; };
    return {mix(a.xMin, b.xMin), mix(a.xMax, b.xMax), mix(a.yMin, b.yMin), mix(a.yMax, b.yMax)};
}
