#pragma once

// The back-test window: a mix of hot, average, cold and random numbers tested over the stored
// draws (BacktestJob, on threads of their own), the window polling its progress; the report
// at the end, which can be saved as a text file.

#include "advanced/Backtest.h"

#include <QDialog>
#include <QStringList>
#include <QTimer>
#include <memory>

struct AppContext;
class BacktestJob;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

class TBacktest : public QDialog {
    Q_OBJECT

public:
    // Starts at once over the loaded database's draws and game.
    TBacktest(AppContext& context, const Composition& composition, int linesPerDraw,
              QWidget* parent = nullptr);
    ~TBacktest() override;

    bool running() const { return job_ != nullptr; }
    // Empty until the run has ended.
    const QStringList& reportLines() const { return report_; }

public slots:
    void StopButtonClick();
    void SaveButtonClick();
    void pollRun();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildControls();
    void showProgress(int done);
    void endRun();
    void stopAndWait();

    AppContext& context_;
    BacktestSetup setup_;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QPlainTextEdit* reportText_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    std::unique_ptr<BacktestJob> job_;
    QTimer poll_;
    QStringList report_;
};
