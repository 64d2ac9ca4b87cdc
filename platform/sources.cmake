list(APPEND BALLMERE_CORE_SOURCES
  platform/Clock.h
  platform/DialogService.h
  platform/FileDialogs.h platform/FileDialogs.cpp
  platform/Platform.h
  platform/PrintService.h
  platform/ProfileFile.h platform/ProfileFile.cpp
  platform/SoundOutput.h
)
list(APPEND BALLMERE_UI_SOURCES
  platform/HintDisplay.h platform/HintDisplay.cpp
)
