list(APPEND BALLMERE_CORE_SOURCES
  stats/HitCounts.h stats/HitCounts.cpp
  stats/HitBars.h stats/HitBars.cpp
  stats/DrawNumbers.h stats/DrawNumbers.cpp
  stats/FairDraw.h stats/FairDraw.cpp
  stats/StatsPage.h stats/StatsPage.cpp
)
list(APPEND BALLMERE_UI_SOURCES
  stats/Stats.h stats/Stats.cpp stats/Stats.ui
)
