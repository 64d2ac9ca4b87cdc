#pragma once

#include "PrintService.h"

class QWidget;
struct Platform;

// Printing as every window offers it: on the default printer; when there is none, after the
// message, the offer to save the page as a file instead. Nothing in the window is locked at
// any step, so every answer leaves it as it was.

// The lines as a PDF file.
void printLinesOrSave(QWidget* parent, const Platform& platform, const QStringList& lines,
                      int pointSize);
// The page as a PDF, PNG or SVG file, as the chosen name's extension says.
void printPageOrSave(QWidget* parent, const Platform& platform, const PageDrawing& draw,
                     const QString& jobTitle);

// What a page file named `path` is written as: by its extension, PDF for any other.
PageFileType pageFileTypeOf(const QString& path);
