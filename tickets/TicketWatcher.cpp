#include "tickets/TicketWatcher.h"

#include "tickets/TicketCheck.h"

#include <QMap>

namespace {

constexpr int NamedDates = 3; // a large import names its last few

void addResult(TicketResult& into, const TicketResult& result) {
    into.waiting = false;
    into.lines += result.lines;
    for (size_t h = 0; h < into.byHits.size(); ++h)
        into.byHits[h] += result.byHits[h];
    into.wonCents += result.wonCents;
}

} // namespace

QString TicketWatcher::look(const QString& headerPath, const QString& ticketPath,
                            const QVector<QDate>& storedDates,
                            const std::function<QVector<TicketDraw>()>& draws,
                            const TicketGame& game) {
    QSet<QDate> dates;
    dates.reserve(storedDates.size());
    for (const QDate& date : storedDates)
        if (date.isValid())
            dates.insert(date);
    QSet<QDate> arrived;
    if (headerPath == headerPath_)
        arrived = dates - knownDates_;
    headerPath_ = headerPath;
    knownDates_ = std::move(dates);
    if (arrived.isEmpty() || headerPath.isEmpty())
        return {};

    const TicketFile::ReadResult read = TicketFile::read(ticketPath);
    if (!read.error.isEmpty())
        return {};
    bool any = false;
    for (const Ticket& ticket : read.tickets)
        any = any || arrived.contains(ticket.date);
    if (!any)
        return {};
    const QVector<TicketDraw> stored = draws();
    const DrawsByDate byDate(stored);
    QMap<QDate, TicketResult> results;
    for (const Ticket& ticket : read.tickets)
        if (arrived.contains(ticket.date))
            addResult(results[ticket.date], checkTicket(ticket, byDate.on(ticket.date), game));
    QStringList texts;
    for (auto it = results.constBegin(); it != results.constEnd(); ++it)
        if (const TicketDraw* draw = byDate.on(it.key()))
            texts << arrivalText(draw->dateText, it.value(), game);
    if (texts.size() > NamedDates)
        texts = texts.mid(texts.size() - NamedDates);
    return texts.join(QStringLiteral("; "));
}
