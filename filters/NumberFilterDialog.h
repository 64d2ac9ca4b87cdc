#pragma once

#include "NumberFilter.h"

#include <QDialog>
#include <QStringList>
#include <array>
#include <memory>

struct AppContext;
class QKeyEvent;
class QLabel;
class QLineEdit;

namespace Ui {
class NumberFilterDialog;
}

// What tells the favourites dialog from the excluded-numbers dialog.
struct NumberFilterDescription {
    NumberFilter::List list = NumberFilter::List::Favorites;
    QString objectName;
    QString caption;
    // Hint texts, without the leading "|".
    QString useHint;
    QString clearHint;
    QString closeHint;
    // objectNames of Edit1..Edit7 and Button1..Button3 in tab order.
    QStringList tabOrder;
};

// Seven two-character boxes for the numbers of one list and the Use / Clear / Close buttons.
// The dialog keeps nothing itself: it reads and writes the list in the program state and shows
// the main window's label for the list exactly while the list is in force.
class NumberFilterDialog : public QDialog {
    Q_OBJECT

public:
    NumberFilterDialog(AppContext& context, QLabel* usingLabel,
                       const NumberFilterDescription& description, QWidget* parent = nullptr);
    ~NumberFilterDialog() override;

    void Button1Click(); // Use
    void Button2Click(); // Clear
    void Button3Click(); // Close

    // Escape and the window manager's close act as Close.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void centreShownBoxes(int shown);
    void FormCreate();
    void EditKeyDown(QLineEdit* edit, const QKeyEvent& event);
    NumberFilter::BoxTexts boxTexts() const;
    void setBoxTexts(const NumberFilter::BoxTexts& texts);
    void showLabelForFlag();

    AppContext& context_;
    QLabel* const usingLabel_ = nullptr;
    const NumberFilterDescription description_;
    std::unique_ptr<Ui::NumberFilterDialog> ui_;
    std::array<QLineEdit*, NumberFilter::BoxCount + 1> edits_{}; // 1-based like the slots
};
