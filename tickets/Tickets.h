#pragma once

// The player's tickets for the loaded game: each the lines played for one draw, checked
// against that draw once it is stored, and the running account of them all. They live in the
// game's ".bmt" file (TicketFile); a file that cannot be read is left alone until the player
// changes the tickets and agrees to replace it.

#include "tickets/TicketFile.h"

#include <QDialog>
#include <QStringList>

struct AppContext;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

class TTickets : public QDialog {
    Q_OBJECT

public:
    // `mainList`: the main window's list of lines, for "Add the main window's list".
    TTickets(AppContext& context, const QStringList& mainList, QWidget* parent = nullptr);
    ~TTickets() override;

    const QVector<Ticket>& tickets() const { return tickets_; }

public slots:
    void AddListButtonClick();
    void AddFileButtonClick();
    void RemoveButtonClick();

private:
    void buildControls();
    void addTicket(const QStringList& texts, int skipLines);
    // Writes the tickets; false (after saying why) leaves them as they were.
    bool save(const QVector<Ticket>& tickets);
    void showTickets();

    AppContext& context_;
    const QStringList mainList_;
    const QString path_;
    QVector<Ticket> tickets_;
    bool fileRefused_ = false; // the file on disk could not be read
    QLineEdit* drawDateEdit_ = nullptr;
    QPushButton* addListButton_ = nullptr;
    QPushButton* addFileButton_ = nullptr;
    QTableWidget* ticketList_ = nullptr;
    QPushButton* removeButton_ = nullptr;
    QPlainTextEdit* summaryText_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};
