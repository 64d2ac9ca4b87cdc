#include "wheels/Wheels.h"

#include "controls/DrawListFont.h"
#include "controls/SteppedText.h"
#include "lines/CheckFile.h"
#include "lines/CheckFileDialog.h"
#include "platform/Clock.h"
#include "platform/DialogService.h"
#include "platform/Platform.h"
#include "platform/PrintOrSave.h"
#include "state/AppContext.h"
#include "state/GameRules.h"
#include "state/GroupedCount.h"
#include "state/LotteryState.h"
#include "wheels/PlayerNumbers.h"
#include "wheels/WheelFile.h"
#include "wheels/WheelJob.h"
#include "wheels/WheelPage.h"
#include "wheels/WheelPrizes.h"
#include "wheels/WheelTexts.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
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
constexpr int DefaultBudget = 20;

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
      low_(context.state.LowNumber), highest_(context.state.RandomBound - 1),
      rules_(RulesForWheel(context.state, lineSize_, highest_)) {
    setObjectName(QStringLiteral("Wheels"));
    setWindowTitle(QStringLiteral("Wheels"));
    buildControls();
    list_ = CheckFile::headerLines();
    linesShown_->show(list_);
    poll_.setInterval(PollMs);
    connect(&poll_, &QTimer::timeout, this, &TWheels::pollSearch);
    connect(buildButton_, &QPushButton::clicked, this, &TWheels::BuildButtonClick);
    connect(matchSpin_, &QSpinBox::valueChanged, this, &TWheels::MatchSpinChange);
    connect(goalCombo_, &QComboBox::currentIndexChanged, this, &TWheels::GoalComboChange);
    connect(saveButton_, &QPushButton::clicked, this, &TWheels::SaveButtonClick);
    connect(loadWheelButton_, &QPushButton::clicked, this, &TWheels::LoadWheelButtonClick);
    connect(printButton_, &QPushButton::clicked, this, &TWheels::PrintButtonClick);
    connect(closeButton_, &QPushButton::clicked, this, &TWheels::close);
    MatchSpinChange();
    GoalComboChange();
}

