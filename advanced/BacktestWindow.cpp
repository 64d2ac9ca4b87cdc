#include "advanced/BacktestWindow.h"

#include "advanced/BacktestJob.h"
#include "advanced/BacktestReport.h"
#include "state/AppContext.h"
#include "state/LotteryState.h"
#include "lines/RandomGenerator.h"
#include "platform/Clock.h"
#include "platform/DialogService.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr int PollMs = 50;
constexpr int ReportRows = 17;

QPushButton* button(const char* name, const QString& text) {
    auto* push = new QPushButton(text);
    push->setObjectName(QLatin1String(name));
    push->setAutoDefault(false);
    return push;
}

} // namespace

TBacktest::TBacktest(AppContext& context, const Composition& composition, int linesPerDraw,
                     QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("Backtest"));
    setWindowTitle(QStringLiteral("Back-test"));
    setup_.pick = context.state.DataPick;
    setup_.highest = context.state.DataRandom;
    setup_.composition = composition;
    setup_.linesPerDraw = linesPerDraw;
    setup_.seed =
        RandomGenerator::seedFromTimeOfDay(context.platform.clock.millisecondsSinceMidnightUtc());
    buildControls();

    job_ = std::make_unique<BacktestJob>(backtestDraws(context.table), setup_);
    progressBar_->setRange(0, std::max(1, job_->drawsToTest()));
    progressBar_->setValue(0);
    progressBar_->setFormat(QStringLiteral("%v of %1 draws").arg(job_->drawsToTest()));
    reportText_->setPlainText(QStringLiteral("Testing %1 Hot, %2 Avg, %3 Cold and %4 Random "
                                             "over %5 draws, %6 lines a draw")
                                  .arg(composition.hot)
                                  .arg(composition.average)
                                  .arg(composition.cold)
                                  .arg(composition.random)
                                  .arg(job_->drawsToTest())
                                  .arg(linesPerDraw));
    poll_.setInterval(PollMs);
    connect(&poll_, &QTimer::timeout, this, &TBacktest::pollRun);
    connect(stopButton_, &QPushButton::clicked, this, &TBacktest::StopButtonClick);
    connect(saveButton_, &QPushButton::clicked, this, &TBacktest::SaveButtonClick);
    connect(closeButton_, &QPushButton::clicked, this, &TBacktest::close);
    job_->start();
    poll_.start();
}

TBacktest::~TBacktest() {
    stopAndWait();
}

void TBacktest::buildControls() {
    progressBar_ = new QProgressBar;
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setTextVisible(true);
    stopButton_ = button("StopButton", QStringLiteral("S&top"));
    reportText_ = new QPlainTextEdit;
    reportText_->setObjectName(QStringLiteral("ReportText"));
    reportText_->setReadOnly(true);
    saveButton_ = button("SaveButton", QStringLiteral("&Save"));
    saveButton_->setEnabled(false);
    closeButton_ = button("CloseButton", QStringLiteral("&Close"));

    // Wide enough for the rows of figures and the name of the test; the sentence may wrap.
    const QString widest = QStringLiteral("Test: paired z-test of the mean hits a line, draw by "
                                          "draw (normal approximation, two-sided)");
    const QFontMetrics metrics(reportText_->font());
    reportText_->setMinimumSize(metrics.horizontalAdvance(widest) +
                                    2 * int(std::ceil(reportText_->document()->documentMargin())) +
                                    2 * reportText_->frameWidth() +
                                    reportText_->verticalScrollBar()->sizeHint().width(),
                                metrics.lineSpacing() * ReportRows);

    auto* progress = new QHBoxLayout;
    progress->addWidget(progressBar_, 1);
    progress->addWidget(stopButton_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton_);
    buttons->addWidget(closeButton_);
    auto* page = new QVBoxLayout(this);
    page->addLayout(progress);
    page->addWidget(reportText_, 1);
    page->addLayout(buttons);
}

void TBacktest::pollRun() {
    if (!job_)
        return;
    progressBar_->setValue(job_->drawsDone());
    if (job_->finished())
        endRun();
}

void TBacktest::endRun() {
    poll_.stop();
    const std::unique_ptr<BacktestJob> job = std::move(job_);
    const BacktestTally tally = job->result();
    progressBar_->setValue(job->drawsDone());
    report_ = backtestReport(setup_, tally, job->drawsToTest(), job->stopped());
    reportText_->setPlainText(report_.join(u'\n'));
    stopButton_->setEnabled(false);
    saveButton_->setEnabled(true);
}

void TBacktest::StopButtonClick() {
    if (!job_)
        return;
    job_->stop();
    stopButton_->setEnabled(false);
}

void TBacktest::SaveButtonClick() {
    if (report_.isEmpty())
        return;
    FileDialogOptions options;
    options.title = QStringLiteral("Save Back-test Report");
    options.filter = QStringLiteral("Text File *.txt (*.txt *.TXT)");
    options.defaultExtension = QStringLiteral("txt");
    options.initialName = QStringLiteral("Back-test");
    options.confirmOverwrite = true;
    const QString fileName = context_.platform.dialogs.saveFileName(this, options);
    if (fileName.isEmpty())
        return;
    const QString error = writeBacktestReport(fileName, report_);
    if (!error.isEmpty())
        context_.platform.dialogs.error(this, error);
}

// The threads read the job's own copy of the draws, yet must not outlive the window.
void TBacktest::stopAndWait() {
    poll_.stop();
    if (job_) {
        job_->stop();
        job_->result();
    }
    job_.reset();
}

// Closing during a run stops it first.
void TBacktest::closeEvent(QCloseEvent* event) {
    stopAndWait();
    event->accept();
}

void TBacktest::reject() {
    stopAndWait();
    QDialog::reject();
}
