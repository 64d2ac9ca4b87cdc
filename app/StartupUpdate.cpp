#include "StartupUpdate.h"

#include "platform/Clock.h"
#include "platform/Platform.h"
#include "state/AppContext.h"
#include "state/LotteryState.h"

StartupUpdate::StartupUpdate(AppContext& context, Stored stored, Say say)
    : context_(context), stored_(std::move(stored)), say_(std::move(say)),
      update_(context.platform.network, context.state, context.table) {}

bool StartupUpdate::start(const QDate& today) {
    const TLotteryState& state = context_.state;
    if (!state.DatabaseLoaded || update_.running())
        return false;
    const UpdateSource source = readUpdateSource(state.DataHeaderPath);
    if (!startCheckDue(source, today))
        return false;
    // Marked first: a look that fails, or a program closed during it, waits for tomorrow.
    saveLastStartCheck(state.DataHeaderPath, today);
    const QString format = context_.platform.clock.shortDateFormat();
    const QString error =
        update_.start(source.address, {format, numericDateOrderOf(format), ImportSource::Address},
                      {}, [this](const DrawUpdateOutcome& outcome) {
                          QString text = statusText(outcome);
                          if (outcome.kind != DrawUpdateOutcome::Failed && stored_) {
                              // One line for both: the second would hide the first.
                              const QString followed = stored_(outcome.import);
                              if (!followed.isEmpty())
                                  text += QStringLiteral(". ") + followed;
                          }
                          if (say_)
                              say_(text);
                      });
    if (!error.isEmpty() && say_)
        say_(QStringLiteral("Could not look for new draws: ") + error);
    return error.isEmpty();
}

QString StartupUpdate::statusText(const DrawUpdateOutcome& outcome) {
    const DrawImportResult& result = outcome.import;
    QString text;
    switch (outcome.kind) {
    case DrawUpdateOutcome::Stored:
        text = result.added == 1 ? QStringLiteral("1 new draw stored")
                                 : QStringLiteral("%1 new draws stored").arg(result.added);
        break;
    case DrawUpdateOutcome::NothingNew:
        text = QStringLiteral("No new draws at the results address");
        break;
    case DrawUpdateOutcome::Cancelled:
        return QStringLiteral("Looking for new draws was stopped");
    case DrawUpdateOutcome::Failed: {
        QString cause = outcome.cause;
        if (cause.endsWith(u'.'))
            cause.chop(1);
        return QStringLiteral("Could not look for new draws: %1 (%2)").arg(cause, outcome.address);
    }
    }
    if (result.disagreed == 1)
        text += QStringLiteral("; 1 draw at the address differs from the stored one, which was "
                               "kept");
    else if (result.disagreed > 1)
        text += QStringLiteral("; %1 draws at the address differ from the stored ones, which "
                               "were kept")
                    .arg(result.disagreed);
    return text;
}
