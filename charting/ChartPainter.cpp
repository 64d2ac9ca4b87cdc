#include "ChartPainter.h"

#include "ChartBand.h"

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
constexpr double TagPadding = 2; // along the text
constexpr int MinTagPixels = 9;  // the smallest tag face that still reads at a glance
const QString Digits = QStringLiteral("0123456789");

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
    if (style.band && std::isfinite(style.band->high))
        highest = std::max(highest, int(std::ceil(std::min(style.band->high, 1e9))));
    const QFontMetricsF metrics(style.font);
    const QFontMetricsF titleMetrics(style.titleFont);
    text_.titleHeight = style.title.isEmpty() ? 0 : titleMetrics.height();
    text_.subtitleHeight = style.subtitle.isEmpty() ? 0 : metrics.height();
    text_.labelHeight = metrics.height();
    double widestLabel = 0;
    for (const ChartBar& bar : bars)
        widestLabel = std::max(widestLabel, metrics.horizontalAdvance(bar.label));
    text_.widestBarLabel = widestLabel;
    // Room for the longest value the axis shows, with a decimal part when zoomed in closely: the
    // whole chart reaches at most half as high again as the highest bar.
    const QString longest =
        QString::number(int(std::ceil(std::max(highest, 1) * 1.5))) + QStringLiteral(".5");
    text_.widestValueLabel = metrics.horizontalAdvance(longest);
    text_.valueTitleWidth =
        style.valueTitle.isEmpty() ? 0 : metrics.horizontalAdvance(style.valueTitle);
    text_.axisTitleHeight =
        style.barTitle.isEmpty() && style.valueTitle.isEmpty() ? 0 : metrics.height();
    if (style.band)
        text_.legendHeight = metrics.height();

    // Tags in the label font and in every smaller face down to the smallest, for the layout to
    // choose the largest that stands over each bar.
    for (int pixels = std::max(style.font.pixelSize(), MinTagPixels); pixels >= MinTagPixels;
         --pixels) {
        tagPixels_.push_back(pixels);
        const QFontMetricsF face(tagFont(int(tagPixels_.size()) - 1));
        double widest = 0;
        for (const ChartBar& bar : bars)
            widest = std::max(widest, face.horizontalAdvance(QString::number(bar.value)));
        const double length = std::ceil(widest + 2 * TagPadding);
        // Level tags have a frame; upright ones are as thick as their digits and a pixel of
        // yellow either side, no frame, so that they stand over narrow bars.
        text_.tagFaces.push_back(
            {QSizeF(length, std::ceil(face.height() + 2)),
             QSizeF(std::ceil(face.tightBoundingRect(Digits).height()) + 2, length)});
    }
}

QFont ChartPainter::tagFont(int face) const {
    QFont font(style_.font);
    font.setPixelSize(tagPixels_[size_t(face)]);
    return font;
}

ChartInput ChartPainter::input(const QSizeF& size, const ChartView& view) const {
    ChartInput in;
    in.size = size;
    in.barCount = int(bars_.size());
    in.view = view;
    in.text = text_;
    in.valueTagsVisible = style_.valueTagsVisible;
    in.band = style_.band;
    return in;
}

ChartView ChartPainter::wholeView(const QSizeF& size) const {
    return wholeChartView(input(size, ChartView{}), values_);
}

