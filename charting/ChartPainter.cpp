#include "ChartPainter.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace {

const QColor WallColour(255, 255, 128);
const QColor FloorColour(255, 255, 255);
const QColor GradientBottom(192, 192, 192);
const QColor GradientTop(255, 128, 128);
const QColor PlainBackground(192, 192, 192);
const QColor TagColour(255, 255, 0);
const QColor GridColour(128, 128, 128);
const QColor EdgeColour(64, 64, 64);
constexpr double TagPadding = 2;

// Lines one pixel wide sit on pixel centres, edges of filled areas on pixel boundaries.
double line(double v) {
    return std::floor(v) + 0.5;
}
double edge(double v) {
    return std::round(v);
}

QPen pen(const QColor& colour, Qt::PenStyle style = Qt::SolidLine) {
    QPen p(colour, 1, style);
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
    return p;
}

} // namespace

QFont chartFont(const QFont& base, double points, bool bold) {
    QFont font(base);
    font.setPixelSize(std::max(1, int(std::lround(points * 96.0 / 72.0))));
    font.setBold(bold);
    return font;
}

ChartPainter::ChartPainter(const std::vector<ChartBar>& bars, const ChartStyle& style)
    : bars_(bars), style_(style) {
    values_.reserve(bars.size());
    int highest = 0;
    for (const ChartBar& bar : bars) {
        values_.push_back(bar.value);
        highest = std::max(highest, bar.value);
    }
    const QFontMetricsF metrics(style.font);
    const QFontMetricsF titleMetrics(style.titleFont);
    text_.titleHeight = style.title.isEmpty() ? 0 : titleMetrics.height();
    text_.labelHeight = metrics.height();
    double widestLabel = 0;
    for (const ChartBar& bar : bars)
        widestLabel = std::max(widestLabel, metrics.horizontalAdvance(bar.label));
    text_.widestBarLabel = widestLabel;
    // Room for the longest value the axis shows, with a decimal part when zoomed in closely.
    const QString longest = QString::number(std::max(highest, 1) * 10) + QStringLiteral(".5");
    text_.widestValueLabel = metrics.horizontalAdvance(longest);
    text_.valueTitleWidth =
        style.valueTitle.isEmpty() ? 0 : metrics.horizontalAdvance(style.valueTitle);
    text_.axisTitleHeight =
        style.barTitle.isEmpty() && style.valueTitle.isEmpty() ? 0 : metrics.height();
    text_.tagWidth =
        std::ceil(metrics.horizontalAdvance(QString::number(highest)) + 2 * TagPadding);
    text_.tagHeight = std::ceil(metrics.height() + 2);
}

ChartInput ChartPainter::input(const QSizeF& size, const ChartView& view) const {
    ChartInput in;
    in.size = size;
    in.barCount = int(bars_.size());
    in.view = view;
    in.text = text_;
    in.valueTagsVisible = style_.valueTagsVisible;
    return in;
}

ChartView ChartPainter::wholeView(const QSizeF& size) const {
    const ChartLayout probe = layoutChart(input(size, ChartView{}), {});
    const double highest = values_.empty() ? 0 : *std::max_element(values_.begin(), values_.end());
    const double headroom = style_.valueTagsVisible ? ChartLayout::TagLift + text_.tagHeight * 2 +
                                                          2 // a second row when tags crowd
                                                    : 0;
    return fullView(int(bars_.size()), highest, probe.plot.height(), text_.labelHeight, headroom);
}

ChartLayout ChartPainter::layout(const QSizeF& size, const ChartView* view) const {
    return layoutChart(input(size, view ? *view : wholeView(size)), values_);
}

QColor ChartPainter::automaticColour(int bar) {
    static const QColor palette[] = {{220, 40, 40}, {40, 150, 60},  {240, 200, 0},
                                     {40, 90, 210}, {230, 120, 20}, {130, 60, 170},
                                     {0, 160, 170}, {200, 50, 140}, {120, 180, 30},
                                     {150, 90, 50}, {90, 140, 230}, {100, 100, 100}};
    const int count = int(std::size(palette));
    return palette[((bar % count) + count) % count];
}