TWheels::~TWheels() {
    cancelSearch();
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
    goalCombo_ = new QComboBox;
    goalCombo_->setObjectName(QStringLiteral("GoalCombo"));
    goalCombo_->addItems({QStringLiteral("Fewest lines for a guarantee"),
                          QStringLiteral("Best chance for a number of lines")});
    budgetSpin_ = spinBox("BudgetSpin", 1, 500, DefaultBudget);
    keyEdit_ = new QLineEdit;
    keyEdit_->setObjectName(QStringLiteral("KeyEdit"));
    keyEdit_->setPlaceholderText(QStringLiteral("on every line"));
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
    useDrawListFont(*linesList_);
    linesShown_ = new SteppedText(linesList_);
    // Wide enough for a line of the game with its extra numbers, whole.
    const GameRules& game = rules_;
    QString widest = WheelTexts::checkFileLines(
                         {PlayedLine{QVector<int>(lineSize_, 88),
                                     QVector<int>(game.hasSecondDrum() ? game.extraCount : 0, 88)}},
                         highest_)
                         .last();
    linesList_->setMinimumSize(
        std::max(260, linesList_->fontMetrics().horizontalAdvance(widest) +
                          2 * int(linesList_->document()->documentMargin()) +
                          2 * linesList_->frameWidth() +
                          linesList_->verticalScrollBar()->sizeHint().width()),
        260);
    summaryLabel_ = new QLabel;
    summaryLabel_->setObjectName(QStringLiteral("SummaryLabel"));
    summaryLabel_->setWordWrap(true);
    summaryLabel_->setMinimumWidth(260);
    summaryLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for a summary of two lines, so a long one never runs over the boxes above it.
    summaryLabel_->setMinimumHeight(2 * fontMetrics().lineSpacing() + 2);
    oddsText_ = new QPlainTextEdit;
    oddsText_->setObjectName(QStringLiteral("OddsText"));
    oddsText_->setReadOnly(true);
    // Wide enough for the longest exact row; an estimate's longer rows wrap.
    oddsText_->setMinimumWidth(oddsText_->fontMetrics().horizontalAdvance(QStringLiteral(
                                   "6 or more on one line: 1 in 13,983,816 (0.00000715 %)")) +
                               2 * oddsText_->document()->documentMargin() +
                               oddsText_->frameWidth() * 2 +
                               oddsText_->verticalScrollBar()->sizeHint().width());
    extraEdit_ = new QLineEdit(this); // owned even when not laid out
    extraEdit_->setObjectName(QStringLiteral("ExtraEdit"));
    extraEdit_->setPlaceholderText(QStringLiteral("for example 4 12 19"));
    everyExtraCheck_ = new QCheckBox(QStringLiteral("Every line &gets each"), this);
    everyExtraCheck_->setObjectName(QStringLiteral("EveryExtraCheck"));
    loadWheelButton_ = button("LoadWheelButton", QStringLiteral("Check a &wheel file..."));
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

    // The two boxes under captions on one row, so each caption sits on what it names whether
    // the boxes are empty or full; the summary, of any length, goes below both.
    auto* lists = new QGridLayout;
    lists->addWidget(caption(QStringLiteral("&Lines of the wheel"), linesList_), 0, 0);
    lists->addWidget(caption(QStringLiteral("Chances in one draw of the game"), oddsText_), 0, 1);
    lists->addWidget(linesList_, 1, 0);
    lists->addWidget(oddsText_, 1, 1);
    lists->setRowStretch(1, 1);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(loadWheelButton_);
    buttons->addStretch();
    buttons->addWidget(printButton_);
    buttons->addWidget(saveButton_);
    buttons->addWidget(closeButton_);

    auto* page = new QVBoxLayout(this);
    auto* numbers = new QHBoxLayout;
    numbers->addWidget(caption(QStringLiteral("Your &numbers"), numbersEdit_));
    numbers->addWidget(numbersEdit_, 1);
    page->addLayout(numbers);
    // Only a game with a second drum has extra numbers to play.
    const GameRules& rules = rules_;
    if (rules.present && rules.hasSecondDrum()) {
        auto* extras = new QHBoxLayout;
        extras->addWidget(
            caption(QStringLiteral("E&xtra numbers (1 to %1)").arg(rules.extraRange), extraEdit_));
        extras->addWidget(extraEdit_, 1);
        extras->addWidget(everyExtraCheck_);
        page->addLayout(extras);
    } else {
        extraEdit_->hide();
        everyExtraCheck_->hide();
        extraEdit_->setEnabled(false);
        everyExtraCheck_->setEnabled(false);
    }
    auto* goal = new QHBoxLayout;
    goal->addWidget(caption(QStringLiteral("&Goal"), goalCombo_));
    goal->addWidget(goalCombo_);
    goal->addWidget(caption(QStringLiteral("Li&nes"), budgetSpin_));
    goal->addWidget(budgetSpin_);
    goal->addWidget(caption(QStringLiteral("&Key numbers"), keyEdit_));
    goal->addWidget(keyEdit_, 1);
    page->addLayout(goal);
    page->addLayout(guarantee);
    page->addWidget(progressBar_);
    page->addLayout(lists, 1);
    page->addWidget(summaryLabel_);
    page->addLayout(buttons);
    page->addWidget(statusBar_);
    page->setContentsMargins(8, 8, 8, 0);
}

void TWheels::MatchSpinChange() {
    ifSpin_->setMinimum(matchSpin_->value());
}

// A set number of lines takes the place of searching for the fewest.
void TWheels::GoalComboChange() {
    budgetSpin_->setEnabled(goalCombo_->currentIndex() == 1 && !job_);
}

void TWheels::BuildButtonClick() {
    if (job_) {
        statusBar_->showMessage(job_->phase() == WheelPhase::Searching
                                    ? QStringLiteral("Stopping: checking the best wheel found")
                                    : QStringLiteral("Stopping the odds"));
        job_->stop();
        return;
    }
    startSearch();
}

void TWheels::showWheel(const QVector<QVector<int>>& lines) {
    list_ = WheelTexts::checkFileLines(PlayedLines(lines, extraGroups_, everyExtra_), highest_);
    linesShown_->show(list_);
}

// The extra numbers are read with the rest, before any work starts; none without a second drum.
bool TWheels::readExtras() {
    extraGroups_.clear();
    everyExtra_ = false;
    const GameRules& rules = rules_;
    if (!rules.present || !rules.hasSecondDrum())
        return true;
    const PlayerNumbers extras =
        ReadExtraNumbers(extraEdit_->text(), rules.extraCount, rules.extraRange);
    if (!extras.ok()) {
        context_.platform.dialogs.warning(this, extras.problem);
        return false;
    }
    extraGroups_ = ExtraGroups(extras.numbers, rules.extraCount);
    everyExtra_ = everyExtraCheck_->isChecked();
    return true;
}

QString TWheels::playedSummary() const {
    return WheelTexts::playedSummary(int(extraGroups_.size()), everyExtra_,
                                     int(list_.size() - CheckFile::headerLines().size()),
                                     rules_.priceCents);
}

