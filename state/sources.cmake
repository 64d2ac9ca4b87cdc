# The ground every subsystem stands on: the program state and what every window receives.
list(APPEND BALLMERE_CORE_SOURCES
  state/LotteryState.h
  state/AppContext.h
  state/GameRules.h
  state/GroupedCount.h
)