QColor ChartPainter::colourOf(int bar) const {
    const QColor& own = bars_[size_t(bar)].colour;
    return own.isValid() ? own : automaticColour(bar);
}

void ChartPainter::paint(QPainter& painter, const ChartLayout& layout) const {
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    paintBackground(painter, layout.area);
    paintWalls(painter, layout);
    paintBars(painter, layout);
    paintAxes(painter, layout);
    if (style_.valueTagsVisible)
        paintTags(painter, layout);
    painter.restore();
}

void ChartPainter::paintBackground(QPainter& painter, const QRectF& area) const {
    if (style_.rich) {
        QLinearGradient gradient(area.bottomLeft(), area.topLeft());
        gradient.setColorAt(0, GradientBottom);
        gradient.setColorAt(1, GradientTop);
        painter.fillRect(area, gradient);
    } else {
        painter.fillRect(area, PlainBackground);
    }
}

void ChartPainter::paintWalls(QPainter& painter, const ChartLayout& layout) const {
    const QRectF& plot = layout.plot;
    const QPointF back = layout.backOffset();
    const double left = edge(plot.left());
    const double right = edge(plot.right());
    const double top = edge(plot.top());
    const double bottom = edge(plot.bottom());
    const double d = layout.depth;

    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(pen(EdgeColour));
    painter.setBrush(WallColour);
    painter.drawPolygon(QPolygonF({QPointF(left, top), QPointF(left + d, top - d),
                                   QPointF(left + d, bottom - d), QPointF(left, bottom)}));
    painter.setBrush(FloorColour);
    painter.drawPolygon(QPolygonF({QPointF(left, bottom), QPointF(left + d, bottom - d),
                                   QPointF(right + d, bottom - d), QPointF(right, bottom)}));

    // Grid: along the left wall, then across the back.
    painter.setPen(pen(GridColour, Qt::DotLine));
    for (const ChartTick& tick : layout.ticks) {
        const double y = line(tick.y);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.drawLine(QPointF(left, y), QPointF(left + d, y - d));
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.drawLine(QPointF(line(left + d), line(y - d)),
                         QPointF(line(right + d), line(y - d)));
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(pen(EdgeColour));
    painter.setBrush(Qt::NoBrush);
    const QRectF backWall(QPointF(line(left + back.x()), line(top + back.y())),
                          QPointF(line(right + back.x()), line(bottom + back.y())));
    painter.drawRect(backWall);
}

void ChartPainter::paintBars(QPainter& painter, const ChartLayout& layout) const {
    const QPointF back(layout.barDepth, -layout.barDepth);
    QPainterPath box;
    const std::vector<QPointF> outline = layout.boxOutline();
    box.addPolygon(QPolygonF(QList<QPointF>(outline.begin(), outline.end())));
    box.closeSubpath();
    painter.save();
    painter.setClipPath(box, Qt::IntersectClip);
    const QRectF& plot = layout.plot;
    for (int i = 0; i < int(layout.bars.size()); ++i) {
        // Bars are cut where the box's walls, floor and ceiling cut them, so a bar scrolled
        // half out of view never shows its far side over the wall.
        const QRectF& face = layout.bars[size_t(i)];
        if (face.right() <= plot.left() || face.left() >= plot.right() ||
            face.top() > plot.bottom() + 0.5)
            continue;
        const double l = edge(std::max(face.left(), plot.left()));
        const double r = std::max(l + 1, edge(std::min(face.right(), plot.right())));
        const double t = edge(std::max(face.top(), plot.top()));
        const double b = edge(std::min(face.bottom(), plot.bottom()));
        const QColor colour = colourOf(i);
        const QColor top = style_.rich ? colour.darker(125) : colour;
        const QColor side = style_.rich ? colour.darker(165) : colour;
        const QColor outlineColour = colour.darker(300);

        painter.setPen(pen(outlineColour));
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setBrush(side);
        painter.drawPolygon(
            QPolygonF({QPointF(r, t), QPointF(r, t) + back, QPointF(r, b) + back, QPointF(r, b)}));
        painter.setBrush(top);
        painter.drawPolygon(
            QPolygonF({QPointF(l, t), QPointF(l, t) + back, QPointF(r, t) + back, QPointF(r, t)}));
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(QRectF(QPointF(l, t), QPointF(r, b)), colour);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(QPointF(l + 0.5, t + 0.5), QPointF(r - 0.5, b - 0.5)));
    }
    painter.restore();
}

