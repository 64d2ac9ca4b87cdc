#pragma once

#include <QFont>

class QPlainTextEdit;

// Every list of drawn lines (the main window's, the checker's two, the advanced window's) shows
// them in one face: a narrow sans whose figures all have one width, so that the numbers of
// the lines stand in columns, hinted to whole pixels so that it stays sharp when small.
QFont drawListFont();

// Shows `list` in the draw-list face, with the narrow text margin the rule needs, at the
// largest size (in half points) at which a seven-number line of the widest range and the check
// file's 60-hyphen rule fit the list's width.
void useDrawListFont(QPlainTextEdit& list);

// The widest lines a list must show whole: a seven-from-99 line and the rule.
QStringList widestDrawListLines();
