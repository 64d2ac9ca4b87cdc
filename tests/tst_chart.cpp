// The bar chart: its pure layout and view transforms, what it draws measured in an image, the
// mouse, and what assistive technology reads.
#include "charting/BarChart.h"
#include "charting/ChartBand.h"
#include "charting/ChartLayout.h"

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QToolTip>
#include <QWheelEvent>
#include <QtTest>
#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(ChartView)
Q_DECLARE_METATYPE(ChartBand)

namespace {

ChartTextSizes textSizes() {
    ChartTextSizes text;
    text.titleHeight = 15;
    text.labelHeight = 13;
    text.widestValueLabel = 30;
    text.widestBarLabel = 13;
    text.valueTitleWidth = 20;
    text.axisTitleHeight = 13;
    // Three-digit tags in faces of 11 down to 9 pixels, as the label font measures them.
    const int capHeights[] = {8, 8, 7};
    for (int pixels = 11; pixels >= 9; --pixels) {
        const double length = std::ceil(3 * 0.636 * pixels + 4);
        text.tagFaces.push_back({QSizeF(length, std::ceil(1.164 * pixels + 2)),
                                 QSizeF(capHeights[11 - pixels] + 2, length)});
    }
    return text;
}

ChartLayout layoutOf(QSizeF size, int bars, ChartView view, std::vector<double> values = {}) {
    ChartInput input;
    input.size = size;
    input.barCount = bars;
    input.view = view;
    input.text = textSizes();
    input.valueTagsVisible = true;
    return layoutChart(input, values);
}

bool near(double a, double b, double tolerance = 1e-6) {
    return std::abs(a - b) <= tolerance;
}

// Rows of `colour` in column x of the image.
int runOf(const QImage& image, int x, const QColor& colour) {
    int rows = 0;
    for (int y = 0; y < image.height(); ++y)
        rows += image.pixelColor(x, y) == colour;
    return rows;
}

// Hit counts much like 49 numbers over the real history.
QList<int> historyCounts() {
    QList<int> counts;
    for (int i = 0; i < 49; ++i)
        counts << 420 + (i * 37) % 80;
    return counts;
}

// What is wrong with a layout's view and value axis, if anything: a view that is not finite or
// narrower than the narrowest, too many ticks, ticks outside the view, labels that repeat or
// do not read their tick's value.
QString tickFault(const ChartLayout& l) {
    const ChartView& v = l.view;
    for (const double end : {v.xMin, v.xMax, v.yMin, v.yMax})
        if (!std::isfinite(end))
            return QStringLiteral("view not finite");
    // Far from 0 a span is only as exact as the coordinates are.
    const auto slack = [](double lo, double hi) {
        return 1e-9 +
               4 * std::max(std::abs(lo), std::abs(hi)) * std::numeric_limits<double>::epsilon();
    };
    if (v.xMax - v.xMin < ChartLayout::MinViewWidth - slack(v.xMin, v.xMax) ||
        v.yMax - v.yMin < ChartLayout::MinViewHeight - slack(v.yMin, v.yMax))
        return QStringLiteral("view %1 x %2").arg(v.xMax - v.xMin).arg(v.yMax - v.yMin);
    if (l.ticks.size() > size_t(ChartLayout::MaxTicks))
        return QStringLiteral("%1 ticks").arg(l.ticks.size());
    QStringList labels;
    for (const ChartTick& tick : l.ticks) {
        const QString label = l.tickLabel(tick.value);
        bool number = false;
        const double read = label.toDouble(&number);
        if (!number || std::abs(read - tick.value) > l.tickStep * 1e-3)
            return QStringLiteral("label %1 for %2").arg(label).arg(tick.value, 0, 'g', 17);
        if (tick.value < v.yMin - l.tickStep * 1e-6 || tick.value > v.yMax + l.tickStep * 1e-6)
            return QStringLiteral("tick %1 outside the view").arg(label);
        if (labels.contains(label))
            return QStringLiteral("label %1 twice").arg(label);
        labels << label;
    }
    if (l.tagStep < 1)
        return QStringLiteral("tags every %1th bar").arg(l.tagStep);
    return {};
}

struct Chart {
    BarChart widget;
    Chart(const QList<int>& values, QSize size = {500, 300}) {
        widget.resize(size);
        widget.setTitle(QStringLiteral("Title"));
        widget.setAxisTitles(QStringLiteral("Numbers"), QStringLiteral("Hits"));
        for (int i = 0; i < values.size(); ++i)
            widget.addBar(QString::number(i + 1), values[i]);
    }
    QImage image(QSize imageSize = {}, QSizeF layoutSize = {}) const {
        QImage image(imageSize.isEmpty() ? widget.size() : imageSize, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        widget.render(painter, QRectF(image.rect()), layoutSize);
        return image;
    }
};

} // namespace

class TestChart : public QObject {
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void wholeView_data();
    void wholeView();
    void labelsAndTags_data();
    void labelsAndTags();
    void zoomedBars_data();
    void zoomedBars();
    void focusFrame();
    void zoomAndScroll_data();
    void zoomAndScroll();
    void dragActions_data();
    void dragActions();
    void drawnBars_data();
    void drawnBars();
    void mouse();
    void wheel_data();
    void wheel();
    void unsoundViews_data();
    void unsoundViews();
    void repeatedZooms_data();
    void repeatedZooms();
    void layoutFuzz();
    void accessibility();
    void band_data();
    void band();
};

void TestChart::layout_data() {
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<int>("bars");
    QTest::addColumn<ChartView>("view");
    QTest::addColumn<int>("labelStep");

    QTest::newRow("49 bars, whole") << QSizeF(495, 299) << 49 << ChartView{0, 49, 0, 500} << 2;
    QTest::newRow("printed at twice the size")
        << QSizeF(990, 598) << 49 << ChartView{0, 49, 0, 500} << 1;
    QTest::newRow("10 bars") << QSizeF(495, 299) << 10 << ChartView{0, 10, 0, 7} << 1;
    QTest::newRow("99 bars") << QSizeF(495, 299) << 99 << ChartView{0, 99, 0, 80} << 5;
    QTest::newRow("zoomed into bars 10..22, 200..550")
        << QSizeF(495, 299) << 49 << ChartView{10.3, 22.7, 200, 550} << 1;
    QTest::newRow("zoomed to a fraction of a hit")
        << QSizeF(495, 299) << 49 << ChartView{3, 5, 1.2, 2.1} << 1;
    QTest::newRow("upside-down view shown the right way up")
        << QSizeF(495, 299) << 49 << ChartView{20, 10, 5, 3} << 1;
    QTest::newRow("tiny chart") << QSizeF(40, 30) << 49 << ChartView{0, 49, 0, 500} << 500;
}

void TestChart::layout() {
    QFETCH(QSizeF, size);
    QFETCH(int, bars);
    QFETCH(ChartView, view);
    QFETCH(int, labelStep);
    std::vector<double> values;
    for (int i = 0; i < bars; ++i)
        values.push_back((i * 37) % 500);
    const ChartLayout l = layoutOf(size, bars, view, values);
    const ChartView& v = l.view;
    QVERIFY(v.xMax > v.xMin && v.yMax > v.yMin);
    QVERIFY(l.plot.width() >= 1 && l.plot.height() >= 1);
    QVERIFY(QRectF(QPointF(0, 0), size).contains(l.plot.translated(0, 0)) || size.width() < 100);
    QCOMPARE(l.depth,
             std::round(0.1 * std::min(l.plot.width() + l.depth, l.plot.height() + l.depth)));

    QVERIFY(near(l.slotWidth, l.plot.width() / (v.xMax - v.xMin)));
    QCOMPARE(int(l.bars.size()), bars);
    for (int i = 0; i < bars; ++i) {
        const QRectF& bar = l.bars[size_t(i)];
        QVERIFY(near(bar.width(), 0.9 * l.slotWidth, 1e-6));
        QVERIFY(near(bar.left(), l.plot.left() + (i + 0.05 - v.xMin) * l.slotWidth, 1e-6));
        QVERIFY(near(bar.bottom(), l.yToPixel(0)));
        QVERIFY(near(bar.height(), values[size_t(i)] / (v.yMax - v.yMin) * l.plot.height(), 1e-6));
        QVERIFY(near(l.pixelToX(l.xToPixel(i + 0.3)), i + 0.3));
    }
    QCOMPARE(l.labelStep, labelStep);
    QVERIFY(l.labelStep * l.slotWidth >= textSizes().widestBarLabel);

    // Round ticks, inside the view, spaced for their labels.
    QVERIFY(!l.ticks.empty());
    const double mantissa = l.tickStep / std::pow(10.0, std::floor(std::log10(l.tickStep)));
    QVERIFY(near(mantissa, 1, 1e-9) || near(mantissa, 2, 1e-9) || near(mantissa, 5, 1e-9));
    // Counts: whole steps while two whole numbers are in view.
    QCOMPARE(l.tickStep < 1, std::floor(v.yMax) - std::ceil(v.yMin) < 1);
    for (const ChartTick& tick : l.ticks) {
        QVERIFY(near(tick.value / l.tickStep, std::round(tick.value / l.tickStep), 1e-6));
        QVERIFY(tick.value >= v.yMin - 1e-9 && tick.value <= v.yMax + 1e-9);
        QVERIFY(tick.y >= l.plot.top() - 1e-6 && tick.y <= l.plot.bottom() + 1e-6);
    }
    // Tags over their own bars, never overlapping.
    QCOMPARE(int(l.tags.size()), bars);
    std::vector<QRectF> tags;
    for (int i = 0; i < bars; ++i) {
        const QRectF& tag = l.tags[size_t(i)];
        if (tag.isEmpty())
            continue;
        QVERIFY(tag.left() > l.plot.left());
        for (const QRectF& other : tags)
            QVERIFY(!tag.intersects(other));
        tags.push_back(tag);
    }
    if (l.ticks.size() > 1 && l.plot.height() > 2 * textSizes().labelHeight)
        QVERIFY(l.ticks[0].y - l.ticks[1].y >= textSizes().labelHeight);
}

void TestChart::wholeView_data() {
    QTest::addColumn<int>("bars");
    QTest::addColumn<double>("highest");
    QTest::addColumn<double>("yMax");

    QTest::newRow("6/49 history") << 49 << 498.0 << 500.0;
    QTest::newRow("round already") << 49 << 500.0 << 500.0;
    QTest::newRow("one draw") << 49 << 1.0 << 1.0;
    QTest::newRow("nothing drawn") << 49 << 0.0 << 1.0;
    QTest::newRow("no bars") << 0 << 0.0 << 1.0;
}

void TestChart::wholeView() {
    QFETCH(int, bars);
    QFETCH(double, highest);
    QFETCH(double, yMax);
    const ChartView view = fullView(bars, highest, 220, 13);
    QCOMPARE(view.xMin, 0.0);
    QCOMPARE(view.xMax, double(std::max(1, bars)));
    QCOMPARE(view.yMin, 0.0);
    QCOMPARE(view.yMax, yMax);
}

void TestChart::labelsAndTags_data() {
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<int>("bars");
    QTest::addColumn<ChartView>("view");   // empty (all 0): the whole chart
    QTest::addColumn<int>("labelStep");    // 0: not checked
    QTest::addColumn<QString>("tags");     // level or upright, "every n" unless over each bar; none
    QTest::addColumn<double>("growth");    // at most, of the value axis for the tags
    QTest::addColumn<bool>("tallBetween"); // tall untagged bars between the tagged ones

    const QSizeF window(495, 299);
    const ChartView whole{0, 0, 0, 0};
    QTest::newRow("49 numbers in the window")
        << window << 49 << whole << 2 << "upright every 2" << 1.15 << false;
    QTest::newRow("49 numbers printed at twice the size")
        << QSizeF(990, 598) << 49 << whole << 1 << "upright" << 1.15 << false;
    QTest::newRow("10 numbers") << window << 10 << whole << 1 << "level" << 1.15 << false;
    QTest::newRow("99 numbers in the window")
        << window << 99 << whole << 5 << "upright every 5" << 1.15 << false;
    QTest::newRow("tags rise over taller neighbours")
        << window << 49 << whole << 2 << "upright every 2" << 1.15 << true;
    QTest::newRow("zoomed into bars 10 to 22")
        << window << 49 << ChartView{10.3, 22.7, 200, 550} << 1 << "level" << 0.0 << false;
    QTest::newRow("zoomed near the tops: tags kept inside")
        << window << 49 << ChartView{20.5, 26.5, 380, 470} << 1 << "level" << 0.0 << false;
    QTest::newRow("zoomed into a tenth of a slot: its bar named")
        << window << 49 << ChartView{20.3, 20.4, 300, 301} << 0 << "level" << 0.0 << false;
    QTest::newRow("zoomed across two slots: both named")
        << window << 49 << ChartView{20.97, 21.07, 0, 1000} << 0 << "level" << 0.0 << false;
    QTest::newRow("tiny chart") << QSizeF(40, 30) << 49 << whole << 500 << "none" << 1.15 << false;
}

// Labels never touch, and name a bar whenever one is in view; each tag stands over its own bar
// (in the whole chart, every tagStep-th one), inside the box, clear of other tags and of other
// bars' fronts; the axis grows no more than 15 % for them.
void TestChart::labelsAndTags() {
    QFETCH(QSizeF, size);
    QFETCH(int, bars);
    QFETCH(ChartView, view);
    QFETCH(int, labelStep);
    QFETCH(QString, tags);
    QFETCH(double, growth);
    QFETCH(bool, tallBetween);
    std::vector<double> values;
    for (int i = 0; i < bars; ++i)
        values.push_back(tallBetween ? (i % 2 == 0 ? 480 : 300) : 420 + (i * 37) % 80);
    ChartInput input;
    input.size = size;
    input.barCount = bars;
    input.text = textSizes();
    const bool isWhole = view == ChartView{0, 0, 0, 0};
    const double plainTop = wholeChartView(input, values).yMax;
    input.valueTagsVisible = true;
    input.view = isWhole ? wholeChartView(input, values) : view;
    if (isWhole)
        QVERIFY2(input.view.yMax <= plainTop * growth,
                 qPrintable(QStringLiteral("%1 for %2").arg(input.view.yMax).arg(plainTop)));
    const ChartLayout l = layoutChart(input, values);

    if (labelStep > 0)
        QCOMPARE(l.labelStep, labelStep);
    QVERIFY(!l.labels.empty() || l.labelStep > bars);
    const double labelWidth = input.text.widestBarLabel;
    for (size_t i = 0; i < l.labels.size(); ++i) {
        const ChartBarLabel& label = l.labels[i];
        QVERIFY(label.bar >= 0 && label.bar < bars);
        QVERIFY(label.x - labelWidth / 2 >= 0 && label.x + labelWidth / 2 <= size.width());
        if (i > 0)
            QVERIFY(label.x - l.labels[i - 1].x >= labelWidth + ChartLayout::LabelGap - 1e-9);
    }

    const QString kind = (l.tagFace < 0   ? QStringLiteral("none")
                          : l.tagsUpright ? QStringLiteral("upright")
                                          : QStringLiteral("level")) +
                         (l.tagStep > 1 ? QStringLiteral(" every %1").arg(l.tagStep) : QString());
    QCOMPARE(kind, tags);
    std::vector<QRectF> placed;
    for (int i = 0; i < bars; ++i) {
        const QRectF& tag = l.tags[size_t(i)];
        const ChartBarShape& bar = l.shapes[size_t(i)];
        if (isWhole && kind != "none")
            QVERIFY2(tag.isEmpty() == ((i + 1) % l.tagStep != 0), qPrintable(QString::number(i)));
        if (tag.isEmpty())
            continue;
        const QString what = QStringLiteral("tag %1: ").arg(i) + QString::number(tag.left()) +
                             u',' + QString::number(tag.top());
        QVERIFY2(bar.shown && bar.top, qPrintable(what));
        QVERIFY2(tag.left() <= bar.front.center().x() && bar.front.center().x() <= tag.right(),
                 qPrintable(what));
        QVERIFY(tag.width() <= l.tagStep * l.slotWidth - ChartLayout::TagGap);
        QVERIFY2(tag.left() >= l.plot.left() && tag.right() <= l.plot.right(), qPrintable(what));
        QVERIFY2(tag.top() >= l.frameTop(tag.left()) + ChartLayout::TagFrameGap - 1e-9,
                 qPrintable(what));
        for (const QRectF& other : placed)
            QVERIFY2(!tag.intersects(other), qPrintable(what));
        for (int j = 0; j < bars; ++j)
            QVERIFY2(j == i || !l.shapes[size_t(j)].shown ||
                         !tag.intersects(l.shapes[size_t(j)].front),
                     qPrintable(what + QStringLiteral(" over bar %1").arg(j)));
        placed.push_back(tag);
    }
}

void TestChart::zoomedBars_data() {
    QTest::addColumn<ChartView>("view");
    QTest::addColumn<bool>("wall"); // and floor: both stand at 0 here

    QTest::newRow("whole chart") << ChartView{0, 49, 0, 500} << true;
    QTest::newRow("scrolled to the left end") << ChartView{0, 12, 0, 300} << true;
    QTest::newRow("zoomed into the middle") << ChartView{15.6, 27.4, 150, 470} << false;
    QTest::newRow("bars cut at both edges, their centres in view")
        << ChartView{15.3, 27.7, 150, 470} << false;
    QTest::newRow("zoomed into a tenth of a slot") << ChartView{20.3, 20.4, 300, 301} << false;
}

// A bar is drawn whole or not at all; only when none is whole in view are the cut ones drawn,
// flat and within the plot. Wall and floor show only where they stand, so no piece of them
// peeps out between bars.
void TestChart::zoomedBars() {
    QFETCH(ChartView, view);
    QFETCH(bool, wall);
    Chart chart(historyCounts(), {495, 299});
    chart.widget.setAnimationInterval(1);
    chart.widget.show();
    // Dragged in steps, as a narrow view is too small a rectangle to drag at once.
    for (int step = 0; step < 3; ++step) {
        const ChartLayout before = chart.widget.currentLayout();
        QRectF drag(QPointF(before.xToPixel(view.xMin), before.yToPixel(view.yMax)),
                    QPointF(before.xToPixel(view.xMax), before.yToPixel(view.yMin)));
        drag = drag.marginsAdded(QMarginsF(1, 1, 1, 1) * std::max(0.0, 10 - drag.width()));
        chart.widget.zoomTo(drag);
        QTRY_VERIFY(!chart.widget.isAnimating());
    }
    QVERIFY(std::abs(chart.widget.view().xMin - view.xMin) < 0.05);
    const ChartLayout l = chart.widget.currentLayout();
    QCOMPARE(l.wallShown, wall);
    QCOMPARE(l.floorShown, wall);

    const QRectF& plot = l.plot;
    const bool anyWhole = std::any_of(l.shapes.begin(), l.shapes.end(),
                                      [](const ChartBarShape& bar) { return bar.side; });
    int shown = 0;
    for (size_t i = 0; i < l.shapes.size(); ++i) {
        const ChartBarShape& bar = l.shapes[i];
        const QRectF& face = l.bars[i];
        if (!bar.shown)
            continue;
        ++shown;
        if (bar.side) {
            QVERIFY(face.left() >= plot.left() - 0.5 && face.right() <= plot.right() + 0.5);
            QCOMPARE(bar.front.left(), face.left());
            QCOMPARE(bar.front.right(), face.right());
        } else {
            QVERIFY(!anyWhole);
            QVERIFY(bar.front.left() >= plot.left() && bar.front.right() <= plot.right());
        }
        QVERIFY(bar.front.top() >= plot.top() && bar.front.bottom() <= plot.bottom());
        QCOMPARE(bar.top, face.top() >= plot.top() - 0.5);
    }
    QVERIFY(shown > 0);
    // A bar left out has no label, or it would read as 0.
    for (const ChartBarLabel& label : l.labels)
        QVERIFY2(l.shapes[size_t(label.bar)].column &&
                     (l.shapes[size_t(label.bar)].shown ||
                      l.bars[size_t(label.bar)].top() > plot.bottom()),
                 qPrintable(QString::number(label.bar + 1)));
    const QImage image = chart.image();
    int wallPixels = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            wallPixels += image.pixelColor(x, y) == QColor(255, 255, 128);
    QCOMPARE(wallPixels > 0, wall);
}

// Focus shows as a solid line along the chart's edge, and nothing within it changes.
void TestChart::focusFrame() {
    Chart chart(historyCounts(), {495, 299});
    chart.widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart.widget));
    const QImage plain = chart.widget.grab().toImage();
    chart.widget.activateWindow();
    chart.widget.setFocus();
    QTRY_VERIFY(chart.widget.hasFocus());
    const QImage focused = chart.widget.grab().toImage();
    const QColor highlight = chart.widget.palette().color(QPalette::Highlight);
    const QRect inside = focused.rect().adjusted(1, 1, -1, -1);
    for (int y = 0; y < focused.height(); ++y)
        for (int x = 0; x < focused.width(); ++x) {
            const bool edge = !inside.contains(x, y);
            QCOMPARE(focused.pixelColor(x, y), edge ? highlight : plain.pixelColor(x, y));
        }
}

