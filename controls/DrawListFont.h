#pragma once

#include <QFont>

class QPlainTextEdit;

// Every list of drawn lines (the main window's, the checker's two, the advanced window's) shows
// them in one face: a condensed sans whose figures all have one width, so that the numbers of
// the lines stand in columns, at a size at which a seven-number line of the widest range and the
// check file's 60-hyphen rule fit a list about 200 pixels wide, hinted to whole pixels so that it
// stays sharp that small.
QFont drawListFont();

// Shows `list` in the draw-list face, with the narrow text margin the rule needs. A list too
// narrow for that face at its size gets it a step smaller.
void useDrawListFont(QPlainTextEdit& list);

// The widest lines a list must show whole: a seven-from-99 line and the rule.
QStringList widestDrawListLines();
