#include "advanced/Advanced.h"
#include "controls/StatusHint.h"
#include "ui_Advanced.h"

#include "controls/DrawListFont.h"

#include "advanced/Backtest.h"
#include "advanced/BacktestWindow.h"
#include "advanced/HotColdPicker.h"
#include "advanced/ListOddsLabel.h"
#include "wheels/WheelPrizes.h"
#include "lines/CheckFile.h"
#include "lines/CheckFileDialog.h"
#include "lines/LineGenerator.h"
#include "lines/ListPage.h"
#include "platform/Clock.h"
#include "platform/DialogService.h"
#include "platform/Platform.h"
#include "platform/PrintOrSave.h"
#include "state/AppContext.h"
#include "state/LotteryState.h"
#include "stats/HitCounts.h"
#include "stats/Stats.h"
#include "wheels/Wheels.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QScreen>
#include <QSignalBlocker>

namespace {

constexpr int MaxLines = 100;
constexpr int HeaderLineCount = 4;
constexpr int MinDrawsForStatistics = 10;

const QString RangeMessage = QStringLiteral("Must be a number between 1 - 100");
const QString UsableGroupHint =
    QStringLiteral("|Select how many Hot, Cold, Average numbers you want to use");

// The hourglass over a button while a batch runs.
class WaitCursor {
public:
    explicit WaitCursor(QWidget* widget) : widget_(widget) { widget_->setCursor(Qt::WaitCursor); }
    ~WaitCursor() { widget_->unsetCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    QWidget* const widget_;
};

// A count as typed: a decimal integer, blanks around it allowed.
int countFrom(const QString& text, bool* ok) {
    return text.trimmed().toInt(ok, 10);
}

} // namespace

TForm9::TForm9(AppContext& context, QLabel* gameLabel, QSpinBox* lowNumber, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      context_(context), gameLabel_(gameLabel), lowNumber_(lowNumber),
      ui_(std::make_unique<Ui::TForm9>()), quickPicker_(context.platform.clock) {
    ui_->setupUi(this);
    addWheelsControls();
    addBacktestButton();
    setFixedSize(size());
    if (const QScreen* const screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    useDrawListFont(*ui_->Memo2);
    ui_->ProgressBar1->reset(); // empty until a batch runs
    for (QLineEdit* count : {ui_->Edit5, ui_->Edit6, ui_->Edit7, ui_->Edit9}) {
        QPalette palette = count->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        count->setPalette(palette);
    }
    // No button answers Enter: a count typed in a box must not start anything by itself.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);
    batchButtons_ = {ui_->Button1, ui_->Button2, ui_->Button3, ui_->Button4,
                     ui_->Button5, ui_->Button6, ui_->Button8};

    connect(ui_->Edit10, &QLineEdit::textChanged, this, &TForm9::Edit10Change);
    connect(ui_->CheckBox1, &QCheckBox::clicked, this, &TForm9::CheckBox1Click);
    connect(ui_->CheckBox2, &QCheckBox::clicked, this, &TForm9::CheckBox2Click);
    connect(ui_->Button1, &QPushButton::clicked, this, &TForm9::Button1Click);
    connect(ui_->Button2, &QPushButton::clicked, this, &TForm9::Button2Click);
    connect(ui_->Button3, &QPushButton::clicked, this, &TForm9::Button3Click);
    connect(ui_->Button4, &QPushButton::clicked, this, &TForm9::Button4Click);
    connect(ui_->Button5, &QPushButton::clicked, this, &TForm9::Button5Click);
    connect(ui_->Button6, &QPushButton::clicked, this, &TForm9::Button6Click);
    connect(ui_->Button8, &QPushButton::clicked, this, &TForm9::Button8Click);
    connect(ui_->SpinEdit1, &QSpinBox::valueChanged, this, &TForm9::SpinEdit1Change);
    connect(ui_->SpinEdit2, &QSpinBox::valueChanged, this, &TForm9::SpinEdit2Change);
    connect(ui_->SpinEdit3, &QSpinBox::valueChanged, this, &TForm9::SpinEdit3Change);
    connect(ui_->SpinEdit4, &QSpinBox::valueChanged, this, &TForm9::SpinEdit4Change);

    list_ = CheckFile::headerLines();
    ui_->Memo2->setPlainText(list_.join(u'\n'));
    FormCreate();
}

// The wheels button beside Print, and the line of expected hits under everything documented:
// the window grows by that line.
void TForm9::addWheelsControls() {
    constexpr int OddsHeight = 30;
    wheelsButton_ = new QPushButton(QStringLiteral("&Wheels"), this);
    wheelsButton_->setObjectName(QStringLiteral("WheelsButton"));
    wheelsButton_->setGeometry(300, 340, 55, 21);
    wheelsButton_->setStatusTip(
        QStringLiteral("|Make the fewest lines that keep a guarantee from more numbers"));
    connect(wheelsButton_, &QPushButton::clicked, this, &TForm9::WheelsButtonClick);
    auto* oddsLabel = new QLabel(this);
    oddsLabel->setObjectName(QStringLiteral("OddsLabel"));
    oddsLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int top = ui_->Bevel1->height();
    oddsLabel->setGeometry(8, top, width() - 16, OddsHeight);
    odds_ = std::make_unique<ListOddsLabel>(oddsLabel);
    ui_->Bevel1->resize(ui_->Bevel1->width(), top + OddsHeight);
    ui_->StatusBar1->move(0, ui_->StatusBar1->y() + OddsHeight);
    resize(width(), height() + OddsHeight);
}

// The back-test button at the group's right edge, as tall as the four class rows together:
// it tests the whole mix, not the Random row beside which it once stood. Every other control
// keeps its place.
void TForm9::addBacktestButton() {
    backtestButton_ = new QPushButton(QStringLiteral("&Back-test"), ui_->GroupBox1);
    backtestButton_->setObjectName(QStringLiteral("BacktestButton"));
    const QRect hot = ui_->SpinEdit1->geometry();
    const QRect random = ui_->SpinEdit4->geometry();
    backtestButton_->setGeometry(178, hot.top(), 64, random.bottom() - hot.top() + 1);
    backtestButton_->setStatusTip(
        QStringLiteral("|Test this mix of numbers against the stored draws"));
    backtestButton_->setEnabled(false);
    connect(backtestButton_, &QPushButton::clicked, this, &TForm9::BacktestButtonClick);
}

// The back-test leaves the list alone, so lines in it do not matter; it needs the draws
// before each tested draw to class the numbers by, hence one more than the picker needs.
void TForm9::updateBacktestButton() {
    const TLotteryState& s = context_.state;
    backtestButton_->setEnabled(statisticsUsable_ && picksChosen() == s.DataPick &&
                                s.DataTotalDraws > BacktestFirstTested);
}

void TForm9::BacktestButtonClick() {
    const int lines = statisticsLineCount();
    if (lines == 0)
        return;
    ui_->StatusBar1->clearMessage();
    TBacktest backtest(context_,
                       {ui_->SpinEdit1->value(), ui_->SpinEdit2->value(), ui_->SpinEdit3->value(),
                        ui_->SpinEdit4->value()},
                       lines, this);
    backtest.exec();
}

void TForm9::WheelsButtonClick() {
    if (context_.state.PickCount < 2) {
        context_.platform.dialogs.warning(
            this, QStringLiteral("Sorry!! This feature is not available for Pick 1 games"));
        return;
    }
    ui_->StatusBar1->clearMessage();
    TWheels wheels(context_, this);
    wheels.exec();
}

TForm9::~TForm9() {
    FormDestroy();
}

void TForm9::FormCreate() {
    const TLotteryState& s = context_.state;
    previousHint_ = context_.hints.handler();
    context_.hints.setHandler([this](const QString& text) { DoShowHint(text); });
    ui_->Label8->setText(gameLabel_ ? gameLabel_->text()
                                    : rangeCaption(s.PickCount, s.LowNumber, s.RandomBound));
    QuickUseFavorites = false;
    QuickUseExcluded = false;
    FormCreateStatistics();
}

void TForm9::FormCreateStatistics() {
    TLotteryState& s = context_.state;
    if (!s.DatabaseLoaded || s.DataTotalDraws < MinDrawsForStatistics) {
        ui_->Label7->setText(QStringLiteral("0 Picks Left"));
        return;
    }
    statisticsUsable_ = true;
    ui_->Label7->setText(QStringLiteral("%1 Picks Left").arg(s.DataPick));
    ui_->Edit1->setEnabled(true);
    ui_->GroupBox1->setStatusTip(UsableGroupHint);
    for (QWidget* w : std::initializer_list<QWidget*>{ui_->Edit5, ui_->Edit6, ui_->Edit7,
                                                      ui_->Edit9, ui_->Button6})
        w->setEnabled(true);
    ui_->Edit9->setText(QString::number(s.DataRandom));

    s.HitCounts = CountHits(context_.table, s.DataTotalDraws, false);
    const HotColdPools pools = buildPools(s.HitCounts, s.DataRandom);
    const struct {
        const QList<int>& pool;
        QLineEdit* total;
        QSpinBox* choice;
    } classes[] = {{pools.hot, ui_->Edit5, ui_->SpinEdit1},
                   {pools.average, ui_->Edit6, ui_->SpinEdit2},
                   {pools.cold, ui_->Edit7, ui_->SpinEdit3}};
    for (const auto& c : classes) {
        c.total->setText(QString::number(c.pool.size()));
        if (c.pool.isEmpty())
            continue;
        c.choice->setEnabled(true);
        c.choice->setMaximum(qMin(int(c.pool.size()), s.DataPick));
    }
    ui_->SpinEdit4->setEnabled(true);
    ui_->SpinEdit4->setMaximum(s.DataPick);
    hotColdPicker_ = std::make_unique<HotColdPicker>(pools, s.DataPick, s.DataRandom);
}

void TForm9::paintEvent(QPaintEvent* event) {
    FormPaint();
    QDialog::paintEvent(event);
}

void TForm9::FormPaint() {
    context_.hints.setHandler([this](const QString& text) { DoShowHint(text); });
}

void TForm9::FormDestroy() {
    context_.hints.setHandler(previousHint_);
}

void TForm9::DoShowHint(const QString& text) {
    showStatusHint(ui_->StatusBar1, text);
}

void TForm9::closeEvent(QCloseEvent* event) {
    // A batch runs inside a handler: the window stays until it has finished.
    if (busy_) {
        event->ignore();
        return;
    }
    odds_->stop(); // the window may live on after it closes; the odds need not
    QDialog::done(QDialog::Rejected);
    event->accept();
}

void TForm9::Button8Click() {
    close();
}

void TForm9::Edit10Change() {
    if (list_.size() > HeaderLineCount)
        context_.platform.dialogs.warning(this,
                                          QStringLiteral("Please Save then Clear your draws"));
    else
        ui_->Button2->setEnabled(true);
}

// A list may be used only while it is in force on the main window.
void TForm9::useListIfInForce(QCheckBox* box, bool inForce, const QString& refusal, bool* use) {
    *use = box->isChecked() && inForce;
    if (box->isChecked() && !inForce) {
        context_.platform.dialogs.warning(this, refusal);
        box->setChecked(false);
    }
}

void TForm9::CheckBox1Click() {
    useListIfInForce(ui_->CheckBox1, context_.state.UseFavorites,
                     QStringLiteral("There are no Favorite numbers selected"), &QuickUseFavorites);
}

void TForm9::CheckBox2Click() {
    useListIfInForce(ui_->CheckBox2, context_.state.UseExcluded,
                     QStringLiteral("There are no Excluded numbers selected"), &QuickUseExcluded);
}

void TForm9::rememberButtons() {
    beforeBatch_.clear();
    for (QPushButton* button : batchButtons_)
        beforeBatch_ << button->isEnabled();
}

void TForm9::startBatch(int count) {
    for (QPushButton* button : batchButtons_)
        button->setEnabled(false);
    ui_->ProgressBar1->setRange(0, count);
    busy_ = true;
}

void TForm9::appendLine(const QString& text) {
    const TLotteryState& s = context_.state;
    listNumbers_ << QVector<int>(s.LineNumbers.begin() + 1,
                                 s.LineNumbers.begin() + 1 + listGame_.lineSize);
    list_ << text;
    ui_->Memo2->appendPlainText(text);
}

// The bar and the list repaint as the batch goes; clicks and keys wait until it has ended.
void TForm9::showProgress(int made) {
    ui_->ProgressBar1->setValue(made);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// Draws up to `count` lines, each shown as it comes; a line that cannot be drawn ends the batch
// with its reason, keeping the lines already made.
void TForm9::runBatch(int count, QString problem, const std::function<PickedLine()>& drawLine) {
    int made = 0;
    while (problem.isEmpty() && made < count) {
        const PickedLine line = drawLine();
        if (!line.ok) {
            problem = line.problem;
            break;
        }
        appendLine(line.text);
        showProgress(++made);
    }
    afterBatch(made, count, problem);
}

void TForm9::afterBatch(int made, int wanted, const QString& problem) {
    busy_ = false;
    if (made == 0) {
        // Nothing was added: every button is as it was, bar the quick Generate, which waits
        // for a new count as after any refused count.
        for (int i = 0; i < batchButtons_.size(); ++i)
            batchButtons_[i]->setEnabled(beforeBatch_.value(i));
        ui_->Button2->setEnabled(false);
    } else {
        for (QPushButton* button : {ui_->Button3, ui_->Button4, ui_->Button5, ui_->Button8})
            button->setEnabled(true);
        ui_->Button6->setEnabled(context_.state.DatabaseLoaded);
        ui_->Button1->setEnabled(false);
        ui_->Button2->setEnabled(false);
        odds_->show(listNumbers_, listGame_.lineSize, listGame_.highest,
                    RulesForWheel(context_.state, listGame_.lineSize, listGame_.highest));
    }
    if (problem.isEmpty())
        return;
    QString text = problem + QLatin1Char('.');
    if (made > 0)
        text += QStringLiteral("\r\n%1 of the %2 lines were made and are kept in the list.")
                    .arg(made)
                    .arg(wanted);
    context_.platform.dialogs.warning(this, text);
}

void TForm9::Button2Click() {
    TLotteryState& s = context_.state;
    const WaitCursor wait(ui_->Button2);
    rememberButtons();
    ui_->ProgressBar1->setValue(0);
    ui_->Button2->setEnabled(false);

    bool isNumber = false;
    int count = countFrom(ui_->Edit10->text(), &isNumber);
    if (!isNumber) {
        refuseCount(ui_->Edit10);
        count = 0;
    }
    if (count >= 1 && count <= MaxLines && s.PickCount >= 2) {
        startBatch(count);
        if (correctRange(s)) {
            if (lowNumber_)
                lowNumber_->setValue(s.LowNumber);
            ui_->Label8->setText(rangeCaption(s.PickCount, s.LowNumber, s.RandomBound));
        }
        const QuickPickOptions options{QuickUseFavorites, QuickUseExcluded};
        quickPicker_.startBatch();
        listGame_ = {s.PickCount, s.RandomBound - 1};
        runBatch(count, quickPicker_.problem(s, options),
                 [&] { return quickPicker_.drawLine(s, options); });
    } else if (count > MaxLines) {
        refuseCount(ui_->Edit10);
    } else if (s.PickCount == 1) {
        context_.platform.dialogs.warning(
            this, QStringLiteral("Sorry!! This feature is not available for Pick 1 games"));
    }
}

// The count box is emptied without counting as an edit: Generate waits for the user's own.
void TForm9::refuseCount(QLineEdit* edit) {
    context_.platform.dialogs.warning(this, RangeMessage);
    const QSignalBlocker keepDisabled(edit);
    edit->clear();
}

void TForm9::Button1Click() {
    TLotteryState& s = context_.state;
    if (!hotColdPicker_)
        return; // the group is disabled without a database of ten draws or more
    const WaitCursor wait(ui_->Button1);
    rememberButtons();
    random_.setSeed(
        RandomGenerator::seedFromTimeOfDay(context_.platform.clock.millisecondsSinceMidnightUtc()));
    ui_->ProgressBar1->setValue(0);
    for (QPushButton* button : {ui_->Button1, ui_->Button2, ui_->Button6})
        button->setEnabled(false);

    const int count = statisticsLineCount();
    if (count == 0) {
        ui_->Button1->setEnabled(true);
        ui_->Button6->setEnabled(true);
        return;
    }
    startBatch(count);
    listGame_ = {context_.state.DataPick, context_.state.DataRandom};
    const Composition composition{ui_->SpinEdit1->value(), ui_->SpinEdit2->value(),
                                  ui_->SpinEdit3->value(), ui_->SpinEdit4->value()};
    runBatch(count, hotColdPicker_->problem(composition),
             [&] { return hotColdPicker_->drawLine(s, composition, random_); });
}

// The count of lines in Edit1: letters give 10 after a message, a number outside 1..100 is
// refused (0) and the box emptied for a new one.
int TForm9::statisticsLineCount() {
    bool isNumber = false;
    int count = countFrom(ui_->Edit1->text(), &isNumber);
    if (!isNumber) {
        context_.platform.dialogs.warning(this, RangeMessage +
                                                    QStringLiteral("\r\nDefaulting to 10 Draws"));
        count = 10;
        ui_->Edit1->setText(QStringLiteral("10"));
    }
    if (count < 1 || count > MaxLines) {
        refuseCount(ui_->Edit1);
        ui_->Edit1->setFocus();
        return 0;
    }
    return count;
}

void TForm9::Button3Click() {
    list_ = CheckFile::headerLines();
    listNumbers_.clear();
    odds_->clear();
    ui_->Memo2->setPlainText(list_.join(u'\n'));
    ui_->ProgressBar1->reset();
    const TLotteryState& s = context_.state;
    if (statisticsUsable_ && picksChosen() == s.DataPick)
        ui_->Button1->setEnabled(true);
    ui_->Button2->setEnabled(true);
    ui_->Button4->setEnabled(false);
    ui_->Button5->setEnabled(false);
}

void TForm9::Button4Click() {
    saveCheckFileAs(this, context_.platform.dialogs, list_);
}

void TForm9::Button5Click() {
    printTextOrSave(this, context_.platform,
                    ListPage::page(context_.state, list_, QStringLiteral("Draw list")));
}

void TForm9::Button6Click() {
    ui_->StatusBar1->clearMessage();
    TForm8 statistics(context_, this);
    statistics.exec();
}

int TForm9::picksChosen() const {
    return ui_->SpinEdit1->value() + ui_->SpinEdit2->value() + ui_->SpinEdit3->value() +
           ui_->SpinEdit4->value();
}

void TForm9::spinEditChange(QSpinBox* changed) {
    const int pick = context_.state.DataPick;
    const int sum = picksChosen();
    updateBacktestButton();
    if (sum == pick + 1) {
        context_.platform.dialogs.warning(this, QStringLiteral("Maximum picks has been reached"));
        changed->setValue(changed->value() - 1); // runs this handler again with sum = pick
        return;
    }
    if (sum == pick) {
        if (list_.size() <= HeaderLineCount)
            ui_->Button1->setEnabled(true);
        ui_->Label7->setText(QStringLiteral("0 Picks Left"));
        return;
    }
    ui_->Button1->setEnabled(false);
    const int left = pick - sum;
    ui_->Label7->setText(left == 1 ? QStringLiteral("1 Pick Left")
                                   : QStringLiteral("%1 Picks Left").arg(left));
}

void TForm9::SpinEdit1Change() {
    spinEditChange(ui_->SpinEdit1);
}
void TForm9::SpinEdit2Change() {
    spinEditChange(ui_->SpinEdit2);
}
void TForm9::SpinEdit3Change() {
    spinEditChange(ui_->SpinEdit3);
}
void TForm9::SpinEdit4Change() {
    spinEditChange(ui_->SpinEdit4);
}
