list(APPEND BALLMERE_UI_SOURCES
  charting/BarChart.h charting/BarChart.cpp
  charting/BarChartAccessible.h charting/BarChartAccessible.cpp
  charting/ChartBand.h charting/ChartBand.cpp
  charting/ChartLayout.h charting/ChartLayout.cpp
  charting/ChartPainter.h charting/ChartPainter.cpp
  charting/ChartTags.h charting/ChartTags.cpp
)