void TestChart::zoomAndScroll_data() {
    QTest::addColumn<QRectF>("drag"); // as fractions of the plot
    QTest::addColumn<bool>("zooms");

    QTest::newRow("middle quarter") << QRectF(0.25, 0.25, 0.5, 0.5) << true;
    QTest::newRow("beyond the plot is kept to it") << QRectF(-0.5, -0.5, 1.2, 1.0) << true;
    QTest::newRow("three pixels wide: ignored") << QRectF(0.5, 0.1, 0.006, 0.5) << false;
    QTest::newRow("outside the plot: ignored") << QRectF(1.1, 0.1, 0.2, 0.2) << false;
}

void TestChart::zoomAndScroll() {
    QFETCH(QRectF, drag);
    QFETCH(bool, zooms);
    const ChartView whole{0, 49, 0, 500};
    const ChartLayout l = layoutOf({495, 299}, 49, whole);
    const QRectF& p = l.plot;
    const QRectF pixels(p.left() + drag.left() * p.width(), p.top() + drag.top() * p.height(),
                        drag.width() * p.width(), drag.height() * p.height());
    const ChartView zoomed = zoomedView(l, pixels);
    QCOMPARE(zoomed != whole, zooms);
    if (!zooms)
        return;
    const QRectF kept = pixels & p;
    QVERIFY(near(zoomed.xMin, l.pixelToX(kept.left())));
    QVERIFY(near(zoomed.xMax, l.pixelToX(kept.right())));
    QVERIFY(near(zoomed.yMin, l.pixelToY(kept.bottom())));
    QVERIFY(near(zoomed.yMax, l.pixelToY(kept.top())));
    QVERIFY(zoomed.xMin >= 0 && zoomed.xMax <= 49 && zoomed.yMin >= 0 && zoomed.yMax <= 500);

    // Laid out again, the dragged rectangle fills the plot.
    const ChartLayout in = layoutOf({495, 299}, 49, zoomed);
    QVERIFY(near(in.xToPixel(zoomed.xMin), in.plot.left()));
    QVERIFY(near(in.yToPixel(zoomed.yMax), in.plot.top()));

    // Scrolling moves the content with the mouse and never past the whole chart.
    const ChartView right = scrolledView(in, QPointF(-in.slotWidth * 2, 0), whole);
    QVERIFY(near(right.xMin, std::min(zoomed.xMin + 2, 49 - (zoomed.xMax - zoomed.xMin))));
    QVERIFY(near(right.xMax - right.xMin, zoomed.xMax - zoomed.xMin));
    const ChartView farDown = scrolledView(in, QPointF(1e6, -1e6), whole);
    QVERIFY(near(farDown.xMin, 0) && near(farDown.yMin, 0));
    QVERIFY(near(farDown.yMax - farDown.yMin, zoomed.yMax - zoomed.yMin));
    const ChartView farUp = scrolledView(in, QPointF(-1e6, 1e6), whole);
    QVERIFY(near(farUp.xMax, 49) && near(farUp.yMax, 500));
}

