#pragma once

// Every line of the checker's file against every stored draw (HistoryCheckJob, on threads of
// its own, the window polling its progress); the report at the end, to print or save.

#include "controls/ReportRunWindow.h"
#include "tickets/TicketData.h"

class THistoryCheck : public TReportRunWindow {
    Q_OBJECT

public:
    // Starts at once over the loaded database's draws.
    THistoryCheck(AppContext& context, const QStringList& lineTexts,
                  const QVector<TicketLine>& lines, QWidget* parent = nullptr);
};
