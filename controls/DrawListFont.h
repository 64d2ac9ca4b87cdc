#pragma once

#include <QFont>

class QPlainTextEdit;

// The face for a list of generated lines: the first in which a seven-number line and the
// check file's 60-hyphen rule fit the list's width without wrapping or scrolling sideways:
// a narrow sans at the window's size where one is installed, else the window's own face, a
// point smaller if need be.
QFont drawListFont(const QPlainTextEdit& list);
