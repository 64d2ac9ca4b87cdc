#include "ChartLayout.h"

#include "ChartTags.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double MinZoomPixels = 4;

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
    // A span the narrowest but for rounding stays where it is.
    if (hi - lo < narrowest * (1 - 1e-9)) {
        const double centre = lo + (hi - lo) / 2;
        lo = centre - narrowest / 2;
        hi = centre + narrowest / 2;
    }
}

// See ChartBarShape.
void shapeBars(ChartLayout& layout) {
    const QRectF& plot = layout.plot;
    constexpr double Slack = 0.5;
    const auto whole = [&plot](const QRectF& face) {
        return face.left() >= plot.left() - Slack && face.right() <= plot.right() + Slack;
    };
    const bool anyWhole = std::any_of(layout.bars.begin(), layout.bars.end(), whole);
    layout.shapes.assign(layout.bars.size(), ChartBarShape());
    for (size_t i = 0; i < layout.bars.size(); ++i) {
        const QRectF& face = layout.bars[i];
        ChartBarShape& shape = layout.shapes[i];
        const bool isWhole = whole(face);
        if (!isWhole && (anyWhole || face.right() <= plot.left() || face.left() >= plot.right()))
            continue;
        shape.column = true;
        if (face.top() > plot.bottom() + Slack || face.bottom() < plot.top() - Slack)
            continue;
        shape.side = isWhole;
        shape.shown = true;
        shape.top = face.top() >= plot.top() - Slack;
        shape.front =
            QRectF(QPointF(shape.side ? face.left() : std::max(face.left(), plot.left()),
                           std::max(face.top(), plot.top())),
                   QPointF(shape.side ? face.right() : std::min(face.right(), plot.right()),
                           std::min(face.bottom(), plot.bottom())));
    }
}

