#include "RulesWindow.h"

#include "DrawTable.h"
#include "games/GameRulesDialog.h"
#include "games/RulesSection.h"
#include "platform/Platform.h"
#include "state/AppContext.h"
#include "state/LotteryState.h"

bool editGameRules(AppContext& context, QWidget* parent) {
    TLotteryState& state = context.state;
    if (!state.DatabaseLoaded)
        return false;
    const QString headerPath = state.DataHeaderPath;
    TDrawTable& table = context.table;
    const auto save = [&state, &table, headerPath](const GameRules& rules) {
        const QString error = writeGameRules(headerPath, rules);
        if (error.isEmpty()) {
            state.DataRules = rules;
            table.SetHeader(state.DataPick, state.DataBonus, rules.drumNumbers());
        }
        return error;
    };
    GameRulesDialog dialog({state.DataPick, state.DataRandom, state.DataBonus}, state.DataRules,
                           context.platform.dialogs, save, parent);
    return dialog.exec() == QDialog::Accepted;
}
