list(APPEND BALLMERE_CORE_SOURCES
  platform/Clock.h
  platform/DialogService.h
  platform/FileDialogs.h platform/FileDialogs.cpp
  platform/Platform.h
  platform/PageLayout.h platform/PageLayout.cpp
  platform/NetworkService.h
  platform/PrintService.h
  platform/PrintOrSave.h platform/PrintOrSave.cpp
  platform/ProfileFile.h platform/ProfileFile.cpp
  platform/ProgramFolders.h platform/ProgramFolders.cpp
  platform/SafeFile.h platform/SafeFile.cpp
  platform/TextDecoding.h platform/TextDecoding.cpp
  platform/SoundOutput.h
  platform/WaveImage.h platform/WaveImage.cpp
)
list(APPEND BALLMERE_UI_SOURCES
  platform/HintDisplay.h platform/HintDisplay.cpp
  platform/MessageIcons.h platform/MessageIcons.cpp
  platform/QtDialogService.h platform/QtDialogService.cpp
  platform/BackendPlugins.h
  platform/LazyPrintService.h platform/LazyPrintService.cpp
  platform/LazySoundOutput.h platform/LazySoundOutput.cpp
  platform/LazyNetworkService.h platform/LazyNetworkService.cpp
  platform/SystemClock.h platform/SystemClock.cpp
)
# The sound, print and network back ends: each in a plugin of its own for the program, linked directly
# into tests.
set(BALLMERE_SOUND_BACKEND_SOURCES platform/QtSoundOutput.h platform/QtSoundOutput.cpp)
set(BALLMERE_NETWORK_BACKEND_SOURCES platform/QtNetworkService.h platform/QtNetworkService.cpp)
set(BALLMERE_PRINT_BACKEND_SOURCES platform/QtPrintService.h platform/QtPrintService.cpp
  platform/PagePainter.h platform/PagePainter.cpp)
