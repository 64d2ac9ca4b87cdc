#pragma once

#include "tickets/TicketWatcher.h"

#include <QObject>
#include <QStringList>
#include <functional>

struct AppContext;
class TForm7;

// Joins the database window to the player's tickets: its Tickets button opens the tickets
// window, and every change of its draws checks the tickets whose draw has just arrived,
// saying so in its status bar.
class TicketHooks : public QObject {
public:
    TicketHooks(AppContext& context, TForm7& database, std::function<QStringList()> mainList);

    void openTickets();
    void drawsChanged();
    // What the last change of the draws said of the tickets, "" when nothing.
    const QString& lastArrival() const { return lastArrival_; }

private:
    AppContext& context_;
    TForm7& database_;
    std::function<QStringList()> mainList_;
    TicketWatcher watcher_;
    QString lastArrival_;
};
