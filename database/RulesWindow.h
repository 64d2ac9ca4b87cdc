#pragma once

struct AppContext;
class QWidget;

// Opens the rules window on the loaded game; Save stores the rules in the game's header and,
// once stored, in the program state.
void editGameRules(AppContext& context, QWidget* parent);
