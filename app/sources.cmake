list(APPEND BALLMERE_CORE_SOURCES
  app/AppContext.h
  app/LotteryState.h
)
list(APPEND BALLMERE_UI_SOURCES
)
