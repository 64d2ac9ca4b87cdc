#include "Database.h"

#include "DatabaseHeader.h"
#include "DrawTable.h"
#include "DrawTableModel.h"
#include "app/AppContext.h"
#include "app/LotteryState.h"
#include "platform/HintDisplay.h"
#include "platform/Platform.h"

#include "ui_Database.h"

#include <QHeaderView>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int DateColumnWidth = 58;
constexpr int NumberColumnWidth = 28;
constexpr int GridRowHeight = 18;

} // namespace

TForm7::TForm7(AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      context_(context), ui_(std::make_unique<Ui::TForm7>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    ui_->StatusBar1->setSizeGripEnabled(false);

    QPalette dateBox = ui_->Edit8->palette();
    dateBox.setColor(QPalette::Base, dateBox.color(QPalette::Button));
    ui_->Edit8->setPalette(dateBox);

    connect(ui_->Button8, &QPushButton::clicked, this, &TForm7::Button8Click);

    model_ = new DrawTableModel(context_.table, this);
    SetupGrid();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

TForm7::~TForm7() {
    FormHide(); // a window being destroyed gets no hide event of its own
}

void TForm7::Button8Click() {
    hide();
}

bool TForm7::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(event);
}

void TForm7::hideEvent(QHideEvent* event) {
    FormHide();
    QWidget::hideEvent(event);
}

void TForm7::FormActivate() {
    if (!handedOverHints_)
        handedOverHints_ = context_.hints.handler();
    context_.hints.setHandler([this](const QString& text) { DoShowHint(text); });
}

void TForm7::FormHide() {
    if (handedOverHints_)
        context_.hints.setHandler(*handedOverHints_);
    handedOverHints_.reset();
}

void TForm7::DoShowHint(const QString& text) {
    ui_->StatusBar1->showMessage(text);
}

void TForm7::SetupGrid() {
    QTableView* grid = ui_->SuperGrid1;
    grid->setModel(model_);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setMinimumSectionSize(GridRowHeight);
    grid->verticalHeader()->setDefaultSectionSize(GridRowHeight);
    QHeaderView* header = grid->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(NumberColumnWidth);
    header->setDefaultSectionSize(NumberColumnWidth);
    header->setFixedHeight(GridRowHeight);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    // Wide enough for a date in this font; the grid leaves room for a font wider than the usual.
    const int dateWidth = grid->fontMetrics().horizontalAdvance(QStringLiteral(" 88/88/88")) + 12;
    grid->setColumnWidth(0, qMax(DateColumnWidth, dateWidth));
}

void TForm7::RefreshDetails() {
    model_->refresh();
    const TLotteryState& state = context_.state;
    if (!state.DatabaseLoaded) {
        for (QLabel* label :
             {ui_->Label10, ui_->Label11, ui_->Label12, ui_->Label1, ui_->Label13, ui_->Label14})
            label->clear();
        ui_->Memo1->setPlainText(QStringLiteral("No Database Loaded !!"));
        return;
    }
    const bool hasDraws = !context_.table.CellText(0, 1).isEmpty();
    ui_->Button3->setEnabled(hasDraws);
    ui_->Button4->setEnabled(hasDraws);
    ui_->Button9->setEnabled(true);
    ui_->Label13->setText(QString::number(state.DataTotalDraws));
    ui_->Label10->setText(state.DataName);
    ui_->Label11->setText(QString::number(state.DataPick));
    ui_->Label12->setText(QString::number(state.DataRandom));
    ui_->Label1->setText(state.DataBonus ? QStringLiteral("Yes") : QStringLiteral("No"));
    ui_->Label14->setText(state.DataLastDraw);
    ui_->Memo1->setPlainText(state.DataDescription);
}

QAbstractItemModel* TForm7::gridModel() {
    return model_;
}

DatabaseOpenResult TForm7::OpenDatabase(const QString& headerPath) {
    const DatabaseOpenResult result = openDatabase(headerPath, context_.state, context_.table);
    RefreshDetails();
    return result;
}
