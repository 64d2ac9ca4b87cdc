#include "controls/ReportRunWindow.h"

#include "lines/ListPage.h"
#include "platform/DialogService.h"
#include "platform/Platform.h"
#include "platform/PrintOrSave.h"
#include "platform/SafeFile.h"
#include "state/AppContext.h"
#include "state/GroupedCount.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

constexpr int PollMs = 50;

QPushButton* button(const char* name, const QString& text) {
    auto* push = new QPushButton(text);
    push->setObjectName(QLatin1String(name));
    push->setAutoDefault(false);
    return push;
}

} // namespace

TReportRunWindow::TReportRunWindow(AppContext& context, const ReportRunTexts& texts,
                                   QWidget* parent)
    : QDialog(parent), context_(context), texts_(texts) {
    progressBar_ = new QProgressBar;
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setTextVisible(true);
    stopButton_ = button("StopButton", QStringLiteral("S&top"));
    reportText_ = new QPlainTextEdit;
    reportText_->setObjectName(QStringLiteral("ReportText"));
    reportText_->setReadOnly(true);
    if (!texts_.printTitle.isEmpty()) {
        printButton_ = button("PrintButton", QStringLiteral("&Print"));
        printButton_->setEnabled(false);
        connect(printButton_, &QPushButton::clicked, this, &TReportRunWindow::PrintButtonClick);
    }
    saveButton_ = button("SaveButton", QStringLiteral("&Save"));
    saveButton_->setEnabled(false);
    closeButton_ = button("CloseButton", QStringLiteral("&Close"));

    auto* progress = new QHBoxLayout;
    progress->addWidget(progressBar_, 1);
    progress->addWidget(stopButton_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    if (printButton_)
        buttons->addWidget(printButton_);
    buttons->addWidget(saveButton_);
    buttons->addWidget(closeButton_);
    auto* page = new QVBoxLayout(this);
    page->addLayout(progress);
    page->addWidget(reportText_, 1);
    page->addLayout(buttons);

    poll_.setInterval(PollMs);
    connect(&poll_, &QTimer::timeout, this, &TReportRunWindow::pollRun);
    connect(stopButton_, &QPushButton::clicked, this, &TReportRunWindow::StopButtonClick);
    connect(saveButton_, &QPushButton::clicked, this, &TReportRunWindow::SaveButtonClick);
    connect(closeButton_, &QPushButton::clicked, this, &TReportRunWindow::close);
}

TReportRunWindow::~TReportRunWindow() {
    stopAndWait();
}

void TReportRunWindow::setReportRoom(int textWidth, int rows) {
    const QFontMetrics metrics(reportText_->font());
    reportText_->setMinimumSize(textWidth +
                                    2 * int(std::ceil(reportText_->document()->documentMargin())) +
                                    2 * reportText_->frameWidth() +
                                    reportText_->verticalScrollBar()->sizeHint().width(),
                                metrics.lineSpacing() * rows);
}

void TReportRunWindow::startRun(ReportRun run, const QString& opening) {
    run_ = std::move(run);
    progressBar_->setRange(0, std::max(1, run_.drawsToDo()));
    showProgress(0, run_.drawsToDo());
    reportText_->setPlainText(opening);
    poll_.start();
}

void TReportRunWindow::pollRun() {
    if (!run_.job)
        return;
    showProgress(run_.drawsDone(), run_.drawsToDo());
    if (run_.finished())
        endRun();
}

// "N of M draws", grouped as the reports group them.
void TReportRunWindow::showProgress(int done, int total) {
    progressBar_->setValue(std::min(done, progressBar_->maximum()));
    progressBar_->setFormat(
        QStringLiteral("%1 of %2 draws").arg(groupedCount(done), groupedCount(total)));
}

void TReportRunWindow::endRun() {
    poll_.stop();
    const ReportRun run = std::move(run_);
    run_ = {};
    report_ = run.report();
    // A run shorter than a poll still ends on a full bar ("3,612 of 3,612 draws"); a stopped
    // one shows how far it came.
    showProgress(run.drawsDone(), run.drawsToDo());
    if (!run.stopped())
        progressBar_->setValue(progressBar_->maximum());
    reportText_->setPlainText(report_.join(u'\n'));
    stopButton_->setEnabled(false);
    if (printButton_)
        printButton_->setEnabled(true);
    saveButton_->setEnabled(true);
}

void TReportRunWindow::StopButtonClick() {
    if (!run_.job)
        return;
    run_.stop();
    stopButton_->setEnabled(false);
}

void TReportRunWindow::PrintButtonClick() {
    if (!report_.isEmpty() && !texts_.printTitle.isEmpty())
        printTextOrSave(this, context_.platform,
                        ListPage::page(context_.state, report_, texts_.printTitle));
}

void TReportRunWindow::SaveButtonClick() {
    if (report_.isEmpty())
        return;
    FileDialogOptions options;
    options.title = texts_.saveTitle;
    options.filter = QStringLiteral("Text File *.txt (*.txt *.TXT)");
    options.defaultExtension = QStringLiteral("txt");
    options.initialName = texts_.fileName;
    options.confirmOverwrite = true;
    const QString fileName = context_.platform.dialogs.saveFileName(this, options);
    if (fileName.isEmpty())
        return;
    const QString error = writeTextReport(fileName, report_);
    if (!error.isEmpty())
        context_.platform.dialogs.error(this, error);
}

// The threads read the job's own copies, yet must not outlive the window.
void TReportRunWindow::stopAndWait() {
    poll_.stop();
    if (run_.job) {
        run_.stop();
        run_.wait();
    }
    run_ = {};
}

void TReportRunWindow::closeEvent(QCloseEvent* event) {
    stopAndWait();
    event->accept();
}

void TReportRunWindow::reject() {
    stopAndWait();
    QDialog::reject();
}
