#pragma once

#include <QString>

class QStatusBar;

// Shows a hint in a window's status bar. A hint longer than the bar ends in an ellipsis rather
// than being cut mid-word at the bar's edge, and the whole hint is the bar's tooltip.
void showStatusHint(QStatusBar* bar, const QString& hint);
