#pragma once

#include <QDialog>
#include <memory>

struct AppContext;
class TForm7;
class QPlainTextEdit;

namespace Ui {
class TForm10;
}

// The new database dialog: asks for a game's name, pick, range, bonus and description, writes
// its header file into the program folder and makes the new, empty database the loaded one.
// Its hints show in the database window's status bar, which stays the hint target.
class TForm10 : public QDialog {
    Q_OBJECT

public:
    TForm10(AppContext& context, TForm7* databaseWindow);
    ~TForm10() override;

    void Button1Click(); // Save
    void Button8Click(); // Cancel: nothing is written

    // Escape and the window manager's close act as Cancel.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    AppContext& context_;
    TForm7* const databaseWindow_;
    std::unique_ptr<Ui::TForm10> ui_;
};

// The text of the first two lines `memo` displays (after wrapping), joined without a separator.
QString firstTwoDisplayedLines(QPlainTextEdit* memo);
