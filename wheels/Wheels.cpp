#include "wheels/Wheels.h"

#include "lines/CheckFile.h"
#include "lines/CheckFileDialog.h"
#include "controls/DrawListFont.h"
#include "platform/Clock.h"
#include "platform/DialogService.h"
#include "platform/Platform.h"
#include "platform/PrintOrSave.h"
#include "state/AppContext.h"
#include "state/LotteryState.h"
#include "wheels/PlayerNumbers.h"
#include "wheels/WheelJob.h"
#include "wheels/WheelPage.h"
#include "wheels/WheelTexts.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

constexpr int PollMs = 100;
constexpr int DefaultMatch = 3;
constexpr int DefaultEffortSeconds = 10;

QSpinBox* spinBox(const char* name, int low, int high, int value) {
    auto* spin = new QSpinBox;
    spin->setObjectName(QLatin1String(name));
    spin->setRange(low, high);
    spin->setValue(value);
    return spin;
}

QPushButton* button(const char* name, const QString& text) {
    auto* push = new QPushButton(text);
    push->setObjectName(QLatin1String(name));
    push->setAutoDefault(false);
    return push;
}

QLabel* caption(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TWheels::TWheels(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context), lineSize_(context.state.PickCount),
      low_(context.state.LowNumber), highest_(context.state.RandomBound - 1) {
    setObjectName(QStringLiteral("Wheels"));
    setWindowTitle(QStringLiteral("Wheels"));
    buildControls();
    list_ = CheckFile::headerLines();
    linesList_->setPlainText(list_.join(u'\n'));
    poll_.setInterval(PollMs);
    connect(&poll_, &QTimer::timeout, this, &TWheels::pollSearch);
    connect(buildButton_, &QPushButton::clicked, this, &TWheels::BuildButtonClick);
    connect(matchSpin_, &QSpinBox::valueChanged, this, &TWheels::MatchSpinChange);
    connect(saveButton_, &QPushButton::clicked, this, &TWheels::SaveButtonClick);
    connect(printButton_, &QPushButton::clicked, this, &TWheels::PrintButtonClick);
    connect(closeButton_, &QPushButton::clicked, this, &TWheels::close);
    MatchSpinChange();
}

TWheels::~TWheels() {
    stopAndWait();
}

void TWheels::buildControls() {
    QFont font = this->font();
    font.setPointSize(8);
    setFont(font);

    numbersEdit_ = new QLineEdit;
    numbersEdit_->setObjectName(QStringLiteral("NumbersEdit"));
    numbersEdit_->setPlaceholderText(QStringLiteral("for example 1-12, 17 23 38"));
    const int k = std::max(2, lineSize_);
    matchSpin_ = spinBox("MatchSpin", 2, k, std::min(DefaultMatch, k));
    ifSpin_ = spinBox("IfSpin", matchSpin_->value(), k, matchSpin_->value());
    effortSpin_ = spinBox("EffortSpin", 1, 600, DefaultEffortSeconds);
    buildButton_ = button("BuildButton", QStringLiteral("&Build"));
    buildButton_->setDefault(true);
    progressBar_ = new QProgressBar;
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setTextVisible(true);
    progressBar_->setFormat(QString());
    progressBar_->setValue(0);

    linesList_ = new QPlainTextEdit;
    linesList_->setObjectName(QStringLiteral("LinesList"));
    linesList_->setReadOnly(true);
    linesList_->setLineWrapMode(QPlainTextEdit::NoWrap);
    linesList_->setMinimumSize(260, 260);
    useDrawListFont(*linesList_);
    summaryLabel_ = new QLabel;
    summaryLabel_->setObjectName(QStringLiteral("SummaryLabel"));
    summaryLabel_->setWordWrap(true);
    summaryLabel_->setMinimumWidth(260);
    summaryLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    oddsText_ = new QPlainTextEdit;
    oddsText_->setObjectName(QStringLiteral("OddsText"));
    oddsText_->setReadOnly(true);
    // Wide enough for the longest exact row; an estimate's longer rows wrap.
    oddsText_->setMinimumWidth(oddsText_->fontMetrics().horizontalAdvance(QStringLiteral(
                                   "6 or more on one line: 1 in 13,983,816 (0.00000715 %)")) +
                               2 * oddsText_->document()->documentMargin() +
                               oddsText_->frameWidth() * 2 +
                               oddsText_->verticalScrollBar()->sizeHint().width());
    saveButton_ = button("SaveButton", QStringLiteral("&Save"));
    printButton_ = button("PrintButton", QStringLiteral("&Print"));
    closeButton_ = button("CloseButton", QStringLiteral("&Close"));
    saveButton_->setEnabled(false);
    printButton_->setEnabled(false);
    statusBar_ = new QStatusBar;
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setSizeGripEnabled(false);

    auto* guarantee = new QHBoxLayout;
    guarantee->addWidget(caption(QStringLiteral("&Match"), matchSpin_));
    guarantee->addWidget(matchSpin_);
    guarantee->addWidget(caption(QStringLiteral("&if"), ifSpin_));
    guarantee->addWidget(ifSpin_);
    guarantee->addWidget(new QLabel(QStringLiteral("of the drawn numbers are mine")));
    guarantee->addStretch();
    guarantee->addWidget(caption(QStringLiteral("Search for (s&econds)"), effortSpin_));
    guarantee->addWidget(effortSpin_);
    guarantee->addWidget(buildButton_);

    auto* results = new QVBoxLayout;
    results->addWidget(summaryLabel_);
    results->addWidget(new QLabel(QStringLiteral("Chances in one draw of the game")));
    results->addWidget(oddsText_, 1);

    auto* lists = new QHBoxLayout;
    lists->addWidget(linesList_, 1);
    lists->addLayout(results, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(printButton_);
    buttons->addWidget(saveButton_);
    buttons->addWidget(closeButton_);

    auto* page = new QVBoxLayout(this);
    auto* numbers = new QHBoxLayout;
    numbers->addWidget(caption(QStringLiteral("Your &numbers"), numbersEdit_));
    numbers->addWidget(numbersEdit_, 1);
    page->addLayout(numbers);
    page->addLayout(guarantee);
    page->addWidget(progressBar_);
    page->addLayout(lists, 1);
    page->addLayout(buttons);
    page->addWidget(statusBar_);
    page->setContentsMargins(8, 8, 8, 0);
}

void TWheels::MatchSpinChange() {
    ifSpin_->setMinimum(matchSpin_->value());
}

void TWheels::BuildButtonClick() {
    if (job_) {
        job_->stop();
        buildButton_->setEnabled(false);
        statusBar_->showMessage(QStringLiteral("Stopping: checking the best wheel found"));
        return;
    }
    startSearch();
}

void TWheels::startSearch() {
    const PlayerNumbers numbers =
        ReadPlayerNumbers(numbersEdit_->text(), low_, highest_, lineSize_);
    if (!numbers.ok()) {
        context_.platform.dialogs.warning(this, numbers.problem);
        return;
    }
    terms_ =
        WheelTerms{int(numbers.numbers.size()), lineSize_, matchSpin_->value(), ifSpin_->value()};
    const QString problem = WheelTermsProblem(terms_);
    if (!problem.isEmpty()) {
        context_.platform.dialogs.warning(this, problem);
        return;
    }
    WheelSearchLimits limits;
    limits.effortSeconds = effortSpin_->value();
    limits.seed = quint64(context_.platform.clock.millisecondsSinceMidnightUtc()) + 1;
    job_ = std::make_unique<WheelJob>(terms_, numbers.numbers, highest_, limits);
    progressBar_->setRange(0, effortSpin_->value() * 10);
    progressBar_->setValue(0);
    setSearching(true);
    elapsed_.start();
    job_->start();
    poll_.start();
}

void TWheels::setSearching(bool searching) {
    buildButton_->setText(searching ? QStringLiteral("&Stop") : QStringLiteral("&Build"));
    buildButton_->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{numbersEdit_, matchSpin_, ifSpin_,
                                                      effortSpin_, saveButton_, printButton_})
        w->setEnabled(!searching);
    if (!searching) {
        saveButton_->setEnabled(list_.size() > CheckFile::headerLines().size());
        printButton_->setEnabled(saveButton_->isEnabled());
    }
}

void TWheels::pollSearch() {
    if (!job_)
        return;
    const qint64 ms = elapsed_.elapsed();
    progressBar_->setValue(std::min<int>(progressBar_->maximum(), int(ms / 100)));
    progressBar_->setFormat(QStringLiteral("%1 s of %2 s")
                                .arg(QString::number(double(ms) / 1000, 'f', 1))
                                .arg(effortSpin_->value()));
    if (const int best = job_->bestLineCount(); best > 0 && buildButton_->isEnabled())
        statusBar_->showMessage(QStringLiteral("Best so far: %1 lines").arg(best));
    if (job_->finished())
        endSearch();
}

void TWheels::endSearch() {
    poll_.stop();
    const std::unique_ptr<WheelJob> job = std::move(job_);
    const WheelResult& result = job->result();
    const qint64 ms = elapsed_.elapsed();
    progressBar_->setValue(std::min<int>(progressBar_->maximum(), int(ms / 100)));
    if (result.lines.isEmpty()) {
        statusBar_->showMessage(QStringLiteral("Stopped before a wheel was built"));
        setSearching(false);
        return;
    }
    list_ = WheelTexts::checkFileLines(result.lines, highest_);
    wheelNumbers_ = job->playerNumbers();
    linesList_->setPlainText(list_.join(u'\n'));
    summaryLabel_->setText(WheelTexts::summary(terms_, int(result.lines.size()), result.check));
    oddsText_->setPlainText(WheelTexts::oddsRows(result.odds, lineSize_).join(u'\n'));
    statusBar_->showMessage(
        result.reachedLowerBound
            ? QStringLiteral("%1 lines, found in %2 s: no wheel of this kind has fewer")
                  .arg(result.lines.size())
                  .arg(QString::number(double(result.msToBest) / 1000, 'f', 1))
            : QStringLiteral("%1 lines, the fewest found in %2 s")
                  .arg(result.lines.size())
                  .arg(QString::number(double(ms) / 1000, 'f', 1)));
    setSearching(false);
}

void TWheels::SaveButtonClick() {
    saveCheckFileAs(this, context_.platform.dialogs, list_);
}

void TWheels::PrintButtonClick() {
    printTextOrSave(this, context_.platform,
                    WheelPage::page(context_.state, wheelNumbers_, summaryLabel_->text(),
                                    oddsText_->toPlainText().split(u'\n'), list_));
}

void TWheels::stopAndWait() {
    poll_.stop();
    if (job_)
        job_->cancel();
    job_.reset();
}

// Closing during a search stops it first: the thread must not outlive the window.
void TWheels::closeEvent(QCloseEvent* event) {
    stopAndWait();
    event->accept();
}

void TWheels::reject() {
    stopAndWait();
    QDialog::reject();
}
