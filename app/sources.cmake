list(APPEND BALLMERE_CORE_SOURCES
  app/Settings.h app/Settings.cpp
  app/StartupReload.h app/StartupReload.cpp
  app/StartupUpdate.h app/StartupUpdate.cpp
)
list(APPEND BALLMERE_UI_SOURCES
  app/Main.h app/Main.cpp app/Main.ui
  app/Program.h app/Program.cpp
  app/TicketHooks.h app/TicketHooks.cpp
  app/ProgramStyle.h app/ProgramStyle.cpp
  app/icons/icons.qrc
)
