#include "BarChart.h"

#include "BarChartAccessible.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr double LabelPoints = 8;
constexpr double TitlePoints = 9;
} // namespace

BarChart::BarChart(QWidget* parent) : QWidget(parent) {
    installBarChartAccessibility();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    animation_.setInterval(15);
    connect(&animation_, &QTimer::timeout, this, &BarChart::animationStep);
    style_.titleFont = chartFont(QFont(QStringLiteral("Arial")), TitlePoints, true);
    updateFonts();
}

void BarChart::updateFonts() {
    style_.font = chartFont(font(), LabelPoints);
}

void BarChart::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        updateFonts();
        update();
    }
    QWidget::changeEvent(event);
}

void BarChart::clear() {
    bars_.clear();
    // New figures may lie anywhere: a window into the old ones would mislead.
    zoomed_.reset();
    animation_.stop();
    barsChanged();
}

void BarChart::addBar(const QString& label, int value, const QColor& colour,
                      const QString& description) {
    bars_.push_back({label, value, colour, description});
    barsChanged();
}

void BarChart::barsChanged() {
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&event);
    }
}

QColor BarChart::barColour(int index) const {
    return ChartPainter(bars_, style_).colourOf(index);
}

void BarChart::setTitle(const QString& title) {
    style_.title = title;
    update();
}

void BarChart::setSubtitle(const QString& subtitle) {
    style_.subtitle = subtitle;
    update();
}

void BarChart::setAxisTitles(const QString& barTitle, const QString& valueTitle) {
    style_.barTitle = barTitle;
    style_.valueTitle = valueTitle;
    update();
}

void BarChart::setTitleFont(const QFont& font, const QColor& colour) {
    style_.titleFont = font;
    style_.titleColour = colour;
    update();
}

void BarChart::setValueTagsVisible(bool visible) {
    style_.valueTagsVisible = visible;
    update();
}

void BarChart::setRich(bool rich) {
    style_.rich = rich;
    update();
}

void BarChart::setBand(const std::optional<ChartBand>& band) {
    style_.band = band;
    // Bars are described against the band.
    barsChanged();
}

ChartView BarChart::view() const {
    return zoomed_ ? *zoomed_ : ChartPainter(bars_, style_).wholeView(size());
}

ChartLayout BarChart::layoutAt(const QSizeF& size) const {
    const ChartPainter painter(bars_, style_);
    return zoomed_ ? painter.layout(size, &*zoomed_) : painter.layout(size);
}

QRect BarChart::barRect(int index) const {
    if (index < 0 || index >= barCount())
        return {};
    const ChartBarShape shape = currentLayout().shapes[size_t(index)];
    return shape.shown && !shape.front.isEmpty() ? shape.front.toAlignedRect() : QRect();
}

void BarChart::zoomTo(const QRectF& pixels) {
    const ChartLayout layout = currentLayout();
    const ChartView target = zoomedView(layout, pixels);
    if (target != layout.view)
        animateTo(target, true);
}

void BarChart::restore() {
    if (zoomed_)
        animateTo(ChartPainter(bars_, style_).wholeView(size()), false);
}

void BarChart::scrollBy(const QPoint& pixels) {
    const ChartPainter painter(bars_, style_);
    const ChartView from = view();
    const ChartLayout layout = painter.layout(size(), &from);
    zoomed_ = scrolledView(layout, QPointF(pixels), painter.wholeView(size()));
    update();
}

void BarChart::animateTo(const ChartView& target, bool zoomedAtEnd) {
    animationFrom_ = view();
    animationTo_ = target;
    zoomedAtEnd_ = zoomedAtEnd;
    animationStep_ = 0;
    animation_.start();
}

void BarChart::animationStep() {
    ++animationStep_;
    if (animationStep_ >= ZoomSteps) {
        animation_.stop();
        if (zoomedAtEnd_)
            zoomed_ = animationTo_;
        else
            zoomed_.reset();
    } else {
        zoomed_ =
            interpolatedView(animationFrom_, animationTo_, double(animationStep_) / ZoomSteps);
    }
    update();
}

void BarChart::render(QPainter& painter, const QRectF& target, const QSizeF& layoutSize,
                      bool withTitles) const {
    const QSizeF size = layoutSize.isEmpty() ? QSizeF(this->size()) : layoutSize;
    if (size.isEmpty() || target.isEmpty())
        return;
    ChartStyle style = style_;
    if (!withTitles) {
        style.title.clear();
        style.subtitle.clear();
    }
    const ChartPainter chart(bars_, style);
    const ChartLayout layout = zoomed_ ? chart.layout(size, &*zoomed_) : chart.layout(size);
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / size.width(), target.height() / size.height());
    painter.setClipRect(QRectF(QPointF(0, 0), size), Qt::IntersectClip);
    chart.paint(painter, layout);
    painter.restore();
}

void BarChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ChartPainter chart(bars_, style_);
    chart.paint(painter, currentLayout());
    if (dragButton_ == Qt::LeftButton) {
        const QRect band = QRect(dragStart_, dragNow_).normalized();
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(band.adjusted(0, 0, -1, -1));
    }
    if (hasFocus()) {
        // A thin line along the edge, clear of the plot and the axes.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void BarChart::mousePressEvent(QMouseEvent* event) {
    if (dragButton_ != Qt::NoButton ||
        (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)) {
        QWidget::mousePressEvent(event);
        return;
    }
    animation_.stop();
    if (zoomed_ && animationStep_ > 0 && animationStep_ < ZoomSteps) {
        // A drag during the animation starts from where the animation was heading.
        if (zoomedAtEnd_)
            zoomed_ = animationTo_;
        else
            zoomed_.reset();
    }
    dragButton_ = event->button();
    dragStart_ = dragNow_ = event->position().toPoint();
    dragView_ = view();
}

void BarChart::mouseMoveEvent(QMouseEvent* event) {
    if (dragButton_ == Qt::NoButton)
        return;
    dragNow_ = event->position().toPoint();
    if (dragButton_ == Qt::RightButton) {
        const ChartPainter chart(bars_, style_);
        const ChartLayout layout = chart.layout(size(), &dragView_);
        zoomed_ = scrolledView(layout, QPointF(dragNow_ - dragStart_), chart.wholeView(size()));
    }
    update();
}

void BarChart::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != dragButton_)
        return;
    dragNow_ = event->position().toPoint();
    const Qt::MouseButton button = dragButton_;
    dragButton_ = Qt::NoButton;
    update();
    if (button != Qt::LeftButton)
        return;
    switch (leftDragAction(QPointF(dragStart_), QPointF(dragNow_))) {
    case DragAction::Zoom:
        zoomTo(QRectF(QPointF(dragStart_), QPointF(dragNow_)));
        break;
    case DragAction::Restore:
        restore();
        break;
    case DragAction::None:
        break;
    }
}
