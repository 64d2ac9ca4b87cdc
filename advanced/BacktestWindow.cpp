#include "advanced/BacktestWindow.h"

#include "advanced/BacktestJob.h"
#include "advanced/BacktestReport.h"
#include "lines/RandomGenerator.h"
#include "platform/Clock.h"
#include "platform/Platform.h"
#include "state/AppContext.h"
#include "state/GroupedCount.h"
#include "state/LotteryState.h"

#include <QFontDatabase>
#include <QPlainTextEdit>

namespace {

constexpr int ReportRows = 27;

} // namespace

TBacktest::TBacktest(AppContext& context, const Composition& composition, int linesPerDraw,
                     QWidget* parent)
    : TReportRunWindow(context, {QStringLiteral("Save Back-test Report"),
                                 QStringLiteral("Back-test"), QString()},
                       parent) {
    setObjectName(QStringLiteral("Backtest"));
    setWindowTitle(QStringLiteral("Back-test"));
    // The table of hits lines up in columns of blanks, as in the saved file.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(font().pointSize() > 0 ? font().pointSize() : fixed.pointSize());
    reportText()->setFont(fixed);
    reportText()->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Wide enough for the rows of figures and the name of the test; the sentences may wrap.
    setReportRoom(QFontMetrics(fixed).horizontalAdvance(
                      QStringLiteral("Test: paired Student's t-test of the mean hits a "
                                     "line, draw by draw (two-sided)")),
                  ReportRows);

    BacktestSetup setup;
    setup.pick = context.state.DataPick;
    setup.highest = context.state.DataRandom;
    setup.composition = composition;
    setup.linesPerDraw = linesPerDraw;
    setup.seed =
        RandomGenerator::seedFromTimeOfDay(context.platform.clock.millisecondsSinceMidnightUtc());
    auto job = std::make_shared<BacktestJob>(backtestDraws(context.table), setup);
    BacktestJob* j = job.get();
    const QString opening = QStringLiteral("Testing %1 Hot, %2 Avg, %3 Cold and %4 Random "
                                           "over %5 draws, %6 lines a draw")
                                .arg(composition.hot)
                                .arg(composition.average)
                                .arg(composition.cold)
                                .arg(composition.random)
                                .arg(groupedCount(j->drawsToTest()))
                                .arg(linesPerDraw);
    job->start();
    startRun(ReportRunOf(std::move(job), [j] { return j->drawsToTest(); },
                         [j, setup] {
                             const BacktestTally tally = j->result();
                             return backtestReport(setup, tally, j->storedDraws(),
                                                   j->stopped());
                         }),
             opening);
}
