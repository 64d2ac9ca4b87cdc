list(APPEND BALLMERE_CORE_SOURCES
  odds/Binomial.h odds/Binomial.cpp
  odds/LineOdds.h odds/LineOdds.cpp
  odds/SetOdds.h odds/SetOdds.cpp
  odds/LineSetIndex.h odds/LineSetIndex.cpp
  odds/BestHitTally.h odds/TallyExactly.cpp odds/TallyRandomDraws.cpp
)
list(APPEND BALLMERE_CORE_SOURCES odds/ThreeFigures.h)
