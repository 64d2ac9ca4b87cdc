list(APPEND BALLMERE_CORE_SOURCES
  games/Money.h games/Money.cpp
  games/TierOdds.h games/TierOdds.cpp
  games/RulesCheck.h games/RulesCheck.cpp
  games/RulesSection.h games/RulesSection.cpp
  games/RulesPresets.h games/RulesPresets.cpp
  games/RulesEditing.h games/RulesEditing.cpp
)
list(APPEND BALLMERE_UI_SOURCES
  games/GameRulesDialog.h games/GameRulesDialog.cpp games/GameRulesDialog.ui
)
