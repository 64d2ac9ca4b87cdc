#pragma once

// A window that runs one long job over the stored draws on threads of its own: a bar of "N of M
// draws" polled from the job, Stop, and at the end the job's report, to save and (where the
// window offers it) to print. Closing during a run stops it first.

#include <QDialog>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

struct AppContext;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// What the window asks of its job.
struct ReportRun {
    std::shared_ptr<void> job; // kept until the run has ended: the calls below use it
    std::function<int()> drawsToDo, drawsDone;
    std::function<bool()> finished, stopped;
    std::function<void()> stop;          // asks it to stop; returns at once
    std::function<void()> wait;          // until its threads have ended
    std::function<QStringList()> report; // waits for the end; the report's lines
};

// The calls every job here answers to by the same names.
template <typename Job>
ReportRun ReportRunOf(std::shared_ptr<Job> job, std::function<int()> drawsToDo,
                      std::function<QStringList()> report) {
    Job* j = job.get();
    return {std::move(job),
            std::move(drawsToDo),
            [j] { return j->drawsDone(); },
            [j] { return j->finished(); },
            [j] { return j->stopped(); },
            [j] { j->stop(); },
            [j] { j->result(); },
            std::move(report)};
}

// The texts that differ from window to window.
struct ReportRunTexts {
    QString saveTitle;  // the save dialog's title
    QString fileName;   // the name it proposes
    QString printTitle; // the printed page's title; empty: no Print button
};

class TReportRunWindow : public QDialog {
    Q_OBJECT

public:
    ~TReportRunWindow() override;

    bool running() const { return bool(run_.job); }
    // Empty until the run has ended.
    const QStringList& reportLines() const { return report_; }

public slots:
    void StopButtonClick();
    void PrintButtonClick();
    void SaveButtonClick();
    void pollRun();

protected:
    TReportRunWindow(AppContext& context, const ReportRunTexts& texts, QWidget* parent);
    // Polls a job already started; `opening` is shown until its report.
    void startRun(ReportRun run, const QString& opening);
    QPlainTextEdit* reportText() const { return reportText_; }
    // Room for a line of textWidth pixels in the report's font, and for `rows` lines.
    void setReportRoom(int textWidth, int rows);

    void closeEvent(QCloseEvent* event) override;
    void reject() override;

    AppContext& context_;

private:
    void showProgress(int done, int total);
    void endRun();
    void stopAndWait();

    const ReportRunTexts texts_;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QPlainTextEdit* reportText_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    ReportRun run_;
    QTimer poll_;
    QStringList report_;
};
