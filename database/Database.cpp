#include "Database.h"

#include "DatabaseHeader.h"
#include "DrawImport.h"
#include "DrawTable.h"
#include "DrawTableModel.h"
#include "EntryBoxes.h"
#include "Newdata.h"
#include "state/AppContext.h"
#include "state/LotteryState.h"
#include "controls/AutoAdvance.h"
#include "platform/Clock.h"
#include "platform/DialogService.h"
#include "platform/HintDisplay.h"
#include "platform/Platform.h"

#include "controls/BoxCaption.h"
#include "controls/LeadingBlankLabel.h"
#include "controls/StatusHint.h"
#include "ui_Database.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int DateColumnWidth = 58;
constexpr int NumberColumnWidth = 28;
constexpr int GridRowHeight = 18;
constexpr int DescriptionLines = 2;

// Draws are recorded for a game: with the header file missing there is none (no pick, no
// range), and a draw stored then would be a date alone in a file without a header.
bool canChangeDraws(const TLotteryState& state, bool headerMissing) {
    return state.DatabaseLoaded && !headerMissing;
}

} // namespace

TForm7::TForm7(AppContext& context, QWidget* parent) : TForm7(context, Widgets::BuildNow, parent) {}

TForm7::TForm7(AppContext& context, Widgets widgets, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      context_(context) {
    model_ = new DrawTableModel(context_.table, this);
    if (widgets == Widgets::BuildNow)
        buildWidgets();
}

void TForm7::setVisible(bool visible) {
    if (visible && !ui_)
        buildWidgets();
    QWidget::setVisible(visible);
    if (visible)
        showNewestDraw();
}

void TForm7::buildWidgets() {
    ui_ = std::make_unique<Ui::TForm7>();
    ui_->setupUi(this);
    setFixedSize(size());
    ui_->StatusBar1->setSizeGripEnabled(false);

    edits_ = {nullptr,    ui_->Edit1, ui_->Edit2, ui_->Edit3, ui_->Edit4, ui_->Edit5,
              ui_->Edit6, ui_->Edit7, ui_->Edit8, ui_->Edit9, ui_->Edit10};
    for (int k = 1; k <= 10; ++k)
        edits_[k]->installEventFilter(this);
    // Enter on a focused button presses it, as in a dialog.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(true);

    connect(ui_->Button1, &QPushButton::clicked, this, &TForm7::Button1Click);
    connect(ui_->Button2, &QPushButton::clicked, this, &TForm7::Button2Click);
    connect(ui_->Button5, &QPushButton::clicked, this, &TForm7::Button5Click);
    connect(ui_->Button3, &QPushButton::clicked, this, &TForm7::Button3Click);
    connect(ui_->Button4, &QPushButton::clicked, this, &TForm7::Button4Click);
    connect(ui_->Button6, &QPushButton::clicked, this, &TForm7::Button6Click);
    connect(ui_->Button7, &QPushButton::clicked, this, &TForm7::Button7Click);
    connect(ui_->Button8, &QPushButton::clicked, this, &TForm7::Button8Click);
    connect(ui_->Button9, &QPushButton::clicked, this, &TForm7::Button9Click);
    connect(ui_->RulesButton, &QPushButton::clicked, this, &TForm7::RulesButtonClick);
    connect(ui_->TicketsButton, &QPushButton::clicked, this, &TForm7::TicketsButtonClick);
    connect(ui_->UpdateButton, &QPushButton::clicked, this, &TForm7::UpdateButtonClick);

    keepCaptionWithBox(ui_->Label3, ui_->Edit9);
    ui_->Memo1->showWholeLines(DescriptionLines);
    SetupGrid();
    setDateBoxWhite(false);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    // Refreshes asked for before the widgets existed, each on the state it saw.
    std::vector<PendingRefresh> pending;
    pending.swap(pendingRefreshes_);
    for (const PendingRefresh& refresh : pending)
        showRefresh(*refresh.state, refresh.hasDraws, refresh.headerMissing);
}

TForm7::~TForm7() {
    FormHide(); // a window being destroyed gets no hide event of its own
}

void TForm7::SetupGrid() {
    QTableView* grid = ui_->SuperGrid1;
    grid->setModel(model_);
    grid->setItemDelegate(new DrawGridDelegate(grid));
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setMinimumSectionSize(GridRowHeight);
    grid->verticalHeader()->setDefaultSectionSize(GridRowHeight);
    QHeaderView* header = grid->horizontalHeader();
    header->setMinimumSectionSize(NumberColumnWidth);
    header->setDefaultSectionSize(NumberColumnWidth);
    header->setFixedHeight(GridRowHeight);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    fitGridColumns();
    // Another game brings other columns.
    connect(model_, &QAbstractItemModel::modelReset, this, &TForm7::fitGridColumns);
    // Mouse and keyboard alike select a row.
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    SuperGrid1SelectCell(DrawTableModel::tableRow(current.row()));
            });
    showSelectedRow();
}