void TestChart::dragActions_data() {
    QTest::addColumn<QPointF>("delta");
    QTest::addColumn<int>("action");

    QTest::newRow("down right: zoom") << QPointF(40, 30) << int(DragAction::Zoom);
    QTest::newRow("up left: restore") << QPointF(-40, -30) << int(DragAction::Restore);
    QTest::newRow("straight up: restore") << QPointF(0, -30) << int(DragAction::Restore);
    QTest::newRow("a click") << QPointF(1, 2) << int(DragAction::None);
    QTest::newRow("flat: nothing") << QPointF(40, 2) << int(DragAction::None);
    QTest::newRow("down left: nothing") << QPointF(-40, 30) << int(DragAction::None);
}

void TestChart::dragActions() {
    QFETCH(QPointF, delta);
    QFETCH(int, action);
    const QPointF from(100, 80);
    QCOMPARE(int(leftDragAction(from, from + delta)), action);
}

void TestChart::drawnBars_data() {
    QTest::addColumn<bool>("rich");
    QTest::addColumn<QSizeF>("layoutSize"); // empty: the widget's own

    QTest::newRow("colour display") << true << QSizeF();
    QTest::newRow("256 colours: flat and plain") << false << QSizeF();
    QTest::newRow("printed: twice the layout, scaled") << true << QSizeF(1000, 600);
}

