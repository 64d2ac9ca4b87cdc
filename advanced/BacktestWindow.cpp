#include "advanced/BacktestWindow.h"

#include "advanced/BacktestJob.h"
#include "advanced/BacktestReport.h"
#include "advanced/PlainNumbers.h"
#include "lines/RandomGenerator.h"
#include "platform/Clock.h"
#include "platform/DialogService.h"
#include "platform/Platform.h"
#include "platform/SafeFile.h"
#include "state/AppContext.h"
#include "state/LotteryState.h"

#include <QCloseEvent>
#include <QFontDatabase>
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
constexpr int ReportRows = 27;

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
    showProgress(0);
    reportText_->setPlainText(QStringLiteral("Testing %1 Hot, %2 Avg, %3 Cold and %4 Random "
                                             "over %5 draws, %6 lines a draw")
                                  .arg(composition.hot)
                                  .arg(composition.average)
                                  .arg(composition.cold)
                                  .arg(composition.random)
                                  .arg(groupedCount(job_->drawsToTest()))
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
    // The table of hits lines up in columns of blanks, as in the saved file.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(font().pointSize() > 0 ? font().pointSize() : fixed.pointSize());
    reportText_->setFont(fixed);
    reportText_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    saveButton_ = button("SaveButton", QStringLiteral("&Save"));
    saveButton_->setEnabled(false);
    closeButton_ = button("CloseButton", QStringLiteral("&Close"));

    // Wide enough for the rows of figures and the name of the test; the sentences may wrap.
    const QString widest = QStringLiteral("Test: paired Student's t-test of the mean hits a "
                                          "line, draw by draw (two-sided)");
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

// "N of M draws", grouped as the report groups them.
void TBacktest::showProgress(int done) {
    const int total = job_ ? job_->drawsToTest() : progressBar_->maximum();
    progressBar_->setValue(std::min(done, progressBar_->maximum()));
    progressBar_->setFormat(
        QStringLiteral("%1 of %2 draws").arg(groupedCount(done), groupedCount(total)));
}

void TBacktest::pollRun() {
    if (!job_)
        return;
    showProgress(job_->drawsDone());
    if (job_->finished())
        endRun();
}

void TBacktest::endRun() {
    poll_.stop();
    const std::unique_ptr<BacktestJob> job = std::move(job_);
    const BacktestTally tally = job->result();
    // A run shorter than a poll still ends on a full bar ("3,612 of 3,612 draws"); a stopped
    // one shows how far it came.
    progressBar_->setRange(0, std::max(1, job->drawsToTest()));
    const int done = job->drawsDone();
    progressBar_->setValue(job->stopped() ? done : progressBar_->maximum());
    progressBar_->setFormat(
        QStringLiteral("%1 of %2 draws").arg(groupedCount(done), groupedCount(job->drawsToTest())));
    report_ = backtestReport(setup_, tally, job->storedDraws(), job->stopped());
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
    const QString error = writeTextReport(fileName, report_);
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
