#pragma once

// The advanced picking window: the quick random picker (many lines at once, the generator
// seeded from the clock once a batch), the hot / average / cold picker over the
// loaded database's hit counts, and the one list both fill, saved as a check file, printed or
// cleared. The pickers themselves live in QuickPicker and HotColdPicker; the back-test of a
// hot / average / cold mix in Backtest.

#include "advanced/QuickPicker.h"
#include "lines/RandomGenerator.h"
#include "platform/HintDisplay.h"

#include <QDialog>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>

struct AppContext;
class HotColdPicker;
class ListOddsLabel;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace Ui {
class TForm9;
}

class TForm9 : public QDialog {
    Q_OBJECT

public:
    // gameLabel and lowNumber are the main window's game caption and low-number control; the
    // quick picker reads the one and corrects the other. Either may be null.
    TForm9(AppContext& context, QLabel* gameLabel, QSpinBox* lowNumber, QWidget* parent = nullptr);
    ~TForm9() override;

    // The list as it would be saved: the four header lines, then one line per generated line.
    const QStringList& listLines() const { return list_; }

    // Only Close closes the window: Escape would throw away a list that may not be saved yet.
    void reject() override {}

public slots:
    void Edit10Change();
    void CheckBox1Click();
    void CheckBox2Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button8Click();
    void WheelsButtonClick();
    void BacktestButtonClick();
    void SpinEdit1Change();
    void SpinEdit2Change();
    void SpinEdit3Change();
    void SpinEdit4Change();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void addWheelsControls();
    void addBacktestButton();
    void updateBacktestButton();
    int statisticsLineCount();
    void FormCreateStatistics();
    void FormPaint();
    void FormDestroy();
    void DoShowHint(const QString& text);

    void spinEditChange(QSpinBox* changed);
    int picksChosen() const;
    void useListIfInForce(QCheckBox* box, bool inForce, const QString& refusal, bool* use);
    void rememberButtons();
    void startBatch(int count);
    void appendLine(const QString& text);
    void showProgress(int made);
    void runBatch(int count, QString problem, const std::function<PickedLine()>& drawLine);
    void afterBatch(int made, int wanted, const QString& problem);
    void refuseCount(QLineEdit* edit);

    AppContext& context_;
    QLabel* const gameLabel_ = nullptr;
    QSpinBox* const lowNumber_ = nullptr;
    std::unique_ptr<Ui::TForm9> ui_;
    QuickPicker quickPicker_;
    QPushButton* wheelsButton_ = nullptr;
    QPushButton* backtestButton_ = nullptr;
    std::unique_ptr<ListOddsLabel> odds_; // the chances of the list, under everything
    // The game of the lines in the list, for their expected hits.
    struct {
        int lineSize = 0;
        int highest = 0;
    } listGame_;
    std::unique_ptr<HotColdPicker> hotColdPicker_; // only while the group is usable
    RandomGenerator random_;
    HintDisplay::Handler previousHint_;
    QStringList list_;
    QVector<QVector<int>> listNumbers_; // the numbers of the list's lines, for their odds
    QList<QPushButton*> batchButtons_; // disabled while a batch runs
    QList<bool> beforeBatch_;          // their states when Generate was pressed
    bool QuickUseFavorites = false;
    bool QuickUseExcluded = false;
    bool statisticsUsable_ = false;
    bool busy_ = false;
};
