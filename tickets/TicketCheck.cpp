#include "tickets/TicketCheck.h"

#include "odds/LineOdds.h"
#include "state/GroupedCount.h"
#include "tickets/Prizes.h"

#include <QSet>
#include <algorithm>

namespace {

// "2 lines with 3 hits, 1 with 4"; "no line with 3 hits or more".
QString hitsText(const std::array<int, 8>& byHits, const TicketGame& game) {
    const int from = hitsWorthNaming(game);
    QStringList parts;
    for (int h = from; h < int(byHits.size()); ++h) {
        if (byHits[size_t(h)] == 0)
            continue;
        if (parts.isEmpty())
            parts << QStringLiteral("%1 with %2 hits").arg(countedLines(byHits[size_t(h)])).arg(h);
        else
            parts << QStringLiteral("%1 with %2").arg(byHits[size_t(h)]).arg(h);
    }
    if (parts.isEmpty())
        return QStringLiteral("no line with %1 hits or more").arg(from);
    return parts.join(QStringLiteral(", "));
}

// Tiers from the fewest hits up, as the player counts them.
QVector<int> tiersByHits(const TicketGame& game) {
    QVector<int> order;
    for (int t = 0; t < game.rules.tiers.size(); ++t)
        order << t;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const PrizeTier& x = game.rules.tiers[a];
        const PrizeTier& y = game.rules.tiers[b];
        return x.mainHits != y.mainHits ? x.mainHits < y.mainHits : x.extraHits < y.extraHits;
    });
    return order;
}

} // namespace

DrawsByDate::DrawsByDate(const QVector<TicketDraw>& draws) : draws_(draws) {
    for (int i = 0; i < draws.size(); ++i)
        if (draws[i].date.isValid())
            index_.insert(draws[i].date, i);
}

const TicketDraw* DrawsByDate::on(const QDate& date) const {
    const auto found = index_.constFind(date);
    return found == index_.constEnd() ? nullptr : &draws_[*found];
}

TicketResult checkTicket(const Ticket& ticket, const TicketDraw* draw, const TicketGame& game) {
    TicketResult result;
    result.lines = int(ticket.lines.size());
    if (!draw)
        return result;
    result.waiting = false;
    result.tierWins.fill(0, game.rules.tiers.size());
    for (const QString& text : ticket.lines) {
        TicketLine line;
        if (!parsePlayedLine(text, &line))
            continue;
        const LineHits hits = lineHits(line, *draw, game);
        ++result.byHits[size_t(qBound(0, hits.main, 7))];
        const int tier = prizeTier(game, hits);
        if (tier >= 0) {
            ++result.tierWins[tier];
            result.wonCents += tierPrizeCents(game, tier);
        }
    }
    return result;
}

int hitsWorthNaming(const TicketGame& game) {
    int least = qBound(1, game.pick, 3);
    if (game.hasPrizes()) {
        least = 7;
        for (const PrizeTier& tier : game.rules.tiers)
            least = qMin(least, qMax(1, tier.mainHits));
    }
    return least;
}

QString ticketResultText(const TicketResult& result, const TicketGame& game) {
    if (result.waiting)
        return QStringLiteral("waiting");
    QString text = hitsText(result.byHits, game);
    if (game.hasPrizes())
        text += QStringLiteral(" · ") + moneyShown(result.wonCents);
    return text;
}

TicketAccount accountOf(const QVector<Ticket>& tickets, const DrawsByDate& draws,
                        const TicketGame& game) {
    TicketAccount account;
    account.tierWins.fill(0, game.rules.tiers.size());
    QSet<QDate> dates;
    for (const Ticket& ticket : tickets) {
        const TicketResult result = checkTicket(ticket, draws.on(ticket.date), game);
        if (result.waiting) {
            ++account.waitingTickets;
            continue;
        }
        ++account.checkedTickets;
        dates.insert(ticket.date);
        account.lines += result.lines;
        account.wonCents += result.wonCents;
        for (size_t h = 0; h < account.byHits.size(); ++h)
            account.byHits[h] += result.byHits[h];
        for (int t = 0; t < result.tierWins.size(); ++t)
            account.tierWins[t] += result.tierWins[t];
    }
    account.draws = int(dates.size());
    if (game.hasPrice())
        account.spentCents = account.lines * game.rules.priceCents;
    return account;
}

QString accountText(const TicketAccount& account, const TicketGame& game) {
    const QString waiting = account.waitingTickets == 1
                                ? QStringLiteral("1 ticket waiting for its draw.")
                                : QStringLiteral("%1 tickets waiting for their draws.")
                                      .arg(account.waitingTickets);
    if (account.checkedTickets == 0)
        return account.waitingTickets == 0 ? QStringLiteral("No tickets yet.")
                                           : QStringLiteral("No ticket checked yet; ") + waiting;
    QString text = QStringLiteral("%1 %2, %3")
                       .arg(groupedCount(account.draws))
                       .arg(account.draws == 1 ? QStringLiteral("draw") : QStringLiteral("draws"))
                       .arg(countedLines(account.lines));
    if (game.hasPrice())
        text += QStringLiteral(", %1 spent").arg(moneyShown(account.spentCents));
    if (game.hasPrizes()) {
        QStringList won;
        for (const int t : tiersByHits(game))
            if (account.tierWins[t] > 0)
                won << QStringLiteral("%1 x%2").arg(tierLabel(game, t)).arg(account.tierWins[t]);
        text += account.wonCents == 0 && won.isEmpty()
                    ? QStringLiteral("; won nothing.")
                    : QStringLiteral("; won %1 (%2).")
                          .arg(moneyShown(account.wonCents), won.join(QStringLiteral(", ")));
        text += QStringLiteral(" Random lines would have won %1 on average for these draws "
                               "(not counting the jackpot).")
                    .arg(moneyShown(double(account.lines) * randomLineReturnCents(game)));
    } else {
        const int from = hitsWorthNaming(game);
        QStringList reached;
        for (int h = from; h <= 7; ++h)
            if (account.byHits[size_t(h)] > 0)
                reached << QStringLiteral("%1 hits x%2").arg(h).arg(account.byHits[size_t(h)]);
        text += reached.isEmpty() ? QStringLiteral("; no line with %1 hits or more.").arg(from)
                                  : QStringLiteral("; ") + reached.join(QStringLiteral(", ")) +
                                        QLatin1Char('.');
        long double expected = 0;
        for (int h = from; h <= game.pick; ++h)
            expected += ExpectedLinesWithHits(quint64(account.lines), game.pick, game.range, h);
        text += QStringLiteral(" Random lines would have reached %1 hits or more %2 times on "
                               "average for these draws.")
                    .arg(from)
                    .arg(double(expected), 0, 'f', 2);
    }
    if (account.waitingTickets > 0)
        text += QLatin1Char(' ') + waiting;
    return text;
}

QString arrivalText(const QString& dateText, const TicketResult& result, const TicketGame& game) {
    return QStringLiteral("Your tickets for %1: %2")
        .arg(dateText, ticketResultText(result, game));
}
