#include "Stats.h"
#include "ui_Stats.h"

#include "DrawNumbers.h"
#include "FairDraw.h"
#include "HitBars.h"
#include "StatsPage.h"

#include "state/LotteryState.h"
#include "charting/BarChart.h"
#include "database/DrawTable.h"
#include "platform/DialogService.h"
#include "platform/Platform.h"
#include "platform/PrintOrSave.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace {

constexpr int RichColourDepth = 8;   // above this, shaded bars and a gradient
constexpr int SpinCharacters = 5;    // enough for 99,999 draws; a longer history takes more
constexpr double SmallestPoints = 6; // the smallest face a shrunk text still reads in
// 499 x 392 for the chart and its controls (the buttons clear of the last draw above them), and
// a row beneath for the fair-draw check box and its verdict.
constexpr int WindowWidth = 499;
constexpr int WindowHeight = 453;

int screenDepth(const QWidget& window) {
    const QScreen* const screen = window.screen();
    return screen ? screen->depth() : 32;
}

// Long texts take a smaller font rather than lose digits: the last draw when it has seven
// numbers and a bonus, and "all draws" of a long history in the History box.
void shrinkToFit(QWidget* widget, const QString& text, int room) {
    QFont font = widget->font();
    while (QFontMetrics(font).horizontalAdvance(text) > room && font.pointSizeF() > SmallestPoints)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    widget->setFont(font);
}

// A word-wrapped label's text whole within its box: from the window's face down, as far as needed.
void shrinkWrappedToFit(QLabel* label, const QFont& normal) {
    const auto height = [label](const QFont& font) {
        return QFontMetrics(font)
            .boundingRect(QRect(0, 0, label->width(), 1 << 20), Qt::TextWordWrap, label->text())
            .height();
    };
    QFont font = normal;
    while (height(font) > label->height() && font.pointSizeF() > SmallestPoints)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
}

// Pixels a spin box's text may take: its edit field less the line edit's own margins.
int textRoom(const QSpinBox& spin) {
    constexpr int LineEditMargins = 2 * 2;
    QStyleOptionSpinBox option;
    option.initFrom(&spin);
    option.rect = spin.rect();
    option.frame = spin.hasFrame();
    option.buttonSymbols = spin.buttonSymbols();
    option.subControls = QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxEditField |
                         QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    return spin.style()
               ->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, &spin)
               .width() -
           LineEditMargins;
}

// A hint shown whole in the status bar: a long one in a smaller face, down to the smallest that
// still reads; only beyond that is it cut short.
void showWholeHint(QStatusBar* bar, const QFont& normal, const QString& hint) {
    // The bar's message area: its width less the margins QStatusBar keeps around the text.
    constexpr int MessageMargins = 6 + 12;
    const int room = bar->width() - MessageMargins;
    QFont font = normal;
    while (QFontMetrics(font).horizontalAdvance(hint) > room && font.pointSizeF() > SmallestPoints)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    bar->setFont(font);
    bar->showMessage(QFontMetrics(font).elidedText(hint, Qt::ElideRight, std::max(room, 1)));
}

void setHint(QWidget* control, const char* text) {
    control->setStatusTip(QLatin1Char('|') + QString::fromLatin1(text));
}

} // namespace

