#pragma once

// A bar chart of one series drawn with QPainter: a shallow 3-D box with a light yellow left
// wall and a white floor, bars in their own or palette colours, optional value tags, a title
// and axis titles. A left drag towards the lower right zooms into the dragged rectangle (in
// ten animated steps), one towards the upper left shows everything again; a right drag scrolls.
// The mouse wheel zooms the numbers axis about the pointer, Shift and the wheel scroll it, the
// value axis fitted to the bars in view. A bar's tool tip tells its value.
// The same drawing renders to printers and images; each bar is exposed to assistive technology.

#include "ChartPainter.h"

#include <QTimer>
#include <QWidget>
#include <optional>

class BarChart : public QWidget {
    Q_OBJECT

public:
    static constexpr int ZoomSteps = 10;

    explicit BarChart(QWidget* parent = nullptr);

    void clear();
    void addBar(const QString& label, int value, const QColor& colour = QColor(),
                const QString& description = QString());
    int barCount() const { return int(bars_.size()); }
    const ChartBar& bar(int index) const { return bars_[size_t(index)]; }
    // The colour bar `index` is drawn in: its own, or the palette's.
    QColor barColour(int index) const;
    // The drawn part of bar `index`'s front face in widget coordinates; empty when not drawn.
    QRect barRect(int index) const;

    void setTitle(const QString& title);
    void setSubtitle(const QString& subtitle);
    QString subtitle() const { return style_.subtitle; }
    void setAxisTitles(const QString& barTitle, const QString& valueTitle);
    void setTitleFont(const QFont& font, const QColor& colour);
    void setValueTagsVisible(bool visible);
    bool valueTagsVisible() const { return style_.valueTagsVisible; }
    // Shaded bar sides and gradient background (colour displays) or flat and plain.
    void setRich(bool rich);
    bool isRich() const { return style_.rich; }
    // A range the bars are read against (none: nothing); the whole chart reaches up to its top.
    void setBand(const std::optional<ChartBand>& band);
    const std::optional<ChartBand>& band() const { return style_.band; }

    // The data window shown: the whole chart unless zoomed or scrolled.
    ChartView view() const;
    bool isZoomed() const { return zoomed_.has_value(); }
    bool isAnimating() const { return animation_.isActive(); }
    ChartLayout currentLayout() const { return layoutAt(size()); }
    // The layout this chart would have at another size, through the same view.
    ChartLayout layoutAt(const QSizeF& size) const;
    // Zoom into a rectangle of widget pixels, animated; too small a rectangle does nothing.
    void zoomTo(const QRectF& pixels);
    // Back to the whole chart, animated.
    void restore();
    // The mouse wheel's `notches` with the pointer at widget x `at`: see wheelView.
    void wheelBy(double at, double notches, bool scroll);
    // Its value, and what the bar is against the band: the tool tip of bar `index`.
    QString barTip(int index) const;
    // The bar's own description and where it stands against the band.
    QString barDescription(int index) const;
    void setAnimationInterval(int milliseconds) { animation_.setInterval(milliseconds); }

    // Draws the chart laid out at `layoutSize` (this widget's size when empty) scaled into
    // `target`: printing lays out at twice the size so that text comes out half as large. A page
    // that carries the title and subtitle itself renders without them.
    void render(QPainter& painter, const QRectF& target, const QSizeF& layoutSize = {},
                bool withTitles = true) const;

    QSize sizeHint() const override { return {495, 299}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void animateTo(const ChartView& target, bool zoomedAtEnd);
    void finishAnimation();
    void animationStep();
    void barsChanged();
    void updateFonts();

    std::vector<ChartBar> bars_;
    ChartStyle style_;
    std::optional<ChartView> zoomed_; // unset: the whole chart
    QTimer animation_;
    ChartView animationFrom_;
    ChartView animationTo_;
    int animationStep_ = 0;
    bool zoomedAtEnd_ = false;

    Qt::MouseButton dragButton_ = Qt::NoButton;
    QPoint dragStart_;
    QPoint dragNow_;
    ChartView dragView_;
};
