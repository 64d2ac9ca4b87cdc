#include "tickets/HistoryCheckWindow.h"

#include "tickets/HistoryCheck.h"

#include "controls/DrawListFont.h"
#include "database/DrawTable.h"
#include "platform/Clock.h"
#include "platform/Platform.h"
#include "state/AppContext.h"
#include "state/GroupedCount.h"
#include "state/LotteryState.h"

#include <QPlainTextEdit>

namespace {

constexpr int ReportRows = 20;
constexpr int ReportColumns = 64;

} // namespace

THistoryCheck::THistoryCheck(AppContext& context, const QStringList& lineTexts,
                             const QVector<TicketLine>& lines, QWidget* parent)
    : TReportRunWindow(context,
                       {QStringLiteral("Save Report"), QStringLiteral("Against all draws"),
                        QStringLiteral("Against all draws")},
                       parent) {
    setObjectName(QStringLiteral("HistoryCheck"));
    setWindowTitle(QStringLiteral("Against All Draws"));
    reportText()->setLineWrapMode(QPlainTextEdit::NoWrap);
    useDrawListFont(*reportText());
    setReportRoom(QFontMetrics(reportText()->font())
                      .horizontalAdvance(QString(ReportColumns, u'8')),
                  ReportRows);

    const TicketGame game = ticketGameOf(context.state);
    auto job = std::make_shared<HistoryCheckJob>(
        lines, ticketDrawsOf(context.table, context.platform.clock.shortDateFormat()), game);
    HistoryCheckJob* j = job.get();
    const QString opening = QStringLiteral("Checking %1 lines against %2 draws")
                                .arg(groupedCount(lineTexts.size()),
                                     groupedCount(j->drawsToCheck()));
    job->start();
    startRun(ReportRunOf(std::move(job), [j] { return j->drawsToCheck(); },
                         [j, lineTexts, game] {
                             const HistoryTally tally = j->result();
                             return historyReport(tally, lineTexts, j->draws(), game,
                                                  j->stopped());
                         }),
             opening);
}
