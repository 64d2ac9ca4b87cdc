list(APPEND BALLMERE_CORE_SOURCES
  lines/CheckFile.h lines/CheckFile.cpp
  lines/CheckFileDialog.h lines/CheckFileDialog.cpp
  lines/TextLines.h lines/TextLines.cpp
  lines/ListPage.h lines/ListPage.cpp
  lines/LineGenerator.h lines/LineGenerator.cpp
  lines/RandomGenerator.h lines/RandomGenerator.cpp
)
