#pragma once

#include "tickets/TicketData.h"
#include "tickets/TicketFile.h"

#include <QHash>
#include <array>

// A ticket against the draw of its date, and the running account of all of them.

// The stored draw of each date: the last of the day when a date was stored twice.
class DrawsByDate {
public:
    explicit DrawsByDate(const QVector<TicketDraw>& draws);
    const TicketDraw* on(const QDate& date) const;

private:
    const QVector<TicketDraw>& draws_;
    QHash<QDate, int> index_;
};

struct TicketResult {
    bool waiting = true; // its draw is not stored yet
    int lines = 0;
    std::array<int, 8> byHits{}; // lines by main hits
    QVector<int> tierWins;       // lines by the prize tier won
    qint64 wonCents = 0;
};

TicketResult checkTicket(const Ticket& ticket, const TicketDraw* draw, const TicketGame& game);

// The fewest main hits worth naming: the lowest prize tier's, else 3 (or the whole line when
// it holds fewer numbers).
int hitsWorthNaming(const TicketGame& game);

// "2 lines with 3 hits, 1 with 4 · 107.00"; "waiting" before the draw.
QString ticketResultText(const TicketResult& result, const TicketGame& game);

struct TicketAccount {
    int checkedTickets = 0;
    int draws = 0; // dates with a checked ticket
    qint64 lines = 0;
    qint64 spentCents = 0;
    qint64 wonCents = 0;
    std::array<qint64, 8> byHits{};
    QVector<qint64> tierWins;
    int waitingTickets = 0;
};

TicketAccount accountOf(const QVector<Ticket>& tickets, const DrawsByDate& draws,
                        const TicketGame& game);

// The account in plain words, with what as many random lines would have won on average.
QString accountText(const TicketAccount& account, const TicketGame& game);

// For the status bar when draws arrive: "Your tickets for 19/11/25: 1 line with 4 hits".
QString arrivalText(const QString& dateText, const TicketResult& result, const TicketGame& game);
