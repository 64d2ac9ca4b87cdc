list(APPEND BALLMERE_CORE_SOURCES
  platform/Clock.h
  platform/DialogService.h
  platform/FileDialogs.h platform/FileDialogs.cpp
  platform/Platform.h
  platform/PrintService.h
  platform/ProfileFile.h platform/ProfileFile.cpp
  platform/ProgramFolders.h platform/ProgramFolders.cpp
  platform/SafeFile.h platform/SafeFile.cpp
  platform/TextDecoding.h platform/TextDecoding.cpp
  platform/SoundOutput.h
  platform/WaveImage.h platform/WaveImage.cpp
)
list(APPEND BALLMERE_UI_SOURCES
  platform/HintDisplay.h platform/HintDisplay.cpp
  platform/QtDialogService.h platform/QtDialogService.cpp
  platform/QtPrintService.h platform/QtPrintService.cpp
  platform/QtSoundOutput.h platform/QtSoundOutput.cpp
  platform/SystemClock.h platform/SystemClock.cpp
)
