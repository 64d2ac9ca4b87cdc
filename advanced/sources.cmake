list(APPEND BALLMERE_CORE_SOURCES
  advanced/PickedLine.h
  advanced/QuickPicker.h advanced/QuickPicker.cpp
  advanced/HotColdPicker.h advanced/HotColdPicker.cpp
  advanced/ExpectedHits.h advanced/ExpectedHits.cpp
  advanced/Backtest.h advanced/Backtest.cpp
  advanced/BacktestJob.h advanced/BacktestJob.cpp
  advanced/BacktestReport.h advanced/BacktestReport.cpp
  advanced/PlainNumbers.h
  advanced/ListOdds.h advanced/ListOdds.cpp
)
list(APPEND BALLMERE_UI_SOURCES
  advanced/Advanced.h advanced/Advanced.cpp advanced/Advanced.ui
  advanced/BacktestWindow.h advanced/BacktestWindow.cpp
  advanced/ListOddsLabel.h advanced/ListOddsLabel.cpp
)
