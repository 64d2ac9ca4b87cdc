#pragma once

#include "DatabaseOps.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

struct AppContext;
class DrawTableModel;
class QAbstractItemModel;

namespace Ui {
class TForm7;
}

// The database window: shows the loaded database's details and its draw table one to one in
// SuperGrid1 (table row 0 as the grid's header). Created hidden at start-up and kept for the
// whole run, so the table it shows is the program's one draw table.
class TForm7 : public QWidget {
    Q_OBJECT

public:
    explicit TForm7(AppContext& context, QWidget* parent = nullptr);
    ~TForm7() override;

    // Shows the details of the loaded database and the table as they are now.
    void RefreshDetails();
    QAbstractItemModel* gridModel();

    // Opens the database of `headerPath` on this window's table and refreshes the window. The
    // caller shows `error` when it is not empty.
    DatabaseOpenResult OpenDatabase(const QString& headerPath);

public slots:
    // Close: back to the main window, which shows itself when this one hides.
    void Button8Click();

protected:
    bool event(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void SetupGrid();
    void FormActivate();
    void FormHide();
    void DoShowHint(const QString& text);

    AppContext& context_;
    std::unique_ptr<Ui::TForm7> ui_;
    DrawTableModel* model_ = nullptr; // child of this window
    // The hint handler this window took over while active, to give back when it hides.
    std::optional<std::function<void(const QString&)>> handedOverHints_;
};