// Heights and colours measured in a picture of the chart.
void TestChart::drawnBars() {
    QFETCH(bool, rich);
    QFETCH(QSizeF, layoutSize);
    const QColor own(10, 200, 30);
    Chart chart({});
    chart.widget.addBar("1", 30);
    chart.widget.addBar("2", 50, own);
    chart.widget.addBar("3", 0);
    chart.widget.addBar("4", 25);
    for (int i = 5; i <= 40; ++i) // thin bars leave the back of the floor in sight
        chart.widget.addBar(QString::number(i), 0);
    chart.widget.setRich(rich);
    const QImage image = chart.image({}, layoutSize);

    const double scale = layoutSize.isEmpty() ? 1 : image.height() / layoutSize.height();
    const ChartLayout l =
        chart.widget.layoutAt(layoutSize.isEmpty() ? QSizeF(image.size()) : layoutSize);
    QCOMPARE(chart.widget.barColour(1), own);
    QVERIFY(chart.widget.barColour(0) != chart.widget.barColour(3));
    for (int i : {0, 1, 3}) {
        const QRectF face = l.bars[size_t(i)];
        // Flat bars show part of their top in the front's colour; outlines take a pixel or two.
        const double height = face.height() * scale;
        const double top = rich ? 0.5 : l.barDepth * scale;
        const int measured =
            runOf(image, int(face.center().x() * scale), chart.widget.barColour(i));
        QVERIFY2(
            measured <= height + top && measured >= height - 3,
            qPrintable(
                QStringLiteral("bar %1: %2 px, %3 expected").arg(i).arg(measured).arg(height)));
        // Sides darker only on colour displays (bar 0's is behind the taller bar 1).
        const QPointF side(face.right() + l.barDepth / 2, face.center().y());
        if (i > 0)
            QCOMPARE(image.pixelColor((side * scale).toPoint()).value() <
                         chart.widget.barColour(i).value(),
                     rich);
    }
    const QColor topCorner = image.pixelColor(2, 2);
    const QColor bottomCorner = image.pixelColor(2, image.height() - 3);
    if (rich) {
        QVERIFY(topCorner.red() > 240 && topCorner.green() < 140); // light red at the top
        QVERIFY(std::abs(bottomCorner.red() - 192) < 6 && std::abs(bottomCorner.green() - 192) < 6);
    } else {
        QCOMPARE(topCorner, QColor(192, 192, 192));
        QCOMPARE(bottomCorner, QColor(192, 192, 192));
    }
    // The left wall is light yellow, the floor white.
    const QPointF wall(l.plot.left() + l.depth / 4,
                       l.plot.bottom() - 0.9 * l.plot.height() - l.depth / 4);
    QCOMPARE(image.pixelColor((wall * scale).toPoint()), QColor(255, 255, 128));
    QVERIFY(l.barDepth < l.depth * 0.6);
    const QPointF floor(l.plot.center().x(), l.plot.bottom() - l.depth * 0.8);
    QCOMPARE(image.pixelColor((floor * scale).toPoint()), QColor(Qt::white));

    // Tags in a face that reads: digits at least 7 pixels tall, over every second bar if need be.
    chart.widget.setValueTagsVisible(true);
    const ChartLayout tagged =
        chart.widget.layoutAt(layoutSize.isEmpty() ? QSizeF(image.size()) : layoutSize);
    QVERIFY(tagged.tagFace >= 0);
    for (const QRectF& tag : tagged.tags)
        QVERIFY(tag.isEmpty() || (tagged.tagsUpright ? tag.width() : tag.height()) - 2 >= 7);
}

