#pragma once

// Every line of the checker's file against every stored draw (HistoryCheckJob, on threads of
// its own, the window polling its progress); the report at the end, to print or save.

#include "tickets/TicketData.h"

#include <QDialog>
#include <QStringList>
#include <QTimer>
#include <memory>

struct AppContext;
class HistoryCheckJob;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

class THistoryCheck : public QDialog {
    Q_OBJECT

public:
    // Starts at once over the loaded database's draws.
    THistoryCheck(AppContext& context, const QStringList& lineTexts,
                  const QVector<TicketLine>& lines, QWidget* parent = nullptr);
    ~THistoryCheck() override;

    bool running() const { return job_ != nullptr; }
    const QStringList& reportLines() const { return report_; }

public slots:
    void StopButtonClick();
    void PrintButtonClick();
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
    const QStringList lineTexts_;
    const TicketGame game_;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QPlainTextEdit* reportText_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    std::unique_ptr<HistoryCheckJob> job_;
    QTimer poll_;
    QStringList report_;
};
