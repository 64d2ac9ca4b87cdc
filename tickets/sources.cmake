list(APPEND BALLMERE_CORE_SOURCES
  tickets/TicketData.h tickets/TicketData.cpp
  tickets/TicketFile.h tickets/TicketFile.cpp
  tickets/Prizes.h tickets/Prizes.cpp
  tickets/TicketCheck.h tickets/TicketCheck.cpp
  tickets/TicketWatcher.h tickets/TicketWatcher.cpp
  tickets/HistoryCheck.h tickets/HistoryCheck.cpp
)
list(APPEND BALLMERE_UI_SOURCES
  tickets/Tickets.h tickets/Tickets.cpp
  tickets/HistoryCheckWindow.h tickets/HistoryCheckWindow.cpp
)