void TestChart::mouse() {
    Chart chart({40, 80, 120, 160, 200, 240, 280, 320, 360, 400});
    chart.widget.setAnimationInterval(1);
    chart.widget.show();
    const ChartLayout l = chart.widget.currentLayout();
    const QPoint from = l.plot.topLeft().toPoint() + QPoint(int(l.slotWidth * 2), 10);
    const QPoint to = from + QPoint(int(l.slotWidth * 3), 100);

    QTest::mousePress(&chart.widget, Qt::LeftButton, {}, from);
    QTest::mouseMove(&chart.widget, to);
    QTest::mouseRelease(&chart.widget, Qt::LeftButton, {}, to);
    QVERIFY(chart.widget.isAnimating());
    QTRY_VERIFY(!chart.widget.isAnimating());
    const ChartView zoomed = chart.widget.view();
    QVERIFY(near(zoomed.xMin, l.pixelToX(from.x())) && near(zoomed.xMax, l.pixelToX(to.x())));
    QVERIFY(near(zoomed.yMax, l.pixelToY(from.y())));

    // Right drag to the left shows bars further right.
    QTest::mousePress(&chart.widget, Qt::RightButton, {}, to);
    QTest::mouseMove(&chart.widget, to - QPoint(40, 0));
    QTest::mouseRelease(&chart.widget, Qt::RightButton, {}, to - QPoint(40, 0));
    QVERIFY(chart.widget.view().xMin > zoomed.xMin);
    QVERIFY(near(chart.widget.view().xMax - chart.widget.view().xMin, zoomed.xMax - zoomed.xMin));

    // A tiny drag does nothing; up and left restores everything.
    QTest::mousePress(&chart.widget, Qt::LeftButton, {}, from);
    QTest::mouseRelease(&chart.widget, Qt::LeftButton, {}, from + QPoint(2, 2));
    QVERIFY(!chart.widget.isAnimating() && chart.widget.isZoomed());
    QTest::mousePress(&chart.widget, Qt::LeftButton, {}, to);
    QTest::mouseMove(&chart.widget, from);
    QTest::mouseRelease(&chart.widget, Qt::LeftButton, {}, from);
    QTRY_VERIFY(!chart.widget.isAnimating());
    QVERIFY(!chart.widget.isZoomed());
    QCOMPARE(chart.widget.view(), l.view);
}

