// The database window's game buttons (rules, tickets, new draws from the results address) and
// what follows when draws arrive.
#include "Database.h"

#include "DrawImport.h"
#include "DrawTableModel.h"
#include "DrawTable.h"
#include "DrawUpdateFlow.h"
#include "RulesWindow.h"
#include "controls/StatusHint.h"
#include "state/AppContext.h"
#include "ui_Database.h"

#include <QGuiApplication>
#include <QPushButton>

void TForm7::importFinished(const DrawImportResult& result) {
    newestDrawDue_ = result.added > 0;
    RefreshDetails();
    showNewestDraw();
}

// After a game is loaded, created or imported into, the grid opens on its newest draw, where
// the player looks first. The selection (the target of Edit and Delete) is left where it was.
void TForm7::showNewestDraw() {
    if (!newestDrawDue_ || !ui_ || !isVisible())
        return;
    newestDrawDue_ = false;
    const int last = context_.table.LastDrawRow();
    if (last > 0)
        ui_->SuperGrid1->scrollTo(model_->index(DrawTableModel::modelRow(last), 0),
                                  QAbstractItemView::PositionAtBottom);
}

void TForm7::enableGameButtons(bool loaded) {
    for (QPushButton* button : {ui_->RulesButton, ui_->TicketsButton, ui_->UpdateButton})
        button->setEnabled(loaded && !entering_);
}

void TForm7::RulesButtonClick() {
    // The grid's captions follow the extra numbers.
    if (editGameRules(context_, this))
        RefreshDetails();
}

void TForm7::TicketsButtonClick() {
    emit ticketsRequested();
}

void TForm7::showStatus(const QString& text) {
    if (ui_)
        showStatusHint(ui_->StatusBar1, text);
}

void TForm7::UpdateButtonClick() {
    if (!update_)
        update_ = new DrawUpdateFlow(context_, this, [this](const auto& r) { importFinished(r); });
    update_->run(QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier));
}
