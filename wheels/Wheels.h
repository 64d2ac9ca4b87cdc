#pragma once

// The wheels window: the player's numbers and a guarantee in, a wheel out. The search, the
// check of its guarantee and its odds run on a thread of their own (WheelJob); the window polls
// it, so it stays responsive and Stop ends the search with the best wheel found so far.

#include "wheels/WheelTerms.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <QVector>
#include <memory>

struct AppContext;
class WheelJob;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QStatusBar;

class TWheels : public QDialog {
    Q_OBJECT

public:
    explicit TWheels(AppContext& context, QWidget* parent = nullptr);
    ~TWheels() override;

    // The wheel as it would be saved: the four header lines, then one line per wheel line.
    const QStringList& listLines() const { return list_; }
    bool searching() const { return job_ != nullptr; }

public slots:
    void BuildButtonClick();
    void MatchSpinChange();
    void SaveButtonClick();
    void PrintButtonClick();
    void pollSearch();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildControls();
    void startSearch();
    void endSearch();
    void setSearching(bool searching);
    void stopAndWait();

    AppContext& context_;
    const int lineSize_;
    const int low_;
    const int highest_;
    QLineEdit* numbersEdit_ = nullptr;
    QSpinBox* matchSpin_ = nullptr;
    QSpinBox* ifSpin_ = nullptr;
    QSpinBox* effortSpin_ = nullptr;
    QPushButton* buildButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QPlainTextEdit* linesList_ = nullptr;
    QLabel* summaryLabel_ = nullptr;
    QPlainTextEdit* oddsText_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QStatusBar* statusBar_ = nullptr;

    WheelTerms terms_;
    QVector<int> wheelNumbers_; // the player's numbers of the wheel shown
    std::unique_ptr<WheelJob> job_;
    QTimer poll_;
    QElapsedTimer elapsed_;
    QStringList list_;
};