// Every labelStep-th bar whose column is in view, at its centre; with no centre in view, each slot
// in view, its label centred on the part in view. A bar left out has no label: it would read as 0.
void labelBars(ChartLayout& layout, int barCount, double labelWidth) {
    const QRectF& plot = layout.plot;
    const double room = labelWidth + ChartLayout::LabelGap;
    while (layout.labelStep * layout.slotWidth < room && layout.labelStep < 1'000'000)
        layout.labelStep = int(niceStep(layout.labelStep * 1.5, 1)); // 1, 2, 5, 10, 20, ...
    bool centreInView = false;
    for (int i = 0; i < barCount; ++i) {
        if (!layout.shapes[size_t(i)].column)
            continue;
        const double centre = layout.xToPixel(i + 0.5);
        if (centre < plot.left() - 0.5 || centre > plot.right() + 0.5)
            continue;
        centreInView = true;
        if ((i + 1) % layout.labelStep == 0)
            layout.labels.push_back({i, centre});
    }
    if (centreInView || barCount <= 0)
        return;
    const ChartView& view = layout.view;
    // No centre in view: the view is narrower than a slot, so it meets two slots at most.
    const int first = int(std::clamp(std::floor(view.xMin), 0.0, double(barCount - 1)));
    for (int i = first; i < std::min(first + 2, barCount); ++i) {
        if (!layout.shapes[size_t(i)].column)
            continue;
        const double from = std::max(double(i), view.xMin);
        const double to = std::min(i + 1.0, view.xMax);
        if (!(to > from))
            continue;
        const double x = layout.xToPixel((from + to) / 2);
        const double half = std::min(labelWidth, plot.width()) / 2;
        layout.labels.push_back({i, std::clamp(x, plot.left() + half, plot.right() - half)});
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

double ChartLayout::frameTop(double x) const {
    return plot.top() - std::clamp(x - plot.left(), 0.0, depth);
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
        layout.title = QRectF(0, top, width, text.titleHeight);
        top += text.titleHeight;
    }
    if (text.subtitleHeight > 0) {
        layout.subtitle = QRectF(0, top, width, text.subtitleHeight);
        top += text.subtitleHeight;
    }
    if (text.legendHeight > 0) {
        layout.legend = QRectF(0, top, width, text.legendHeight);
        top += text.legendHeight;
    }
    if (top > m)
        top += m;
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
    layout.wallShown = view.xMin <= 1e-9;
    layout.floorShown = view.yMin <= 1e-9;

    const double inset = (1 - ChartLayout::BarFraction) / 2;
    layout.bars.reserve(size_t(std::max(0, input.barCount)));
    for (int i = 0; i < input.barCount; ++i) {
        const double value = i < int(values.size()) ? values[size_t(i)] : 0;
        const QPointF corner(layout.xToPixel(i + inset), layout.yToPixel(std::max(0.0, value)));
        const QPointF base(layout.xToPixel(i + 1 - inset), layout.yToPixel(0));
        layout.bars.push_back(QRectF(corner, base).normalized());
    }

    shapeBars(layout);
    labelBars(layout, input.barCount, text.widestBarLabel);

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

    if (input.band) {
        const ChartBand& band = *input.band;
        const auto y = [&layout](double value) {
            const double limit = ChartLayout::MaxViewCoordinate;
            return layout.yToPixel(std::clamp(value, -limit, limit));
        };
        if (!std::isnan(band.low) && !std::isnan(band.high) && !std::isnan(band.centre))
            layout.band = ChartBandLines{y(band.low), y(band.high), y(band.centre)};
    }

    layout.barDepth =
        std::min(layout.depth, std::max(1.0, layout.slotWidth * ChartLayout::BarFraction));
    if (input.valueTagsVisible)
        placeTags(layout, text.tagFaces, true);
    return layout;
}

ChartView fullView(int barCount, double highest, double plotHeight, double labelHeight) {
    ChartView view;
    view.xMax = std::max(1, barCount);
    const double top = std::max(0.0, highest);
    const double step = std::max(1.0, niceStep(top, tickCapacity(plotHeight, labelHeight)));
    view.yMax = top > 0 ? std::ceil(top / step - 1e-9) * step : 1;
    if (view.yMax < top) // rounding
        view.yMax += step;
    return view;
}

ChartView wholeChartView(const ChartInput& input, const std::vector<double>& values) {
    ChartInput whole = input;
    whole.view = ChartView{0, double(std::max(1, input.barCount)), 0, 1};
    return fittedView(whole, values);
}

ChartView fittedView(const ChartInput& input, const std::vector<double>& values) {
    ChartInput probe = input;
    probe.view.yMin = 0;
    probe.view.yMax = 1;
    // Which columns are in view does not depend on the values.
    ChartInput plain = probe;
    plain.valueTagsVisible = false;
    const ChartLayout columns = layoutChart(plain, {});
    double highest = 0;
    if (input.band && std::isfinite(input.band->high))
        highest = std::clamp(input.band->high, 0.0, ChartLayout::MaxViewCoordinate);
    for (size_t i = 0; i < values.size() && i < columns.shapes.size(); ++i)
        if (columns.shapes[i].column && std::isfinite(values[i]))
            highest = std::max(highest, values[i]);
    probe.view = fullView(input.barCount, highest, columns.plot.height(), input.text.labelHeight);
    probe.view.xMin = columns.view.xMin;
    probe.view.xMax = columns.view.xMax;
    if (!input.valueTagsVisible)
        return probe.view;
    // Tags rise over taller neighbours by how the bars differ in pixels, which the axis changes:
    // a few rounds settle it, each raising the axis no less than the last, never beyond the
    // growth allowed.
    const double grown = probe.view.yMax * ChartLayout::MaxTagGrowth;
    for (int round = 0; round < 4; ++round) {
        const double top = std::min(
            grown, axisTopForTags(layoutChart(probe, values), input.text.tagFaces, values));
        if (!(top > probe.view.yMax))
            break;
        probe.view.yMax = top;
    }
    return probe.view;
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
    // Pixels turned back into data may stray a rounding step outside the view they came from.
    view.xMin = std::clamp(view.xMin, from.xMin, from.xMax);
    view.xMax = std::clamp(view.xMax, from.xMin, from.xMax);
    view.yMin = std::clamp(view.yMin, from.yMin, from.yMax);
    view.yMax = std::clamp(view.yMax, from.yMin, from.yMax);
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

ChartView wheelView(const ChartLayout& layout, int barCount, double at, double notches,
                    bool scroll) {
    ChartView view = layout.view;
    if (!std::isfinite(notches) || notches == 0 || !std::isfinite(at))
        return view;
    notches = std::clamp(notches, -100.0, 100.0);
    const double whole = std::max(1, barCount);
    double lo = view.xMin;
    double hi = view.xMax;
    if (scroll) {
        const double shift = -notches * (hi - lo) / 10;
        lo += shift;
        hi += shift;
    } else {
        const double x = std::clamp(layout.pixelToX(at), lo, hi);
        const double span =
            std::clamp((hi - lo) / std::pow(1.25, notches), ChartLayout::MinViewWidth, whole);
        lo = x - (x - lo) * span / (hi - lo);
        hi = lo + span;
    }
    clampSpan(lo, hi, 0, whole);
    view.xMin = lo;
    view.xMax = hi;
    return view;
}

ChartView interpolatedView(const ChartView& a, const ChartView& b, double t) {
    const auto mix = [t](double from, double to) { return from + (to - from) * t; };
    return {mix(a.xMin, b.xMin), mix(a.xMax, b.xMax), mix(a.yMin, b.yMin), mix(a.yMax, b.yMax)};
}
