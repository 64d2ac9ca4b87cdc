#include "tickets/HistoryCheckWindow.h"

#include "tickets/HistoryCheck.h"

#include "controls/DrawListFont.h"
#include "database/DrawTable.h"
#include "lines/ListPage.h"
#include "platform/Clock.h"
#include "platform/DialogService.h"
#include "platform/Platform.h"
#include "platform/PrintOrSave.h"
#include "platform/SafeFile.h"
#include "state/AppContext.h"
#include "state/GroupedCount.h"
#include "state/LotteryState.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr int PollMs = 50;
constexpr int ReportRows = 20;
constexpr int ReportColumns = 64;

QPushButton* button(const char* name, const QString& text) {
    auto* push = new QPushButton(text);
    push->setObjectName(QLatin1String(name));
    push->setAutoDefault(false);
    return push;
}

} // namespace

THistoryCheck::THistoryCheck(AppContext& context, const QStringList& lineTexts,
                             const QVector<TicketLine>& lines, QWidget* parent)
    : QDialog(parent), context_(context), lineTexts_(lineTexts),
      game_(ticketGameOf(context.state)) {
    setObjectName(QStringLiteral("HistoryCheck"));
    setWindowTitle(QStringLiteral("Against All Draws"));
    buildControls();

    job_ = std::make_unique<HistoryCheckJob>(
        lines, ticketDrawsOf(context.table, context.platform.clock.shortDateFormat()), game_);
    progressBar_->setRange(0, qMax(1, job_->drawsToCheck()));
    showProgress(0);
    reportText_->setPlainText(QStringLiteral("Checking %1 lines against %2 draws")
                                  .arg(groupedCount(lineTexts.size()),
                                       groupedCount(job_->drawsToCheck())));
    poll_.setInterval(PollMs);
    connect(&poll_, &QTimer::timeout, this, &THistoryCheck::pollRun);
    connect(stopButton_, &QPushButton::clicked, this, &THistoryCheck::StopButtonClick);
    connect(printButton_, &QPushButton::clicked, this, &THistoryCheck::PrintButtonClick);
    connect(saveButton_, &QPushButton::clicked, this, &THistoryCheck::SaveButtonClick);
    connect(closeButton_, &QPushButton::clicked, this, &THistoryCheck::close);
    job_->start();
    poll_.start();
}

THistoryCheck::~THistoryCheck() {
    stopAndWait();
}

void THistoryCheck::buildControls() {
    progressBar_ = new QProgressBar;
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setTextVisible(true);
    stopButton_ = button("StopButton", QStringLiteral("S&top"));
    reportText_ = new QPlainTextEdit;
    reportText_->setObjectName(QStringLiteral("ReportText"));
    reportText_->setReadOnly(true);
    reportText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    useDrawListFont(*reportText_);
    printButton_ = button("PrintButton", QStringLiteral("&Print"));
    saveButton_ = button("SaveButton", QStringLiteral("&Save"));
    for (QPushButton* push : {printButton_, saveButton_})
        push->setEnabled(false);
    closeButton_ = button("CloseButton", QStringLiteral("&Close"));

    const QFontMetrics metrics(reportText_->font());
    reportText_->setMinimumSize(metrics.horizontalAdvance(QString(ReportColumns, u'8')) +
                                    2 * reportText_->frameWidth() +
                                    reportText_->verticalScrollBar()->sizeHint().width() + 8,
                                metrics.lineSpacing() * ReportRows);

    auto* progress = new QHBoxLayout;
    progress->addWidget(progressBar_, 1);
    progress->addWidget(stopButton_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(printButton_);
    buttons->addWidget(saveButton_);
    buttons->addWidget(closeButton_);
    auto* page = new QVBoxLayout(this);
    page->addLayout(progress);
    page->addWidget(reportText_, 1);
    page->addLayout(buttons);
}

void THistoryCheck::pollRun() {
    if (!job_)
        return;
    showProgress(job_->drawsDone());
    if (job_->finished())
        endRun();
}

void THistoryCheck::showProgress(int done) {
    progressBar_->setValue(done);
    progressBar_->setFormat(QStringLiteral("%1 of %2 draws")
                                .arg(groupedCount(done), groupedCount(job_->drawsToCheck())));
}

void THistoryCheck::endRun() {
    poll_.stop();
    const std::unique_ptr<HistoryCheckJob> job = std::move(job_);
    const HistoryTally tally = job->result();
    progressBar_->setValue(job->drawsDone());
    progressBar_->setFormat(QStringLiteral("%1 of %2 draws")
                                .arg(groupedCount(job->drawsDone()),
                                     groupedCount(job->drawsToCheck())));
    report_ = historyReport(tally, lineTexts_, job->draws(), game_, job->stopped());
    reportText_->setPlainText(report_.join(u'\n'));
    stopButton_->setEnabled(false);
    printButton_->setEnabled(true);
    saveButton_->setEnabled(true);
}

void THistoryCheck::StopButtonClick() {
    if (!job_)
        return;
    job_->stop();
    stopButton_->setEnabled(false);
}

void THistoryCheck::PrintButtonClick() {
    if (!report_.isEmpty())
        printTextOrSave(this, context_.platform,
                        ListPage::page(context_.state, report_, QStringLiteral("Against all draws")));
}

void THistoryCheck::SaveButtonClick() {
    if (report_.isEmpty())
        return;
    FileDialogOptions options;
    options.title = QStringLiteral("Save Report");
    options.filter = QStringLiteral("Text File *.txt (*.txt *.TXT)");
    options.defaultExtension = QStringLiteral("txt");
    options.initialName = QStringLiteral("Against all draws");
    options.confirmOverwrite = true;
    const QString fileName = context_.platform.dialogs.saveFileName(this, options);
    if (fileName.isEmpty())
        return;
    const QString error = writeTextReport(fileName, report_);
    if (!error.isEmpty())
        context_.platform.dialogs.error(this, error);
}

// The threads read the job's own copies, yet must not outlive the window.
void THistoryCheck::stopAndWait() {
    poll_.stop();
    if (job_) {
        job_->stop();
        job_->result();
    }
    job_.reset();
}

void THistoryCheck::closeEvent(QCloseEvent* event) {
    stopAndWait();
    event->accept();
}

void THistoryCheck::reject() {
    stopAndWait();
    QDialog::reject();
}
