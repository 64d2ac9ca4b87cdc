#pragma once

// Paints the program's pages through the one page layout onto a printer or a PDF writer, and a
// chart alone onto a picture.

#include "PageLayout.h"

#include <QByteArray>
#include <QPageLayout>

class QPagedPaintDevice;

namespace PagePainter {

// The paper the user would print on (Letter where the locale measures in inches, else A4)
// with the layout's margins.
QPageLayout filePageLayout(QPageLayout::Orientation orientation);

// False when nothing could be painted on the device.
bool paintText(QPagedPaintDevice& device, const TextPage& page);
bool paintChart(QPagedPaintDevice& device, const ChartPage& page);

// The chart alone at its on-screen shape: a PNG of twice the screen's pixels, an SVG picture.
// Empty when it could not be made.
QByteArray chartPng(const ChartPage& page);
QByteArray chartSvg(const ChartPage& page);

} // namespace PagePainter
