#pragma once

#include "DatabaseOps.h"

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct AppContext;
struct TLotteryState;
class DrawTableModel;
class DrawUpdateFlow;
struct DrawImportResult;
class QAbstractItemModel;
class QLineEdit;

namespace Ui {
class TForm7;
}

// The database window: shows the loaded database's details and its draw table one to one in
// SuperGrid1 (table row 0 as the grid's header), and records draws through its entry panel.
// Created hidden at start-up and kept for the whole run, so the table it shows is the
// program's one draw table. It is either browsing (grid and database buttons usable) or in
// entry (only the panel's boxes, Ok and Cancel), between Add Line or Edit and Ok or Cancel.
class TForm7 : public QWidget {
    Q_OBJECT

public:
    explicit TForm7(AppContext& context, QWidget* parent = nullptr);
    // The program's window, which usually stays hidden: its widgets are built when it is first
    // shown; until then OpenDatabase and RefreshDetails keep what the window is to show.
    enum class Widgets { BuildNow, BuildWhenShown };
    TForm7(AppContext& context, Widgets widgets, QWidget* parent = nullptr);
    ~TForm7() override;
    void setVisible(bool visible) override;

    // Shows the details of the loaded database and the table as they are now, with the
    // selected row highlighted and Edit / Delete usable when row 1 holds a draw.
    void RefreshDetails();
    // After the new database dialog started an empty database: the details, the empty table
    // and Add Line; Edit and Delete keep their state.
    void ShowNewDatabase();
    QAbstractItemModel* gridModel();

    // Opens the database of `headerPath` on this window's table and refreshes the window. The
    // caller shows `error` when it is not empty. The rows come from `preload` when it has read
    // the database's draw file already.
    DatabaseOpenResult OpenDatabase(const QString& headerPath, DrawFilePreload* preload = nullptr);

    int SelectedRow = 1;      // table row last selected in the grid; target of Edit and Delete
    bool EditingLine = false; // the entry panel edits SelectedRow rather than adding a draw
    bool entering() const { return entering_; }
    // After an import or an update ran on the table: whatever follows stored draws.
    void importFinished(const DrawImportResult& result);
    // A message in the status bar (lost while the window was never shown).
    void showStatus(const QString& text);

signals:
    // The player asked for the tickets window; app/ opens it.
    void ticketsRequested();
    // The table may hold other draws than before: after an entry, a deletion, an import or a
    // refresh. What follows new draws (the tickets) looks at the table then.
    void drawsChanged();

public slots:
    void Button1Click(); // New
    void Button2Click(); // Load
    void Button5Click(); // Import a published draw history
    void Button3Click(); // Delete
    void Button4Click(); // Edit
    void Button6Click(); // Ok
    void Button7Click(); // Cancel
    void Button8Click(); // Close: back to the main window, which shows itself when this hides
    void Button9Click(); // Add Line
    void RulesButtonClick();   // the game's rules
    void TicketsButtonClick(); // the player's tickets
    void UpdateButtonClick();  // new draws from the results address
    void SuperGrid1SelectCell(int row);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildWidgets();
    void SetupGrid();
    void fitGridColumns();
    void FormActivate();
    void FormHide();
    void DoShowHint(const QString& text);
    void EditKeyDown(QLineEdit* edit, QEvent* event);

    void enterBrowseState();
    void enterEntryState();
    void showDetails();
    void showDetails(const TLotteryState& state);
    void showRefresh(const TLotteryState& state, bool hasDraws, bool headerMissing);
    void showSelectedRow();
    void showNewestDraw();
    void setDateBoxWhite(bool white);
    // Rules, Tickets and Update: while a game is loaded and no entry is open.
    void enableGameButtons(bool loaded);
    void reportChange(const DrawChangeResult& result);

    AppContext& context_;
    std::unique_ptr<Ui::TForm7> ui_;
    DrawTableModel* model_ = nullptr;    // child of this window
    std::array<QLineEdit*, 11> edits_{}; // Edit1..Edit10 at their numbers
    bool entering_ = false;
    // The loaded database's header file was not found (the documented state after a start-up
    // whose database is gone): its draws can be neither added, changed nor imported.
    bool headerMissing_ = false;
    bool newestDrawDue_ = false; // the grid is to open on the newest draw when next shown
    // The hint handler this window took over while active, to give back when it hides.
    std::optional<std::function<void(const QString&)>> handedOverHints_;
    // RefreshDetails calls before the widgets exist, replayed when they are built.
    struct PendingRefresh {
        std::shared_ptr<const TLotteryState> state;
        bool hasDraws = false;
        bool headerMissing = false;
    };
    std::vector<PendingRefresh> pendingRefreshes_;
    DrawUpdateFlow* update_ = nullptr; // child of this window, made at the first Update
};
