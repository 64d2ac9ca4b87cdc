#include "BarChart.h"

#include "BarChartAccessible.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

namespace {
constexpr double LabelPoints = 8;
constexpr double TitlePoints = 9;
constexpr double NotchDegrees = 15; // one step of a usual mouse wheel

// What the band says of a value: "expected 122.45, within the expected range 101.63 to 143.27".
QString bandDescription(const ChartBand& band, int value) {
    const char* const where = value < band.low ? "below" : value > band.high ? "above" : "within";
    return QStringLiteral("expected %1, %2 the expected range %3 to %4")
        .arg(QString::number(band.centre, 'f', 2), QLatin1String(where),
             QString::number(band.low, 'f', 2), QString::number(band.high, 'f', 2));
}
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

void BarChart::wheelBy(double at, double notches, bool scroll) {
    finishAnimation();
    const ChartPainter chart(bars_, style_);
    const ChartView from = view();
    const ChartView numbers =
        wheelView(chart.layout(size(), &from), barCount(), at, notches, scroll);
    if (numbers.xMin <= 0 && numbers.xMax >= std::max(1, barCount()))
        zoomed_.reset();
    else
        zoomed_ = chart.fittedView(size(), numbers);
    update();
}

QString BarChart::barDescription(int index) const {
    const ChartBar& bar = bars_[size_t(index)];
    if (!style_.band)
        return bar.description;
    const QString against = bandDescription(*style_.band, bar.value);
    return bar.description.isEmpty() ? against : bar.description + QStringLiteral("; ") + against;
}

QString BarChart::barTip(int index) const {
    const QString description = barDescription(index);
    return QStringLiteral("%1: %2")
               .arg(bars_[size_t(index)].label)
               .arg(bars_[size_t(index)].value) +
           (description.isEmpty() ? QString() : QStringLiteral("\n") + description);
}

void BarChart::animateTo(const ChartView& target, bool zoomedAtEnd) {
    animationFrom_ = view();
    animationTo_ = target;
    zoomedAtEnd_ = zoomedAtEnd;
    animationStep_ = 0;
    animation_.start();
}

// Where a running animation was heading, at once.
void BarChart::finishAnimation() {
    if (!animation_.isActive())
        return;
    animation_.stop();
    if (zoomedAtEnd_)
        zoomed_ = animationTo_;
    else
        zoomed_.reset();
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
    // A drag during the animation starts from where the animation was heading.
    finishAnimation();
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

void BarChart::wheelEvent(QWheelEvent* event) {
    const QPoint degrees = event->angleDelta() / 8;
    // Some systems turn Shift and the wheel into a sideways wheel: both scroll.
    const bool sideways = degrees.y() == 0;
    const double notches = (sideways ? degrees.x() : degrees.y()) / NotchDegrees;
    if (notches == 0 || dragButton_ != Qt::NoButton) {
        event->ignore();
        return;
    }
    wheelBy(event->position().x(), notches,
            sideways || event->modifiers().testFlag(Qt::ShiftModifier));
    event->accept();
}

bool BarChart::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const QPoint at = static_cast<QHelpEvent*>(event)->pos();
    const ChartLayout layout = currentLayout();
    const int index = int(std::floor(layout.pixelToX(at.x())));
    const bool onColumn = index >= 0 && index < barCount() && layout.plot.contains(at) &&
                          layout.shapes[size_t(index)].column;
    if (onColumn)
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), barTip(index), this);
    else
        QToolTip::hideText();
    return true;
}