void TWheels::startSearch() {
    const PlayerNumbers numbers =
        ReadPlayerNumbers(numbersEdit_->text(), low_, highest_, lineSize_);
    if (!numbers.ok()) {
        context_.platform.dialogs.warning(this, numbers.problem);
        return;
    }
    if (!readExtras())
        return;
    terms_ =
        WheelTerms{int(numbers.numbers.size()), lineSize_, matchSpin_->value(), ifSpin_->value()};
    const QString problem = WheelTermsProblem(terms_);
    if (!problem.isEmpty()) {
        context_.platform.dialogs.warning(this, problem);
        return;
    }
    const bool budget = goalCombo_->currentIndex() == 1;
    const KeyNumbers keys = ReadKeyNumbers(keyEdit_->text(), numbers.numbers, terms_, !budget);
    if (!keys.ok()) {
        context_.platform.dialogs.warning(this, keys.problem);
        return;
    }
    WheelSearchLimits limits;
    limits.budgetLines = budget ? budgetSpin_->value() : 0;
    limits.keys = keys.positions;
    limits.effortSeconds = effortSpin_->value();
    limits.seed = quint64(context_.platform.clock.millisecondsSinceMidnightUtc()) + 1;
    auto job = std::make_unique<WheelJob>(terms_, numbers.numbers, highest_, limits, searchClock_);
    job->setRandomComparison(budget);
    budget_ = budget;
    startJob(std::move(job), {});
}

// The last wheel goes at once: nothing of it may stand beside the new one.
void TWheels::startJob(std::unique_ptr<WheelJob> job, const QVector<int>& loadedNumbers) {
    loadedNumbers_ = loadedNumbers;
    showWheel({});
    summaryLabel_->clear();
    oddsText_->clear();
    statusBar_->showMessage(loadedNumbers.isEmpty() ? QStringLiteral("Searching")
                                                    : QStringLiteral("Checking the wheel file"));
    job_ = std::move(job);
    if (!everyExtra_)
        job_->setExtraGroups(int(extraGroups_.size()));
    progressBar_->setRange(0, effortSpin_->value() * 10);
    progressBar_->setValue(0);
    setSearching(true);
    elapsed_.start();
    job_->start();
    poll_.start();
    pollSearch();
}

void TWheels::setSearching(bool searching) {
    buildButton_->setText(searching ? QStringLiteral("&Stop") : QStringLiteral("&Build"));
    for (QWidget* w :
         std::initializer_list<QWidget*>{numbersEdit_, matchSpin_, ifSpin_, effortSpin_, goalCombo_,
                                         keyEdit_, saveButton_, printButton_, loadWheelButton_})
        w->setEnabled(!searching);
    budgetSpin_->setEnabled(!searching && goalCombo_->currentIndex() == 1);
    const bool extras = rules_.present && rules_.hasSecondDrum();
    extraEdit_->setEnabled(extras && !searching);
    everyExtraCheck_->setEnabled(extras && !searching);
    if (!searching) {
        saveButton_->setEnabled(list_.size() > CheckFile::headerLines().size());
        printButton_->setEnabled(saveButton_->isEnabled());
    }
}

void TWheels::pollSearch() {
    if (!job_)
        return;
    switch (job_->phase()) {
    case WheelPhase::Searching: {
        const qint64 ms = std::min<qint64>(elapsed_.elapsed(), effortSpin_->value() * 1000);
        progressBar_->setValue(int(ms / 100));
        progressBar_->setFormat(WheelTexts::effortBar(ms, effortSpin_->value()));
        if (const int best = job_->bestLineCount(); best > 0)
            statusBar_->showMessage(
                budget_
                    ? QStringLiteral("Best so far: %1 cases uncovered")
                          .arg(groupedCount(qint64(job_->bestUncovered())))
                    : QStringLiteral("Best so far: %1").arg(countedLines(best)));
        break;
    }
    case WheelPhase::Checking:
        progressBar_->setRange(0, 0);
        progressBar_->setFormat(QStringLiteral("Checking every case"));
        statusBar_->showMessage(QStringLiteral("Checking the guarantee over every case"));
        break;
    case WheelPhase::Odds:
    case WheelPhase::Done:
        if (progressBar_->maximum() != 1000)
            statusBar_->showMessage(QStringLiteral("Working out the chance of each prize"));
        progressBar_->setRange(0, 1000);
        progressBar_->setValue(job_->oddsProgress());
        progressBar_->setFormat(QStringLiteral("Working out the odds: %p %"));
        break;
    }
    if (job_->finished())
        endSearch();
}