void ChartPainter::paintAxes(QPainter& painter, const ChartLayout& layout) const {
    const QRectF& plot = layout.plot;
    const double left = line(plot.left());
    const double bottom = line(plot.bottom());
    const double tick = ChartLayout::TickLength;
    const QFontMetricsF metrics(style_.font);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(style_.font);
    painter.setPen(pen(Qt::black));
    painter.drawLine(QPointF(left, line(plot.top())), QPointF(left, bottom));
    painter.drawLine(QPointF(left, bottom), QPointF(line(plot.right()), bottom));

    for (const ChartTick& t : layout.ticks) {
        const double y = line(t.y);
        painter.drawLine(QPointF(left - tick, y), QPointF(left, y));
        const QString label = layout.tickLabel(t.value);
        const QRectF box(0, y - metrics.height() / 2, left - tick - 2, metrics.height());
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, label);
    }
    const double labelTop = plot.bottom() + tick + 1;
    for (int i = 0; i < int(layout.bars.size()); ++i) {
        const double centre = layout.xToPixel(i + 0.5);
        if (centre < plot.left() - 0.5 || centre > plot.right() + 0.5)
            continue;
        painter.drawLine(QPointF(line(centre), bottom), QPointF(line(centre), bottom + tick));
        if (!layout.barLabelShown(i))
            continue;
        const double width = metrics.horizontalAdvance(bars_[size_t(i)].label) + 2;
        painter.drawText(QRectF(centre - width / 2, labelTop, width, metrics.height()),
                         Qt::AlignCenter, bars_[size_t(i)].label);
    }

    if (!layout.valueTitle.isNull())
        painter.drawText(layout.valueTitle, Qt::AlignLeft | Qt::AlignVCenter, style_.valueTitle);
    if (!layout.barTitle.isNull())
        painter.drawText(layout.barTitle, Qt::AlignCenter, style_.barTitle);
    if (!layout.title.isNull()) {
        painter.setFont(style_.titleFont);
        painter.setPen(style_.titleColour);
        painter.drawText(layout.title, Qt::AlignCenter, style_.title);
    }
}

void ChartPainter::paintTags(QPainter& painter, const ChartLayout& layout) const {
    painter.setFont(style_.font);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(pen(Qt::black));
    // Connectors first, so that crowded tags hide the ones passing behind them.
    for (size_t i = 0; i < layout.tags.size(); ++i) {
        const QRectF& tag = layout.tags[i];
        if (tag.isEmpty())
            continue;
        const QRectF& face = layout.bars[i];
        const double x = line(std::clamp(face.center().x(), tag.left() + 2, tag.right() - 2));
        painter.drawLine(QPointF(x, line(face.top()) - 1), QPointF(x, tag.bottom()));
    }
    for (size_t i = 0; i < layout.tags.size(); ++i) {
        const QRectF& tag = layout.tags[i];
        if (tag.isEmpty())
            continue;
        painter.fillRect(tag, TagColour);
        painter.drawRect(tag.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.drawText(tag, Qt::AlignCenter, QString::number(bars_[i].value));
    }
}
