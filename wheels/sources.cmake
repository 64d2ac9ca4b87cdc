list(APPEND BALLMERE_CORE_SOURCES
  wheels/WheelTerms.h wheels/WheelTerms.cpp
  wheels/PlayerNumbers.h wheels/PlayerNumbers.cpp
  wheels/GuaranteeCheck.h wheels/GuaranteeCheck.cpp
  wheels/SearchClock.h
  wheels/WheelSearch.h wheels/WheelSearch.cpp
  wheels/CoverAnnealer.h wheels/CoverAnnealer.cpp
  wheels/CaseRanks.h wheels/CaseRanks.cpp
  wheels/LineSymmetry.h wheels/LineSymmetry.cpp
  wheels/SymmetricHunt.h wheels/SymmetricHunt.cpp
  wheels/OrbitSeeds.h wheels/OrbitSeeds.cpp
  wheels/FastRandom.h
)
# The window and what it shows.
list(APPEND BALLMERE_CORE_SOURCES
  wheels/WheelJob.h wheels/WheelJob.cpp
  wheels/WheelTexts.h wheels/WheelTexts.cpp
  wheels/WheelPrizes.h wheels/WheelPrizes.cpp
  wheels/WheelPage.h wheels/WheelPage.cpp
  wheels/WheelFile.h wheels/WheelFile.cpp
)
list(APPEND BALLMERE_UI_SOURCES
  wheels/Wheels.h wheels/Wheels.cpp
)
