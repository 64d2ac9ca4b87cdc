// Statistics speed: recounting 100,000 draws, testing them for a fair draw with the expected
// range shaded, and repainting 99 bars must fit in one 60 Hz frame together; the zoom animation
// must paint its 10 frames at 500 x 300 without falling behind its timer.
#include "charting/BarChart.h"
#include "database/DrawTable.h"
#include "state/LotteryState.h"
#include "stats/ChartedDrum.h"
#include "stats/DrawNumbers.h"
#include "stats/FairDraw.h"
#include "stats/HitBars.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTextStream>
#include <algorithm>
#include <ctime>
#include <vector>

namespace {

constexpr int Draws = 100'000;
constexpr int Runs = 25;
constexpr double FrameMs = 16.0;

// Milliseconds of processor time this thread used: other programs sharing the machine do not
// count against us, as they would against the wall clock.
double threadMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Six distinct numbers and a bonus from 1..99 per draw, stored as the program stores them.
void fill(TDrawTable& table, TLotteryState& state) {
    QRandomGenerator random(1997);
    table.SetHeader(6, true);
    table.SetRowCount(Draws + 1);
    for (int row = 1; row <= Draws; ++row) {
        table.SetCellText(0, row, QStringLiteral(" 01/01/99"));
        for (int column = 1; column <= 8; ++column) {
            if (column == 7)
                continue;
            const int number = random.bounded(1, 100);
            table.SetCellText(column, row,
                              QStringLiteral("  %1").arg(number, 2, 10, QLatin1Char('0')));
        }
    }
    state.DataPick = 6;
    state.DataRandom = 99;
    state.DataBonus = true;
    state.DataTotalDraws = Draws;
}

class PaintCounter : public QObject {
public:
    QElapsedTimer clock;
    std::vector<double> paintMs;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint)
            return false;
        QElapsedTimer timer;
        timer.start();
        static_cast<QWidget*>(watched)->removeEventFilter(this);
        QCoreApplication::sendEvent(watched, event);
        watched->installEventFilter(this);
        paintMs.push_back(timer.nsecsElapsed() / 1e6);
        return true;
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTextStream out(stdout);
    TDrawTable table;
    TLotteryState state;
    fill(table, state);

    // Opening the window reads the table's text once; every redraw then counts from that.
    std::vector<double> readMs, directMs;
    for (int run = 0; run < 5; ++run) {
        double start = threadMs();
        const DrawNumbers once(table);
        readMs.push_back(threadMs() - start);
        start = threadMs();
        const HitCountTable direct = CountHits(table, Draws, true);
        directMs.push_back(threadMs() - start);
        if (direct != once.count(Draws, true)) {
            out << "counts from the read numbers differ from counting the table" << Qt::endl;
            return 1;
        }
    }
    const DrawNumbers draws(table);
    out << "reading " << Draws << " draws at opening: median "
        << QString::number(median(readMs), 'f', 2)
        << " ms (counting the text cells directly: " << QString::number(median(directMs), 'f', 2)
        << " ms)" << Qt::endl;

    // Recount and repaint, as the window does on every change.
    BarChart chart;
    chart.resize(495, 299);
    chart.setTitle(QStringLiteral("Ballmere Pro Hit Statistics"));
    chart.setAxisTitles(QStringLiteral("Numbers"), QStringLiteral("Hits"));
    chart.setValueTagsVisible(true);
    QImage frame(chart.size(), QImage::Format_ARGB32_Premultiplied);
    std::vector<double> countMs, testMs, paintMs, totalMs, wallMs;
    QString verdict;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const double start = threadMs();
        const HitBarList bars = BuildHitBars(draws, state, Draws, true, run % 2 == 0);
        chart.clear();
        for (const HitBar& bar : bars)
            chart.addBar(bar.label, bar.value, bar.classified ? QColor::fromRgb(bar.rgb) : QColor(),
                         bar.classified ? hitClassName(bar.hitClass) : QString());
        const double counted = threadMs();
        // With bonus numbers charted the test recounts the main numbers alone: the dearer case.
        const FairDrawReading reading = readFairDraw(draws, state, Draws, chartedDrum(state, true));
        chart.setBand(ChartBand{reading.range->expected, std::max(0.0, reading.range->low),
                                reading.range->high});
        verdict = reading.verdict;
        const double tested = threadMs();
        QPainter painter(&frame);
        chart.render(painter, QRectF(frame.rect()));
        painter.end();
        const double all = threadMs();
        countMs.push_back(counted - start);
        testMs.push_back(tested - counted);
        paintMs.push_back(all - tested);
        totalMs.push_back(all - start);
        wallMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    const double total = median(totalMs);
    const bool redrawMet = total <= FrameMs;
    out << "recount " << Draws << " draws + fair-draw test and band + repaint 99 bars with tags: "
        << "median " << QString::number(total, 'f', 2) << " ms processor time (count "
        << QString::number(median(countMs), 'f', 2) << " ms, test and band "
        << QString::number(median(testMs), 'f', 3) << " ms, paint "
        << QString::number(median(paintMs), 'f', 2) << " ms; wall clock "
        << QString::number(median(wallMs), 'f', 2) << " ms) of " << Runs << " runs; goal "
        << FrameMs << " ms: " << (redrawMet ? "met" : "NOT met") << Qt::endl;
    out << "  " << verdict << Qt::endl;

    // The zoom animation on a shown widget at 500 x 300, driven by its own timer.
    BarChart animated;
    animated.resize(500, 300);
    animated.setTitle(QStringLiteral("Ballmere Pro Hit Statistics"));
    animated.setAxisTitles(QStringLiteral("Numbers"), QStringLiteral("Hits"));
    for (int k = 1; k <= 49; ++k)
        animated.addBar(QString::number(k), state.HitCounts[size_t(k)]);
    animated.setValueTagsVisible(true);
    animated.show();
    QCoreApplication::processEvents();
    const int interval = 15;
    animated.setAnimationInterval(interval);
    PaintCounter counter;
    animated.installEventFilter(&counter);
    const ChartLayout layout = animated.currentLayout();
    QElapsedTimer elapsed;
    elapsed.start();
    animated.zoomTo(QRectF(layout.plot.left() + 100, layout.plot.top() + 20, 120, 120));
    while (animated.isAnimating())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QCoreApplication::processEvents();
    const double took = elapsed.nsecsElapsed() / 1e6;
    const double worst = counter.paintMs.empty()
                             ? 0
                             : *std::max_element(counter.paintMs.begin(), counter.paintMs.end());
    const int frames = int(counter.paintMs.size());
    const bool zoomMet = frames >= BarChart::ZoomSteps && worst <= interval &&
                         took <= BarChart::ZoomSteps * interval * 1.25;
    out << "zoom animation at 500 x 300: " << frames << " frames painted in "
        << QString::number(took, 'f', 1) << " ms (timer " << BarChart::ZoomSteps << " x "
        << interval << " ms), slowest frame " << QString::number(worst, 'f', 2) << " ms, median "
        << QString::number(counter.paintMs.empty() ? 0 : median(counter.paintMs), 'f', 2)
        << " ms; goal 10 frames, none over " << interval << " ms: " << (zoomMet ? "met" : "NOT met")
        << Qt::endl;
    return redrawMet && zoomMet ? 0 : 2;
}