ChartView ChartPainter::fittedView(const QSizeF& size, const ChartView& numbers) const {
    return ::fittedView(input(size, numbers), values_);
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
    paintBandShade(painter, layout);
    paintBars(painter, layout);
    paintBandLines(painter, layout);
    paintAxes(painter, layout);
    if (style_.band)
        paintBandLegend(painter, layout, style_.font, *style_.band);
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
    // Out of view, wall and floor leave only the box's edges.
    painter.setBrush(layout.wallShown ? QBrush(WallColour) : QBrush(Qt::NoBrush));
    painter.drawPolygon(QPolygonF({QPointF(left, top), QPointF(left + d, top - d),
                                   QPointF(left + d, bottom - d), QPointF(left, bottom)}));
    painter.setBrush(layout.floorShown ? QBrush(FloorColour) : QBrush(Qt::NoBrush));
    painter.drawPolygon(QPolygonF({QPointF(left, bottom), QPointF(left + d, bottom - d),
                                   QPointF(right + d, bottom - d), QPointF(right, bottom)}));

    // Grid: along the left wall, then across the back.
    painter.setPen(pen(GridColour, Qt::DotLine));
    for (const ChartTick& tick : layout.ticks) {
        const double y = line(tick.y);
        painter.setRenderHint(QPainter::Antialiasing, true);
        if (layout.wallShown)
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
    const QRectF& plot = layout.plot;
    for (int i = 0; i < int(layout.shapes.size()); ++i) {
        const ChartBarShape& shape = layout.shapes[size_t(i)];
        if (!shape.shown)
            continue;
        const double l = edge(shape.front.left());
        const double r = std::max(l + 1, edge(shape.front.right()));
        const double t = edge(shape.front.top());
        const double b = edge(shape.front.bottom());
        const QColor colour = colourOf(i);
        const QColor top = style_.rich ? colour.darker(125) : colour;
        const QColor side = style_.rich ? colour.darker(165) : colour;
        const QColor outlineColour = colour.darker(300);

        painter.save();
        painter.setClipPath(box, Qt::IntersectClip);
        // A bar cut by the plot's edges is cut there as one solid: nothing of it beyond them.
        QRectF keep = layout.area;
        if (!shape.side) {
            keep.setLeft(l);
            keep.setRight(r);
        }
        if (!shape.top)
            keep.setTop(edge(plot.top()));
        painter.setClipRect(keep, Qt::IntersectClip);
        painter.setPen(pen(outlineColour));
        painter.setRenderHint(QPainter::Antialiasing, true);
        if (shape.side) {
            painter.setBrush(side);
            painter.drawPolygon(QPolygonF(
                {QPointF(r, t), QPointF(r, t) + back, QPointF(r, b) + back, QPointF(r, b)}));
        }
        if (shape.top) {
            painter.setBrush(top);
            painter.drawPolygon(QPolygonF(
                {QPointF(l, t), QPointF(l, t) + back, QPointF(r, t) + back, QPointF(r, t)}));
        }
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(QRectF(QPointF(l, t), QPointF(r, b)), colour);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(QPointF(l + 0.5, t + 0.5), QPointF(r - 0.5, b - 0.5)));
        painter.restore();
    }
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
    for (int i = 0; i < int(layout.bars.size()); ++i) {
        const double centre = layout.xToPixel(i + 0.5);
        if (layout.shapes[size_t(i)].column && centre >= plot.left() - 0.5 &&
            centre <= plot.right() + 0.5)
            painter.drawLine(QPointF(line(centre), bottom), QPointF(line(centre), bottom + tick));
    }
    const double labelTop = plot.bottom() + tick + 1;
    for (const ChartBarLabel& label : layout.labels) {
        const QString& text = bars_[size_t(label.bar)].label;
        const double width = metrics.horizontalAdvance(text) + 2;
        painter.drawText(QRectF(label.x - width / 2, labelTop, width, metrics.height()),
                         Qt::AlignCenter, text);
    }

    if (!layout.valueTitle.isNull())
        painter.drawText(layout.valueTitle, Qt::AlignLeft | Qt::AlignVCenter, style_.valueTitle);
    if (!layout.barTitle.isNull())
        painter.drawText(layout.barTitle, Qt::AlignCenter, style_.barTitle);
    if (!layout.subtitle.isNull())
        painter.drawText(layout.subtitle, Qt::AlignCenter, style_.subtitle);
    if (!layout.title.isNull()) {
        painter.setFont(style_.titleFont);
        painter.setPen(style_.titleColour);
        painter.drawText(layout.title, Qt::AlignCenter, style_.title);
    }
}

void ChartPainter::paintTags(QPainter& painter, const ChartLayout& layout) const {
    if (layout.tagFace < 0)
        return;
    const QFont font = tagFont(layout.tagFace);
    const QFontMetricsF metrics(font);
    const double digits = metrics.tightBoundingRect(Digits).height();
    painter.setFont(font);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(pen(Qt::black));
    for (size_t i = 0; i < layout.tags.size(); ++i) {
        const QRectF& tag = layout.tags[i];
        if (tag.isEmpty())
            continue;
        const QString text = QString::number(bars_[i].value);
        painter.save();
        // However the face measures on this device, nothing of a tag leaves its box.
        painter.setClipRect(tag, Qt::IntersectClip);
        painter.fillRect(tag, TagColour);
        if (!layout.tagsUpright) {
            painter.drawRect(tag.adjusted(0.5, 0.5, -0.5, -0.5));
            painter.drawText(tag, Qt::AlignCenter, text);
            painter.restore();
            continue;
        }
        // Reading upwards, the digits centred across the tag by their own height; the baseline
        // on whole pixels keeps them sharp.
        painter.translate(std::round(tag.center().x() + digits / 2),
                          std::round(tag.center().y() + metrics.horizontalAdvance(text) / 2));
        painter.rotate(-90);
        painter.drawText(QPointF(0, 0), text);
        painter.restore();
    }
}