void TWheels::endSearch() {
    poll_.stop();
    const std::unique_ptr<WheelJob> job = std::move(job_);
    const WheelResult& result = job->result();
    progressBar_->setRange(0, 1);
    progressBar_->setValue(0);
    progressBar_->setFormat(QString());
    if (result.lines.isEmpty()) {
        statusBar_->showMessage(QStringLiteral("Stopped before a wheel was built"));
        setSearching(false);
        return;
    }
    showWheel(result.lines);
    wheelNumbers_ = loadedNumbers_.isEmpty() ? job->playerNumbers() : loadedNumbers_;
    const int lineCount = int(result.lines.size());
    const QString played = playedSummary();
    summaryLabel_->setText(
        (loadedNumbers_.isEmpty()
             ? (budget_ ? WheelTexts::budgetSummary(terms_, lineCount, result.check)
                        : WheelTexts::summary(terms_, lineCount, result.check))
             : WheelTexts::loadedSummary(terms_, lineCount, result.check, loadedNumbers_)) +
        (played.isEmpty() ? QString() : QStringLiteral(". ") + played));
    QStringList odds = WheelTexts::oddsRows(result.odds, lineSize_);
    if (budget_ && !result.odds.cancelled)
        odds << WheelTexts::randomComparison(result.randomOdds, lineSize_, terms_.guarantee);
    const GameRules& rules = rules_;
    // The prizes of the game's rules, for a wheel of the game's own pick and range.
    if (rules.present && !result.odds.cancelled)
        odds << PrizeRows(rules, lineSize_, highest_,
                          int(list_.size() - CheckFile::headerLines().size()),
                          AnyPrizeChance(rules, lineSize_, result.odds, extraGroups_, everyExtra_,
                                         result.groupOdds));
    oddsText_->setPlainText(result.odds.cancelled ? QStringLiteral("The odds were stopped.")
                                                  : odds.join(u'\n'));
    if (budget_)
        statusBar_->showMessage(WheelTexts::budgetSummary(terms_, lineCount, result.check));
    else if (loadedNumbers_.isEmpty())
        statusBar_->showMessage(WheelTexts::searchOutcome(lineCount, result, effortSpin_->value()));
    else
        statusBar_->showMessage(summaryLabel_->text());
    setSearching(false);
}

// A wheel from a check file, on the numbers its lines use, checked against the terms set.
void TWheels::LoadWheelButtonClick() {
    if (job_)
        return;
    const QString path = openCheckFileName(this, context_.platform.dialogs);
    if (path.isEmpty())
        return;
    TextLines text;
    if (CheckFile::readLines(path, &text) != CheckFile::ReadStatus::Read) {
        context_.platform.dialogs.error(
            this, QStringLiteral("Cannot open file %1").arg(QDir::toNativeSeparators(path)));
        return;
    }
    const LoadedWheel wheel = ReadWheel(text, lineSize_, highest_);
    const WheelTerms terms{int(wheel.playerNumbers.size()), lineSize_, matchSpin_->value(),
                           ifSpin_->value()};
    const QString problem = wheel.problem.isEmpty() ? WheelTermsProblem(terms) : wheel.problem;
    if (!problem.isEmpty()) {
        context_.platform.dialogs.warning(this, problem);
        return;
    }
    if (!readExtras())
        return;
    terms_ = terms;
    budget_ = false;
    startJob(std::make_unique<WheelJob>(terms_, wheel.playerNumbers, highest_, wheel.lines),
             wheel.playerNumbers);
}

void TWheels::SaveButtonClick() {
    if (stakeAgreed(QStringLiteral("Save")))
        saveCheckFileAs(this, context_.platform.dialogs, list_);
}

void TWheels::PrintButtonClick() {
    if (stakeAgreed(QStringLiteral("Print")))
        printTextOrSave(this, context_.platform,
                        WheelPage::page(context_.state, wheelNumbers_, summaryLabel_->text(),
                                        oddsText_->toPlainText().split(u'\n'), list_));
}

// A large wheel is a large stake: its size and cost are shown before it leaves the window.
bool TWheels::stakeAgreed(const QString& verb) {
    const int lines = int(list_.size() - CheckFile::headerLines().size());
    if (lines <= WheelTexts::LinesAskedAbout)
        return true;
    const GameRules& rules = rules_;
    return context_.platform.dialogs.question(
        this, WheelTexts::stakeQuestion(lines, rules.present ? rules.priceCents : 0, verb));
}

// Closing during a search ends it without waiting: the job's thread finishes on its own
// within a fifth of a second and owns what it still touches.
void TWheels::cancelSearch() {
    poll_.stop();
    job_.reset();
}

void TWheels::closeEvent(QCloseEvent* event) {
    cancelSearch();
    event->accept();
}

void TWheels::reject() {
    cancelSearch();
    QDialog::reject();
}
