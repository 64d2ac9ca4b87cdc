#pragma once

// The checker: a saved check file on the right, the winning numbers on the top left (typed, or
// taken from the last stored draw), and "Check" lists every saved line with enough hits.

#include "lines/TextLines.h"
#include "platform/PageLayout.h"
#include "state/AppContext.h"

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QKeyEvent;
class QLineEdit;
namespace LineMatch {
struct CheckResult;
}

namespace Ui {
class TForm6;
}

class TForm6 : public QDialog {
    Q_OBJECT

public:
    explicit TForm6(AppContext& context, QWidget* parent = nullptr);
    ~TForm6() override;

    // The lines of the loaded check file, banner included.
    const TextLines& loadedLines() const { return loadedLines_; }
    int MinimumCorrect() const { return minimumCorrect_; }
    bool IncludeBonus() const { return includeBonus_; }

    void Button1Click(); // Load
    void Button2Click(); // Check
    void Button8Click(); // Close
    void HistoryButtonClick(); // every loaded line against every stored draw
    void PrintButtonClick();
    void SpinEdit1Change();
    void CheckBox1Click();
    void CheckBox2Click();

    // Escape acts as Close.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormDestroy();
    void DoShowHint(const QString& text);
    void EditKeyDown(QLineEdit* edit, const QKeyEvent& event);
    // Edit2..Edit7 shown up to box `count`, hidden beyond it.
    void showNumberBoxes(int count);
    void showLoadedLines();
    TextPage printedResults(const LineMatch::CheckResult& result) const;
    // For a game with a second drum, the extra box in place of the bonus box.
    void showExtraBox();

    AppContext& context_;
    std::unique_ptr<Ui::TForm6> ui_;
    std::array<QLineEdit*, 9> edits_{}; // Edit1..Edit8 at 1..8
    std::optional<std::function<void(const QString&)>> handedOverHints_;
    TextLines loadedLines_;
    TextPage printable_; // the last results checked
    int minimumCorrect_ = 3;
    bool includeBonus_ = false;
};
