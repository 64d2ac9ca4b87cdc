#pragma once

// Tickets over the real published 6/49 history, whose last draw (19/11/25) is
// 14 17 28 31 42 48, bonus 5.

#include "DatabaseFixture.h"
#include "TestContext.h"

#include "app/TicketHooks.h"
#include "database/Database.h"
#include "tickets/TicketFile.h"

#include <QApplication>
#include <QStatusBar>
#include <memory>

namespace testfiles {

inline const QString HistoryCsv = QStringLiteral(BALLMERE_TEST_DATA "/draw-history-649.csv");
inline const QDate LastHistoryDate(2025, 11, 19);
// Against 19/11/25: 4 hits, 3 hits, none.
inline const QStringList LastDrawTicket = {QStringLiteral("6/49  >  14 - 17 - 28 - 31 - 01 - 02"),
                                           QStringLiteral("6/49  >  14 - 17 - 28 - 03 - 04 - 06"),
                                           QStringLiteral("6/49  >  01 - 02 - 03 - 04 - 06 - 07")};

// The database window over "Lotto" (pick 6 of 49 with bonus) with the program's ticket hooks.
struct TicketWindow {
    TestContext t;
    QString headerPath = t.path(QStringLiteral("Lotto.bmd"));
    QString ticketPath = t.path(QStringLiteral("Lotto.bmt"));
    std::unique_ptr<TForm7> window;
    QStringList mainList;

    explicit TicketWindow(const QVector<Ticket>& tickets = {}, const QByteArray& drawFile = {}) {
        writeFile(headerPath, LottoHeader);
        if (!drawFile.isEmpty())
            writeFile(t.path(QStringLiteral("Lotto.bmi")), drawFile);
        if (!tickets.isEmpty())
            TicketFile::write(ticketPath, tickets);
        window = std::make_unique<TForm7>(t.context);
        new TicketHooks(t.context, *window, [this] { return mainList; });
        window->OpenDatabase(headerPath);
        window->show();
    }
    QString status() const {
        return child<QStatusBar>(*window, "StatusBar1")->currentMessage();
    }
};

} // namespace testfiles
