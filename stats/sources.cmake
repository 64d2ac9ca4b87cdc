list(APPEND BALLMERE_CORE_SOURCES
  stats/HitCounts.h stats/HitCounts.cpp
)
