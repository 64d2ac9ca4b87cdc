list(APPEND BALLMERE_UI_SOURCES
  controls/Digits.h controls/Digits.cpp
  controls/DigitArt.h controls/DigitArt.cpp)