TForm8::TForm8(AppContext& context, QWidget* parent, ColourDepth colourDepth)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      context_(context), ui_(std::make_unique<Ui::TForm8>()),
      colourDepth_(colourDepth ? std::move(colourDepth) : ColourDepth(screenDepth)) {
    ui_->setupUi(this);
    setModal(true);
    setFixedSize(WindowWidth, WindowHeight);
    ui_->Bevel1->lower();

    BarChart* const chart = ui_->Chart1;
    chart->setTitle(QStringLiteral("Ballmere Pro Hit Statistics"));
    chart->setAxisTitles(QStringLiteral("Numbers"), QStringLiteral("Hits"));
    chart->setAccessibleName(QStringLiteral("Hit statistics"));

    setHint(chart, "Left click and drag to zoom in. Right click and drag to scroll. Inverted "
                   "left click/drag to restore all");
    setHint(ui_->CheckBox1, "Show the yellow value tags above the bars");
    setHint(ui_->CheckBox3, "Changes the colours of the bars to represent their status");
    setHint(ui_->CheckBox2, "Include the Bonus number in the above statistics");
    setHint(ui_->SpinEdit1, "How many draws would you like visible. Used to find if previous "
                            "numbers where hot, cold etc");
    setHint(ui_->CheckBox4, "Show the count a fair draw gives each number, the range it stays "
                            "within 19 times in 20, and whether these counts are fair");
    setHint(ui_->Button1, "Print the above graph");
    setHint(ui_->Button8, "Close the Statistics page");

    ui_->CheckBox2->setEnabled(false);
    ui_->Panel1->hide();
    ui_->VerdictLabel->hide();

    connect(ui_->CheckBox1, &QCheckBox::clicked, this, &TForm8::CheckBox1Click);
    connect(ui_->CheckBox2, &QCheckBox::clicked, this, &TForm8::CheckBox2Click);
    connect(ui_->CheckBox3, &QCheckBox::clicked, this, &TForm8::CheckBox3Click);
    connect(ui_->CheckBox4, &QCheckBox::clicked, this, &TForm8::CheckBox4Click);
    connect(ui_->SpinEdit1, &QSpinBox::valueChanged, this, &TForm8::SpinEdit1Change);
    connect(ui_->Button1, &QPushButton::clicked, this, &TForm8::Button1Click);
    connect(ui_->Button8, &QPushButton::clicked, this, &TForm8::Button8Click);

    FormCreate();
    ui_->Button8->setFocus();
    if (const QScreen* const screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

TForm8::~TForm8() {
    FormDestroy();
}

BarChart* TForm8::chart() const {
    return ui_->Chart1;
}

void TForm8::FormCreate() {
    const TLotteryState& state = context_.state;
    handedOverHints_ = context_.hints.handler();
    context_.hints.setHandler([this](const QString& text) { DoShowHint(text); });

    const int depth = colourDepth_(*this);
    if (state.DataBonus)
        ui_->CheckBox2->setEnabled(true);

    {
        // Setting the limits is not a change of the user's: the bars are drawn once, below.
        const QSignalBlocker blocker(ui_->SpinEdit1);
        const int maximum = std::max(1, state.DataTotalDraws);
        // Room for every digit of "all draws", or the box would cut it and count fewer.
        ui_->SpinEdit1->findChild<QLineEdit*>()->setMaxLength(
            std::max(SpinCharacters, int(QString::number(maximum).size())));
        ui_->SpinEdit1->setMaximum(maximum);
        shrinkToFit(ui_->SpinEdit1, QString::number(maximum), textRoom(*ui_->SpinEdit1));
        ui_->SpinEdit1->setValue(state.DataTotalDraws);
    }
    if (state.DataTotalDraws == 1)
        ui_->SpinEdit1->setEnabled(false);

    ui_->Chart1->setRich(depth > RichColourDepth);
    draws_ = std::make_unique<const DrawNumbers>(context_.table);
    redraw(false);

    ui_->Label6->setText(lastDrawHeading(state));
    ui_->Label7->setText(lastDrawForDisplay(context_.table));
    shrinkToFit(ui_->Label7, ui_->Label7->text(), ui_->Label7->width());
}

void TForm8::FormDestroy() {
    if (handedOverHints_)
        context_.hints.setHandler(*handedOverHints_);
}

void TForm8::DoShowHint(const QString& text) {
    showWholeHint(ui_->StatusBar1, font(), text);
}

void TForm8::redraw(bool showClasses) {
    const HitBarList bars = BuildHitBars(context_.table, context_.state, ui_->SpinEdit1->value(),
                                         ui_->CheckBox2->isChecked(), showClasses);
    BarChart* const chart = ui_->Chart1;
    // The History box counts from the first draw on: say which draws those are.
    chart->setSubtitle(countedDrawsText(context_.table, ui_->SpinEdit1->value()));
    chart->clear();
    for (const HitBar& bar : bars) {
        if (bar.classified)
            chart->addBar(bar.label, bar.value, QColor::fromRgb(bar.rgb),
                          hitClassName(bar.hitClass));
        else
            chart->addBar(bar.label, bar.value);
    }
    showFairDraw();
}

void TForm8::showFairDraw() {
    BarChart* const chart = ui_->Chart1;
    QLabel* const verdict = ui_->VerdictLabel;
    if (!ui_->CheckBox4->isChecked()) {
        chart->setBand(std::nullopt);
        verdict->hide();
        return;
    }
    const FairDrawReading reading =
        readFairDraw(*draws_, context_.state, ui_->SpinEdit1->value(), ui_->CheckBox2->isChecked());
    if (reading.range) {
        // A count cannot fall below 0: neither does the range shown.
        const ExpectedRange& range = *reading.range;
        chart->setBand(ChartBand{range.expected, std::max(0.0, range.low), range.high});
    } else {
        chart->setBand(std::nullopt);
    }
    verdict->setText(reading.verdict);
    shrinkWrappedToFit(verdict, font());
    verdict->show();
}

void TForm8::CheckBox1Click() {
    BarChart* const chart = ui_->Chart1;
    chart->setValueTagsVisible(!chart->valueTagsVisible());
}

void TForm8::CheckBox2Click() {
    redraw(ui_->CheckBox3->isChecked());
}

void TForm8::CheckBox3Click() {
    const bool show = ui_->Panel1->isHidden();
    ui_->Panel1->setVisible(show);
    redraw(show);
}

void TForm8::CheckBox4Click() {
    showFairDraw();
}

void TForm8::SpinEdit1Change() {
    redraw(ui_->CheckBox3->isChecked());
}

void TForm8::Button1Click() {
    const BarChart* const chart = ui_->Chart1;
    ChartPage page =
        StatsPage::page(context_.state, chart->subtitle(), ui_->CheckBox3->isChecked(),
                        ui_->CheckBox4->isChecked() ? ui_->VerdictLabel->text() : QString());
    page.screenSize = chart->size();
    page.render = [chart](QPainter& painter, const QRectF& target, const QSizeF& layoutSize,
                          bool withTitles) {
        chart->render(painter, target, layoutSize, withTitles);
    };
    printChartOrSave(this, context_.platform, std::move(page));
}

void TForm8::Button8Click() {
    done(QDialog::Accepted);
}
