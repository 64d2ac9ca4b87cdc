#pragma once

#include "tickets/TicketData.h"

#include <QSet>
#include <functional>

// Checks the player's tickets as their draws arrive, however the draws came (typed, imported,
// fetched): it remembers the draw dates of the loaded database at each look and names the
// tickets of the dates new since the one before. The first look at a database only learns it.
class TicketWatcher {
public:
    // "" when no ticket's draw has arrived since the last look. `dates`: of the stored draws;
    // `draws` gives them whole, asked for only when a ticket's draw came.
    QString look(const QString& headerPath, const QString& ticketPath, const QVector<QDate>& dates,
                 const std::function<QVector<TicketDraw>()>& draws, const TicketGame& game);

private:
    QString headerPath_;
    QSet<QDate> knownDates_;
};
