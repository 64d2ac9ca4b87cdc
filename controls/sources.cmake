list(APPEND BALLMERE_UI_SOURCES
  controls/AutoAdvance.h controls/AutoAdvance.cpp
  controls/BoxCaption.h controls/BoxCaption.cpp
  controls/CaptionLabel.h controls/CaptionLabel.cpp
  controls/DrawListFont.h controls/DrawListFont.cpp
  controls/FitText.h controls/FitText.cpp
  controls/LeadingBlankLabel.h controls/LeadingBlankLabel.cpp
  controls/StatusHint.h controls/StatusHint.cpp
  controls/SteppedText.h controls/SteppedText.cpp
  controls/WholeLinesBox.h controls/WholeLinesBox.cpp
  controls/GroupBoxRoom.h controls/GroupBoxRoom.cpp
  controls/ReportRunWindow.h controls/ReportRunWindow.cpp
  controls/Digits.h controls/Digits.cpp
  controls/CounterStrip.cpp)
# The counters' drawing code, also used at build time to store their artwork.
set(BALLMERE_DIGIT_ART_SOURCES controls/DigitArt.h controls/DigitArt.cpp)
