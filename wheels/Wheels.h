#pragma once

// The wheels window: the player's numbers and a guarantee in, a wheel out. The search, the
// check of its guarantee and its odds run on a thread of their own (WheelJob); the window polls
// it, so it stays responsive and Stop ends the search with the best wheel found so far.

#include "state/GameRules.h"
#include "wheels/SearchClock.h"
#include "wheels/WheelTerms.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <QVector>
#include <memory>

struct AppContext;
class WheelJob;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class SteppedText;
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
    // Where the search reads its effort's time; the steady clock when not set. It must outlive
    // the program's last search, as a search closed early ends on its own.
    void setSearchClock(const SearchClock* clock) { searchClock_ = clock; }

public slots:
    void BuildButtonClick();
    void MatchSpinChange();
    void GoalComboChange();
    void SaveButtonClick();
    void PrintButtonClick();
    void LoadWheelButtonClick();
    void pollSearch();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildControls();
    void startSearch();
    void endSearch();
    void setSearching(bool searching);
    void showWheel(const QVector<QVector<int>>& lines);
    bool readExtras();
    QString playedSummary() const;
    void startJob(std::unique_ptr<WheelJob> job, const QVector<int>& loadedNumbers);
    bool stakeAgreed(const QString& verb);
    void cancelSearch();

    AppContext& context_;
    const int lineSize_;
    const int low_;
    const int highest_;
    // The loaded game's rules when the wheel is for that game (its pick and range); else none.
    const GameRules rules_;
    QLineEdit* numbersEdit_ = nullptr;
    QSpinBox* matchSpin_ = nullptr;
    QSpinBox* ifSpin_ = nullptr;
    QSpinBox* effortSpin_ = nullptr;
    QComboBox* goalCombo_ = nullptr;
    QSpinBox* budgetSpin_ = nullptr;
    QLineEdit* keyEdit_ = nullptr;
    QLineEdit* extraEdit_ = nullptr;
    QCheckBox* everyExtraCheck_ = nullptr;
    QPushButton* buildButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QPlainTextEdit* linesList_ = nullptr;
    SteppedText* linesShown_ = nullptr; // fills linesList_
    QLabel* summaryLabel_ = nullptr;
    QPlainTextEdit* oddsText_ = nullptr;
    QPushButton* loadWheelButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QStatusBar* statusBar_ = nullptr;

    WheelTerms terms_;
    QVector<int> wheelNumbers_; // the player's numbers of the wheel shown
    // Second drum: the extra numbers the lines carry, in the groups a line takes, and whether
    // each line is played once per group (else the lines take them in turn).
    QVector<QVector<int>> extraGroups_;
    bool everyExtra_ = false;
    bool budget_ = false; // the wheel shown was searched for a set number of lines
    std::unique_ptr<WheelJob> job_;
    const SearchClock* searchClock_ = nullptr;
    QTimer poll_;
    QElapsedTimer elapsed_;
    QStringList list_;
    QVector<int> loadedNumbers_; // the numbers of a wheel read from a file; empty after a search
};