void TestChart::wheel_data() {
    QTest::addColumn<int>("zoom");      // notches forward, at `at`
    QTest::addColumn<double>("at");     // across the plot, 0 to 1
    QTest::addColumn<int>("scroll");    // notches forward with Shift, afterwards
    QTest::addColumn<bool>("sideways"); // the scroll comes as a sideways wheel instead
    QTest::addColumn<double>("span");   // of the numbers axis at the end; 0: the whole chart

    QTest::newRow("a notch forward: closer about the pointer") << 1 << 0.25 << 0 << false << 8.0;
    QTest::newRow("three notches at the right end") << 3 << 1.0 << 0 << false << 5.12;
    QTest::newRow("back beyond the whole: everything again") << -2 << 0.5 << 0 << false << 0.0;
    QTest::newRow("no closer than the narrowest") << 40 << 0.5 << 0 << false << 0.1;
    QTest::newRow("Shift: scrolls to the right, the span kept") << 3 << 0.1 << -2 << false << 5.12;
    QTest::newRow("scrolled no further than the first bar") << 3 << 0.5 << 30 << false << 5.12;
    QTest::newRow("a sideways wheel scrolls too") << 3 << 0.1 << -2 << true << 5.12;
}

// The wheel zooms the numbers axis about the pointer and Shift+wheel scrolls it; the value axis
// fits the bars in view from 0, and every one of them shows its top.
void TestChart::wheel() {
    QFETCH(int, zoom);
    QFETCH(double, at);
    QFETCH(int, scroll);
    QFETCH(bool, sideways);
    QFETCH(double, span);
    Chart chart({40, 80, 120, 160, 200, 240, 280, 320, 360, 400});
    chart.widget.show();
    const ChartView whole = chart.widget.view();
    const auto turn = [&chart](QPointF where, QPoint degrees, Qt::KeyboardModifiers keys) {
        QWheelEvent event(where, chart.widget.mapToGlobal(where), QPoint(), degrees * 8,
                          Qt::NoButton, keys, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&chart.widget, &event);
    };
    const ChartLayout before = chart.widget.currentLayout();
    const QPointF pointer(before.plot.left() + at * before.plot.width(), before.plot.center().y());
    turn(pointer, QPoint(0, 15 * zoom), Qt::NoModifier);
    const ChartLayout zoomed = chart.widget.currentLayout();
    if (zoomed.view.xMax - zoomed.view.xMin < 10 && zoomed.view.xMax - zoomed.view.xMin > 0.1)
        QVERIFY(near(zoomed.pixelToX(pointer.x()), before.pixelToX(pointer.x()), 1e-9));
    if (scroll != 0)
        turn(pointer, sideways ? QPoint(15 * scroll, 0) : QPoint(0, 15 * scroll),
             sideways ? Qt::NoModifier : Qt::ShiftModifier);

    const ChartLayout l = chart.widget.currentLayout();
    const ChartView& v = l.view;
    QCOMPARE(chart.widget.isZoomed(), span > 0);
    if (span == 0) {
        QCOMPARE(v, whole);
        return;
    }
    QVERIFY2(near(v.xMax - v.xMin, span, 1e-9), qPrintable(QString::number(v.xMax - v.xMin)));
    const double moved = -scroll * span / 10;
    QVERIFY(near(v.xMin, std::clamp(zoomed.view.xMin + moved, 0.0, 10 - span), 1e-9));
    QCOMPARE(v.yMin, 0.0);
    double highest = 0;
    for (size_t i = 0; i < l.shapes.size(); ++i) {
        if (!l.shapes[i].column)
            continue;
        highest = std::max(highest, 40.0 * (i + 1));
        QVERIFY(l.shapes[i].shown && l.shapes[i].top);
    }
    QVERIFY(v.yMax >= highest && v.yMax <= std::max(highest * 1.5, highest + 10));
}

