#pragma once

// The range a chart's bars are read against, drawn on its layout: shaded on the bars' front plane
// behind them, its edges dashed and its centre solid across their fronts at their true values,
// and named in the legend row.

#include "ChartLayout.h"

#include <QFont>
#include <QString>

class QPainter;

// "Expected range 404–483" and "Expected 444": whole numbers unless the range is narrower than
// ten, then tenths.
QString bandRangeText(const ChartBand& band);
QString bandCentreText(const ChartBand& band);

// Before the bars.
void paintBandShade(QPainter& painter, const ChartLayout& layout);
// After the bars.
void paintBandLines(QPainter& painter, const ChartLayout& layout);
void paintBandLegend(QPainter& painter, const ChartLayout& layout, const QFont& font,
                     const ChartBand& band);
