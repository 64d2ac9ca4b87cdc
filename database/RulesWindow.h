#pragma once

struct AppContext;
class QWidget;

// Opens the rules window on the loaded game; Save stores the rules in the game's header and,
// once stored, in the program state, with the draw table's captions for the extra numbers.
// True when the rules were saved.
bool editGameRules(AppContext& context, QWidget* parent);