void TestChart::unsoundViews_data() {
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<ChartView>("view");
    QTest::addColumn<bool>("keepsCentre"); // of a finite view

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("a few floating-point steps tall")
        << QSizeF(640, 480) << ChartView{0, 49, 389.97493734335814, 389.97493734335836} << true;
    QTest::newRow("a few floating-point steps wide")
        << QSizeF(495, 299) << ChartView{21.3, 21.300000000000004, 0, 500} << true;
    QTest::newRow("not a number") << QSizeF(495, 299) << ChartView{nan, nan, nan, nan} << false;
    QTest::newRow("infinite") << QSizeF(495, 299) << ChartView{-inf, inf, -inf, inf} << false;
    QTest::newRow("span beyond doubles")
        << QSizeF(495, 299) << ChartView{-1e308, 1e308, -1e308, 1e308} << false;
    QTest::newRow("slots a billionth of a pixel")
        << QSizeF(495, 299) << ChartView{0, 1e15, 0, 500} << false;
    QTest::newRow("laid out very tall") << QSizeF(495, 1e12) << ChartView{0, 49, 0, 500} << true;
}

// Any view lays out finite, at least the narrowest, with few ticks labelled apart and truly.
void TestChart::unsoundViews() {
    QFETCH(QSizeF, size);
    QFETCH(ChartView, view);
    QFETCH(bool, keepsCentre);
    std::vector<double> values;
    for (const int count : historyCounts())
        values.push_back(count);
    const ChartLayout l = layoutOf(size, 49, view, values);
    QVERIFY2(tickFault(l).isEmpty(), qPrintable(tickFault(l)));
    QVERIFY(!l.ticks.empty());
    if (keepsCentre) {
        QVERIFY(near(l.view.xMin + l.view.xMax, view.xMin + view.xMax, 1e-9));
        QVERIFY(near(l.view.yMin + l.view.yMax, view.yMin + view.yMax, 1e-9));
    }
    QVERIFY(l.slotWidth > 0 && std::isfinite(l.slotWidth));
}

void TestChart::repeatedZooms_data() {
    QTest::addColumn<QPointF>("where"); // the box's top left, as a fraction of the plot

    QTest::newRow("middle") << QPointF(0.5, 0.5);
    QTest::newRow("on the floor at the left") << QPointF(0, 1);
    QTest::newRow("top right") << QPointF(1, 0);
}

// Twenty drags of a 6 x 6 pixel box: the view narrows to the narrowest and stays there, each
// step inside the last, and the value axis keeps reading distinct, true numbers.
void TestChart::repeatedZooms() {
    QFETCH(QPointF, where);
    Chart chart(historyCounts(), {495, 299});
    chart.widget.setValueTagsVisible(true);
    chart.widget.setAnimationInterval(1);
    chart.widget.show();
    for (int zoom = 1; zoom <= 20; ++zoom) {
        const ChartLayout before = chart.widget.currentLayout();
        const QRectF& p = before.plot;
        const QPoint from(int(std::min(p.left() + where.x() * p.width(), p.right() - 7)),
                          int(std::min(p.top() + where.y() * p.height(), p.bottom() - 7)));
        QTest::mousePress(&chart.widget, Qt::LeftButton, {}, from);
        QTest::mouseMove(&chart.widget, from + QPoint(6, 6));
        QTest::mouseRelease(&chart.widget, Qt::LeftButton, {}, from + QPoint(6, 6));
        QTRY_VERIFY(!chart.widget.isAnimating());
        const ChartLayout after = chart.widget.currentLayout();
        QVERIFY2(tickFault(after).isEmpty(),
                 qPrintable(QStringLiteral("zoom %1: ").arg(zoom) + tickFault(after)));
        QVERIFY(!after.ticks.empty());
        const ChartView& b = before.view;
        const ChartView& a = after.view;
        QVERIFY2(a.xMin >= b.xMin && a.xMax <= b.xMax && a.yMin >= b.yMin && a.yMax <= b.yMax,
                 qPrintable(QStringLiteral("zoom %1: %2 %3 %4 %5 in %6 %7 %8 %9")
                                .arg(zoom)
                                .arg(a.xMin, 0, 'g', 17)
                                .arg(a.xMax, 0, 'g', 17)
                                .arg(a.yMin, 0, 'g', 17)
                                .arg(a.yMax, 0, 'g', 17)
                                .arg(b.xMin, 0, 'g', 17)
                                .arg(b.xMax, 0, 'g', 17)
                                .arg(b.yMin, 0, 'g', 17)
                                .arg(b.yMax, 0, 'g', 17)));
        QVERIFY(!chart.image().isNull());
    }
    const ChartView v = chart.widget.view();
    QVERIFY(near(v.xMax - v.xMin, ChartLayout::MinViewWidth, 1e-9));
    QVERIFY(near(v.yMax - v.yMin, ChartLayout::MinViewHeight, 1e-9));
}

// Random views, sizes and bar counts, edge values among them, with a fixed seed.
void TestChart::layoutFuzz() {
    QRandomGenerator random(20240611);
    const double inf = std::numeric_limits<double>::infinity();
    const double specials[] = {0,      -0.0,  1,   49,   389.97493734335814, 1e-300, 5e-324,
                               -1e308, 1e308, inf, -inf, std::nan("")};
    const auto coordinate = [&](double near) {
        switch (random.bounded(4)) {
        case 0:
            return specials[random.bounded(int(std::size(specials)))];
        case 1: // a few floating-point steps away
            return near + random.bounded(8) * std::abs(near) * 1e-16;
        case 2:
            return (random.generateDouble() - 0.5) * std::pow(10.0, random.bounded(-3, 20));
        default:
            return random.generateDouble() * 600;
        }
    };
    for (int round = 0; round < 3000; ++round) {
        ChartView view;
        view.xMin = coordinate(random.generateDouble() * 49);
        view.xMax = coordinate(view.xMin);
        view.yMin = coordinate(random.generateDouble() * 500);
        view.yMax = coordinate(view.yMin);
        const QSizeF size(random.bounded(1, 3000), random.bounded(1, 3000));
        const int bars = random.bounded(0, 100);
        std::vector<double> values;
        for (int i = 0; i < bars; ++i)
            values.push_back(random.bounded(0, 2000));
        const ChartLayout l = layoutOf(size, bars, view, values);
        QVERIFY2(tickFault(l).isEmpty(), qPrintable(QStringLiteral("%1 %2 %3 %4: ")
                                                        .arg(view.xMin, 0, 'g', 17)
                                                        .arg(view.xMax, 0, 'g', 17)
                                                        .arg(view.yMin, 0, 'g', 17)
                                                        .arg(view.yMax, 0, 'g', 17) +
                                                    tickFault(l)));
    }
}