// The date column keeps its width; the game's number columns share the rest of the grid's width,
// with or without the scroll bar.
void TForm7::fitGridColumns() {
    QTableView* grid = ui_->SuperGrid1;
    QHeaderView* header = grid->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Stretch);
    if (header->count() == 0)
        return;
    header->setSectionResizeMode(0, QHeaderView::Fixed);
    // Wide enough for a date in this font; the grid leaves room for a font wider than the usual.
    const int dateWidth = grid->fontMetrics().horizontalAdvance(QStringLiteral(" 88/88/88")) + 12;
    grid->setColumnWidth(0, qMax(DateColumnWidth, dateWidth));
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

// The title bar has no close button, but a window manager may offer one: it acts as Close,
// and cannot leave a draw half entered.
void TForm7::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!entering_)
        Button8Click();
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
    showStatusHint(ui_->StatusBar1, text);
}

bool TForm7::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        for (int k = 1; k <= 10; ++k)
            if (watched == edits_[k])
                EditKeyDown(edits_[k], event);
    }
    return QWidget::eventFilter(watched, event);
}

// Edit1KeyDown..Edit10KeyDown: auto-advance, and Enter in a box presses Ok.
void TForm7::EditKeyDown(QLineEdit* edit, QEvent* event) {
    const auto& key = static_cast<const QKeyEvent&>(*event);
    AutoAdvance::keyDown(this, edit, key);
    if ((key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && ui_->Button6->isEnabled())
        ui_->Button6->click();
}

void TForm7::setDateBoxWhite(bool white) {
    QPalette palette = ui_->Edit8->palette();
    const QPalette standard = QGuiApplication::palette();
    palette.setColor(QPalette::Base,
                     white ? standard.color(QPalette::Base) : standard.color(QPalette::Button));
    ui_->Edit8->setPalette(palette);
}

void TForm7::enterBrowseState() {
    entering_ = false;
    ui_->SuperGrid1->setEnabled(true);
    ui_->Panel1->setEnabled(false);
    const bool canChange = canChangeDraws(context_.state, headerMissing_);
    ui_->Button9->setEnabled(canChange);
    ui_->Button6->setEnabled(false);
    ui_->Button7->setEnabled(false);
    for (QPushButton* button : {ui_->Button1, ui_->Button2, ui_->Button8})
        button->setEnabled(true);
    ui_->Button5->setEnabled(canChange);
    clearEntryBoxes(edits_);
    ui_->Edit8->clear();
    setDateBoxWhite(false);
    const bool hasDraws = context_.table.HasDraws();
    ui_->Button3->setEnabled(canChange && hasDraws);
    ui_->Button4->setEnabled(canChange && hasDraws);
    enableGameButtons(context_.state.DatabaseLoaded);
}

void TForm7::enterEntryState() {
    entering_ = true;
    ui_->SuperGrid1->setEnabled(false);
    ui_->Panel1->setEnabled(true);
    ui_->Button9->setEnabled(false);
    ui_->Button6->setEnabled(true);
    ui_->Button7->setEnabled(true);
    for (QPushButton* button :
         {ui_->Button1, ui_->Button2, ui_->Button5, ui_->Button8, ui_->Button3, ui_->Button4})
        button->setEnabled(false);
    enableGameButtons(false);
    setDateBoxWhite(true);
    showEntryBoxes(edits_, ui_->Label3, context_.state);
    ui_->Edit8->setFocus(Qt::OtherFocusReason);
}

void TForm7::Button1Click() {
    TForm10 dialog(context_, this);
    dialog.exec();
}

void TForm7::Button2Click() {
    FileDialogOptions options;
    options.title = QStringLiteral("Load Ballmere Pro Database");
    options.filter = QStringLiteral("Ballmere Pro Database *.bmd (*.BMD* *.bmd*)");
    options.defaultExtension = QStringLiteral("bmd");
    options.confirmOverwrite = false;
    const QString fileName = context_.platform.dialogs.openFileName(this, options);
    if (fileName.isEmpty())
        return;
    const DatabaseOpenResult result = OpenDatabase(fileName);
    const QString shown = result.opened() ? result.rulesWarning : result.error;
    if (!shown.isEmpty())
        context_.platform.dialogs.warning(this, shown);
}

// Import: the draws of a published results file, taken into the table in date order in one save.
void TForm7::Button5Click() {
    FileDialogOptions options;
    options.title = QStringLiteral("Import Draw History");
    options.filter = QStringLiteral("Draw history files (*.csv *.txt);;All files (*)");
    options.confirmOverwrite = false;
    const QString fileName = context_.platform.dialogs.openFileName(this, options);
    if (fileName.isEmpty())
        return;
    const QString format = context_.platform.clock.shortDateFormat();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const DrawImportResult result = importDrawHistory(
        fileName, {format, numericDateOrderOf(format)}, context_.state, context_.table);
    QApplication::restoreOverrideCursor();
    importFinished(result);
    const QString summary = drawImportSummary(result);
    if (!result.error.isEmpty())
        context_.platform.dialogs.error(this, summary);
    else if (result.added == 0)
        context_.platform.dialogs.warning(this, summary);
    else
        context_.platform.dialogs.information(this, summary);
}

void TForm7::Button9Click() {
    EditingLine = false;
    enterEntryState();
    ui_->Edit8->setText(context_.platform.clock.todayShortDate());
    // Today's date stands ready: typed over, it gives way at the first key, and the boxes then
    // fill in turn; Tab keeps it.
    ui_->Edit8->selectAll();
}

void TForm7::Button4Click() {
    if (context_.table.CellText(0, SelectedRow).isEmpty()) {
        context_.platform.dialogs.warning(this, emptyLineText());
        return;
    }
    EditingLine = true;
    enterEntryState();
    const EditTexts texts = editTextsOf(context_.table, SelectedRow,
                                        context_.platform.clock.shortDateFormat(), context_.state);
    if (!texts.error.isEmpty()) {
        // Cancel leads back; the stored row stays as it is.
        context_.platform.dialogs.warning(this, texts.error);
        return;
    }
    ui_->Edit8->setText(texts.date);
    fillEntryBoxes(edits_, texts);
}

void TForm7::Button6Click() {
    const QList<QLineEdit*> boxes = shownEntryBoxes(edits_);
    const EntryFailure failure = checkEntryBoxes(ui_->Edit8->text(), boxes, context_.state);
    if (failure.failed()) {
        // The grid stays disabled: the row being edited cannot change under the panel.
        context_.platform.dialogs.warning(this, failure.message);
        if (failure.box == EntryFailure::Box::Date) {
            ui_->Edit8->setText(context_.platform.clock.todayShortDate());
            return;
        }
        QLineEdit* box = boxes[failure.index];
        if (failure.emptyBox)
            box->clear();
        box->setFocus(Qt::OtherFocusReason);
        return;
    }

    const DrawEntry entry = entryOfBoxes(ui_->Edit8->text(), edits_, context_.state);
    const DrawChangeResult result =
        EditingLine ? replaceDraw(SelectedRow, entry, context_.state, context_.table)
                    : appendDraw(entry, context_.state, context_.table);
    if (!result.changed) {
        context_.platform.dialogs.warning(this, result.error);
        return;
    }
    // The table holds the draw even when the file could not be saved: back to browsing, so
    // that a second Ok cannot store it twice.
    EditingLine = false;
    enterBrowseState();
    reportChange(result);
}

void TForm7::Button7Click() {
    enterBrowseState();
    EditingLine = false;
}

void TForm7::Button3Click() {
    if (context_.table.CellText(0, SelectedRow).isEmpty()) {
        context_.platform.dialogs.warning(this, emptyLineText());
        return;
    }
    if (!context_.platform.dialogs.question(this, deleteQuestionText(context_.table, SelectedRow)))
        return;
    const DrawChangeResult result = deleteDraw(SelectedRow, context_.state, context_.table);
    if (!result.changed) {
        context_.platform.dialogs.warning(this, result.error);
        return;
    }
    reportChange(result);
}

// Shows a changed table and its totals, then a failed save of the draw file.
void TForm7::reportChange(const DrawChangeResult& result) {
    model_->refresh();
    showSelectedRow();
    ui_->SuperGrid1->scrollTo(model_->index(DrawTableModel::modelRow(result.row), 0));
    showDetails();
    emit drawsChanged();
    if (!result.error.isEmpty())
        context_.platform.dialogs.error(this, result.error);
}

void TForm7::Button8Click() {
    hide();
}

void TForm7::SuperGrid1SelectCell(int row) {
    if (row < 1 || row == SelectedRow)
        return;
    SelectedRow = row;
    // A row chosen other than in the grid shows there as well.
    const QModelIndex current = ui_->SuperGrid1->currentIndex();
    if (!current.isValid() || DrawTableModel::tableRow(current.row()) != row)
        showSelectedRow();
}

void TForm7::showSelectedRow() {
    QTableView* grid = ui_->SuperGrid1;
    const int row = DrawTableModel::modelRow(SelectedRow);
    if (row >= 0 && row < model_->rowCount())
        grid->selectionModel()->setCurrentIndex(
            model_->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    else
        grid->selectionModel()->clear();
}

void TForm7::showDetails() {
    showDetails(context_.state);
}

void TForm7::showDetails(const TLotteryState& state) {
    if (!state.DatabaseLoaded) {
        for (QLabel* label :
             {ui_->Label10, ui_->Label11, ui_->Label12, ui_->Label1, ui_->Label13, ui_->Label14})
            label->clear();
        ui_->Memo1->setPlainText(QStringLiteral("No Database Loaded !!"));
        return;
    }
    ui_->Label13->setText(QString::number(state.DataTotalDraws));
    ui_->Label10->setText(state.DataName);
    ui_->Label11->setText(QString::number(state.DataPick));
    ui_->Label12->setText(QString::number(state.DataRandom));
    ui_->Label1->setText(state.DataBonus ? QStringLiteral("Yes") : QStringLiteral("No"));
    showPastLeadingBlank(*ui_->Label14, state.DataLastDraw);
    ui_->Memo1->setPlainText(state.DataDescription);
}

void TForm7::RefreshDetails() {
    model_->refresh();
    emit drawsChanged();
    const bool hasDraws = context_.table.HasDraws();
    if (!ui_) {
        pendingRefreshes_.push_back(
            {std::make_shared<TLotteryState>(context_.state), hasDraws, headerMissing_});
        return;
    }
    showRefresh(context_.state, hasDraws, headerMissing_);
}

// What RefreshDetails shows, for `state` and a table with or without draws.
void TForm7::showRefresh(const TLotteryState& state, bool hasDraws, bool headerMissing) {
    showSelectedRow();
    showDetails(state);
    enableGameButtons(state.DatabaseLoaded);
    if (!state.DatabaseLoaded)
        return;
    const bool canChange = canChangeDraws(state, headerMissing);
    ui_->Button3->setEnabled(canChange && hasDraws);
    ui_->Button4->setEnabled(canChange && hasDraws);
    ui_->Button9->setEnabled(canChange);
    ui_->Button5->setEnabled(canChange && !entering_);
}

void TForm7::ShowNewDatabase() {
    headerMissing_ = false;
    model_->refresh();
    showSelectedRow();
    showDetails();
    ui_->Button9->setEnabled(true);
    ui_->Button5->setEnabled(true);
    enableGameButtons(true);
    emit drawsChanged();
}

QAbstractItemModel* TForm7::gridModel() {
    return model_;
}

DatabaseOpenResult TForm7::OpenDatabase(const QString& headerPath, DrawFilePreload* preload) {
    const DatabaseOpenResult result =
        openDatabase(headerPath, context_.state, context_.table, preload);
    if (result.opened()) {
        headerMissing_ = !result.headerFound;
        newestDrawDue_ = true;
    }
    RefreshDetails();
    showNewestDraw();
    return result;
}
