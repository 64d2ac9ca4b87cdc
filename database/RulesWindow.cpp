#include "RulesWindow.h"

#include "games/GameRulesDialog.h"
#include "games/RulesSection.h"
#include "platform/Platform.h"
#include "state/AppContext.h"
#include "state/LotteryState.h"

void editGameRules(AppContext& context, QWidget* parent) {
    TLotteryState& state = context.state;
    if (!state.DatabaseLoaded)
        return;
    const QString headerPath = state.DataHeaderPath;
    GameRulesDialog dialog(
        {state.DataPick, state.DataRandom, state.DataBonus}, state.DataRules,
        context.platform.dialogs,
        [&state, headerPath](const GameRules& rules) {
            const QString error = writeGameRules(headerPath, rules);
            if (error.isEmpty())
                state.DataRules = rules;
            return error;
        },
        parent);
    dialog.exec();
}
