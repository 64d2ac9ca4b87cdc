#include "TicketHooks.h"

#include "database/Database.h"
#include "database/DrawTable.h"
#include "platform/Clock.h"
#include "platform/Platform.h"
#include "state/AppContext.h"
#include "state/LotteryState.h"
#include "tickets/TicketFile.h"
#include "tickets/Tickets.h"

TicketHooks::TicketHooks(AppContext& context, TForm7& database,
                         std::function<QStringList()> mainList)
    : QObject(&database), context_(context), database_(database), mainList_(std::move(mainList)) {
    connect(&database, &TForm7::ticketsRequested, this, &TicketHooks::openTickets);
    connect(&database, &TForm7::drawsChanged, this, &TicketHooks::drawsChanged);
    drawsChanged(); // learns the draws already stored
}

void TicketHooks::openTickets() {
    TTickets tickets(context_, mainList_ ? mainList_() : QStringList(), &database_);
    tickets.exec();
}

void TicketHooks::drawsChanged() {
    const TLotteryState& state = context_.state;
    const QString format = context_.platform.clock.shortDateFormat();
    const QString text =
        watcher_.look(state.DatabaseLoaded ? state.DataHeaderPath : QString(),
                      TicketFile::pathFor(state.DataHeaderPath, state.DataName),
                      drawDatesOf(context_.table, format),
                      [&] { return ticketDrawsOf(context_.table, format); }, ticketGameOf(state));
    lastArrival_ = text;
    if (!text.isEmpty())
        database_.showStatus(text);
}