void TestChart::accessibility() {
    Chart chart({3, 0, 7});
    chart.widget.clear();
    chart.widget.addBar("1", 3, Qt::red, "Hot");
    chart.widget.addBar("2", 0, Qt::blue, "Cold");
    chart.widget.addBar("3", 7);
    chart.widget.show();
    QAccessibleInterface* const iface = QAccessible::queryAccessibleInterface(&chart.widget);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Chart);
    QCOMPARE(iface->childCount(), 3);
    const QStringList expected{"1|3|Hot", "2|0|Cold", "3|7|"};
    for (int i = 0; i < 3; ++i) {
        QAccessibleInterface* const bar = iface->child(i);
        QCOMPARE(bar->text(QAccessible::Name) + '|' + bar->text(QAccessible::Value) + '|' +
                     bar->text(QAccessible::Description),
                 expected[i]);
        QCOMPARE(bar->parent(), iface);
        QCOMPARE(iface->indexOfChild(bar), i);
        QCOMPARE(iface->child(i), bar); // one interface per bar
    }
    const QRect third = iface->child(2)->rect();
    QVERIFY(!third.isEmpty());
    QCOMPARE(iface->childAt(third.center().x(), third.center().y()), iface->child(2));
    QVERIFY(iface->child(1)->rect().isEmpty()); // a zero bar has no face
    // The tool tip over a bar's column tells its value, a zero bar's too.
    for (const auto& [bar, tip] : {std::pair{0, "1: 3\nHot"}, std::pair{1, "2: 0\nCold"}}) {
        const QPoint over(int(chart.widget.currentLayout().xToPixel(bar + 0.5)),
                          int(chart.widget.currentLayout().plot.center().y()));
        QHelpEvent help(QEvent::ToolTip, over, chart.widget.mapToGlobal(over));
        QApplication::sendEvent(&chart.widget, &help);
        QCOMPARE(QToolTip::text(), QString::fromLatin1(tip));
    }

    QAccessibleInterface* const old = iface->child(2);
    chart.widget.clear();
    QCOMPARE(iface->childCount(), 0);
    QVERIFY(!old->isValid());
    QVERIFY(old->text(QAccessible::Name).isEmpty());
}

void TestChart::band_data() {
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<ChartBand>("band");
    QTest::addColumn<bool>("raises");
    QTest::addColumn<QString>("legend");

    const ChartBand small{22, 15, 30};
    QTest::newRow("above the bars: the axis reaches its top")
        << QList<int>{1, 8, 6, 7} << small << true << "Expected range 15\u201330";
    QTest::newRow("among the bars: the axis as it was")
        << QList<int>{1, 80, 6, 70} << small << false << "Expected range 15\u201330";
    QTest::newRow("on the edges: within")
        << QList<int>{20, 35, 10, 30, 15, 14} << small << false << "Expected range 15\u201330";
    QTest::newRow("3,622 draws of 6 from 49")
        << historyCounts() << ChartBand{443.51, 404.05, 482.97} << false
        << "Expected range 404\u2013483";
    QTest::newRow("a narrow range in tenths") << QList<int>{0, 1, 2} << ChartBand{0.24, 0, 1.17}
                                              << false << "Expected range 0.0\u20131.2";
}

// Each bar reads within, above or below the band from where its top stands against the band's
// edges in the layout, as its description says; the edges are drawn across the bars' fronts, and
// the legend names the range.
void TestChart::band() {
    QFETCH(QList<int>, values);
    QFETCH(ChartBand, band);
    QFETCH(bool, raises);
    QFETCH(QString, legend);
    Chart chart(values);
    const ChartView before = chart.widget.view();
    QVERIFY(chart.widget.currentLayout().legend.isNull());
    chart.widget.setBand(band);
    const ChartView after = chart.widget.view();
    QVERIFY(after.yMax >= band.high);
    QCOMPARE(after.yMax != before.yMax, raises);
    QCOMPARE(bandRangeText(band), legend);

    const ChartLayout l = chart.widget.currentLayout();
    QVERIFY(l.band);
    QVERIFY(near(l.band->high, l.yToPixel(band.high)) && near(l.band->low, l.yToPixel(band.low)));
    QVERIFY(near(l.band->centre, l.yToPixel(band.centre)));
    QVERIFY(!l.legend.isNull() && l.legend.bottom() <= l.plot.top() - l.depth);
    const QImage image = chart.image();
    const QColor edgeColour(0, 100, 60);
    for (int i = 0; i < values.size(); ++i) {
        const QRectF& front = l.bars[size_t(i)];
        const QString reads = front.top() < l.band->high  ? "above"
                              : front.top() > l.band->low ? "below"
                                                          : "within";
        const QString description = chart.widget.barDescription(i);
        QVERIFY2(
            description.contains(reads + " the expected range"),
            qPrintable(QStringLiteral("bar %1 reads %2: ").arg(i + 1).arg(reads) + description));
        // An edge crossing the bar is drawn over its front.
        for (const double edge : {l.band->high, l.band->low}) {
            if (!(front.top() < edge - 2 && edge < front.bottom() - 2) || front.width() < 12)
                continue;
            int dark = 0;
            for (int x = int(front.left()) + 2; x < int(front.right()) - 1; ++x)
                dark += image.pixelColor(x, int(std::round(edge)) - 1) == edgeColour;
            QVERIFY2(dark > 0, qPrintable(QStringLiteral("bar %1").arg(i + 1)));
        }
    }

    chart.widget.setBand(std::nullopt);
    QVERIFY(chart.widget.view() == before);
    QVERIFY(!chart.widget.currentLayout().band);
    QVERIFY(chart.widget.currentLayout().legend.isNull());
}

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
