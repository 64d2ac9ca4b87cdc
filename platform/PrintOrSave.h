#pragma once

#include "PrintService.h"

class QWidget;
struct Platform;

// Printing as every window offers it: on the default printer, through the one page layout,
// dated today. With no printer, one question, the message followed by the offer to save the
// page as a file instead. Nothing in the window is locked at any step, so every answer leaves
// it as it was.

// The list as a PDF file.
void printTextOrSave(QWidget* parent, const Platform& platform, TextPage page);
// The chart as a PDF page, or alone as a PNG or SVG picture, as the chosen name's extension says.
void printChartOrSave(QWidget* parent, const Platform& platform, ChartPage page);

// The one question asked when there is no printer.
QString saveInsteadQuestion();

// What a page file named `path` is written as: by its extension, PDF for any other.
PageFileType pageFileTypeOf(const QString& path);
