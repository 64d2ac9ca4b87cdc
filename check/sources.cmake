list(APPEND BALLMERE_CORE_SOURCES
  check/LineMatch.h check/LineMatch.cpp
  check/LastDraw.h check/LastDraw.cpp
  check/ShownLines.h check/ShownLines.cpp
  check/CheckPage.h check/CheckPage.cpp)
list(APPEND BALLMERE_UI_SOURCES
  check/Check.h check/Check.cpp check/Check.ui)
