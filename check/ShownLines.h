#pragma once

#include "LineMatch.h"
#include "lines/TextLines.h"

#include <QString>

// What the checker's list of loaded lines shows. A text view lays out every line it is given,
// which for millions of lines takes minutes and gigabytes; so a file longer than any list the
// program writes is shown by its first lines and one line saying how many more there are. The
// check itself always reads every line.
namespace ShownLines {

// The banner and a hundred thousand saved lines: more than a user collects in batches of a
// hundred, and laid out in about half a second.
constexpr qsizetype MaxLines = LineMatch::HeaderLineCount + 100000;
// Far beyond any saved line (41 characters): longer lines are shown cut.
constexpr qsizetype MaxLineLength = 1000;
// What the shown lines may hold in all, so that a few thousand long lines are cut short too.
constexpr qsizetype MaxCharacters = 4 * 1000 * 1000;

// Lines joined by LF, ready for the view.
QString text(const TextLines& lines);

} // namespace ShownLines
